#pragma once

#include "model/Notifier.h"
#include "model/Rect.h"

#include <memory>
#include <vector>

class TKeyGroups;

/// A rectangle of cells (key coordinates, from 0) that acts as one large key,
/// shown as the key at its top-left cell.
class TKeyGroup : public TNotifyObject {
public:
    TKeyGroup(TKeyGroups *owner, TNotifier *notifier) : TNotifyObject(notifier), FOwner(owner) {}

    const TRect &Rect() const { return FRect; }
    /// Stores the rectangle and marks the group changed.
    void SetRect(const TRect &rect);
    TKeyGroups *Owner() const { return FOwner; }

private:
    TRect FRect;
    TKeyGroups *FOwner;
};

/// The key groups of a layout; no two of them share a cell.
class TKeyGroups : public TNotifyObject {
public:
    explicit TKeyGroups(TNotifier *notifier = nullptr) : TNotifyObject(notifier) {}

    int Count() const { return int(FItems.size()); }
    const TKeyGroup &Item(int index) const { return *FItems[size_t(index)]; }
    TKeyGroup &Item(int index) { return *FItems[size_t(index)]; }

    /// Appends a group with an empty rectangle; marks the list changed.
    TKeyGroup &Add();
    /// Frees the group at index; marks the list changed.
    void Delete(int index);
    void Clear();
    /// Makes this list a copy of source.
    void Assign(const TKeyGroups &source);

private:
    std::vector<std::unique_ptr<TKeyGroup>> FItems;
};
