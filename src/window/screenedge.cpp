#include "screenedge.h"

#include <algorithm>
#include <cstdlib>

namespace zel {
namespace {

const QRect *screenOf(const QRect &strip, const QList<QRect> &screens)
{
    const QRect *best = nullptr;
    qint64 bestArea = 0;
    for (const QRect &screen : screens) {
        if (screen.contains(strip.center()))
            return &screen;
        const QRect common = screen.intersected(strip);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = &screen;
            bestArea = area;
        }
    }
    return best;
}

// Whether another screen lies above (or below) `screen` within the strip's span.
bool screenBeyond(ScreenEdge edge, const QRect &strip, const QRect &screen,
                  const QList<QRect> &screens)
{
    return std::any_of(screens.begin(), screens.end(), [&](const QRect &other) {
        if (other == screen || other.right() < strip.left() || other.left() > strip.right())
            return false;
        return edge == ScreenEdge::Top ? other.top() < screen.top()
                                       : other.bottom() > screen.bottom();
    });
}

} // namespace

EdgeDock dockAtEdge(const QRect &strip, const QList<QRect> &screens, int snap)
{
    EdgeDock dock { ScreenEdge::None, strip.topLeft() };
    const QRect *screen = screenOf(strip, screens);
    if (!screen)
        return dock;
    if (std::abs(strip.top() - screen->top()) <= snap &&
        !screenBeyond(ScreenEdge::Top, strip, *screen, screens)) {
        dock = { ScreenEdge::Top, { strip.left(), screen->top() } };
    } else if (std::abs(strip.bottom() - screen->bottom()) <= snap &&
               !screenBeyond(ScreenEdge::Bottom, strip, *screen, screens)) {
        dock = { ScreenEdge::Bottom, { strip.left(), screen->bottom() - strip.height() + 1 } };
    }
    return dock;
}

std::array<quint32, 12> strutPartial(ScreenEdge edge, const QRect &strip, const QSize &rootSize)
{
    std::array<quint32, 12> strut {};
    const int start = std::max(strip.left(), 0);
    const int end = std::min(strip.right(), rootSize.width() - 1);
    if (end < start)
        return strut;
    switch (edge) {
    case ScreenEdge::None:
        break;
    case ScreenEdge::Top:
        strut[2] = quint32(std::clamp(strip.bottom() + 1, 0, rootSize.height()));
        strut[8] = quint32(start);
        strut[9] = quint32(end);
        break;
    case ScreenEdge::Bottom:
        strut[3] = quint32(std::clamp(rootSize.height() - strip.top(), 0, rootSize.height()));
        strut[10] = quint32(start);
        strut[11] = quint32(end);
        break;
    }
    return strut;
}

} // namespace zel
