#include "files/BinLayout28.h"

#include "base/Error.h"
#include "catalogue/Keyboards.h"
#include "files/BinStream.h"
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
#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

namespace {

// The greatest offset and length a word can hold.
constexpr qsizetype kMaxImageSize = 0xFFFF;

// Offsets are words: a value past 0xFFFF is refused, never cut to a word.
uint16_t OffsetWord(qsizetype offset)
{
    if (offset > kMaxImageSize)
        throw EError(QCoreApplication::translate(
                         "TBinLayout28", "Раскладка не помещается в память клавиатуры: нужно не менее "
                                         "%1 байт, допустимо не более 65535.")
                         .arg(offset));
    return uint16_t(offset);
}

// Stores a word at an offset that lies inside the stream, keeping the
// position (records are appended meanwhile).
void PutWord(TBinStream &stream, qsizetype at, uint16_t value)
{
    const qsizetype position = stream.Position();
    stream.Seek(at);
    stream.WriteWord(value);
    stream.Seek(position);
}

// Moves to the end, where the next record goes, and returns its offset.
uint16_t AppendOffset(TBinStream &stream)
{
    stream.Seek(stream.Size());
    return OffsetWord(stream.Size());
}

// Refuses a value beyond a byte with the message refusal (marked for
// translation), which takes the value as %1.
uint8_t ByteField(int value, const char *refusal)
{
    if (value < 0 || value > 0xFF)
        throw EError(QCoreApplication::translate("TBinLayout28", refusal).arg(value));
    return uint8_t(value);
}

// The layer index (0 to 3) a layer key leads to; the image knows only
// absolute targets, so one layer up or down is resolved from the key's own
// layer and kept within the four layers the flags can name.
int TargetLayer(TKeyType type, int layerIndex)
{
    switch (type) {
    case ktLayerUp:
        return std::min(layerIndex + 1, 3);
    case ktLayerDown:
        return std::clamp(layerIndex - 1, 0, 3);
    case ktLayer1:
    case ktLayer2:
    case ktLayer3:
    case ktLayer4:
        return type - ktLayer1;
    case ktTempLayer1:
    case ktTempLayer2:
    case ktTempLayer3:
    case ktTempLayer4:
        return type - ktTempLayer1;
    default:
        return 0;
    }
}

// The key whose record a key shares: the key at the top-left cell of its
// group, when that is another key of the layer; else the key itself.
const TKey &RecordOwner(const TLayout &layout, const TLayer &layer, const TKey &key)
{
    if (const TKeyGroup *group = layout.GroupAt(key.Col(), key.Row()))
        if (const TKey *topLeft = layer.KeyAt(group->Rect().Left, group->Rect().Top))
            return *topLeft;
    return key;
}

// A copy of the layout in the shape the reader gives a layout of its model:
// the model's layers, keys, key lock positions and reader tracks. A layout
// loaded from a file may hold fewer key lock positions than its model, or
// more layers; written as it is, its image would not read back. Key
// contents follow the logical number, as the image stores them; pictures
// are left out, the image has none.
std::unique_ptr<TLayout> ShapedCopy(const TLayout &layout, const TKeyboard &keyboard)
{
    auto shaped = std::make_unique<TLayout>();
    shaped->ApplyKeyboard(keyboard);
    shaped->SetVersion(layout.Version());
    const int layers = std::min(layout.LayerCount(), shaped->LayerCount());
    for (int e = 0; e < layers; ++e) {
        const TLayer &source = layout.Layers().Item(e);
        TLayer &target = shaped->Layers().Item(e);
        target.Keys().CopyByNumber(source.Keys());
        target.MSR().Assign(source.MSR());
        const int positions = target.KeyLock().Count();
        target.KeyLock().Assign(source.KeyLock());
        target.KeyLock().SetCount(positions);
    }
    shaped->Groups().Assign(layout.Groups());
    return shaped;
}

// Whether the layout already has the shape ShapedCopy gives it: the model's
// layers and reader tracks, every layer with the model's key lock positions
// and the model's keys in the model's order, each logical number once. The
// shaped copy of such a layout holds the same keys, readers, key locks and
// groups, and writes the same image.
bool HasModelShape(const TLayout &layout, const TKeyboard &keyboard)
{
    if (layout.LayerCount() != keyboard.Layers || layout.Track1() != (keyboard.Track1 != 0)
        || layout.Track2() != (keyboard.Track2 != 0) || layout.Track3() != (keyboard.Track3 != 0))
        return false;
    const TKeyDefs &defs = keyboard.KeyDefs();
    std::vector<int> numbers;
    numbers.reserve(size_t(defs.Count()));
    for (int k = 0; k < defs.Count(); ++k)
        numbers.push_back(defs.Item(k).LogicalNumber);
    std::sort(numbers.begin(), numbers.end());
    if (std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end())
        return false;
    for (int e = 0; e < layout.LayerCount(); ++e) {
        const TLayer &layer = layout.Layers().Item(e);
        if (layer.KeyLock().Count() != keyboard.KeyPos || layer.Keys().Count() != defs.Count())
            return false;
        for (int k = 0; k < defs.Count(); ++k) {
            const TKeyDef &def = defs.Item(k);
            const TKey &key = layer.Keys().Item(k);
            if (key.Col() != def.Left - 1 || key.Row() != def.Top - 1 || key.LogicalNumber() != def.LogicalNumber)
                return false;
        }
    }
    return true;
}

} // namespace

