#include "settings/SettingsManager.h"
#include "base/Error.h"
#include "base/Win1251.h"
#include "settings/DistributorDefaults.h"
#include "settings/IniFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cstdio>
#include <random>

namespace {

// A program folder and a separate per-user configuration folder.
class SettingsFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FRoot.isValid());
        ASSERT_TRUE(QDir(FRoot.path()).mkpath(u"program"_qs));
        ProgramPath = FRoot.filePath(u"program/RavlinApp.exe"_qs);
        IniPath = FRoot.filePath(u"program/RavlinApp.ini"_qs);
        ConfigFolder = FRoot.filePath(u"config/Ravlin"_qs);
        UserIniPath = ConfigFolder + u"/RavlinApp.ini"_qs;
    }

    static void WriteFile(const QString &fileName, const QString &text)
    {
        QFile file(fileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ToWin1251(text));
    }

    static QString ReadFile(const QString &fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? FromWin1251(file.readAll()) : QString();
    }

    QTemporaryDir FRoot;
    QString ProgramPath, IniPath, ConfigFolder, UserIniPath;
};

} // namespace

TEST_F(SettingsFolders, FirstStartGivesDefaults)
{
    const TSettingsManager settings(ProgramPath, ConfigFolder);
    EXPECT_EQ(settings.ProgramFileName(), IniPath);
    EXPECT_EQ(settings.UserFileName(), UserIniPath);
    EXPECT_EQ(settings.FileName(), IniPath);

    EXPECT_EQ(settings.DeviceName(), u"PS/2 клавиатура");
    EXPECT_EQ(settings.KeyboardID(), 1);
    EXPECT_TRUE(settings.CheckUpdateOnLoad());
    EXPECT_TRUE(settings.FirstRun());
    EXPECT_FALSE(settings.SaveBeforeUpload());
    EXPECT_FALSE(settings.MessageFormDocked());
    EXPECT_EQ(settings.DockPanelHeight(), 0);
    EXPECT_EQ(settings.ViewMode(), 0);
    EXPECT_EQ(settings.DriverSocket(), u"");
    EXPECT_TRUE(settings.VerifyAfterWrite());
    // The addresses compiled in by whoever built the program: none unless
    // a distributor set them.
    EXPECT_EQ(settings.UpdateServer(), DistributorDefaults::UpdateServer());
    EXPECT_EQ(settings.DownloadPage(), DistributorDefaults::DownloadPage());
    EXPECT_EQ(settings.ReportAddress(), DistributorDefaults::ReportAddress());
    EXPECT_TRUE(settings.MRU().IsEmpty());

    const TFont &font = settings.Font();
    EXPECT_EQ(font.Name(), u"MS Sans Serif");
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.PixelsPerInch(), 96);
    EXPECT_EQ(font.Charset(), 204);
    EXPECT_EQ(font.Color(), 0u);
    EXPECT_EQ(font.Style(), 0);
    EXPECT_FALSE(QFile::exists(IniPath)) << "reading never writes";

    const TSettingsManager plain(FRoot.filePath(u"program/ravlin"_qs), ConfigFolder);
    EXPECT_EQ(plain.ProgramFileName(), FRoot.filePath(u"program/ravlin.ini"_qs));
    const TSettingsManager dotted(FRoot.filePath(u"program/ravlin.app.exe"_qs), ConfigFolder);
    EXPECT_EQ(dotted.ProgramFileName(), FRoot.filePath(u"program/ravlin.app.ini"_qs));
}

