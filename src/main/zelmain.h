#pragma once

namespace zel {

// Starts the program: creates the ticker window, shows it and runs events
// until the program ends.
int Main(int argc, char *argv[]);

} // namespace zel
