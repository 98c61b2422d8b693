#include "MemoryReuse.h"

#include <cstdlib>  // names the C library: __GLIBC__
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Blocks below the largest size the C library serves from its heap, 32 MiB, come from the
// heap; up to 256 MiB of free heap is kept before any is given back.
constexpr int HeapBlockLimit = 32 * 1024 * 1024;
constexpr int KeptFreeMemory = 256 * 1024 * 1024;

}  // namespace

void KeepFreedMemory() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, HeapBlockLimit);
    mallopt(M_TRIM_THRESHOLD, KeptFreeMemory);
#endif
}
