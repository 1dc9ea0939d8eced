#include "CatalogueTestFiles.h"

#include "base/Error.h"
#include "catalogue/Keyboards.h"
#include "catalogue/XMLKeyboard.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

// Returns the message of the EError that f raises, or "" when it raises none.
template <typename F> QString ErrorOf(F f)
{
    try {
        f();
    } catch (const EError &e) {
        return e.Message();
    }
    return {};
}

class XMLKeyboardTest : public ::testing::Test {
protected:
    // Loads a description text from a file and returns the error message.
    QString LoadText(const QString &text)
    {
        const QString path = WriteText(FDir.path(), QStringLiteral("model.xml"), text);
        return ErrorOf([&] { FLoader.LoadFile(path, FKeyboard); });
    }

    QTemporaryDir FDir;
    TXMLKeyboard FLoader;
    TKeyboard FKeyboard;
};

TEST_F(XMLKeyboardTest, LoadFileReadsFieldsKeysAndParameterTree)
{
    const QString children = KeyLine(1, 1, 3) + KeyLine(4, 3, 1) +
                             QStringLiteral("  <key Left=\"2\" Top=\"2\" LogicalNumber=\"9\"/>\r\n"
                                            "  <Note Text=\"ignored\"/>\r\n"
                                            "  <Params>\r\n"
                                            "    <Group Name=\"Подключение\">\r\n"
                                            "      <Param Name=\"Интерфейс\" Value=\"PS/2\"/>\r\n"
                                            "      <param Name=\"Ignored\" Value=\"1\"/>\r\n"
                                            "      <Group Name=\"Кабель\">\r\n"
                                            "        <Group Name=\"Разъём\">\r\n"
                                            "          <Param Name=\"Тип\" Value=\"mini-DIN 6\"/>\r\n"
                                            "        </Group>\r\n"
                                            "      </Group>\r\n"
                                            "    </Group>\r\n"
                                            "    <Param Name=\"Outside\" Value=\"ignored\"/>\r\n"
                                            "  </Params>\r\n") +
                             KeyLine(2, 3, 2) +
                             QStringLiteral("  <Params>\r\n"
                                            "    <Group Name=\"Ключ\"/>\r\n"
                                            "  </Params>\r\n");
    // Attribute names in any letter case.
    const QString attributes = QStringLiteral(
        R"(id="12" NAME="Model_12" className="Модель 12" model="3" WIDTH="4" height="3" Layers="3" )"
        R"(HASKEY="1" keypos="5" HasReader="1" track1="1" TRACK2="0" Track3="7" MaxKeysNum="10")");
    ASSERT_EQ(LoadText(DescriptionText(attributes, children)), QString());

    EXPECT_EQ(FKeyboard.ID, 12);
    EXPECT_EQ(FKeyboard.Name, QStringLiteral("Model_12"));
    EXPECT_EQ(FKeyboard.ClassName, QStringLiteral("Модель 12"));
    EXPECT_EQ(FKeyboard.Model, 3);
    EXPECT_EQ(FKeyboard.Width, 4);
    EXPECT_EQ(FKeyboard.Height, 3);
    EXPECT_EQ(FKeyboard.Layers, 3);
    EXPECT_EQ(FKeyboard.HasKey, 1);
    EXPECT_EQ(FKeyboard.KeyPos, 5);
    EXPECT_EQ(FKeyboard.HasReader, 1);
    EXPECT_EQ(FKeyboard.Track1, 1);
    EXPECT_EQ(FKeyboard.Track2, 0);
    EXPECT_EQ(FKeyboard.Track3, 7);
    EXPECT_EQ(FKeyboard.MaxKeysNum, 10);

    // "key" in lower case is not a key cell; keys keep file order.
    ASSERT_EQ(FKeyboard.KeyCount(), 3);
    EXPECT_EQ(FKeyboard.KeyDefs().Item(0).LogicalNumber, 3);
    EXPECT_EQ(FKeyboard.KeyDefs().Item(1).Left, 4);
    EXPECT_EQ(FKeyboard.KeyDefs().Item(1).Top, 3);
    EXPECT_EQ(FKeyboard.KeyDefs().Item(2).LogicalNumber, 2);

    // Both "Params" elements add to one tree; other children are ignored.
    const TParamsGroups &groups = FKeyboard.ParamsGroups();
    ASSERT_EQ(groups.Count(), 2);
    EXPECT_EQ(groups.Item(0).Name, QStringLiteral("Подключение"));
    ASSERT_EQ(groups.Item(0).Params().Count(), 1);
    EXPECT_EQ(groups.Item(0).Params().Item(0).Value, QStringLiteral("PS/2"));
    ASSERT_EQ(groups.Item(0).Groups().Count(), 1);
    const TParamsGroup &socket = groups.Item(0).Groups().Item(0).Groups().Item(0);
    EXPECT_EQ(socket.Name, QStringLiteral("Разъём"));
    EXPECT_EQ(socket.Params().Item(0).Value, QStringLiteral("mini-DIN 6"));
    EXPECT_EQ(groups.Item(1).Name, QStringLiteral("Ключ"));
}

