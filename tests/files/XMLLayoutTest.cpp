#include "FilesTestData.h"

#include "base/HexText.h"
#include "codes/StdCodes.h"
#include "files/FileFormatError.h"
#include "files/XMLLayout.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyLock.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MSR.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"
#include "support/LayoutCompare.h"
#include "support/RichLayout.h"

#include <QTemporaryDir>

namespace {

void AddNote(TNotes &notes, int pitch, int duration, int volume)
{
    TNote &note = notes.Add();
    note.SetPitch(uint8_t(pitch));
    note.SetDuration(uint8_t(duration));
    note.SetVolume(uint8_t(volume));
}

// The layout the golden file small_layout.xml describes.
std::unique_ptr<TLayout> MakeSmallLayout()
{
    auto layout = std::make_unique<TLayout>();
    layout->ChangeKeyboard(TestModels().ByID(7));
    layout->SetSelection(TRect{1, 1, 2, 1});
    TLayer &layer = layout->Layers().Item(0);

    TKey &sum = layer.Keys().Item(0);
    sum.SetRemark(QStringLiteral("Сумма & \"итог\""));
    sum.SetAutoRepeat(true);
    sum.MakeCodes().SetText(u"+LShift +A -A -LShift");
    sum.BreakCodes().SetText(u"E0");
    AddNote(sum.Melody(), 13, 10, 5);
    AddNote(sum.Melody(), 0, 20, 0);
    TKeyPicture &picture = sum.Picture();
    picture.SetBackgroundColor(0x0000FFFF);
    picture.SetText(QStringLiteral("Итог"));
    TFont font = picture.Font();
    font.SetCharset(204);
    font.SetColor(0x000000FF);
    font.SetHeight(-16);
    font.SetName(QStringLiteral("Arial"));
    font.SetStyle(fsBold | fsItalic);
    picture.SetFont(font);

    TKey &layerKey = layer.Keys().Item(1);
    layerKey.SetKeyType(ktLayer2);
    layerKey.Picture().SetBackgroundColor(0x80000005);
    layerKey.Picture().SetTextOrientation(1);

    TMSR &msr = layer.MSR();
    msr.SetSendEnter(true);
    msr.Track(0).Prefix().SetText(u"+F1 -F1");
    msr.Track(2).Suffix().SetText(u"+<Enter> -<Enter>");
    AddNote(msr.Melody(), 25, 30, 7);

    TKeyPosition &position = layer.KeyLock().Item(0);
    position.SetPositionType(2);
    position.SetLocked(true);
    position.Codes().SetText(u"+B -B");
    AddNote(position.Melody(), 1, 5, 3);

    layout->Group(TRect{0, 0, 1, 0});
    return layout;
}

} // namespace

TEST(XMLLayout, WritesTheGoldenFileAndReadsItBack)
{
    const QByteArray golden = ReadFileBytes(FilesTestPath(QStringLiteral("small_layout.xml")));
    ASSERT_FALSE(golden.isEmpty());
    TXMLLayout format(nullptr, TestModels());
    EXPECT_EQ(format.GetFilter(), u"Раскладка Ravlin (*.xml)|*.xml");
    const auto small = MakeSmallLayout();
    const QByteArray written = format.SaveToString(*small);
    EXPECT_EQ(QString::fromLatin1(written), QString::fromLatin1(golden));

    TLayout loaded;
    format.LoadFromFile(loaded, FilesTestPath(QStringLiteral("small_layout.xml")));
    ExpectSameLayout(*small, loaded);
    EXPECT_EQ(format.FileVersion(), 0x020A);
    EXPECT_EQ(format.SaveToString(loaded), golden);
}

TEST(XMLLayout, RichLayoutsSurviveFileAndStringRoundTrips)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TXMLLayout format(nullptr, ShippedKeyboards());
    for (int id = 1; id <= 6; ++id) {
        SCOPED_TRACE(testing::Message() << "model " << id);
        const auto rich = MakeRichLayout(ShippedKeyboards(), id);
        ASSERT_GT(rich->Groups().Count(), 0);

        const QString path = dir.filePath(QStringLiteral("раскладка%1.xml").arg(id));
        auto saved = MakeRichLayout(ShippedKeyboards(), id);
        format.SaveToFile(*saved, path);
        TLayout loaded;
        format.LoadFromFile(loaded, path);
        ExpectSameLayout(*rich, loaded);
        EXPECT_EQ(loaded.FileName(), path);
        EXPECT_FALSE(loaded.IsModified());

        // The file read and written again gives the same bytes.
        const QByteArray bytes = ReadFileBytes(path);
        EXPECT_EQ(format.SaveToString(loaded), bytes);

        // The clipboard's text form.
        TLayout clip;
        format.LoadFromString(clip, format.SaveToString(*rich));
        ExpectSameLayout(*rich, clip);
        EXPECT_EQ(clip.FileName(), u"");
    }
}

