#include "KeyboardManagerFixture.h"

#include "base/SafeFile.h"
#include "device/LayoutBackups.h"
#include "settings/SettingsManager.h"

#include <QDir>
#include <QFileInfo>

// The backup taken before a layout is written and the comparison after it.

namespace {

QByteArray ReadAll(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::unique_ptr<TLayout> EmptyLayout()
{
    auto layout = std::make_unique<TLayout>();
    layout->ChangeKeyboard(ShippedKeyboards().ByID(3));
    return layout;
}

} // namespace

TEST_F(KeyboardManagerTest, BackupKeepsTheKeyboardsLayoutBeforeANewOneIsWritten)
{
    Connect();
    const auto empty = EmptyLayout();
    FManager->WriteLayout(*empty);
    EXPECT_EQ(FMessages, QStringList{QStringLiteral("В клавиатуре нет раскладки: резервная копия не нужна.")});
    const TLayoutBackups backups(BackupFolder());
    EXPECT_TRUE(backups.Files().isEmpty());
    const QByteArray emptyImage = FManager->ImageFormat().SaveToString(*empty);

    FMessages.clear();
    const auto rich = MakeRichLayout(ShippedKeyboards(), 3, {false, false, true});
    FManager->WriteLayout(*rich);
    QStringList files = backups.Files();
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(FMessages, QStringList{QStringLiteral("Резервная копия раскладки клавиатуры: ") + files[0]});
    EXPECT_TRUE(QFileInfo(files[0]).fileName().endsWith(u'_' + ShippedKeyboards().ByModel(3).Name + QStringLiteral(".bin")));
    EXPECT_EQ(ReadAll(files[0]), emptyImage);

    // Writing the backup back is an image file write: it backs up the rich
    // layout first and restores the empty one.
    FManager->WriteImageFile(files[0]);
    files = backups.Files();
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(ReadAll(files[1]), FManager->ImageFormat().SaveToString(*rich));
    EXPECT_EQ(FSimulator->LayoutMemory().left(emptyImage.size()), emptyImage);
    EXPECT_TRUE(FSimulator->Status().LayoutValid);
}

TEST(LayoutBackups, KeepTheNewestTwentyAndNothingElseIsTouched)
{
    QTemporaryDir dir;
    const TLayoutBackups backups(dir.filePath(QStringLiteral("b/c")));
    const QDateTime start(QDate(2026, 1, 2), QTime(3, 4, 0));
    QString last;
    for (int i = 0; i < 25; ++i)
        last = TLayoutBackups(backups).Save(QByteArray(1, char(i)), QStringLiteral("KP/120"), start.addSecs(i));
    EXPECT_EQ(QFileInfo(last).fileName(), QStringLiteral("2026-01-02_03-04-24_KP_120.bin"));
    // Files the user put there stay, whatever their names.
    for (const QString &name : {QStringLiteral("notes.txt"), QStringLiteral("my.bin"), QStringLiteral("2020-01-01_x.bin")})
        WriteAll(QDir(backups.Folder()).filePath(name), "own");

    const QString again = TLayoutBackups(backups).Save("x", QStringLiteral("KP/120"), start.addSecs(24));
    EXPECT_EQ(QFileInfo(again).fileName(), QStringLiteral("2026-01-02_03-04-24_KP_120_2.bin"));
    const QStringList files = backups.Files();
    ASSERT_EQ(files.size(), TLayoutBackups::kKeep);
    EXPECT_EQ(ReadAll(files.first()), QByteArray(1, char(6)));
    EXPECT_EQ(files.last(), again);
    EXPECT_EQ(ReadAll(last), QByteArray(1, char(24)));
    EXPECT_EQ(QDir(backups.Folder()).entryList(QDir::Files).size(), TLayoutBackups::kKeep + 3);

    // A folder that cannot be made is an error with the folder's name.
    WriteAll(dir.filePath(QStringLiteral("file")), "x");
    TLayoutBackups blocked(dir.filePath(QStringLiteral("file/sub")));
    EXPECT_THROW(blocked.Save("x", QStringLiteral("m"), start), EError);
}

TEST_F(KeyboardManagerTest, AFailedBackupAsksBeforeWriting)
{
    Connect();
    const auto rich = MakeRichLayout(ShippedKeyboards(), 3, {false, false, true});
    FManager->WriteLayout(*rich);
    const QByteArray before = FSimulator->LayoutMemory();
    // The backup folder's place is taken by a file.
    WriteAll(BackupFolder(), "x");

    const auto empty = EmptyLayout();
    FPrompts.Answer = false;
    FPrompts.Questions.clear();
    EXPECT_THROW(FManager->WriteLayout(*empty), EAbort);
    ASSERT_EQ(FPrompts.Questions.size(), 1);
    EXPECT_TRUE(FPrompts.Questions[0].startsWith(
        QStringLiteral("Не удалось сохранить резервную копию раскладки клавиатуры:\r\nНе удалось создать папку")));
    EXPECT_TRUE(FPrompts.Questions[0].endsWith(QStringLiteral("Записать раскладку без резервной копии ?")));
    EXPECT_EQ(FSimulator->LayoutMemory(), before);
    EXPECT_FALSE(FSimulator->Status().LoaderMode);

    FPrompts.Answer = true;
    FManager->WriteLayout(*empty);
    const QByteArray emptyImage = FManager->ImageFormat().SaveToString(*empty);
    EXPECT_EQ(FSimulator->LayoutMemory().left(emptyImage.size()), emptyImage);
}

TEST_F(KeyboardManagerTest, ABackupThatIsNotWrittenWholeIsNoBackup)
{
    Connect();
    const auto rich = MakeRichLayout(ShippedKeyboards(), 3, {false, false, true});
    FManager->WriteLayout(*rich);
    const QByteArray before = FSimulator->LayoutMemory();
    // The disk is full for the backup folder only.
    SetWriteFaultHook([this](const QString &path) { return !path.startsWith(BackupFolder()); });
    const auto empty = EmptyLayout();
    FPrompts.Answer = false;
    FPrompts.Questions.clear();
    FMessages.clear();
    EXPECT_THROW(FManager->WriteLayout(*empty), EAbort);
    SetWriteFaultHook(nullptr);
    ASSERT_EQ(FPrompts.Questions.size(), 1);
    EXPECT_TRUE(FPrompts.Questions[0].startsWith(
        QStringLiteral("Не удалось сохранить резервную копию раскладки клавиатуры:\r\nНе удалось записать файл")))
        << FPrompts.Questions[0].toStdString();
    EXPECT_TRUE(FMessages.filter(QStringLiteral("Резервная копия")).isEmpty()) << "no backup is announced";
    EXPECT_TRUE(TLayoutBackups(BackupFolder()).Files().isEmpty());
    EXPECT_EQ(FSimulator->LayoutMemory(), before);
    EXPECT_FALSE(FSimulator->Status().LoaderMode);
}

TEST(LayoutBackups, TheNewBackupStaysWhenTheClockWasSetBack)
{
    QTemporaryDir dir;
    const TLayoutBackups backups(dir.filePath(QStringLiteral("b")));
    const QDateTime later(QDate(2030, 5, 6), QTime(7, 8, 9));
    for (int i = 0; i < TLayoutBackups::kKeep; ++i)
        TLayoutBackups(backups).Save("old", QStringLiteral("KP"), later.addSecs(i));
    // Looks like a backup, but no such time exists: not one of ours.
    const QString foreign = QDir(backups.Folder()).filePath(QStringLiteral("2030-13-45_99-99-99_KP.bin"));
    WriteAll(foreign, "own");

    const QString now = TLayoutBackups(backups).Save("new", QStringLiteral("KP"), later.addYears(-4));
    EXPECT_EQ(ReadAll(now), "new");
    const QStringList files = backups.Files();
    ASSERT_EQ(files.size(), TLayoutBackups::kKeep);
    EXPECT_EQ(files.first(), now) << "oldest by its name's time";
    EXPECT_EQ(QFileInfo(files[1]).fileName(), QStringLiteral("2030-05-06_07-08-10_KP.bin"))
        << "the oldest of the others made room";
    EXPECT_EQ(ReadAll(foreign), "own");
}

TEST_F(KeyboardManagerTest, TheKeyboardsMemoryReplacesAFileOnlyWhenWrittenWhole)
{
    Connect(MakeOptions(10), false);
    const auto rich = MakeRichLayout(ShippedKeyboards(), 3, {false, false, true});
    FManager->WriteLayout(*rich);
    const QString file = FDir.filePath(QStringLiteral("memory.bin"));
    WriteAll(file, "old");
    SetWriteFaultHook([](const QString &) { return false; });
    EXPECT_TRUE(ErrorOf([&] { FManager->ReadMemoryToFile(file); }).startsWith(QStringLiteral("Не удалось записать файл")));
    SetWriteFaultHook(nullptr);
    EXPECT_EQ(ReadAll(file), "old");
    FManager->ReadMemoryToFile(file);
    EXPECT_EQ(ReadAll(file), FManager->ImageFormat().SaveToString(*rich));
}

TEST_F(KeyboardManagerTest, WithoutBackupNothingIsReadBeforeWriting)
{
    Connect(MakeOptions(10), false);
    FManager->Settings().SetVerifyAfterWrite(false);
    const auto rich = MakeRichLayout(ShippedKeyboards(), 3, {false, false, true});
    FManager->WriteLayout(*rich);
    FManager->WriteLayout(*rich);
    EXPECT_EQ(BlockReads(), 0);
    EXPECT_TRUE(FMessages.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(BackupFolder()));
}

TEST_F(KeyboardManagerTest, WrittenLayoutIsReadBackAndCompared)
{
    Connect(MakeOptions(10), false);
    const auto rich = MakeRichLayout(ShippedKeyboards(), 3, {false, false, true});
    const int start = FSimulator->FramesReceived();
    FManager->WriteLayout(*rich);
    const QByteArray image = FManager->ImageFormat().SaveToString(*rich);
    const QList<QByteArray> requests = FSimulator->Requests().mid(start);
    EXPECT_EQ(BlockReads(), (image.size() + 127) / 128) << "after the header block, every byte is read back";

    // The same write again on a zeroed memory, with the third memory write
    // (address 256) lost by the keyboard.
    int third = 0;
    for (int writes = 0; writes < 3; ++third)
        writes += uint8_t(requests[third][0]) == kcWriteMemory;
    FSimulator->SetLayoutMemory({});
    TSimulatorFaults faults;
    faults.LoseFrame = FSimulator->FramesReceived() + third;
    FSimulator->SetFaults(faults);
    int address = 256;
    while (image[address] == 0)
        ++address;
    ASSERT_LT(address, 384);
    EXPECT_EQ(ErrorOf([&] { FManager->WriteLayout(*rich); }),
              QStringLiteral("Ошибка проверки записи: адрес %1.").arg(address));
    EXPECT_FALSE(FSimulator->Status().LayoutValid) << "the keyboard does not keep a layout it did not get whole";

    FSimulator->SetFaults({});
    FManager->WriteLayout(*rich);
    EXPECT_TRUE(FSimulator->Status().LayoutValid);

    // Without the comparison, nothing is read back.
    FManager->Settings().SetVerifyAfterWrite(false);
    const int reads = BlockReads();
    FManager->WriteLayout(*rich);
    EXPECT_EQ(BlockReads(), reads);
}
