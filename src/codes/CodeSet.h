#pragma once

#include "codes/CodeTable.h"

#include <QByteArrayView>
#include <QString>
#include <memory>
#include <vector>

class TECXMLParser;

/// The standard keys in groups (letters, digits, symbols, control keys,
/// keypad, power, multimedia, web keys), as the code dialogs show them.
class TCodeSet {
public:
    TCodeSet() = default;
    TCodeSet(const TCodeSet &) = delete;
    TCodeSet &operator=(const TCodeSet &) = delete;

    int Count() const { return int(FGroups.size()); }
    TCodeTable &Item(int index) const { return *FGroups[size_t(index)]; }

    /// Appends a new empty group of this name and returns it.
    TCodeTable &AddGroup(const QString &name);
    /// Frees all groups.
    void Clear();

    /// Replaces the groups by those of "<programFolder>/Клавиши/Клавиши.xml";
    /// when that file is missing or faulty, by the built-in table. Never raises
    /// for a faulty file.
    void Load(const QString &programFolder);
    /// Appends the groups of a standard code file; raises EError (EXMLError
    /// for a syntax error) when the file cannot be read or its structure is
    /// wrong, adding no group then.
    void LoadFromFile(const QString &fileName);
    /// The same for the bytes of such a file.
    void LoadFromBytes(QByteArrayView bytes);
    /// Replaces the groups by the built-in table of 125 keys in eight groups.
    void LoadBuiltIn();

private:
    void LoadFromParser(const TECXMLParser &parser);

    std::vector<std::unique_ptr<TCodeTable>> FGroups;
};
