#pragma once

class QSize;
class QWidget;

namespace zel {

// True where the compositor, not the program, places top-level windows
// (native Wayland): a window can neither move itself nor learn where it is.
bool compositorPlacesWindows();

// Gives a top-level window its size. Where the compositor places windows the
// size is fixed as well, so that tiling compositors float the window instead
// of stretching it into a tile.
void sizeWindow(QWidget &window, const QSize &size);

} // namespace zel
