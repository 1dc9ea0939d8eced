#include "catalogue/KeyDefs.h"

void TKeyDef::Assign(const TKeyDef &source)
{
    Left = source.Left;
    Top = source.Top;
    LogicalNumber = source.LogicalNumber;
}

TKeyDef &TKeyDefs::Add()
{
    FItems.push_back(std::make_unique<TKeyDef>(this));
    return *FItems.back();
}

TKeyDef &TKeyDefs::Add(int left, int top, int logicalNumber)
{
    TKeyDef &def = Add();
    def.Left = left;
    def.Top = top;
    def.LogicalNumber = logicalNumber;
    return def;
}

void TKeyDefs::Clear()
{
    FItems.clear();
}

void TKeyDefs::Assign(const TKeyDefs &source)
{
    if (&source == this)
        return;
    Clear();
    for (const auto &def : source.FItems)
        Add().Assign(*def);
}