TEST(XMLLayout, KeysTheFileDoesNotMentionKeepTheirContent)
{
    TXMLLayout format(nullptr, ShippedKeyboards());
    const auto rich = MakeRichLayout(ShippedKeyboards(), 2);
    TLayout layout;
    layout.Assign(*rich);
    const QByteArray partial = LayoutDocument(
        QStringLiteral("Vesion=\"020A\""),
        OneLayerBody(QStringLiteral("KeyboardID=\"2\" STop=\"1\" SLeft=\"1\" SRight=\"1\" SBottom=\"1\""),
                     QStringLiteral("<Клавиша Номер=\"1\" Колонка=\"0\" Ряд=\"0\" ТипКлавиши=\"1\">"
                                    "<КодыНажатия СканКоды=\"+B\"/></Клавиша>")));
    format.LoadFromString(layout, partial);

    const TKey &changed = layout.Layers().Item(0).Keys().Item(0);
    EXPECT_EQ(changed.MakeCodes().Text(), u"+B");
    EXPECT_EQ(changed.Remark(), u"") << "a mentioned key takes the file's remark";
    EXPECT_FALSE(changed.AutoRepeat());
    // Everything else stays: other keys, the second layer, reader and groups.
    TLayout expected;
    expected.Assign(*rich);
    expected.Layers().Item(0).Keys().Item(0).AssignContent(changed);
    expected.SetSelection(TRect{1, 1, 1, 1});
    ExpectSameLayout(expected, layout);

    // Another model moves the layout over, keys following their numbers.
    const QByteArray other =
        LayoutDocument(QStringLiteral("Vesion=\"020A\""), QStringLiteral("<Параметры KeyboardID=\"5\"/>"));
    format.LoadFromString(layout, other);
    EXPECT_EQ(layout.KeyboardID(), 5);
    EXPECT_EQ(layout.Columns(), 10);
    EXPECT_EQ(layout.Selection(), (TRect{0, 0, 0, 0})) << "absent selection values count as 0";
    EXPECT_EQ(layout.Groups().Count(), rich->Groups().Count());
}

TEST(XMLLayout, ReadsKeysByCellAndLayersByPosition)
{
    TXMLLayout format(nullptr, ShippedKeyboards());
    TLayout layout;
    // Model 2 has two layers. Position 0 holds no "Слой", so it fills
    // nothing; position 1 fills layer 2; position 2 lies beyond the model.
    const QString key =
        QStringLiteral("<Клавиши><Клавиша Колонка=\"1\" Ряд=\"0\" Примечание=\"%1\"/></Клавиши>");
    const QByteArray data = LayoutDocument(
        QStringLiteral("Vesion=\"020A\""),
        QStringLiteral("<Параметры KeyboardID=\"2\"/><Слои><Комментарий>%1</Комментарий><Слой>%2</Слой>"
                       "<Слой>%3</Слой></Слои>")
            .arg(key.arg(QStringLiteral("первый")), key.arg(QStringLiteral("второй")),
                 key.arg(QStringLiteral("третий"))));
    format.LoadFromString(layout, data);
    ASSERT_EQ(layout.LayerCount(), 2);
    EXPECT_EQ(layout.Layers().Item(0).KeyAt(1, 0)->Remark(), u"");
    EXPECT_EQ(layout.Layers().Item(1).KeyAt(1, 0)->Remark(), u"второй");

    // Key elements without a cell, or naming a cell without a key, are
    // skipped; a non-macro key loses the codes the file gives it.
    const QByteArray keys = LayoutDocument(
        QStringLiteral("Vesion=\"020A\""),
        OneLayerBody(QStringLiteral("KeyboardID=\"2\""),
                     QStringLiteral("<Клавиша Ряд=\"0\" Примечание=\"без колонки\"/>"
                                    "<Клавиша Колонка=\"0\" Примечание=\"без ряда\"/>"
                                    "<Клавиша Колонка=\"40\" Ряд=\"40\" Примечание=\"вне\"/>"
                                    "<Клавиша Колонка=\"0\" Ряд=\"0\" ТипКлавиши=\"4\" Номер=\"77\" "
                                    "РазрешениеПовтора=\"true\"><КодыНажатия СканКоды=\"+A\"/>"
                                    "<КодыОтжатия СканКоды=\"-A\"/></Клавиша>")));
    TLayout fresh;
    format.LoadFromString(fresh, keys);
    const TKey &layerKey = *fresh.Layers().Item(0).KeyAt(0, 0);
    EXPECT_EQ(layerKey.KeyType(), ktLayer1);
    EXPECT_EQ(layerKey.LogicalNumber(), 77);
    EXPECT_FALSE(layerKey.AutoRepeat()) << "only \"1\" is true";
    EXPECT_TRUE(layerKey.MakeCodes().IsEmpty());
    EXPECT_TRUE(layerKey.BreakCodes().IsEmpty());
    for (int l = 0; l < fresh.LayerCount(); ++l)
        for (int k = 0; k < fresh.Layers().Item(l).Keys().Count(); ++k)
            EXPECT_EQ(fresh.Layers().Item(l).Keys().Item(k).Remark(), u"");
}

