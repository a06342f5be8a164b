#include "fakedisplay.h"
#include "zelctrl.h"

#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace zel;
using namespace zel::test;

namespace {

// A ticker bound to fake boxes, frame and form, with counted yields.
struct Rig
{
    QStringList log;
    FakeTextBox box0 { log, 0 };
    FakeTextBox box1 { log, 1 };
    FakeFrame frame;
    FakeMeasuringForm form { log };
    FakeEventQueue queue;
    std::unique_ptr<ZelCtrl> ctrl = std::make_unique<ZelCtrl>(queue);

    Rig()
    {
        ctrl->setFormName(&form);
        ctrl->setFrameName(&frame);
        (void)ctrl->setTextBoxName({ &box0, &box1 });
    }

    // Runs the loop with Fuel on until `yields` yields have passed; `during`
    // runs inside every yield.
    Status run(int yields, const std::function<void(int)> &during = {})
    {
        queue.onYield = [this, yields, during](int n) {
            if (during)
                during(n);
            if (n == yields && ctrl)
                (void)ctrl->setFuel(false);
        };
        (void)ctrl->setFuel(true);
        return ctrl->Engine();
    }

    // "length of box 0's text @ its Left / the same for box 1"
    QString sample() const
    {
        return u"%1@%2/%3@%4"_s.arg(box0.Text().size()).arg(box0.Left()).arg(box1.Text().size()).arg(box1.Left());
    }

    int steps() const { return int(log.filter(u"box0.Top="_s).size()); }
};

} // namespace

