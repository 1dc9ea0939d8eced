#include "FilesTestData.h"

#include "files/FileFormatError.h"
#include "files/LayoutFileFormats.h"
#include "files/LayoutFormat.h"
#include "files/XMLLayout.h"
#include "model/Key.h"
#include "model/KeyLock.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "support/LayoutCompare.h"
#include "support/RichLayout.h"

#include <QDir>
#include <QIODevice>
#include <QTemporaryDir>

namespace {

// A format whose writer breaks off after part of its output, as a full disk
// or a failing conversion would.
class TBreakingFormat : public TLayoutFormat {
public:
    using TLayoutFormat::TLayoutFormat;
    QString GetFilter() const override { return QStringLiteral("Обрыв (*.brk)|*.brk"); }
    void SaveToStream(const TLayout &, QIODevice &stream) override
    {
        stream.write("partial");
        throw EError(QStringLiteral("Сбой записи"));
    }
};

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

TEST(LayoutFormat, FileFormatErrorCarriesTheDetail)
{
    const EFileFormatError error(QStringLiteral("Отсутствуют данные раскладки"));
    EXPECT_EQ(error.Message(), u"Неверный формат файла.\r\nОтсутствуют данные раскладки");
    EXPECT_EQ(error.Detail(), u"Отсутствуют данные раскладки");
    EXPECT_STREQ(error.what(), "Неверный формат файла.\r\nОтсутствуют данные раскладки");
}

TEST(LayoutFormat, RegistryOrderIndexesAndFilter)
{
    TLayoutFormats formats;
    TLayoutFormats other;
    {
        TLayoutFormat base(&formats, ShippedKeyboards());
        TXMLLayout xml(&formats, ShippedKeyboards());
        TBreakingFormat breaking(&formats, ShippedKeyboards());
        ASSERT_EQ(formats.Count(), 3);
        EXPECT_EQ(&formats.Item(1), &xml);
        EXPECT_EQ(formats.IndexOf(&breaking), 2);
        EXPECT_EQ(formats.Filter(), u"|Раскладка Ravlin (*.xml)|*.xml|Обрыв (*.brk)|*.brk");
        EXPECT_EQ(ErrorOf([&] { formats.Item(3); }), u"Неверный индекс формата");
        EXPECT_EQ(ErrorOf([&] { formats.Item(-1); }), u"Неверный индекс формата");

        xml.SetFormats(&other);
        EXPECT_EQ(xml.Formats(), &other);
        EXPECT_EQ(formats.Count(), 2);
        EXPECT_EQ(&formats.Item(1), &breaking);
        EXPECT_EQ(other.IndexOf(&xml), 0);
        EXPECT_EQ(formats.IndexOf(&xml), -1);
    }
    EXPECT_EQ(formats.Count(), 0) << "freed formats leave their registry";
    EXPECT_EQ(other.Count(), 0);

    // A registry freed first leaves its formats without one.
    auto registry = std::make_unique<TLayoutFormats>();
    TLayoutFormat survivor(registry.get(), ShippedKeyboards());
    registry.reset();
    EXPECT_EQ(survivor.Formats(), nullptr);
}

TEST(LayoutFormat, BaseFormatWritesAndReadsNothing)
{
    TLayoutFormat base(nullptr, ShippedKeyboards());
    EXPECT_EQ(base.GetFilter(), u"");
    EXPECT_EQ(&base.Keyboards(), &ShippedKeyboards());
    const auto layout = MakeRichLayout(ShippedKeyboards(), 2);
    EXPECT_TRUE(base.SaveToString(*layout).isEmpty());

    TLayout copy;
    copy.Assign(*layout);
    base.LoadFromString(copy, "anything");
    ExpectSameLayout(*layout, copy);

    try {
        base.LoadFromString(copy, QByteArray());
        FAIL() << "empty data loaded";
    } catch (const EFileFormatError &error) {
        EXPECT_EQ(error.Detail(), u"Отсутствуют данные раскладки");
        EXPECT_EQ(error.Message(), u"Неверный формат файла.\r\nОтсутствуют данные раскладки");
    }
}

TEST(LayoutFormat, ProgramRegistriesAndTheirChoice)
{
    const TLayoutFileFormats files(ShippedKeyboards());
    const TLayoutFormats &formats = files.Formats();
    const TLayoutFormats &open = files.OpenFormats();
    // The indexes are those file dialogs and device operations choose by.
    const char16_t *names[] = {u"xml", u"xml13", u"bin", u"bin13", u"emf", u"bin28", u"bin29"};
    ASSERT_EQ(formats.Count(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(formats.Item(i).ShortName(), names[i]);
    ASSERT_EQ(open.Count(), 2);
    EXPECT_EQ(open.Item(0).ShortName(), u"xml");
    EXPECT_EQ(open.Item(1).ShortName(), u"bin");
    EXPECT_EQ(&formats.Item(0), &files.XMLFormat());
    EXPECT_NE(&open.Item(0), &formats.Item(0)) << "each registry has its own objects";
    EXPECT_EQ(open.Filter(), u"Раскладка Ravlin (*.xml)|*.xml|Раскладка Ravlin (*.bin)|*.bin");
    EXPECT_EQ(formats.Filter().count(u'|'), 13);
    EXPECT_EQ(&files.XMLFormat().Keyboards(), &ShippedKeyboards());

    TLayoutFormat *xml = &files.XMLFormat();
    EXPECT_EQ(&ChooseFormat(formats, u"0"), xml);
    EXPECT_EQ(&ChooseFormat(formats, u"xml"), xml);
    EXPECT_EQ(&ChooseFormat(formats, u"XML"), xml);
    EXPECT_EQ(&ChooseFormat(formats, u"/tmp/Раскладка.Xml"), xml);
    EXPECT_EQ(&ChooseFormat(formats, u".xml"), xml);
    EXPECT_EQ(&ChooseFormat(formats, u"6"), &formats.Item(6));
    EXPECT_EQ(&ChooseFormat(formats, u"bin28"), &formats.Item(5));
    // A suffix several formats share picks the first of them: the 2.10 image.
    EXPECT_EQ(&ChooseFormat(formats, u"layout.BIN"), &formats.Item(2));
    EXPECT_EQ(&ChooseFormat(open, u"layout.bin"), &open.Item(1));
    EXPECT_EQ(ErrorOf([&] { ChooseFormat(formats, u"7"); }), u"Неверный индекс формата");
    EXPECT_EQ(ErrorOf([&] { ChooseFormat(formats, u"-1"); }), u"Неверный индекс формата");
    EXPECT_EQ(ErrorOf([&] { ChooseFormat(open, u"picture.emf"); }),
              u"Неизвестный формат раскладки \"picture.emf\". Допустимы: xml, bin.");
    EXPECT_EQ(ErrorOf([&] { ChooseFormat(open, u"bin13"); }),
              u"Неизвестный формат раскладки \"bin13\". Допустимы: xml, bin.");
    EXPECT_EQ(ErrorOf([&] { ChooseFormat(formats, u""); }),
              u"Неизвестный формат раскладки \"\". Допустимы: xml, xml13, bin, bin13, emf, bin28, bin29.");
}

TEST(LayoutFormat, SaveReplacesTheFileOnlyWhenComplete)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("раскладка.xml"));
    WriteFile(path, "old content");

    auto layout = MakeRichLayout(ShippedKeyboards(), 2);
    layout->SetFileName(QStringLiteral("before.xml"));
    layout->Layers().Item(0).Keys().Item(0).SetRemark(QStringLiteral("изменено"));
    ASSERT_TRUE(layout->IsModified());

    TBreakingFormat breaking(nullptr, ShippedKeyboards());
    EXPECT_EQ(ErrorOf([&] { breaking.SaveToFile(*layout, path); }), u"Сбой записи");
    EXPECT_EQ(ReadFileBytes(path), QByteArray("old content"));
    EXPECT_EQ(layout->FileName(), u"before.xml");
    EXPECT_TRUE(layout->IsModified());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("раскладка.xml")})
        << "no temporary file is left";

    TXMLLayout xml(nullptr, ShippedKeyboards());
    const QString missing = dir.filePath(QStringLiteral("нет/раскладка.xml"));
    EXPECT_THROW(xml.SaveToFile(*layout, missing), EError);
    EXPECT_EQ(layout->FileName(), u"before.xml");

    xml.SaveToFile(*layout, path);
    EXPECT_EQ(layout->FileName(), path);
    EXPECT_FALSE(layout->IsModified());
    EXPECT_EQ(ReadFileBytes(path), xml.SaveToString(*layout));
}

