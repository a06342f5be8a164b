#pragma once

#include "twipsrect.h"

#include <QColor>

namespace zel {

class FrameLineArray;

// Gives label-buttons a flat look: a frame one line wide around the label
// under the pointer, raised while hovered and sunken while pressed. It only
// places, colours, shows and hides the four lines it is bound to; the lines
// remember everything else.
class CoolButtonCtrl final
{
public:
    static inline const QColor kLightColour { 255, 255, 255 };
    static inline const QColor kShadowColour { 128, 128, 128 };
    // Pulls the right and bottom edges onto the control's last pixel.
    static constexpr qint64 kInset = 10;

    // Binds the frame to its lines once: they are hidden and brought in front
    // of the form's other controls.
    explicit CoolButtonCtrl(FrameLineArray &lines);
    Q_DISABLE_COPY_MOVE(CoolButtonCtrl)

    // Frames `control` raised.
    void BtnMove(const TwipsRect &control);
    // Hides the frame.
    void BtnOut();
    // Shows the frame sunken where it was last placed.
    void BtnDown();
    // Shows the frame raised where it was last placed.
    void BtnUp();

private:
    void LineMove(const TwipsRect &control);
    void LineColor(bool raised);
    void LineVisible(bool visible);
    void LineFront();

    FrameLineArray &m_lines;
};

} // namespace zel
