#include "FilesTestData.h"

#include "files/BinLayout28.h"
#include "files/BinLayoutVariants.h"
#include "files/CodeWords.h"
#include "files/FileFormatError.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyLock.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/LayoutTestKeyboards.h"
#include "model/MSR.h"
#include "model/ScanCodes.h"
#include "support/LayoutCompare.h"
#include "support/RichLayout.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

namespace {

uint16_t WordAt(const QByteArray &image, qsizetype at)
{
    return uint16_t(uint8_t(image[at]) | uint8_t(image[at + 1]) << 8);
}

void PutWordAt(QByteArray &image, qsizetype at, uint16_t value)
{
    image[at] = char(value & 0xFF);
    image[at + 1] = char(value >> 8);
}

QByteArray Word(uint16_t value)
{
    const char bytes[2] = {char(value & 0xFF), char(value >> 8)};
    return QByteArray(bytes, 2);
}

// Returns the flags byte of the record that table word number - 1 of layer
// e points to, -1 for no record.
int RecordFlags(const QByteArray &image, int layer, int number)
{
    const uint16_t table = WordAt(image, 2 + 2 * layer);
    const uint16_t record = WordAt(image, table + 2 * (number - 1));
    return record == 0xFFFF ? -1 : uint8_t(image[record]);
}

TKey &KeyOf(TLayout &layout, int layer, int number)
{
    return *layout.Layers().Item(layer).Keys().KeyByNumber(number);
}

void Recode(TScanCodes &codes, bool words)
{
    const QByteArray data = codes.Data();
    if (!words) {
        codes.Clear();
        codes.AddDecoded(data);
        return;
    }
    std::vector<QByteArray> makes;
    for (int i = 0; i < codes.Count(); ++i)
        if (codes.Item(i).CodeType == ctMake && codes.Item(i).Data().size() <= 2)
            makes.push_back(codes.Item(i).Data());
    codes.Clear();
    for (const QByteArray &make : makes)
        codes.AddDecoded(make);
    AppendBreakItems(codes);
}

// The layer a key of layer e leads to (index 0 to 3), -1 for no layer key.
int TargetOf(TKeyType type, int e)
{
    if (type == ktLayerUp)
        return std::min(e + 1, 3);
    if (type == ktLayerDown)
        return std::max(e - 1, 0);
    if (type >= ktLayer1 && type <= ktLayer4)
        return type - ktLayer1;
    return -1;
}

// Returns what reading the image of source gives in a new layout: the
// selection of a new layout; codes as their bytes decode (the 1.3 form keeps
// make codes of one or two bytes and appends their releases, and has no
// version); no codes for tracks the model lacks; a key in a group with
// content of its own takes the content of the group's top-left key; layer
// keys lead to absolute layers, except in cells whose keys all lead one
// layer up, or all one layer down, from their own layer.
std::unique_ptr<TLayout> ImageForm(const TLayout &source, bool words)
{
    auto result = std::make_unique<TLayout>();
    result->Assign(source);
    result->SetSelection(TRect{1, 1, 1, 1});
    if (words)
        result->SetVersion(TLayout().Version());
    TLayers &layers = result->Layers();
    for (int e = 0; e < layers.Count(); ++e) {
        TLayer &layer = layers.Item(e);
        for (int k = 0; k < layer.Keys().Count(); ++k) {
            TKey &key = layer.Keys().Item(k);
            const TKeyGroup *group = result->GroupAt(key.Col(), key.Row());
            const TKey *topLeft = group ? layer.KeyAt(group->Rect().Left, group->Rect().Top) : nullptr;
            if (topLeft && topLeft != &key && !key.IsEmpty())
                key.AssignContent(*topLeft);
        }
        for (int k = 0; k < layer.Keys().Count(); ++k) {
            TKey &key = layer.Keys().Item(k);
            if (key.KeyType() == ktLayerUp || key.KeyType() == ktLayerDown)
                key.SetKeyType(TKeyType(ktLayer1 + TargetOf(key.KeyType(), e)));
            Recode(key.MakeCodes(), words);
            Recode(key.BreakCodes(), words);
        }
        const bool present[3] = {result->Track1(), result->Track2(), result->Track3()};
        for (int t = 0; t < 3; ++t) {
            TMSRTrack &track = layer.MSR().Track(t);
            if (!present[t]) {
                track.Prefix().Clear();
                track.Suffix().Clear();
            }
            Recode(track.Prefix(), words);
            Recode(track.Suffix(), words);
        }
        for (int p = 0; p < layer.KeyLock().Count(); ++p)
            Recode(layer.KeyLock().Item(p).Codes(), words);
    }
    for (int c = 0; c < result->Columns(); ++c) {
        for (int r = 0; r < result->Rows(); ++r) {
            for (const TKeyType relative : {ktLayerUp, ktLayerDown}) {
                bool all = true;
                for (int e = 0; e < layers.Count() && all; ++e) {
                    const TKey *key = layers.Item(e).KeyAt(c, r);
                    all = key && key->KeyType() >= ktLayer1 && key->KeyType() <= ktLayer4 &&
                          TargetOf(key->KeyType(), e) == TargetOf(relative, e);
                }
                if (all)
                    for (int e = 0; e < layers.Count(); ++e)
                        layers.Item(e).KeyAt(c, r)->SetKeyType(relative);
            }
        }
    }
    return result;
}

std::unique_ptr<TLayout> RichImageLayout(int id)
{
    TRichLayoutOptions options;
    options.Pictures = false;
    options.Remarks = false;
    return MakeRichLayout(ShippedKeyboards(), id, options);
}

} // namespace