TEST_F(XMLKeyboardTest, OptionalAndConditionalAttributes)
{
    // MaxKeysNum absent, empty or 0 gives the number of key cells.
    const QString keys = KeyLine(1, 1, 1) + KeyLine(2, 1, 2);
    for (const QString &maxKeys : {QString(), QStringLiteral(R"( MaxKeysNum="")"),
                                   QStringLiteral(R"( MaxKeysNum=)"), QStringLiteral(R"( MaxKeysNum="0")")}) {
        ASSERT_EQ(LoadText(DescriptionText(kBaseAttributes + maxKeys, keys)), QString())
            << maxKeys.toStdString();
        EXPECT_EQ(FKeyboard.MaxKeysNum, 2) << maxKeys.toStdString();
    }
    EXPECT_EQ(LoadText(DescriptionText(kBaseAttributes + QStringLiteral(R"( MaxKeysNum="x")"), keys)),
              QStringLiteral("\"x\" не является целым числом."));

    // Without a key lock or reader, KeyPos and tracks are not read even when present.
    ASSERT_EQ(
        LoadText(ValidDescription(kBaseAttributes + QStringLiteral(R"( KeyPos="8" Track1="1" Track2="x")"))),
        QString());
    EXPECT_EQ(FKeyboard.KeyPos, 0);
    EXPECT_EQ(FKeyboard.Track1, 0);

    // With them, the attributes are required.
    const QString withKey =
        QString(kBaseAttributes).replace(QStringLiteral(R"(HasKey="0")"), QStringLiteral(R"(HasKey="1")"));
    EXPECT_EQ(LoadText(ValidDescription(withKey)), QStringLiteral("\"\" не является целым числом."));
    const QString withReader =
        QString(kBaseAttributes)
            .replace(QStringLiteral(R"(HasReader="0")"), QStringLiteral(R"(HasReader="2")"));
    EXPECT_EQ(LoadText(ValidDescription(withReader + QStringLiteral(R"( Track1="1" Track2="1")"))),
              QStringLiteral("\"\" не является целым числом."));

    // Name and ClassName may be absent.
    ASSERT_EQ(LoadText(ValidDescription(QStringLiteral(
                  R"(ID="1" Model="1" Width="1" Height="1" Layers="1" HasKey="0" HasReader="0")"))),
              QString());
    EXPECT_TRUE(FKeyboard.Name.isEmpty());
    EXPECT_TRUE(FKeyboard.ClassName.isEmpty());
}

TEST_F(XMLKeyboardTest, ByteFieldsTakeTheLowEightBits)
{
    const QString attributes = QStringLiteral(
        R"(ID="1" Model="1" Width="2" Height="2" Layers="1" HasKey="256" KeyPos="x" HasReader="257" )"
        R"(Track1="256" Track2="-1" Track3="513")");
    ASSERT_EQ(LoadText(ValidDescription(attributes)), QString());
    // HasKey 256 counts as 0, so the bad KeyPos is not read.
    EXPECT_EQ(FKeyboard.HasKey, 0);
    EXPECT_EQ(FKeyboard.KeyPos, 0);
    EXPECT_EQ(FKeyboard.HasReader, 1);
    EXPECT_EQ(FKeyboard.Track1, 0);
    EXPECT_EQ(FKeyboard.Track2, 255);
    EXPECT_EQ(FKeyboard.Track3, 1);
}

