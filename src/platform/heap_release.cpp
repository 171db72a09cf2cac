// ReleaseFreedHeap: gives the system back the memory the allocator keeps after many frees.
#include "platform/heap_release.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void ReleaseFreedHeap() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
