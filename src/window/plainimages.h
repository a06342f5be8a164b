#pragma once

namespace zel {

// Has the X11 platform send frames as plain images rather than through shared
// memory, unless the environment already says which to use. Must run before
// the application object is created.
void preferPlainImagesOnX11();

} // namespace zel
