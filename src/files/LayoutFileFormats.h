#pragma once

#include "files/LayoutFormat.h"

#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

class TKeyboards;
class TXMLLayout;

/// The two registries of layout formats the keyboard manager keeps, created
/// once at start in this order:
///   save registry: 0 XML, 1 XML 1.3, 2 image 2.10, 3 image 1.3, 4 EMF
///   picture, 5 image 2.8, 6 image 2.9;
///   open registry: 0 XML, 1 image 2.10 (which also reads 2.8, 2.9 and 1.3).
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
