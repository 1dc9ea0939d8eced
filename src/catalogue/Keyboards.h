#pragma once

#include "catalogue/KeyDefs.h"
#include "catalogue/ParamsGroups.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class TKeyboards;

/// The description of one supported keyboard model: identifier, names, model
/// code, matrix size, layers, key lock and card reader, the key cells and a
/// tree of parameters shown to the user. Loaded from one XML file of the
/// "Клавиатуры" folder (TXMLKeyboard).
class TKeyboard {
public:
    explicit TKeyboard(TKeyboards *owner = nullptr);
    ~TKeyboard();
    TKeyboard(const TKeyboard &) = delete;
    TKeyboard &operator=(const TKeyboard &) = delete;

    /// Returns the key cells, in file order.
    TKeyDefs &KeyDefs() const { return *FKeyDefs; }
    /// Returns the catalogue the description belongs to, null for a
    /// free-standing one.
    TKeyboards *Owner() const { return FOwner; }
    /// Returns the top level of the parameter tree.
    TParamsGroups &ParamsGroups() const { return *FParamsGroups; }

    /// Identifier; layouts refer to their model by it.
    int ID = 0;
    /// File-name-safe name; the stem of the default firmware file name.
    QString Name;
    /// Model code the device reports.
    int Model = 0;
    /// Matrix columns.
    int Width = 0;
    /// Matrix rows.
    int Height = 0;
    /// Key lock positions; 0 without a key lock.
    int KeyPos = 0;
    int Layers = 0;
    /// Non-zero when the card reader has the track; all 0 without a reader.
    uint8_t Track1 = 0;
    uint8_t Track2 = 0;
    uint8_t Track3 = 0;
    /// Non-zero when the keyboard has a card reader.
    uint8_t HasReader = 0;
    /// Non-zero when the keyboard has a key lock.
    uint8_t HasKey = 0;
    /// Model name shown to the user.
    QString ClassName;
    /// Number of key records the device image reserves.
    int MaxKeysNum = 0;

    /// Empties the key cells and the parameter tree and resets every field.
    void Clear();
    /// Makes this description a deep copy of source (fields, key cells and
    /// parameter tree); the owner stays.
    void Assign(const TKeyboard &source);
    /// Returns the number of key cells.
    int KeyCount() const { return FKeyDefs->Count(); }

private:
    std::unique_ptr<TKeyDefs> FKeyDefs;
    TKeyboards *FOwner;
    std::unique_ptr<TParamsGroups> FParamsGroups;
};

/// The keyboard model catalogue: the descriptions in the order their files
/// were found. Lookups return the first match in list order.
class TKeyboards {
public:
    TKeyboards() = default;
    TKeyboards(const TKeyboards &) = delete;
    TKeyboards &operator=(const TKeyboards &) = delete;

    int Count() const { return int(FItems.size()); }
    TKeyboard &Item(int index) const { return *FItems[size_t(index)]; }

    /// Appends a new empty description and returns it.
    TKeyboard &Add();
    /// Frees all descriptions.
    void Clear();

    /// Returns the first description with this identifier, or null.
    TKeyboard *FindByID(int id) const;
    /// Returns the first description with this model code, or null.
    TKeyboard *FindByModel(int model) const;
    /// Returns the first description with this identifier; raises
    /// "Не найдено описание клавиатуры с идентификатором %d." when none has it.
    TKeyboard &ByID(int id) const;
    /// Returns the first description with this model code; raises
    /// "Не найдено описание клавиатуры с кодом модели %d." when none has it.
    TKeyboard &ByModel(int model) const;

    /// Clears target and fills it with copies of every description with this
    /// model code, in catalogue order. Target may be this catalogue.
    void SelectModel(int model, TKeyboards &target) const;

private:
    std::vector<std::unique_ptr<TKeyboard>> FItems;
};
