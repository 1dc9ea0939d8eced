#include "settings/IniFile.h"
#include "base/Error.h"
#include "base/SafeFile.h"
#include "base/Win1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

namespace {

TIniFile FromText(const char *text)
{
    TIniFile ini;
    ini.FromBytes(QByteArray(text));
    return ini;
}

void WriteBytes(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(IniFile, ReadsSectionsAndKeysWithoutLetterCase)
{
    const TIniFile ini = FromText("top=ignored\r\n"
                                  "; comment=not a key\r\n"
                                  "[Settings]\r\n"
                                  "  Name = some value  \r\n"
                                  "Path=a=b\r\n"
                                  "no equals sign\r\n"
                                  "Empty=\r\n"
                                  "[other]\n"
                                  "Name=second\n"
                                  "[SETTINGS]\r\n"
                                  "Name=duplicate section\r\n"
                                  "Late=only here\r\n");
    EXPECT_TRUE(ini.SectionExists(u"settings"_qs));
    EXPECT_TRUE(ini.SectionExists(u"OTHER"_qs));
    EXPECT_FALSE(ini.SectionExists(u"missing"_qs));
    EXPECT_EQ(ini.SectionNames(), QStringList({u"Settings"_qs, u"other"_qs, u"SETTINGS"_qs}));
    EXPECT_EQ(ini.KeyNames(u"SETTINGS"_qs), QStringList({u"Name"_qs, u"Path"_qs, u"Empty"_qs}))
        << "the first section of a name is the one read";
    EXPECT_TRUE(ini.KeyNames(u"missing"_qs).isEmpty());

    EXPECT_EQ(ini.ReadString(u"settings"_qs, u"NAME"_qs, u"d"_qs), u"some value");
    EXPECT_EQ(ini.ReadString(u"Settings"_qs, u"path"_qs, u"d"_qs), u"a=b");
    EXPECT_EQ(ini.ReadString(u"Settings"_qs, u"Empty"_qs, u"d"_qs), u"");
    EXPECT_EQ(ini.ReadString(u"Settings"_qs, u"Late"_qs, u"d"_qs), u"d");
    EXPECT_EQ(ini.ReadString(u"other"_qs, u"name"_qs, u"d"_qs), u"second");
    EXPECT_EQ(ini.ReadString(u"Settings"_qs, u"; comment"_qs, u"d"_qs), u"d");
    EXPECT_FALSE(ini.ValueExists(u"Settings"_qs, u"no equals sign"_qs));
    EXPECT_TRUE(ini.ValueExists(u"Settings"_qs, u"Empty"_qs));
}

TEST(IniFile, NumbersAndBooleans)
{
    const TIniFile ini = FromText("[s]\r\n"
                                  "dec=42\r\nneg=-7\r\nspaced=  12  \r\nplus=+3\r\n"
                                  "word=abc\r\nfloat=1.5\r\nhex=$10\r\nhuge=99999999999\r\nempty=\r\n"
                                  "zero=0\r\ntwo=2\r\nminus=-1\r\nyes=yes\r\n");
    EXPECT_EQ(ini.ReadInteger(u"s"_qs, u"dec"_qs, 5), 42);
    EXPECT_EQ(ini.ReadInteger(u"s"_qs, u"neg"_qs, 5), -7);
    EXPECT_EQ(ini.ReadInteger(u"s"_qs, u"spaced"_qs, 5), 12);
    EXPECT_EQ(ini.ReadInteger(u"s"_qs, u"plus"_qs, 5), 3);
    for (const char *key : {"word", "float", "hex", "huge", "empty", "missing"})
        EXPECT_EQ(ini.ReadInteger(u"s"_qs, QString::fromLatin1(key), 5), 5) << key;

    EXPECT_FALSE(ini.ReadBool(u"s"_qs, u"zero"_qs, true));
    EXPECT_TRUE(ini.ReadBool(u"s"_qs, u"two"_qs, false));
    EXPECT_TRUE(ini.ReadBool(u"s"_qs, u"minus"_qs, false));
    EXPECT_TRUE(ini.ReadBool(u"s"_qs, u"yes"_qs, true)) << "not a number: the default";
    EXPECT_FALSE(ini.ReadBool(u"s"_qs, u"yes"_qs, false));
    EXPECT_TRUE(ini.ReadBool(u"s"_qs, u"missing"_qs, true));
}

TEST(IniFile, WritingChangesOnlyItsLine)
{
    TIniFile ini = FromText("; settings of the program\r\n"
                            "[Main]\r\n"
                            "Keep=1\r\n"
                            "  Size = 8\r\n"
                            "odd line\r\n"
                            "\r\n"
                            "[Unknown]\r\n"
                            "Other=x\r\n");
    ini.WriteInteger(u"MAIN"_qs, u"size"_qs, 10);
    ini.WriteBool(u"Main"_qs, u"Added"_qs, true);
    ini.WriteString(u"New"_qs, u"Name"_qs, u"value\r\nwith break"_qs);
    ini.WriteBool(u"New"_qs, u"Flag"_qs, false);
    EXPECT_EQ(ini.ToBytes(), QByteArray("; settings of the program\r\n"
                                        "[Main]\r\n"
                                        "Keep=1\r\n"
                                        "Size=10\r\n"
                                        "odd line\r\n"
                                        "Added=1\r\n"
                                        "\r\n"
                                        "[Unknown]\r\n"
                                        "Other=x\r\n"
                                        "[New]\r\n"
                                        "Name=value  with break\r\n"
                                        "Flag=0\r\n"));
    EXPECT_EQ(ini.KeyNames(u"main"_qs), QStringList({u"Keep"_qs, u"Size"_qs, u"Added"_qs}));

    ini.DeleteKey(u"main"_qs, u"KEEP"_qs);
    ini.EraseSection(u"unknown"_qs);
    EXPECT_EQ(ini.KeyNames(u"Main"_qs), QStringList({u"Size"_qs, u"Added"_qs}));
    EXPECT_FALSE(ini.SectionExists(u"Unknown"_qs));
}

TEST(IniFile, FilesAreWindows1251WithCrLf)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fileName = dir.filePath(u"test.ini"_qs);

    TIniFile missing;
    EXPECT_FALSE(missing.LoadFromFile(fileName));
    EXPECT_TRUE(missing.SectionNames().isEmpty());

    TIniFile ini;
    ini.WriteString(u"Раздел"_qs, u"Устройство"_qs, u"PS/2 клавиатура"_qs);
    ini.WriteInteger(u"Раздел"_qs, u"Число"_qs, -12);
    ini.SaveToFile(fileName);
    EXPECT_EQ(ini.FileName(), fileName);

    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes, ToWin1251(u"[Раздел]\r\nУстройство=PS/2 клавиатура\r\nЧисло=-12\r\n"));

