#pragma once

namespace zel {

// Ends the program at once with exit status 0: no further event, no code
// waiting lower in the call chain, runs. The window system removes the
// program's windows with the process.
[[noreturn]] void endProgramNow();

} // namespace zel
