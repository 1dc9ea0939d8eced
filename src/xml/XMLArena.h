#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

/// Memory of one document: its elements' attribute and child lists, the
/// records of values not yet decoded and the tokens kept for them are cut
/// from a few large blocks, freed all at once when the document is cleared
/// or read anew. A document of thousands of elements then costs a few dozen
/// allocations instead of several per element.
class TXMLArena {
public:
    TXMLArena() = default;
    TXMLArena(const TXMLArena &) = delete;
    TXMLArena &operator=(const TXMLArena &) = delete;

    /// Returns uninitialised memory for size bytes, aligned to align (a
    /// power of two no larger than that of std::max_align_t).
    void *Allocate(size_t size, size_t align)
    {
        auto at = (reinterpret_cast<uintptr_t>(FNext) + align - 1) & ~uintptr_t(align - 1);
        if (!FNext || at + size > reinterpret_cast<uintptr_t>(FEnd)) {
            NewBlock(size + align);
            at = (reinterpret_cast<uintptr_t>(FNext) + align - 1) & ~uintptr_t(align - 1);
        }
        FNext = reinterpret_cast<std::byte *>(at + size);
        return reinterpret_cast<void *>(at);
    }

    /// Forgets everything cut so far; a first block of the ordinary size
    /// stays for the next document.
    void Reset()
    {
        const bool keepFirst = !FBlocks.empty() && FFirstIsOrdinary;
        FBlocks.resize(keepFirst ? 1 : 0);
        FNext = keepFirst ? FBlocks.front().get() : nullptr;
        FEnd = keepFirst ? FNext + kBlockSize : nullptr;
    }

private:
    // Below the allocator's threshold for mapping memory of its own, so that
    // blocks come from and go back to the ordinary heap.
    static constexpr size_t kBlockSize = 64 * 1024 - 64;

    void NewBlock(size_t least)
    {
        const size_t size = std::max(least, kBlockSize);
        if (FBlocks.empty())
            FFirstIsOrdinary = size == kBlockSize;
        FBlocks.emplace_back(new std::byte[size]);
        FNext = FBlocks.back().get();
        FEnd = FNext + size;
    }

    std::vector<std::unique_ptr<std::byte[]>> FBlocks;
    std::byte *FNext = nullptr;
    std::byte *FEnd = nullptr;
    bool FFirstIsOrdinary = false;
};
