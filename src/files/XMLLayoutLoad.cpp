#include "files/XMLLayout.h"

#include "base/Error.h"
#include "base/Numbers.h"
#include "catalogue/Keyboards.h"
#include "files/CodeWords.h"
#include "files/FileFormatError.h"
#include "xml/ECXMLParser.h"
#include "files/XMLLayoutNames.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyLock.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MSR.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <QCoreApplication>
#include <QVarLengthArray>

using namespace XMLLayoutNames;

namespace {

// Exactly "1" is true; anything else, an absent attribute included, is false.
bool FlagAttribute(const TXMLItem &item, const QString &name)
{
    return item.Attribute(name) == u"1";
}

// Colours are hexadecimal numbers of 32 bits, as if "$" stood in front.
uint32_t ColorAttribute(const TXMLItem &item, const QString &name)
{
    const QString text = item.Attribute(name);
    if (const std::optional<uint32_t> value = ParseHex(text))
        return *value;
    throw EConvertError(
        QCoreApplication::translate("TXMLLayout", "\"$%1\" не является целым числом.").arg(text));
}

// Byte-sized properties take the low byte of the number, as the model stores
// them in one byte.
uint8_t ByteAttribute(const TXMLItem &item, const QString &name)
{
    return uint8_t(item.IntAttribute(name));
}

// The model attribute of old files holds the number minus one; 4 stands in
// when it is absent. The sum wraps like a 32-bit number instead of
// overflowing, so that an absurd value ends in the catalogue's message.
int OldModelNumber(const TXMLItem &item)
{
    if (!item.HasAttribute(kOldModel))
        return 4;
    return int(uint32_t(item.IntAttribute(kOldModel)) + 1u);
}

} // namespace

void TXMLLayout::LoadFromStream(TLayout &layout, QIODevice &stream)
{
    // The document's tree lives only while the layout is read from it.
    TECXMLParser parser;
    parser.LoadFromStream(stream);
    const TXMLItem &root = parser.Root();

    if (root.HasAttribute(kVersion)) {
        FFileVersion = DecodeVersion(root.Attribute(kVersion));
        layout.SetVersion(FFileVersion);
    } else {
        FFileVersion = 0;
    }

    bool hasParams = false;
    for (int i = 0; i < root.Count(); ++i) {
        const TXMLItem &child = *root.Item(i);
        if (child.Name() == kParams) {
            hasParams = true;
            LoadParameters(layout, child);
        }
    }
    if (!hasParams)
        throw EFileFormatError(QCoreApplication::translate("TXMLLayout", "Не найдены параметры раскладки."));

    for (int i = 0; i < root.Count(); ++i) {
        const TXMLItem &child = *root.Item(i);
        if (child.Name() == kLayers)
            LoadLayers(layout, child);
        else if (child.Name() == kGroups)
            LoadGroups(layout, child);
    }
    layout.ClearNonMacroCodes();
}

void TXMLLayout::LoadParameters(TLayout &layout, const TXMLItem &item)
{
    TRect selection;
    selection.Top = item.IntAttribute(kSelTop, 0);
    selection.Left = item.IntAttribute(kSelLeft, 0);
    selection.Right = item.IntAttribute(kSelRight, 0);
    selection.Bottom = item.IntAttribute(kSelBottom, 0);
    layout.SetSelection(selection);

    // Files written by this program name the model by "KeyboardID" whatever
    // their version (layouts read from keyboards keep the program's version,
    // 2.8 among them). Older files name it by the attribute "Параметры":
    // files without a version by identifier minus one, files of 2.8 by model
    // code minus one; 4 stands in when both attributes are absent. Files of
    // 2.9 and 2.10 fall back to identifier 4; files of any other version
    // without "KeyboardID" keep the model the layout has.
    const TKeyboards &keyboards = Keyboards();
    const bool oldForm = FFileVersion == 0 || layout.Version() == 0x0208;
    if (oldForm && (item.HasAttribute(kOldModel) || !item.HasAttribute(kKeyboardID))) {
        if (FFileVersion == 0)
            layout.ChangeKeyboard(keyboards.ByID(OldModelNumber(item)));
        else
            layout.ChangeKeyboard(keyboards.ByModel(OldModelNumber(item)));
    } else if (item.HasAttribute(kKeyboardID) || layout.Version() == 0x0209 || layout.Version() == 0x020A) {
        layout.ChangeKeyboard(keyboards.ByID(item.IntAttribute(kKeyboardID, 4)));
    }
}