TEST_F(XMLKeyboardTest, KeyCellsMustLieInTheMatrix)
{
    const QString bad = QStringLiteral("Неверные параметры положения кнопки.");
    // Width 4, Height 3: the last column and row are accepted.
    ASSERT_EQ(LoadText(DescriptionText(kBaseAttributes, KeyLine(4, 3, 1))), QString());
    EXPECT_EQ(LoadText(DescriptionText(kBaseAttributes, KeyLine(5, 1, 1))), bad);
    EXPECT_EQ(LoadText(DescriptionText(kBaseAttributes, KeyLine(1, 4, 1))), bad);
    EXPECT_EQ(LoadText(DescriptionText(kBaseAttributes, KeyLine(0, 1, 1))), bad);
    EXPECT_EQ(LoadText(DescriptionText(kBaseAttributes, KeyLine(1, 0, 1))), bad);
    EXPECT_EQ(LoadText(DescriptionText(kBaseAttributes, KeyLine(-3, 1, 1))), bad);
    // Left is checked before Top is read, LogicalNumber last.
    EXPECT_EQ(LoadText(DescriptionText(kBaseAttributes, QStringLiteral("  <Key Left=\"9\" Top=\"t\"/>\r\n"))),
              bad);
    EXPECT_EQ(LoadText(DescriptionText(kBaseAttributes, QStringLiteral("  <Key Left=\"1\" Top=\"1\"/>\r\n"))),
              QStringLiteral("\"\" не является целым числом."));
}

TEST_F(XMLKeyboardTest, ShapesNoLayoutCanTakeAreRefused)
{
    const auto withAttribute = [](const QString &name, const QString &value) {
        QString attributes = kBaseAttributes;
        const qsizetype at = attributes.indexOf(QStringLiteral(" %1=\"").arg(name));
        const qsizetype valueAt = at + name.size() + 3;
        return attributes.replace(valueAt, attributes.indexOf(u'"', valueAt) - valueAt, value);
    };
    // Cell coordinates are bytes in the device images: 255 columns and rows
    // at most. The key of the description sits at the last cell allowed.
    ASSERT_EQ(LoadText(DescriptionText(withAttribute(QStringLiteral("Width"), QStringLiteral("255")),
                                       KeyLine(255, 1, 1))),
              QString());
    ASSERT_EQ(LoadText(DescriptionText(withAttribute(QStringLiteral("Height"), QStringLiteral("255")),
                                       KeyLine(1, 255, 1))),
              QString());
    EXPECT_EQ(LoadText(ValidDescription(withAttribute(QStringLiteral("Width"), QStringLiteral("256")))),
              QStringLiteral("Неверное количество колонок: 256 (допустимо от 1 до 255)."));
    EXPECT_EQ(LoadText(ValidDescription(withAttribute(QStringLiteral("Width"), QStringLiteral("100000")))),
              QStringLiteral("Неверное количество колонок: 100000 (допустимо от 1 до 255)."));
    EXPECT_EQ(LoadText(ValidDescription(withAttribute(QStringLiteral("Width"), QStringLiteral("0")))),
              QStringLiteral("Неверное количество колонок: 0 (допустимо от 1 до 255)."));
    EXPECT_EQ(LoadText(ValidDescription(withAttribute(QStringLiteral("Height"), QStringLiteral("4000")))),
              QStringLiteral("Неверное количество рядов: 4000 (допустимо от 1 до 255)."));
    EXPECT_EQ(LoadText(ValidDescription(withAttribute(QStringLiteral("Height"), QStringLiteral("-2")))),
              QStringLiteral("Неверное количество рядов: -2 (допустимо от 1 до 255)."));
    EXPECT_EQ(LoadText(ValidDescription(withAttribute(QStringLiteral("Layers"), QStringLiteral("0")))),
              QStringLiteral("Неверное количество слоев: 0 (допустимо от 1 до 4)."));
    EXPECT_EQ(LoadText(ValidDescription(withAttribute(QStringLiteral("Layers"), QStringLiteral("5000")))),
              QStringLiteral("Неверное количество слоев: 5000 (допустимо от 1 до 4)."));
    const QString withKey = withAttribute(QStringLiteral("HasKey"), QStringLiteral("1"));
    EXPECT_EQ(LoadText(ValidDescription(withKey + QStringLiteral(R"( KeyPos="9")"))),
              QStringLiteral("Неверное количество положений ключа: 9 (допустимо от 0 до 8)."));
    EXPECT_EQ(FKeyboard.Height, 255) << "a refused file leaves the description";
    ASSERT_EQ(LoadText(ValidDescription(withKey + QStringLiteral(R"( KeyPos="8")"))), QString());
    EXPECT_EQ(FKeyboard.KeyPos, 8);
}

