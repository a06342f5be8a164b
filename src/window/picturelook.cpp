#include "picturelook.h"

#include <QLabel>
#include <QPainter>

namespace zel {

void styleLabel(QLabel &label, const QFont &font, Qt::Alignment alignment)
{
    label.setTextFormat(Qt::PlainText);
    label.setFont(font);
    label.setAlignment(alignment);
    label.setAutoFillBackground(false);
    label.setFocusPolicy(Qt::NoFocus);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, kLabelColour);
    label.setPalette(palette);
}

void drawThinBorder(QPainter &painter, const QRect &area)
{
    const QRect edge = area.adjusted(0, 0, -1, -1);
    painter.setPen(QColor(255, 255, 255));
    painter.drawLine(edge.topLeft(), edge.topRight());
    painter.drawLine(edge.topLeft(), edge.bottomLeft());
    painter.setPen(QColor(64, 64, 64));
    painter.drawLine(edge.bottomLeft(), edge.bottomRight());
    painter.drawLine(edge.topRight(), edge.bottomRight());
}

} // namespace zel
