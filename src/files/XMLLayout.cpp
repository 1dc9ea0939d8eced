#include "files/XMLLayout.h"

#include "base/HexText.h"
#include "files/XMLLayoutNames.h"
#include "files/XMLLayoutWrite.h"
#include "model/Key.h"
#include "model/KeyPicture.h"
#include "model/Layout.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"
#include "xml/XMLDocumentIO.h"
#include "xml/XMLStreamWriter.h"

#include <QCoreApplication>

using namespace XMLLayoutNames;
using namespace XMLLayoutWrite;

namespace {

// A sequence is written as its text form, and only when it holds items.
void AddCodes(TXMLStreamWriter &out, const QString &name, const TScanCodes &codes)
{
    if (codes.IsEmpty())
        return;
    out.Begin(name);
    out.Attribute(kScanCodes, codes.Text());
    out.End();
}

void AddPicture(TXMLStreamWriter &out, const TKeyPicture &picture)
{
    out.Begin(kPicture);
    out.Attribute(kBackgroundColor, ColorText(picture.BackgroundColor()));
    out.Attribute(kText, picture.Text());
    out.Attribute(kTextOrientation, int(picture.TextOrientation()));
    const TFont &font = picture.Font();
    out.Attribute(kFontPixels, int(font.PixelsPerInch()));
    out.Attribute(kFontCharset, int(font.Charset()));
    out.Attribute(kFontColor, ColorText(font.Color()));
    out.Attribute(kFontHeight, int(font.Height()));
    out.Attribute(kFontName, font.Name());
    out.Attribute(kFontSize, int(font.Size()));
    out.Attribute(kFontStyle, int(font.Style()));
    if (picture.HasGraphic()) {
        out.Begin(kPictureData);
        out.Text(picture.PictureData());
        out.End();
    }
    out.End();
}

void AddKey(TXMLStreamWriter &out, const TKey &key, int)
{
    BeginKey(out, key, key.LogicalNumber());
    AddCodes(out, kMakeCodes, key.MakeCodes());
    AddCodes(out, kBreakCodes, key.BreakCodes());
    AddNotes(out, key.Melody());
    AddPicture(out, key.Picture());
    out.End();
}

void AddVersion(TXMLStreamWriter &out, const TLayout &layout)
{
    out.Attribute(kVersion, QStringLiteral("%1").arg(layout.Version(), 4, 16, QChar(u'0')).toUpper());
}

void AddKeyboardID(TXMLStreamWriter &out, const TLayout &layout)
{
    out.Attribute(kKeyboardID, layout.KeyboardID());
}

// Every key is written, empty ones too: a reader keeps the content of keys
// a file does not mention.
constexpr TXMLLayoutForm kCurrentForm{AddVersion, AddKeyboardID, AddCodes, AddKey, true};

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
    WriteDocument(stream, SaveToString(layout));
}

QByteArray TXMLLayout::SaveToString(const TLayout &layout)
{
    return WriteLayout(layout, kCurrentForm);
}

uint16_t TXMLLayout::DecodeVersion(QStringView text)
{
    const QByteArray bytes = HexToBytes(text);
    const uint16_t high = bytes.size() > 0 ? uint8_t(bytes[0]) : 0;
    const uint16_t low = bytes.size() > 1 ? uint8_t(bytes[1]) : 0;
    return uint16_t((high << 8) | low);
}
