#pragma once

#include "xml/XMLArena.h"

#include <cstdint>
#include <memory>
#include <new>
#include <utility>

/// The attribute or child list of an element: its storage comes from the
/// document's arena when the element belongs to a document, else from the
/// heap. Every call that may need room names the arena to take it from; a
/// list whose element leaves its document moves to other storage (Rehome).
template <typename T> class TXMLList {
public:
    TXMLList() = default;
    ~TXMLList() { clear(); }
    TXMLList(const TXMLList &) = delete;
    TXMLList &operator=(const TXMLList &) = delete;

    size_t size() const { return FSize; }
    bool empty() const { return FSize == 0; }
    T *begin() { return FData; }
    T *end() { return FData + FSize; }
    const T *begin() const { return FData; }
    const T *end() const { return FData + FSize; }
    T &operator[](size_t index) { return FData[index]; }
    const T &operator[](size_t index) const { return FData[index]; }

    void reserve(size_t count, TXMLArena *arena)
    {
        if (count > FCapacity)
            MoveTo(count, arena);
    }

    template <typename... TArgs> T &emplace_back(TXMLArena *arena, TArgs &&...args)
    {
        if (FSize == FCapacity)
            MoveTo(FCapacity ? FCapacity * 2 : 4, arena);
        T *added = new (FData + FSize) T(std::forward<TArgs>(args)...);
        ++FSize;
        return *added;
    }

    void insert(size_t index, T value, TXMLArena *arena)
    {
        emplace_back(arena, std::move(value));
        for (size_t i = FSize - 1; i > index; --i)
            std::swap(FData[i], FData[i - 1]);
    }

    void erase(size_t index)
    {
        for (size_t i = index; i + 1 < FSize; ++i)
            FData[i] = std::move(FData[i + 1]);
        FData[--FSize].~T();
    }

    /// Destroys the entries and gives the storage up.
    void clear()
    {
        std::destroy_n(FData, FSize);
        if (FOnHeap)
            ::operator delete(FData);
        FData = nullptr;
        FSize = FCapacity = 0;
        FOnHeap = false;
    }

    /// Moves the entries into storage of another arena (or of the heap).
    void Rehome(TXMLArena *arena)
    {
        if (FData)
            MoveTo(FCapacity, arena);
    }

private:
    void MoveTo(size_t capacity, TXMLArena *arena)
    {
        const size_t bytes = capacity * sizeof(T);
        T *data = static_cast<T *>(arena ? arena->Allocate(bytes, alignof(T)) : ::operator new(bytes));
        std::uninitialized_move_n(FData, FSize, data);
        const uint32_t size = FSize;
        clear();
        FData = data;
        FSize = size;
        FCapacity = uint32_t(capacity);
        FOnHeap = arena == nullptr;
    }

    T *FData = nullptr;
    uint32_t FSize = 0;
    uint32_t FCapacity = 0;
    bool FOnHeap = false;
};
