#include "formzelpropertybox.h"
#include "labelbutton.h"
#include "zelpropertybox.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <memory>

using namespace zel;
using namespace Qt::StringLiterals;
using Values = QList<int>;

class TestZelPropertyBox final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ZelPropertyBox> m_box;
    Values m_speedEvents; // the controller's step size at each ShiftSpeedChange
    Values m_timingEvents;

    // Limits as the main window sets them, then one showing at `speed`.
    bool showAt(int speed, int maximum = 1000)
    {
        m_box->setMaxShiftSpeed(qint16(maximum));
        m_box->setMaxShiftTiming(1000);
        m_box->setShiftSpeed(qint16(speed));
        const bool ok = m_box->Show(nullptr).isOk() && QTest::qWaitForWindowExposed(window());
        m_speedEvents.clear();
        m_timingEvents.clear();
        return ok;
    }
    QWidget *window() const { return m_box->form()->window(); }
    QScrollBar *bar(const char *name) const
    {
        return window()->findChild<QScrollBar *>(QString::fromLatin1(name));
    }
    QLineEdit *box(const char *name) const
    {
        return window()->findChild<QLineEdit *>(QString::fromLatin1(name));
    }
    LabelButton *button(int index) const
    {
        return window()->findChild<LabelButton *>(u"LabelBtn%1"_s.arg(index));
    }
    static QPoint screenCentre() { return QGuiApplication::primaryScreen()->geometry().center(); }

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale::c());
        m_box = std::make_unique<ZelPropertyBox>();
        m_speedEvents.clear();
        m_timingEvents.clear();
        connect(m_box.get(), &ZelPropertyBox::ShiftSpeedChange, this,
                [this] { m_speedEvents.append(m_box->ShiftSpeed()); });
        connect(m_box.get(), &ZelPropertyBox::ShiftTimingChange, this,
                [this] { m_timingEvents.append(m_box->ShiftTiming()); });
    }
    void cleanup()
    {
        m_box.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void show_onHiddenDialog_seedsItWithoutEvents()
    {
        m_box->setMaxShiftSpeed(1000);
        m_box->setMaxShiftTiming(1000);
        m_box->setShiftSpeed(1);
        QVERIFY(m_box->Show(nullptr).isOk());
        QVERIFY(QTest::qWaitForWindowActive(window()));

        QCOMPARE(bar("HScrollShiftSpeed")->maximum(), 1000);
        QCOMPARE(bar("HScrollShiftSpeed")->value(), 1);
        QCOMPARE(box("TextShiftSpeed")->text(), u"1"_s);
        QCOMPARE(box("TextShiftTiming")->text(), u"0"_s);
        QVERIFY(m_speedEvents.isEmpty() && m_timingEvents.isEmpty());
        QCOMPARE(window()->geometry().center(), screenCentre());
        QCOMPARE(window()->focusWidget(), bar("HScrollShiftTiming"));
        for (QWidget *next : QWidgetList { bar("HScrollShiftSpeed"), box("TextShiftSpeed"),
                                           box("TextShiftTiming") }) {
            QTest::keyClick(window()->focusWidget(), Qt::Key_Tab);
            QCOMPARE(window()->focusWidget(), next);
        }
    }

    void show_onOpenDialog_raisesEventPerMovedValueOnly()
    {
        QVERIFY(showAt(1));
        QWidget *open = window();
        m_box->setShiftSpeed(9);
        QCOMPARE(bar("HScrollShiftSpeed")->value(), 1); // a plain store until the next Show

        QVERIFY(m_box->Show(nullptr).isOk());
        QCOMPARE(window(), open);
        QCOMPARE(m_speedEvents, Values { 9 });
        QVERIFY(m_timingEvents.isEmpty());

        // A narrower range moves the bar, but the asked value wins.
        m_box->setMaxShiftSpeed(5);
        m_box->setShiftSpeed(3);
        QVERIFY(m_box->Show(nullptr).isOk());
        QCOMPARE(m_box->ShiftSpeed(), qint16(3));
        QCOMPARE(box("TextShiftSpeed")->text(), u"3"_s);
    }

    void show_withValueOutsideLimits_failsUnshown_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("timing");
        QTest::addColumn<QString>("message");
        QTest::newRow("step size above maximum")
            << 1200 << 0 << u"The step size 1200 lies outside its limits 0 to 1000."_s;
        QTest::newRow("step size below minimum")
            << -1 << 0 << u"The step size -1 lies outside its limits 0 to 1000."_s;
        QTest::newRow("step delay above maximum")
            << 4 << 1001 << u"The step delay 1001 lies outside its limits 0 to 1000."_s;
    }

    void show_withValueOutsideLimits_failsUnshown()
    {
        QFETCH(int, speed);
        QFETCH(int, timing);
        m_box->setMaxShiftSpeed(1000);
        m_box->setMaxShiftTiming(1000);
        m_box->setShiftSpeed(qint16(speed));
        m_box->setShiftTiming(qint16(timing));

        const Status shown = m_box->Show(nullptr);

        QTEST(shown.message(), "message");
        QVERIFY(shown.isFailure());
        QVERIFY(!window()->isVisible());
    }

    void typedText_landsOnBarOrSnapsBack_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value"); // the bar stands at 5 of 0 to 1000 before
        QTest::newRow("whole number") << u"C"_s << u"12"_s << 12;
        QTest::newRow("fraction rounds down") << u"C"_s << u"2.9"_s << 2;
        QTest::newRow("leading zeros") << u"C"_s << u"007"_s << 7;
        QTest::newRow("blanks around") << u"C"_s << u"  12 "_s << 12;
        QTest::newRow("full-width digits and blank") << u"C"_s << u"　１２"_s << 12;
        QTest::newRow("German decimal comma") << u"de_DE"_s << u"2,9"_s << 2;
        QTest::newRow("-0.5 floors below minimum") << u"C"_s << u"-0.5"_s << 5;
        QTest::newRow("above maximum") << u"C"_s << u"1001"_s << 5;
        QTest::newRow("beyond 16 bits") << u"C"_s << u"40000"_s << 5;
        QTest::newRow("empty") << u"C"_s << QString() << 5;
        QTest::newRow("not a number") << u"C"_s << u"5x"_s << 5;
        QTest::newRow("infinity") << u"C"_s << u"inf"_s << 5;
    }

    void typedText_landsOnBarOrSnapsBack()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(int, value);
        QVERIFY(showAt(5));
        QLocale::setDefault(QLocale(locale));

        box("TextShiftSpeed")->setText(typed);

        QCOMPARE(bar("HScrollShiftSpeed")->value(), value);
        QCOMPARE(box("TextShiftSpeed")->text(), QString::number(value));
        QCOMPARE(m_speedEvents, value == 5 ? Values {} : Values { value });
        QVERIFY(m_timingEvents.isEmpty());
    }

    void momentaryButton_holdsStepSizeUntilReleased_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<Qt::MouseButton>("mouseButton");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("held");
        QTest::newRow("l> slows to 1") << 1 << Qt::LeftButton << 1000 << 5 << 1;
        QTest::newRow(">>> triples") << 2 << Qt::LeftButton << 1000 << 5 << 15;
        QTest::newRow("ll pauses, right button too") << 3 << Qt::RightButton << 1000 << 5 << 0;
        QTest::newRow(">>> at 0 changes nothing") << 2 << Qt::LeftButton << 1000 << 0 << 0;
        QTest::newRow(">>> held at the maximum") << 2 << Qt::LeftButton << 1000 << 400 << 1000;
        QTest::newRow(">>> beyond 16 bits held at the maximum")
            << 2 << Qt::LeftButton << 32767 << 20000 << 32767;
    }

    void momentaryButton_holdsStepSizeUntilReleased()
    {
        QFETCH(int, index);
        QFETCH(Qt::MouseButton, mouseButton);
        QFETCH(int, maximum);
        QFETCH(int, start);
        QFETCH(int, held);
        QVERIFY(showAt(start, maximum));
        const Values atPress = held == start ? Values {} : Values { held };

        QTest::mousePress(button(index), mouseButton);
        QCOMPARE(m_box->ShiftSpeed(), qint16(held));
        QCOMPARE(m_speedEvents, atPress);
        QTest::mouseRelease(button(index), mouseButton);

        QCOMPARE(m_box->ShiftSpeed(), qint16(start));
        QCOMPARE(m_speedEvents, held == start ? Values {} : (Values { held, start }));
        QVERIFY(m_timingEvents.isEmpty());
    }

    void delayThumbDrag_countsOnceWhenReleased()
    {
        QVERIFY(showAt(5));
        QScrollBar *delay = bar("HScrollShiftTiming");
        delay->setSliderDown(true);
        delay->setSliderPosition(40);
        delay->setSliderPosition(60);
        QVERIFY(m_timingEvents.isEmpty());

        delay->setSliderDown(false);
        QCOMPARE(m_timingEvents, Values { 60 });
        QCOMPARE(box("TextShiftTiming")->text(), u"60"_s);
        QVERIFY(m_speedEvents.isEmpty());
    }

    void closeOnPress_thenShow_startsFreshWindowFromLastValues()
    {
        QVERIFY(showAt(5));
        QWidget *first = window();
        first->move(first->pos() + QPoint(50, 50));
        box("TextShiftSpeed")->setText(u"12"_s);
        bar("HScrollShiftTiming")->setValue(30);

        QTest::mousePress(button(0), Qt::LeftButton);
        QVERIFY(!first->isVisible());
        QVERIFY(!window());
        QCOMPARE(m_box->ShiftSpeed(), qint16(12));
        QCOMPARE(m_box->ShiftTiming(), qint16(30));

        QVERIFY(m_box->Show(nullptr).isOk());
        QVERIFY(QTest::qWaitForWindowExposed(window()));
        QVERIFY(window() != first);
        QCOMPARE(bar("HScrollShiftSpeed")->value(), 12);
        QCOMPARE(box("TextShiftTiming")->text(), u"30"_s);
        QCOMPARE(window()->geometry().center(), screenCentre());
    }
};

QTEST_MAIN(TestZelPropertyBox)
#include "tst_zelpropertybox.moc"
