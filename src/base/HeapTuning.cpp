#include "base/HeapTuning.h"

// Any C library header tells whether the library is glibc.
#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

#if defined(__GLIBC__)
constexpr std::size_t MB = 1024 * 1024;

// Grows the heap by one large stretch and asks the kernel to back it with
// huge pages where it can. A process that opens a layout touches some
// megabytes of fresh heap; on virtual machines each first-touched 4 KB page
// costs 10 to 30 us, a 2 MB page about as much as a few 4 KB ones. The
// stretch is only reserved address space: what is never touched costs
// nothing.
void BackHeapWithHugePages()
{
    constexpr std::size_t stretch = 24 * MB;
    const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    mallopt(M_TOP_PAD, static_cast<int>(stretch));
    // A block larger than the heap's free top makes it grow, by the block
    // and the pad; freed, it goes back to the top, which stays. (Through a
    // volatile pointer, or the compiler drops the pair.)
    void *volatile block = std::malloc(256 * 1024);
    std::free(block);
    mallopt(M_TOP_PAD, 128 * 1024);
    const auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t start = (before + page - 1) & ~(page - 1);
    if (after > start)
        madvise(reinterpret_cast<void *>(start), after - start, MADV_HUGEPAGE);
}
#endif

} // namespace

void TuneHeap()
{
#if defined(__GLIBC__)
    // Blocks up to 32 MB (far above any layout's) come from the heap; up to
    // 64 MB of free memory at its top stays with the process.
    mallopt(M_MMAP_THRESHOLD, 32 * MB);
    mallopt(M_TRIM_THRESHOLD, 64 * MB);
    BackHeapWithHugePages();
#endif
}
