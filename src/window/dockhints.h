#pragma once

#include "screenedge.h"

class QWidget;

namespace zel {

// Under X11, asks the window manager to keep `window` in sight as desktop
// panels are kept: before the window is first shown, marks it as a dock on
// every workspace; then keeps the line it covers at `edge` of its screen free
// of other windows, or frees it again for ScreenEdge::None. Does nothing on
// other window systems.
void setDockHints(QWidget &window, ScreenEdge edge);

} // namespace zel