TEST_F(XMLKeyboardTest, RefusedFilesLeaveTheDescriptionAlone)
{
    ASSERT_EQ(LoadText(DescriptionText(kBaseAttributes, KeyLine(1, 1, 1) + KeyLine(2, 1, 2))), QString());
    EXPECT_EQ(LoadText(DescriptionText(kBaseAttributes, KeyLine(1, 1, 1), QStringLiteral("keyboard"))),
              QStringLiteral("Неверное имя корневого элемента."));
    EXPECT_EQ(LoadText(QStringLiteral("<?xml version=\"1.0\" ?>\r\n<Keyboard ID=\"1\"/>\r\n")),
              QStringLiteral("Неверное имя корневого элемента."));
    EXPECT_EQ(LoadText(DescriptionText(kBaseAttributes, QString())),
              QStringLiteral("Отсутствуют описания клавиш."));
    // The attributes are read in a fixed order: Height fails before Width.
    EXPECT_EQ(LoadText(ValidDescription(
                  QString(kBaseAttributes)
                      .replace(QStringLiteral(R"(Width="4")"), QStringLiteral(R"(Width="w")"))
                      .replace(QStringLiteral(R"(Height="3")"), QStringLiteral(R"(Height="h")")))),
              QStringLiteral("\"h\" не является целым числом."));
    EXPECT_NE(ErrorOf([&] { FLoader.LoadFile(FDir.filePath(QStringLiteral("missing.xml")), FKeyboard); }),
              QString());
    EXPECT_EQ(FKeyboard.ID, 7);
    EXPECT_EQ(FKeyboard.KeyCount(), 2);
}

TEST_F(XMLKeyboardTest, ParameterGroupsNestDeeplyButNotWithoutLimit)
{
    const auto nested = [](int depth) {
        QString text = QStringLiteral("  <Params>\r\n");
        for (int i = 0; i < depth; ++i)
            text += QStringLiteral("<Group Name=\"%1\">\r\n").arg(i);
        for (int i = 0; i < depth; ++i)
            text += QStringLiteral("</Group>\r\n");
        return text + QStringLiteral("  </Params>\r\n");
    };
    ASSERT_EQ(LoadText(DescriptionText(kBaseAttributes, KeyLine(1, 1, 1) + nested(100))), QString());
    const TParamsGroup *group = &FKeyboard.ParamsGroups().Item(0);
    for (int level = 1; level < 100; ++level)
        group = &group->Groups().Item(0);
    EXPECT_EQ(group->Name, QStringLiteral("99"));
    EXPECT_EQ(LoadText(DescriptionText(kBaseAttributes, KeyLine(1, 1, 1) + nested(101))),
              QStringLiteral("Слишком глубокая вложенность групп параметров."));
}

TEST(XMLKeyboardFolderTest, MissingFolderLeavesTheCatalogue)
{
    QTemporaryDir dir;
    TKeyboards keyboards;
    keyboards.Add().ID = 5;
    TXMLKeyboard loader;
    const QString missing = dir.filePath(QStringLiteral("Нет такой"));
    EXPECT_EQ(ErrorOf([&] { loader.LoadFolder(missing, keyboards); }),
              QStringLiteral("Не удалось загрузить описания клавиатур:\r\nНе существует директория \"%1\"")
                  .arg(missing));
    const QString file = WriteText(dir.path(), QStringLiteral("plain.xml"), ValidDescription());
    EXPECT_NE(ErrorOf([&] { loader.LoadFolder(file, keyboards); }), QString());
    ASSERT_EQ(keyboards.Count(), 1);
    EXPECT_EQ(keyboards.Item(0).ID, 5);
}