TBinLayout28::TBinLayout28(TLayoutFormats *formats, const TKeyboards &keyboards)
    : TLayoutFormat(formats, keyboards)
{}

QString TBinLayout28::GetFilter() const
{
    return QCoreApplication::translate("TBinLayout28", "Раскладка Ravlin (программа 2.8) (*.bin)") +
           QStringLiteral("|*.bin");
}

QString TBinLayout28::ShortName() const
{
    return QStringLiteral("bin28");
}

QString TBinLayout28::DefaultSuffix() const
{
    return QStringLiteral("bin");
}

void TBinLayout28::SaveToStream(const TLayout &layout, QIODevice &stream)
{
    TBinStream image;
    WriteImage(layout, image);
    if (stream.write(image.Bytes()) != image.Size())
        throw EError(QCoreApplication::translate("TBinLayout28", "Не удалось записать раскладку: %1")
                         .arg(stream.errorString()));
}

uint8_t TBinLayout28::CodeFormFlag() const
{
    return kByteFormFlag;
}

void TBinLayout28::WriteImage(const TLayout &layout, TBinStream &stream)
{
    WriteShapedImage(layout, {0x0208, true, 1}, stream);
}

void TBinLayout28::WriteShapedImage(const TLayout &layout, const TTrailerForm &form, TBinStream &stream)
{
    const TKeyboard &keyboard = Keyboards().ByID(layout.KeyboardID());
    if (HasModelShape(layout, keyboard)) {
        WriteTablesAndRecords(layout, stream);
        WriteTrailer(layout, form, stream);
        return;
    }
    const std::unique_ptr<TLayout> shaped = ShapedCopy(layout, keyboard);
    WriteTablesAndRecords(*shaped, stream);
    WriteTrailer(*shaped, form, stream);
}

int TBinLayout28::TableKeyCount(const TLayout &layout) const
{
    return std::max(0, Keyboards().ByID(layout.KeyboardID()).MaxKeysNum);
}

void TBinLayout28::WriteTablesAndRecords(const TLayout &layout, TBinStream &stream)
{
    const int keyWords = TableKeyCount(layout);
    const int layers = layout.LayerCount();
    const qsizetype tableSize = 2 * (qsizetype(keyWords) + 2);
    const qsizetype firstTable = 2 + 2 * qsizetype(layers);

    stream.Clear();
    stream.SetSize(OffsetWord(firstTable + layers * tableSize));
    for (int e = 0; e < layers; ++e) {
        const qsizetype table = firstTable + e * tableSize;
        PutWord(stream, 2 + 2 * e, OffsetWord(table));
        WriteLayerTable(layout, e, table, keyWords, stream);
    }
    PutWord(stream, 0, OffsetWord(stream.Size()));
    stream.Seek(stream.Size());
}

