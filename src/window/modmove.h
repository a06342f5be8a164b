#pragma once

#include <QPoint>

#include <functional>
#include <optional>

class QWidget;

namespace zel {

// Who moves a dragged window: the window system's own move where it offers
// one, or the window itself, following the pointer (window managers keep
// docks where they are, and an X server without one offers no move).
enum class DragMode { WindowSystem, FollowPointer };

// Moves a window without a title bar with the pointer until the mouse button
// is released, starting where the button went down: at `pressedAt` (global)
// where given, else at the cursor's position now, which may lie past the
// press when the press waited in the queue. Where the window
// system offers no move the window follows the pointer itself; where the
// compositor places windows only the compositor's move can move it. Returns
// at once: the move goes on while events flow. `dropped`, if given, runs once
// the window is let go: at the release where the window follows the pointer
// itself, at once where the window system moves it.
void DragWindow(QWidget *window, DragMode mode = DragMode::WindowSystem,
                const std::function<void()> &dropped = {},
                std::optional<QPoint> pressedAt = std::nullopt);

} // namespace zel
