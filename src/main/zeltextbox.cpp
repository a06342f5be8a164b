#include "zeltextbox.h"

#include "gothicfont.h"
#include "twipsrect.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace zel {

ZelTextBox::ZelTextBox(int index, QWidget *frame)
    : QWidget(frame)
    , m_index(index)
{
    setFont(gothicFont(9.75, true));
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    setAutoFillBackground(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ButtonText));
    setPalette(colours);
}

void ZelTextBox::setLeft(double twips)
{
    m_left = twips;
    placeWidget();
}

void ZelTextBox::setTop(double twips)
{
    m_top = twips;
    placeWidget();
}

void ZelTextBox::setWidth(double twips)
{
    m_width = twips;
    placeWidget();
}

void ZelTextBox::setHeight(double twips)
{
    m_height = twips;
    placeWidget();
}

void ZelTextBox::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_renderedRatio = 0;
    update();
    if (showsOnScreen(geometry()))
        Q_EMIT PictureChanged();
}

void ZelTextBox::setVisible(bool visible)
{
    const bool wasVisible = isVisible();
    QWidget::setVisible(visible);
    if (isVisible() != wasVisible)
        Q_EMIT PictureChanged();
}

bool ZelTextBox::FontBold() const
{
    return font().bold();
}

bool ZelTextBox::FontItalic() const
{
    return font().italic();
}

QString ZelTextBox::FontName() const
{
    return font().family();
}

double ZelTextBox::FontSize() const
{
    return font().pointSizeF();
}

// The widget moves only when its pixel rectangle changes: a box that moved
// less than a pixel needs no repaint.
void ZelTextBox::placeWidget()
{
    const QRect pixels = pixelRect({ m_left, m_top, m_width, m_height });
    if (pixels == geometry())
        return;
    const bool seen = showsOnScreen(geometry()) || showsOnScreen(pixels);
    setGeometry(pixels);
    if (seen)
        Q_EMIT PictureChanged();
}

// An empty box, one outside the frame or a hidden one shows nothing.
bool ZelTextBox::showsOnScreen(const QRect &area) const
{
    return isVisible() && !area.isEmpty() && parentWidget() &&
        area.intersects(parentWidget()->rect());
}

void ZelTextBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QPixmap &text = renderedText();
    const QRect textArea(QPoint(0, 0), text.deviceIndependentSize().toSize());
    const QRect shown = event->rect() & textArea;
    if (!shown.isEmpty()) {
        const qreal ratio = text.devicePixelRatio();
        painter.drawPixmap(shown, text,
                           QRectF(QPointF(shown.topLeft()) * ratio, QSizeF(shown.size()) * ratio));
    }
    if (shown == event->rect())
        return;
    const QColor background = palette().color(QPalette::Window);
    for (const QRect &rest : QRegion(event->rect()).subtracted(textArea))
        painter.fillRect(rest, background);
}

void ZelTextBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        m_renderedRatio = 0;
    QWidget::changeEvent(event);
}

const QPixmap &ZelTextBox::renderedText()
{
    const qreal ratio = devicePixelRatioF();
    if (m_renderedRatio == ratio)
        return m_rendered;
    m_renderedRatio = ratio;
    ++m_textRenders;
    const QFontMetricsF metrics(font());
    const QSize size(int(std::ceil(metrics.horizontalAdvance(m_text))),
                     int(std::ceil(metrics.height())));
    m_rendered = QPixmap();
    if (size.isEmpty())
        return m_rendered;
    m_rendered = QPixmap(size * ratio);
    m_rendered.setDevicePixelRatio(ratio);
    m_rendered.fill(palette().color(QPalette::Window));
    QPainter painter(&m_rendered);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(QRectF(QPointF(0, 0), size), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     m_text);
    return m_rendered;
}

void ZelTextBox::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT MouseDown(m_index, event->button());
}

} // namespace zel
