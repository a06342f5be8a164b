#pragma once

#include <QList>
#include <QRect>

#include <array>

namespace zel {

// The edge of its screen that a docked strip holds.
enum class ScreenEdge { None, Top, Bottom };

// Where a strip goes when it is let go, and the edge of its screen it then holds.
struct EdgeDock
{
    ScreenEdge edge = ScreenEdge::None;
    QPoint topLeft;
};

// A strip let go this close to its screen's top or bottom edge snaps to it.
inline constexpr int kSnapPixels = 8;

// The dock of a strip at `strip` among `screens` (one coordinate system): the
// screen that holds the strip's centre, or else the one it overlaps most. An
// edge counts only where no other screen lies beyond it within the strip's
// span, since the line kept free reaches to the edge of the whole desktop.
EdgeDock dockAtEdge(const QRect &strip, const QList<QRect> &screens, int snap = kSnapPixels);

// The twelve values of _NET_WM_STRUT_PARTIAL that keep the line of a strip at
// `strip` free at `edge`, counted from the edges of the root window of
// `rootSize` and limited to the strip's own span; all zero for no edge.
std::array<quint32, 12> strutPartial(ScreenEdge edge, const QRect &strip, const QSize &rootSize);

} // namespace zel