TEST_F(SettingsFolders, ReadsEveryValue)
{
    WriteFile(IniPath, u"[settings]\r\n"
                       "dockpanelheight=120\r\nMessageFormDocked=1\r\nDeviceName=USB клавиатура 1\r\n"
                       "KeyboardID=7\r\nSaveBeforeUpload=2\r\nCheckUpdateOnLoad=0\r\nFirstRun=0\r\n"
                       "ViewMode=258\r\nFontPixelsPerInch=120\r\nFontCharset=460\r\n"
                       "FontColor=-2147483643\r\nFontHeight=-40\r\nFontSize=10\r\nFontStyle=5\r\n"
                       "FontName=Tahoma\r\nDriverSocket=/tmp/kbd.sock\r\nVerifyAfterWrite=0\r\n"
                       "UpdateServer=http://127.0.0.1:8080/\r\nDownloadPage=http://127.0.0.1:8080/get\r\n"
                       "ReportAddress=reports@ravlin.test\r\nLanguage=en\r\n"_qs);
    const TSettingsManager settings(ProgramPath, ConfigFolder);
    EXPECT_EQ(settings.DockPanelHeight(), 120);
    EXPECT_TRUE(settings.MessageFormDocked());
    EXPECT_EQ(settings.DeviceName(), u"USB клавиатура 1");
    EXPECT_EQ(settings.KeyboardID(), 7);
    EXPECT_TRUE(settings.SaveBeforeUpload()) << "any non-zero integer is true";
    EXPECT_FALSE(settings.CheckUpdateOnLoad());
    EXPECT_FALSE(settings.FirstRun());
    EXPECT_EQ(settings.ViewMode(), 2) << "only the low byte is used";
    EXPECT_EQ(settings.DriverSocket(), u"/tmp/kbd.sock");
    EXPECT_FALSE(settings.VerifyAfterWrite());
    EXPECT_EQ(settings.UpdateServer(), u"http://127.0.0.1:8080/");
    EXPECT_EQ(settings.DownloadPage(), u"http://127.0.0.1:8080/get");
    EXPECT_EQ(settings.ReportAddress(), u"reports@ravlin.test");
    EXPECT_EQ(settings.Language(), TLanguage::English);

    const TFont &font = settings.Font();
    EXPECT_EQ(font.PixelsPerInch(), 120);
    EXPECT_EQ(font.Charset(), 204);
    EXPECT_EQ(font.Color(), 0x80000005u);
    EXPECT_EQ(font.Size(), 10) << "the size is applied after the height and decides";
    EXPECT_EQ(font.Height(), -17);
    EXPECT_EQ(font.Name(), u"Tahoma");
    EXPECT_EQ(font.Style(), fsBold | fsUnderline);
    const QFont qfont = font.ToQFont();
    EXPECT_TRUE(qfont.bold());
    EXPECT_TRUE(qfont.underline());
    EXPECT_FALSE(qfont.italic());
    EXPECT_FALSE(qfont.strikeOut());
}

TEST_F(SettingsFolders, GarbageValuesGiveDefaults)
{
    WriteFile(IniPath, u"[SETTINGS]\r\nDockPanelHeight=99999999999\r\nMessageFormDocked=yes\r\n"
                       "KeyboardID=abc\r\nCheckUpdateOnLoad=\r\nFirstRun=0x0\r\nViewMode=1.5\r\nZoomPicture=1000\r\n"
                       "FontPixelsPerInch=\r\nFontSize=8pt\r\nFontStyle=bold\r\nFontColor=red\r\n"
                       "FontCharset=$CC\r\nVerifyAfterWrite=off\r\n"_qs);
    const TSettingsManager settings(ProgramPath, ConfigFolder);
    EXPECT_EQ(settings.DockPanelHeight(), 0);
    EXPECT_FALSE(settings.MessageFormDocked());
    EXPECT_EQ(settings.KeyboardID(), 1);
    EXPECT_TRUE(settings.CheckUpdateOnLoad());
    EXPECT_TRUE(settings.FirstRun());
    EXPECT_EQ(settings.ViewMode(), 0);
    EXPECT_EQ(settings.Zoom(vmPicture), TSettingsManager::kNormalZoom);
    EXPECT_EQ(settings.Font().PixelsPerInch(), 96);
    EXPECT_EQ(settings.Font().Size(), 8);
    EXPECT_EQ(settings.Font().Style(), 0);
    EXPECT_EQ(settings.Font().Color(), 0u);
    EXPECT_EQ(settings.Font().Charset(), 204);
    EXPECT_TRUE(settings.VerifyAfterWrite());
}

