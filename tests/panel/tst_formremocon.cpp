#include "formremocon.h"
#include "labelbutton.h"
#include "linewidget.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
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
        return window && QTest::qWaitForWindowExposed(window) ? window : nullptr;
    }
    static LabelButton *button(QWidget *window, int index)
    {
        return window->findChild<LabelButton *>(QStringLiteral("LabelBtn%1").arg(index));
    }
    static LineWidget *line(QWidget *window, int index)
    {
        return window->findChild<LineWidget *>(QStringLiteral("LineCB%1").arg(index));
    }
    static QList<bool> frameVisibility(QWidget *window)
    {
        QList<bool> visible;
        for (int i = 0; i < 4; ++i)
            visible.append(line(window, i)->isVisibleTo(window));
        return visible;
    }
    static QPoint centredPosition()
    {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        return { screen.x() + (screen.width() - 200) / 2,
                 screen.y() + (screen.height() - 100) / 2 };
    }
    static inline const QList<bool> shown { true, true, true, true };
    static inline const QList<bool> hidden { false, false, false, false };

private Q_SLOTS:
    void init() { m_panel = std::make_unique<FormRemoCon>(); }
    void cleanup()
    {
        m_panel.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void show_loadsCentredPanelWithVersionAndNoFrame()
    {
        QVERIFY(!m_panel->window());
        QWidget *window = shownWindow();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Zel Remote Control"));
        QCOMPARE(window->size(), QSize(200, 100));
        QVERIFY(window->windowFlags().testFlags(Qt::FramelessWindowHint |
                                                Qt::WindowDoesNotAcceptFocus));
        QCOMPARE(window->pos(), centredPosition());
        QCOMPARE(frameVisibility(window), hidden);
        const QLabel *version = window->findChild<QLabel *>(QStringLiteral("LabelAbout"));
        QCOMPARE(version->text(),
                 QStringLiteral("Ver %1.%2.%3")
                     .arg(ZEL_VERSION_MAJOR)
                     .arg(ZEL_VERSION_MINOR)
                     .arg(ZEL_VERSION_PATCH));
        QVERIFY(window->rect().adjusted(1, 1, -1, -1).contains(version->geometry()));
        for (const QWidget *control : window->findChildren<QWidget *>())
            QVERIFY2(control->focusPolicy() == Qt::NoFocus, qPrintable(control->objectName()));
        for (const QLabel *label : window->findChildren<QLabel *>())
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));

        // Shown again while open: brought forward where the user left it.
        window->move(centredPosition() + QPoint(40, -30));
        m_panel->Show();
        QCOMPARE(m_panel->window(), window);
        QCOMPARE(window->pos(), centredPosition() + QPoint(40, -30));
    }

    void click_raisesOneButtonClick_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<Qt::MouseButton>("mouseButton");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("closes");
        QTest::newRow("X") << 0 << Qt::LeftButton << 1 << true;
        QTest::newRow("Quit Zel") << 1 << Qt::LeftButton << 1 << false;
        QTest::newRow("credit line") << 2 << Qt::LeftButton << 1 << false;
        QTest::newRow("Get Zel Data") << 3 << Qt::LeftButton << 1 << false;
        QTest::newRow("Setting Speed") << 4 << Qt::LeftButton << 1 << false;
        QTest::newRow("ReLoad Data") << 5 << Qt::LeftButton << 1 << false;
        QTest::newRow("right button is no click") << 1 << Qt::RightButton << 0 << false;
    }

    void click_raisesOneButtonClick()
    {
        QFETCH(int, index);
        QFETCH(Qt::MouseButton, mouseButton);
        QFETCH(bool, closes);
        QWidget *window = shownWindow();
        QVERIFY(window);
        QSignalSpy clicks(m_panel.get(), &FormRemoCon::ButtonClick);
        bool closedBeforeEvent = false;
        connect(m_panel.get(), &FormRemoCon::ButtonClick, this,
                [&] { closedBeforeEvent = !m_panel->window() && !window->isVisible(); });

        QTest::mouseClick(button(window, index), mouseButton);

        QTEST(int(clicks.count()), "clicks");
        if (!clicks.isEmpty())
            QCOMPARE(clicks.at(0).at(0).value<qint16>(), qint16(index));
        QCOMPARE(closedBeforeEvent, closes);
        QCOMPARE(m_panel->window() == nullptr, closes);
    }

    void pointer_framesLabelAndPressSinksIt()
    {
        QWidget *window = shownWindow();
        QVERIFY(window);
        LabelButton *getData = button(window, 3);

        QTest::mouseMove(getData, QPoint(10, 5));
        QCOMPARE(frameVisibility(window), shown);
        // The frame lies on the outermost pixels of the label as drawn, which
        // is at least its designed place.
        const QRect place = getData->geometry();
        QVERIFY(place.contains(pixelRect({ 100, 100, 1530, 240 })));
        const LineWidget *bottom = line(window, 3);
        const double bottomTwips = pixelsToTwips(place.bottom() + 1) - 10;
        QCOMPARE(QLineF(bottom->X1(), bottom->Y1(), bottom->X2(), bottom->Y2()),
                 QLineF(pixelsToTwips(place.left()), bottomTwips, pixelsToTwips(place.right() + 1),
                        bottomTwips));
        QCOMPARE(line(window, 0)->BorderColor(), QColor(255, 255, 255));
        QCOMPARE(line(window, 0)->geometry(), QRect(place.left(), place.top(), 1, place.height()));
        QCOMPARE(line(window, 2)->geometry(), QRect(place.right(), place.top(), 1, place.height()));
        QCOMPARE(bottom->geometry(), QRect(place.left(), place.bottom(), place.width(), 1));

        QTest::mousePress(getData, Qt::LeftButton, {}, QPoint(10, 5));
        QCOMPARE(line(window, 0)->BorderColor(), QColor(128, 128, 128));
        QTest::mouseRelease(getData, Qt::LeftButton, {}, QPoint(10, 5));
        QCOMPARE(line(window, 0)->BorderColor(), QColor(255, 255, 255));

        QTest::mouseMove(window->findChild<QLabel *>(QStringLiteral("LabelAbout")), QPoint(40, 5));
        QCOMPARE(frameVisibility(window), shown);
        QTest::mouseMove(window, QPoint(150, 40)); // bare picture
        QCOMPARE(frameVisibility(window), hidden);
    }

    void closeThenShow_loadsFreshCentredPanel()
    {
        QWidget *first = shownWindow();
        QVERIFY(first);
        first->move(centredPosition() + QPoint(-90, 70));
        QTest::mouseMove(button(first, 0), QPoint(3, 3));
        const QPointer<QWidget> closed(first);
        QTest::mouseClick(button(first, 0), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closed.isNull());

        QWidget *second = shownWindow();
        QVERIFY(second);
        QCOMPARE(second->pos(), centredPosition());
        QCOMPARE(frameVisibility(second), hidden);
        QVERIFY(second->findChild<QLabel *>(QStringLiteral("LabelAbout"))
                    ->text()
                    .startsWith(QStringLiteral("Ver 1")));
        QTest::mouseMove(button(second, 1), QPoint(5, 5));
        QCOMPARE(frameVisibility(second), shown);
        QCOMPARE(line(second, 1)->Y1(), 1005.0);
    }
};

QTEST_MAIN(TestFormRemoCon)
#include "tst_formremocon.moc"
