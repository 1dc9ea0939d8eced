#include "files/BinLayout28.h"

#include "base/Error.h"
#include "catalogue/Keyboards.h"
#include "files/BinStream.h"
#include "files/CodeWords.h"
#include "files/FileFormatError.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyLock.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MSR.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <QCoreApplication>
#include <QIODevice>
#include <vector>

namespace {

// Markers from 256 on mean a trailer with groups and model; from 520 on the
// checksum, length and version words stand before the groups.
constexpr uint16_t kFirstTrailerMarker = 0x0100;
constexpr uint16_t kFirstCheckedMarker = 0x0208;

int TargetBits(uint8_t flags)
{
    return (flags >> 1) & 3;
}

bool Bit(uint8_t flags, uint8_t mask)
{
    return (flags & mask) != 0;
}

// The relative type a key that goes to layer 1 to 4 (row) stands for on
// layer 0 to 3 (column): the target one layer up or down from there, or the
// own layer on the first and the last layer, where down and up stop.
constexpr TKeyType kRelativeTypes[4][4] = {
    {ktLayerDown, ktLayerDown, ktNone, ktNone},
    {ktLayerUp, ktNone, ktLayerDown, ktNone},
    {ktNone, ktLayerUp, ktNone, ktLayerDown},
    {ktNone, ktNone, ktLayerUp, ktLayerUp},
};

TKeyType RelativeType(TKeyType type, int layerIndex)
{
    if (type < ktLayer1 || type > ktLayer4 || layerIndex > 3)
        return ktNone;
    return kRelativeTypes[type - ktLayer1][layerIndex];
}

} // namespace

void TBinLayout28::LoadFromStream(TLayout &layout, QIODevice &stream)
{
    if (!stream.isSequential())
        stream.seek(0);
    TBinStream image(stream.readAll());
    if (image.Size() == 0)
        throw EFileFormatError(QCoreApplication::translate("TBinLayout28", "Отсутствуют данные раскладки"));

    const qsizetype trailer = image.ReadWord();
    image.Seek(trailer);
    const uint16_t marker = image.ReadWord();
    // Images without a trailer leave the layout its groups and model.
    if (marker >= kFirstTrailerMarker)
        ReadTrailer(layout, trailer, marker, image);

    const int keyWords = TableKeyCount(layout);
    for (int e = 0; e < layout.LayerCount(); ++e)
        ReadLayer(layout, e, keyWords, image);
    RestoreRelativeLayerKeys(layout);
    layout.ClearNonMacroCodes();
}

void TBinLayout28::ReadTrailer(TLayout &layout, qsizetype trailer, uint16_t marker, TBinStream &image) const
{
    // The checksum is not verified: the keyboard keeps its own.
    if (marker >= kFirstCheckedMarker) {
        image.Seek(trailer + 6);
        layout.SetVersion(image.ReadWord());
    } else {
        image.Seek(trailer + 4);
    }

    TKeyGroups &groups = layout.Groups();
    groups.Clear();
    const int count = image.ReadByte();
    for (int g = 0; g < count; ++g) {
        const QByteArrayView bytes = image.ReadView(4);
        groups.Add().SetRect(
            TRect{uint8_t(bytes[0]), uint8_t(bytes[1]), uint8_t(bytes[2]), uint8_t(bytes[3])});
    }
    // The images of 2.9 and 2.10 hold the identifier, all others the
    // identifier minus 1.
    const int modelByte = image.ReadByte();
    const int id = marker == 0x0209 || marker == 0x020A ? modelByte : modelByte + 1;
    layout.ChangeKeyboard(Keyboards().ByID(id));
}

void TBinLayout28::ReadLayer(TLayout &layout, int layerIndex, int keyWords, TBinStream &image)
{
    TLayer &layer = layout.Layers().Item(layerIndex);
    image.Seek(2 + 2 * qsizetype(layerIndex));
    image.Seek(image.ReadWord());
    std::vector<uint16_t> words(size_t(keyWords) + 2);
    for (uint16_t &word : words)
        word = image.ReadWord();

    // Word i belongs to the key with logical number i + 1, wherever the
    // model lists it; numbers without a key are skipped.
    for (int i = 0; i < keyWords; ++i) {
        if (words[size_t(i)] == kNoRecord)
            continue;
        if (TKey *key = layer.Keys().KeyByNumber(i + 1)) {
            image.Seek(words[size_t(i)]);
            ReadKey(*key, image);
        }
    }
    if (const uint16_t reader = words[size_t(keyWords)]; reader != kNoRecord) {
        image.Seek(reader);
        ReadMSR(layout, layer.MSR(), image);
    }
    if (const uint16_t keyLock = words[size_t(keyWords) + 1]; keyLock != kNoRecord) {
        image.Seek(keyLock);
        ReadKeyLock(layer.KeyLock(), image);
    }
}

