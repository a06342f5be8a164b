#include "formzelpropertybox.h"

#include "labelbutton.h"
#include "linewidget.h"
#include "modmove.h"
#include "scrollvalue.h"
#include "typednumber.h"
#include "zelpropertyboxwindow.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QWindow>

#include <algorithm>

namespace zel {

FormZelPropertyBox::FormZelPropertyBox(QObject *parent)
    : QObject(parent)
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
    if (!window.isVisible()) {
        window.centreOnScreen();
        window.show();
    }
    window.raise();
    window.activateWindow();
}

QWidget *FormZelPropertyBox::window() const
{
    return m_window.get();
}

FrameLine *FormZelPropertyBox::line(int index)
{
    return m_window ? m_window->frameLine(index) : nullptr;
}

ZelPropertyBoxWindow &FormZelPropertyBox::loadedWindow()
{
    if (!m_window)
        load();
    return *m_window;
}

void FormZelPropertyBox::load()
{
    m_window = std::make_unique<ZelPropertyBoxWindow>();
    ZelPropertyBoxWindow *window = m_window.get();
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
    connect(window, &PictureWindow::labelMoved, this, &FormZelPropertyBox::LabelBtn_MouseMove);
    connect(window, &PictureWindow::backgroundMoved, this, &FormZelPropertyBox::Form_MouseMove);
    connect(window, &PictureWindow::backgroundPressed, this, &FormZelPropertyBox::Form_MouseDown);

    m_coolBtn.BtnOut();
    showValue(*window->HScrollShiftSpeed(), *window->TextShiftSpeed());
    showValue(*window->HScrollShiftTiming(), *window->TextShiftTiming());
    window->centreOnScreen();
}

// Runs inside the window's own mouse handling: the window disappears at once
// and is destroyed once that handling is over.
void FormZelPropertyBox::unload()
{
    if (!m_window)
        return;
    ZelPropertyBoxWindow *window = m_window.release();
    disconnect(window, nullptr, this, nullptr);
    const QList<QObject *> controls = window->findChildren<QObject *>();
    for (QObject *control : controls)
        disconnect(control, nullptr, this, nullptr);
    window->hide();
    window->deleteLater();
}

bool FormZelPropertyBox::isShown() const
{
    return m_window && m_window->isVisible();
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
    QScrollBar &bar = *m_window->HScrollShiftSpeed();
    bar.setValue(std::clamp(value, bar.minimum(), bar.maximum()));
}

// Every change of a bar's value, whatever its cause, is raised once. Its text
// rewrite runs the box's handling, which finds the value unchanged.
void FormZelPropertyBox::HScrollShiftSpeed_Change()
{
    showValue(*m_window->HScrollShiftSpeed(), *m_window->TextShiftSpeed());
    raiseWhileShown(&FormZelPropertyBox::ShiftSpeedChange);
}

void FormZelPropertyBox::HScrollShiftTiming_Change()
{
    showValue(*m_window->HScrollShiftTiming(), *m_window->TextShiftTiming());
    raiseWhileShown(&FormZelPropertyBox::ShiftTimingChange);
}

// Each keystroke counts. The box then shows the bar's value again, so a
// refused entry snaps back at once.
void FormZelPropertyBox::TextShiftSpeed_Change()
{
    takeTypedValue(*m_window->HScrollShiftSpeed(), *m_window->TextShiftSpeed());
    showValue(*m_window->HScrollShiftSpeed(), *m_window->TextShiftSpeed());
}

void FormZelPropertyBox::TextShiftTiming_Change()
{
    takeTypedValue(*m_window->HScrollShiftTiming(), *m_window->TextShiftTiming());
    showValue(*m_window->HScrollShiftTiming(), *m_window->TextShiftTiming());
}

void FormZelPropertyBox::LabelBtn_MouseDown(qint16 index)
{
    m_coolBtn.BtnDown();
    m_savedShiftSpeed = static_cast<qint16>(m_window->HScrollShiftSpeed()->value());
    switch (index) {
    case 0:
        unload();
        break;
    case 1:
        setMomentarySpeed(1);
        break;
    case 2:
        setMomentarySpeed(3 * int(m_savedShiftSpeed));
        break;
    case 3:
        setMomentarySpeed(0);
        break;
    default:
        break;
    }
}

void FormZelPropertyBox::LabelBtn_MouseUp()
{
    setMomentarySpeed(m_savedShiftSpeed);
    m_coolBtn.BtnUp();
}

void FormZelPropertyBox::LabelBtn_MouseMove(qint16 index)
{
    if (const LabelButton *button = m_window->labelButton(index))
        m_coolBtn.BtnMove(button->place());
}

void FormZelPropertyBox::Form_MouseMove()
{
    m_coolBtn.BtnOut();
}

void FormZelPropertyBox::Form_MouseDown()
{
    DragWindow(m_window.get());
}

} // namespace zel
