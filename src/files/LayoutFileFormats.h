#pragma once

#include "files/LayoutFormat.h"

#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

class TKeyboards;
class TXMLLayout;

/// One layout format of the program as file dialogs and the command line
/// know it, whether or not it is built in: its short name, its usual file
/// suffix and its indexes in the save and the open registry (-1: not there).
struct TLayoutFormatInfo {
    QString ShortName;
    QString Suffix;
    int SaveIndex;
    int OpenIndex;
};

/// The two registries of layout formats the keyboard manager keeps, created
/// once at start in this order:
///   save registry: 0 XML, 1 XML 1.3, 2 image 2.10, 3 image 1.3, 4 EMF
///   picture, 5 image 2.8, 6 image 2.9;
///   open registry: 0 XML, 1 image 2.10 (which also reads 2.8, 2.9 and 1.3).
/// Each registry has its own format objects; this object owns them all. The
/// formats not built in yet are simply absent, so both registries are as
/// long as their leading built-in formats.
class TLayoutFileFormats {
public:
    /// Creates the registries; keyboards is the catalogue the formats look
    /// models up in (it may still be empty and be loaded later).
    explicit TLayoutFileFormats(const TKeyboards &keyboards);
    ~TLayoutFileFormats();
    TLayoutFileFormats(const TLayoutFileFormats &) = delete;
    TLayoutFileFormats &operator=(const TLayoutFileFormats &) = delete;

    /// Returns the save registry (save and save-as commands, device writes).
    TLayoutFormats &Formats() const { return *FFormats; }
    /// Returns the open registry (the open command).
    TLayoutFormats &OpenFormats() const { return *FOpenFormats; }
    /// Returns the XML format of the save registry (index 0), which also
    /// turns clipboard layouts into text and back.
    TXMLLayout &XMLFormat() const { return *FXMLFormat; }

    /// Returns every format of the program in save-registry order, built or
    /// not: xml, xml13, bin, bin13, emf, bin28, bin29.
    static const std::vector<TLayoutFormatInfo> &KnownFormats();

private:
    template <typename TFormat> TFormat &Create(TLayoutFormats &registry);

    const TKeyboards &FKeyboards;
    std::unique_ptr<TLayoutFormats> FFormats;
    std::unique_ptr<TLayoutFormats> FOpenFormats;
    // Declared after the registries: the formats leave them when freed.
    std::vector<std::unique_ptr<TLayoutFormat>> FOwned;
    TXMLLayout *FXMLFormat = nullptr;
};

/// Returns the format of a registry that choice names: a 0-based index
/// ("Неверный индекс формата" when out of range), a short name (letter case
/// ignored), or a file name or bare suffix ("out.xml", ".xml") matched with
/// the formats' default suffixes, the first match in registry order. A
/// format of the program that this registry lacks raises "Формат %s ещё не
/// поддерживается."; anything else "Неизвестный формат раскладки \"%s\".".
TLayoutFormat &ChooseFormat(const TLayoutFormats &formats, QStringView choice);