TEST_F(SettingsFolders, RecentFilesPairByPosition)
{
    WriteFile(IniPath, u"[MRU]\r\nFile0=C:\\Раскладки\\a.xml\r\nFilter0=1\r\nFile1=b.bin\r\n"
                       "Filter1=x\r\nFile2=odd\r\n"_qs);
    TSettingsManager settings(ProgramPath, ConfigFolder);
    ASSERT_EQ(settings.MRU().Count(), 2) << "the odd last key is ignored";
    EXPECT_EQ(settings.MRU().Item(0), (TMRUEntry{u"C:\\Раскладки\\a.xml"_qs, 1}));
    EXPECT_EQ(settings.MRU().Item(1), (TMRUEntry{u"b.bin"_qs, 0})) << "a format that is not a number is 0";

    WriteFile(IniPath, u"[MRU]\r\nFilter0=3\r\nFile0=a.xml\r\nAnything=c.xml\r\nElse=2\r\n"_qs);
    settings.Load();
    ASSERT_EQ(settings.MRU().Count(), 2) << "Load reads the list anew";
    EXPECT_EQ(settings.MRU().Item(0), (TMRUEntry{u"3"_qs, 0})) << "the path comes from the Filter key";
    EXPECT_EQ(settings.MRU().Item(1), (TMRUEntry{u"c.xml"_qs, 2}));

    WriteFile(IniPath, u"[MRU]\r\nFile0=only\r\n"_qs);
    settings.Load();
    EXPECT_TRUE(settings.MRU().IsEmpty());

    // A list that shrank does not get its old entries back.
    WriteFile(IniPath, u"[MRU]\r\nFile0=a\r\nFilter0=0\r\nFile1=b\r\nFilter1=1\r\nFile2=c\r\nFilter2=0\r\n"_qs);
    settings.Load();
    ASSERT_EQ(settings.MRU().Count(), 3);
    settings.MRU().Delete(2);
    settings.MRU().Delete(1);
    settings.Save();
    settings.Load();
    ASSERT_EQ(settings.MRU().Count(), 1);
    EXPECT_EQ(settings.MRU().Item(0), (TMRUEntry{u"a"_qs, 0}));
}

// A settings file grown by some other tool to tens of thousands of recent
// files loads in linear time and keeps only the entries the menu shows.
TEST_F(SettingsFolders, HugeRecentFilesSectionLoadsQuickly)
{
    QString text = u"[MRU]\r\n"_qs;
    for (int i = 0; i < 25000; ++i)
        text += u"File%1=C:\\Раскладки\\%1.xml\r\nFilter%1=%2\r\n"_qs.arg(i).arg(i % 2);
    WriteFile(IniPath, text);
    QElapsedTimer timer;
    timer.start();
    const TSettingsManager settings(ProgramPath, ConfigFolder);
    const qint64 elapsed = timer.elapsed();
    std::printf("settings with 50000 MRU keys loaded in %lld ms\n", static_cast<long long>(elapsed));
    ASSERT_EQ(settings.MRU().Count(), TSettingsManager::kMaxMRU);
    EXPECT_EQ(settings.MRU().Item(3), (TMRUEntry{u"C:\\Раскладки\\3.xml"_qs, 1}));
    EXPECT_LT(elapsed, 2000);
}

