#include "fakedisplay.h"
#include "zelctrl.h"

#include <QTest>

#include <memory>

using namespace zel;
using namespace zel::test;

namespace {

const QString kLongText = QString(512, u'a') + QString(512, u'b') + u"cd"_s;

// A ticker bound to fake boxes, frame and form, with counted yields.
struct Rig
{
    QStringList log;
    FakeTextBox box0 { log, 0 }, box1 { log, 1 };
    FakeFrame frame;
    FakeMeasuringForm form { log };
    FakeEventQueue queue;
    std::unique_ptr<ZelCtrl> ctrl = std::make_unique<ZelCtrl>(queue);

    explicit Rig(const QString &text = u"abc"_s)
    {
        ctrl->setFormName(&form);
        ctrl->setFrameName(&frame);
        (void)ctrl->setTextBoxName({ &box0, &box1 });
        (void)ctrl->setText(text);
    }

    // Runs the loop with Fuel on, `during` inside every yield, until Fuel
    // goes off in yield number `yields`.
    Status run(int yields, const std::function<void(int)> &during = {})
    {
        queue.onYield = [=, this](int n) {
            if (during)
                during(n);
            if (n == yields)
                (void)ctrl->setFuel(false);
        };
        (void)ctrl->setFuel(true);
        return ctrl->Engine();
    }

    // "length of box 0's text @ its Left / the same for box 1"
    QString sample() const
    {
        return u"%1@%2/%3@%4"_s.arg(box0.text.size())
            .arg(box0.left)
            .arg(box1.text.size())
            .arg(box1.left);
    }
    qsizetype steps() const { return log.filter(u"box0.Top="_s).size(); }
};

} // namespace

