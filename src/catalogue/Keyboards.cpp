#include "catalogue/Keyboards.h"

#include "base/Error.h"

#include <QCoreApplication>

TKeyboard::TKeyboard(TKeyboards *owner)
    : FKeyDefs(std::make_unique<TKeyDefs>()), FOwner(owner), FParamsGroups(std::make_unique<TParamsGroups>())
{}

TKeyboard::~TKeyboard() = default;

void TKeyboard::Clear()
{
    FKeyDefs->Clear();
    FParamsGroups->Clear();
    ID = 0;
    Name.clear();
    Model = 0;
    Width = 0;
    Height = 0;
    KeyPos = 0;
    Layers = 0;
    Track1 = 0;
    Track2 = 0;
    Track3 = 0;
    HasReader = 0;
    HasKey = 0;
    ClassName.clear();
    MaxKeysNum = 0;
}

void TKeyboard::Assign(const TKeyboard &source)
{
    if (&source == this)
        return;
    ID = source.ID;
    Name = source.Name;
    Model = source.Model;
    Width = source.Width;
    Height = source.Height;
    KeyPos = source.KeyPos;
    Layers = source.Layers;
    Track1 = source.Track1;
    Track2 = source.Track2;
    Track3 = source.Track3;
    HasReader = source.HasReader;
    HasKey = source.HasKey;
    ClassName = source.ClassName;
    MaxKeysNum = source.MaxKeysNum;
    FKeyDefs->Assign(source.KeyDefs());
    FParamsGroups->Assign(source.ParamsGroups());
}

TKeyboard &TKeyboards::Add()
{
    FItems.push_back(std::make_unique<TKeyboard>(this));
    return *FItems.back();
}

void TKeyboards::Clear()
{
    FItems.clear();
}

TKeyboard *TKeyboards::FindByID(int id) const
{
    for (const auto &keyboard : FItems)
        if (keyboard->ID == id)
            return keyboard.get();
    return nullptr;
}

TKeyboard *TKeyboards::FindByModel(int model) const
{
    for (const auto &keyboard : FItems)
        if (keyboard->Model == model)
            return keyboard.get();
    return nullptr;
}

TKeyboard &TKeyboards::ByID(int id) const
{
    if (TKeyboard *keyboard = FindByID(id))
        return *keyboard;
    throw EError(
        QCoreApplication::translate("TKeyboards", "Не найдено описание клавиатуры с идентификатором %1.")
            .arg(id));
}

TKeyboard &TKeyboards::ByModel(int model) const
{
    if (TKeyboard *keyboard = FindByModel(model))
        return *keyboard;
    throw EError(
        QCoreApplication::translate("TKeyboards", "Не найдено описание клавиатуры с кодом модели %1.")
            .arg(model));
}

void TKeyboards::SelectModel(int model, TKeyboards &target) const
{
    // Copy aside before clearing the target: it may be this catalogue.
    std::vector<std::unique_ptr<TKeyboard>> selected;
    for (const auto &keyboard : FItems) {
        if (keyboard->Model != model)
            continue;
        selected.push_back(std::make_unique<TKeyboard>(&target));
        selected.back()->Assign(*keyboard);
    }
    target.FItems = std::move(selected);
}
