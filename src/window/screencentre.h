#pragma once

class QScreen;
class QWidget;

namespace zel {

// Moves `window` to the middle of `screen`, or of the primary screen when
// none is given. Where the compositor places windows it leaves the window
// where the compositor puts it.
void centreOnScreen(QWidget &window, const QScreen *screen = nullptr);

} // namespace zel