TEST(LayoutFormat, FailedLoadLeavesTheLayoutAsItWas)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TXMLLayout xml(nullptr, ShippedKeyboards());
    auto layout = MakeRichLayout(ShippedKeyboards(), 1);
    layout->SetFileName(QStringLiteral("mine.xml"));
    layout->SetVersion(0x0209);
    const auto before = MakeRichLayout(ShippedKeyboards(), 1);
    before->SetVersion(0x0209);

    // The keys and the model change before the ninth position fails.
    const QString positions = QStringLiteral("<Позиция/>").repeated(9);
    const QByteArray ninth = LayoutDocument(
        QStringLiteral("Vesion=\"020A\""),
        QStringLiteral(
            "<Параметры KeyboardID=\"2\" STop=\"1\" SLeft=\"1\" SRight=\"1\" SBottom=\"1\"/><Слои><Слой>"
            "<Клавиши><Клавиша Колонка=\"0\" Ряд=\"0\" Примечание=\"новое\"/></Клавиши>"
            "<KeyLock>%1</KeyLock></Слой></Слои>")
            .arg(positions));
    const QString path = dir.filePath(QStringLiteral("ninth.xml"));
    WriteFile(path, ninth);
    EXPECT_EQ(ErrorOf([&] { xml.LoadFromFile(*layout, path); }),
              u"Количество положений ключа не может быть больше 8.");
    ExpectSameLayout(*before, *layout);
    EXPECT_EQ(layout->FileName(), u"mine.xml");
    EXPECT_EQ(ErrorOf([&] { xml.LoadFromString(*layout, ninth); }),
              u"Количество положений ключа не может быть больше 8.");
    ExpectSameLayout(*before, *layout);

    EXPECT_THROW(xml.LoadFromFile(*layout, dir.filePath(QStringLiteral("absent.xml"))), EError);
    EXPECT_EQ(layout->FileName(), u"mine.xml");
    ExpectSameLayout(*before, *layout);

    // A load that succeeds records the file and clears the modified flag.
    const QString good = dir.filePath(QStringLiteral("good.xml"));
    WriteFile(good, xml.SaveToString(*MakeRichLayout(ShippedKeyboards(), 3)));
    xml.LoadFromFile(*layout, good);
    EXPECT_EQ(layout->FileName(), good);
    EXPECT_FALSE(layout->IsModified());
    EXPECT_EQ(layout->KeyboardID(), 3);
}

