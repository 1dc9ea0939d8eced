#include "CatalogueTestFiles.h"

#include "base/Error.h"
#include "catalogue/Keyboards.h"
#include "catalogue/XMLKeyboard.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

// Random, truncated and mutated description files must load or be refused
// with an EError: no crash, no other exception, no cell outside the matrix.
class XMLKeyboardRobustnessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QDir dir(ShippedFolder());
        for (const QString &name : dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name)) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            FSeeds.push_back(file.readAll());
        }
        ASSERT_FALSE(FSeeds.empty());
    }

    // Loads bytes as one description file; returns whether it loaded.
    bool Load(const QByteArray &bytes)
    {
        const QString path = WriteBytes(FDir.path(), QStringLiteral("case.xml"), bytes);
        TKeyboard keyboard;
        try {
            FLoader.LoadFile(path, keyboard);
        } catch (const EError &) {
            ++FRefused;
            return false;
        } catch (const std::exception &e) {
            ADD_FAILURE() << "unexpected exception: " << e.what();
            return false;
        }
        ++FLoaded;
        for (int i = 0; i < keyboard.KeyCount(); ++i) {
            const TKeyDef &def = keyboard.KeyDefs().Item(i);
            EXPECT_TRUE(def.Left >= 1 && def.Left <= keyboard.Width && def.Top >= 1 &&
                        def.Top <= keyboard.Height);
        }
        EXPECT_TRUE(keyboard.MaxKeysNum != 0 || keyboard.KeyCount() == 0);
        return true;
    }

    char RandomByte()
    {
        // Mostly the characters that shape the markup, sometimes any byte.
        static const char kMarkup[] = "<>/\"= \r\n?!-0123456789KeyGroupParamsLeftTop";
        if (FRng() % 3 == 0)
            return char(FRng() % 256);
        return kMarkup[FRng() % (sizeof(kMarkup) - 1)];
    }

    QByteArray Mutate(QByteArray bytes)
    {
        const int steps = 1 + int(FRng() % 8);
        for (int s = 0; s < steps; ++s) {
            const qsizetype at = bytes.isEmpty() ? 0 : qsizetype(FRng() % bytes.size());
            const qsizetype length = 1 + qsizetype(FRng() % 64);
            switch (FRng() % 5) {
            case 0:
                if (!bytes.isEmpty())
                    bytes[at] = RandomByte();
                break;
            case 1:
                bytes.insert(at, RandomByte());
                break;
            case 2:
                bytes.remove(at, length);
                break;
            case 3:
                bytes.insert(at, bytes.mid(at, length));
                break;
            default:
                bytes = ReplaceValue(bytes);
                break;
            }
        }
        return bytes;
    }

    // Replaces one quoted attribute value by an awkward one.
    QByteArray ReplaceValue(QByteArray bytes)
    {
        static const char *const kValues[] = {
            "", "0", "-1", "256", "2147483647", "-2147483648", "99999999999", "x", " 7", "+3", "1e3", "\"\""};
        const qsizetype from = bytes.isEmpty() ? -1 : bytes.indexOf('"', qsizetype(FRng() % bytes.size()));
        const qsizetype to = from < 0 ? -1 : bytes.indexOf('"', from + 1);
        if (to < 0)
            return bytes;
        return bytes.replace(from + 1, to - from - 1, kValues[FRng() % std::size(kValues)]);
    }

    QTemporaryDir FDir;
    TXMLKeyboard FLoader;
    std::vector<QByteArray> FSeeds;
    std::mt19937 FRng{20240611};
    int FLoaded = 0;
    int FRefused = 0;
};

TEST_F(XMLKeyboardRobustnessTest, TruncatedFilesLoadOrAreRefused)
{
    for (const QByteArray &seed : FSeeds) {
        ASSERT_TRUE(Load(seed));
        const qsizetype step = std::max<qsizetype>(1, seed.size() / 300);
        for (qsizetype length = 0; length < seed.size(); length += step)
            Load(seed.left(length));
    }
    EXPECT_GT(FRefused, 100);
}

TEST_F(XMLKeyboardRobustnessTest, MutatedAndRandomFilesLoadOrAreRefused)
{
    for (int round = 0; round < 600; ++round)
        for (const QByteArray &seed : FSeeds)
            Load(Mutate(seed));
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes;
        const int length = int(FRng() % 2000);
        for (int i = 0; i < length; ++i)
            bytes += RandomByte();
        if (round % 2)
            bytes.prepend("<Keyboard ID=\"1\" Width=\"3\" Height=\"3\">");
        Load(bytes);
    }
    // Both outcomes must occur, or the mutations test nothing.
    EXPECT_GT(FLoaded, 100);
    EXPECT_GT(FRefused, 100);
}

TEST_F(XMLKeyboardRobustnessTest, FolderOfMutatedFilesKeepsTheGoodOnes)
{
    for (int round = 0; round < 10; ++round) {
        QTemporaryDir folder;
        for (int i = 0; i < 20; ++i)
            WriteBytes(folder.path(), QStringLiteral("m%1.xml").arg(i, 2, 10, QLatin1Char('0')),
                       Mutate(FSeeds[size_t(i) % FSeeds.size()]));
        TKeyboards keyboards;
        int skipped = 0;
        try {
            FLoader.LoadFolder(folder.path(), keyboards,
                               [&](const QString &, const QString &) { ++skipped; });
        } catch (const EError &e) {
            EXPECT_EQ(e.Message(),
                      QStringLiteral("В папке %1 не найдены описания клавиатур.").arg(folder.path()));
        }
        EXPECT_EQ(keyboards.Count() + skipped, 20);
    }
}

} // namespace
