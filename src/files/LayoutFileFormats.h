#pragma once

#include "files/LayoutFormat.h"

#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

class TKeyboards;
class TXMLLayout;

/// The positions of the formats in the save registry: the save dialog's
/// filter index, the recent files' and settings' stored index.
enum TSaveFormat : int {
    sfXML = 0,
    sfXML13 = 1,
    sfImage210 = 2,
    sfImage13 = 3,
    sfPicture = 4,
    sfImage28 = 5,
    sfImage29 = 6,
};

/// The positions of the formats in the open registry.
enum TOpenFormat : int {
    ofXML = 0,
    /// Every device image version.
    ofImage = 1,
};

/// The two registries of layout formats the keyboard manager keeps, created
/// once at start in the order of TSaveFormat and TOpenFormat (the 2.10 image
/// format of the open registry also reads 2.8, 2.9 and 1.3 images).
/// Each registry has its own format objects; this object owns them all.
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
/// the formats' default suffixes, the first match in registry order.
/// Anything else raises "Неизвестный формат раскладки \"%s\". Допустимы: %s."
/// with the short names of the registry.
TLayoutFormat &ChooseFormat(const TLayoutFormats &formats, QStringView choice);