TEST_F(SettingsFolders, SaveWritesEverythingAndKeepsOtherKeys)
{
    WriteFile(IniPath, u"; hand-written\r\n[SETTINGS]\r\nFontName=Arial\r\nOwnKey=kept\r\n\r\n"
                       "[MRU]\r\nFile5=old.xml\r\nFilter5=1\r\n\r\n[Other]\r\nA=1\r\n"_qs);
    TSettingsManager settings(ProgramPath, ConfigFolder);
    settings.SetDockPanelHeight(150);
    settings.SetMessageFormDocked(true);
    settings.SetDeviceName(u"USB клавиатура"_qs);
    settings.SetKeyboardID(12);
    settings.SetSaveBeforeUpload(true);
    settings.SetCheckUpdateOnLoad(false);
    settings.SetFirstRun(false);
    settings.SetViewMode(vmSimplified);
    settings.SetZoom(vmPicture, 150);
    settings.SetZoom(TViewMode(7), 1000);
    settings.SetDriverSocket(u"/run/kbd"_qs);
    settings.SetVerifyAfterWrite(false);
    settings.Font().SetPixelsPerInch(144);
    settings.Font().SetSize(12);
    settings.Font().SetStyle(fsItalic | fsStrikeOut);
    settings.Font().SetColor(0x00FF8000);
    settings.Font().SetCharset(1);
    ASSERT_EQ(settings.MRU().Count(), 1);
    settings.MRU().Clear();
    for (int i = 0; i < 6; ++i)
        settings.MRU().Add({QStringLiteral("file%1.xml").arg(i), i % 2});
    settings.Save();

    const TIniFile ini(IniPath);
    EXPECT_EQ(ini.KeyNames(u"SETTINGS"_qs),
              QStringList({u"FontName"_qs, u"OwnKey"_qs, u"DockPanelHeight"_qs, u"MessageFormDocked"_qs,
                           u"DeviceName"_qs, u"KeyboardID"_qs, u"SaveBeforeUpload"_qs,
                           u"CheckUpdateOnLoad"_qs, u"FirstRun"_qs, u"ViewMode"_qs, u"ZoomLayout"_qs,
                           u"ZoomPicture"_qs, u"ZoomSimplified"_qs, u"FontPixelsPerInch"_qs,
                           u"FontCharset"_qs, u"FontColor"_qs, u"FontHeight"_qs, u"FontSize"_qs,
                           u"FontStyle"_qs, u"DriverSocket"_qs, u"VerifyAfterWrite"_qs, u"Language"_qs, u"UpdateServer"_qs,
                           u"DownloadPage"_qs, u"ReportAddress"_qs}));
    EXPECT_EQ(ini.ReadString(u"SETTINGS"_qs, u"OwnKey"_qs, {}), u"kept");
    EXPECT_EQ(ini.ReadString(u"SETTINGS"_qs, u"MessageFormDocked"_qs, {}), u"1");
    EXPECT_EQ(ini.ReadString(u"SETTINGS"_qs, u"FontColor"_qs, {}), u"16744448");
    EXPECT_EQ(ini.ReadString(u"SETTINGS"_qs, u"FontHeight"_qs, {}), u"-24");
    EXPECT_EQ(ini.ReadString(u"Other"_qs, u"A"_qs, {}), u"1");
    EXPECT_EQ(ini.KeyNames(u"MRU"_qs),
              QStringList({u"File0"_qs, u"Filter0"_qs, u"File1"_qs, u"Filter1"_qs, u"File2"_qs, u"Filter2"_qs,
                           u"File3"_qs, u"Filter3"_qs}))
        << "at most four pairs are written, and the list replaces the old one";
    EXPECT_TRUE(ReadFile(IniPath).startsWith(u"; hand-written\r\n[SETTINGS]\r\n"));
    EXPECT_FALSE(QFile::exists(UserIniPath));

    const TSettingsManager loaded(ProgramPath, ConfigFolder);
    EXPECT_EQ(loaded.DockPanelHeight(), 150);
    EXPECT_TRUE(loaded.MessageFormDocked());
    EXPECT_EQ(loaded.DeviceName(), u"USB клавиатура");
    EXPECT_EQ(loaded.KeyboardID(), 12);
    EXPECT_TRUE(loaded.SaveBeforeUpload());
    EXPECT_FALSE(loaded.CheckUpdateOnLoad());
    EXPECT_FALSE(loaded.FirstRun());
    EXPECT_EQ(loaded.ViewMode(), 2);
    // A mode out of range stands for the layout view; zooms stay in range.
    EXPECT_EQ(loaded.Zoom(vmLayout), TSettingsManager::kMaxZoom);
    EXPECT_EQ(loaded.Zoom(vmPicture), 150);
    EXPECT_EQ(loaded.Zoom(vmSimplified), TSettingsManager::kNormalZoom);
    EXPECT_EQ(loaded.DriverSocket(), u"/run/kbd");
    EXPECT_FALSE(loaded.VerifyAfterWrite());
    EXPECT_EQ(loaded.Font(), settings.Font());
    ASSERT_EQ(loaded.MRU().Count(), 4);
    EXPECT_EQ(loaded.MRU().Item(0), (TMRUEntry{u"file0.xml"_qs, 0}));
    EXPECT_EQ(loaded.MRU().Item(3), (TMRUEntry{u"file3.xml"_qs, 1}));
}

