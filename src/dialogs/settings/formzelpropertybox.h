#pragma once

#include "pictureform.h"

class QLineEdit;
class QScrollBar;
class QWidget;

namespace zel {

class ZelPropertyBoxWindow;

// The speed settings form. Keeps each slider and its number box in step and
// raises ShiftSpeedChange / ShiftTimingChange for every change while it is
// visible. The momentary buttons set the step size for as long as they are
// held; "X" closes the form on the press. The object outlives its window:
// closing destroys the window, reaching for a slider loads a new one.
class FormZelPropertyBox final : public PictureForm
{
    Q_OBJECT
public:
    // The label-buttons' indices.
    enum class Button : qint16 { Close = 0, Slow = 1, Fast = 2, Pause = 3 };

    explicit FormZelPropertyBox(QObject *parent = nullptr);
    ~FormZelPropertyBox() override;
    Q_DISABLE_COPY_MOVE(FormZelPropertyBox)

    // Both load the window if needed.
    QScrollBar *HScrollShiftSpeed();
    QScrollBar *HScrollShiftTiming();

    // Loads the window if needed and shows it modeless, with `owner`'s window
    // as its owner when given: centred when it appears, brought forward and
    // activated when it is open already.
    void Show(QWidget *owner);

Q_SIGNALS:
    void ShiftSpeedChange();
    void ShiftTimingChange();

private:
    using Change = void (FormZelPropertyBox::*)();

    ZelPropertyBoxWindow *settingsWindow() const;
    ZelPropertyBoxWindow &loadedWindow();
    void load();
    bool isShown() const;

    static void showValue(const QScrollBar &bar, QLineEdit &box);
    static void takeTypedValue(QScrollBar &bar, const QLineEdit &box);
    void raiseWhileShown(Change change);
    void setMomentarySpeed(int value);

    void HScrollShiftSpeed_Change();
    void HScrollShiftTiming_Change();
    void TextShiftSpeed_Change();
    void TextShiftTiming_Change();
    void LabelBtn_MouseDown(qint16 index);
    void LabelBtn_MouseUp();

    qint16 m_savedShiftSpeed = 0;
};

} // namespace zel
