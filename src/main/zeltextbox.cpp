#include "zeltextbox.h"

#include "devicemove.h"
#include "devicescroll.h"
#include "gothicfont.h"
#include "textpixels.h"
#include "twipsrect.h"

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
    // The box paints every pixel it covers itself.
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
    m_paintPending = true;
    update();
    if (showsOnScreen(geometry()))
        Q_EMIT PictureChanged();
}

void ZelTextBox::setVisible(bool visible)
{
    const bool wasVisible = isVisible();
    QWidget::setVisible(visible);
    m_paintPending = true;
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
    if (!moveOnDevice(pixels)) {
        setGeometry(pixels);
        m_paintPending = true;
    }
    if (seen)
        Q_EMIT PictureChanged();
}

// Qt copies a move only when it is whole device pixels; at a scale such as
// 125 % it would repaint the whole box and send it to the window system
// again. A leftward move is copied here instead: what the box shows moves by
// its left edge's device move, so each edge stays at its logical position
// times the scale, rounded, and only the device pixels the copy leaves
// uncovered are painted. Pixels that still wait for their paint are never
// copied.
bool ZelTextBox::moveOnDevice(const QRect &pixels)
{
    const QRect from = geometry();
    const qreal scale = devicePixelRatioF();
    const qreal deviceDx = (pixels.x() - from.x()) * scale;
    if (m_paintPending || !isVisible() || pixels.size() != from.size() || pixels.y() != from.y() ||
        pixels.x() > from.x() || deviceDx == std::floor(deviceDx))
        return false;
    QWidget &strip = *window();
    const QPoint offset = parentWidget()->mapTo(&strip, QPoint());
    const QRect clip = QRect(offset, parentWidget()->size()) & strip.rect();
    const DeviceMove move =
        planDeviceMove(from.translated(offset), pixels.translated(offset), clip, scale);
    if (move.source.isEmpty() || !scrollDevicePixels(strip, move.source, move.dx))
        return false;
    // Qt only learns the new place; the frame repaints what the box leaves.
    setAttribute(Qt::WA_UpdatesDisabled, true);
    setGeometry(pixels);
    setAttribute(Qt::WA_UpdatesDisabled, false);
    if (!move.exposed.isEmpty()) {
        update(logicalCover(move.exposed, scale).translated(-offset - pixels.topLeft()));
        m_paintPending = true;
    }
    return true;
}

// An empty box, one outside the frame or a hidden one shows nothing.
bool ZelTextBox::showsOnScreen(const QRect &area) const
{
    return isVisible() && !area.isEmpty() && parentWidget() &&
        area.intersects(parentWidget()->rect());
}

// The picture is drawn whole, from the device pixel where the box begins, and
// the paint area clips it: any part of the box repainted at any display scale
// shows the same pixels of the picture, so a repainted column matches its
// neighbours. Whatever the picture does not cover is background.
void ZelTextBox::paintEvent(QPaintEvent *event)
{
    m_paintPending = false;
    QPainter painter(this);
    const QPixmap &text = renderedText();
    const QTransform toDevice = painter.deviceTransform();
    const QPoint origin(qRound(toDevice.dx()), qRound(toDevice.dy()));
    if (!QRect(origin, text.size()).contains(toDevice.mapRect(event->rect())))
        painter.fillRect(event->rect(), palette().color(QPalette::Window));
    if (!text.isNull())
        painter.drawPixmap(toDevice.inverted().map(QPointF(origin)), text);
}

void ZelTextBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        m_renderedRatio = 0;
        m_paintPending = true;
    }
    QWidget::changeEvent(event);
}

const QPixmap &ZelTextBox::renderedText()
{
    const qreal ratio = devicePixelRatioF();
    if (m_renderedRatio == ratio)
        return m_rendered;
    m_renderedRatio = ratio;
    ++m_textRenders;
    const QSize size = textPixels(font(), m_text);
    m_rendered = QPixmap();
    if (size.isEmpty())
        return m_rendered;
    // Every device pixel the box covers, also the last fraction of one at a
    // scale such as 125 %.
    m_rendered = QPixmap(static_cast<int>(std::ceil(size.width() * ratio)),
                         static_cast<int>(std::ceil(size.height() * ratio)));
    m_rendered.setDevicePixelRatio(ratio);
    m_rendered.fill(palette().color(QPalette::Window));
    QPainter painter(&m_rendered);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(QRectF(QPointF(0, 0), QSizeF(size)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_text);
    return m_rendered;
}

void ZelTextBox::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT MouseDown(m_index, event->button());
}

} // namespace zel
