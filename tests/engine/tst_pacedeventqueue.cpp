#include "pacedeventqueue.h"
#include "yieldschedule.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTest>

#include <chrono>
#include <ctime>
#include <thread>

using namespace zel;
using namespace std::chrono_literals;
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
        // A yield after a change always waits for its slot, so it tells the slot.
        for (const int now : nows)
            actual << int((*schedule.wakeTime(start + microseconds(now), true) - start) /
                          microseconds(1));
        QCOMPARE(actual, slots);
    }

    // Times in ms after the first yield; -1 stands for a yield that returns at
    // once.
    void onlyChangesAndTheFrameCapWait()
    {
        YieldSchedule schedule;
        const YieldSchedule::Clock::time_point start = YieldSchedule::Clock::now();
        const auto wake = [&](int now, bool changed) {
            const auto slot = schedule.wakeTime(start + 1ms * now, changed);
            return slot ? int((*slot - start) / 1ms) : -1;
        };
        QCOMPARE(wake(0, false), 1);
        for (int slot = 2; slot <= 17; ++slot)
            QCOMPARE(wake(1, false), -1);
        QCOMPARE(wake(1, false), 18);

        for (int k = 1; k < 5; ++k)
            QCOMPARE(wake(18, false), -1);
        QCOMPARE(wake(18, true), 23);

        QCOMPARE(wake(1000, true), 1001);
        for (int k = 1; k < 15; ++k)
            QCOMPARE(wake(1001, false), -1);
        QCOMPARE(wake(1001, true), 1016);
    }

    // A yield without a change waits once a frame has passed since the last
    // wait ended, exactly then; a wait that comes after its slot ends when it
    // comes, not at its slot.
    void framesBetweenWaits_data()
    {
        QTest::addColumn<QList<int>>("nows"); // ms after the first yield, one yield each
        QTest::addColumn<QList<int>>("waits"); // the yields among them that wait
        QList<int> onTime;
        for (int now = 0; now <= 35; ++now)
            onTime << now;
        QTest::newRow("on time") << onTime << QList { 0, 17, 34 };
        QList<int> late { 0 };
        for (int now = 17; now <= 34; ++now)
            late << now;
        QTest::newRow("late") << late << QList { 0, 17, 33 };
    }

    void framesBetweenWaits()
    {
        QFETCH(QList<int>, nows);
        YieldSchedule schedule;
        const YieldSchedule::Clock::time_point start = YieldSchedule::Clock::now();
        QList<int> waits;
        for (const int now : nows) {
            if (schedule.wakeTime(start + 1ms * now, false))
                waits << now;
        }
        QTEST(waits, "waits");
    }

    // Yields whose work nearly fills their slot let the slots drift ahead so
    // slowly that the cap alone would leave input waiting for seconds.
    void inputWaitsAFrameAtMost_data()
    {
        QTest::addColumn<int>("workMicroseconds");
        for (const int work : { 800, 990, 1000 })
            QTest::addRow("%d us of work a yield", work) << work;
    }

    void inputWaitsAFrameAtMost()
    {
        QFETCH(int, workMicroseconds);
        YieldSchedule schedule;
        YieldSchedule::Clock::time_point now = YieldSchedule::Clock::now();
        auto lastWait = now;
        microseconds longestGap {};
        const auto noteGap = [&] {
            longestGap =
                std::max(longestGap, std::chrono::duration_cast<microseconds>(now - lastWait));
        };
        for (int i = 0; i < 5000; ++i, now += microseconds(workMicroseconds)) {
            if (const auto slot = schedule.wakeTime(now, false)) {
                noteGap();
                lastWait = std::max(now, *slot);
                now = lastWait;
            }
        }
        noteGap();
        QVERIFY2(longestGap <= YieldSchedule::kFrame + microseconds(workMicroseconds),
                 qPrintable(QStringLiteral("%1 us without a wait").arg(longestGap.count())));
    }

    void inputDuringASleepIsHandledAtOnce()
    {
        PacedEventQueue queue;
        for (int i = 0; i < 16; ++i)
            queue.yieldOnce();
        QElapsedTimer clock;
        clock.start();
        qint64 handledAt = -1;
        std::thread input([&] {
            std::this_thread::sleep_for(2ms);
            QMetaObject::invokeMethod(
                this, [&] { handledAt = clock.nsecsElapsed(); }, Qt::QueuedConnection);
        });
        queue.pictureChanged();
        queue.yieldOnce();
        const qint64 sleptUntil = clock.nsecsElapsed();
        input.join();
        QVERIFY(handledAt > 0);
        QVERIFY2(sleptUntil - handledAt > 3'000'000,
                 qPrintable(QStringLiteral("handled at %1 ns, slept until %2 ns")
                                .arg(handledAt)
                                .arg(sleptUntil)));
    }

    // Between its slots the thread sleeps on the dispatcher. A busy wait
    // would use about as much processor time as the clock shows, short of
    // what other programs take from it.
    void yieldsArePacedNotSpun()
    {
        const auto threadCpuTime = [] {
            timespec used {};
            clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
            return std::chrono::seconds(used.tv_sec) + std::chrono::nanoseconds(used.tv_nsec);
        };
        PacedEventQueue queue;
        const auto cpuBefore = threadCpuTime();
        QElapsedTimer wall;
        wall.start();
        for (int i = 0; i < 200; ++i) {
            if (i % 4 == 0)
                queue.pictureChanged();
            queue.yieldOnce();
        }
        const auto wallTime = std::chrono::nanoseconds(wall.nsecsElapsed());
        const auto cpuTime = threadCpuTime() - cpuBefore;
        QVERIFY2(wallTime >= 150ms && cpuTime * 10 < wallTime,
                 qPrintable(QStringLiteral("%1 us of processor time in %2 us")
                                .arg(cpuTime / 1us)
                                .arg(wallTime / 1us)));
    }

    // Posted events and deferred deletions arrive on the first yield, on a
    // later one after a change, and within a frame of yields without one.
    void yieldDeliversPostedEventsAndDeferredDeletes_data()
    {
        QTest::addColumn<int>("yieldsBefore");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("yieldsAtMost");
        const int frame = int(YieldSchedule::kFrame / YieldSchedule::kQuantum);
        QTest::newRow("first yields") << 0 << false << frame + 1;
        QTest::newRow("later, after a change") << 3 * frame << true << 1;
        QTest::newRow("later, without a change") << 3 * frame << false << frame + 1;
    }

    void yieldDeliversPostedEventsAndDeferredDeletes()
    {
        QFETCH(int, yieldsBefore);
        QFETCH(bool, changed);
        QFETCH(int, yieldsAtMost);
        PacedEventQueue queue;
        for (int i = 0; i < yieldsBefore; ++i)
            queue.yieldOnce();
        int delivered = 0;
        QMetaObject::invokeMethod(
            this, [&delivered] { ++delivered; }, Qt::QueuedConnection);
        QPointer<QObject> doomed = new QObject;
        doomed->deleteLater();
        if (changed)
            queue.pictureChanged();
        for (int i = 0; i < yieldsAtMost && delivered == 0; ++i)
            queue.yieldOnce();
        QCOMPARE(delivered, 1);
        QVERIFY(doomed.isNull());
    }
};

QTEST_GUILESS_MAIN(TestPacedEventQueue)
#include "tst_pacedeventqueue.moc"
