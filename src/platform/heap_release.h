// ReleaseFreedHeap: gives the system back the memory the allocator keeps after many frees.
#pragma once

// glibc keeps freed small blocks of every thread's arena mapped; after a big
// document's passes that is tens of megabytes no one uses. Costs a walk over
// the free lists, so call it after large work, not per keystroke.
void ReleaseFreedHeap();
