#include "linewidget.h"

#include "twips.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zel {

LineWidget::LineWidget(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    updatePlace();
}

void LineWidget::moveEnd(double &end, double twips)
{
    end = twips;
    updatePlace();
}

void LineWidget::setBorderColor(const QColor &colour)
{
    m_colour = colour;
    update();
}

void LineWidget::setLineVisible(bool visible)
{
    setVisible(visible);
}

void LineWidget::bringToFront()
{
    raise();
}

void LineWidget::updatePlace()
{
    const QPointF start(twipsToPixels(m_x1), twipsToPixels(m_y1));
    QLineF line(start, QPointF(twipsToPixels(m_x2), twipsToPixels(m_y2)));
    if (line.length() < 1.0) {
        m_drawn = QLineF();
        setGeometry(QRect(start.toPoint(), QSize(0, 0)));
        return;
    }
    line.setLength(line.length() - 1.0); // the end point stays undrawn
    const QPoint end(static_cast<int>(std::lround(line.x2())),
                     static_cast<int>(std::lround(line.y2())));
    const QPoint from = start.toPoint();
    const QRect box(QPoint(std::min(from.x(), end.x()), std::min(from.y(), end.y())),
                    QPoint(std::max(from.x(), end.x()), std::max(from.y(), end.y())));
    m_drawn = QLineF(start - box.topLeft(), QPointF(end) - box.topLeft());
    setGeometry(box);
    update();
}

void LineWidget::paintEvent(QPaintEvent *)
{
    if (m_drawn.isNull())
        return;
    QPainter painter(this);
    painter.setPen(QPen(m_colour, 0));
    painter.drawLine(m_drawn);
}

} // namespace zel
