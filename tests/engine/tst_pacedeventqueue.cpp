#include "pacedeventqueue.h"
#include "yieldschedule.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTest>

#include <chrono>

using namespace zel;
using std::chrono::microseconds;

class TestPacedEventQueue final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void slots_data()
    {
        // Times in microseconds after the first yield.
        QTest::addColumn<QList<int>>("nows");
        QTest::addColumn<QList<int>>("slots");
        QTest::newRow("on time") << QList { 0, 1000, 2000, 3000 }
                                 << QList { 1000, 2000, 3000, 4000 };
        QTest::newRow("work between yields does not slow the rate")
            << QList { 0, 1400, 2400 } << QList { 1000, 2000, 3000 };
        QTest::newRow("a little late catches up")
            << QList { 0, 4000, 4000, 4000 } << QList { 1000, 2000, 3000, 4000 };
        QTest::newRow("a stall starts again from now")
            << QList { 0, 50000, 50000 } << QList { 1000, 51000, 52000 };
    }

    void slots()
    {
        QFETCH(QList<int>, nows);
        QFETCH(QList<int>, slots);
        YieldSchedule schedule;
        const YieldSchedule::Clock::time_point start = YieldSchedule::Clock::now();
        QList<int> actual;
        for (const int now : nows)
            actual << int((schedule.nextSlot(start + microseconds(now)) - start) / microseconds(1));
        QCOMPARE(actual, slots);
    }

    void yieldsArePacedNotSpun()
    {
        PacedEventQueue queue;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 200; ++i)
            queue.yieldOnce();
        // Only the lower bound is reliable on a loaded machine.
        QCOMPARE_GE(timer.elapsed(), 150);
    }

    void yieldDeliversPostedEventsAndDeferredDeletes()
    {
        PacedEventQueue queue;
        int delivered = 0;
        QMetaObject::invokeMethod(
            this, [&delivered] { ++delivered; }, Qt::QueuedConnection);
        QPointer<QObject> doomed = new QObject;
        doomed->deleteLater();
        queue.yieldOnce();
        QCOMPARE(delivered, 1);
        QVERIFY(doomed.isNull());
    }
};

QTEST_GUILESS_MAIN(TestPacedEventQueue)
#include "tst_pacedeventqueue.moc"
