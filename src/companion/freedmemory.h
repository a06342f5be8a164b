#pragma once

namespace zel {

// Hands memory that was freed back to the system. glibc's malloc keeps freed
// blocks that lie within its heap, even large ones, so the process would
// stay as large as its peak.
void returnFreedMemory();

} // namespace zel
