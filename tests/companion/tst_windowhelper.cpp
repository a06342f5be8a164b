#include "windowhelper.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

using namespace zel;
using namespace Qt::StringLiterals;

namespace {

// A form 600 x 20 px with a frame and a title label, as the ticker window has.
struct Form
{
    Form()
    {
        window.resize(600, 20);
        QVERIFY(helper.SetForm(&window).isOk());
    }

    // One layout pass, as the ticker window runs it.
    Status layOut(float &innerWidth)
    {
        ZEL_TRY(helper.SetControl(frame));
        ZEL_TRY(helper.PlaceControl(0, 180, 0, 0));
        ZEL_TRY(helper.SetControl(label));
        ZEL_TRY(helper.PlaceControl(0, 0, window.width() * 15 - 150, 0));
        ZEL_TRY(helper.ApplyLayout());
        return helper.FinishLayout(true, innerWidth);
    }

    QWidget window;
    QWidget *frame = new QWidget(&window);
    QWidget *label = new QWidget(&window);
    WindowHelper helper;
};

} // namespace

class TestWindowHelper final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusesCallsItCannotServe()
    {
        WindowHelper unbound;
        QWidget stranger;
        stranger.setObjectName(u"Stranger"_s);
        int twips = 0;
        float width = 0;
        QVERIFY(unbound.SetForm(nullptr).isFailure());
        for (const Status &status : { unbound.SetControl(&stranger), unbound.GetScreenWidth(twips),
                                      unbound.SetMode(2), unbound.FinishLayout(true, width),
                                      unbound.ApplyLayout(), unbound.PlaceControl(0, 0, 0, 0) })
            QVERIFY2(status.message().endsWith(u": no form is bound."_s),
                     qPrintable(status.message()));

        Form form;
        QVERIFY(form.helper.PlaceControl(0, 0, 0, 0).message().contains(u"no control"_s));
        QVERIFY(form.helper.SetControl(&stranger).message().contains(
            u"\"Stranger\" is not a control"_s));
        QVERIFY(form.helper.SetControl(&form.window).isFailure());
        QVERIFY(form.helper.SetMode(1).isFailure());
    }

    void placesFrameAndLabel()
    {
        Form form;
        float innerWidth = 0;
        QVERIFY(form.layOut(innerWidth).isOk());
        QCOMPARE(form.label->geometry(), QRect(0, 0, 10, 20)); // 150 twips
        QCOMPARE(form.frame->geometry(), QRect(12, 0, 588, 20)); // from 180 twips on
        QCOMPARE(innerWidth, 9000.0f);
    }

    void placementsFollowResizesInMode2()
    {
        Form form;
        float innerWidth = 0;
        QVERIFY(form.layOut(innerWidth).isOk());
        QVERIFY(form.helper.SetMode(2).isOk());
        form.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.window));
        form.window.resize(300, 30);
        QTRY_COMPARE(form.frame->geometry(), QRect(12, 0, 288, 30));
        delete form.label; // a control that is gone is left out
        form.window.resize(900, 20);
        QTRY_COMPARE(form.frame->geometry(), QRect(12, 0, 888, 20));
    }

    void reportsTheScreenWidthInTwips()
    {
        Form form;
        int twips = 0;
        QVERIFY(form.helper.GetScreenWidth(twips).isOk());
        QCOMPARE(twips, QGuiApplication::primaryScreen()->geometry().width() * 15);
        QVERIFY(twips > 0);
    }
};

QTEST_MAIN(TestWindowHelper)
#include "tst_windowhelper.moc"
