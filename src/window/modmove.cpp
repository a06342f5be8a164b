#include "modmove.h"

#include "compositorplacement.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace zel {
namespace {

// Moves its window with the pointer until any mouse button is released, for
// window systems that offer no move of their own (an X server without a
// window manager, for one). Deletes itself at the end.
class PointerFollower final : public QObject
{
public:
    PointerFollower(QWidget *window, const QPoint &pressedAt, std::function<void()> dropped)
        : QObject(window)
        , m_window(window)
        , m_offset(pressedAt - window->frameGeometry().topLeft())
        , m_dropped(std::move(dropped))
    {
        qApp->installEventFilter(this);
        m_window->grabMouse();
    }

    ~PointerFollower() override { endGrab(); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseMove:
            follow(*static_cast<QMouseEvent *>(event));
            return true;
        case QEvent::MouseButtonRelease:
            // The window lies where the pointer is let go, even where moves were merged away.
            follow(*static_cast<QMouseEvent *>(event));
            endGrab();
            deleteLater();
            if (m_dropped)
                std::exchange(m_dropped, nullptr)();
            return true;
        default:
            return false;
        }
    }

private:
    void follow(const QMouseEvent &event)
    {
        if (m_window)
            m_window->move(event.globalPosition().toPoint() - m_offset);
    }

    void endGrab()
    {
        qApp->removeEventFilter(this);
        if (m_window && QWidget::mouseGrabber() == m_window)
            m_window->releaseMouse();
    }

    QPointer<QWidget> m_window;
    QPoint m_offset;
    std::function<void()> m_dropped;
};

} // namespace

void DragWindow(QWidget *window, DragMode mode, const std::function<void()> &dropped,
                std::optional<QPoint> pressedAt)
{
    if (!window)
        return;
    QWindow *handle = window->windowHandle();
    const bool systemMoves = mode == DragMode::WindowSystem && handle && handle->startSystemMove();
    // A window the compositor places cannot follow the pointer by itself.
    if (systemMoves || compositorPlacesWindows()) {
        if (dropped)
            dropped();
        return;
    }
    // Owned by the window, it ends itself on release.
    new PointerFollower(window, pressedAt.value_or(QCursor::pos()), dropped);
}

} // namespace zel
