#include "CatalogueTestFiles.h"

#include "catalogue/Keyboards.h"
#include "catalogue/XMLKeyboard.h"
#include "xml/ECXMLParser.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace {

struct TExpected {
    const char *Name;
    int ID, Model, Width, Height, Keys, Layers, KeyPos, MaxKeysNum;
    int Track1, Track2, Track3;
};

// The shipped models in catalogue (file name) order.
const TExpected kShipped[] = {
    {"Kompakt_30", 2, 2, 6, 5, 30, 2, 0, 30, 0, 0, 0},   {"KP_120", 3, 3, 15, 8, 120, 4, 0, 120, 1, 1, 0},
    {"KP_64", 1, 1, 8, 8, 64, 4, 8, 64, 1, 1, 1},        {"Ostrov_40", 5, 5, 10, 4, 40, 2, 0, 40, 0, 0, 0},
    {"Ostrov_40_K", 6, 5, 10, 4, 40, 4, 6, 40, 0, 0, 0}, {"Sektor_48", 4, 4, 10, 6, 48, 4, 4, 64, 0, 1, 0},
};

int Depth(const TParamsGroups &groups)
{
    int depth = 0;
    for (int i = 0; i < groups.Count(); ++i)
        depth = std::max(depth, 1 + Depth(groups.Item(i).Groups()));
    return depth;
}

class ShippedKeyboardsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FLoader.LoadFolder(ShippedFolder(), FKeyboards, [&](const QString &name, const QString &message) {
            ADD_FAILURE() << SkippedFileMessage(name, message).toStdString();
        });
    }

    TXMLKeyboard FLoader;
    TKeyboards FKeyboards;
};

TEST_F(ShippedKeyboardsTest, EveryModelLoadsWithItsShape)
{
    ASSERT_EQ(FKeyboards.Count(), int(std::size(kShipped)));
    for (int i = 0; i < FKeyboards.Count(); ++i) {
        const TKeyboard &keyboard = FKeyboards.Item(i);
        const TExpected &expected = kShipped[i];
        SCOPED_TRACE(expected.Name);
        EXPECT_EQ(keyboard.Name, QString::fromLatin1(expected.Name));
        EXPECT_EQ(keyboard.ID, expected.ID);
        EXPECT_EQ(keyboard.Model, expected.Model);
        EXPECT_EQ(keyboard.Width, expected.Width);
        EXPECT_EQ(keyboard.Height, expected.Height);
        EXPECT_EQ(keyboard.KeyCount(), expected.Keys);
        EXPECT_EQ(keyboard.Layers, expected.Layers);
        EXPECT_EQ(keyboard.HasKey != 0, expected.KeyPos != 0);
        EXPECT_EQ(keyboard.KeyPos, expected.KeyPos);
        EXPECT_EQ(keyboard.MaxKeysNum, expected.MaxKeysNum);
        EXPECT_EQ(keyboard.HasReader != 0, expected.Track1 + expected.Track2 + expected.Track3 != 0);
        EXPECT_EQ(keyboard.Track1, expected.Track1);
        EXPECT_EQ(keyboard.Track2, expected.Track2);
        EXPECT_EQ(keyboard.Track3, expected.Track3);
        EXPECT_FALSE(keyboard.ClassName.isEmpty());
        EXPECT_GE(keyboard.ParamsGroups().Count(), 4);

        // Cells and logical numbers are unique, inside the matrix and within
        // the records the device image reserves.
        std::set<std::pair<int, int>> cells;
        std::set<int> numbers;
        for (int k = 0; k < keyboard.KeyCount(); ++k) {
            const TKeyDef &def = keyboard.KeyDefs().Item(k);
            EXPECT_TRUE(cells.emplace(def.Left, def.Top).second);
            EXPECT_TRUE(numbers.insert(def.LogicalNumber).second);
            EXPECT_GE(def.LogicalNumber, 1);
            EXPECT_LE(def.LogicalNumber, keyboard.MaxKeysNum);
        }
    }
}

TEST_F(ShippedKeyboardsTest, CatalogueCoversTheLookupsOthersRelyOn)
{
    // Old layout files default to identifier 4 and to model code 4.
    EXPECT_EQ(FKeyboards.ByID(4).Name, QStringLiteral("Sektor_48"));
    EXPECT_EQ(FKeyboards.ByModel(4).ID, 4);
    EXPECT_EQ(FKeyboards.ByModel(3).Name, QStringLiteral("KP_120"));

    // One keyboard in two configurations.
    EXPECT_EQ(FKeyboards.ByModel(5).ID, 5);
    TKeyboards candidates;
    FKeyboards.SelectModel(5, candidates);
    ASSERT_EQ(candidates.Count(), 2);
    EXPECT_EQ(candidates.Item(1).ClassName, QStringLiteral("Остров-40 с ключом"));

    // The sparse model lists its keys along the rows but numbers them down
    // the columns, and leaves the middle columns empty.
    const TKeyboard &sparse = FKeyboards.ByID(4);
    EXPECT_LT(sparse.KeyCount(), sparse.Width * sparse.Height);
    EXPECT_EQ(sparse.KeyDefs().Item(1).Left, 2);
    EXPECT_EQ(sparse.KeyDefs().Item(1).LogicalNumber, 7);

    int deepest = 0;
    for (int i = 0; i < FKeyboards.Count(); ++i)
        deepest = std::max(deepest, Depth(FKeyboards.Item(i).ParamsGroups()));
    EXPECT_GE(deepest, 2);
}

TEST(ShippedFilesTest, FilesAreInTheWritersOwnForm)
{
    const QDir dir(ShippedFolder());
    const QStringList names = dir.entryList({QStringLiteral("*.xml")}, QDir::Files);
    ASSERT_EQ(names.size(), qsizetype(std::size(kShipped)));
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"ISO8859-1\" ?>\r\n"));
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
        TECXMLParser parser;
        parser.LoadFromBytes(bytes);
        EXPECT_EQ(parser.SaveToBytes(), bytes);
        EXPECT_EQ(parser.Root().Attribute(u"Name") + QStringLiteral(".xml"), name);
    }
}

} // namespace