TEST(BinLayoutRead, ShippedModelsSurviveEveryForm)
{
    TBinLayout28 bin28(nullptr, ShippedKeyboards());
    TBinLayout29 bin29(nullptr, ShippedKeyboards());
    TBinLayout210 bin210(nullptr, ShippedKeyboards());
    TBinLayout13 bin13(nullptr, ShippedKeyboards());
    for (TBinLayout28 *format : std::initializer_list<TBinLayout28 *>{&bin28, &bin29, &bin210, &bin13}) {
        const bool words = format == &bin13;
        for (int id = 1; id <= 6; ++id) {
            SCOPED_TRACE(testing::Message() << format->ShortName().toStdString() << ", model " << id);
            const auto source = RichImageLayout(id);
            if (words && id == 3) {
                EXPECT_EQ(ErrorOf([&] { format->SaveToString(*source); }),
                          u"Формат 1.3 не поддерживает клавиатуры сколичеством клавиш большим 64");
                continue;
            }
            const QByteArray image = format->SaveToString(*source);
            TLayout loaded;
            bin210.LoadFromString(loaded, image);
            ExpectSameLayout(*ImageForm(*source, words), loaded);
            EXPECT_EQ(format->SaveToString(loaded), image) << "the layout read writes the same image";
        }
    }
}

