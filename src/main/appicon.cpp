#include "appicon.h"

#include <QPainter>
#include <QPixmap>

namespace zel {

QIcon zelIcon()
{
    QIcon icon;
    for (const int size : { 16, 32, 48 }) {
        QPixmap picture(size, size);
        picture.fill(QColor(0, 0, 128));
        QPainter painter(&picture);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 0));
        const double unit = size / 16.0;
        // A "Z": top bar, diagonal, bottom bar.
        painter.drawRect(QRectF(3 * unit, 3 * unit, 10 * unit, 2 * unit));
        painter.drawRect(QRectF(3 * unit, 11 * unit, 10 * unit, 2 * unit));
        const QPointF diagonal[] = { { 11 * unit, 5 * unit },
                                     { 13 * unit, 5 * unit },
                                     { 5 * unit, 11 * unit },
                                     { 3 * unit, 11 * unit } };
        painter.drawPolygon(diagonal, 4);
        painter.end();
        icon.addPixmap(picture);
    }
    return icon;
}

} // namespace zel
