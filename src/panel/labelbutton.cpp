#include "labelbutton.h"

#include <QMouseEvent>
#include <QPointer>

namespace zel {

LabelButton::LabelButton(qint16 index, const QString &caption, const TwipsRect &place,
                         QWidget *parent)
    : QLabel(parent)
    , m_index(index)
{
    setObjectName(QStringLiteral("LabelBtn%1").arg(index));
    setTextFormat(Qt::PlainText);
    setText(caption);
    setGeometry(pixelRect(place));
    setMouseTracking(true);
}

LabelButton::~LabelButton() = default;

void LabelButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    Q_EMIT pressed(m_index);
}

void LabelButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool isClick = event->button() == Qt::LeftButton && m_leftDown &&
        rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_leftDown = false;
    // A handler may close this label's window, or end more than that.
    const QPointer<LabelButton> alive(this);
    Q_EMIT released(m_index);
    if (isClick && alive)
        Q_EMIT clicked(m_index);
}

void LabelButton::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT moved(m_index);
}

} // namespace zel
