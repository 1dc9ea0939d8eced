#include "model/KeyGroup.h"

void TKeyGroup::SetRect(const TRect &rect)
{
    FRect = rect;
    Change();
}

TKeyGroup &TKeyGroups::Add()
{
    FItems.push_back(std::make_unique<TKeyGroup>(this, Notifier()));
    Change();
    return *FItems.back();
}

void TKeyGroups::Delete(int index)
{
    FItems.erase(FItems.begin() + index);
    Change();
}

void TKeyGroups::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    Change();
}

void TKeyGroups::Assign(const TKeyGroups &source)
{
    if (&source == this)
        return;
    Clear();
    for (const auto &group : source.FItems)
        Add().SetRect(group->Rect());
}
