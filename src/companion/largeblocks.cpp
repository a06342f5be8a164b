#include "largeblocks.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace zel {

void returnLargeBlocksWhenFreed()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
#endif
}

} // namespace zel
