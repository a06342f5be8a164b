#include "screenedge.h"

#include <QTest>

using zel::ScreenEdge;
using Rects = QList<QRect>;

class TestScreenEdge : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dropPlace_data();
    void dropPlace();
    void keptPlace_data();
    void keptPlace();
    void strutPartial_data();
    void strutPartial();
    void serverPixels();
};

Q_DECLARE_METATYPE(ScreenEdge)

namespace {
// A laptop panel and a shorter monitor to its right, and one stacked below it.
const QRect kPanel(0, 0, 1280, 800);
const QRect kRight(1280, 0, 1024, 768);
const QRect kBelow(0, 800, 1280, 800);
// The desktop of the panel and the monitor to its right.
const QSize kRoot(2304, 800);
} // namespace

void TestScreenEdge::dropPlace_data()
{
    QTest::addColumn<QRect>("strip");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<Rects>("monitors");
    QTest::addColumn<QRect>("last");
    QTest::addColumn<QRect>("placed");
    QTest::addColumn<ScreenEdge>("edge");

    QTest::newRow("top of the second monitor: its width at its left")
        << QRect(1295, 3, 1280, 14) << QPoint(1299, 10) << Rects { kPanel, kRight } << kPanel
        << QRect(1280, 0, 1024, 14) << ScreenEdge::Top;
    QTest::newRow("across the seam: the pointer's monitor, at its bottom")
        << QRect(1276, 751, 1024, 14) << QPoint(1281, 758) << Rects { kPanel, kRight } << kRight
        << QRect(1280, 754, 1024, 14) << ScreenEdge::Bottom;
    QTest::newRow("the hand left of the seam, most of the strip right of it")
        << QRect(1266, 300, 1024, 14) << QPoint(1270, 307) << Rects { kPanel, kRight } << kRight
        << QRect(0, 300, 1280, 14) << ScreenEdge::None;
    QTest::newRow("bottom of the taller beside a shorter")
        << QRect(0, 790, 1280, 14) << QPoint(5, 797) << Rects { kPanel, kRight } << kPanel
        << QRect(0, 786, 1280, 14) << ScreenEdge::Bottom;
    QTest::newRow("partly left of its monitor: clamped, floating")
        << QRect(-40, 300, 1280, 14) << QPoint(10, 307) << Rects { kPanel, kRight } << kPanel
        << QRect(0, 300, 1280, 14) << ScreenEdge::None;
    QTest::newRow("top of the lower of two stacked: no dock")
        << QRect(0, 803, 1280, 14) << QPoint(5, 810) << Rects { kPanel, kBelow } << kBelow
        << QRect(0, 803, 1280, 14) << ScreenEdge::None;
}

void TestScreenEdge::dropPlace()
{
    QFETCH(QRect, strip);
    QFETCH(QPoint, pointer);
    QFETCH(Rects, monitors);
    QFETCH(QRect, last);
    const zel::StripPlace place = zel::dropPlace(strip, pointer, monitors, last);
    QTEST(place.strip, "placed");
    QTEST(place.edge, "edge");
}

void TestScreenEdge::keptPlace_data()
{
    QTest::addColumn<QRect>("strip");
    QTest::addColumn<ScreenEdge>("was");
    QTest::addColumn<Rects>("monitors");
    QTest::addColumn<QRect>("last");
    QTest::addColumn<QRect>("placed");
    QTest::addColumn<ScreenEdge>("edge");

    QTest::newRow("its monitor unplugged: the nearest, same edge")
        << QRect(1280, 754, 1024, 14) << ScreenEdge::Bottom << Rects { kPanel } << kRight
        << QRect(0, 786, 1280, 14) << ScreenEdge::Bottom;
    QTest::newRow("resolution dropped under it")
        << QRect(0, 786, 2304, 14) << ScreenEdge::Bottom << Rects { QRect(0, 0, 1368, 768) }
        << QRect(0, 0, 2304, 800) << QRect(0, 754, 1368, 14) << ScreenEdge::Bottom;
    QTest::newRow("floating stays floating, inside")
        << QRect(1280, 700, 1024, 14) << ScreenEdge::None << Rects { kPanel } << kRight
        << QRect(0, 700, 1280, 14) << ScreenEdge::None;
    QTest::newRow("nothing changed: left as it is")
        << QRect(10, 300, 1000, 14) << ScreenEdge::None << Rects { kPanel, kRight } << kPanel
        << QRect(10, 300, 1000, 14) << ScreenEdge::None;
    QTest::newRow("a monitor plugged above its top edge")
        << QRect(0, 800, 1280, 14) << ScreenEdge::Top << Rects { kPanel, kBelow } << kBelow
        << QRect(0, 800, 1280, 14) << ScreenEdge::None;
}

void TestScreenEdge::keptPlace()
{
    QFETCH(QRect, strip);
    QFETCH(ScreenEdge, was);
    QFETCH(Rects, monitors);
    QFETCH(QRect, last);
    const zel::StripPlace place = zel::keptPlace(strip, was, monitors, last);
    QTEST(place.strip, "placed");
    QTEST(place.edge, "edge");
}

void TestScreenEdge::strutPartial_data()
{
    QTest::addColumn<QRect>("strip");
    QTest::addColumn<Rects>("monitors");
    QTest::addColumn<QList<quint32>>("strut"); // all twelve values

    QTest::newRow("top of the second monitor")
        << QRect(1280, 0, 1024, 14) << Rects { kPanel, kRight }
        << QList<quint32> { 0, 0, 14, 0, 0, 0, 0, 0, 1280, 2303, 0, 0 };
    QTest::newRow("bottom of the shorter: from the root's bottom")
        << QRect(1280, 754, 1024, 14) << Rects { kPanel, kRight }
        << QList<quint32> { 0, 0, 0, 46, 0, 0, 0, 0, 0, 0, 1280, 2303 };
    QTest::newRow("a taller monitor to the left within the span")
        << QRect(1200, 754, 600, 14) << Rects { kPanel, kRight }
        << QList<quint32> { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    QTest::newRow("partly left of the root")
        << QRect(-20, 0, 1280, 14) << Rects { kPanel }
        << QList<quint32> { 0, 0, 14, 0, 0, 0, 0, 0, 0, 1259, 0, 0 };
    QTest::newRow("mid-screen") << QRect(0, 393, 1280, 14) << Rects { kPanel }
                                << QList<quint32> { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
}

void TestScreenEdge::strutPartial()
{
    QFETCH(QRect, strip);
    QFETCH(Rects, monitors);
    const QRect monitor = zel::monitorNear(strip.center(), monitors);
    const ScreenEdge edge = zel::edgeOf(strip, monitor, monitors);
    const auto values = zel::strutPartial(edge, strip, kRoot).values();
    QTEST((QList<quint32>(values.begin(), values.end())), "strut");
}

// A monitor at 200 % beside one at 100 %, as Qt lays them out and as the server does.
void TestScreenEdge::serverPixels()
{
    const QRect halfSize(0, 0, 640, 400);
    QCOMPARE(zel::serverArea(halfSize, 2), kPanel);
    QCOMPARE(zel::toServer(QPoint(320, 393), halfSize, 2), QPoint(640, 786));
    QCOMPARE(zel::toQt(QPoint(640, 786), halfSize, 2), QPoint(320, 393));
    QCOMPARE(zel::toServer(QPoint(1300, 10), kRight, 1), QPoint(1300, 10));
}

QTEST_GUILESS_MAIN(TestScreenEdge)
#include "tst_screenedge.moc"