TEST(XMLLayout, PicturesReadFontSizeWithTheirResolution)
{
    TXMLLayout format(nullptr, ShippedKeyboards());
    TKeyPicture source;
    source.SetPicture(TGraphic::FromData(u"TPngImage", SamplePng()));
    // The size is written before the resolution, yet converts with it.
    const QByteArray data = LayoutDocument(
        QStringLiteral("Vesion=\"020A\""),
        OneLayerBody(
            QStringLiteral("KeyboardID=\"2\""),
            QStringLiteral("<Клавиша Колонка=\"0\" Ряд=\"0\"><Picture FontSize=\"12\" FontHeight=\"-5\" "
                           "FontFixels=\"120\" FontColor=\"8000000F\" BackgroundColor=\"ff00\" "
                           "FontStyle=\"9\"><Data>%1</Data></Picture></Клавиша>"
                           "<Клавиша Колонка=\"1\" Ряд=\"0\"><Picture Text=\"Т\"/></Клавиша>")
                .arg(source.PictureData())));
    TLayout layout;
    format.LoadFromString(layout, data);
    const TKeyPicture &picture = layout.Layers().Item(0).KeyAt(0, 0)->Picture();
    EXPECT_EQ(picture.Font().PixelsPerInch(), 120);
    EXPECT_EQ(picture.Font().Height(), -20);
    EXPECT_EQ(picture.Font().Color(), 0x8000000Fu);
    EXPECT_EQ(picture.Font().Style(), fsBold | fsStrikeOut);
    EXPECT_EQ(picture.Font().Name(), u"") << "an absent name reads as empty";
    EXPECT_EQ(picture.BackgroundColor(), 0xFF00u);
    EXPECT_EQ(picture.Picture().ClassName(), u"TPngImage");
    EXPECT_EQ(picture.Picture().Data(), SamplePng());
    EXPECT_TRUE(picture.Picture().Transparent());

    const TKeyPicture &plain = layout.Layers().Item(0).KeyAt(1, 0)->Picture();
    EXPECT_EQ(plain.Text(), u"Т");
    EXPECT_EQ(plain.BackgroundColor(), 0xFFFFFFu) << "absent attributes keep the value";
    EXPECT_EQ(plain.Font().Height(), -11);
    EXPECT_FALSE(plain.HasGraphic());
}

