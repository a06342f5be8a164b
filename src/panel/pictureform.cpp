#include "pictureform.h"

#include "labelbutton.h"
#include "linewidget.h"
#include "modmove.h"
#include "picturewindow.h"
#include "screencentre.h"

namespace zel {

PictureForm::PictureForm(QObject *parent)
    : QObject(parent)
{ }

PictureForm::~PictureForm() = default;

QWidget *PictureForm::window() const
{
    return m_window.get();
}

void PictureForm::load(std::unique_ptr<PictureWindow> window)
{
    m_window = std::move(window);
    PictureWindow *loadedWindow = m_window.get();
    connect(loadedWindow, &PictureWindow::labelPressed, this, &PictureForm::LabelBtn_MouseDown);
    connect(loadedWindow, &PictureWindow::labelReleased, this, &PictureForm::LabelBtn_MouseUp);
    connect(loadedWindow, &PictureWindow::labelMoved, this, &PictureForm::LabelBtn_MouseMove);
    connect(loadedWindow, &PictureWindow::backgroundMoved, this, &PictureForm::Form_MouseMove);
    connect(loadedWindow, &PictureWindow::backgroundPressed, this, &PictureForm::Form_MouseDown);
    m_coolBtn.BtnOut();
    centreOnScreen(*loadedWindow);
}

void PictureForm::unload()
{
    if (!m_window)
        return;
    PictureWindow *window = m_window.release();
    disconnect(window, nullptr, this, nullptr);
    const QList<QObject *> controls = window->findChildren<QObject *>();
    for (QObject *control : controls)
        disconnect(control, nullptr, this, nullptr);
    window->hide();
    window->deleteLater();
}

void PictureForm::showLoaded()
{
    if (!m_window->isVisible()) {
        centreOnScreen(*m_window);
        m_window->show();
    }
    m_window->raise();
}

FrameLine *PictureForm::line(int index)
{
    return m_window ? m_window->frameLine(index) : nullptr;
}

void PictureForm::LabelBtn_MouseDown()
{
    m_coolBtn.BtnDown();
}

void PictureForm::LabelBtn_MouseUp()
{
    m_coolBtn.BtnUp();
}

void PictureForm::LabelBtn_MouseMove(qint16 index)
{
    if (const LabelButton *button = m_window->labelButton(index))
        m_coolBtn.BtnMove(button->place());
}

void PictureForm::Form_MouseMove()
{
    m_coolBtn.BtnOut();
}

void PictureForm::Form_MouseDown()
{
    DragWindow(m_window.get());
}

} // namespace zel
