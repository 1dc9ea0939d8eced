#include "catalogue/ParamsGroups.h"

TParamsGroup::TParamsGroup(TParamsGroups *owner)
    : FOwner(owner), FGroups(std::make_unique<TParamsGroups>()), FParams(std::make_unique<TKeyboardParams>())
{}

TParamsGroup::~TParamsGroup() = default;

void TParamsGroup::Assign(const TParamsGroup &source)
{
    if (&source == this)
        return;
    // Copy into fresh lists first: source may lie inside this group's own
    // subtree, which the copy replaces.
    auto groups = std::make_unique<TParamsGroups>();
    groups->Assign(source.Groups());
    auto params = std::make_unique<TKeyboardParams>();
    params->Assign(source.Params());
    Name = source.Name;
    FGroups = std::move(groups);
    FParams = std::move(params);
}

TParamsGroup &TParamsGroups::Add()
{
    FItems.push_back(std::make_unique<TParamsGroup>(this));
    return *FItems.back();
}

TParamsGroup &TParamsGroups::Add(const QString &name)
{
    TParamsGroup &group = Add();
    group.Name = name;
    return group;
}

void TParamsGroups::Clear()
{
    FItems.clear();
}

void TParamsGroups::Assign(const TParamsGroups &source)
{
    if (&source == this)
        return;
    // Build the copy aside, for the same reason as in TParamsGroup::Assign.
    std::vector<std::unique_ptr<TParamsGroup>> items;
    items.reserve(source.FItems.size());
    for (const auto &group : source.FItems) {
        items.push_back(std::make_unique<TParamsGroup>(this));
        items.back()->Assign(*group);
    }
    FItems = std::move(items);
}
