#include "codes/CodeSet.h"
#include "base/Error.h"
#include "base/HexText.h"
#include "base/Win1251.h"
#include "xml/ECXMLParser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {

const QString kShippedFile = QStringLiteral(RAVLIN_DATA_DIR "/Клавиши/Клавиши.xml");

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray Document(const QString &body)
{
    return "<?xml version=\"1.0\" encoding=\"ISO8859-1\" ?>\r\n" + ToWin1251(body);
}

QString LoadError(const QByteArray &bytes)
{
    TCodeSet set;
    try {
        set.LoadFromBytes(bytes);
    } catch (const EError &e) {
        EXPECT_EQ(set.Count(), 0);
        return e.Message();
    }
    return {};
}

// Every group name and entry in order, one line each, for comparison.
std::string Lines(const TCodeSet &set)
{
    QStringList lines;
    for (int g = 0; g < set.Count(); ++g) {
        lines << u"group "_qs + set.Item(g).Name;
        for (int i = 0; i < set.Item(g).Count(); ++i) {
            const TStdCode &e = set.Item(g).Item(i);
            lines << QStringList{e.Name, BytesToHex(e.MakeCode), BytesToHex(e.BreakCode),
                                 BytesToHex(e.ScanCode)}
                         .join(u'|');
        }
    }
    return lines.join(u'\n').toStdString();
}

std::string BuiltInLines()
{
    TCodeSet set;
    set.LoadBuiltIn();
    return Lines(set);
}

} // namespace

TEST(CodeSet, ShippedFileMatchesBuiltInTable)
{
    TCodeSet fromFile;
    fromFile.LoadFromFile(kShippedFile);
    const std::string expected = BuiltInLines();
    EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), 125 + 8 - 1);
    EXPECT_EQ(Lines(fromFile), expected);
}

TEST(CodeSet, ShippedFileHasTheWritersForm)
{
    TCodeSet builtIn;
    builtIn.LoadBuiltIn();
    TECXMLParser p;
    p.Root().SetName(u"Root"_qs);
    for (int g = 0; g < builtIn.Count(); ++g) {
        TXMLItem *group = p.Root().New();
        group->SetName(u"Group"_qs);
        group->SetAttribute(u"Name"_qs, builtIn.Item(g).Name);
        for (int i = 0; i < builtIn.Item(g).Count(); ++i) {
            const TStdCode &e = builtIn.Item(g).Item(i);
            TXMLItem *key = group->New();
            key->SetName(u"Key"_qs);
            key->SetAttribute(u"Name"_qs, e.Name);
            key->SetAttribute(u"Scancode"_qs, BytesToHex(e.ScanCode));
            key->SetAttribute(u"Makecode"_qs, BytesToHex(e.MakeCode));
            key->SetAttribute(u"Breakcode"_qs, BytesToHex(e.BreakCode));
        }
    }
    QFile file(kShippedFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), p.SaveToBytes());
}

TEST(CodeSet, LoadFallsBackToBuiltInTable)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string builtIn = BuiltInLines();
    const QString file = dir.path() + u"/Клавиши/Клавиши.xml"_qs;

    TCodeSet set;
    set.AddGroup(u"old"_qs);
    set.Load(dir.path()); // no file
    EXPECT_EQ(Lines(set), builtIn);

    WriteFile(file, Document(u"<root><Group Name=\"x\"><Key Name=\"Q\" Makecode=\"15\"/></Group></root>"_qs));
    set.Load(dir.path());
    EXPECT_EQ(Lines(set), builtIn);

    WriteFile(file, Document(u"<Root></Root>"_qs));
    set.Load(dir.path());
    EXPECT_EQ(Lines(set), builtIn);

    WriteFile(file, Document(u"<Root><Group Name=\"x\"><Key"_qs));
    set.Load(dir.path());
    EXPECT_EQ(Lines(set), builtIn);

    // A good file replaces the groups held before.
    WriteFile(file, Document(u"<Root><G Name=\"Своя\"><K Name=\"Q\" Makecode=\"15\"/></G></Root>"_qs));
    set.Load(dir.path());
    EXPECT_EQ(Lines(set), "group Своя\nQ|15||");
}

