#pragma once

#include "displaylayer.h"

#include <QStringList>

#include <functional>

namespace zel::test {

using namespace Qt::StringLiterals;

// Fakes of the display that log every write to one list ("box0.Left=100"),
// so tests can check values and their order.

class FakeTextBox final : public TextBox
{
public:
    FakeTextBox(QStringList &log, int index)
        : m_log(log)
        , m_name(u"box%1."_s.arg(index))
    { }

    double Left() const override { return left; }
    void setLeft(double v) override { left = logged(u"Left", v); }
    double Top() const override { return top; }
    void setTop(double v) override { top = logged(u"Top", v); }
    double Width() const override { return width; }
    void setWidth(double v) override { width = logged(u"Width", v); }
    double Height() const override { return height; }
    void setHeight(double v) override { height = logged(u"Height", v); }
    QString Text() const override { return text; }
    void setText(const QString &v) override
    {
        text = v;
        m_log << m_name + u"Text=" + v;
    }
    void setVisible(bool v) override { visible = logged(u"Visible", v); }
    bool FontBold() const override { return true; }
    bool FontItalic() const override { return true; }
    QString FontName() const override { return u"BoxFace"_s; }
    double FontSize() const override { return 9; }

    double left = 0, top = 0, width = 0, height = 0;
    QString text;
    bool visible = true;

private:
    template<typename T> T logged(QStringView what, T v)
    {
        m_log << m_name + what + u'=' + QString::number(v);
        return v;
    }

    QStringList &m_log;
    QString m_name;
};

class FakeFrame final : public Frame
{
public:
    double Width() const override { return width; }
    double Height() const override { return height; }
    double width = 1000, height = 300;
};

// Measures 10 twips per character and 12 per point of height; logs font
// writes and notes the font of every measurement ("bold/italic/name/size").
class FakeMeasuringForm final : public MeasuringForm
{
public:
    explicit FakeMeasuringForm(QStringList &log)
        : m_log(log)
    { }

    bool FontBold() const override { return m_bold; }
    void setFontBold(bool v) override
    {
        m_log << u"form.FontBold="_s + QString::number(m_bold = v);
    }
    bool FontItalic() const override { return m_italic; }
    void setFontItalic(bool v) override
    {
        m_log << u"form.FontItalic="_s + QString::number(m_italic = v);
    }
    QString FontName() const override { return m_name; }
    void setFontName(const QString &v) override { m_log << u"form.FontName="_s + (m_name = v); }
    double FontSize() const override { return m_size; }
    void setFontSize(double v) override
    {
        m_log << u"form.FontSize="_s + QString::number(m_size = v);
    }
    double TextWidth(const QString &text) const override
    {
        measuredIn << font();
        return 10.0 * text.size();
    }
    double TextHeight(const QString &) const override
    {
        measuredIn << font();
        return 12.0 * m_size;
    }

    QString font() const
    {
        return u"%1/%2/%3/%4"_s.arg(m_bold).arg(m_italic).arg(m_name).arg(m_size);
    }
    mutable QStringList measuredIn;

private:
    QStringList &m_log;
    bool m_bold = false, m_italic = false;
    QString m_name = u"FormFace"_s;
    double m_size = 20;
};

// Counts yields, runs `onYield` (with the yield's number, from 1) inside
// each, and notes how deeply yields were nested.
class FakeEventQueue final : public EventQueue
{
public:
    void yieldOnce() override
    {
        maxDepth = std::max(maxDepth, ++m_depth);
        ++yields;
        if (onYield)
            onYield(yields);
        --m_depth;
    }

    int yields = 0, maxDepth = 0;
    std::function<void(int)> onYield;

private:
    int m_depth = 0;
};

} // namespace zel::test
