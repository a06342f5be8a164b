#pragma once

class QColor;

namespace zel {

// One line of a label-button frame: end points in twips, a colour, visibility
// and a place in the drawing order.
class FrameLine
{
public:
    virtual ~FrameLine() = default;

    virtual void setX1(double twips) = 0;
    virtual void setX2(double twips) = 0;
    virtual void setY1(double twips) = 0;
    virtual void setY2(double twips) = 0;
    virtual void setBorderColor(const QColor &colour) = 0;
    virtual void setLineVisible(bool visible) = 0;
    // Draws the line over every other control of its form.
    virtual void bringToFront() = 0;

protected:
    FrameLine() = default;
    FrameLine(const FrameLine &) = default;
    FrameLine &operator=(const FrameLine &) = default;
};

} // namespace zel