class TestZelCtrl final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bindingBoxesHidesThemAndStopsFuel()
    {
        Rig rig;
        QCOMPARE(rig.log, QStringList({ u"box0.Visible=0"_s, u"box1.Visible=0"_s }));
        QVERIFY(!rig.ctrl->Fuel());
        QCOMPARE(rig.ctrl->ShiftSpeed(), 1);
        QCOMPARE(rig.ctrl->ShiftTiming(), 0);
    }

    void unboundPartsFailWithAMessage()
    {
        QStringList log;
        FakeTextBox box0 { log, 0 };
        FakeEventQueue queue;
        ZelCtrl ctrl { queue };
        Status status = ctrl.setTextBoxName({ &box0, nullptr });
        QVERIFY(status.isFailure());
        QVERIFY(status.message().contains(u"box 1"_s));
        QCOMPARE(log, QStringList { u"box0.Visible=0"_s }); // box 0 was hidden before the failure
        QVERIFY(ctrl.SetCtrl().message().contains(u"frame"_s));

        FakeTextBox box1 { log, 1 };
        FakeFrame frame;
        ctrl.setFrameName(&frame);
        (void)ctrl.setTextBoxName({ &box0, &box1 });
        QVERIFY(ctrl.setText(u"abc"_s).isOk());
        status = ctrl.Engine();
        QVERIFY(status.message().contains(u"form"_s));
        QCOMPARE(box0.Text(), u"abc"_s); // written before the form was needed
        QCOMPARE(queue.yields, 0);
    }

    void engineWithFuelOffLoadsOnePiece()
    {
        Rig rig;
        const QString text = QString(512, u'a') + u'z';
        QVERIFY(rig.ctrl->setText(text).isOk());
        QCOMPARE(rig.ctrl->Text(), text);
        rig.log.clear();
        QVERIFY(rig.ctrl->Engine().isOk());
        QCOMPARE(rig.box0.Text(), QString(512, u'a'));
        QCOMPARE(rig.box1.Text(), u"z"_s);
        QCOMPARE(rig.box0.Width(), 5120.0);
        QCOMPARE(rig.box1.Width(), 10.0);
        QCOMPARE(rig.box0.Left(), rig.frame.width);
        QCOMPARE(rig.log.first(), u"box0.Left=1000"_s);
        QCOMPARE(rig.queue.yields, 0);
        QCOMPARE(rig.steps(), 0);
    }

    void textGetReturnsWhatIsNotYetCut()
    {
        Rig rig;
        const QString text = QString(512, u'a') + QString(512, u'b') + u"cd"_s;
        QVERIFY(rig.ctrl->setText(text).isOk());
        QVERIFY(rig.ctrl->Engine().isOk());
        QCOMPARE(rig.ctrl->Text(), text.mid(512));
        QVERIFY(rig.ctrl->Engine().isOk());
        QCOMPARE(rig.ctrl->Text(), u"cd"_s);
        QVERIFY(rig.ctrl->Engine().isOk());
        QCOMPARE(rig.box0.Text(), u"cd"_s);
        QCOMPARE(rig.box1.Text(), QString());
        QCOMPARE(rig.ctrl->Text(), text);
    }

    void keepsSurrogatePairsWhole()
    {
        Rig rig;
        const QString pair = u"\U0001F600"_s;
        QVERIFY(rig.ctrl->setText(QString(511, u'a') + pair + u"b"_s).isOk());
        QVERIFY(rig.ctrl->Engine().isOk());
        QCOMPARE(rig.box0.Text(), QString(511, u'a'));
        QCOMPARE(rig.box1.Text(), pair + u"b"_s);
    }

    void passes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("frameWidth");
        QTest::addColumn<qint16>("speed");
        QTest::addColumn<QStringList>("trace");

        // Swaps only once the right edge is beyond the frame's left edge, and
        // the next pass is carried by the other box.
        QTest::newRow("short text alternates boxes")
            << u"abc"_s << 60.0 << qint16(30)
            << QStringList { u"3@30/0@60"_s, u"3@0/0@30"_s, u"3@-30/0@0"_s, u"0@60/3@60"_s, u"0@60/3@30"_s };
        QTest::newRow("513 characters")
            << QString(512, u'a') + u'z' << 1000.0 << qint16(1000)
            << QStringList { u"512@0/1@5120"_s, u"512@-1000/1@4120"_s, u"512@-2000/1@3120"_s,
                             u"512@-3000/1@2120"_s, u"512@-4000/1@1120"_s, u"512@-5000/1@120"_s,
                             u"0@-6000/1@-880"_s, u"512@1000/1@1000"_s, u"512@0/1@5120"_s };
        QTest::newRow("empty text starts a pass at the left edge")
            << QString() << 60.0 << qint16(30)
            << QStringList { u"0@30/0@30"_s, u"0@0/0@0"_s, u"0@60/0@60"_s, u"0@30/0@30"_s };
        QTest::newRow("step size 0 stands still")
            << u"abc"_s << 60.0 << qint16(0) << QStringList { u"3@60/0@90"_s, u"3@60/0@90"_s };
    }

    void passes()
    {
        QFETCH(QString, text);
        QFETCH(double, frameWidth);
        QFETCH(qint16, speed);
        QFETCH(QStringList, trace);

        Rig rig;
        rig.frame.width = frameWidth;
        rig.ctrl->setShiftSpeed(speed);
        QVERIFY(rig.ctrl->setText(text).isOk());
        QStringList samples;
        QVERIFY(rig.run(int(trace.size()), [&](int) { samples << rig.sample(); }).isOk());
        QCOMPARE(samples, trace);
    }

    void centresBoxesVertically()
    {
        Rig rig;
        rig.frame.height = 901;
        QVERIFY(rig.ctrl->setText(u"abc"_s).isOk());
        QVERIFY(rig.run(1).isOk());
        QCOMPARE(rig.box0.Top(), (901.0 - 108.0) / 2); // 108: 12 twips per point of the box's 9-point font
        QCOMPARE(rig.box1.Top(), rig.box0.Top());
    }

    void frameWidthChangeDuringYield_data()
    {
        QTest::addColumn<double>("newWidth");
        QTest::addColumn<double>("leftAfterStep");
        QTest::newRow("narrower: back to the new right edge") << 900.0 << 890.0;
        QTest::newRow("unchanged: standing on the edge is not reset") << 1000.0 << 990.0;
        QTest::newRow("wider") << 1100.0 << 990.0;
    }

    void frameWidthChangeDuringYield()
    {
        QFETCH(double, newWidth);
        QFETCH(double, leftAfterStep);
        Rig rig;
        rig.ctrl->setShiftSpeed(0);
        QVERIFY(rig.ctrl->setText(u"abc"_s).isOk());
        QVERIFY(rig.run(2, [&](int n) {
            if (n == 1) {
                rig.frame.width = newWidth;
                rig.ctrl->setShiftSpeed(10);
            }
        }).isOk());
        QCOMPARE(rig.box0.Left(), leftAfterStep);
    }

    void yieldsPerStep_data()
    {
        QTest::addColumn<qint16>("timing");
        QTest::addColumn<int>("yieldsPerStep");
        QTest::newRow("0") << qint16(0) << 1;
        QTest::newRow("negative") << qint16(-3) << 1;
        QTest::newRow("3") << qint16(3) << 4;
    }

    void yieldsPerStep()
    {
        QFETCH(qint16, timing);
        QFETCH(int, yieldsPerStep);
        Rig rig;
        rig.ctrl->setShiftTiming(timing);
        QVERIFY(rig.run(12).isOk());
        QCOMPARE(rig.queue.yields, 12);
        QCOMPARE(rig.steps() * yieldsPerStep, 12);
    }

    void fuelOffHidesAtOnceAndEndsAfterTheStep()
    {
        Rig rig;
        rig.ctrl->setShiftTiming(2);
        QVERIFY(rig.ctrl->setText(u"abc"_s).isOk());
        qsizetype logSizeAfterStop = 0;
        QVERIFY(rig.run(4, [&](int n) {
            if (n == 4) {
                rig.log.clear();
                (void)rig.ctrl->setFuel(false);
                logSizeAfterStop = rig.log.size();
            }
        }).isOk());
        QCOMPARE(rig.log.mid(0, 2), QStringList({ u"box0.Visible=0"_s, u"box1.Visible=0"_s }));
        QCOMPARE(rig.queue.yields, 6); // the step's other two yields still run
        QCOMPARE(rig.log.size(), logSizeAfterStop + 2); // the Fuel off of run(); nothing moved
        QCOMPARE(rig.ctrl->Text(), u"abc"_s);
    }

    void newTextWhileRunningRestartsAtOnce()
    {
        Rig rig;
        rig.ctrl->setShiftTiming(3);
        rig.ctrl->setShiftSpeed(10);
        QVERIFY(rig.ctrl->setText(u"old text"_s).isOk());
        QStringList afterRestart;
        QVERIFY(rig.run(7, [&](int n) {
            if (n == 2) {
                QVERIFY(rig.ctrl->setText(u"new"_s).isTakenOver());
                afterRestart << rig.sample();
            } else if (n > 2 && n <= 7) {
                afterRestart << rig.sample();
            }
        }).isOk());
        // At once at the right edge; the next step follows without the rest of
        // the interrupted step's yields.
        QCOMPARE(afterRestart, QStringList({ u"3@1000/0@1000"_s, u"3@990/0@1020"_s, u"3@990/0@1020"_s,
                                             u"3@990/0@1020"_s, u"3@990/0@1020"_s, u"3@980/0@1010"_s }));
        QCOMPARE(rig.queue.maxDepth, 1);
    }

    void engineCallInsideAYield_data()
    {
        QTest::addColumn<bool>("fuelOffFirst");
        QTest::addColumn<bool>("takenOver");
        QTest::addColumn<int>("yields");
        QTest::newRow("fuel on: the loop goes on with box 0 leading") << false << true << 3;
        QTest::newRow("fuel off: one piece, then the loop ends") << true << false << 1;
    }

    void engineCallInsideAYield()
    {
        QFETCH(bool, fuelOffFirst);
        QFETCH(bool, takenOver);
        QFETCH(int, yields);
        Rig rig;
        const QString text = QString(512, u'a') + QString(512, u'b') + u"cd"_s;
        QVERIFY(rig.ctrl->setText(text).isOk());
        QVERIFY(rig.run(3, [&](int n) {
            if (n != 1)
                return;
            if (fuelOffFirst)
                (void)rig.ctrl->setFuel(false);
            const Status status = rig.ctrl->Engine();
            QCOMPARE(status.isTakenOver(), takenOver);
            QVERIFY(!status.isFailure());
            QCOMPARE(rig.box0.Text(), QString(512, u'b'));
            QCOMPARE(rig.box1.Text(), u"cd"_s);
            QCOMPARE(rig.box0.Left(), 999.0); // continues the pass where it stands
        }).isOk());
        QCOMPARE(rig.queue.yields, yields);
        QCOMPARE(rig.queue.maxDepth, 1);
    }

    void thousandRestartsDoNotNest()
    {
        Rig rig;
        QVERIFY(rig.ctrl->setText(u"start"_s).isOk());
        int takenOver = 0;
        QVERIFY(rig.run(1001, [&](int n) {
            if (n <= 1000)
                takenOver += rig.ctrl->setText(QString::number(n)).isTakenOver();
        }).isOk());
        QCOMPARE(takenOver, 1000);
        QCOMPARE(rig.queue.maxDepth, 1);
        QCOMPARE(rig.box0.Text(), u"1000"_s);
    }

    void rebindingBoxesWhileRunningStopsTheLoop()
    {
        Rig rig;
        QStringList otherLog;
        FakeTextBox other0 { otherLog, 0 };
        FakeTextBox other1 { otherLog, 1 };
        QVERIFY(rig.ctrl->setText(u"abc"_s).isOk());
        rig.queue.onYield = [&](int n) {
            if (n == 2)
                QVERIFY(rig.ctrl->setTextBoxName({ &other0, &other1 }).isOk());
        };
        (void)rig.ctrl->setFuel(true);
        QVERIFY(rig.ctrl->Engine().isOk());
        QCOMPARE(rig.queue.yields, 2);
        QVERIFY(!rig.ctrl->Fuel());
        QCOMPARE(otherLog, QStringList({ u"box0.Visible=0"_s, u"box1.Visible=0"_s }));
    }

    void failureInAStepEndsTheLoopKeepingFuel()
    {
        Rig rig;
        rig.ctrl->setShiftSpeed(1000);
        QVERIFY(rig.ctrl->setText(u"abc"_s).isOk());
        const Status status = rig.run(100, [&](int n) {
            if (n == 1)
                rig.ctrl->setFormName(nullptr);
        });
        QVERIFY(status.isFailure());
        QCOMPARE(rig.queue.yields, 1); // the swap in step 2 needed the form
        QVERIFY(rig.ctrl->Fuel());
    }

    void destroyedDuringAYieldStopsQuietly()
    {
        Rig rig;
        QVERIFY(rig.ctrl->setText(u"abc"_s).isOk());
        rig.ctrl->setShiftTiming(5);
        ZelCtrl *const ticker = rig.ctrl.get();
        rig.queue.onYield = [&](int n) {
            if (n == 3)
                rig.ctrl.reset();
        };
        (void)ticker->setFuel(true);
        QVERIFY(ticker->Engine().isTakenOver());
        QCOMPARE(rig.queue.yields, 3);
    }
};

QTEST_GUILESS_MAIN(TestZelCtrl)
#include "tst_zelctrl.moc"
