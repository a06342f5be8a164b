#pragma once

#include "frameline.h"

#include <QColor>
#include <QWidget>

namespace zel {

// A line control: a straight line between two points given in twips, drawn
// like the window system's lines, from the first point up to but not
// including the second. It lets the mouse through to what lies below.
class LineWidget final : public QWidget, public FrameLine
{
    Q_OBJECT
public:
    explicit LineWidget(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(LineWidget)

    double X1() const { return m_x1; }
    double X2() const { return m_x2; }
    double Y1() const { return m_y1; }
    double Y2() const { return m_y2; }
    QColor BorderColor() const { return m_colour; }

    void setX1(double twips) override { moveEnd(m_x1, twips); }
    void setX2(double twips) override { moveEnd(m_x2, twips); }
    void setY1(double twips) override { moveEnd(m_y1, twips); }
    void setY2(double twips) override { moveEnd(m_y2, twips); }
    void setBorderColor(const QColor &colour) override;
    void setLineVisible(bool visible) override;
    void bringToFront() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void moveEnd(double &end, double twips);
    void updatePlace();

    double m_x1 = 0;
    double m_x2 = 0;
    double m_y1 = 0;
    double m_y2 = 0;
    QColor m_colour { Qt::black };
    // The drawn stretch in the parent's pixels; empty for a line of no length.
    QLineF m_drawn;
};

} // namespace zel
