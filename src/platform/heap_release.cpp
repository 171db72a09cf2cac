// Heap release: gives the system back the memory the allocator keeps after large frees.
#include "platform/heap_release.h"

#include <cstdlib>  // defines __GLIBC__ where glibc is the C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {
constexpr int kThresholdBytes = 128 * 1024;  // glibc's own starting value for both
}  // namespace

void LimitRetainedHeap() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, kThresholdBytes);
    mallopt(M_TRIM_THRESHOLD, kThresholdBytes);
#endif
}

void ReleaseFreedHeap() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