void TBinLayout28::WriteLayerTable(const TLayout &layout, int layerIndex, qsizetype table, int keyWords,
                                   TBinStream &stream)
{
    const TLayer &layer = layout.Layers().Item(layerIndex);
    // Records already written, so that the keys of a group point to one:
    // found by the key's number, or for a key numbered past the table (or
    // sharing its number with another) by the key itself.
    struct TRecord {
        const TKey *Key = nullptr;
        uint16_t Offset = 0;
    };
    std::vector<TRecord> recordsByNumber(size_t(keyWords) + 1);
    std::unordered_map<const TKey *, uint16_t> otherRecords;
    const auto recordOf = [&](const TKey &key) -> uint16_t {
        if (key.IsEmpty())
            return kNoRecord;
        const int number = key.LogicalNumber();
        TRecord *slot = number >= 0 && number <= keyWords ? &recordsByNumber[size_t(number)] : nullptr;
        if (slot && slot->Key == &key)
            return slot->Offset;
        if (const auto found = otherRecords.find(&key); found != otherRecords.end())
            return found->second;
        const uint16_t offset = AppendOffset(stream);
        WriteKey(key, layerIndex, stream);
        if (slot && !slot->Key)
            *slot = {&key, offset};
        else
            otherRecords.emplace(&key, offset);
        return offset;
    };

    for (int number = 1; number <= keyWords; ++number) {
        const TKey *key = layer.Keys().KeyByNumber(number);
        const uint16_t word = key && !key->IsEmpty() ? recordOf(RecordOwner(layout, layer, *key)) : kNoRecord;
        PutWord(stream, table + 2 * (number - 1), word);
    }
    PutWord(stream, table + 2 * qsizetype(keyWords), AppendOffset(stream));
    WriteMSR(layout, layerIndex, stream);
    PutWord(stream, table + 2 * qsizetype(keyWords) + 2, AppendOffset(stream));
    WriteKeyLock(layer.KeyLock(), layerIndex, stream);
}

void TBinLayout28::WriteTrailer(const TLayout &layout, const TTrailerForm &form, TBinStream &stream)
{
    stream.Seek(stream.Size());
    stream.WriteWord(form.Marker);
    if (form.HasChecksum)
        stream.WriteWord(stream.ByteSum16());
    const qsizetype lengthAt = stream.Position();
    stream.WriteWord(0);
    if (form.HasChecksum)
        stream.WriteWord(layout.Version());

    const TKeyGroups &groups = layout.Groups();
    stream.WriteByte(ByteField(
        groups.Count(), QT_TRANSLATE_NOOP("TBinLayout28", "Нельзя записать в раскладку клавиатуры количество "
                                                          "групп клавиш: %1 (допустимо от 0 до 255).")));
    for (int g = 0; g < groups.Count(); ++g) {
        const TRect &rect = groups.Item(g).Rect();
        for (const int coordinate : {rect.Left, rect.Top, rect.Right, rect.Bottom})
            stream.WriteByte(ByteField(
                coordinate, QT_TRANSLATE_NOOP("TBinLayout28", "Нельзя записать в раскладку клавиатуры "
                                                              "координату группы клавиш: %1 (допустимо от 0 "
                                                              "до 255).")));
    }
    stream.WriteByte(
        ByteField(layout.KeyboardID() - form.ModelBase,
                  QT_TRANSLATE_NOOP("TBinLayout28", "Нельзя записать в раскладку клавиатуры номер "
                                                    "модели клавиатуры: %1 (допустимо от 0 до 255).")));
    PutWord(stream, lengthAt, OffsetWord(stream.Size()));
}

void TBinLayout28::WriteCodes(const TScanCodes &codes, TBinStream &stream)
{
    // A sequence holds at most 255 bytes, so its length fits the count byte:
    // gathered behind it, the whole record is written in one piece.
    char record[1 + kMaxScanCodesLength];
    qsizetype length = 0;
    for (int i = 0; i < codes.Count(); ++i) {
        const QByteArray &data = codes.Item(i).Data();
        if (length + data.size() > kMaxScanCodesLength)
            RaiseScanCodesTooLong();
        std::memcpy(record + 1 + length, data.constData(), size_t(data.size()));
        length += data.size();
    }
    record[0] = char(length);
    stream.WriteBytes(QByteArrayView(record, 1 + length));
}

