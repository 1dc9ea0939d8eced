#pragma once

#include "catalogue/KeyboardParams.h"

#include <QString>
#include <memory>
#include <vector>

class TParamsGroups;

/// A named group of descriptive parameters; groups nest to any depth.
class TParamsGroup {
public:
    explicit TParamsGroup(TParamsGroups *owner = nullptr);
    ~TParamsGroup();
    TParamsGroup(const TParamsGroup &) = delete;
    TParamsGroup &operator=(const TParamsGroup &) = delete;

    /// Returns the list the group belongs to, null for a free-standing one.
    TParamsGroups *Owner() const { return FOwner; }

    QString Name;

    /// Returns the nested groups.
    TParamsGroups &Groups() const { return *FGroups; }
    /// Returns the parameters of this group.
    TKeyboardParams &Params() const { return *FParams; }

    /// Copies the name, the parameters and the whole nested tree.
    void Assign(const TParamsGroup &source);

private:
    TParamsGroups *FOwner;
    std::unique_ptr<TParamsGroups> FGroups;
    std::unique_ptr<TKeyboardParams> FParams;
};

/// An ordered list of parameter groups: the top level of a model's parameter
/// tree or the subgroups of one group.
class TParamsGroups {
public:
    TParamsGroups() = default;
    TParamsGroups(const TParamsGroups &) = delete;
    TParamsGroups &operator=(const TParamsGroups &) = delete;

    int Count() const { return int(FItems.size()); }
    TParamsGroup &Item(int index) const { return *FItems[size_t(index)]; }

    /// Appends a new empty group and returns it.
    TParamsGroup &Add();
    /// Appends an empty group with the given name.
    TParamsGroup &Add(const QString &name);
    /// Frees all groups with their subtrees.
    void Clear();
    /// Makes this list a deep copy of source.
    void Assign(const TParamsGroups &source);

private:
    std::vector<std::unique_ptr<TParamsGroup>> FItems;
};
