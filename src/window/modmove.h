#pragma once

#include <functional>

class QWidget;

namespace zel {

// Moves a window without a title bar with the pointer until the mouse button
// is released, starting at the current cursor position. The window system's
// own move is used where it offers one; otherwise, and always for a dock
// (window managers keep docks where they are), the window follows the pointer
// itself, except where the compositor places windows (there only the
// compositor's move can move it). Returns at once: the move goes on while
// events flow. `dropped`, if given, runs once the window is let go: at the
// release where the window follows the pointer itself, at once where the
// window system moves it.
void DragWindow(QWidget *window, const std::function<void()> &dropped = {});

} // namespace zel
