#include "titlebarlabel.h"

#include <QMouseEvent>

namespace zel {

TitleBarLabel::TitleBarLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    setToolTip(QStringLiteral(u"Drag to move · right-press for the control panel"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    // Qt has no role for an active title bar; the highlight colour is the
    // closest the platform offers.
    colours.setColor(QPalette::Window, colours.color(QPalette::Active, QPalette::Highlight));
    setPalette(colours);
}

void TitleBarLabel::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT MouseDown(event->button());
}

} // namespace zel
