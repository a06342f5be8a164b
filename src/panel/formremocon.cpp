#include "formremocon.h"

#include "labelbutton.h"
#include "linewidget.h"
#include "modmove.h"
#include "remoconwindow.h"

#include <QLabel>

namespace zel {
namespace {

QString versionCaption()
{
    return QStringLiteral("Ver %1.%2.%3")
        .arg(ZEL_VERSION_MAJOR)
        .arg(ZEL_VERSION_MINOR)
        .arg(ZEL_VERSION_PATCH);
}

} // namespace

FormRemoCon::FormRemoCon(QObject *parent)
    : QObject(parent)
{ }

FormRemoCon::~FormRemoCon() = default;

void FormRemoCon::Show()
{
    if (!m_window)
        load();
    if (!m_window->isVisible()) {
        m_window->centreOnScreen();
        m_window->show();
    }
    m_window->raise();
}

QWidget *FormRemoCon::window() const
{
    return m_window.get();
}

FrameLine *FormRemoCon::line(int index)
{
    return m_window ? m_window->frameLine(index) : nullptr;
}

void FormRemoCon::load()
{
    m_window = std::make_unique<RemoConWindow>();
    RemoConWindow *window = m_window.get();
    connect(window, &PictureWindow::labelClicked, this, &FormRemoCon::LabelBtn_Click);
    connect(window, &PictureWindow::labelPressed, this, &FormRemoCon::LabelBtn_MouseDown);
    connect(window, &PictureWindow::labelReleased, this, &FormRemoCon::LabelBtn_MouseUp);
    connect(window, &PictureWindow::labelMoved, this, &FormRemoCon::LabelBtn_MouseMove);
    connect(window, &PictureWindow::backgroundMoved, this, &FormRemoCon::Form_MouseMove);
    connect(window, &PictureWindow::backgroundPressed, this, &FormRemoCon::Form_MouseDown);

    window->LabelAbout()->setText(versionCaption());
    m_coolBtn.BtnOut();
    window->centreOnScreen();
}

// Runs inside the window's own mouse handling: the window disappears at once
// and is destroyed once that handling is over.
void FormRemoCon::unload()
{
    if (!m_window)
        return;
    RemoConWindow *window = m_window.release();
    disconnect(window, nullptr, this, nullptr);
    window->hide();
    window->deleteLater();
}

void FormRemoCon::LabelBtn_Click(qint16 index)
{
    if (index == 0)
        unload();
    Q_EMIT ButtonClick(index);
}

void FormRemoCon::LabelBtn_MouseDown()
{
    m_coolBtn.BtnDown();
}

void FormRemoCon::LabelBtn_MouseUp()
{
    m_coolBtn.BtnUp();
}

void FormRemoCon::LabelBtn_MouseMove(qint16 index)
{
    if (const LabelButton *button = m_window->labelButton(index))
        m_coolBtn.BtnMove(button->place());
}

void FormRemoCon::Form_MouseMove()
{
    m_coolBtn.BtnOut();
}

void FormRemoCon::Form_MouseDown()
{
    DragWindow(m_window.get());
}

} // namespace zel
