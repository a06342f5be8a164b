#pragma once

#include "screenedge.h"

#include <functional>

class QWidget;

namespace zel {

// The X11 properties that have a window manager keep a window in sight as
// desktop panels are kept, and what the X server knows of where the window
// lies. On other window systems they do nothing and know nothing.

// Marks `window` as a dock shown on every workspace. Must be called before
// the window is first shown.
void markAsDock(QWidget &window);

// Where `window` and the root window lie as the server has them now, in the
// server's pixels; false where that is not known or `window` is not mapped
// (a window manager places it when it maps it).
[[nodiscard]] bool serverGeometry(QWidget &window, QRect &placed, QSize &rootSize);

// Keeps the line of `strut` free of other windows, or frees it again for an
// all-zero strut. `legacyToo` sets the older _NET_WM_STRUT as well.
void setStrut(QWidget &window, const StrutPartial &strut, bool legacyToo);

// Calls `changed` each time the server tells that `window` has been mapped,
// moved or resized, until the window is destroyed.
void watchServerGeometry(QWidget &window, std::function<void()> changed);

} // namespace zel
