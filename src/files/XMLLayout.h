#pragma once

#include "files/LayoutFormat.h"

#include <QStringView>
#include <cstdint>

class TKey;
class TKeyLock;
class TKeyPicture;
class TLayer;
class TMSR;
class TNotes;
class TScanCodes;
class TXMLItem;

/// The XML layout file, in which the user's layouts are saved and opened and
/// in which copied keys travel over the clipboard. Element and attribute
/// names are Russian words (Windows-1251 in the file). Saving writes the
/// current form (version attribute "Vesion"); loading also reads the older
/// files without a version, whose codes are lists of "СканКод" elements.
class TXMLLayout : public TLayoutFormat {
public:
    TXMLLayout(TLayoutFormats *formats, const TKeyboards &keyboards);

    /// Returns "Раскладка Ravlin (*.xml)|*.xml".
    QString GetFilter() const override;
    /// Returns "xml".
    QString ShortName() const override;
    /// Returns "xml".
    QString DefaultSuffix() const override;
    /// Writes the layout's elements (no style-sheet line).
    void SaveToStream(const TLayout &layout, QIODevice &stream) override;
    QByteArray SaveToString(const TLayout &layout) override;
    /// Reads the document and fills the layout: the model from "Параметры",
    /// then layers and groups. Raises the XML reader's errors, the catalogue's
    /// lookup messages, EConvertError for numbers that are not integers and
    /// EFileFormatError "Не найдены параметры раскладки." without parameters.
    void LoadFromStream(TLayout &layout, QIODevice &stream) override;

    /// Returns the version of the file last read, 0 when it had none.
    uint16_t FileVersion() const { return FFileVersion; }

    /// Returns the version an attribute value stands for: pairs of digits
    /// 0-9, A-F (upper case only) form bytes, any other character ends a lone
    /// digit as a byte of its own; the first byte is the high byte. "020a"
    /// gives 0x0200.
    static uint16_t DecodeVersion(QStringView text);

private:
    void LoadParameters(TLayout &layout, const TXMLItem &item);
    void LoadLayers(TLayout &layout, const TXMLItem &item);
    void LoadLayer(TLayer &layer, const TXMLItem &item);
    void LoadKeys(TLayer &layer, const TXMLItem &item);
    void LoadKey(TKey &key, const TXMLItem &item);
    void LoadCodes(TScanCodes &codes, const TXMLItem &item);
    void LoadMSR(TMSR &msr, const TXMLItem &item);
    void LoadKeyLock(TKeyLock &keyLock, const TXMLItem &item);
    static void LoadGroups(TLayout &layout, const TXMLItem &item);
    static void LoadNotes(TNotes &notes, const TXMLItem &item);
    static void LoadPicture(TKeyPicture &picture, const TXMLItem &item);

    uint16_t FFileVersion = 0;
};
