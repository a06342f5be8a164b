#pragma once

#include "displaylayer.h"

#include <QFrame>

namespace zel {

// The clipping frame the display boxes run through.
class ZelFrame final : public QFrame, public Frame
{
    Q_OBJECT

public:
    explicit ZelFrame(QWidget *parent);

    double Width() const override;
    double Height() const override;

Q_SIGNALS:
    void MouseDown(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace zel
