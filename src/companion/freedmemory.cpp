#include "freedmemory.h"

#include <cstdlib> // defines __GLIBC__ where it is glibc

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace zel {

void returnFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace zel