    TIniFile loaded;
    EXPECT_TRUE(loaded.LoadFromFile(fileName));
    EXPECT_EQ(loaded.ReadString(u"раздел"_qs, u"устройство"_qs, {}), u"PS/2 клавиатура")
        << "Cyrillic names compare without letter case too";
    EXPECT_EQ(loaded.ReadInteger(u"РАЗДЕЛ"_qs, u"ЧИСЛО"_qs, 0), -12);

    // Loading again replaces the contents.
    WriteBytes(fileName, "[other]\nkey=1\n");
    EXPECT_TRUE(loaded.LoadFromFile(fileName));
    EXPECT_EQ(loaded.SectionNames(), QStringList({u"other"_qs}));

    EXPECT_THROW(ini.SaveToFile(dir.filePath(u"no/such/folder/test.ini"_qs)), EError);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"no"_qs)));
}

// Whatever the bytes, parsing must not fail, and the text written back must
// read back to itself.
TEST(IniFile, GarbageNeverBreaksIt)
{
    const QByteArray valid("; comment\r\n[SETTINGS]\r\nDeviceName=PS/2\r\nFontSize=8\r\n"
                           "[MRU]\r\nFile0=C:\\a.xml\r\nFilter0=0\r\n");
    std::mt19937 random(20240611);
    std::vector<QByteArray> inputs;
    for (int i = 0; i < 200; ++i) {
        QByteArray bytes(int(random() % 400), '\0');
        for (char &byte : bytes)
            byte = char(random());
        inputs.push_back(bytes);
    }
    for (qsizetype length = 0; length <= valid.size(); ++length)
        inputs.push_back(valid.left(length));
    for (int i = 0; i < 300; ++i) {
        QByteArray bytes = valid;
        for (int changes = 1 + int(random() % 4); changes > 0; --changes) {
            const int position = int(random() % bytes.size());
            const char pick[] = {'\0', '\r', '\n', '[', ']', '=', ';', ' ', char(0x98), char(random())};
            bytes[position] = pick[random() % sizeof(pick)];
        }
        inputs.push_back(bytes);
    }
    inputs.push_back(QByteArray(200000, 'x'));
    inputs.push_back("[" + QByteArray(100000, 'a') + "\r\n" + QByteArray(100000, '=') + "\r\n");
    inputs.push_back(QByteArray(1000, '\0'));
    inputs.push_back(QByteArray(1000, '\n'));
    inputs.push_back(QByteArray(1000, '\r'));

    for (const QByteArray &input : inputs) {
        TIniFile ini;
        ini.FromBytes(input);
        const QByteArray written = ini.ToBytes();
        TIniFile again;
        again.FromBytes(written);
        ASSERT_EQ(again.ToBytes(), written);
        for (const QString &section : ini.SectionNames()) {
            const QStringList keys = ini.KeyNames(section);
            ASSERT_EQ(again.KeyNames(section), keys);
            for (const QString &key : keys) {
                ASSERT_EQ(again.ReadString(section, key, u"-"_qs), ini.ReadString(section, key, u"-"_qs));
                ini.ReadInteger(section, key, 0);
            }
        }
        ini.WriteString(u"SETTINGS"_qs, u"FontSize"_qs, u"9"_qs);
        EXPECT_EQ(ini.ReadInteger(u"settings"_qs, u"fontsize"_qs, 0), 9);
    }
}