TEST(BinLayoutRead, RelativeLayerKeysComeBackWhenEveryLayerAgrees)
{
    TBinLayout210 format(nullptr, ShippedKeyboards());
    TLayout layout;
    layout.ChangeKeyboard(ShippedKeyboards().ByID(1));
    for (int e = 0; e < 4; ++e) {
        KeyOf(layout, e, 1).SetKeyType(ktLayerUp);
        KeyOf(layout, e, 3).SetKeyType(ktLayerDown);
    }
    KeyOf(layout, 3, 2).SetKeyType(ktLayerUp);
    const QByteArray image = format.SaveToString(layout);
    // Targets 1, 2, 3, 3 in bits 1-2 of the layer keys' flags.
    EXPECT_EQ(RecordFlags(image, 0, 1), 0x43);
    EXPECT_EQ(RecordFlags(image, 1, 1), 0x45);
    EXPECT_EQ(RecordFlags(image, 2, 1), 0x47);
    EXPECT_EQ(RecordFlags(image, 3, 1), 0x47);
    EXPECT_EQ(RecordFlags(image, 0, 3), 0x41);
    EXPECT_EQ(RecordFlags(image, 3, 3), 0x45);

    TLayout loaded;
    format.LoadFromString(loaded, image);
    for (int e = 0; e < 4; ++e) {
        EXPECT_EQ(KeyOf(loaded, e, 1).KeyType(), ktLayerUp) << "layer " << e + 1;
        EXPECT_EQ(KeyOf(loaded, e, 3).KeyType(), ktLayerDown) << "layer " << e + 1;
    }
    EXPECT_EQ(KeyOf(loaded, 3, 2).KeyType(), ktLayer4) << "alone among macro keys it stays absolute";
    EXPECT_EQ(KeyOf(loaded, 0, 2).KeyType(), ktMacro);

    // Two layers use their own columns of the table: up from layer 2 leads
    // to index 2 and still reads back as up. Keys that go to layer 1 on both
    // layers cannot be told from keys that go one layer down.
    TLayout two;
    two.ChangeKeyboard(ShippedKeyboards().ByID(2));
    for (int e = 0; e < 2; ++e) {
        KeyOf(two, e, 1).SetKeyType(ktLayerUp);
        KeyOf(two, e, 2).SetKeyType(ktLayerDown);
        KeyOf(two, e, 3).SetKeyType(ktLayer1);
    }
    KeyOf(two, 1, 4).SetKeyType(ktLayerUp);
    const QByteArray twoImage = format.SaveToString(two);
    EXPECT_EQ(RecordFlags(twoImage, 1, 1), 0x45);
    TLayout twoLoaded;
    format.LoadFromString(twoLoaded, twoImage);
    for (int e = 0; e < 2; ++e) {
        EXPECT_EQ(KeyOf(twoLoaded, e, 1).KeyType(), ktLayerUp);
        EXPECT_EQ(KeyOf(twoLoaded, e, 2).KeyType(), ktLayerDown);
        EXPECT_EQ(KeyOf(twoLoaded, e, 3).KeyType(), ktLayerDown);
    }
    EXPECT_EQ(KeyOf(twoLoaded, 1, 4).KeyType(), ktLayer3);
}

TEST(BinLayoutRead, ImageOf210KeepsItsModelForEveryVersion)
{
    TBinLayout29 bin29(nullptr, ShippedKeyboards());
    TBinLayout210 bin210(nullptr, ShippedKeyboards());
    const auto layout = RichImageLayout(4);
    layout->SetVersion(0x0209);
    const QByteArray image = bin210.SaveToString(*layout);
    EXPECT_EQ(WordAt(image, WordAt(image, 0)), 0x0209);
    EXPECT_EQ(image, bin29.SaveToString(*layout)) << "a 2.9 layout gives the 2.9 image";
    TLayout loaded;
    bin210.LoadFromString(loaded, image);
    EXPECT_EQ(loaded.KeyboardID(), 4);
    EXPECT_EQ(loaded.Version(), 0x0209);

    // A layout of program 2.8 is marked 2.10, so its model byte reads right.
    layout->SetVersion(0x0208);
    const QByteArray old = bin210.SaveToString(*layout);
    EXPECT_EQ(WordAt(old, WordAt(old, 0)), 0x020A);
    TLayout oldLoaded;
    bin210.LoadFromString(oldLoaded, old);
    EXPECT_EQ(oldLoaded.KeyboardID(), 4);
    EXPECT_EQ(oldLoaded.Version(), 0x0208);
}

TEST(BinLayoutRead, MarkerBelow256KeepsGroupsAndModel)
{
    TBinLayout28 format(nullptr, ShippedKeyboards());
    TLayout source;
    source.ChangeKeyboard(ShippedKeyboards().ByID(2));
    source.Layers().Item(0).KeyAt(1, 0)->MakeCodes().SetText(u"+B -B");
    source.Group(TRect{3, 3, 4, 3});
    source.SetVersion(0x0207);
    QByteArray image = format.SaveToString(source);
    PutWordAt(image, WordAt(image, 0), 0x00FF);

    TLayout layout;
    layout.ChangeKeyboard(ShippedKeyboards().ByID(2));
    layout.Group(TRect{2, 2, 3, 3});
    format.LoadFromString(layout, image);
    ASSERT_EQ(layout.Groups().Count(), 1);
    EXPECT_EQ(layout.Groups().Item(0).Rect(), (TRect{2, 2, 3, 3}));
    EXPECT_EQ(layout.KeyboardID(), 2);
    EXPECT_EQ(layout.Version(), 0x020A);
    EXPECT_EQ(layout.Layers().Item(0).KeyAt(1, 0)->MakeCodes().Text(), u"+B -B");

    layout.SetKeyboardID(99);
    EXPECT_EQ(ErrorOf([&] { format.LoadFromString(layout, image); }),
              u"Не найдено описание клавиатуры с идентификатором 99.");
    PutWordAt(image, WordAt(image, 0), 0x0208);
    image[image.size() - 1] = char(98);
    EXPECT_EQ(ErrorOf([&] { format.LoadFromString(layout, image); }),
              u"Не найдено описание клавиатуры с идентификатором 99.");
}