void TXMLLayout::LoadLayers(TLayout &layout, const TXMLItem &item)
{
    // Layers go by position among all children; what does not fit the
    // model's layers is ignored.
    const int count = std::min(item.Count(), layout.LayerCount());
    for (int i = 0; i < count; ++i)
        if (item.Item(i)->Name() == kLayer)
            LoadLayer(layout.Layers().Item(i), *item.Item(i));
}

void TXMLLayout::LoadLayer(TLayer &layer, const TXMLItem &item)
{
    for (int i = 0; i < item.Count(); ++i) {
        const TXMLItem &child = *item.Item(i);
        if (child.Name() == kKeys)
            LoadKeys(layer, child);
        else if (child.Name() == kMSR)
            LoadMSR(layer.MSR(), child);
        else if (child.Name() == kKeyLock)
            LoadKeyLock(layer.KeyLock(), child);
    }
}

void TXMLLayout::LoadKeys(TLayer &layer, const TXMLItem &item)
{
    for (int i = 0; i < item.Count(); ++i) {
        const TXMLItem &child = *item.Item(i);
        if (child.Name() != kKey || !child.HasAttribute(kColumn) || !child.HasAttribute(kRow))
            continue;
        if (TKey *key = layer.KeyAt(child.IntAttribute(kColumn), child.IntAttribute(kRow)))
            LoadKey(*key, child);
    }
}

void TXMLLayout::LoadKey(TKey &key, const TXMLItem &item)
{
    if (item.HasAttribute(kKeyType))
        key.SetKeyType(TKeyType(ByteAttribute(item, kKeyType)));
    key.SetRemark(item.Attribute(kRemark));
    key.SetAutoRepeat(FlagAttribute(item, kAutoRepeat));
    // Files without a version number their keys by place in the list, not by
    // logical number; the model's numbers stay, as device images go by them.
    if (item.HasAttribute(kNumber) && FFileVersion != 0)
        key.SetLogicalNumber(item.IntAttribute(kNumber));
    for (int i = 0; i < item.Count(); ++i) {
        const TXMLItem &child = *item.Item(i);
        if (child.Name() == kMakeCodes)
            LoadCodes(key.MakeCodes(), child);
        else if (child.Name() == kBreakCodes)
            LoadCodes(key.BreakCodes(), child);
        else if (child.Name() == kNotes)
            LoadNotes(key.Melody(), child);
        else if (child.Name() == kPicture)
            LoadPicture(key.Picture(), child);
    }
}

void TXMLLayout::LoadCodes(TScanCodes &codes, const TXMLItem &item)
{
    if (FFileVersion != 0) {
        codes.SetText(item.Attribute(kScanCodes));
        return;
    }
    // Old files list make codes as numbers; the releases are implied.
    codes.Clear();
    for (int i = 0; i < item.Count(); ++i) {
        const TXMLItem &child = *item.Item(i);
        if (child.Name() != kOldCode)
            continue;
        const int low = child.IntAttribute(kOldCodeLow, 0);
        const int high = child.IntAttribute(kOldCodeHigh, 0);
        codes.AddCode16(uint16_t(uint32_t(high) * 256u + uint32_t(low & 0xFF)));
    }
    AppendBreakItems(codes);
}

void TXMLLayout::LoadNotes(TNotes &notes, const TXMLItem &item)
{
    notes.Clear();
    // Gathered as the device images store them and added in one piece; an
    // attribute left out stays 0.
    QVarLengthArray<char, 3 * 64> packed;
    for (int i = 0; i < item.Count(); ++i) {
        const TXMLItem &child = *item.Item(i);
        if (child.Name() != kNote)
            continue;
        for (const QString *name : {&kPitch, &kDuration, &kVolume})
            packed.append(char(uint8_t(child.IntAttribute(*name, 0))));
    }
    notes.AddPacked(QByteArrayView(packed.constData(), packed.size()));
}

