#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <cstring>
#include <vector>

/// The texts of the names and short values of one document: a layout file
/// repeats a few dozen of them thousands of times, and a text kept for good
/// costs neither an allocation nor a reference count. A lookup borrows the bytes; a new entry keeps a copy of them,
/// since a token may lie in the tokenizer's scratch buffer, which the next
/// token overwrites.
/// Returns whether two byte runs of the same size are equal. Names and pool
/// texts are a few bytes long, too short to be worth a call to memcmp.
inline bool SameBytes(const char *a, const char *b, qsizetype size)
{
    if (size > 16)
        return std::memcmp(a, b, size_t(size)) == 0;
    for (; size >= 8; a += 8, b += 8, size -= 8) {
        uint64_t x, y;
        std::memcpy(&x, a, sizeof x);
        std::memcpy(&y, b, sizeof y);
        if (x != y)
            return false;
    }
    for (; size > 0; ++a, ++b, --size)
        if (*a != *b)
            return false;
    return true;
}

class TXMLTextPool {
public:
    /// One text of the pool.
    struct TEntry {
        QByteArray Bytes;
        QString Text;
        /// The same for texts that are equal with letter case ignored: the
        /// index of the first such text taken as a name; -1 for a value.
        int NameClass = -1;
    };

    TXMLTextPool();

    /// Returns the entry of the Windows-1251 bytes as a value. An entry
    /// returned is valid until the next lookup.
    const TEntry &Value(QByteArrayView bytes) { return FEntries[size_t(Find(bytes))]; }
    /// Returns the entry of the bytes as a name, with its NameClass set.
    const TEntry &Name(QByteArrayView bytes) { return FEntries[size_t(NameIndex(bytes))]; }
    /// The same by index, which stays valid for the pool's life.
    int NameIndex(QByteArrayView bytes);
    /// Returns the index of the entry of the bytes as a value.
    int ValueIndex(QByteArrayView bytes) { return Find(bytes); }
    /// Returns the entry at an index from NameIndex or ValueIndex.
    const TEntry &At(int index) const { return FEntries[size_t(index)]; }

private:
    int Find(QByteArrayView bytes);
    void Grow();

    std::vector<TEntry> FEntries;
    // Open addressing: the hash of the bytes and the entry index + 1 per
    // slot, 0 for a free one.
    struct TSlot {
        uint32_t Hash = 0;
        int Entry = 0;
    };
    std::vector<TSlot> FSlots;
    // The entries that are names and first of their class.
    std::vector<int> FClassHeads;
};
