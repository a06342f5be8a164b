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

// Lines that start visible, black and at design-time positions, so every
// change shows.
class FakeLines final : public FrameLineArray
{
public:
    struct Line final : FrameLine
    {
        void setX1(double v) override { ends.x1 = v; }
        void setX2(double v) override { ends.x2 = v; }
        void setY1(double v) override { ends.y1 = v; }
        void setY2(double v) override { ends.y2 = v; }
        void setBorderColor(const QColor &c) override { colour = c; }
        void setLineVisible(bool v) override { visible = v; }
        void bringToFront() override { frontRank = (*fronts)++; }
        Ends ends { 1, 2, 3, 4 };
        QColor colour { Qt::black };
        bool visible = true;
        int frontRank = -1;
        int *fronts = nullptr;
    };

    FakeLines()
    {
        for (Line &l : lines)
            l.fronts = &fronts;
    }
    FrameLine *line(int index) override { return &lines.at(static_cast<std::size_t>(index)); }

    QList<Ends> ends() const
    {
        return { lines[0].ends, lines[1].ends, lines[2].ends, lines[3].ends };
    }
    QList<QColor> colours() const
    {
        return { lines[0].colour, lines[1].colour, lines[2].colour, lines[3].colour };
    }
    QList<bool> visibility() const
    {
        return { lines[0].visible, lines[1].visible, lines[2].visible, lines[3].visible };
    }

    std::array<Line, 4> lines;
    int fronts = 0;
};

const QColor white(255, 255, 255);
const QColor grey(128, 128, 128);
const QList<QColor> raised { white, white, grey, grey };
const QList<QColor> sunken { grey, grey, white, white };
const QList<bool> shown { true, true, true, true };
const QList<bool> hidden { false, false, false, false };

} // namespace

class TestCoolButtonCtrl final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void binding_hidesLinesAndBringsThemFrontInIndexOrder()
    {
        FakeLines set;
        CoolButtonCtrl coolBtn(set);
        QCOMPARE(set.visibility(), hidden);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(set.lines.at(static_cast<std::size_t>(i)).frontRank, i);
    }

    void btnMove_framesControlRaised_data()
    {
        QTest::addColumn<QRectF>("control");
        QTest::addColumn<QList<Ends>>("ends");
        const QList<Ends> commandLabel { { 100, 100, 100, 340 },
                                         { 100, 100, 1630, 100 },
                                         { 1620, 100, 1620, 340 },
                                         { 100, 330, 1630, 330 } };
        QTest::newRow("command label") << QRectF(100, 100, 1530, 240) << commandLabel;
        QTest::newRow("fractions round half to even")
            << QRectF(100.5, 99.5, 1530.5, 239.6) << commandLabel;
        QTest::newRow("above and left of the form") << QRectF(-15, -30, 45, 60)
                                                    << QList<Ends> { { -15, -30, -15, 30 },
                                                                     { -15, -30, 30, -30 },
                                                                     { 20, -30, 20, 30 },
                                                                     { -15, 20, 30, 20 } };
    }

    void btnMove_framesControlRaised()
    {
        QFETCH(QRectF, control);
        FakeLines set;
        CoolButtonCtrl coolBtn(set);

        coolBtn.BtnMove({ control.x(), control.y(), control.width(), control.height() });

        QTEST(set.ends(), "ends");
        QCOMPARE(set.colours(), raised);
        QCOMPARE(set.visibility(), shown);
    }

    void pressReleaseAndOut_recolourAndHideWithoutMoving()
    {
        FakeLines set;
        CoolButtonCtrl coolBtn(set);
        coolBtn.BtnMove({ 100, 100, 1530, 240 });
        const QList<Ends> placed = set.ends();
        coolBtn.BtnOut();

        coolBtn.BtnDown();
        QCOMPARE(set.colours(), sunken);
        QCOMPARE(set.visibility(), shown);
        coolBtn.BtnUp();
        QCOMPARE(set.colours(), raised);
        coolBtn.BtnOut();
        coolBtn.BtnOut();
        QCOMPARE(set.visibility(), hidden);
        QCOMPARE(set.ends(), placed);
    }
};

QTEST_GUILESS_MAIN(TestCoolButtonCtrl)
#include "tst_coolbuttonctrl.moc"