TEST(XMLLayout, ErrorsNameWhatIsWrong)
{
    TXMLLayout format(nullptr, ShippedKeyboards());
    TLayout layout;
    const auto load = [&](const QString &rootAttributes, const QString &body) {
        return ErrorOf([&] { format.LoadFromString(layout, LayoutDocument(rootAttributes, body)); });
    };
    EXPECT_EQ(load(QStringLiteral("Vesion=\"020A\""), QStringLiteral("<Слои/>")),
              u"Неверный формат файла.\r\nНе найдены параметры раскладки.");
    EXPECT_EQ(load(QStringLiteral("Vesion=\"020A\""), QStringLiteral("<Параметры KeyboardID=\"99\"/>")),
              u"Не найдено описание клавиатуры с идентификатором 99.");
    EXPECT_EQ(load(QStringLiteral("Vesion=\"0208\""), QStringLiteral("<Параметры Параметры=\"41\"/>")),
              u"Не найдено описание клавиатуры с кодом модели 42.");
    EXPECT_EQ(load(QString(), QStringLiteral("<Параметры Параметры=\"98\"/>")),
              u"Не найдено описание клавиатуры с идентификатором 99.");
    EXPECT_EQ(load(QStringLiteral("Vesion=\"020A\""),
                   QStringLiteral("<Параметры KeyboardID=\"2\" STop=\"верх\"/>")),
              u"\"верх\" не является целым числом.");
    EXPECT_EQ(load(QStringLiteral("Vesion=\"020A\""),
                   OneLayerBody(QStringLiteral("KeyboardID=\"2\""),
                                QStringLiteral("<Клавиша Колонка=\"1.5\" Ряд=\"0\"/>"))),
              u"\"1.5\" не является целым числом.");
    EXPECT_EQ(
        load(QStringLiteral("Vesion=\"020A\""),
             OneLayerBody(QStringLiteral("KeyboardID=\"2\""),
                          QStringLiteral("<Клавиша Колонка=\"0\" Ряд=\"0\"><Picture FontColor=\"12345678Z\"/>"
                                         "</Клавиша>"))),
        u"\"$12345678Z\" не является целым числом.");
    EXPECT_EQ(
        load(QStringLiteral("Vesion=\"020A\""),
             QStringLiteral("<Параметры KeyboardID=\"1\"/><Слои><Слой><KeyLock>%1</KeyLock></Слой></Слои>")
                 .arg(QStringLiteral("<Позиция ТипПоложения=\"1\"/>").repeated(9))),
        u"Количество положений ключа не может быть больше 8.");
    EXPECT_EQ(
        load(QStringLiteral("Vesion=\"020A\""),
             QStringLiteral("<Параметры KeyboardID=\"2\"/><Группы><Группа Left=\"0\" Top=\"0\"/></Группы>")),
        u"\"\" не является целым числом.");
    EXPECT_EQ(layout.LayerCount(), 0) << "no failed load leaves anything behind";
    EXPECT_EQ(layout.KeyboardID(), 0);
}

// Two keys share the name "'": the text form must still tell them apart, and
// older files that write the name keep meaning the first of them.
TEST(XMLLayout, EveryTableCodeSurvivesTextFormAndSaving)
{
    TXMLLayout format(nullptr, TestModels());
    TLayout layout;
    layout.ChangeKeyboard(TestModels().ByID(7));
    const TCodeTable &table = StdCodeTable();
    const auto expectSame = [](const TScanCodes &read, const TScanCode &item, const char *how) {
        ASSERT_EQ(read.Count(), 1) << how << " " << item.Text().toStdString();
        EXPECT_TRUE(read.Item(0).Equals(item)) << how << " " << item.Text().toStdString();
        EXPECT_EQ(read.Item(0).ScanCode, item.ScanCode) << how << " " << item.Text().toStdString();
        EXPECT_EQ(read.Item(0).Name, item.Name) << how;
    };
    for (int i = 0; i < table.Count(); ++i) {
        TKey &key = layout.Layers().Item(0).Keys().Item(0);
        for (const bool isBreak : {false, true}) {
            TScanCodes &codes = isBreak ? key.BreakCodes() : key.MakeCodes();
            codes.Clear();
            codes.Add().Assign(table.Item(i).Item(isBreak));
            TScanCodes reread;
            reread.SetText(codes.Text());
            expectSame(reread, codes.Item(0), "text");
        }
        TLayout loaded;
        format.LoadFromString(loaded, format.SaveToString(layout));
        const TKey &read = loaded.Layers().Item(0).Keys().Item(0);
        expectSame(read.MakeCodes(), key.MakeCodes().Item(0), "file");
        expectSame(read.BreakCodes(), key.BreakCodes().Item(0), "file");
    }
    TScanCodes old;
    old.SetText(u"+' -'");
    EXPECT_EQ(old.Data(), HexToBytes(u"0E F0 0E"));
}