// A load hands the loaded content to the layout itself: its views, its
// number and its modified handler stay, and the result is the same layout
// however often it is loaded again.
TEST(LayoutFormat, LoadKeepsTheLayoutsViewsNumberAndModifiedHandler)
{
    TXMLLayout xml(nullptr, ShippedKeyboards());
    const auto source = MakeRichLayout(ShippedKeyboards(), 3);
    const QByteArray bytes = xml.SaveToString(*source);

    TLayout layout;
    const uint32_t number = layout.InstanceNumber();
    QList<TLayoutChange> changes;
    const auto link = layout.AddLink([&](TLayout &notified) { changes << notified.LastChange(); }, &changes);
    int modifiedCalls = 0;
    layout.Notifier().OnChange = [&](TNotifier &) { ++modifiedCalls; };

    xml.LoadFromString(layout, bytes);
    ExpectSameLayout(*source, layout);
    EXPECT_EQ(layout.InstanceNumber(), number);
    EXPECT_EQ(changes, QList<TLayoutChange>{lcContent});
    EXPECT_EQ(modifiedCalls, 1);
    EXPECT_TRUE(layout.IsModified());

    // The loaded keys report to the layout's own notifier.
    layout.ResetModified();
    layout.Layers().Item(1).Keys().Item(2).SetRemark(QStringLiteral("после загрузки"));
    EXPECT_TRUE(layout.IsModified());
    EXPECT_EQ(modifiedCalls, 2);

    // Already modified, a second load fires no further modified call.
    xml.LoadFromString(layout, bytes);
    ExpectSameLayout(*source, layout);
    EXPECT_EQ(modifiedCalls, 2);
    EXPECT_EQ(changes.size(), 2);
}
