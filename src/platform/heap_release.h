// Heap release: gives the system back the memory the allocator keeps after large frees.
#pragma once

// glibc raises its mmap and trim thresholds after each large block freed, up
// to 32 MB and 64 MB: with a big script open, freed temporaries then stay
// mapped for good. Fixed thresholds keep large blocks in their own mappings
// and trim the heaps' tops at once. Call first thing in main().
void LimitRetainedHeap();

// Freed small blocks in the middle of every thread's arena stay mapped too;
// after a big document's passes that is tens of megabytes no one uses. Costs
// a walk over the free lists: call it after large work, not per keystroke.
void ReleaseFreedHeap();
