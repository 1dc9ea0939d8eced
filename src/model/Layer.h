#pragma once

#include "model/Notifier.h"

#include <memory>
#include <vector>

class TKey;
class TKeyLock;
class TKeys;
class TLayers;
class TMSR;

/// One layer of a layout: its keys, card reader and key lock settings.
class TLayer : public TNotifyObject {
public:
    TLayer(TLayers *owner, TNotifier *notifier);
    ~TLayer() override;

    const TMSR &MSR() const { return *FMSR; }
    TMSR &MSR() { return *FMSR; }
    const TKeys &Keys() const { return *FKeys; }
    TKeys &Keys() { return *FKeys; }
    TLayers *Owner() const { return FOwner; }
    const TKeyLock &KeyLock() const { return *FKeyLock; }
    TKeyLock &KeyLock() { return *FKeyLock; }

    /// Returns the first key at the cell (from 0), or null.
    const TKey *KeyAt(int col, int row) const;
    TKey *KeyAt(int col, int row);
    /// Returns the key at the cell, or raises "Клавиша с координатами (%d, %d)
    /// не найдена.".
    const TKey &KeyAtOrFail(int col, int row) const;
    TKey &KeyAtOrFail(int col, int row);
    /// Copies reader, keys (with pictures) and key lock from source.
    void Assign(const TLayer &source);

private:
    std::unique_ptr<TMSR> FMSR;
    std::unique_ptr<TKeys> FKeys;
    TLayers *FOwner;
    std::unique_ptr<TKeyLock> FKeyLock;
};

/// The layers of a layout; the first is layer 1 in every text.
class TLayers : public TNotifyObject {
public:
    explicit TLayers(TNotifier *notifier = nullptr);
    ~TLayers() override;

    int Count() const { return int(FItems.size()); }
    const TLayer &Item(int index) const { return *FItems[size_t(index)]; }
    TLayer &Item(int index) { return *FItems[size_t(index)]; }

    /// Appends a new empty layer; marks the list changed.
    TLayer &Add();
    void Clear();
    /// Makes this list a copy of source.
    void Assign(const TLayers &source);
    /// Appends empty layers or frees layers from the last one until there are
    /// count; raises the layer count message for a count below 1.
    void SetCount(int count);

private:
    std::vector<std::unique_ptr<TLayer>> FItems;
};
