#include "yieldschedule.h"

#include <algorithm>

namespace zel {

std::optional<YieldSchedule::Clock::time_point> YieldSchedule::wakeTime(Clock::time_point now,
                                                                        bool pictureChanged)
{
    const bool restarted = advance(now);
    if (!restarted && !pictureChanged && m_lastSlot - now <= kFrame && now - m_lastWaitEnd < kFrame)
        return std::nullopt;
    m_lastWaitEnd = std::max(now, m_lastSlot);
    return m_lastSlot;
}

bool YieldSchedule::advance(Clock::time_point now)
{
    const bool restart = !m_started || now - m_lastSlot > kStallLimit;
    if (restart)
        m_lastSlot = now;
    m_started = true;
    m_lastSlot += kQuantum;
    return restart;
}

} // namespace zel
