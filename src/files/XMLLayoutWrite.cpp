#include "files/XMLLayoutWrite.h"

#include "files/XMLLayoutNames.h"
#include "xml/XMLStreamWriter.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyLock.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MSR.h"
#include "model/Notes.h"

#include <algorithm>

using namespace XMLLayoutNames;

namespace XMLLayoutWrite {

namespace {

void AddMSR(TXMLStreamWriter &out, const TMSR &msr, const TXMLLayoutForm &form)
{
    out.Begin(kMSR);
    out.Attribute(kSendEnter, Flag(msr.SendEnter()));
    out.Attribute(kStopOnError, Flag(msr.StopOnError()));
    if (form.LightIndication)
        out.Attribute(kLightIndication, Flag(msr.LightIndication()));
    for (int t = 0; t < kMSRTrackCount; ++t) {
        const TMSRTrack &track = msr.Track(t);
        out.Begin(kTracks[t]);
        out.Attribute(kEnabled, Flag(track.Enabled()));
        form.AddCodes(out, kPrefix, track.Prefix());
        form.AddCodes(out, kSuffix, track.Suffix());
        out.End();
    }
    AddNotes(out, msr.Melody());
    out.End();
}

void AddKeyLock(TXMLStreamWriter &out, const TKeyLock &keyLock, const TXMLLayoutForm &form)
{
    if (keyLock.Count() == 0)
        return;
    out.Begin(kKeyLock);
    for (int i = 0; i < keyLock.Count(); ++i) {
        const TKeyPosition &position = keyLock.Item(i);
        out.Begin(kPosition);
        out.Attribute(kNumber, i + 1);
        out.Attribute(kPositionType, int(position.PositionType()));
        out.Attribute(kLocked, Flag(position.Locked()));
        form.AddCodes(out, kScanCodes, position.Codes());
        AddNotes(out, position.Melody());
        out.End();
    }
    out.End();
}

void AddLayer(TXMLStreamWriter &out, const TLayer &layer, const TXMLLayoutForm &form)
{
    out.Begin(kLayer);
    const TKeys &keys = layer.Keys();
    if (keys.Count() > 0) {
        out.Begin(kKeys);
        for (int k = 0; k < keys.Count(); ++k)
            form.AddKey(out, keys.Item(k), k + 1);
        out.End();
    }
    AddMSR(out, layer.MSR(), form);
    AddKeyLock(out, layer.KeyLock(), form);
    out.End();
}

void AddGroups(TXMLStreamWriter &out, const TKeyGroups &groups)
{
    if (groups.Count() == 0)
        return;
    out.Begin(kGroups);
    for (int g = 0; g < groups.Count(); ++g) {
        const TRect &rect = groups.Item(g).Rect();
        out.Begin(kGroup);
        out.Attribute(kTop, rect.Top);
        out.Attribute(kLeft, rect.Left);
        out.Attribute(kRight, rect.Right);
        out.Attribute(kBottom, rect.Bottom);
        out.End();
    }
    out.End();
}

void SetSelection(TXMLStreamWriter &out, const TRect &selection)
{
    out.Attribute(kSelTop, selection.Top);
    out.Attribute(kSelLeft, selection.Left);
    out.Attribute(kSelRight, selection.Right);
    out.Attribute(kSelBottom, selection.Bottom);
}

void AddLayers(TXMLStreamWriter &out, const TLayers &layers, const TXMLLayoutForm &form)
{
    if (layers.Count() == 0)
        return;
    out.Begin(kLayers);
    for (int l = 0; l < layers.Count(); ++l)
        AddLayer(out, layers.Item(l), form);
    out.End();
}

// The room to make for the document of a layout: about a kilobyte per key,
// which holds a key with codes, a melody and a small picture.
qsizetype DocumentCapacity(const TLayout &layout)
{
    constexpr qsizetype kBytesPerKey = 1024;
    constexpr qsizetype kRest = 16 * 1024;
    return kRest + kBytesPerKey * layout.KeyCount() * layout.LayerCount();
}

} // namespace

QString ColorText(uint32_t value)
{
    // Eight upper-case hexadecimal digits, zeros in front.
    QString text(8, Qt::Uninitialized);
    for (int i = 7; i >= 0; --i, value >>= 4)
        text[i] = QChar(u"0123456789ABCDEF"[value & 0xF]);
    return text;
}

void BeginKey(TXMLStreamWriter &out, const TKey &key, int number)
{
    out.Begin(kKey);
    out.Attribute(kNumber, number);
    out.Attribute(kColumn, key.Col());
    out.Attribute(kRow, key.Row());
    out.Attribute(kRemark, key.Remark());
    out.Attribute(kAutoRepeat, Flag(key.AutoRepeat()));
    out.Attribute(kKeyType, int(key.KeyType()));
}

void AddNotes(TXMLStreamWriter &out, const TNotes &notes)
{
    if (notes.IsEmpty())
        return;
    out.Begin(kNotes);
    for (int i = 0; i < notes.Count(); ++i) {
        const TNote &note = notes.Item(i);
        out.Begin(kNote);
        out.Attribute(kNumber, i + 1);
        out.Attribute(kPitch, int(note.Pitch()));
        out.Attribute(kDuration, int(note.Duration()));
        out.Attribute(kVolume, int(note.Volume()));
        out.End();
    }
    out.End();
}

QByteArray WriteLayout(const TLayout &layout, const TXMLLayoutForm &form)
{
    TXMLStreamWriter out(DocumentCapacity(layout));
    out.Begin(kLayout);
    if (form.AddLayoutAttributes)
        form.AddLayoutAttributes(out, layout);
    out.Begin(kParams);
    form.AddModel(out, layout);
    SetSelection(out, layout.Selection());
    out.End();
    AddLayers(out, layout.Layers(), form);
    AddGroups(out, layout.Groups());
    out.End();
    return out.Take();
}

} // namespace XMLLayoutWrite
