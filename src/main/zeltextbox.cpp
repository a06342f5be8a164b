#include "zeltextbox.h"

#include "gothicfont.h"
#include "twipsrect.h"

#include <QMouseEvent>
#include <QPainter>

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
    m_rendered = QPixmap();
    update();
    if (showsOnScreen(geometry()))
        tellPictureChanged();
}

void ZelTextBox::setVisible(bool visible)
{
    const bool wasVisible = isVisible();
    QWidget::setVisible(visible);
    if (isVisible() != wasVisible)
        tellPictureChanged();
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
        tellPictureChanged();
}

// An empty box, one outside the frame or a hidden one shows nothing.
bool ZelTextBox::showsOnScreen(const QRect &area) const
{
    return isVisible() && !area.isEmpty() && parentWidget() &&
        area.intersects(parentWidget()->rect());
}

void ZelTextBox::tellPictureChanged()
{
    if (m_pictureObserver)
        m_pictureObserver->pictureChanged();
}

void ZelTextBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.drawPixmap(event->rect(), renderedText(), event->rect());
}

const QPixmap &ZelTextBox::renderedText()
{
    const QSize pixels = size() * devicePixelRatioF();
    if (m_rendered.size() == pixels || pixels.isEmpty())
        return m_rendered;
    m_rendered = QPixmap(pixels);
    m_rendered.setDevicePixelRatio(devicePixelRatioF());
    m_rendered.fill(palette().color(QPalette::Window));
    QPainter painter(&m_rendered);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(QRectF(QPointF(0, 0), size()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_text);
    return m_rendered;
}

void ZelTextBox::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT MouseDown(m_index, event->button());
}

} // namespace zel
