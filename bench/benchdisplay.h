#pragma once

#include "displaylayer.h"

namespace zel::bench {

// The least display the ticker can run on: plain values, a measurer that
// counts characters, and a queue that does nothing.

class PlainTextBox final : public TextBox
{
public:
    double Left() const override { return m_left; }
    void setLeft(double twips) override { m_left = twips; }
    double Top() const override { return m_top; }
    void setTop(double twips) override { m_top = twips; }
    double Width() const override { return m_width; }
    void setWidth(double twips) override { m_width = twips; }
    double Height() const override { return m_height; }
    void setHeight(double twips) override { m_height = twips; }
    QString Text() const override { return m_text; }
    void setText(const QString &text) override { m_text = text; }
    void setVisible(bool) override { }
    bool FontBold() const override { return false; }
    bool FontItalic() const override { return false; }
    QString FontName() const override { return QStringLiteral("Gothic"); }
    double FontSize() const override { return 9; }

private:
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    QString m_text;
};

class PlainFrame final : public Frame
{
public:
    double Width() const override { return 19200; }
    double Height() const override { return 300; }
};

class CountingMeasurer final : public MeasuringForm
{
public:
    bool FontBold() const override { return m_bold; }
    void setFontBold(bool bold) override { m_bold = bold; }
    bool FontItalic() const override { return m_italic; }
    void setFontItalic(bool italic) override { m_italic = italic; }
    QString FontName() const override { return m_name; }
    void setFontName(const QString &name) override { m_name = name; }
    double FontSize() const override { return m_size; }
    void setFontSize(double points) override { m_size = points; }
    double TextWidth(const QString &text) const override { return 135.0 * double(text.size()); }
    double TextHeight(const QString &) const override { return 270; }

private:
    bool m_bold = false, m_italic = false;
    QString m_name;
    double m_size = 9;
};

class IdleQueue final : public EventQueue
{
public:
    void yieldOnce() override { }
};

} // namespace zel::bench
