#include "FilesTestData.h"

#include "files/BinLayout28.h"
#include "files/BinLayoutVariants.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyLock.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/LayoutTestKeyboards.h"
#include "model/MSR.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <QBuffer>

// The expected images below are worked out by hand from the image layout:
// the offset S, the table offsets, one table per layer (a word per key number,
// then the card reader and key lock words), the records in the order they are
// appended, and the trailer. Codes: LShift 12, A 1C, B 32, 1 16, F1 05,
// RCtrl E0 14; a release puts F0 before the last byte.

namespace {

QByteArray Hex(const char *text)
{
    return QByteArray::fromHex(text); // spaces are skipped
}

QByteArray Word(uint16_t value)
{
    const char bytes[2] = {char(value & 0xFF), char(value >> 8)};
    return QByteArray(bytes, 2);
}

// Hex text shows where two images part.
std::string Dump(const QByteArray &bytes)
{
    return bytes.toHex(' ').toStdString();
}

uint16_t Sum16(const QByteArray &bytes)
{
    unsigned sum = 0;
    for (const char byte : bytes)
        sum += uint8_t(byte);
    return uint16_t(sum);
}

void AddNote(TNotes &notes, int pitch, int duration, int volume)
{
    TNote &note = notes.Add();
    note.SetPitch(uint8_t(pitch));
    note.SetDuration(uint8_t(duration));
    note.SetVolume(uint8_t(volume));
}

// Model 21: 2 x 2 keys, listed as numbers 1, 2 (top row) and 4, 3 (bottom
// row), four layers, a key lock of two positions, a reader with tracks 1
// and 3. Model 22: two keys in a row, two layers, no reader, no key lock.
const TKeyboards &Models()
{
    static const std::unique_ptr<TKeyboards> keyboards = [] {
        auto result = std::make_unique<TKeyboards>();
        TKeyboard &four = AddKeyboard(*result, 21, 2, 2, 4, {{1, 1, 1}, {2, 1, 2}, {1, 2, 4}, {2, 2, 3}});
        four.HasKey = 1;
        four.KeyPos = 2;
        four.HasReader = 1;
        four.Track1 = 1;
        four.Track3 = 1;
        AddKeyboard(*result, 22, 2, 1, 2, {{1, 1, 1}, {2, 1, 2}});
        return result;
    }();
    return *keyboards;
}

TKey &KeyOf(TLayout &layout, int layer, int number)
{
    return *layout.Layers().Item(layer).Keys().KeyByNumber(number);
}

// Every record of model 21 on four layers. Key 3 lies in the group whose
// top-left cell holds key 4, so it shares the record of key 4.
std::unique_ptr<TLayout> MakeFourLayerLayout()
{
    auto layout = std::make_unique<TLayout>();
    layout->ChangeKeyboard(Models().ByID(21));
    TKey &sum = KeyOf(*layout, 0, 1);
    sum.MakeCodes().SetText(u"+LShift +A -A -LShift");
    sum.BreakCodes().SetText(u"E0");
    sum.SetAutoRepeat(true);
    AddNote(sum.Melody(), 13, 10, 5);
    AddNote(sum.Melody(), 0, 20, 0);
    KeyOf(*layout, 0, 3).MakeCodes().SetText(u"+1 -1");
    KeyOf(*layout, 0, 4).SetKeyType(ktLayerDown);
    for (int l = 0; l < 4; ++l)
        KeyOf(*layout, l, 2).SetKeyType(ktLayerUp);
    for (int l = 1; l < 4; ++l)
        KeyOf(*layout, l, 1).SetKeyType(ktLayerDown);
    KeyOf(*layout, 1, 4).SetKeyType(ktLayer4);
    KeyOf(*layout, 2, 3).SetKeyType(ktLayer1);
    KeyOf(*layout, 2, 4).SetKeyType(ktTempLayer2);
    KeyOf(*layout, 3, 4).SetKeyType(ktTempLayer4);
    KeyOf(*layout, 3, 4).SetAutoRepeat(true);

    TMSR &msr = layout->Layers().Item(0).MSR();
    msr.SetSendEnter(true);
    msr.SetStopOnError(true);
    msr.Track(0).Prefix().SetText(u"+F1 -F1");
    msr.Track(1).Prefix().SetText(u"+B"); // the model has no track 2
    msr.Track(2).Suffix().SetText(u"+1 -1");
    AddNote(msr.Melody(), 25, 40, 7);
    TMSR &last = layout->Layers().Item(3).MSR();
    last.Track(0).SetEnabled(false);
    last.SetLightIndication(false);

    TKeyLock &lock = layout->Layers().Item(0).KeyLock();
    lock.Item(0).Codes().SetText(u"+B -B");
    AddNote(lock.Item(0).Melody(), 13, 5, 3);
    lock.Item(1).SetPositionType(3);
    lock.Item(1).SetLocked(true);

    layout->Group(TRect{0, 1, 1, 1});
    return layout;
}

// The image of MakeFourLayerLayout up to the trailer (S = B6h), the same
// in 2.8, 2.9 and 2.10.
const QByteArray kFourLayerBody =
    Hex("B600 0A00 1600 2200 2E00"      // S, tables of layers 1 to 4
        "3A00 4B00 4F00 4F00 5300 6200" // layer 1: keys 1-4, reader, key lock
        "6E00 7200 FFFF 7600 7A00 8000" // layer 2 (key 3 empty)
        "8600 8A00 8E00 8E00 9200 9800" // layer 3
        "9E00 A200 FFFF A600 AA00 B000" // layer 4 (key 3 empty)
        // 3A: key 1, macro with repeat: make 6 bytes, break 1 byte, 2 notes
        "50 06 121CF01CF012 01 E0 02 0D0A05 001400"
        "43 000000" // 4B: key 2, up from layer 1: target index 1
        "41 000000" // 4F: key 4 (and key 3 of its group), down: target 0
        // 53: reader: tracks 1 and 3, stop on error, Enter, light; track 1
        // prefix and suffix, track 3 prefix and suffix; 1 note
        "F5 03 05F005 00 00 03 16F016 01 192807"
        // 62: key lock: position 1 codes and 1 note; position 2 to layer 3, locked
        "40 03 32F032 01 0D0503 4D 00 00"
        "41 000000"           // 6E: layer 2, key 1, down: target 0
        "45 000000"           // 72: key 2, up: target 2
        "47 000000"           // 76: key 4, go to layer 4
        "C5 00 00 00 00 00"   // 7A: reader with default flags, empty lists
        "40 00 00 40 00 00"   // 80: key lock, two empty positions
        "43 000000"           // 86: layer 3, key 1, down: target 1
        "47 000000"           // 8A: key 2, up: target 3
        "4B 000000"           // 8E: key 4 (and key 3), temporarily to layer 2
        "C5 00 00 00 00 00"   // 92
        "40 00 00 40 00 00"   // 98
        "45 000000"           // 9E: layer 4, key 1, down: target 2
        "47 000000"           // A2: key 2, up stays on layer 4: target 3
        "5F 000000"           // A6: key 4, temporarily to layer 4, repeat
        "44 00 00 00 00 00"   // AA: reader: track 3 only, no light
        "40 00 00 40 00 00"); // B0: key lock; S = B6

// The trailer after S: checksum over everything up to the marker, the length
// (S + 10 + 4 for one group), version 020A, the group (0, 1)-(1, 1).
QByteArray FourLayerImage(const char *marker, const char *versionGroupsModel)
{
    QByteArray image = kFourLayerBody + Hex(marker);
    image += Word(Sum16(image));
    return image + Hex("C400") + Hex(versionGroupsModel);
}

// Model 22 in the 1.3 form: key 1 a macro with make items LShift, A, RCtrl
// (the byte E0 and the releases are left out) and break items +B -B, key 2
// one layer up; on layer 2 key 1 temporarily to layer 1 with repeat.
std::unique_ptr<TLayout> MakeTwoLayerLayout()
{
    auto layout = std::make_unique<TLayout>();
    layout->ChangeKeyboard(Models().ByID(22));
    TKey &macro = KeyOf(*layout, 0, 1);
    macro.MakeCodes().SetText(u"+LShift +A -A -LShift E0 +RCtrl");
    macro.BreakCodes().SetText(u"+B -B");
    AddNote(macro.Melody(), 13, 10, 5);
    KeyOf(*layout, 0, 2).SetKeyType(ktLayerUp);
    KeyOf(*layout, 1, 1).SetKeyType(ktTempLayer1);
    KeyOf(*layout, 1, 1).SetAutoRepeat(true);
    KeyOf(*layout, 1, 2).SetKeyType(ktLayerUp);
    return layout;
}

const QByteArray kTwoLayerImage13 = Hex("3500 0600 0E00"      // S, tables of layers 1 and 2
                                        "1600 2500 2900 2B00" // layer 1: keys 1, 2, reader, key lock
                                        "2B00 2F00 3300 3500" // layer 2
                                        // 16: key 1: no flags; 3 make words, 1 break word (B); 1 note
                                        "00 03 1200 1C00 14E0 01 3200 01 0D0A05"
                                        "03 000000" // 25: key 2, up: target 1
                                        "87 00" // 29: reader: tracks enabled, light; no tracks in the model
                                        // 2B: key lock without positions: nothing
                                        "19 000000" // 2B: layer 2, key 1, temporarily to layer 1, repeat
                                        "05 000000" // 2F: key 2, up: target 2
                                        "87 00"     // 33: reader; S = 35
                                        "0001 3B00 00 15"); // marker, length 35 + 6, no groups, model 22 - 1

QString WriteError(TLayoutFormat &format, const TLayout &layout)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QString message = ErrorOf([&] { format.SaveToStream(layout, buffer); });
    EXPECT_TRUE(buffer.data().isEmpty()) << "a refused image was partly written";
    return message;
}

} // namespace

