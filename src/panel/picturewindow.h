#pragma once

#include "twipsrect.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <vector>

class QFont;
class QLabel;

namespace zel {

class LabelButton;
class LineWidget;

// The look shared by the small dialogs: no title bar, a thin raised border,
// a 200 x 100 pixel embossed picture as background, dark grey transparent
// labels, label-buttons and the four lines of their frame. Reports the mouse
// on its background and on its label-buttons; acts on nothing itself.
class PictureWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr QSize kSize { 200, 100 };

    ~PictureWindow() override;
    Q_DISABLE_COPY_MOVE(PictureWindow)

    // nullptr when there is no label-button of that index.
    LabelButton *labelButton(qint16 index) const;
    LineWidget *frameLine(int index) const;

Q_SIGNALS:
    void labelPressed(qint16 index);
    void labelReleased(qint16 index);
    void labelClicked(qint16 index);
    void labelMoved(qint16 index);
    void backgroundMoved();
    void backgroundPressed();

protected:
    PictureWindow(const QString &name, const QString &title, const QColor &cornerColour,
                  const QColor &averageColour, Qt::WindowFlags extraFlags = {});

    QLabel *addLabel(const QString &name, const QString &caption, const TwipsRect &place,
                     const QFont &font, Qt::Alignment alignment);
    LabelButton *addLabelButton(qint16 index, const QString &caption, const TwipsRect &place,
                                const QFont &font, Qt::Alignment alignment);
    // Call last, so the frame lies over every label.
    void addFrameLines();

    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    static void fitLabel(QLabel &label, const QFont &font, Qt::Alignment alignment);
    bool isBackground(const QPoint &position) const;

    QPixmap m_picture;
    std::vector<LabelButton *> m_labelButtons;
    std::array<LineWidget *, 4> m_lines {};
};

} // namespace zel
