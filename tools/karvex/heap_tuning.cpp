#include "karvex/heap_tuning.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace karvex::tools {

void KeepLargeBlocksOnTheHeap() {
#if defined(__GLIBC__)
  // A picture of 1600 x 1200 is 5.5 MiB; a drawing read from standard
  // input beyond this still gets a mapping of its own.
  constexpr int kLargestHeapBlock = 8 << 20;
  constexpr int kHeapKeptFree = 32 << 20;
  mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
  mallopt(M_TRIM_THRESHOLD, kHeapKeptFree);
#endif
}

}  // namespace karvex::tools