TEST(BinLayoutBytes, FormsNameThemselves)
{
    TBinLayout28 bin28(nullptr, Models());
    TBinLayout29 bin29(nullptr, Models());
    TBinLayout210 bin210(nullptr, Models());
    TBinLayout13 bin13(nullptr, Models());
    EXPECT_EQ(bin28.GetFilter(), u"Раскладка Ravlin (программа 2.8) (*.bin)|*.bin");
    EXPECT_EQ(bin29.GetFilter(), u"Раскладка Ravlin (программа 2.9) (*.bin)|*.bin");
    EXPECT_EQ(bin210.GetFilter(), u"Раскладка Ravlin (*.bin)|*.bin");
    EXPECT_EQ(bin13.GetFilter(), u"Раскладка Ravlin 1.3 (*.bin)|*.bin");
    EXPECT_EQ(bin28.ShortName(), u"bin28");
    EXPECT_EQ(bin29.ShortName(), u"bin29");
    EXPECT_EQ(bin210.ShortName(), u"bin");
    EXPECT_EQ(bin13.ShortName(), u"bin13");
    for (const TLayoutFormat *format :
         {static_cast<TLayoutFormat *>(&bin28), static_cast<TLayoutFormat *>(&bin29),
          static_cast<TLayoutFormat *>(&bin210), static_cast<TLayoutFormat *>(&bin13)})
        EXPECT_EQ(format->DefaultSuffix(), u"bin");
    EXPECT_EQ(bin28.CodeFormFlag(), 0x40);
    EXPECT_EQ(bin13.CodeFormFlag(), 0);
}

