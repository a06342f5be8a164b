#include "formremocon.h"
#include "labelbutton.h"
#include "linewidget.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace zel;

class TestFormRemoCon final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FormRemoCon> m_panel;

    QWidget *shownWindow()
    {
        m_panel->Show();
        QWidget *window = m_panel->window();
        if (window && !QTest::qWaitForWindowExposed(window))
            return nullptr;
        return window;
    }
    static LabelButton *button(QWidget *window, int index)
    {
        return window->findChild<LabelButton *>(QStringLiteral("LabelBtn%1").arg(index));
    }
    static LineWidget *line(QWidget *window, int index)
    {
        return window->findChild<LineWidget *>(QStringLiteral("LineCB%1").arg(index));
    }
    static bool frameShown(QWidget *window)
    {
        for (int i = 0; i < 4; ++i) {
            if (!line(window, i)->isVisibleTo(window))
                return false;
        }
        return true;
    }
    static bool frameHidden(QWidget *window)
    {
        for (int i = 0; i < 4; ++i) {
            if (line(window, i)->isVisibleTo(window))
                return false;
        }
        return true;
    }
    static QPoint screenCentredPosition()
    {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        return {screen.x() + (screen.width() - 200) / 2, screen.y() + (screen.height() - 100) / 2};
    }
    // A spot on the picture that no label covers.
    static constexpr QPoint kBackground{150, 40};

