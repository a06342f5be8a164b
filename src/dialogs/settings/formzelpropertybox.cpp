#include "formzelpropertybox.h"

#include "scrollvalue.h"
#include "typednumber.h"
#include "zelpropertyboxwindow.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QWindow>

#include <algorithm>

namespace zel {

FormZelPropertyBox::FormZelPropertyBox(QObject *parent)
    : PictureForm(parent)
{ }

FormZelPropertyBox::~FormZelPropertyBox() = default;

QScrollBar *FormZelPropertyBox::HScrollShiftSpeed()
{
    return loadedWindow().HScrollShiftSpeed();
}

QScrollBar *FormZelPropertyBox::HScrollShiftTiming()
{
    return loadedWindow().HScrollShiftTiming();
}

void FormZelPropertyBox::Show(QWidget *owner)
{
    ZelPropertyBoxWindow &window = loadedWindow();
    if (owner) {
        window.winId();
        window.windowHandle()->setTransientParent(owner->window()->windowHandle());
    } else if (QWindow *handle = window.windowHandle()) {
        handle->setTransientParent(nullptr);
    }
    showLoaded();
    window.activateWindow();
}

ZelPropertyBoxWindow *FormZelPropertyBox::settingsWindow() const
{
    return loaded<ZelPropertyBoxWindow>();
}

ZelPropertyBoxWindow &FormZelPropertyBox::loadedWindow()
{
    if (!window())
        load();
    return *settingsWindow();
}

void FormZelPropertyBox::load()
{
    PictureForm::load(std::make_unique<ZelPropertyBoxWindow>());
    ZelPropertyBoxWindow *window = settingsWindow();
    connect(window->HScrollShiftSpeed(), &QScrollBar::valueChanged, this,
            &FormZelPropertyBox::HScrollShiftSpeed_Change);
    connect(window->HScrollShiftTiming(), &QScrollBar::valueChanged, this,
            &FormZelPropertyBox::HScrollShiftTiming_Change);
    connect(window->TextShiftSpeed(), &QLineEdit::textChanged, this,
            &FormZelPropertyBox::TextShiftSpeed_Change);
    connect(window->TextShiftTiming(), &QLineEdit::textChanged, this,
            &FormZelPropertyBox::TextShiftTiming_Change);
    connect(window, &PictureWindow::labelPressed, this, &FormZelPropertyBox::LabelBtn_MouseDown);
    connect(window, &PictureWindow::labelReleased, this, &FormZelPropertyBox::LabelBtn_MouseUp);

    showValue(*window->HScrollShiftSpeed(), *window->TextShiftSpeed());
    showValue(*window->HScrollShiftTiming(), *window->TextShiftTiming());
}

bool FormZelPropertyBox::isShown() const
{
    return window() && window()->isVisible();
}

// An unchanged text is left alone, so the box's own handling does not start
// again.
void FormZelPropertyBox::showValue(const QScrollBar &bar, QLineEdit &box)
{
    const QString text = QString::number(bar.value());
    if (box.text() != text)
        box.setText(text);
}

// Takes a typed number the bar accepts; anything else is dropped.
void FormZelPropertyBox::takeTypedValue(QScrollBar &bar, const QLineEdit &box)
{
    if (const std::optional<qint16> value = typedWholeNumber(box.text());
        value && liesInRange(bar, *value)) {
        bar.setValue(*value);
    }
}

void FormZelPropertyBox::raiseWhileShown(Change change)
{
    if (isShown())
        Q_EMIT(this->*change)();
}

// A momentary value outside the bar's range is held at the nearest limit.
void FormZelPropertyBox::setMomentarySpeed(int value)
{
    QScrollBar &bar = *settingsWindow()->HScrollShiftSpeed();
    bar.setValue(std::clamp(value, bar.minimum(), bar.maximum()));
}

// Every change of a bar's value, whatever its cause, is raised once. Its text
// rewrite runs the box's handling, which finds the value unchanged.
void FormZelPropertyBox::HScrollShiftSpeed_Change()
{
    ZelPropertyBoxWindow &window = *settingsWindow();
    showValue(*window.HScrollShiftSpeed(), *window.TextShiftSpeed());
    raiseWhileShown(&FormZelPropertyBox::ShiftSpeedChange);
}

void FormZelPropertyBox::HScrollShiftTiming_Change()
{
    ZelPropertyBoxWindow &window = *settingsWindow();
    showValue(*window.HScrollShiftTiming(), *window.TextShiftTiming());
    raiseWhileShown(&FormZelPropertyBox::ShiftTimingChange);
}

// Each keystroke counts. The box then shows the bar's value again, so a
// refused entry snaps back at once.
void FormZelPropertyBox::TextShiftSpeed_Change()
{
    ZelPropertyBoxWindow &window = *settingsWindow();
    takeTypedValue(*window.HScrollShiftSpeed(), *window.TextShiftSpeed());
    showValue(*window.HScrollShiftSpeed(), *window.TextShiftSpeed());
}

void FormZelPropertyBox::TextShiftTiming_Change()
{
    ZelPropertyBoxWindow &window = *settingsWindow();
    takeTypedValue(*window.HScrollShiftTiming(), *window.TextShiftTiming());
    showValue(*window.HScrollShiftTiming(), *window.TextShiftTiming());
}

void FormZelPropertyBox::LabelBtn_MouseDown(qint16 index)
{
    m_savedShiftSpeed = static_cast<qint16>(settingsWindow()->HScrollShiftSpeed()->value());
    switch (Button(index)) {
    case Button::Close:
        unload();
        break;
    case Button::Slow:
        setMomentarySpeed(1);
        break;
    case Button::Fast:
        setMomentarySpeed(3 * int(m_savedShiftSpeed));
        break;
    case Button::Pause:
        setMomentarySpeed(0);
        break;
    }
}

void FormZelPropertyBox::LabelBtn_MouseUp()
{
    setMomentarySpeed(m_savedShiftSpeed);
}

} // namespace zel
