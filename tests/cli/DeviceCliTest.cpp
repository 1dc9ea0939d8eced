#include "CliTestSupport.h"

#include "device/DeviceLock.h"
#include "files/XMLLayout.h"
#include "model/Layout.h"
#include "support/RichLayout.h"
#include "support/TestCatalogue.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The emulator of the 8 x 8 model serving a private driver socket for the
// life of the test.
class TEmulator {
public:
    explicit TEmulator(const QString &socket, const QStringList &options = {}, const QString &folder = {})
    {
        FProcess.setWorkingDirectory(folder);
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

// Runs the tool in folder.
TRun RavlinIn(const QString &folder, const QStringList &args)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), TestDataHome());
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(RAVLIN_BIN_DIR "/ravlin"), args);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

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
    const TRun same = Ravlin(device + QStringList{QStringLiteral("diff"), layout});
    EXPECT_EQ(same.ExitCode, 0) << same.Out.toStdString() << same.Err.toStdString();
    EXPECT_TRUE(same.Out.isEmpty());
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

TEST(DeviceCli, FilesThatCannotBeWrittenEndTheCommandWithAFailure)
{
    QTemporaryDir dir;
    const QString socket = dir.filePath(QStringLiteral("kbd"));
    const TEmulator emulator(socket);
    const QStringList device = {QStringLiteral("--driver-socket"), socket};
    const QString empty = dir.filePath(QStringLiteral("empty.bin"));
    WriteFile(empty, {});
    const TRun nothing = Ravlin(device + QStringList{QStringLiteral("write-image"), empty});
    EXPECT_EQ(nothing.ExitCode, 2);
    EXPECT_TRUE(nothing.Err.contains(QStringLiteral("пуст"))) << nothing.Err.toStdString();
    const QString big = dir.filePath(QStringLiteral("big.bin"));
    WriteFile(big, QByteArray(70000, '\x11'));
    const TRun tooBig = Ravlin(device + QStringList{QStringLiteral("write-image"), big});
    EXPECT_EQ(tooBig.ExitCode, 1);
    EXPECT_TRUE(tooBig.Err.contains(QStringLiteral("не может превышать 65 килобайт!")));
    const QString text = dir.filePath(QStringLiteral("text.bin"));
    WriteFile(text, "<?xml version=\"1.0\"?><Layout/>");
    const TRun notImage = Ravlin(device + QStringList{QStringLiteral("write-image"), text});
    EXPECT_EQ(notImage.ExitCode, 1);
    EXPECT_TRUE(notImage.Err.contains(QStringLiteral("не является раскладкой клавиатуры"))) << notImage.Err.toStdString();

    const QString program = dir.filePath(QStringLiteral("Other_v2.prg"));
    WriteFile(program, QByteArray(300, '\x22'));
    const TRun declined = Ravlin(device + QStringList{QStringLiteral("write-program"), program});
    EXPECT_EQ(declined.ExitCode, 1);
    EXPECT_TRUE(declined.Err.contains(QStringLiteral("Ответ: нет")));
    const TRun missing = Ravlin(device + QStringList{QStringLiteral("write-program"), dir.filePath(QStringLiteral("none.prg"))});
    EXPECT_EQ(missing.ExitCode, 2);
    const TRun info = Ravlin(device + QStringList{QStringLiteral("info")});
    EXPECT_FALSE(info.Lines().contains(QStringLiteral("Режим клавиатуры\tзагрузчик"))) << info.Out.toStdString();
    EXPECT_TRUE(info.Lines().contains(QStringLiteral("Версия программы\t2.10")));
}

// What every layout form keeps of a layout read from a keyboard: the model and,
// per layer, each key's number, type and (but for the 1.3 forms, which store
// press codes only and rebuild the releases) its codes.
std::string ModelAndKeys(const QString &file, const QStringList &readOptions = {}, bool codes = true)
{
    const TRun dump = Ravlin(readOptions + QStringList{QStringLiteral("dump"), file});
    EXPECT_EQ(dump.ExitCode, 0) << file.toStdString() << dump.Err.toStdString();
    const QJsonObject layout = QJsonDocument::fromJson(dump.Out.toUtf8()).object();
    QJsonArray layers;
    for (const QJsonValue layer : layout[u"layers"].toArray()) {
        QJsonArray keys;
        for (const QJsonValue key : layer[u"keys"].toArray())
            keys.append(codes ? QJsonObject{{u"number"_qs, key[u"number"]},
                                            {u"type"_qs, key[u"type"]},
                                            {u"make"_qs, key[u"makeHex"]},
                                            {u"break"_qs, key[u"breakHex"]}}
                              : QJsonObject{{u"number"_qs, key[u"number"]}, {u"type"_qs, key[u"type"]}});
        layers.append(keys);
    }
    const QJsonObject kept{{u"keyboardId"_qs, layout[u"keyboardId"]}, {u"layers"_qs, layers}};
    return QJsonDocument(kept).toJson(QJsonDocument::Compact).toStdString();
}