TEST(XMLKeyboardFolderTest, BrokenFilesAreSkippedAndReported)
{
    QTemporaryDir dir;
    WriteText(dir.path(), QStringLiteral("b_good.xml"), ValidDescription());
    WriteText(dir.path(), QStringLiteral("a_broken.xml"), DescriptionText(kBaseAttributes, KeyLine(9, 1, 1)));
    WriteBytes(dir.path(), QStringLiteral("c_garbage.xml"), QByteArray("\x01\xff<<>>\x00zz", 9));
    TKeyboards keyboards;
    keyboards.Add().ID = 99;
    TXMLKeyboard loader;
    std::vector<std::pair<QString, QString>> skipped;
    loader.LoadFolder(dir.path(), keyboards, [&](const QString &name, const QString &message) {
        skipped.emplace_back(name, message);
    });
    ASSERT_EQ(keyboards.Count(), 1);
    EXPECT_EQ(keyboards.Item(0).ID, 7);
    ASSERT_EQ(skipped.size(), 2u);
    EXPECT_EQ(skipped[0].first, QStringLiteral("a_broken.xml"));
    EXPECT_EQ(skipped[0].second, QStringLiteral("Неверные параметры положения кнопки."));
    EXPECT_EQ(skipped[1].first, QStringLiteral("c_garbage.xml"));
    EXPECT_EQ(SkippedFileMessage(skipped[0].first, skipped[0].second),
              QStringLiteral("Ошибка в файле a_broken.xml: Неверные параметры положения кнопки."));

    // Without a callback the skipped files go unreported, the result is the same.
    loader.LoadFolder(dir.path(), keyboards);
    EXPECT_EQ(keyboards.Count(), 1);
}

TEST(XMLKeyboardFolderTest, NoLoadableFileIsAnError)
{
    QTemporaryDir dir;
    TXMLKeyboard loader;
    TKeyboards keyboards;
    keyboards.Add();
    const QString expected = QStringLiteral("В папке %1 не найдены описания клавиатур.").arg(dir.path());
    EXPECT_EQ(ErrorOf([&] { loader.LoadFolder(dir.path(), keyboards); }), expected);
    EXPECT_EQ(keyboards.Count(), 0);
    WriteText(dir.path(), QStringLiteral("one.xml"), DescriptionText(kBaseAttributes, QString()));
    WriteText(dir.path(), QStringLiteral("two.xml"), ValidDescription(QStringLiteral(R"(ID="x")")));
    WriteText(dir.path(), QStringLiteral("good.txt"), ValidDescription());
    EXPECT_EQ(ErrorOf([&] { loader.LoadFolder(dir.path(), keyboards); }), expected);
}

TEST(XMLKeyboardFolderTest, FilesAreTakenInNameOrderWithAnyCaseAndHidden)
{
    QTemporaryDir dir;
    const auto withId = [](int id, const QString &name) {
        return ValidDescription(QString(kBaseAttributes)
                                    .replace(QStringLiteral(R"(ID="7")"), QStringLiteral("ID=\"%1\"").arg(id))
                                    .replace(QStringLiteral("Test_12"), name));
    };
    WriteText(dir.path(), QStringLiteral("d.XML"), withId(3, QStringLiteral("upper")));
    WriteText(dir.path(), QStringLiteral("B.xml"), withId(1, QStringLiteral("second")));
    WriteText(dir.path(), QStringLiteral("a.xml"), withId(1, QStringLiteral("first")));
    WriteText(dir.path(), QStringLiteral(".hidden.xml"), withId(2, QStringLiteral("hidden")));
    WriteText(dir.path(), QStringLiteral("c.xml.bak"), withId(4, QStringLiteral("backup")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("e.xml")));
    TKeyboards keyboards;
    TXMLKeyboard loader;
    int skipped = 0;
    loader.LoadFolder(dir.path(), keyboards, [&](const QString &, const QString &) { ++skipped; });
    ASSERT_EQ(keyboards.Count(), 3);
    EXPECT_EQ(skipped, 1) << "the second description of identifier 1";
    EXPECT_EQ(keyboards.Item(0).Name, QStringLiteral("hidden"));
    EXPECT_EQ(keyboards.Item(1).Name, QStringLiteral("first"));
    EXPECT_EQ(keyboards.Item(2).Name, QStringLiteral("upper"));
    // Same identifier twice: the one found first.
    EXPECT_EQ(keyboards.ByID(1).Name, QStringLiteral("first"));
}

