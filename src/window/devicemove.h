#pragma once

#include <QRect>
#include <QRegion>

namespace zel {

// The device pixels a rectangle of logical pixels covers at a display scale:
// each edge lands on its position times the scale, rounded, as Qt paints it.
QRect deviceRect(const QRect &logical, qreal scale);

// The logical pixels that cover the device pixels of `device` whole.
QRegion logicalCover(const QRegion &device, qreal scale);

// A box's sideways move of whole logical pixels, in the device pixels of its
// window: what the box showed in `source` moves by `dx` and stays valid; the
// rest of the box's new place within the clip is `exposed` and is painted.
struct DeviceMove
{
    QRect source;
    int dx = 0;
    QRegion exposed;
};

// The move of a box from `from` to `to` (logical pixels of the window, same
// size) seen through `clip`.
DeviceMove planDeviceMove(const QRect &from, const QRect &to, const QRect &clip, qreal scale);

} // namespace zel