// A layout read from a keyboard of each program version is the keyboard's
// image decoded, of the model written, and survives saving in every form
// and reading back with its model and keys.
TEST(DeviceCli, LayoutsOfEveryProgramVersionSurviveEveryForm)
{
    TRichLayoutOptions noPictures;
    noPictures.Pictures = false;
    const QByteArray rich = TXMLLayout(nullptr, ShippedKeyboards()).SaveToString(*MakeRichLayout(ShippedKeyboards(), 1, noPictures));
    for (const QString &version : {QStringLiteral("2.8"), QStringLiteral("2.9"), QStringLiteral("2.10")}) {
        SCOPED_TRACE(version.toStdString());
        QTemporaryDir dir;
        const QString socket = dir.filePath(QStringLiteral("kbd"));
        const TEmulator emulator(socket, {QStringLiteral("--program"), version});
        const QStringList device = {QStringLiteral("--driver-socket"), socket, QStringLiteral("--no-backup")};
        const QString layout = dir.filePath(QStringLiteral("a.xml"));
        QFile file(layout);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(rich);
        file.close();
        const TRun write = Ravlin(device + QStringList{QStringLiteral("--yes"), QStringLiteral("write-layout"), layout});
        ASSERT_EQ(write.ExitCode, 0) << write.Err.toStdString();
        const QString memory = dir.filePath(QStringLiteral("memory.bin"));
        ASSERT_EQ(Ravlin(device + QStringList{QStringLiteral("read-memory"), memory}).ExitCode, 0);

        const QString back = dir.filePath(QStringLiteral("back.xml"));
        const TRun read = Ravlin(device + QStringList{QStringLiteral("read-layout"), back});
        ASSERT_EQ(read.ExitCode, 0) << read.Err.toStdString();
        const std::string expected = ModelAndKeys(back);
        EXPECT_EQ(expected, ModelAndKeys(memory, {QStringLiteral("--in-format"), QStringLiteral("bin")}));
        EXPECT_TRUE(expected.starts_with(R"({"keyboardId":1,)")) << expected;

        for (const QString &format : {QStringLiteral("xml"), QStringLiteral("xml13"), QStringLiteral("bin"),
                                      QStringLiteral("bin13"), QStringLiteral("bin28"), QStringLiteral("bin29")}) {
            SCOPED_TRACE(format.toStdString());
            const bool image = format.startsWith(u"bin");
            const QString saved = dir.filePath(QStringLiteral("saved.") + (image ? u"bin"_qs : u"xml"_qs));
            const TRun convert = Ravlin({QStringLiteral("convert"), QStringLiteral("--format"), format, back, saved});
            ASSERT_EQ(convert.ExitCode, 0) << convert.Err.toStdString();
            if (format.endsWith(u"13"))
                EXPECT_EQ(ModelAndKeys(back, {}, false), ModelAndKeys(saved, {}, false));
            else
                EXPECT_EQ(expected, ModelAndKeys(saved));
        }
    }
}

TEST(DeviceCli, ABusyKeyboardAndARelativeSocket)
{
    QTemporaryDir dir;
    // Both the emulator and the tool take "k.sock" from their current folder.
    const TEmulator emulator(QStringLiteral("k.sock"), {}, dir.path());
    EXPECT_TRUE(emulator.Banner().contains(dir.filePath(QStringLiteral("k.sock")))) << emulator.Banner().toStdString();
    const QStringList device = {QStringLiteral("--driver-socket"), QStringLiteral("k.sock")};
    const QString layout = dir.filePath(QStringLiteral("a.xml"));
    ASSERT_EQ(Ravlin({QStringLiteral("new"), QStringLiteral("1"), layout}).ExitCode, 0);

    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("k.sock"))));

    {
        // Another program holds the keyboard.
        const TDeviceLock lock(dir.filePath(QStringLiteral("k.sock")), 0);
        QElapsedTimer clock;
        clock.start();
        const TRun busy =
            RavlinIn(dir.path(), device + QStringList{QStringLiteral("--yes"), QStringLiteral("write-layout"), layout});
        EXPECT_EQ(busy.ExitCode, 2);
        EXPECT_TRUE(busy.Err.startsWith(QStringLiteral("Клавиатура занята другой программой.")))
            << busy.Err.toStdString();
        EXPECT_GE(clock.elapsed(), 3000) << "it waited a few seconds first";
    }
    const TRun write =
        RavlinIn(dir.path(), device + QStringList{QStringLiteral("--yes"), QStringLiteral("write-layout"), layout});
    EXPECT_EQ(write.ExitCode, 0) << write.Err.toStdString();
    const TRun info = RavlinIn(dir.path(), device + QStringList{QStringLiteral("info")});
    EXPECT_EQ(info.ExitCode, 0) << info.Err.toStdString();
}
