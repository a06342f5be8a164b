#include "modmove.h"

#include "compositorplacement.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace zel {
namespace {

// Moves its window with the pointer until any mouse button is released, for
// window systems that offer no move of their own (an X server without a
// window manager, for one). Deletes itself at the end.
class PointerFollower final : public QObject
{
public:
    explicit PointerFollower(QWidget *window)
        : QObject(window)
        , m_window(window)
        , m_offset(QCursor::pos() - window->frameGeometry().topLeft())
    {
        qApp->installEventFilter(this);
        m_window->grabMouse();
    }

    ~PointerFollower() override
    {
        qApp->removeEventFilter(this);
        if (m_window && QWidget::mouseGrabber() == m_window)
            m_window->releaseMouse();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseMove:
            if (m_window)
                m_window->move(static_cast<QMouseEvent *>(event)->globalPosition().toPoint() -
                               m_offset);
            return true;
        case QEvent::MouseButtonRelease:
            deleteLater();
            return true;
        default:
            return false;
        }
    }

private:
    QPointer<QWidget> m_window;
    QPoint m_offset;
};

} // namespace

void DragWindow(QWidget *window)
{
    if (!window)
        return;
    if (QWindow *handle = window->windowHandle(); handle && handle->startSystemMove())
        return;
    // A window the compositor places cannot follow the pointer by itself.
    if (compositorPlacesWindows())
        return;
    new PointerFollower(window); // owned by the window, ends itself on release
}

} // namespace zel