TEST(BinLayoutRead, OldestFormTakesAtMost64Keys)
{
    TKeyboards models;
    AddMatrixKeyboard(models, 64, 8, 8, 1);
    TKeyboard &large = AddMatrixKeyboard(models, 65, 13, 5, 1);
    large.MaxKeysNum = 65;
    TBinLayout13 format(nullptr, models);
    TLayout layout;
    layout.ChangeKeyboard(models.ByID(64));
    layout.Layers().Item(0).Keys().Item(63).MakeCodes().SetText(u"+A -A");
    TLayout loaded;
    format.LoadFromString(loaded, format.SaveToString(layout));
    EXPECT_EQ(loaded.Layers().Item(0).Keys().Item(63).MakeCodes().Text(), u"+A -A");

    layout.ChangeKeyboard(models.ByID(65));
    EXPECT_EQ(ErrorOf([&] { format.SaveToString(layout); }),
              u"Формат 1.3 не поддерживает клавиатуры сколичеством клавиш большим 64");
}

TEST(BinLayoutRead, SmallerModelReadsOnlyItsOwnKeyWords)
{
    TKeyboards wide;
    AddMatrixKeyboard(wide, 30, 4, 1, 1);
    TKeyboards narrow;
    AddMatrixKeyboard(narrow, 30, 2, 1, 1);
    TLayout layout;
    layout.ChangeKeyboard(wide.ByID(30));
    KeyOf(layout, 0, 1).MakeCodes().SetText(u"+A -A");
    KeyOf(layout, 0, 2).SetKeyType(ktTempLayer2);
    const QByteArray image = TBinLayout29(nullptr, wide).SaveToString(layout);

    // Words 3 and 4 (empty keys) stand where the smaller model has its
    // reader and key lock words.
    TBinLayout29 format(nullptr, narrow);
    TLayout loaded;
    format.LoadFromString(loaded, image);
    EXPECT_EQ(loaded.KeyCount(), 2);
    EXPECT_EQ(KeyOf(loaded, 0, 1).MakeCodes().Text(), u"+A -A");
    EXPECT_EQ(KeyOf(loaded, 0, 2).KeyType(), ktTempLayer2);
}

TEST(BinLayoutRead, KeysAreFoundByTheirLogicalNumbers)
{
    // Sektor-48 lists its keys column by column and reserves 64 words.
    TBinLayout210 format(nullptr, ShippedKeyboards());
    TLayout layout;
    layout.ChangeKeyboard(ShippedKeyboards().ByID(4));
    TKey &key = *layout.Layers().Item(0).KeyAt(1, 0);
    ASSERT_EQ(key.LogicalNumber(), 7);
    key.MakeCodes().SetText(u"+B -B");
    const QByteArray image = format.SaveToString(layout);
    EXPECT_EQ(WordAt(image, 4), 2 + 2 * 4 + (2 * 64 + 4)) << "the table of layer 2";
    EXPECT_EQ(RecordFlags(image, 0, 7), 0x40);
    EXPECT_EQ(RecordFlags(image, 0, 2), -1);

    TLayout loaded;
    format.LoadFromString(loaded, image);
    EXPECT_EQ(loaded.Layers().Item(0).KeyAt(1, 0)->MakeCodes().Text(), u"+B -B");
    for (int k = 0; k < loaded.KeyCount(); ++k) {
        const TKey &other = loaded.Layers().Item(0).Keys().Item(k);
        EXPECT_EQ(other.IsEmpty(), other.LogicalNumber() != 7) << "key at list position " << k;
    }
}