TEST(BinLayoutBytes, FourLayerImageOfEachProgram)
{
    const auto layout = MakeFourLayerLayout();
    TBinLayout28 bin28(nullptr, Models());
    EXPECT_EQ(Dump(bin28.SaveToString(*layout)), Dump(FourLayerImage("0802", "0A02 01 00010101 14")))
        << "2.8: the model byte is the identifier minus 1";
    TBinLayout29 bin29(nullptr, Models());
    EXPECT_EQ(Dump(bin29.SaveToString(*layout)), Dump(FourLayerImage("0902", "0A02 01 00010101 15")));
    TBinLayout210 bin210(nullptr, Models());
    EXPECT_EQ(Dump(bin210.SaveToString(*layout)), Dump(FourLayerImage("0A02", "0A02 01 00010101 15")));

    // 2.10 takes the version as its marker only for 2.9 and 2.10 layouts.
    layout->SetVersion(0x0209);
    EXPECT_EQ(Dump(bin210.SaveToString(*layout)), Dump(FourLayerImage("0902", "0902 01 00010101 15")));
    layout->SetVersion(0x0208);
    EXPECT_EQ(Dump(bin210.SaveToString(*layout)), Dump(FourLayerImage("0A02", "0802 01 00010101 15")));
}

TEST(BinLayoutBytes, HandWrittenFourLayerImageReads)
{
    TBinLayout210 format(nullptr, Models());
    TLayout layout;
    format.LoadFromString(layout, FourLayerImage("0802", "0902 01 00010101 14"));
    EXPECT_EQ(layout.KeyboardID(), 21);
    EXPECT_EQ(layout.Version(), 0x0209);
    ASSERT_EQ(layout.Groups().Count(), 1);
    EXPECT_EQ(layout.Groups().Item(0).Rect(), (TRect{0, 1, 1, 1}));

    const TKey &sum = KeyOf(layout, 0, 1);
    EXPECT_EQ(sum.MakeCodes().Text(), u"+LShift +A -A -LShift");
    EXPECT_EQ(sum.BreakCodes().Text(), u"E0");
    EXPECT_TRUE(sum.AutoRepeat());
    EXPECT_EQ(sum.Melody().Text(), u"C0;10;5;P;20;0");

    // Key 2 leads one layer up on every layer and is a relative key again;
    // key 1 is a macro key on layer 1, so its targets stay absolute. Key 3
    // took the record of key 4 where it had one.
    const int types[4][4] = {{ktMacro, ktLayerUp, ktLayer1, ktLayer1},
                             {ktLayer1, ktLayerUp, ktMacro, ktLayer4},
                             {ktLayer2, ktLayerUp, ktTempLayer2, ktTempLayer2},
                             {ktLayer3, ktLayerUp, ktMacro, ktTempLayer4}};
    for (int l = 0; l < 4; ++l)
        for (int n = 1; n <= 4; ++n)
            EXPECT_EQ(KeyOf(layout, l, n).KeyType(), types[l][n - 1]) << "layer " << l + 1 << ", key " << n;
    EXPECT_TRUE(KeyOf(layout, 3, 4).AutoRepeat());

    const TMSR &msr = layout.Layers().Item(0).MSR();
    EXPECT_TRUE(msr.SendEnter());
    EXPECT_TRUE(msr.StopOnError());
    EXPECT_TRUE(msr.LightIndication());
    EXPECT_EQ(msr.Track(0).Prefix().Text(), u"+F1 -F1");
    EXPECT_TRUE(msr.Track(1).Prefix().IsEmpty());
    EXPECT_FALSE(msr.Track(1).Enabled());
    EXPECT_EQ(msr.Track(2).Suffix().Text(), u"+1 -1");
    EXPECT_EQ(msr.Melody().Text(), u"C1;40;7");
    EXPECT_FALSE(layout.Layers().Item(3).MSR().LightIndication());
    EXPECT_FALSE(layout.Layers().Item(3).MSR().Track(0).Enabled());

    const TKeyLock &lock = layout.Layers().Item(0).KeyLock();
    EXPECT_EQ(lock.Item(0).Codes().Text(), u"+B -B");
    EXPECT_EQ(lock.Item(0).Melody().Text(), u"C0;5;3");
    EXPECT_EQ(lock.Item(1).PositionType(), 3);
    EXPECT_TRUE(lock.Item(1).Locked());
}

