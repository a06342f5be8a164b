#pragma once

#include "displaylayer.h"

#include <QStringList>

#include <functional>

namespace zel::test {

using namespace Qt::StringLiterals;

// Fakes of the display that append every write to one shared log, e.g.
// "box0.Left=100", so tests can check values and their order.

class FakeTextBox final : public TextBox
{
public:
    FakeTextBox(QStringList &log, int index)
        : m_log(log)
        , m_name(QStringLiteral("box%1").arg(index))
    {
    }

    double Left() const override { return m_left; }
    void setLeft(double twips) override { m_left = twips; write(u"Left", QString::number(twips)); }
    double Top() const override { return m_top; }
    void setTop(double twips) override { m_top = twips; write(u"Top", QString::number(twips)); }
    double Width() const override { return m_width; }
    void setWidth(double twips) override { m_width = twips; write(u"Width", QString::number(twips)); }
    double Height() const override { return m_height; }
    void setHeight(double twips) override { m_height = twips; write(u"Height", QString::number(twips)); }
    QString Text() const override { return m_text; }
    void setText(const QString &text) override { m_text = text; write(u"Text", text); }
    void setVisible(bool visible) override { m_visible = visible; write(u"Visible", visible ? u"1"_s : u"0"_s); }
    bool visible() const { return m_visible; }

    bool FontBold() const override { return m_bold; }
    bool FontItalic() const override { return m_italic; }
    QString FontName() const override { return m_fontName; }
    double FontSize() const override { return m_fontSize; }
    void setFont(bool bold, bool italic, const QString &name, double size)
    {
        m_bold = bold, m_italic = italic, m_fontName = name, m_fontSize = size;
    }

private:
    void write(QStringView what, const QString &value) { m_log << m_name + u'.' + what + u'=' + value; }

    QStringList &m_log;
    QString m_name;
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    QString m_text;
    bool m_visible = true;
    bool m_bold = false, m_italic = false;
    QString m_fontName = QStringLiteral("BoxFace");
    double m_fontSize = 9;
};

class FakeFrame final : public Frame
{
public:
    double Width() const override { return width; }
    double Height() const override { return height; }
    double width = 1000;
    double height = 300;
};

// Measures 10 twips per character and 12 twips per point of height. Records
// the font each measurement was made in.
class FakeMeasuringForm final : public MeasuringForm
{
public:
    explicit FakeMeasuringForm(QStringList &log) : m_log(log) {}

    bool FontBold() const override { return m_bold; }
    void setFontBold(bool bold) override { m_bold = bold; m_log << u"form.FontBold="_s + QString::number(bold); }
    bool FontItalic() const override { return m_italic; }
    void setFontItalic(bool italic) override { m_italic = italic; m_log << u"form.FontItalic="_s + QString::number(italic); }
    QString FontName() const override { return m_name; }
    void setFontName(const QString &name) override { m_name = name; m_log << u"form.FontName="_s + name; }
    double FontSize() const override { return m_size; }
    void setFontSize(double points) override { m_size = points; m_log << u"form.FontSize="_s + QString::number(points); }

    double TextWidth(const QString &text) const override { measuredIn << font(); return 10.0 * text.size(); }
    double TextHeight(const QString &) const override { measuredIn << font(); return 12.0 * m_size; }

    QString font() const { return QStringLiteral("%1/%2/%3/%4").arg(m_bold).arg(m_italic).arg(m_name).arg(m_size); }
    mutable QStringList measuredIn;

private:
    QStringList &m_log;
    bool m_bold = false, m_italic = false;
    QString m_name = QStringLiteral("FormFace");
    double m_size = 20;
};

// Counts yields and runs `onYield` (with the yield's number, from 1) inside
// each; records how deeply yields were nested.
class FakeEventQueue final : public EventQueue
{
public:
    void yieldOnce() override
    {
        ++yields;
        ++m_depth;
        maxDepth = std::max(maxDepth, m_depth);
        if (onYield)
            onYield(yields);
        --m_depth;
    }

    int yields = 0;
    int maxDepth = 0;
    std::function<void(int)> onYield;

private:
    int m_depth = 0;
};

} // namespace zel::test
