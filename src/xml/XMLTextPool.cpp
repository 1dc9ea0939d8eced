#include "xml/XMLTextPool.h"

#include "xml/XMLLastingTexts.h"

#include <cstring>

namespace {

constexpr size_t kFirstSlots = 256;

// The texts are short: eight bytes at a time, then the rest one by one,
// multiplied in; a cheap hash beats a strong one here.
uint32_t HashOf(QByteArrayView bytes)
{
    constexpr uint64_t kFactor = 0x9E3779B97F4A7C15ull;
    uint64_t hash = uint64_t(bytes.size()) * kFactor;
    const char *p = bytes.data();
    qsizetype left = bytes.size();
    for (; left >= 8; p += 8, left -= 8) {
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        hash = (hash ^ word) * kFactor;
    }
    for (; left > 0; ++p, --left)
        hash = (hash ^ uint8_t(*p)) * kFactor;
    return uint32_t(hash >> 32);
}

} // namespace

TXMLTextPool::TXMLTextPool() : FSlots(kFirstSlots) {}

int TXMLTextPool::Find(QByteArrayView bytes)
{
    const uint32_t hash = HashOf(bytes);
    const size_t mask = FSlots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const TSlot taken = FSlots[slot];
        if (taken.Entry == 0) {
            FEntries.push_back({bytes.toByteArray(), LastingText(bytes)});
            FSlots[slot] = {hash, int(FEntries.size())};
            // At most half of the slots taken keeps the probe runs short.
            if (FEntries.size() * 2 > FSlots.size())
                Grow();
            return int(FEntries.size()) - 1;
        }
        if (taken.Hash == hash) {
            const QByteArray &stored = FEntries[size_t(taken.Entry - 1)].Bytes;
            if (stored.size() == bytes.size() && SameBytes(stored.constData(), bytes.data(), bytes.size()))
                return taken.Entry - 1;
        }
    }
}

void TXMLTextPool::Grow()
{
    std::vector<TSlot> old(FSlots.size() * 2);
    old.swap(FSlots);
    const size_t mask = FSlots.size() - 1;
    for (const TSlot taken : old) {
        if (taken.Entry == 0)
            continue;
        size_t slot = taken.Hash & mask;
        while (FSlots[slot].Entry != 0)
            slot = (slot + 1) & mask;
        FSlots[slot] = taken;
    }
}

int TXMLTextPool::NameIndex(QByteArrayView bytes)
{
    const int index = Find(bytes);
    TEntry &entry = FEntries[size_t(index)];
    if (entry.NameClass < 0) {
        // A document has a few dozen names: comparing a new one with the
        // first of every class costs little and is exactly the comparison
        // of names with letter case ignored.
        for (const int head : FClassHeads)
            if (entry.Text.compare(FEntries[size_t(head)].Text, Qt::CaseInsensitive) == 0) {
                entry.NameClass = head;
                break;
            }
        if (entry.NameClass < 0) {
            entry.NameClass = index;
            FClassHeads.push_back(index);
        }
    }
    return index;
}