void TBinLayout28::ReadKey(TKey &key, TBinStream &image)
{
    const uint8_t flags = image.ReadByte();
    key.SetAutoRepeat(Bit(flags, kAutoRepeatFlag));
    if (!Bit(flags, kLayerSwitchFlag))
        key.SetKeyType(ktMacro);
    else
        key.SetKeyType(TKeyType((Bit(flags, kTemporaryFlag) ? ktTempLayer1 : ktLayer1) + TargetBits(flags)));
    const bool byteForm = Bit(flags, kByteFormFlag);
    ReadCodes(key.MakeCodes(), byteForm, image);
    ReadCodes(key.BreakCodes(), byteForm, image);
    ReadMelody(key.Melody(), image);
}

void TBinLayout28::ReadCodes(TScanCodes &codes, bool byteForm, TBinStream &image)
{
    codes.Clear();
    const int count = image.ReadByte();
    if (byteForm) {
        codes.AddDecoded(image.ReadView(count));
        return;
    }
    std::vector<uint16_t> words(size_t(count), 0);
    for (uint16_t &word : words)
        word = image.ReadWord();
    // Up to 255 words and their implied releases can exceed the 255 bytes a
    // sequence holds; such a list is a fault of the image.
    try {
        for (const uint16_t word : words)
            codes.AddCode16(word);
        AppendBreakItems(codes);
    } catch (const EError &error) {
        throw EFileFormatError(error.Message());
    }
}

void TBinLayout28::ReadMelody(TNotes &melody, TBinStream &image)
{
    melody.Clear();
    const int count = image.ReadByte();
    melody.AddPacked(image.ReadView(3 * qsizetype(count)));
}

void TBinLayout28::ReadMSR(const TLayout &layout, TMSR &msr, TBinStream &image)
{
    msr.Clear();
    const uint8_t flags = image.ReadByte();
    for (int t = 0; t < kMSRTrackCount; ++t)
        msr.Track(t).SetEnabled(Bit(flags, uint8_t(1 << t)));
    msr.SetStopOnError(Bit(flags, kStopOnErrorFlag));
    msr.SetSendEnter(Bit(flags, kSendEnterFlag));
    msr.SetLightIndication(Bit(flags, kLightIndicationFlag));

    const bool byteForm = Bit(flags, kByteFormFlag);
    const bool present[kMSRTrackCount] = {layout.Track1(), layout.Track2(), layout.Track3()};
    for (int t = 0; t < kMSRTrackCount; ++t) {
        if (!present[t])
            continue;
        ReadCodes(msr.Track(t).Prefix(), byteForm, image);
        ReadCodes(msr.Track(t).Suffix(), byteForm, image);
    }
    ReadMelody(msr.Melody(), image);
}

void TBinLayout28::ReadKeyLock(TKeyLock &keyLock, TBinStream &image)
{
    for (int p = 0; p < keyLock.Count(); ++p) {
        TKeyPosition &position = keyLock.Item(p);
        const uint8_t flags = image.ReadByte();
        position.SetLocked(Bit(flags, kLockedFlag));
        position.SetPositionType(Bit(flags, kLayerSwitchFlag) ? uint8_t(1 + TargetBits(flags)) : uint8_t(0));
        ReadCodes(position.Codes(), Bit(flags, kByteFormFlag), image);
        ReadMelody(position.Melody(), image);
    }
}

void TBinLayout28::RestoreRelativeLayerKeys(TLayout &layout)
{
    // The image holds absolute targets only. A cell whose keys on every layer
    // lead one layer up (or all one layer down) from their own layer was a
    // relative key and becomes one again. Layouts of fewer than four layers
    // use the columns of the layers they have.
    TLayers &layers = layout.Layers();
    if (layers.Count() == 0)
        return;
    std::vector<TKey *> cell(size_t(layers.Count()));
    for (int col = 0; col < layout.Columns(); ++col) {
        for (int row = 0; row < layout.Rows(); ++row) {
            TKeyType common = ktNone;
            for (int e = 0; e < layers.Count(); ++e) {
                TKey *key = layers.Item(e).KeyAt(col, row);
                const TKeyType relative = key ? RelativeType(key->KeyType(), e) : ktNone;
                if (relative == ktNone || (e > 0 && relative != common)) {
                    common = ktNone;
                    break;
                }
                common = relative;
                cell[size_t(e)] = key;
            }
            if (common == ktNone)
                continue;
            for (TKey *key : cell)
                key->SetKeyType(common);
        }
    }
}
