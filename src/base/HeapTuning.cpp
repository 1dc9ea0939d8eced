#include "base/HeapTuning.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void KeepFreedHeapForReuse()
{
#if defined(__GLIBC__)
    // Blocks up to 32 MB (far above any layout's) come from the heap; up to
    // 64 MB of free memory at its top stays with the process.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}
