#include "CliTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The emulator of the 8 x 8 model serving a private driver socket for the
// life of the test.
class TEmulator {
public:
    explicit TEmulator(const QString &socket, const QStringList &options = {})
    {
        FProcess.start(QStringLiteral(RAVLIN_BIN_DIR "/ravlin-kbdsim"),
                       QStringList{QStringLiteral("--driver-socket"), socket, QStringLiteral("--model"),
                                   QStringLiteral("1")} +
                           options);
        EXPECT_TRUE(FProcess.waitForReadyRead(10000));
        FBanner = QString::fromUtf8(FProcess.readAllStandardOutput());
    }
    ~TEmulator()
    {
        FProcess.terminate();
        FProcess.waitForFinished(5000);
    }
    const QString &Banner() const { return FBanner; }

private:
    QProcess FProcess;
    QString FBanner;
};

} // namespace

TEST(DeviceCli, WriteReadAndInfoAgainstTheEmulator)
{
    QTemporaryDir dir;
    const QString socket = dir.filePath(QStringLiteral("kbd"));
    const TEmulator emulator(socket);
    EXPECT_TRUE(emulator.Banner().contains(socket)) << emulator.Banner().toStdString();
    const QStringList device = {QStringLiteral("--driver-socket"), socket};

    const QString layout = dir.filePath(QStringLiteral("a.xml"));
    ASSERT_EQ(Ravlin({QStringLiteral("new"), QStringLiteral("1"), layout}).ExitCode, 0);
    const TRun before = Ravlin(device + QStringList{QStringLiteral("info")});
    EXPECT_EQ(before.ExitCode, 1) << "no valid layout in a new keyboard";
    EXPECT_TRUE(before.Lines().contains(QStringLiteral("Версия программы\t2.10")));

    const TRun write = Ravlin(device + QStringList{QStringLiteral("--yes"), QStringLiteral("write-layout"), layout});
    ASSERT_EQ(write.ExitCode, 0) << write.Err.toStdString();
    EXPECT_TRUE(write.Err.contains(QStringLiteral("Запись раскладки")));
    EXPECT_TRUE(write.Err.contains(QStringLiteral("В клавиатуре нет раскладки: резервная копия не нужна.")));
    EXPECT_TRUE(write.Err.contains(QStringLiteral("Проверка записи")));
    const TRun again = Ravlin(device + QStringList{QStringLiteral("write-layout"), layout});
    ASSERT_EQ(again.ExitCode, 0) << again.Err.toStdString();
    const QString backups = TestDataHome() + QStringLiteral("/ravlin/Резервные копии/");
    EXPECT_TRUE(again.Err.contains(QStringLiteral("Резервная копия раскладки клавиатуры: ") + backups))
        << again.Err.toStdString();
    const TRun unsaved = Ravlin(device + QStringList{QStringLiteral("--no-backup"), QStringLiteral("write-layout"), layout});
    ASSERT_EQ(unsaved.ExitCode, 0);
    EXPECT_FALSE(unsaved.Err.contains(QStringLiteral("Резервная копия")));
    const TRun after = Ravlin(device + QStringList{QStringLiteral("info")});
    EXPECT_EQ(after.ExitCode, 0);
    EXPECT_TRUE(after.Lines().last().endsWith(QStringLiteral("Загруженная раскладка работает нормально.")));

    const QString back = dir.filePath(QStringLiteral("back.xml"));
    ASSERT_EQ(Ravlin(device + QStringList{QStringLiteral("read-layout"), back}).ExitCode, 0);
    const QString image = dir.filePath(QStringLiteral("memory.bin"));
    ASSERT_EQ(Ravlin(device + QStringList{QStringLiteral("read-memory"), image}).ExitCode, 0);
    const QString fromFile = dir.filePath(QStringLiteral("file.bin"));
    ASSERT_EQ(Ravlin({QStringLiteral("convert"), back, fromFile}).ExitCode, 0);
    QFile a(image), b(fromFile);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());

    EXPECT_EQ(Ravlin(device + QStringList{QStringLiteral("mode"), QStringLiteral("loader")}).ExitCode, 0);
    EXPECT_TRUE(Ravlin(device + QStringList{QStringLiteral("info")}).Lines().contains(
        QStringLiteral("Режим клавиатуры\tзагрузчик")));
    EXPECT_EQ(Ravlin(device + QStringList{QStringLiteral("mode"), QStringLiteral("work")}).ExitCode, 0);
    EXPECT_EQ(Ravlin(device + QStringList{QStringLiteral("play"), QStringLiteral("C1;10;5")}).ExitCode, 0);
}

TEST(DeviceCli, QuestionsAreAnsweredNoWithoutYesAndFailuresGiveTheirMessages)
{
    QTemporaryDir dir;
    const QString socket = dir.filePath(QStringLiteral("kbd"));
    const QStringList device = {QStringLiteral("--driver-socket"), socket};
    const QString layout = dir.filePath(QStringLiteral("other.xml"));
    // A layout of another model than the emulated one.
    ASSERT_EQ(Ravlin({QStringLiteral("new"), QStringLiteral("2"), layout}).ExitCode, 0);

    const TRun noDriver = Ravlin(device + QStringList{QStringLiteral("write-layout"), layout});
    EXPECT_EQ(noDriver.ExitCode, 2);
    EXPECT_EQ(noDriver.Err.trimmed(), QStringLiteral("Драйвер для доступа к клавиатуре не установлен"));

    const TEmulator emulator(socket, {QStringLiteral("--stop-after"), QStringLiteral("14")});
    const TRun declined = Ravlin(device + QStringList{QStringLiteral("write-layout"), layout});
    EXPECT_EQ(declined.ExitCode, 1);
    EXPECT_TRUE(declined.Err.contains(QStringLiteral("в клавиатуру другой модели")));
    EXPECT_TRUE(declined.Err.contains(QStringLiteral("Ответ: нет")));

    // The keyboard stops answering during the second command.
    const TRun silent = Ravlin(device + QStringList{QStringLiteral("--yes"), QStringLiteral("write-layout"), layout});
    EXPECT_EQ(silent.ExitCode, 2);
    EXPECT_TRUE(silent.Err.trimmed().endsWith(QStringLiteral("Нет связи"))) << silent.Err.toStdString();
}
