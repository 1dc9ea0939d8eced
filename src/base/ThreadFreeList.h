#pragma once

#include <cstddef>
#include <new>

/// The memory of objects of type T freed on a thread, kept as a list through
/// that memory for the next objects made on the same thread: documents make
/// and free their elements and keys by the thousand. At most kKept blocks
/// are kept; the rest, blocks of other sizes (derived types) and all of them
/// once the thread ends go back to the heap. For T's operator new and
/// delete. Under AddressSanitizer every block goes to the heap, so that a
/// use after free is still caught.
template <typename T, int kKept> class TThreadFreeList {
public:
    static void *Allocate(size_t size)
    {
        if (kKeeps && size == sizeof(T)) {
            (void)Guard(); // made with the thread's first block: gives the list back at its end
            if (void *memory = List().Take())
                return memory;
        }
        return ::operator new(size);
    }

    static void Free(void *memory, size_t size)
    {
        if (kKeeps && size == sizeof(T) && List().Keep(memory))
            return;
        ::operator delete(memory);
    }

private:
#if defined(__SANITIZE_ADDRESS__)
    static constexpr bool kKeeps = false;
#elif defined(__has_feature)
    static constexpr bool kKeeps = !__has_feature(address_sanitizer);
#else
    static constexpr bool kKeeps = true;
#endif

    // No destructor, so that blocks freed at the thread's very end (after
    // the guard) still find the list; they then go back to the heap.
    struct TList {
        struct TFree {
            TFree *Next;
        };
        TFree *First = nullptr;
        int Count = 0;
        bool Closed = false;

        void *Take()
        {
            if (!First)
                return nullptr;
            TFree *block = First;
            First = block->Next;
            --Count;
            return block;
        }
        bool Keep(void *memory)
        {
            if (Closed || Count >= kKept)
                return false;
            First = new (memory) TFree{First};
            ++Count;
            return true;
        }
        void Close()
        {
            Closed = true;
            while (First)
                ::operator delete(Take());
        }
    };
    struct TGuard {
        ~TGuard() { List().Close(); }
    };

    static TList &List()
    {
        thread_local TList list;
        return list;
    }
    static TGuard &Guard()
    {
        thread_local TGuard guard;
        return guard;
    }
};
