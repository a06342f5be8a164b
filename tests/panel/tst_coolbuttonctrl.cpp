#include "coolbuttonctrl.h"
#include "frameline.h"
#include "framelinearray.h"

#include <QTest>

#include <array>

using namespace zel;

namespace {

struct Ends
{
    double x1, y1, x2, y2;
    bool operator==(const Ends &) const = default;
};

// Starts visible, black and at design-time positions so every change shows.
class RecordingLine final : public FrameLine
{
public:
    void setX1(double twips) override { ends.x1 = twips; }
    void setX2(double twips) override { ends.x2 = twips; }
    void setY1(double twips) override { ends.y1 = twips; }
    void setY2(double twips) override { ends.y2 = twips; }
    void setBorderColor(const QColor &c) override { colour = c; }
    void setLineVisible(bool v) override { visible = v; }
    void bringToFront() override { frontRank = (*frontCounter)++; }

    Ends ends{1, 2, 3, 4};
    QColor colour{Qt::black};
    bool visible = true;
    int frontRank = -1;
    int *frontCounter = nullptr;
};

class RecordingLines final : public FrameLineArray
{
public:
    RecordingLines()
    {
        for (RecordingLine &l : lines)
            l.frontCounter = &fronts;
    }
    FrameLine *line(int index) override
    {
        return present ? &lines[static_cast<std::size_t>(index)] : nullptr;
    }

    std::array<RecordingLine, 4> lines;
    bool present = true;
    int fronts = 0;
};

const QColor white(255, 255, 255);
const QColor grey(128, 128, 128);

} // namespace

Q_DECLARE_METATYPE(Ends)

class TestCoolButtonCtrl final : public QObject
{
    Q_OBJECT

private:
    static void verifyColours(const RecordingLines &set, const QColor &leftTop,
                              const QColor &rightBottom)
    {
        QCOMPARE(set.lines[0].colour, leftTop);
        QCOMPARE(set.lines[1].colour, leftTop);
        QCOMPARE(set.lines[2].colour, rightBottom);
        QCOMPARE(set.lines[3].colour, rightBottom);
    }
    static void verifyVisible(const RecordingLines &set, bool visible)
    {
        for (const RecordingLine &l : set.lines)
            QCOMPARE(l.visible, visible);
    }

private Q_SLOTS:
    void binding_hidesLinesAndBringsThemFrontInIndexOrder()
    {
        RecordingLines set;
        CoolButtonCtrl coolBtn(set);
        verifyVisible(set, false);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(set.lines[static_cast<std::size_t>(i)].frontRank, i);
        QCOMPARE(set.lines[0].ends, (Ends{1, 2, 3, 4}));
    }

    void btnMove_framesControlRaised_data()
    {
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<Ends>("leftEdge");
        QTest::addColumn<Ends>("topEdge");
        QTest::addColumn<Ends>("rightEdge");
        QTest::addColumn<Ends>("bottomEdge");

        QTest::newRow("command label") << 100.0 << 100.0 << 1530.0 << 240.0
                                       << Ends{100, 100, 100, 340} << Ends{100, 100, 1630, 100}
                                       << Ends{1620, 100, 1620, 340} << Ends{100, 330, 1630, 330};
        QTest::newRow("close button in the corner")
            << 2770.0 << 0.0 << 225.0 << 225.0 << Ends{2770, 0, 2770, 225}
            << Ends{2770, 0, 2995, 0} << Ends{2985, 0, 2985, 225} << Ends{2770, 215, 2995, 215};
        QTest::newRow("fractions round half to even")
            << 100.5 << 99.5 << 1530.5 << 239.6 << Ends{100, 100, 100, 340}
            << Ends{100, 100, 1630, 100} << Ends{1620, 100, 1620, 340} << Ends{100, 330, 1630, 330};
        QTest::newRow("above and left of the form")
            << -15.0 << -30.0 << 45.0 << 60.0 << Ends{-15, -30, -15, 30} << Ends{-15, -30, 30, -30}
            << Ends{20, -30, 20, 30} << Ends{-15, 20, 30, 20};
        QTest::newRow("narrower than the inset")
            << 0.0 << 0.0 << 5.0 << 5.0 << Ends{0, 0, 0, 5} << Ends{0, 0, 5, 0}
            << Ends{-5, 0, -5, 5} << Ends{0, -5, 5, -5};
    }

    void btnMove_framesControlRaised()
    {
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(double, width);
        QFETCH(double, height);
        RecordingLines set;
        CoolButtonCtrl coolBtn(set);

        coolBtn.BtnMove({left, top, width, height});

        QTEST(set.lines[0].ends, "leftEdge");
        QTEST(set.lines[1].ends, "topEdge");
        QTEST(set.lines[2].ends, "rightEdge");
        QTEST(set.lines[3].ends, "bottomEdge");
        verifyColours(set, white, grey);
        verifyVisible(set, true);
    }

    void btnDownAndUp_recolourWithoutMoving()
    {
        RecordingLines set;
        CoolButtonCtrl coolBtn(set);
        coolBtn.BtnMove({100, 100, 1530, 240});
        coolBtn.BtnOut();

        coolBtn.BtnDown();
        verifyColours(set, grey, white);
        verifyVisible(set, true);
        QCOMPARE(set.lines[2].ends, (Ends{1620, 100, 1620, 340}));

        coolBtn.BtnUp();
        verifyColours(set, white, grey);
        verifyVisible(set, true);
        QCOMPARE(set.lines[3].ends, (Ends{100, 330, 1630, 330}));
    }

    void btnOut_hidesAndKeepsPlace()
    {
        RecordingLines set;
        CoolButtonCtrl coolBtn(set);
        coolBtn.BtnMove({100, 100, 1530, 240});

        coolBtn.BtnOut();
        coolBtn.BtnOut();

        verifyVisible(set, false);
        verifyColours(set, white, grey);
        QCOMPARE(set.lines[1].ends, (Ends{100, 100, 1630, 100}));
    }

    void btnDown_beforeAnyMove_showsLinesWhereTheyStand()
    {
        RecordingLines set;
        CoolButtonCtrl coolBtn(set);

        coolBtn.BtnDown();

        verifyVisible(set, true);
        verifyColours(set, grey, white);
        for (const RecordingLine &l : set.lines)
            QCOMPARE(l.ends, (Ends{1, 2, 3, 4}));
    }

    void operations_whileLinesAreMissing_leaveThemAlone()
    {
        RecordingLines set;
        CoolButtonCtrl coolBtn(set);
        coolBtn.BtnMove({100, 100, 1530, 240});
        set.present = false;

        coolBtn.BtnMove({0, 0, 500, 240});
        coolBtn.BtnDown();
        coolBtn.BtnOut();

        set.present = true;
        verifyVisible(set, true);
        verifyColours(set, white, grey);
        QCOMPARE(set.lines[0].ends, (Ends{100, 100, 100, 340}));
    }
};

QTEST_GUILESS_MAIN(TestCoolButtonCtrl)
#include "tst_coolbuttonctrl.moc"