class TestZelCtrl final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unboundPartsFailWhereTheyAreFirstNeeded()
    {
        QStringList log;
        FakeTextBox box0 { log, 0 }, box1 { log, 1 };
        FakeEventQueue queue;
        ZelCtrl ctrl { queue };
        QVERIFY(ctrl.setTextBoxName({ &box0, nullptr }).message().contains(u"box 1"_s));
        QCOMPARE(log, QStringList { u"box0.Visible=0"_s });
        QVERIFY(ctrl.SetCtrl().message().contains(u"frame"_s));

        FakeFrame frame;
        ctrl.setFrameName(&frame);
        QVERIFY(ctrl.setTextBoxName({ &box0, &box1 }).isOk());
        QVERIFY(ctrl.setText(u"abc"_s).isOk());
        QVERIFY(ctrl.Engine().message().contains(u"form"_s));
        QCOMPARE(box0.text, u"abc"_s); // written before the form was needed
    }

    void engineWithFuelOffLoadsOnePiece_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("behind");
        QTest::addColumn<int>("piecesPerPass");
        QTest::newRow("513 characters") << QString(512, u'a') + u'z' << u"z"_s << 2;
        QTest::newRow("surrogate pair at the cut")
            << QString(511, u'a') + u"\U0001F600b"_s << u"\U0001F600b"_s << 2;
        QTest::newRow("three pieces") << kLongText << QString(512, u'b') << 3;
    }

    void engineWithFuelOffLoadsOnePiece()
    {
        QFETCH(QString, text);
        QFETCH(QString, behind);
        QFETCH(int, piecesPerPass);
        Rig rig(text);
        QCOMPARE(rig.ctrl->Text(), text);
        QVERIFY(rig.ctrl->Engine().isOk());
        QCOMPARE(rig.box0.text + rig.box1.text, text.left(rig.box0.text.size() + behind.size()));
        QCOMPARE(rig.box1.text, behind);
        QCOMPARE(rig.box0.width, 10.0 * rig.box0.text.size());
        QCOMPARE(rig.box1.width, 10.0 * behind.size());
        QCOMPARE(rig.box0.left, rig.frame.width);
        QCOMPARE(rig.ctrl->Text(), text.mid(rig.box0.text.size()));
        for (int piece = 2; piece <= piecesPerPass; ++piece)
            QVERIFY(rig.ctrl->Engine().isOk());
        QCOMPARE(rig.ctrl->Text(), text); // wrapped: the last piece has nothing behind it
        QCOMPARE(rig.box1.text, QString());
        QCOMPARE(rig.queue.yields, 0);
    }

    void passes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("frameWidth");
        QTest::addColumn<qint16>("speed");
        QTest::addColumn<QStringList>("trace");
        // A swap only once the right edge is beyond the frame's left edge;
        // the next pass of a short text is carried by the other box.
        QTest::newRow("short text alternates boxes")
            << u"abc"_s << 60.0 << qint16(30)
            << QStringList { u"3@30/0@60"_s, u"3@0/0@30"_s, u"3@-30/0@0"_s, u"0@60/3@60"_s,
                             u"0@60/3@30"_s };
        QTest::newRow("513 characters")
            << QString(512, u'a') + u'z' << 1000.0 << qint16(1000)
            << QStringList { u"512@0/1@5120"_s,     u"512@-1000/1@4120"_s, u"512@-2000/1@3120"_s,
                             u"512@-3000/1@2120"_s, u"512@-4000/1@1120"_s, u"512@-5000/1@120"_s,
                             u"0@-6000/1@-880"_s,   u"512@1000/1@1000"_s,  u"512@0/1@5120"_s };
        QTest::newRow("empty text: a new pass at the left edge")
            << QString() << 60.0 << qint16(30)
            << QStringList { u"0@30/0@30"_s, u"0@0/0@0"_s, u"0@60/0@60"_s, u"0@30/0@30"_s };
        QTest::newRow("step size 0 stands")
            << u"abc"_s << 60.0 << qint16(0) << QStringList { u"3@60/0@90"_s, u"3@60/0@90"_s };
    }

    void passes()
    {
        QFETCH(QString, text);
        QFETCH(double, frameWidth);
        QFETCH(qint16, speed);
        QFETCH(QStringList, trace);
        Rig rig(text);
        rig.frame.width = frameWidth;
        rig.frame.height = 901;
        rig.ctrl->setShiftSpeed(speed);
        QStringList samples;
        QVERIFY(rig.run(int(trace.size()), [&](int) { samples << rig.sample(); }).isOk());
        QCOMPARE(samples, trace);
        QCOMPARE(rig.box0.top, (901.0 - 108.0) / 2); // 108: the 9-point box font
        QCOMPARE(rig.box1.top, rig.box0.top);
    }

    void frameWidthChangeDuringYield_data()
    {
        QTest::addColumn<double>("newWidth");
        QTest::addColumn<double>("leftAfterStep");
        QTest::newRow("narrower: back to the new right edge") << 900.0 << 890.0;
        QTest::newRow("unchanged: on the edge is not beyond it") << 1000.0 << 990.0;
        QTest::newRow("wider") << 1100.0 << 990.0;
    }

    void frameWidthChangeDuringYield()
    {
        QFETCH(double, newWidth);
        QFETCH(double, leftAfterStep);
        Rig rig;
        rig.ctrl->setShiftSpeed(0);
        QVERIFY(rig.run(2,
                        [&](int n) {
                            if (n == 1) {
                                rig.frame.width = newWidth;
                                rig.ctrl->setShiftSpeed(10);
                            }
                        })
                    .isOk());
        QCOMPARE(rig.box0.left, leftAfterStep);
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
        QCOMPARE(rig.steps() * yieldsPerStep, 12);
    }

    void fuelOffHidesAtOnceAndEndsAfterTheStep()
    {
        Rig rig;
        rig.ctrl->setShiftTiming(2);
        QVERIFY(rig.run(4,
                        [&](int n) {
                            if (n == 4)
                                rig.log.clear();
                        })
                    .isOk());
        QCOMPARE(rig.queue.yields, 6); // the step's other two yields still run
        QCOMPARE(rig.log, QStringList({ u"box0.Visible=0"_s, u"box1.Visible=0"_s }));
    }

    void newTextWhileRunningRestartsAtOnce()
    {
        Rig rig(u"old text"_s);
        rig.ctrl->setShiftTiming(3);
        rig.ctrl->setShiftSpeed(10);
        QStringList samples;
        QVERIFY(rig.run(7,
                        [&](int n) {
                            if (n == 2)
                                QVERIFY(rig.ctrl->setText(u"new"_s).isTakenOver());
                            if (n >= 2 && n <= 7)
                                samples << rig.sample();
                        })
                    .isOk());
        // At the right edge at once; the next step follows without the rest of
        // the interrupted step's yields.
        QCOMPARE(samples,
                 QStringList({ u"3@1000/0@1000"_s, u"3@990/0@1020"_s, u"3@990/0@1020"_s,
                               u"3@990/0@1020"_s, u"3@990/0@1020"_s, u"3@980/0@1010"_s }));
        QCOMPARE(rig.queue.maxDepth, 1);
    }

    void engineCallInsideAYield_data()
    {
        QTest::addColumn<bool>("fuelOffFirst");
        QTest::addColumn<int>("yields");
        QTest::newRow("fuel on: the loop goes on, box 0 leading") << false << 3;
        QTest::newRow("fuel off: one piece, then the loop ends") << true << 1;
    }

    void engineCallInsideAYield()
    {
        QFETCH(bool, fuelOffFirst);
        QFETCH(int, yields);
        Rig rig(kLongText);
        QVERIFY(rig.run(3,
                        [&](int n) {
                            if (n != 1)
                                return;
                            if (fuelOffFirst)
                                (void)rig.ctrl->setFuel(false);
                            const Status status = rig.ctrl->Engine();
                            QCOMPARE(status.isTakenOver(), !fuelOffFirst);
                            QVERIFY(!status.isFailure());
                            QCOMPARE(rig.sample(),
                                     u"512@999/2@6119"_s); // the pass goes on where it stands
                        })
                    .isOk());
        QCOMPARE(rig.queue.yields, yields);
        QCOMPARE(rig.box0.text, QString(512, u'b'));
    }

    void thousandRestartsDoNotNest()
    {
        Rig rig;
        int takenOver = 0;
        QVERIFY(rig.run(1001,
                        [&](int n) {
                            if (n <= 1000)
                                takenOver += rig.ctrl->setText(QString::number(n)).isTakenOver();
                        })
                    .isOk());
        QCOMPARE(takenOver, 1000);
        QCOMPARE(rig.queue.maxDepth, 1);
        QCOMPARE(rig.box0.text, u"1000"_s);
    }

    void failureInAStepEndsTheLoopKeepingFuel()
    {
        Rig rig;
        rig.ctrl->setShiftSpeed(1000);
        const Status status = rig.run(100, [&](int) { rig.ctrl->setFormName(nullptr); });
        QVERIFY(status.isFailure());
        QCOMPARE(rig.queue.yields, 1); // step 2's swap needed the form
        QVERIFY(rig.ctrl->Fuel());
    }

    void destroyedDuringAYieldStopsQuietly()
    {
        Rig rig;
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
