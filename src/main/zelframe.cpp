#include "zelframe.h"

#include "twips.h"

#include <QMouseEvent>

namespace zel {

ZelFrame::ZelFrame(QWidget *parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
}

double ZelFrame::Width() const
{
    return pixelsToTwips(width());
}

double ZelFrame::Height() const
{
    return pixelsToTwips(height());
}

void ZelFrame::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT MouseDown(event->button());
}

} // namespace zel