TEST(CodeSet, FileStructureErrors)
{
    EXPECT_EQ(LoadError(Document(u"<root><Group Name=\"x\"/></root>"_qs)),
              u"Неверное имя корневого элемента в файле описания стандартных кодов."_qs);
    EXPECT_EQ(LoadError(Document(u"<Root></Root>"_qs)),
              u"Отсутствуют группы клавиш в файле описания стандартных кодов."_qs);
    EXPECT_FALSE(LoadError(Document(u"<Root><Group"_qs)).isEmpty());

    TCodeSet set;
    EXPECT_THROW(set.LoadFromFile(u"/nonexistent/Клавиши.xml"_qs), EError);
    EXPECT_EQ(set.Count(), 0);
}

TEST(CodeSet, FileCodesAreHexByteText)
{
    TCodeSet set;
    set.LoadFromBytes(
        Document(u"<Root><Group Name=\"a &amp; b\">"
                 "<Key name=\"&lt;x&gt;\" SCANCODE=\"E0F\" Makecode=\"E0 F0 7\" Breakcode=\"\"/>"
                 "<Key Makecode=\"e0,1c\"/></Group><Empty/></Root>"_qs));
    ASSERT_EQ(set.Count(), 2);
    EXPECT_EQ(set.Item(0).Name, u"a & b");
    ASSERT_EQ(set.Item(0).Count(), 2);
    const TStdCode &first = set.Item(0).Item(0);
    EXPECT_EQ(first.Name, u"<x>");
    EXPECT_EQ(first.ScanCode, QByteArray("\xE0\x0F"));
    EXPECT_EQ(first.MakeCode, QByteArray("\xE0\xF0\x07"));
    EXPECT_TRUE(first.BreakCode.isEmpty());
    // Lower-case letters are no digits: they separate.
    EXPECT_EQ(set.Item(0).Item(1).MakeCode, QByteArray("\x00\x01", 2));
    EXPECT_EQ(set.Item(1).Count(), 0);
    EXPECT_TRUE(set.Item(1).Name.isEmpty());
}

TEST(CodeSet, RandomTruncatedAndMutatedFiles)
{
    QFile file(kShippedFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray sample = file.readAll().left(1500) + "</Group></Root>";
    const auto loadAnything = [](const QByteArray &input) {
        TCodeSet set;
        try {
            set.LoadFromBytes(input);
            ASSERT_GT(set.Count(), 0);
        } catch (const EError &) {
            ASSERT_EQ(set.Count(), 0);
        }
    };
    for (qsizetype n = 0; n <= sample.size(); n += 3)
        loadAnything(sample.left(n));

    std::mt19937 rng(5120);
    const char alphabet[] = "<>/=\" \r\n&;ABEF0179RootNameKey";
    for (int round = 0; round < 2000; ++round) {
        QByteArray input = sample;
        for (int e = 1 + int(rng() % 6); e > 0 && !input.isEmpty(); --e) {
            const qsizetype at = qsizetype(rng() % uint32_t(input.size()));
            switch (rng() % 3) {
            case 0:
                input[at] = alphabet[rng() % (sizeof alphabet - 1)];
                break;
            case 1:
                input.remove(at, 1 + qsizetype(rng() % 8));
                break;
            default:
                input.insert(at, char(rng() % 256));
                break;
            }
        }
        loadAnything(input);
    }
    for (int round = 0; round < 500; ++round) {
        QByteArray input(qsizetype(rng() % 300), Qt::Uninitialized);
        for (char &c : input)
            c = (rng() % 2) ? alphabet[rng() % (sizeof alphabet - 1)] : char(rng() % 256);
        loadAnything(input);
    }

    // Through the file as the program reads it: Load never fails.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (int round = 0; round < 30; ++round) {
        WriteFile(dir.path() + u"/Клавиши/Клавиши.xml"_qs,
                  sample.left(qsizetype(rng() % uint32_t(sample.size()))));
        TCodeSet set;
        set.Load(dir.path());
        EXPECT_GT(set.Count(), 0);
    }
}
