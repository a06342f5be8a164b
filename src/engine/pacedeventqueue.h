#pragma once

#include "displaylayer.h"
#include "yieldschedule.h"

namespace zel {

// The program's event queue: a yield dispatches every pending event, deferred
// deletions included, then sleeps until its slot on the yield schedule. A
// ticker step of n yields thus takes about n ms, on any machine, with the
// processor mostly idle.
class PacedEventQueue final : public EventQueue
{
public:
    PacedEventQueue() = default;
    Q_DISABLE_COPY_MOVE(PacedEventQueue)

    void yieldOnce() override;

private:
    YieldSchedule m_schedule;
};

} // namespace zel