TEST(XMLKeyboardFolderTest, RepeatedIdentifiersKeepTheFirstAndReportTheRest)
{
    QTemporaryDir dir;
    const auto description = [](int id, int model, const QString &name) {
        return ValidDescription(QStringLiteral(R"(ID="%1" Name="%3" Model="%2" Width="4" Height="3" )"
                                               R"(Layers="2" HasKey="0" HasReader="0")")
                                    .arg(id)
                                    .arg(model)
                                    .arg(name));
    };
    WriteText(dir.path(), QStringLiteral("a.xml"), description(3, 1, QStringLiteral("first")));
    WriteText(dir.path(), QStringLiteral("b.xml"), description(3, 2, QStringLiteral("impostor")));
    WriteText(dir.path(), QStringLiteral("c.xml"), description(4, 2, QStringLiteral("other")));
    WriteText(dir.path(), QStringLiteral("d.xml"), description(3, 3, QStringLiteral("again")));
    TKeyboards keyboards;
    TXMLKeyboard loader;
    QStringList reports;
    loader.LoadFolder(dir.path(), keyboards, [&](const QString &name, const QString &message) {
        reports.append(SkippedFileMessage(name, message));
    });
    ASSERT_EQ(keyboards.Count(), 2);
    EXPECT_EQ(keyboards.ByID(3).Name, QStringLiteral("first"));
    EXPECT_EQ(keyboards.ByModel(2).Name, QStringLiteral("other")) << "the later file is not in the catalogue";
    EXPECT_EQ(keyboards.FindByModel(3), nullptr);
    EXPECT_EQ(reports,
              QStringList({QStringLiteral("Ошибка в файле b.xml: Описание клавиатуры с идентификатором 3 уже "
                                          "загружено из файла a.xml."),
                           QStringLiteral("Ошибка в файле d.xml: Описание клавиатуры с идентификатором 3 уже "
                                          "загружено из файла a.xml.")}));
}

TEST(XMLKeyboardFolderTest, CurrentDirectoryStaysAndRelativeFolderWorks)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Клавиатуры")));
    WriteText(dir.filePath(QStringLiteral("Клавиатуры")), QStringLiteral("m.xml"), ValidDescription());
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    TKeyboards keyboards;
    TXMLKeyboard loader;
    loader.LoadFolder(QStringLiteral("Клавиатуры"), keyboards);
    EXPECT_EQ(QDir::currentPath(), QDir(dir.path()).canonicalPath());
    ASSERT_TRUE(QDir::setCurrent(before));
    loader.LoadFolder(dir.filePath(QStringLiteral("Клавиатуры")), keyboards);
    EXPECT_EQ(QDir::currentPath(), before);
    EXPECT_EQ(keyboards.Count(), 1);
}

} // namespace

TEST_F(XMLKeyboardTest, LoadFromBytesReadsWhatLoadFileReads)
{
    const QDir folder(QStringLiteral(RAVLIN_DATA_DIR "/Клавиатуры"));
    for (const QString &name : folder.entryList({QStringLiteral("*.xml")})) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        TKeyboard fromFile, fromBytes;
        FLoader.LoadFile(file.fileName(), fromFile);
        FLoader.LoadFromBytes(file.readAll(), fromBytes);
        EXPECT_EQ(fromBytes.ID, fromFile.ID) << name.toStdString();
        EXPECT_EQ(fromBytes.Model, fromFile.Model) << name.toStdString();
        EXPECT_EQ(fromBytes.ClassName, fromFile.ClassName) << name.toStdString();
        EXPECT_EQ(fromBytes.KeyCount(), fromFile.KeyCount()) << name.toStdString();
    }
    // Bytes that are no description leave the model as it was.
    TKeyboard keyboard;
    FLoader.LoadFile(folder.filePath(folder.entryList({QStringLiteral("*.xml")}).first()), keyboard);
    const QString className = keyboard.ClassName;
    EXPECT_NE(ErrorOf([&] { FLoader.LoadFromBytes("<Other/>", keyboard); }), QString());
    EXPECT_EQ(keyboard.ClassName, className);
    EXPECT_GT(keyboard.KeyCount(), 0);
}
