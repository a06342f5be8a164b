#pragma once

class QWidget;

namespace zel {

// Moves a window without a title bar with the pointer until the mouse button
// is released, starting at the current cursor position. The window system's
// own move is used where it offers one; otherwise the window follows the
// pointer itself, except where the compositor places windows (there only the
// compositor's move can move it). Returns at once: the move goes on while
// events flow.
void DragWindow(QWidget *window);

} // namespace zel
