#pragma once

#include "screenedge.h"

class QWidget;

namespace zel {

// The X11 properties that have a window manager keep a window in sight as
// desktop panels are kept. Both do nothing on other window systems.

// Marks `window` as a dock shown on every workspace. Must be called before
// the window is first shown.
void markAsDock(QWidget &window);

// Keeps the line that `window` covers at `edge` of its screen free of other
// windows, or frees it again for ScreenEdge::None.
void reserveEdge(QWidget &window, ScreenEdge edge);

} // namespace zel
