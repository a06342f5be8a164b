#include "formzelpropertybox.h"
#include "labelbutton.h"
#include "linewidget.h"

#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace zel;
using namespace Qt::StringLiterals;

using Values = QList<int>;

class TestFormZelPropertyBox final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FormZelPropertyBox> m_form;
    // The step size the form showed at each ShiftSpeedChange.
    Values m_speedEvents;
    int m_timingEvents = 0;

    // The form as its controller leaves it: range set, value set, shown.
    QWidget *shownForm(int minimum, int maximum, int speed)
    {
        QScrollBar *bar = m_form->HScrollShiftSpeed();
        bar->setRange(minimum, maximum);
        bar->setValue(speed);
        m_form->HScrollShiftTiming()->setRange(0, 1000);
        m_form->Show(nullptr);
        QWidget *window = m_form->window();
        if (!QTest::qWaitForWindowExposed(window))
            return nullptr;
        m_speedEvents.clear();
        m_timingEvents = 0;
        return window;
    }
    QScrollBar *speedBar() const { return m_form->window()->findChild<QScrollBar *>(QStringLiteral("HScrollShiftSpeed")); }
    QScrollBar *timingBar() const { return m_form->window()->findChild<QScrollBar *>(QStringLiteral("HScrollShiftTiming")); }
    QLineEdit *speedBox() const { return m_form->window()->findChild<QLineEdit *>(QStringLiteral("TextShiftSpeed")); }
    QLineEdit *timingBox() const { return m_form->window()->findChild<QLineEdit *>(QStringLiteral("TextShiftTiming")); }
    LabelButton *button(int index) const
    {
        return m_form->window()->findChild<LabelButton *>(QStringLiteral("LabelBtn%1").arg(index));
    }

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale::c());
        m_form = std::make_unique<FormZelPropertyBox>();
        m_speedEvents.clear();
        m_timingEvents = 0;
        connect(m_form.get(), &FormZelPropertyBox::ShiftSpeedChange, this,
                [this] { m_speedEvents.append(m_form->HScrollShiftSpeed()->value()); });
        connect(m_form.get(), &FormZelPropertyBox::ShiftTimingChange, this, [this] { ++m_timingEvents; });
    }
    void cleanup()
    {
        m_form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QLocale::setDefault(QLocale::c());
    }

    void typedText_landsOnBarOrSnapsBack_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shown");
        // The bar stands at 5 in the range 0 to 1000 before each entry.
        QTest::newRow("whole number") << u"C"_s << u"12"_s << 12 << u"12"_s;
        QTest::newRow("fraction rounds down") << u"C"_s << u"2.9"_s << 2 << u"2"_s;
        QTest::newRow("leading zeros") << u"C"_s << u"007"_s << 7 << u"7"_s;
        QTest::newRow("blanks around") << u"C"_s << u"  12 "_s << 12 << u"12"_s;
        QTest::newRow("full-width digits and blank") << u"C"_s << u"　１２"_s << 12 << u"12"_s;
        QTest::newRow("exponent") << u"C"_s << u"1e2"_s << 100 << u"100"_s;
        QTest::newRow("maximum") << u"C"_s << u"1000"_s << 1000 << u"1000"_s;
        QTest::newRow("minimum") << u"C"_s << u"0"_s << 0 << u"0"_s;
        QTest::newRow("German decimal comma") << u"de_DE"_s << u"2,9"_s << 2 << u"2"_s;
        QTest::newRow("-0.5 floors below minimum") << u"C"_s << u"-0.5"_s << 5 << u"5"_s;
        QTest::newRow("above maximum") << u"C"_s << u"1001"_s << 5 << u"5"_s;
        QTest::newRow("beyond 16 bits") << u"C"_s << u"40000"_s << 5 << u"5"_s;
        QTest::newRow("empty") << u"C"_s << u""_s << 5 << u"5"_s;
        QTest::newRow("blanks only") << u"C"_s << u"   "_s << 5 << u"5"_s;
        QTest::newRow("not a number") << u"C"_s << u"fast"_s << 5 << u"5"_s;
        QTest::newRow("infinity") << u"C"_s << u"inf"_s << 5 << u"5"_s;
    }

    void typedText_landsOnBarOrSnapsBack()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(int, value);
        QFETCH(QString, shown);
        QVERIFY(shownForm(0, 1000, 5));
        QLocale::setDefault(QLocale(locale));

        speedBox()->setText(typed);

        QCOMPARE(speedBar()->value(), value);
        QCOMPARE(speedBox()->text(), shown);
        // One event for a change, none for a refused entry.
        QCOMPARE(m_speedEvents, value == 5 ? Values{} : Values{value});
        QCOMPARE(m_timingEvents, 0);
        QCOMPARE(timingBar()->value(), 0);
    }

    void keystrokes_eachTakeEffectAndNeverLeaveBoxEmpty()
    {
        QVERIFY(shownForm(0, 1000, 5));
        speedBox()->setFocus();
        speedBox()->end(false);

        QTest::keyClick(speedBox(), Qt::Key_0);
        QCOMPARE(speedBar()->value(), 50);
        QTest::keyClick(speedBox(), Qt::Key_X);
        QCOMPARE(speedBox()->text(), QStringLiteral("50"));
        QTest::keyClick(speedBox(), Qt::Key_Backspace);
        QTest::keyClick(speedBox(), Qt::Key_Backspace);
        QCOMPARE(speedBox()->text(), QStringLiteral("5"));
        QCOMPARE(speedBar()->value(), 5);
    }

    void barChange_rewritesBoxButRaisesEventsOnlyWhileVisible()
    {
        m_form->HScrollShiftSpeed()->setRange(0, 1000);
        m_form->HScrollShiftSpeed()->setValue(7);
        m_form->HScrollShiftTiming()->setValue(9);
        QCOMPARE(speedBox()->text(), QStringLiteral("7"));
        QCOMPARE(timingBox()->text(), QStringLiteral("9"));
        QVERIFY(m_speedEvents.isEmpty());
        QCOMPARE(m_timingEvents, 0);

        QVERIFY(shownForm(0, 1000, 7));
        timingBar()->setValue(30);
        QCOMPARE(timingBox()->text(), QStringLiteral("30"));
        QCOMPARE(m_timingEvents, 1);
        QVERIFY(m_speedEvents.isEmpty());
    }

    void thumbDrag_countsOnceWhenReleased()
    {
        QVERIFY(shownForm(0, 1000, 5));
        speedBar()->setSliderDown(true);
        speedBar()->setSliderPosition(40);
        speedBar()->setSliderPosition(60);
        QVERIFY(m_speedEvents.isEmpty());

        speedBar()->setSliderDown(false);
        QCOMPARE(m_speedEvents, Values{60});
        QCOMPARE(speedBox()->text(), QStringLiteral("60"));
    }

    void momentaryButton_holdsValueUntilReleased_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<Qt::MouseButton>("mouseButton");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("held");
        QTest::addColumn<Values>("eventsAtPress");

        QTest::newRow("l> slows to 1") << 1 << Qt::LeftButton << 0 << 1000 << 5 << 1 << Values{1};
        QTest::newRow(">>> triples") << 2 << Qt::LeftButton << 0 << 1000 << 5 << 15 << Values{15};
        QTest::newRow("ll pauses") << 3 << Qt::LeftButton << 0 << 1000 << 5 << 0 << Values{0};
        QTest::newRow("ll with right button") << 3 << Qt::RightButton << 0 << 1000 << 5 << 0 << Values{0};
        QTest::newRow("l> at 1 changes nothing") << 1 << Qt::LeftButton << 0 << 1000 << 1 << 1 << Values{};
        QTest::newRow(">>> at 0 changes nothing") << 2 << Qt::LeftButton << 0 << 1000 << 0 << 0 << Values{};
        QTest::newRow("ll at 0 changes nothing") << 3 << Qt::LeftButton << 0 << 1000 << 0 << 0 << Values{};
        QTest::newRow(">>> held at the maximum") << 2 << Qt::LeftButton << 0 << 1000 << 400 << 1000 << Values{1000};
        QTest::newRow(">>> beyond 16 bits held at the maximum")
            << 2 << Qt::LeftButton << 0 << 32767 << 20000 << 32767 << Values{32767};
        QTest::newRow("l> held at a minimum above 1") << 1 << Qt::LeftButton << 3 << 1000 << 5 << 3 << Values{3};
        QTest::newRow("ll held at a minimum above 0") << 3 << Qt::LeftButton << 2 << 1000 << 2 << 2 << Values{};
    }

    void momentaryButton_holdsValueUntilReleased()
    {
        QFETCH(int, index);
        QFETCH(Qt::MouseButton, mouseButton);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, start);
        QFETCH(int, held);
        QFETCH(Values, eventsAtPress);
        QVERIFY(shownForm(minimum, maximum, start));

        QTest::mousePress(button(index), mouseButton);
        QCOMPARE(speedBar()->value(), held);
        QCOMPARE(speedBox()->text(), QString::number(held));
        QCOMPARE(m_speedEvents, eventsAtPress);
        QCOMPARE(m_form->SavedShiftSpeed(), qint16(start));

        QTest::mouseRelease(button(index), mouseButton);
        QCOMPARE(speedBar()->value(), start);
        const Values afterRelease = held == start ? Values{} : eventsAtPress + Values{start};
        QCOMPARE(m_speedEvents, afterRelease);
        QCOMPARE(m_timingEvents, 0);
    }

    void closeButton_closesOnPressAndNextLoadStartsAfresh()
    {
        QWidget *first = shownForm(0, 1000, 5);
        QVERIFY(first);

        QTest::mousePress(button(0), Qt::LeftButton);
        QVERIFY(!first->isVisible());
        QVERIFY(!m_form->window());
        QVERIFY(m_speedEvents.isEmpty());

        QScrollBar *fresh = m_form->HScrollShiftSpeed();
        QVERIFY(fresh->window() != first);
        QCOMPARE(fresh->maximum(), 32767);
        QCOMPARE(fresh->value(), 0);
        QCOMPARE(speedBox()->text(), QStringLiteral("0"));
        QVERIFY(!m_form->window()->isVisible());

        // The frame acts on the new window's lines.
        QVERIFY(shownForm(0, 1000, 5));
        QTest::mouseMove(button(2), QPoint(4, 4));
        auto *top = m_form->window()->findChild<LineWidget *>(QStringLiteral("LineCB1"));
        QVERIFY(top->isVisibleTo(m_form->window()));
        QCOMPARE(top->X1(), 495.0);
    }

    void window_hasLookAndFocusOrder()
    {
        QWidget *window = shownForm(0, 1000, 5);
        QVERIFY(window);
        QCOMPARE(window->objectName(), QStringLiteral("FormZelPropertyBox"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Zel Speed Settings"));
        QCOMPARE(window->size(), QSize(200, 100));
        QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(speedBar()->singleStep(), 1);
        QCOMPARE(speedBar()->pageStep(), 1);
        for (const QLabel *label : window->findChildren<QLabel *>()) {
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
            QVERIFY2(label->focusPolicy() == Qt::NoFocus, qPrintable(label->objectName()));
        }

        QList<QWidget *> chain{timingBar()};
        for (QWidget *next = timingBar()->nextInFocusChain(); chain.size() < 4; next = next->nextInFocusChain()) {
            if (next->focusPolicy() & Qt::TabFocus)
                chain.append(next);
        }
        QCOMPARE(chain, (QList<QWidget *>{timingBar(), speedBar(), speedBox(), timingBox()}));
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(window->focusWidget(), timingBar());
    }

    void backgroundPress_dragsDialog()
    {
        QWidget *window = shownForm(0, 1000, 5);
        QVERIFY(window);
        const QPoint start = window->pos();
        const QPoint background(100, 25);
        QCursor::setPos(window->mapToGlobal(background));

        QTest::mousePress(window, Qt::RightButton, {}, background);
        QTest::mouseMove(window, background + QPoint(-25, 15));
        QTest::mouseRelease(window, Qt::RightButton, {}, background + QPoint(-25, 15));

        QCOMPARE(window->pos(), start + QPoint(-25, 15));
    }
};

QTEST_MAIN(TestFormZelPropertyBox)
#include "tst_formzelpropertybox.moc"
