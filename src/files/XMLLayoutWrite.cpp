#include "files/XMLLayoutWrite.h"

#include "files/XMLLayoutNames.h"
#include "xml/XMLItem.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyLock.h"
#include "model/Layer.h"
#include "model/MSR.h"
#include "model/Notes.h"

#include <algorithm>

using namespace XMLLayoutNames;

namespace XMLLayoutWrite {

namespace {

void AddMSR(TXMLItem &parent, const TMSR &msr, const TXMLLayoutForm &form)
{
    TXMLItem &item = AddChild(parent, kMSR);
    item.SetAttribute(kSendEnter, FlagText(msr.SendEnter()));
    item.SetAttribute(kStopOnError, FlagText(msr.StopOnError()));
    if (form.LightIndication)
        item.SetAttribute(kLightIndication, FlagText(msr.LightIndication()));
    for (int t = 0; t < kMSRTrackCount; ++t) {
        const TMSRTrack &track = msr.Track(t);
        TXMLItem &child = AddChild(item, kTracks[t]);
        child.SetAttribute(kEnabled, FlagText(track.Enabled()));
        form.AddCodes(child, kPrefix, track.Prefix());
        form.AddCodes(child, kSuffix, track.Suffix());
    }
    AddNotes(item, msr.Melody());
}

void AddKeyLock(TXMLItem &parent, const TKeyLock &keyLock, const TXMLLayoutForm &form)
{
    if (keyLock.Count() == 0)
        return;
    TXMLItem &item = AddChild(parent, kKeyLock);
    for (int i = 0; i < keyLock.Count(); ++i) {
        const TKeyPosition &position = keyLock.Item(i);
        TXMLItem &child = AddChild(item, kPosition);
        child.SetAttribute(kNumber, IntText(i + 1));
        child.SetAttribute(kPositionType, IntText(position.PositionType()));
        child.SetAttribute(kLocked, FlagText(position.Locked()));
        form.AddCodes(child, kScanCodes, position.Codes());
        AddNotes(child, position.Melody());
    }
}

void AddLayer(TXMLItem &parent, const TLayer &layer, const TXMLLayoutForm &form)
{
    TXMLItem &item = AddChild(parent, kLayer);
    const TKeys &keys = layer.Keys();
    if (keys.Count() > 0) {
        TXMLItem &keysItem = AddChild(item, kKeys);
        for (int k = 0; k < keys.Count(); ++k)
            form.AddKey(keysItem, keys.Item(k), k + 1);
    }
    AddMSR(item, layer.MSR(), form);
    AddKeyLock(item, layer.KeyLock(), form);
}

} // namespace

QString FlagText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString IntText(int value)
{
    // Numbers of keys, cells, notes and pitches are small and written
    // thousands of times: their texts are made once and kept for good, so
    // that copies touch no reference count.
    constexpr int kShared = 1000;
    struct TTexts {
        char16_t Digits[kShared][3];
        QString Texts[kShared];
        TTexts()
        {
            for (int i = 0; i < kShared; ++i) {
                const QString text = QString::number(i);
                std::copy(text.utf16(), text.utf16() + text.size(), Digits[i]);
                Texts[i] = QString::fromRawData(reinterpret_cast<const QChar *>(Digits[i]), text.size());
            }
        }
    };
    static const TTexts *const texts = new TTexts; // never freed: copies may outlive statics
    return value >= 0 && value < kShared ? texts->Texts[value] : QString::number(value);
}

QString ColorText(uint32_t value)
{
    // Eight upper-case hexadecimal digits, zeros in front.
    QString text(8, Qt::Uninitialized);
    for (int i = 7; i >= 0; --i, value >>= 4)
        text[i] = QChar(u"0123456789ABCDEF"[value & 0xF]);
    return text;
}

void AddValue(TXMLItem &item, const QString &name, QString value)
{
    if (!value.isEmpty())
        item.AppendAttribute(name, std::move(value));
}

TXMLItem &AddChild(TXMLItem &parent, const QString &name)
{
    TXMLItem &child = *parent.New();
    child.SetName(name);
    return child;
}

void AddNotes(TXMLItem &parent, const TNotes &notes)
{
    if (notes.IsEmpty())
        return;
    TXMLItem &item = AddChild(parent, kNotes);
    for (int i = 0; i < notes.Count(); ++i) {
        const TNote &note = notes.Item(i);
        TXMLItem &child = AddChild(item, kNote);
        // Four different names and texts that are never empty: appended
        // without looking for names already there.
        child.ReserveAttributes(4);
        child.AppendAttribute(kNumber, IntText(i + 1));
        child.AppendAttribute(kPitch, IntText(note.Pitch()));
        child.AppendAttribute(kDuration, IntText(note.Duration()));
        child.AppendAttribute(kVolume, IntText(note.Volume()));
    }
}

void AddGroups(TXMLItem &parent, const TKeyGroups &groups)
{
    if (groups.Count() == 0)
        return;
    TXMLItem &item = AddChild(parent, kGroups);
    for (int g = 0; g < groups.Count(); ++g) {
        const TRect &rect = groups.Item(g).Rect();
        TXMLItem &child = AddChild(item, kGroup);
        child.SetAttribute(kTop, IntText(rect.Top));
        child.SetAttribute(kLeft, IntText(rect.Left));
        child.SetAttribute(kRight, IntText(rect.Right));
        child.SetAttribute(kBottom, IntText(rect.Bottom));
    }
}

void SetSelection(TXMLItem &params, const TRect &selection)
{
    params.SetAttribute(kSelTop, IntText(selection.Top));
    params.SetAttribute(kSelLeft, IntText(selection.Left));
    params.SetAttribute(kSelRight, IntText(selection.Right));
    params.SetAttribute(kSelBottom, IntText(selection.Bottom));
}

void AddLayers(TXMLItem &parent, const TLayers &layers, const TXMLLayoutForm &form)
{
    if (layers.Count() == 0)
        return;
    TXMLItem &item = AddChild(parent, kLayers);
    for (int l = 0; l < layers.Count(); ++l)
        AddLayer(item, layers.Item(l), form);
}

} // namespace XMLLayoutWrite