TEST(BinLayoutBytes, ImageOfTheOldestProgram)
{
    const auto layout = MakeTwoLayerLayout();
    TBinLayout13 bin13(nullptr, Models());
    EXPECT_EQ(Dump(bin13.SaveToString(*layout)), Dump(kTwoLayerImage13));

    // Reading gives every make code its release, after all the makes; key 2
    // went one layer up on both layers and is relative again.
    TLayout loaded;
    bin13.LoadFromString(loaded, kTwoLayerImage13);
    EXPECT_EQ(loaded.KeyboardID(), 22);
    const TKey &macro = KeyOf(loaded, 0, 1);
    EXPECT_EQ(macro.MakeCodes().Text(), u"+LShift +A +RCtrl -LShift -A -RCtrl");
    EXPECT_EQ(macro.BreakCodes().Text(), u"+B -B");
    EXPECT_EQ(macro.Melody().Text(), u"C0;10;5");
    EXPECT_EQ(KeyOf(loaded, 0, 2).KeyType(), ktLayerUp);
    EXPECT_EQ(KeyOf(loaded, 1, 2).KeyType(), ktLayerUp);
    EXPECT_EQ(KeyOf(loaded, 1, 1).KeyType(), ktTempLayer1);
    EXPECT_TRUE(KeyOf(loaded, 1, 1).AutoRepeat());
}

