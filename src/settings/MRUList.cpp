#include "settings/MRUList.h"

#include <algorithm>

void TMRUList::Insert(int index, const TMRUEntry &entry)
{
    const int position = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + position, entry);
}

void TMRUList::Delete(int index)
{
    if (index >= 0 && index < Count())
        FItems.erase(FItems.begin() + index);
}
