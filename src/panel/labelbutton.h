#pragma once

#include "twipsrect.h"

#include <QLabel>

namespace zel {

// A plain-text label of a label-button array, reporting the mouse with its
// index. A click is a left press and release with the pointer still on the
// label; a double click counts as a second press.
class LabelButton final : public QLabel
{
    Q_OBJECT
public:
    LabelButton(qint16 index, const QString &caption, const TwipsRect &place,
                QWidget *parent = nullptr);
    ~LabelButton() override;
    Q_DISABLE_COPY_MOVE(LabelButton)

    qint16 index() const { return m_index; }
    // Where the label stands as drawn, which may be larger than its designed
    // place.
    TwipsRect place() const { return twipsRect(geometry()); }

Q_SIGNALS:
    void pressed(qint16 index);
    void released(qint16 index);
    void clicked(qint16 index);
    void moved(qint16 index);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    qint16 m_index = 0;
    bool m_leftDown = false;
};

} // namespace zel
