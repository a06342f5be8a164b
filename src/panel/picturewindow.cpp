#include "picturewindow.h"

#include "backgroundpicture.h"
#include "keepabove.h"
#include "labelbutton.h"
#include "linewidget.h"
#include "picturelook.h"

#include <QMouseEvent>
#include <QPainter>

namespace zel {

PictureWindow::PictureWindow(const QString &name, const QString &title, const QColor &cornerColour,
                             const QColor &averageColour, Qt::WindowFlags extraFlags)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | kKeepAbove | extraFlags)
    , m_picture(backgroundPicture(cornerColour, averageColour))
{
    setObjectName(name);
    setWindowTitle(title);
    setFixedSize(kSize);
    setMouseTracking(true);
}

PictureWindow::~PictureWindow() = default;

LabelButton *PictureWindow::labelButton(qint16 index) const
{
    for (LabelButton *button : m_labelButtons) {
        if (button->index() == index)
            return button;
    }
    return nullptr;
}

LineWidget *PictureWindow::frameLine(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_lines.size()))
        return nullptr;
    return m_lines[static_cast<std::size_t>(index)];
}

QLabel *PictureWindow::addLabel(const QString &name, const QString &caption, const TwipsRect &place,
                                const QFont &font, Qt::Alignment alignment)
{
    auto *label = new QLabel(this);
    label->setObjectName(name);
    label->setText(caption);
    label->setGeometry(pixelRect(place));
    fitLabel(*label, font, alignment);
    // A plain label keeps a pixel of air inside the border, even where its
    // place or its caption reaches the window's edge.
    const QRect inner = rect().adjusted(2, 2, -2, -2);
    QRect clear = label->geometry();
    if (clear.right() > inner.right())
        clear.moveRight(inner.right());
    if (clear.bottom() > inner.bottom())
        clear.moveBottom(inner.bottom());
    label->setGeometry(clear);
    return label;
}

LabelButton *PictureWindow::addLabelButton(qint16 index, const QString &caption,
                                           const TwipsRect &place, const QFont &font,
                                           Qt::Alignment alignment)
{
    auto *button = new LabelButton(index, caption, place, this);
    fitLabel(*button, font, alignment);
    connect(button, &LabelButton::pressed, this, &PictureWindow::labelPressed);
    connect(button, &LabelButton::released, this, &PictureWindow::labelReleased);
    connect(button, &LabelButton::clicked, this, &PictureWindow::labelClicked);
    connect(button, &LabelButton::moved, this, &PictureWindow::labelMoved);
    m_labelButtons.push_back(button);
    return button;
}

void PictureWindow::addFrameLines()
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        auto *line = new LineWidget(this);
        line->setObjectName(QStringLiteral("LineCB%1").arg(i));
        line->setLineVisible(false);
        line->bringToFront();
        m_lines[i] = line;
    }
}

void PictureWindow::fitLabel(QLabel &label, const QFont &font, Qt::Alignment alignment)
{
    styleLabel(label, font, alignment);
    // Labels size themselves to their caption: a fallback face may need more
    // room than the laid-out place, and an underline must not be cut off.
    const QRect place = label.geometry();
    QRect grown(place.topLeft(), place.size().expandedTo(label.sizeHint()));
    if (alignment & Qt::AlignRight)
        grown.moveRight(place.right());
    else if (alignment & Qt::AlignHCenter)
        grown.moveLeft(place.center().x() - grown.width() / 2);
    label.setGeometry(grown);
}

bool PictureWindow::isBackground(const QPoint &position) const
{
    return childAt(position) == nullptr;
}

void PictureWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    drawThinBorder(painter, rect());
}

// Mouse events of plain labels come up to here too; only the bare background
// counts.
void PictureWindow::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (isBackground(event->position().toPoint()))
        Q_EMIT backgroundMoved();
}

void PictureWindow::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (isBackground(event->position().toPoint()))
        Q_EMIT backgroundPressed();
}

} // namespace zel
