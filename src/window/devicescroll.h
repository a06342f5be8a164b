#pragma once

#include <QRect>

class QWidget;

namespace zel {

// Moves the pixels that the window's backing store holds in `deviceArea`
// (device pixels of the window) sideways by `deviceDx` device pixels, and has
// the window's next flush show them. On X11 the server copies them within the
// window's own picture, so nothing is repainted or sent again. Returns false
// where the platform cannot move device pixels (native Wayland, other
// systems, a build without Qt's platform headers); the caller then repaints.
[[nodiscard]] bool scrollDevicePixels(QWidget &window, const QRect &deviceArea, int deviceDx);

} // namespace zel
