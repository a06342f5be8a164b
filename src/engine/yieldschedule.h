#pragma once

#include <QtGlobal>

#include <chrono>
#include <optional>

namespace zel {

// The time slots of the event-queue yields: one quantum apart, so the work
// between two yields does not slow the rate. A yield that comes late by up to
// a frame catches up; after a longer stall the slots start again from now
// rather than letting a burst of yields through.
//
// Only a yield that has a new picture to show needs to wait for its slot. The
// others just take theirs, until the slots run a frame ahead of the clock or a
// frame has passed since the last yield that waited, so input waits a frame at
// the most.
class YieldSchedule final
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::microseconds kQuantum { 1000 };
    static constexpr std::chrono::microseconds kFrame { 16000 };
    static constexpr std::chrono::microseconds kStallLimit = kFrame;

    YieldSchedule() = default;
    Q_DISABLE_COPY_MOVE(YieldSchedule)

    // Takes the slot of the yield made at `now` and tells until when that
    // yield waits, if at all: it does when the picture changed, when its slot
    // is more than a frame ahead of `now`, when a frame has passed since the
    // last wait ended, and when the slots start afresh.
    std::optional<Clock::time_point> wakeTime(Clock::time_point now, bool pictureChanged);

private:
    // Moves on to the next slot; true when the slots started afresh.
    bool advance(Clock::time_point now);

    bool m_started = false;
    Clock::time_point m_lastSlot {};
    Clock::time_point m_lastWaitEnd {};
};

} // namespace zel
