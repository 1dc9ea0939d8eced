#include "files/XMLLayout.h"

#include "base/HexText.h"
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

using namespace XMLLayoutNames;

namespace {

QString Flag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString Int(int value)
{
    return QString::number(value);
}

QString Color(uint32_t value)
{
    return QStringLiteral("%1").arg(value, 8, 16, QChar(u'0')).toUpper();
}

TXMLItem &AddChild(TXMLItem &parent, const QString &name)
{
    TXMLItem &child = *parent.New();
    child.SetName(name);
    return child;
}

// A sequence is written as its text form, and only when it holds items.
void AddCodes(TXMLItem &parent, const QString &name, const TScanCodes &codes)
{
    if (codes.IsEmpty())
        return;
    AddChild(parent, name).SetAttribute(kScanCodes, codes.Text());
}

void AddNotes(TXMLItem &parent, const TNotes &notes)
{
    if (notes.IsEmpty())
        return;
    TXMLItem &item = AddChild(parent, kNotes);
    for (int i = 0; i < notes.Count(); ++i) {
        const TNote &note = notes.Item(i);
        TXMLItem &child = AddChild(item, kNote);
        child.SetAttribute(kNumber, Int(i + 1));
        child.SetAttribute(kPitch, Int(note.Pitch()));
        child.SetAttribute(kDuration, Int(note.Duration()));
        child.SetAttribute(kVolume, Int(note.Volume()));
    }
}

void AddPicture(TXMLItem &parent, const TKeyPicture &picture)
{
    TXMLItem &item = AddChild(parent, kPicture);
    item.SetAttribute(kBackgroundColor, Color(picture.BackgroundColor()));
    item.SetAttribute(kText, picture.Text());
    item.SetAttribute(kTextOrientation, Int(picture.TextOrientation()));
    const TFont &font = picture.Font();
    item.SetAttribute(kFontPixels, Int(font.PixelsPerInch()));
    item.SetAttribute(kFontCharset, Int(font.Charset()));
    item.SetAttribute(kFontColor, Color(font.Color()));
    item.SetAttribute(kFontHeight, Int(font.Height()));
    item.SetAttribute(kFontName, font.Name());
    item.SetAttribute(kFontSize, Int(font.Size()));
    item.SetAttribute(kFontStyle, Int(font.Style()));
    if (picture.HasGraphic())
        AddChild(item, kPictureData).SetText(picture.PictureData());
}

void AddKey(TXMLItem &parent, const TKey &key)
{
    TXMLItem &item = AddChild(parent, kKey);
    item.SetAttribute(kNumber, Int(key.LogicalNumber()));
    item.SetAttribute(kColumn, Int(key.Col()));
    item.SetAttribute(kRow, Int(key.Row()));
    item.SetAttribute(kRemark, key.Remark());
    item.SetAttribute(kAutoRepeat, Flag(key.AutoRepeat()));
    item.SetAttribute(kKeyType, Int(key.KeyType()));
    AddCodes(item, kMakeCodes, key.MakeCodes());
    AddCodes(item, kBreakCodes, key.BreakCodes());
    AddNotes(item, key.Melody());
    AddPicture(item, key.Picture());
}

void AddMSR(TXMLItem &parent, const TMSR &msr)
{
    TXMLItem &item = AddChild(parent, kMSR);
    item.SetAttribute(kSendEnter, Flag(msr.SendEnter()));
    item.SetAttribute(kStopOnError, Flag(msr.StopOnError()));
    item.SetAttribute(kLightIndication, Flag(msr.LightIndication()));
    for (int t = 0; t < kMSRTrackCount; ++t) {
        const TMSRTrack &track = msr.Track(t);
        TXMLItem &child = AddChild(item, kTracks[t]);
        child.SetAttribute(kEnabled, Flag(track.Enabled()));
        AddCodes(child, kPrefix, track.Prefix());
        AddCodes(child, kSuffix, track.Suffix());
    }
    AddNotes(item, msr.Melody());
}

void AddKeyLock(TXMLItem &parent, const TKeyLock &keyLock)
{
    if (keyLock.Count() == 0)
        return;
    TXMLItem &item = AddChild(parent, kKeyLock);
    for (int i = 0; i < keyLock.Count(); ++i) {
        const TKeyPosition &position = keyLock.Item(i);
        TXMLItem &child = AddChild(item, kPosition);
        child.SetAttribute(kNumber, Int(i + 1));
        child.SetAttribute(kPositionType, Int(position.PositionType()));
        child.SetAttribute(kLocked, Flag(position.Locked()));
        AddCodes(child, kScanCodes, position.Codes());
        AddNotes(child, position.Melody());
    }
}

void AddLayer(TXMLItem &parent, const TLayer &layer)
{
    TXMLItem &item = AddChild(parent, kLayer);
    const TKeys &keys = layer.Keys();
    if (keys.Count() > 0) {
        // Every key is written, empty ones too: a reader keeps the content of
        // keys a file does not mention.
        TXMLItem &keysItem = AddChild(item, kKeys);
        for (int k = 0; k < keys.Count(); ++k)
            AddKey(keysItem, keys.Item(k));
    }
    AddMSR(item, layer.MSR());
    AddKeyLock(item, layer.KeyLock());
}

} // namespace

TXMLLayout::TXMLLayout(TLayoutFormats *formats, const TKeyboards &keyboards)
    : TLayoutFormat(formats, keyboards)
{}

QString TXMLLayout::GetFilter() const
{
    return QStringLiteral("Раскладка Ravlin (*.xml)|*.xml");
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
    root.SetAttribute(kVersion, QStringLiteral("%1").arg(layout.Version, 4, 16, QChar(u'0')).toUpper());

    TXMLItem &params = AddChild(root, kParams);
    params.SetAttribute(kKeyboardID, Int(layout.KeyboardID));
    const TRect &selection = layout.Selection();
    params.SetAttribute(kSelTop, Int(selection.Top));
    params.SetAttribute(kSelLeft, Int(selection.Left));
    params.SetAttribute(kSelRight, Int(selection.Right));
    params.SetAttribute(kSelBottom, Int(selection.Bottom));

    const TLayers &layers = layout.Layers();
    if (layers.Count() > 0) {
        TXMLItem &layersItem = AddChild(root, kLayers);
        for (int l = 0; l < layers.Count(); ++l)
            AddLayer(layersItem, layers.Item(l));
    }

    const TKeyGroups &groups = layout.Groups();
    if (groups.Count() > 0) {
        TXMLItem &groupsItem = AddChild(root, kGroups);
        for (int g = 0; g < groups.Count(); ++g) {
            const TRect &rect = groups.Item(g).Rect();
            TXMLItem &child = AddChild(groupsItem, kGroup);
            child.SetAttribute(kTop, Int(rect.Top));
            child.SetAttribute(kLeft, Int(rect.Left));
            child.SetAttribute(kRight, Int(rect.Right));
            child.SetAttribute(kBottom, Int(rect.Bottom));
        }
    }
    FParser.SaveToStream(stream);
}

uint16_t TXMLLayout::DecodeVersion(QStringView text)
{
    const QByteArray bytes = HexToBytes(text);
    const uint16_t high = bytes.size() > 0 ? uint8_t(bytes[0]) : 0;
    const uint16_t low = bytes.size() > 1 ? uint8_t(bytes[1]) : 0;
    return uint16_t((high << 8) | low);
}
