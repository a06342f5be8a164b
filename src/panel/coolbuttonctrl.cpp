#include "coolbuttonctrl.h"

#include "frameline.h"
#include "framelinearray.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zel {
namespace {

enum Edge { Left = 0, Top = 1, Right = 2, Bottom = 3 };

// A twips value as a whole 32-bit number, rounded half to even.
qint64 wholeTwips(double twips)
{
    constexpr double lowest = std::numeric_limits<qint32>::min();
    constexpr double highest = std::numeric_limits<qint32>::max();
    if (std::isnan(twips))
        return 0;
    return static_cast<qint64>(std::nearbyint(std::clamp(twips, lowest, highest)));
}

} // namespace

CoolButtonCtrl::CoolButtonCtrl(FrameLineArray &lines)
    : m_lines(lines)
{
    LineVisible(false);
    LineFront();
}

void CoolButtonCtrl::BtnMove(const TwipsRect &control)
{
    LineMove(control);
    LineColor(true);
    LineVisible(true);
}

void CoolButtonCtrl::BtnOut()
{
    LineVisible(false);
}

void CoolButtonCtrl::BtnDown()
{
    LineColor(false);
    LineVisible(true);
}

void CoolButtonCtrl::BtnUp()
{
    LineColor(true);
    LineVisible(true);
}

void CoolButtonCtrl::LineMove(const TwipsRect &control)
{
    const qint64 top = wholeTwips(control.Top);
    const qint64 left = wholeTwips(control.Left);
    const qint64 right = left + wholeTwips(control.Width) - kInset;
    const qint64 bottom = top + wholeTwips(control.Height) - kInset;

    struct Ends
    {
        qint64 x1, x2, y1, y2;
    };
    const Ends ends[FrameLineArray::kCount] = {
        { left, left, top, bottom + kInset },
        { left, right + kInset, top, top },
        { right, right, top, bottom + kInset },
        { left, right + kInset, bottom, bottom },
    };
    for (int i = 0; i < FrameLineArray::kCount; ++i) {
        if (FrameLine *line = m_lines.line(i)) {
            line->setX1(static_cast<double>(ends[i].x1));
            line->setX2(static_cast<double>(ends[i].x2));
            line->setY1(static_cast<double>(ends[i].y1));
            line->setY2(static_cast<double>(ends[i].y2));
        }
    }
}

void CoolButtonCtrl::LineColor(bool raised)
{
    for (int i = 0; i < FrameLineArray::kCount; ++i) {
        if (FrameLine *line = m_lines.line(i)) {
            const bool lit = (i == Left || i == Top) == raised;
            line->setBorderColor(lit ? kLightColour : kShadowColour);
        }
    }
}

void CoolButtonCtrl::LineVisible(bool visible)
{
    for (int i = 0; i < FrameLineArray::kCount; ++i) {
        if (FrameLine *line = m_lines.line(i))
            line->setLineVisible(visible);
    }
}

void CoolButtonCtrl::LineFront()
{
    for (int i = 0; i < FrameLineArray::kCount; ++i) {
        if (FrameLine *line = m_lines.line(i))
            line->bringToFront();
    }
}

} // namespace zel
