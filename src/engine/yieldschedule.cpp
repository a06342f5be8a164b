#include "yieldschedule.h"

namespace zel {

YieldSchedule::Clock::time_point YieldSchedule::nextSlot(Clock::time_point now)
{
    if (!m_started || now - m_lastSlot > kStallLimit)
        m_lastSlot = now;
    m_started = true;
    m_lastSlot += kQuantum;
    return m_lastSlot;
}

} // namespace zel
