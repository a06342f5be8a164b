#include "formzelpropertybox.h"
#include "labelbutton.h"
#include "zelpropertybox.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <memory>

using namespace zel;

class TestZelPropertyBox final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ZelPropertyBox> m_box;

    // Limits and start values as the main window sets them.
    void setUpAsMainWindowDoes()
    {
        m_box->setMaxShiftSpeed(1000);
        m_box->setMaxShiftTiming(1000);
        m_box->setMinShiftSpeed(0);
        m_box->setMinShiftTiming(0);
        m_box->setShiftSpeed(1);
        m_box->setShiftTiming(0);
    }
    bool showAndWait()
    {
        const Status shown = m_box->Show(nullptr);
        return shown.isOk() && QTest::qWaitForWindowExposed(window());
    }
    QWidget *window() const { return m_box->form()->window(); }
    template<typename T>
    T *control(const char *name) const
    {
        return window()->findChild<T *>(QString::fromLatin1(name));
    }

private Q_SLOTS:
    void init() { m_box = std::make_unique<ZelPropertyBox>(); }
    void cleanup()
    {
        m_box.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void show_onNewController_givesEmptyRanges()
    {
        QCOMPARE(m_box->MaxShiftSpeed(), qint16(0));
        QCOMPARE(m_box->MinShiftTiming(), qint16(0));
        QCOMPARE(m_box->ShiftSpeed(), qint16(0));
        QVERIFY(!window());

        QVERIFY(showAndWait());

        QCOMPARE(control<QScrollBar>("HScrollShiftSpeed")->maximum(), 0);
        QCOMPARE(control<QScrollBar>("HScrollShiftTiming")->maximum(), 0);
        QCOMPARE(control<QLineEdit>("TextShiftSpeed")->text(), QStringLiteral("0"));
    }

    void show_onHiddenDialog_seedsFormWithoutEvents()
    {
        setUpAsMainWindowDoes();
        QSignalSpy speed(m_box.get(), &ZelPropertyBox::ShiftSpeedChange);
        QSignalSpy timing(m_box.get(), &ZelPropertyBox::ShiftTimingChange);

        QVERIFY(showAndWait());

        auto *speedBar = control<QScrollBar>("HScrollShiftSpeed");
        QCOMPARE(speedBar->minimum(), 0);
        QCOMPARE(speedBar->maximum(), 1000);
        QCOMPARE(speedBar->value(), 1);
        QCOMPARE(control<QScrollBar>("HScrollShiftTiming")->maximum(), 1000);
        QCOMPARE(control<QLineEdit>("TextShiftSpeed")->text(), QStringLiteral("1"));
        QCOMPARE(control<QLineEdit>("TextShiftTiming")->text(), QStringLiteral("0"));
        QCOMPARE(speed.count(), 0);
        QCOMPARE(timing.count(), 0);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(window()->geometry().center(), screen.center());
    }

    void show_onOpenDialog_raisesEventForEachMovedValue()
    {
        setUpAsMainWindowDoes();
        QVERIFY(showAndWait());
        QWidget *open = window();
        QSignalSpy speed(m_box.get(), &ZelPropertyBox::ShiftSpeedChange);
        QSignalSpy timing(m_box.get(), &ZelPropertyBox::ShiftTimingChange);

        m_box->setShiftSpeed(7);
        QVERIFY(m_box->Show(nullptr).isOk());

        QCOMPARE(window(), open);
        QCOMPARE(speed.count(), 1);
        QCOMPARE(timing.count(), 0);
        QCOMPARE(m_box->ShiftSpeed(), qint16(7));
        QCOMPARE(control<QLineEdit>("TextShiftSpeed")->text(), QStringLiteral("7"));
    }

    void show_narrowingRangeOfOpenDialog_endsOnAskedValue()
    {
        setUpAsMainWindowDoes();
        m_box->setShiftSpeed(500);
        QVERIFY(showAndWait());

        m_box->setMaxShiftSpeed(300);
        m_box->setShiftSpeed(200);
        QVERIFY(m_box->Show(nullptr).isOk());

        QCOMPARE(control<QScrollBar>("HScrollShiftSpeed")->value(), 200);
        QCOMPARE(m_box->ShiftSpeed(), qint16(200));
    }

    void setShiftSpeed_onOpenDialog_leavesDialogAlone()
    {
        setUpAsMainWindowDoes();
        QVERIFY(showAndWait());
        QSignalSpy speed(m_box.get(), &ZelPropertyBox::ShiftSpeedChange);

        m_box->setShiftSpeed(9);

        QCOMPARE(control<QScrollBar>("HScrollShiftSpeed")->value(), 1);
        QCOMPARE(speed.count(), 0);
        QCOMPARE(m_box->ShiftSpeed(), qint16(9));
    }

    void show_withValueOutsideLimits_failsUnshown_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("timing");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("speedBarValue");
        QTest::newRow("step size above maximum")
            << 1200 << 0 << QStringLiteral("The step size 1200 lies outside its limits 0 to 1000.") << 0;
        QTest::newRow("step size below minimum")
            << -1 << 0 << QStringLiteral("The step size -1 lies outside its limits 0 to 1000.") << 0;
        QTest::newRow("step delay above maximum, step size already set")
            << 4 << 1001 << QStringLiteral("The step delay 1001 lies outside its limits 0 to 1000.") << 4;
    }

    void show_withValueOutsideLimits_failsUnshown()
    {
        QFETCH(int, speed);
        QFETCH(int, timing);
        setUpAsMainWindowDoes();
        m_box->setShiftSpeed(qint16(speed));
        m_box->setShiftTiming(qint16(timing));

        const Status shown = m_box->Show(nullptr);

        QVERIFY(shown.isFailure());
        QTEST(shown.message(), "message");
        QVERIFY(!window()->isVisible());
        QTEST(control<QScrollBar>("HScrollShiftSpeed")->value(), "speedBarValue");
    }

    void delayBar_relaysOnlyTimingChange()
    {
        setUpAsMainWindowDoes();
        QVERIFY(showAndWait());
        QSignalSpy speed(m_box.get(), &ZelPropertyBox::ShiftSpeedChange);
        QSignalSpy timing(m_box.get(), &ZelPropertyBox::ShiftTimingChange);

        control<QScrollBar>("HScrollShiftTiming")->triggerAction(QAbstractSlider::SliderSingleStepAdd);

        QCOMPARE(timing.count(), 1);
        QCOMPARE(m_box->ShiftTiming(), qint16(1));
        QCOMPARE(speed.count(), 0);
        QCOMPARE(m_box->ShiftSpeed(), qint16(1));
    }

    void closeAndShowAgain_keepsLastValues()
    {
        setUpAsMainWindowDoes();
        QVERIFY(showAndWait());
        QWidget *first = window();
        first->move(first->pos() + QPoint(50, 50));
        control<QLineEdit>("TextShiftSpeed")->setText(QStringLiteral("12"));
        control<QScrollBar>("HScrollShiftTiming")->setValue(30);

        QTest::mousePress(first->findChild<LabelButton *>(QStringLiteral("LabelBtn0")), Qt::LeftButton);
        QVERIFY(!first->isVisible());
        QCOMPARE(m_box->ShiftSpeed(), qint16(12));
        QCOMPARE(m_box->ShiftTiming(), qint16(30));

        QVERIFY(showAndWait());
        QVERIFY(window() != first);
        QCOMPARE(control<QScrollBar>("HScrollShiftSpeed")->value(), 12);
        QCOMPARE(control<QLineEdit>("TextShiftTiming")->text(), QStringLiteral("30"));
        QCOMPARE(window()->geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    }

    void show_withOwner_makesOwnerWindowTheParentOfTheDialog()
    {
        setUpAsMainWindowDoes();
        QWidget owner;
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));

        QVERIFY(m_box->Show(&owner).isOk());
        QCOMPARE(window()->windowHandle()->transientParent(), owner.windowHandle());
        QVERIFY(window()->parent() == nullptr);

        QVERIFY(m_box->Show(nullptr).isOk());
        QCOMPARE(window()->windowHandle()->transientParent(), nullptr);
    }
};

QTEST_MAIN(TestZelPropertyBox)
#include "tst_zelpropertybox.moc"
