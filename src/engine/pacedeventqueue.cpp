#include "pacedeventqueue.h"

#include "precisesleep.h"

#include <QCoreApplication>
#include <QEvent>

namespace zel {

void PacedEventQueue::yieldOnce()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    sleepUntil(m_schedule.nextSlot(YieldSchedule::Clock::now()));
}

} // namespace zel
