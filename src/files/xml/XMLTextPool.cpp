#include "files/xml/XMLTextPool.h"

#include "base/Win1251.h"

namespace {

constexpr size_t kFirstSlots = 256;

// FNV-1a: the texts are short, and a cheap hash beats a strong one here.
size_t HashOf(QByteArrayView bytes)
{
    uint32_t hash = 2166136261u;
    for (const char c : bytes)
        hash = (hash ^ uint8_t(c)) * 16777619u;
    return hash;
}

} // namespace

TXMLTextPool::TXMLTextPool() : FSlots(kFirstSlots, 0) {}

int TXMLTextPool::Find(QByteArrayView bytes)
{
    const size_t mask = FSlots.size() - 1;
    for (size_t slot = HashOf(bytes) & mask;; slot = (slot + 1) & mask) {
        const int index = FSlots[slot] - 1;
        if (index < 0) {
            FEntries.push_back({bytes.toByteArray(), FromWin1251(bytes)});
            FSlots[slot] = int(FEntries.size());
            // At most half of the slots taken keeps the probe runs short.
            if (FEntries.size() * 2 > FSlots.size())
                Grow();
            return int(FEntries.size()) - 1;
        }
        if (FEntries[size_t(index)].Bytes == bytes)
            return index;
    }
}

void TXMLTextPool::Grow()
{
    FSlots.assign(FSlots.size() * 2, 0);
    const size_t mask = FSlots.size() - 1;
    for (size_t i = 0; i < FEntries.size(); ++i) {
        size_t slot = HashOf(FEntries[i].Bytes) & mask;
        while (FSlots[slot] != 0)
            slot = (slot + 1) & mask;
        FSlots[slot] = int(i) + 1;
    }
}

const TXMLTextPool::TEntry &TXMLTextPool::Name(QByteArrayView bytes)
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
    return entry;
}
