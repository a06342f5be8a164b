#pragma once

#include <Qt>

namespace zel {

// The strip keeps above other windows, so the panel, the dialogs, the about
// box and the message box keep above too: they come up above the strip.
inline constexpr Qt::WindowType kKeepAbove = Qt::WindowStaysOnTopHint;

} // namespace zel
