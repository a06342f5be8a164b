#include "screenedge.h"

#include <algorithm>
#include <cstdlib>

namespace zel {
namespace {

qint64 squaredDistance(const QPoint &point, const QRect &area)
{
    const qint64 dx = std::max({ area.left() - point.x(), 0, point.x() - area.right() });
    const qint64 dy = std::max({ area.top() - point.y(), 0, point.y() - area.bottom() });
    return dx * dx + dy * dy;
}

// Whether another monitor lies above (or below) `monitor` within the strip's span.
bool monitorBeyond(ScreenEdge edge, const QRect &strip, const QRect &monitor,
                   const QList<QRect> &monitors)
{
    return std::any_of(monitors.begin(), monitors.end(), [&](const QRect &other) {
        if (other == monitor || other.right() < strip.left() || other.left() > strip.right())
            return false;
        return edge == ScreenEdge::Top ? other.top() < monitor.top()
                                       : other.bottom() > monitor.bottom();
    });
}

QRect inside(QRect strip, const QRect &monitor, bool fullWidth)
{
    if (fullWidth || strip.width() > monitor.width())
        strip.setRect(monitor.left(), strip.top(), monitor.width(), strip.height());
    strip.moveTo(std::clamp(strip.left(), monitor.left(), monitor.right() + 1 - strip.width()),
                 std::clamp(strip.top(), monitor.top(),
                            std::max(monitor.top(), monitor.bottom() + 1 - strip.height())));
    return strip;
}

StripPlace atEdge(const QRect &strip, ScreenEdge edge, const QRect &monitor)
{
    StripPlace place { strip, edge, monitor };
    if (edge == ScreenEdge::Top)
        place.strip.moveTop(monitor.top());
    else if (edge == ScreenEdge::Bottom)
        place.strip.moveBottom(monitor.bottom());
    return place;
}

} // namespace

QRect serverArea(const QRect &qtArea, qreal scale)
{
    return { qtArea.topLeft(), qtArea.size() * scale };
}

QPoint toServer(const QPoint &point, const QRect &qtArea, qreal scale)
{
    return qtArea.topLeft() + (point - qtArea.topLeft()) * scale;
}

QPoint toQt(const QPoint &point, const QRect &qtArea, qreal scale)
{
    return qtArea.topLeft() + (point - qtArea.topLeft()) / scale;
}

QRect monitorNear(const QPoint &point, const QList<QRect> &monitors)
{
    const auto nearest =
        std::min_element(monitors.begin(), monitors.end(), [&](const QRect &a, const QRect &b) {
            return squaredDistance(point, a) < squaredDistance(point, b);
        });
    return nearest == monitors.end() ? QRect() : *nearest;
}

ScreenEdge edgeOf(const QRect &strip, const QRect &monitor, const QList<QRect> &monitors, int snap)
{
    if (std::abs(strip.top() - monitor.top()) <= snap &&
        !monitorBeyond(ScreenEdge::Top, strip, monitor, monitors))
        return ScreenEdge::Top;
    if (std::abs(strip.bottom() - monitor.bottom()) <= snap &&
        !monitorBeyond(ScreenEdge::Bottom, strip, monitor, monitors))
        return ScreenEdge::Bottom;
    return ScreenEdge::None;
}

StripPlace dropPlace(const QRect &strip, const QPoint &pointer, const QList<QRect> &monitors,
                     const QRect &lastMonitor)
{
    const QRect monitor = monitorNear(pointer, monitors);
    if (monitor.isEmpty())
        return { strip, ScreenEdge::None, monitor };
    const QRect placed = inside(strip, monitor, monitor != lastMonitor);
    return atEdge(placed, edgeOf(placed, monitor, monitors, kSnapPixels), monitor);
}

StripPlace keptPlace(const QRect &strip, ScreenEdge edge, const QList<QRect> &monitors,
                     const QRect &lastMonitor)
{
    const QRect monitor = monitorNear(strip.center(), monitors);
    if (monitor.isEmpty())
        return { strip, ScreenEdge::None, monitor };
    const QRect placed = inside(strip, monitor, monitor != lastMonitor);
    if (edge != ScreenEdge::None && monitorBeyond(edge, placed, monitor, monitors))
        edge = ScreenEdge::None;
    return atEdge(placed, edge, monitor);
}

std::array<quint32, 12> StrutPartial::values() const
{
    return { left,        right,     top,       bottom,  leftStartY,   leftEndY,
             rightStartY, rightEndY, topStartX, topEndX, bottomStartX, bottomEndX };
}

StrutPartial strutPartial(ScreenEdge edge, const QRect &strip, const QSize &rootSize)
{
    StrutPartial strut;
    const auto start = quint32(std::max(strip.left(), 0));
    const int end = std::min(strip.right(), rootSize.width() - 1);
    if (end < int(start))
        return strut;
    switch (edge) {
    case ScreenEdge::None:
        break;
    case ScreenEdge::Top:
        strut.top = quint32(std::clamp(strip.bottom() + 1, 0, rootSize.height()));
        strut.topStartX = start;
        strut.topEndX = quint32(end);
        break;
    case ScreenEdge::Bottom:
        strut.bottom = quint32(std::clamp(rootSize.height() - strip.top(), 0, rootSize.height()));
        strut.bottomStartX = start;
        strut.bottomEndX = quint32(end);
        break;
    }
    return strut;
}

} // namespace zel