// A FIFO, a device or a huge file in place of the settings is no settings
// file: the load returns at once with an empty store, and a save never
// replaces such a path.
TEST(IniFile, SpecialAndHugeFilesCountAsMissing)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(u"fifo.ini"_qs);
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit(), 0600), 0);
    TIniFile ini;
    EXPECT_FALSE(ini.LoadFromFile(fifo));
    EXPECT_FALSE(ini.LoadFromFile(u"/dev/zero"_qs));
    const QString huge = dir.filePath(u"huge.ini"_qs);
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[SETTINGS]\r\nKeyboardID=3\r\n");
        ASSERT_TRUE(file.resize(2ll * 1024 * 1024 * 1024));
    }
    EXPECT_FALSE(ini.LoadFromFile(huge));
    EXPECT_TRUE(ini.SectionNames().isEmpty());

    ini.WriteInteger(u"SETTINGS"_qs, u"KeyboardID"_qs, 3);
    EXPECT_THROW(ini.SaveToFile(fifo), EError);
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

TEST(IniFile, FailedSaveKeepsTheOldFileAndNamesIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"RavlinApp.ini"_qs);
    WriteBytes(path, "[SETTINGS]\r\nKeyboardID=1\r\n");
    TIniFile ini(path);
    ini.WriteInteger(u"SETTINGS"_qs, u"KeyboardID"_qs, 7);
    SetWriteFaultHook([](const QString &) { return false; });
    QString message;
    try {
        ini.SaveToFile(path);
    } catch (const EError &e) {
        message = e.Message();
    }
    SetWriteFaultHook(nullptr);
    EXPECT_TRUE(message.contains(u"RavlinApp.ini"_qs) && message.contains(u"No space left on device"_qs))
        << message.toStdString();
    EXPECT_EQ(TIniFile(path).ReadInteger(u"SETTINGS"_qs, u"KeyboardID"_qs, 0), 1);
}
