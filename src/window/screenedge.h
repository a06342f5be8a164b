#pragma once

#include <QList>
#include <QRect>

#include <array>

namespace zel {

// The rules that keep a strip on its monitor and its line free. Every
// rectangle and point here is in the X server's own pixels, in which the
// monitors of one desktop lie side by side whatever each one's scale.

// The edge of its monitor that a docked strip holds.
enum class ScreenEdge { None, Top, Bottom };

// Where a strip goes: its place and the edge of its monitor it then holds.
struct StripPlace
{
    QRect strip;
    ScreenEdge edge = ScreenEdge::None;
    QRect monitor; // empty where there is no monitor at all
};

// A strip let go this close to its monitor's top or bottom edge snaps to it.
inline constexpr int kSnapPixels = 8;

// Qt places a window in its own pixels: at a fractional scale the server may
// have the strip this far from the edge it was placed at.
inline constexpr int kRoundingPixels = 1;

// A monitor of Qt's, whose top-left corner is the same in Qt's pixels and the
// server's and whose size is scaled by `scale`, in the server's pixels.
QRect serverArea(const QRect &qtArea, qreal scale);

// `point` within a monitor from Qt's pixels to the server's and back.
QPoint toServer(const QPoint &point, const QRect &qtArea, qreal scale);
QPoint toQt(const QPoint &point, const QRect &qtArea, qreal scale);

// The monitor that holds `point`, or else the one nearest to it; empty
// where there are none.
QRect monitorNear(const QPoint &point, const QList<QRect> &monitors);

// The edge of `monitor` that `strip` lies within `snap` pixels of. An edge
// counts only where no other monitor lies beyond it within the strip's span,
// since the line kept free reaches to the edge of the whole desktop.
ScreenEdge edgeOf(const QRect &strip, const QRect &monitor, const QList<QRect> &monitors,
                  int snap = 0);

// A strip dropped with the pointer at `pointer`: it goes fully inside the
// monitor that holds the pointer, and snaps to its top or bottom edge when
// it is let go near one. On another monitor than `lastMonitor`, the one it
// was placed on before, it is as wide as that monitor, at its left edge.
StripPlace dropPlace(const QRect &strip, const QPoint &pointer, const QList<QRect> &monitors,
                     const QRect &lastMonitor);

// A strip placed on `lastMonitor` at `edge`, after the monitors have changed:
// it goes fully inside the monitor nearest to where it is, at the same edge
// where that edge still counts, and floats otherwise. On a monitor other than
// `lastMonitor`, or on the same one resized, it is as wide as the monitor.
StripPlace keptPlace(const QRect &strip, ScreenEdge edge, const QList<QRect> &monitors,
                     const QRect &lastMonitor);

// The values of _NET_WM_STRUT_PARTIAL, in their order on the wire: widths
// taken from the root window's four edges, then the span of each.
struct StrutPartial
{
    quint32 left = 0;
    quint32 right = 0;
    quint32 top = 0;
    quint32 bottom = 0;
    quint32 leftStartY = 0;
    quint32 leftEndY = 0;
    quint32 rightStartY = 0;
    quint32 rightEndY = 0;
    quint32 topStartX = 0;
    quint32 topEndX = 0;
    quint32 bottomStartX = 0;
    quint32 bottomEndX = 0;

    std::array<quint32, 12> values() const;
    bool operator==(const StrutPartial &) const = default;
};

// The strut that keeps the line of a strip at `strip` free at `edge`,
// counted from the edges of the root window of `rootSize` and limited to the
// strip's own span; all zero for no edge.
StrutPartial strutPartial(ScreenEdge edge, const QRect &strip, const QSize &rootSize);

} // namespace zel