private Q_SLOTS:
    void init() { m_panel = std::make_unique<FormRemoCon>(); }
    void cleanup()
    {
        m_panel.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void show_loadsCentredWindowWithVersionAndNoFrame()
    {
        QVERIFY(!m_panel->window());
        QWidget *window = shownWindow();
        QVERIFY(window);

        QCOMPARE(window->objectName(), QStringLiteral("FormRemoCon"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Zel Remote Control"));
        QCOMPARE(window->size(), QSize(200, 100));
        QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(window->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
        QCOMPARE(window->pos(), screenCentredPosition());
        QVERIFY(frameHidden(window));

        const auto *about = window->findChild<QLabel *>(QStringLiteral("LabelAbout"));
        QVERIFY(about);
        QCOMPARE(about->text(), QStringLiteral("Ver %1.%2.%3")
                                    .arg(ZEL_VERSION_MAJOR)
                                    .arg(ZEL_VERSION_MINOR)
                                    .arg(ZEL_VERSION_PATCH));
        QVERIFY(QRegularExpression(QStringLiteral("^Ver \\d+\\.\\d+\\.\\d+$")).match(about->text()).hasMatch());
    }

    void window_takesNoFocusAndShowsCaptionsAsPlainText()
    {
        QWidget *window = shownWindow();
        QVERIFY(window);
        const QList<QWidget *> controls = window->findChildren<QWidget *>();
        QVERIFY(controls.size() >= 11);
        for (const QWidget *control : controls)
            QVERIFY2(control->focusPolicy() == Qt::NoFocus, qPrintable(control->objectName()));
        for (const QLabel *label : window->findChildren<QLabel *>())
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
        QCOMPARE(button(window, 4)->text(), QStringLiteral("Setting Speed"));
    }

    void click_raisesOneButtonClick_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("closes");
        QTest::newRow("X") << 0 << true;
        QTest::newRow("Quit Zel") << 1 << false;
        QTest::newRow("credit line") << 2 << false;
        QTest::newRow("Get Zel Data") << 3 << false;
        QTest::newRow("Setting Speed") << 4 << false;
        QTest::newRow("ReLoad Data") << 5 << false;
    }

    void click_raisesOneButtonClick()
    {
        QFETCH(int, index);
        QFETCH(bool, closes);
        QWidget *window = shownWindow();
        QVERIFY(window);
        QSignalSpy clicks(m_panel.get(), &FormRemoCon::ButtonClick);
        bool closedBeforeEvent = false;
        connect(m_panel.get(), &FormRemoCon::ButtonClick, this,
                [&] { closedBeforeEvent = !m_panel->window() && !window->isVisible(); });

        QTest::mouseClick(button(window, index), Qt::LeftButton);

        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.at(0).at(0).value<qint16>(), qint16(index));
        QCOMPARE(closedBeforeEvent, closes);
        QCOMPARE(m_panel->window() == nullptr, closes);
    }

    void click_withRightButtonOrReleasedElsewhere_raisesNothing()
    {
        QWidget *window = shownWindow();
        QVERIFY(window);
        QSignalSpy clicks(m_panel.get(), &FormRemoCon::ButtonClick);

        QTest::mouseClick(button(window, 1), Qt::RightButton);
        QTest::mousePress(button(window, 3), Qt::LeftButton);
        QTest::mouseRelease(button(window, 3), Qt::LeftButton, {}, QPoint(-20, 5));

        QCOMPARE(clicks.count(), 0);
        QVERIFY(m_panel->window());
    }

    void pointer_framesLabelRaisedAndPressSinksIt()
    {
        QWidget *window = shownWindow();
        QVERIFY(window);
        LabelButton *getData = button(window, 3);

        QTest::mouseMove(getData, QPoint(10, 5));
        QVERIFY(frameShown(window));
        QCOMPARE(QLineF(line(window, 0)->X1(), line(window, 0)->Y1(), line(window, 0)->X2(), line(window, 0)->Y2()),
                 QLineF(100, 100, 100, 340));
        QCOMPARE(QLineF(line(window, 3)->X1(), line(window, 3)->Y1(), line(window, 3)->X2(), line(window, 3)->Y2()),
                 QLineF(100, 330, 1630, 330));
        QCOMPARE(line(window, 0)->BorderColor(), QColor(255, 255, 255));
        QCOMPARE(line(window, 2)->BorderColor(), QColor(128, 128, 128));
        // The frame lies on the outermost pixels of the label's place.
        const QRect label = pixelRect(getData->place());
        QVERIFY(getData->geometry().contains(label));
        QCOMPARE(line(window, 0)->geometry(), QRect(label.left(), label.top(), 1, label.height()));
        QCOMPARE(line(window, 2)->geometry(), QRect(label.right(), label.top(), 1, label.height()));
        QCOMPARE(line(window, 3)->geometry(), QRect(label.left(), label.bottom(), label.width(), 1));

        QTest::mousePress(getData, Qt::LeftButton, {}, QPoint(10, 5));
        QCOMPARE(line(window, 0)->BorderColor(), QColor(128, 128, 128));
        QCOMPARE(line(window, 3)->BorderColor(), QColor(255, 255, 255));
        QVERIFY(frameShown(window));
        QTest::mouseRelease(getData, Qt::LeftButton, {}, QPoint(10, 5));
        QCOMPARE(line(window, 0)->BorderColor(), QColor(255, 255, 255));
        QVERIFY(frameShown(window));
    }

    void pointer_onVersionLabelKeepsFrame_onBackgroundHidesIt()
    {
        QWidget *window = shownWindow();
        QVERIFY(window);
        QTest::mouseMove(button(window, 5), QPoint(5, 5));
        QVERIFY(frameShown(window));

        QTest::mouseMove(window->findChild<QLabel *>(QStringLiteral("LabelAbout")), QPoint(40, 5));
        QVERIFY(frameShown(window));

        QTest::mouseMove(window, kBackground);
        QVERIFY(frameHidden(window));
    }

    void closeThenShow_loadsFreshCentredWindow()
    {
        QWidget *first = shownWindow();
        QVERIFY(first);
        first->move(screenCentredPosition() + QPoint(-90, 70));
        QTest::mouseMove(button(first, 0), QPoint(3, 3));
        QVERIFY(frameShown(first));
        const QPointer<QWidget> closed(first);

        QTest::mouseClick(button(first, 0), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closed.isNull());

        QWidget *second = shownWindow();
        QVERIFY(second);
        QCOMPARE(second->pos(), screenCentredPosition());
        QVERIFY(frameHidden(second));
        QVERIFY(second->findChild<QLabel *>(QStringLiteral("LabelAbout"))->text().startsWith(QStringLiteral("Ver ")));
        QVERIFY(second->findChild<QLabel *>(QStringLiteral("LabelAbout"))->text() != QStringLiteral("Ver"));

        // The frame now works on the new window's lines.
        QTest::mouseMove(button(second, 1), QPoint(5, 5));
        QVERIFY(frameShown(second));
        QCOMPARE(line(second, 1)->Y1(), 1005.0);
    }

    void show_onOpenPanel_keepsWindowAndPlace()
    {
        QWidget *window = shownWindow();
        QVERIFY(window);
        const QPoint moved = screenCentredPosition() + QPoint(40, -30);
        window->move(moved);

        m_panel->Show();

        QCOMPARE(m_panel->window(), window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->pos(), moved);
    }

    void backgroundPress_withEitherButton_dragsPanel_data()
    {
        QTest::addColumn<Qt::MouseButton>("mouseButton");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
    }

    void backgroundPress_withEitherButton_dragsPanel()
    {
        QFETCH(Qt::MouseButton, mouseButton);
        QWidget *window = shownWindow();
        QVERIFY(window);
        const QPoint start = window->pos();
        // A real press happens where the pointer is.
        QCursor::setPos(window->mapToGlobal(kBackground));

        QTest::mousePress(window, mouseButton, {}, kBackground);
        QTest::mouseMove(window, kBackground + QPoint(30, 20));
        QTest::mouseRelease(window, mouseButton, {}, kBackground + QPoint(30, 20));

        QCOMPARE(window->pos(), start + QPoint(30, 20));
    }
};

QTEST_MAIN(TestFormRemoCon)
#include "tst_formremocon.moc"
