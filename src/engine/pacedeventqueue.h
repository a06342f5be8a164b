#pragma once

#include "displaylayer.h"
#include "yieldschedule.h"

#include <QObject>
#include <QTimer>

namespace zel {

// The program's event queue. Every yield takes a slot on the yield schedule,
// so a ticker step of n yields takes about n ms on any machine. Only a yield
// that follows a change of the picture, that runs a frame ahead of the clock or
// that comes a frame after the last dispatch really dispatches: every pending
// event, deferred deletions included, and then whatever arrives until its
// slot, waiting on the event dispatcher in between. The other yields return at
// once, and the processor stays idle.
class PacedEventQueue final : public QObject, public EventQueue
{
    Q_OBJECT

public:
    PacedEventQueue();
    Q_DISABLE_COPY_MOVE(PacedEventQueue)

    void yieldOnce() override;

    // The display tells the queue whenever what it shows has changed, so
    // that the next yield presents the new picture.
    void pictureChanged() { m_pictureChanged = true; }
    bool pictureChangePending() const { return m_pictureChanged; }

private:
    void dispatchUntil(YieldSchedule::Clock::time_point deadline);

    YieldSchedule m_schedule;
    QTimer m_wakeUp;
    bool m_pictureChanged = false;
};

} // namespace zel