TEST(BinLayoutRead, FaultsOfTheImageAreFormatErrors)
{
    TBinLayout210 format(nullptr, TestModels());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("пусто.bin"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    TLayout layout;
    EXPECT_EQ(ErrorOf([&] { format.LoadFromFile(layout, path); }),
              u"Неверный формат файла.\r\nОтсутствуют данные раскладки");
    EXPECT_EQ(ErrorOf([&] { format.LoadFromString(layout, QByteArray(1, '\0')); }).left(24),
              u"Неверный формат файла.\r\n");
    EXPECT_EQ(ErrorOf([&] { format.LoadFromString(layout, Word(0x8000) + Word(0)); }).left(24),
              u"Неверный формат файла.\r\n");

    // Model 7 (two keys, two layers, tracks 1 and 3, two positions) in the
    // 1.3 form: 200 make words of A unfold into 600 bytes.
    QByteArray record = QByteArray(1, '\0') + QByteArray(1, char(200));
    for (int i = 0; i < 200; ++i)
        record += Word(0x001C);
    record += QByteArray(2, '\0');
    const uint16_t records = 2 + 4 + 2 * 8;
    QByteArray image = Word(0) + Word(6) + Word(14);
    for (int e = 0; e < 2; ++e)
        image += Word(records) + Word(0xFFFF) + Word(0xFFFF) + Word(0xFFFF);
    image += record;
    PutWordAt(image, 0, uint16_t(image.size()));
    image += Word(0x0100) + Word(0) + QByteArray(1, '\0') + QByteArray(1, char(6));
    TLayout target;
    try {
        format.LoadFromString(target, image);
        ADD_FAILURE() << "an over-long code list was read";
    } catch (const EFileFormatError &error) {
        EXPECT_EQ(error.Detail(), u"Длина скан-кодов не может превышать 255 байт.");
    }
}

// The image always has the model's shape: a layout off it (keys under other
// logical numbers, a layer the model lacks) writes the image of the layout
// brought to the model's shape, and one in the shape writes that shape.
TEST(BinLayoutRead, ImageOfALayoutOffItsModelsShapeIsTheImageOfThatShape)
{
    TBinLayout210 format(nullptr, ShippedKeyboards());
    const auto shaped = MakeRichLayout(ShippedKeyboards(), 1);
    const QByteArray expected = format.SaveToString(*shaped);

    // The grouped keys at (0, 0) and (1, 0) exchange their numbers and
    // contents: the image goes by number, the group's record by cell.
    TLayout swapped;
    swapped.Assign(*shaped);
    for (int e = 0; e < swapped.LayerCount(); ++e) {
        const TLayer &from = shaped->Layers().Item(e);
        TKey &first = swapped.Layers().Item(e).KeyAtOrFail(0, 0);
        TKey &second = swapped.Layers().Item(e).KeyAtOrFail(1, 0);
        first.SetLogicalNumber(from.KeyAtOrFail(1, 0).LogicalNumber());
        first.AssignContent(from.KeyAtOrFail(1, 0));
        second.SetLogicalNumber(from.KeyAtOrFail(0, 0).LogicalNumber());
        second.AssignContent(from.KeyAtOrFail(0, 0));
    }
    ASSERT_NE(swapped.Layers().Item(0).KeyAtOrFail(0, 0).MakeCodes().Text(),
              shaped->Layers().Item(0).KeyAtOrFail(0, 0).MakeCodes().Text());
    EXPECT_EQ(format.SaveToString(swapped), expected);

    TLayout extraLayer;
    extraLayer.Assign(*shaped);
    extraLayer.Layers().SetCount(shaped->LayerCount() + 1);
    extraLayer.Layers().Item(shaped->LayerCount()).Keys().Add(0, 0, 1).MakeCodes().SetText(u"+Z -Z");
    EXPECT_EQ(format.SaveToString(extraLayer), expected);
}
