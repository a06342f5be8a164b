#pragma once

#include "picturewindow.h"

class QLineEdit;
class QScrollBar;

namespace zel {

// The speed settings window: pale pink, with the momentary "l>", ">>>" and
// "ll" buttons, "X", and a slider with a number box each for the step size
// and the step delay. The delay slider has the keyboard focus first.
class ZelPropertyBoxWindow final : public PictureWindow
{
    Q_OBJECT
public:
    static inline const QString kTitle = QStringLiteral("Zel Speed Settings");
    static constexpr int kInitialMaximum = 32767;

    ZelPropertyBoxWindow();
    ~ZelPropertyBoxWindow() override;
    Q_DISABLE_COPY_MOVE(ZelPropertyBoxWindow)

    QScrollBar *HScrollShiftSpeed() const { return m_hScrollShiftSpeed; }
    QScrollBar *HScrollShiftTiming() const { return m_hScrollShiftTiming; }
    QLineEdit *TextShiftSpeed() const { return m_textShiftSpeed; }
    QLineEdit *TextShiftTiming() const { return m_textShiftTiming; }

private:
    QScrollBar *addScrollBar(const QString &name, const TwipsRect &place);
    QLineEdit *addTextBox(const QString &name, const TwipsRect &place);

    QScrollBar *m_hScrollShiftSpeed = nullptr;
    QScrollBar *m_hScrollShiftTiming = nullptr;
    QLineEdit *m_textShiftSpeed = nullptr;
    QLineEdit *m_textShiftTiming = nullptr;
};

} // namespace zel
