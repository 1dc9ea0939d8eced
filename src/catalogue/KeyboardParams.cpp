#include "catalogue/KeyboardParams.h"

void TKeyboardParam::Assign(const TKeyboardParam &source)
{
    Name = source.Name;
    Value = source.Value;
}

TKeyboardParam &TKeyboardParams::Add()
{
    FItems.push_back(std::make_unique<TKeyboardParam>(this));
    return *FItems.back();
}

TKeyboardParam &TKeyboardParams::Add(const QString &name, const QString &value)
{
    TKeyboardParam &param = Add();
    param.Name = name;
    param.Value = value;
    return param;
}

void TKeyboardParams::Clear()
{
    FItems.clear();
}

void TKeyboardParams::Assign(const TKeyboardParams &source)
{
    if (&source == this)
        return;
    Clear();
    for (const auto &param : source.FItems)
        Add().Assign(*param);
}