TEST(BinLayoutBytes, EmptyKeysGetNoRecords)
{
    TLayout layout;
    layout.ChangeKeyboard(Models().ByID(22));
    QByteArray expected = Hex("1A00 0600 0E00"      // S, tables
                              "FFFF FFFF 1600 1800" // layer 1: no key records
                              "FFFF FFFF 1800 1A00" // layer 2
                              "C7 00 C7 00"         // readers; key locks without positions
                              "0802");
    expected += Word(Sum16(expected)) + Hex("2400 0A02 00 15");
    TBinLayout28 bin28(nullptr, Models());
    EXPECT_EQ(Dump(bin28.SaveToString(layout)), Dump(expected));
}

TEST(BinLayoutBytes, WritesAreRefusedForWhatTheImageCannotHold)
{
    TBinLayout210 format(nullptr, ShippedKeyboards());
    const QString tail =
        QStringLiteral(" содержит 256 нот; в раскладку клавиатуры можно записать не более 255.");
    {
        TLayout layout;
        layout.ChangeKeyboard(ShippedKeyboards().ByID(1));
        TNotes &melody = layout.Layers().Item(0).KeyAt(2, 1)->Melody();
        for (int i = 0; i < 256; ++i)
            melody.Add();
        EXPECT_EQ(WriteError(format, layout), QStringLiteral("Мелодия клавиши (3, 2) слоя 1") + tail);
        melody.Clear();
        for (int i = 0; i < 255; ++i)
            melody.Add();
        EXPECT_EQ(ErrorOf([&] { format.SaveToString(layout); }), u"no error") << "255 notes fit";

        TNotes &reader = layout.Layers().Item(1).MSR().Melody();
        for (int i = 0; i < 256; ++i)
            reader.Add();
        EXPECT_EQ(WriteError(format, layout), QStringLiteral("Мелодия считывателя карт слоя 2") + tail);
        reader.Clear();
        TNotes &position = layout.Layers().Item(3).KeyLock().Item(4).Melody();
        for (int i = 0; i < 256; ++i)
            position.Add();
        EXPECT_EQ(WriteError(format, layout), QStringLiteral("Мелодия положения ключа 5 слоя 4") + tail);
    }
    {
        // Long codes on every key of the largest model need far more than
        // the 65535 bytes offsets can reach.
        TLayout layout;
        layout.ChangeKeyboard(ShippedKeyboards().ByID(3));
        for (int l = 0; l < layout.LayerCount(); ++l)
            for (int k = 0; k < layout.KeyCount(); ++k)
                layout.Layers().Item(l).Keys().Item(k).MakeCodes().AddBytes(QByteArray(200, 'x'));
        EXPECT_TRUE(WriteError(format, layout).startsWith(u"Раскладка не помещается в память клавиатуры: "));
    }
    {
        TLayout layout;
        layout.ChangeKeyboard(Models().ByID(22));
        layout.Groups().Add().SetRect(TRect{0, 0, 256, 0});
        TBinLayout28 bin28(nullptr, Models());
        EXPECT_EQ(
            WriteError(bin28, layout),
            u"Нельзя записать в раскладку клавиатуры координату группы клавиш: 256 (допустимо от 0 до 255).");
        layout.Groups().Clear();
        layout.SetKeyboardID(99);
        EXPECT_EQ(WriteError(bin28, layout), u"Не найдено описание клавиатуры с идентификатором 99.");
    }
}
