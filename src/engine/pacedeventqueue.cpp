#include "pacedeventqueue.h"

#include <QCoreApplication>
#include <QEvent>

#include <utility>

namespace zel {

PacedEventQueue::PacedEventQueue()
{
    m_wakeUp.setSingleShot(true);
    m_wakeUp.setTimerType(Qt::PreciseTimer);
}

void PacedEventQueue::yieldOnce()
{
    const bool changed = std::exchange(m_pictureChanged, false);
    if (const auto wake = m_schedule.wakeTime(YieldSchedule::Clock::now(), changed))
        dispatchUntil(*wake);
}

void PacedEventQueue::dispatchUntil(YieldSchedule::Clock::time_point deadline)
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The timer only wakes the dispatcher; input wakes it earlier and is
    // handled at once.
    for (auto left = deadline - YieldSchedule::Clock::now(); left.count() > 0;
         left = deadline - YieldSchedule::Clock::now()) {
        m_wakeUp.start(std::chrono::ceil<std::chrono::milliseconds>(left));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    m_wakeUp.stop();
}

} // namespace zel