void TBinLayout28::WriteMelody(const TNotes &melody, const std::function<QString(int)> &refusal,
                               TBinStream &stream)
{
    if (melody.Count() > 0xFF)
        throw EError(refusal(melody.Count()));
    stream.WriteByte(uint8_t(melody.Count()));
    for (int i = 0; i < melody.Count(); ++i) {
        const TNote &note = melody.Item(i);
        const char bytes[3] = {char(note.Pitch()), char(note.Duration()), char(note.Volume())};
        stream.WriteBytes(QByteArrayView(bytes, 3));
    }
}

void TBinLayout28::WriteKey(const TKey &key, int layerIndex, TBinStream &stream)
{
    const TKeyType type = key.KeyType();
    uint8_t flags = CodeFormFlag();
    if (type != ktMacro)
        flags |= uint8_t(kLayerSwitchFlag | TargetLayer(type, layerIndex) << 1);
    if (type >= ktTempLayer1 && type <= ktTempLayer4)
        flags |= kTemporaryFlag;
    if (key.AutoRepeat())
        flags |= kAutoRepeatFlag;
    stream.WriteByte(flags);

    if (type == ktMacro) {
        WriteCodes(key.MakeCodes(), stream);
        WriteCodes(key.BreakCodes(), stream);
    } else {
        // A layer key sends nothing: two empty code lists.
        stream.WriteByte(0);
        stream.WriteByte(0);
    }
    WriteMelody(
        key.Melody(),
        [&](int notes) {
            return QCoreApplication::translate(
                       "TBinLayout28", "Мелодия клавиши (%1, %2) слоя %3 содержит %4 нот; в раскладку "
                                       "клавиатуры можно записать не более 255.")
                .arg(key.Col() + 1)
                .arg(key.Row() + 1)
                .arg(layerIndex + 1)
                .arg(notes);
        },
        stream);
}

void TBinLayout28::WriteMSR(const TLayout &layout, int layerIndex, TBinStream &stream)
{
    const TMSR &msr = layout.Layers().Item(layerIndex).MSR();
    uint8_t flags = CodeFormFlag();
    for (int t = 0; t < kMSRTrackCount; ++t)
        if (msr.Track(t).Enabled())
            flags |= uint8_t(1 << t);
    if (msr.StopOnError())
        flags |= kStopOnErrorFlag;
    if (msr.SendEnter())
        flags |= kSendEnterFlag;
    if (msr.LightIndication())
        flags |= kLightIndicationFlag;
    stream.WriteByte(flags);

    // Only the tracks of the model take room in the record.
    const bool present[kMSRTrackCount] = {layout.Track1(), layout.Track2(), layout.Track3()};
    for (int t = 0; t < kMSRTrackCount; ++t) {
        if (!present[t])
            continue;
        WriteCodes(msr.Track(t).Prefix(), stream);
        WriteCodes(msr.Track(t).Suffix(), stream);
    }
    WriteMelody(
        msr.Melody(),
        [&](int notes) {
            return QCoreApplication::translate(
                       "TBinLayout28", "Мелодия считывателя карт слоя %1 содержит %2 нот; в раскладку "
                                       "клавиатуры можно записать не более 255.")
                .arg(layerIndex + 1)
                .arg(notes);
        },
        stream);
}

void TBinLayout28::WriteKeyLock(const TKeyLock &keyLock, int layerIndex, TBinStream &stream)
{
    for (int p = 0; p < keyLock.Count(); ++p) {
        const TKeyPosition &position = keyLock.Item(p);
        uint8_t flags = CodeFormFlag();
        if (position.PositionType() != 0)
            flags |= uint8_t(kLayerSwitchFlag | ((position.PositionType() - 1) & 3) << 1);
        if (position.Locked())
            flags |= kLockedFlag;
        stream.WriteByte(flags);
        WriteCodes(position.Codes(), stream);
        WriteMelody(
            position.Melody(),
            [&](int notes) {
                return QCoreApplication::translate("TBinLayout28",
                                                   "Мелодия положения ключа %1 слоя %2 содержит %3 нот; в "
                                                   "раскладку клавиатуры можно записать не более 255.")
                    .arg(p + 1)
                    .arg(layerIndex + 1)
                    .arg(notes);
            },
            stream);
    }
}