TEST_F(SettingsFolders, UnwritableProgramFolderUsesTheUserFolder)
{
    // A program "folder" that is a plain file cannot hold the settings,
    // whoever runs the test.
    WriteFile(FRoot.filePath(u"blocked"_qs), u"x"_qs);
    TSettingsManager blocked(FRoot.filePath(u"blocked/RavlinApp.exe"_qs), ConfigFolder);
    EXPECT_EQ(blocked.FileName(), UserIniPath);
    blocked.SetKeyboardID(3);
    blocked.Save();
    EXPECT_TRUE(QFile::exists(UserIniPath));
    EXPECT_EQ(TSettingsManager(FRoot.filePath(u"blocked/RavlinApp.exe"_qs), ConfigFolder).KeyboardID(), 3);

    // An existing user file is preferred over the one beside the program.
    WriteFile(IniPath, u"[SETTINGS]\r\nKeyboardID=9\r\n"_qs);
    TSettingsManager preferred(ProgramPath, ConfigFolder);
    EXPECT_EQ(preferred.KeyboardID(), 3);
    EXPECT_EQ(preferred.FileName(), UserIniPath);
    preferred.SetKeyboardID(4);
    preferred.Save();
    EXPECT_EQ(TIniFile(IniPath).ReadInteger(u"SETTINGS"_qs, u"KeyboardID"_qs, 0), 9);
    EXPECT_EQ(TIniFile(UserIniPath).ReadInteger(u"SETTINGS"_qs, u"KeyboardID"_qs, 0), 4);
}

TEST_F(SettingsFolders, ReadOnlyProgramFolder)
{
    WriteFile(IniPath, u"[SETTINGS]\r\nKeyboardID=5\r\nShipped=yes\r\n"_qs);
    const QString folder = QFileInfo(IniPath).absolutePath();
    const auto writable = QFile::permissions(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool stillWritable = QFileInfo(folder).isWritable();
    if (!stillWritable) {
        TSettingsManager settings(ProgramPath, ConfigFolder);
        EXPECT_EQ(settings.KeyboardID(), 5) << "the file beside the program is read";
        EXPECT_EQ(settings.FileName(), UserIniPath);
        settings.SetFirstRun(false);
        EXPECT_NO_THROW(settings.Save());
        const TIniFile user(UserIniPath);
        EXPECT_EQ(user.ReadInteger(u"SETTINGS"_qs, u"KeyboardID"_qs, 0), 5);
        EXPECT_EQ(user.ReadString(u"SETTINGS"_qs, u"Shipped"_qs, {}), u"yes");
        EXPECT_FALSE(TIniFile(IniPath).ValueExists(u"SETTINGS"_qs, u"FirstRun"_qs));
    }
    QFile::setPermissions(folder, writable);
    if (stillWritable)
        GTEST_SKIP() << "the folder stays writable for this user (root)";
}

TEST_F(SettingsFolders, SaveErrorsReachTheCaller)
{
    // The user folder cannot be made: its parent is a plain file.
    WriteFile(FRoot.filePath(u"blocked"_qs), u"x"_qs);
    TSettingsManager settings(FRoot.filePath(u"blocked/RavlinApp.exe"_qs), FRoot.filePath(u"blocked/cfg"_qs));
    EXPECT_THROW(settings.Save(), EError);
}

TEST_F(SettingsFolders, RandomFilesLoadAndSave)
{
    std::mt19937 random(7);
    const QByteArray valid = ToWin1251(u"[SETTINGS]\r\nKeyboardID=3\r\nFontSize=9\r\nFontName=Arial\r\n"
                                       "[MRU]\r\nFile0=a.xml\r\nFilter0=1\r\nFile1=b.xml\r\nFilter1=0\r\n");
    for (int round = 0; round < 150; ++round) {
        QByteArray bytes = valid;
        if (round % 3 == 0) {
            bytes.resize(int(random() % 300));
            for (char &byte : bytes)
                byte = char(random());
        } else {
            bytes.truncate(int(random() % (bytes.size() + 1)));
            for (int changes = int(random() % 6); changes > 0 && !bytes.isEmpty(); --changes)
                bytes[int(random() % bytes.size())] = char(random());
        }
        QFile file(IniPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        TSettingsManager settings(ProgramPath, ConfigFolder);
        ASSERT_LE(settings.MRU().Count(), 4);
        settings.Save();
        const TSettingsManager again(ProgramPath, ConfigFolder);
        ASSERT_EQ(again.KeyboardID(), settings.KeyboardID());
        ASSERT_EQ(again.Font(), settings.Font());
        ASSERT_EQ(again.DeviceName(), settings.DeviceName());
    }
}
