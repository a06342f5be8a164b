#include "devicemove.h"

#include <QRectF>

namespace zel {

QRect deviceRect(const QRect &logical, qreal scale)
{
    const QPoint topLeft(qRound(logical.x() * scale), qRound(logical.y() * scale));
    const QPoint end(qRound((logical.x() + logical.width()) * scale),
                     qRound((logical.y() + logical.height()) * scale));
    return QRect(topLeft, end - QPoint(1, 1));
}

QRegion logicalCover(const QRegion &device, qreal scale)
{
    QRegion logical;
    for (const QRect &rect : device)
        logical +=
            QRectF(QPointF(rect.topLeft()) / scale, QSizeF(rect.size()) / scale).toAlignedRect();
    return logical;
}

DeviceMove planDeviceMove(const QRect &from, const QRect &to, const QRect &clip, qreal scale)
{
    const QRect deviceClip = deviceRect(clip, scale);
    const QRect was = deviceRect(from, scale);
    const QRect now = deviceRect(to, scale) & deviceClip;
    DeviceMove move;
    move.dx = now.isEmpty() ? 0 : deviceRect(to, scale).x() - was.x();
    move.source = was & deviceClip & now.translated(-move.dx, 0);
    move.exposed = QRegion(now) - move.source.translated(move.dx, 0);
    return move;
}

} // namespace zel
