#pragma once

#include <QtGlobal>

#include <chrono>

namespace zel {

// The time slots of the event-queue yields: one quantum apart, so the work
// between two yields does not slow the rate. A yield that comes late by a few
// quanta catches up; after a longer stall the slots start again from now
// rather than letting a burst of yields through.
class YieldSchedule final
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::microseconds kQuantum { 1000 };
    static constexpr std::chrono::microseconds kStallLimit = 5 * kQuantum;

    YieldSchedule() = default;
    Q_DISABLE_COPY_MOVE(YieldSchedule)

    // The slot the yield made at `now` waits for.
    Clock::time_point nextSlot(Clock::time_point now);

private:
    bool m_started = false;
    Clock::time_point m_lastSlot {};
};

} // namespace zel
