#include "files/XMLLayout.h"

#include "base/HexText.h"
#include "files/XMLLayoutNames.h"
#include "files/XMLLayoutWrite.h"
#include "model/Key.h"
#include "model/KeyPicture.h"
#include "model/Layout.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <QCoreApplication>

using namespace XMLLayoutNames;
using namespace XMLLayoutWrite;

namespace {

// A sequence is written as its text form, and only when it holds items.
void AddCodes(TXMLItem &parent, const QString &name, const TScanCodes &codes)
{
    if (codes.IsEmpty())
        return;
    AddValue(AddChild(parent, name), kScanCodes, codes.Text());
}

void AddPicture(TXMLItem &parent, const TKeyPicture &picture)
{
    TXMLItem &item = AddChild(parent, kPicture);
    item.ReserveAttributes(11);
    AddValue(item, kBackgroundColor, ColorText(picture.BackgroundColor()));
    AddValue(item, kText, picture.Text());
    AddValue(item, kTextOrientation, IntText(picture.TextOrientation()));
    const TFont &font = picture.Font();
    AddValue(item, kFontPixels, IntText(font.PixelsPerInch()));
    AddValue(item, kFontCharset, IntText(font.Charset()));
    AddValue(item, kFontColor, ColorText(font.Color()));
    AddValue(item, kFontHeight, IntText(font.Height()));
    AddValue(item, kFontName, font.Name());
    AddValue(item, kFontSize, IntText(font.Size()));
    AddValue(item, kFontStyle, IntText(font.Style()));
    if (picture.HasGraphic())
        AddChild(item, kPictureData).SetText(picture.PictureData());
}

void AddKey(TXMLItem &parent, const TKey &key, int)
{
    TXMLItem &item = AddChild(parent, kKey);
    item.ReserveAttributes(6);
    AddValue(item, kNumber, IntText(key.LogicalNumber()));
    AddValue(item, kColumn, IntText(key.Col()));
    AddValue(item, kRow, IntText(key.Row()));
    AddValue(item, kRemark, key.Remark());
    AddValue(item, kAutoRepeat, FlagText(key.AutoRepeat()));
    AddValue(item, kKeyType, IntText(key.KeyType()));
    AddCodes(item, kMakeCodes, key.MakeCodes());
    AddCodes(item, kBreakCodes, key.BreakCodes());
    AddNotes(item, key.Melody());
    AddPicture(item, key.Picture());
}

// Every key is written, empty ones too: a reader keeps the content of keys
// a file does not mention.
constexpr TXMLLayoutForm kCurrentForm{AddCodes, AddKey, true};

} // namespace

TXMLLayout::TXMLLayout(TLayoutFormats *formats, const TKeyboards &keyboards)
    : TLayoutFormat(formats, keyboards)
{}

QString TXMLLayout::GetFilter() const
{
    return QCoreApplication::translate("TXMLLayout", "Раскладка Ravlin (*.xml)") + QStringLiteral("|*.xml");
}

QString TXMLLayout::ShortName() const
{
    return QStringLiteral("xml");
}

QString TXMLLayout::DefaultSuffix() const
{
    return QStringLiteral("xml");
}

void TXMLLayout::SaveToStream(const TLayout &layout, QIODevice &stream)
{
    FParser.Clear();
    FParser.StyleSheet.clear();
    TXMLItem &root = FParser.Root();
    root.SetName(kLayout);
    root.SetAttribute(kVersion, QStringLiteral("%1").arg(layout.Version(), 4, 16, QChar(u'0')).toUpper());

    TXMLItem &params = AddChild(root, kParams);
    params.SetAttribute(kKeyboardID, IntText(layout.KeyboardID()));
    SetSelection(params, layout.Selection());
    AddLayers(root, layout.Layers(), kCurrentForm);
    AddGroups(root, layout.Groups());
    FParser.SaveToStream(stream);
}

uint16_t TXMLLayout::DecodeVersion(QStringView text)
{
    const QByteArray bytes = HexToBytes(text);
    const uint16_t high = bytes.size() > 0 ? uint8_t(bytes[0]) : 0;
    const uint16_t low = bytes.size() > 1 ? uint8_t(bytes[1]) : 0;
    return uint16_t((high << 8) | low);
}
