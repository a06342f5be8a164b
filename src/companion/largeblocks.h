#pragma once

namespace zel {

// Lets every block of 1 MiB or more go back to the system when it is freed.
// Otherwise glibc's malloc, having freed a few blocks of a size, keeps the
// next ones of that size in its heap, where freed memory stays with the
// process: a page's body, let go piece by piece as its text grows, would
// then stay beside the whole text.
void returnLargeBlocksWhenFreed();

} // namespace zel