void TXMLLayout::LoadPicture(TKeyPicture &picture, const TXMLItem &item)
{
    if (item.HasAttribute(kBackgroundColor))
        picture.SetBackgroundColor(ColorAttribute(item, kBackgroundColor));
    picture.SetText(item.Attribute(kText));
    if (item.HasAttribute(kTextOrientation))
        picture.SetTextOrientation(ByteAttribute(item, kTextOrientation));

    // The resolution comes first, so that the size converts with it.
    TFont font = picture.Font();
    if (item.HasAttribute(kFontPixels))
        font.SetPixelsPerInch(item.IntAttribute(kFontPixels));
    if (item.HasAttribute(kFontCharset))
        font.SetCharset(ByteAttribute(item, kFontCharset));
    if (item.HasAttribute(kFontColor))
        font.SetColor(ColorAttribute(item, kFontColor));
    if (item.HasAttribute(kFontHeight))
        font.SetHeight(item.IntAttribute(kFontHeight));
    if (item.HasAttribute(kFontSize))
        font.SetSize(item.IntAttribute(kFontSize));
    if (item.HasAttribute(kFontStyle))
        font.SetStyle(ByteAttribute(item, kFontStyle));
    font.SetName(item.Attribute(kFontName));
    picture.SetFont(font);

    if (const TXMLItem *data = item.FindChild(kPictureData))
        picture.SetPictureData(data->Text());
}

void TXMLLayout::LoadMSR(TMSR &msr, const TXMLItem &item)
{
    msr.SetSendEnter(FlagAttribute(item, kSendEnter));
    msr.SetStopOnError(FlagAttribute(item, kStopOnError));
    msr.SetLightIndication(FlagAttribute(item, kLightIndication));
    for (int i = 0; i < item.Count(); ++i) {
        const TXMLItem &child = *item.Item(i);
        if (child.Name() == kNotes) {
            LoadNotes(msr.Melody(), child);
            continue;
        }
        for (int t = 0; t < kMSRTrackCount; ++t) {
            if (child.Name() != kTracks[t])
                continue;
            TMSRTrack &track = msr.Track(t);
            track.SetEnabled(FlagAttribute(child, kEnabled));
            for (int j = 0; j < child.Count(); ++j) {
                const TXMLItem &codes = *child.Item(j);
                if (codes.Name() == kPrefix)
                    LoadCodes(track.Prefix(), codes);
                else if (codes.Name() == kSuffix)
                    LoadCodes(track.Suffix(), codes);
            }
        }
    }
}

void TXMLLayout::LoadKeyLock(TKeyLock &keyLock, const TXMLItem &item)
{
    keyLock.Clear();
    for (int i = 0; i < item.Count(); ++i) {
        const TXMLItem &child = *item.Item(i);
        if (child.Name() != kPosition)
            continue;
        TKeyPosition &position = keyLock.Add();
        if (child.HasAttribute(kPositionType))
            position.SetPositionType(ByteAttribute(child, kPositionType));
        position.SetLocked(FlagAttribute(child, kLocked));
        for (int j = 0; j < child.Count(); ++j) {
            const TXMLItem &part = *child.Item(j);
            if (part.Name() == kScanCodes)
                LoadCodes(position.Codes(), part);
            else if (part.Name() == kNotes)
                LoadNotes(position.Melody(), part);
        }
    }
}

void TXMLLayout::LoadGroups(TLayout &layout, const TXMLItem &item)
{
    TKeyGroups &groups = layout.Groups();
    groups.Clear();
    for (int i = 0; i < item.Count(); ++i) {
        const TXMLItem &child = *item.Item(i);
        if (child.Name() != kGroup)
            continue;
        TRect rect;
        rect.Left = child.IntAttribute(kLeft);
        rect.Top = child.IntAttribute(kTop);
        rect.Right = child.IntAttribute(kRight);
        rect.Bottom = child.IntAttribute(kBottom);
        groups.Add().SetRect(rect);
    }
}
