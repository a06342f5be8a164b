#pragma once

#include <QLabel>

namespace zel {

// The coloured handle at the strip's left end: the window's title bar.
class TitleBarLabel final : public QLabel
{
    Q_OBJECT

public:
    explicit TitleBarLabel(QWidget *parent);

Q_SIGNALS:
    void MouseDown(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace zel
