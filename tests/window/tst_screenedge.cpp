#include "screenedge.h"

#include <QTest>

using zel::ScreenEdge;

class TestScreenEdge : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dockAtEdge_snapsAndReservesInRootPixels_data();
    void dockAtEdge_snapsAndReservesInRootPixels();
};

Q_DECLARE_METATYPE(ScreenEdge)

void TestScreenEdge::dockAtEdge_snapsAndReservesInRootPixels_data()
{
    QTest::addColumn<QRect>("strip");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<ScreenEdge>("edge");
    QTest::addColumn<QPoint>("topLeft");
    QTest::addColumn<QList<quint32>>("strut"); // top, bottom, first and last column

    const QRect one(0, 0, 1280, 800);
    const QRect right(1280, 0, 1920, 1080);
    QTest::newRow("touching the top") << QRect(0, 0, 1280, 14) << QList { one } << ScreenEdge::Top
                                      << QPoint(0, 0) << QList<quint32> { 14, 0, 0, 1279 };
    QTest::newRow("a few pixels below the top")
        << QRect(0, 5, 1280, 14) << QList { one } << ScreenEdge::Top << QPoint(0, 0)
        << QList<quint32> { 14, 0, 0, 1279 };
    QTest::newRow("mid-screen") << QRect(0, 393, 1280, 14) << QList { one } << ScreenEdge::None
                                << QPoint(0, 393) << QList<quint32> { 0, 0, 0, 0 };
    QTest::newRow("a few pixels above the bottom")
        << QRect(0, 783, 1280, 14) << QList { one } << ScreenEdge::Bottom << QPoint(0, 786)
        << QList<quint32> { 0, 14, 0, 1279 };
    QTest::newRow("second screen to the right, its top")
        << QRect(1300, 3, 1900, 14) << QList { one, right } << ScreenEdge::Top << QPoint(1300, 0)
        << QList<quint32> { 14, 0, 1300, 3199 };
    QTest::newRow("bottom of the lower screen beside a taller one")
        << QRect(0, 786, 1280, 14) << QList { one, right } << ScreenEdge::Bottom << QPoint(0, 786)
        << QList<quint32> { 0, 294, 0, 1279 };
    QTest::newRow("top of a screen below another")
        << QRect(0, 800, 1280, 14) << QList { one, one.translated(0, 800) } << ScreenEdge::None
        << QPoint(0, 800) << QList<quint32> { 0, 0, 0, 0 };
}

void TestScreenEdge::dockAtEdge_snapsAndReservesInRootPixels()
{
    QFETCH(QRect, strip);
    QFETCH(QList<QRect>, screens);
    QFETCH(ScreenEdge, edge);
    QFETCH(QPoint, topLeft);
    QFETCH(QList<quint32>, strut);

    const zel::EdgeDock dock = zel::dockAtEdge(strip, screens);
    QCOMPARE(dock.edge, edge);
    QCOMPARE(dock.topLeft, topLeft);

    QRect root;
    for (const QRect &screen : screens)
        root |= screen;
    const auto values =
        zel::strutPartial(edge, strip.translated(topLeft - strip.topLeft()), root.size());
    const bool top = edge == ScreenEdge::Top;
    QCOMPARE((QList<quint32> { values[2], values[3], values[top ? 8 : 10], values[top ? 9 : 11] }),
             strut);
    QCOMPARE(values[0] + values[1] + values[4] + values[5] + values[6] + values[7], 0u);
}

QTEST_GUILESS_MAIN(TestScreenEdge)
#include "tst_screenedge.moc"
