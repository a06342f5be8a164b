#pragma once

#include <QString>

namespace zel {

// What the ticker and the box fitting need of the display. Positions and sizes
// are real numbers in twips (15 to a pixel), kept with their fractions; the
// ticker reads them afresh from these objects every time it needs them.

class TextBox
{
public:
    virtual ~TextBox() = default;

    virtual double Left() const = 0;
    virtual void setLeft(double twips) = 0;
    virtual double Top() const = 0;
    virtual void setTop(double twips) = 0;
    virtual double Width() const = 0;
    virtual void setWidth(double twips) = 0;
    virtual double Height() const = 0;
    virtual void setHeight(double twips) = 0;
    virtual QString Text() const = 0;
    virtual void setText(const QString &text) = 0;
    virtual void setVisible(bool visible) = 0;

    virtual bool FontBold() const = 0;
    virtual bool FontItalic() const = 0;
    virtual QString FontName() const = 0;
    virtual double FontSize() const = 0;
};

class Frame
{
public:
    virtual ~Frame() = default;

    virtual double Width() const = 0;
    virtual double Height() const = 0;
};

// The surface that measures text: takes a font, measures strings in it.
class MeasuringForm
{
public:
    virtual ~MeasuringForm() = default;

    virtual bool FontBold() const = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual bool FontItalic() const = 0;
    virtual void setFontItalic(bool italic) = 0;
    virtual QString FontName() const = 0;
    virtual void setFontName(const QString &name) = 0;
    virtual double FontSize() const = 0;
    virtual void setFontSize(double points) = 0;

    virtual double TextWidth(const QString &text) const = 0;
    virtual double TextHeight(const QString &text) const = 0;
};

// One yield to the event queue: dispatch every pending event, then return.
class EventQueue
{
public:
    virtual ~EventQueue() = default;

    virtual void yieldOnce() = 0;
};

} // namespace zel
