#include "CliTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void CopyShippedModels(const QString &targetFolder)
{
    const QDir source(QStringLiteral(RAVLIN_DATA_DIR "/Клавиатуры"));
    ASSERT_TRUE(QDir().mkpath(targetFolder));
    for (const QString &name : source.entryList({QStringLiteral("*.xml")}, QDir::Files))
        ASSERT_TRUE(QFile::copy(source.filePath(name), targetFolder + u'/' + name));
}

} // namespace

TEST(Cli, HelpListsEveryCommandAndBadCallsFail)
{
    const TRun help = Ravlin({QStringLiteral("--help")});
    EXPECT_EQ(help.ExitCode, 0);
    for (const char *command : {"models", "codes"})
        EXPECT_TRUE(help.Out.contains(QString::fromLatin1("  ") + QString::fromLatin1(command))) << command;
    EXPECT_TRUE(help.Out.contains(QStringLiteral("--data DIR")));

    // The version of the project, whatever else the command line holds.
    const TRun version = Ravlin({QStringLiteral("--version"), QStringLiteral("models")});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Out, QStringLiteral("ravlin 1.0.0.0\n"));

    EXPECT_EQ(Ravlin({}).ExitCode, 2);
    const TRun unknown = Ravlin({QStringLiteral("frobnicate")});
    EXPECT_EQ(unknown.ExitCode, 2);
    EXPECT_EQ(unknown.Err.trimmed(), QStringLiteral("Неизвестная команда: frobnicate"));
    EXPECT_EQ(Ravlin({QStringLiteral("codes"), QStringLiteral("--bogus")}).ExitCode, 2);
    EXPECT_EQ(Ravlin({QStringLiteral("codes"), QStringLiteral("--data")}).ExitCode, 2);
    EXPECT_EQ(Ravlin({QStringLiteral("models"), QStringLiteral("extra")}).ExitCode, 2);
}

TEST(Cli, CodesPrintsTheStandardTable)
{
    const TRun run = Ravlin({QStringLiteral("codes")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QStringList lines = run.Lines();
    ASSERT_EQ(lines.size(), 125);
    EXPECT_EQ(lines.first(), QStringLiteral("A\t1C\tF01C\t1E"));
    EXPECT_TRUE(lines.contains(QStringLiteral("RCtrl\tE014\tE0F014\tE01D")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Pause/Break\tE11477E1F014F077\t\t45")));
    EXPECT_EQ(lines.last().section(u'\t', 0, 0), QStringLiteral("WWWFavorites"));

    // A data folder without the code file falls back to the built-in table.
    QTemporaryDir empty;
    const TRun builtIn = Ravlin({QStringLiteral("codes"), QStringLiteral("--data"), empty.path()});
    EXPECT_EQ(builtIn.ExitCode, 0);
    EXPECT_EQ(builtIn.Out, run.Out);
}

TEST(Cli, ModelsListsTheCatalogueAndReportsBrokenFiles)
{
    const TRun shipped = Ravlin({QStringLiteral("models")});
    ASSERT_EQ(shipped.ExitCode, 0) << shipped.Err.toStdString();
    const int shippedCount = int(QDir(QStringLiteral(RAVLIN_DATA_DIR "/Клавиатуры"))
                                     .entryList({QStringLiteral("*.xml")}, QDir::Files)
                                     .size());
    ASSERT_EQ(shipped.Lines().size(), shippedCount);
    for (const QString &line : shipped.Lines())
        EXPECT_EQ(line.count(u'\t'), 8) << line.toStdString();
    EXPECT_TRUE(shipped.Err.isEmpty());

    QTemporaryDir data;
    const QString models = data.filePath(QStringLiteral("Клавиатуры"));
    CopyShippedModels(models);
    WriteFile(models + QStringLiteral("/broken.xml"), "<?xml version=\"1.0\"?>\r\n<Keyboard ID=\"77\"/>");
    const TRun run = Ravlin({QStringLiteral("models"), QStringLiteral("--data"), data.path()});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Lines(), shipped.Lines());
    EXPECT_TRUE(run.Err.startsWith(QStringLiteral("Ошибка в файле broken.xml: ")))
        << run.Err.toStdString();

    QTemporaryDir nothing;
    const TRun missing = Ravlin({QStringLiteral("--data"), nothing.path(), QStringLiteral("models")});
    EXPECT_EQ(missing.ExitCode, 2);
    EXPECT_EQ(missing.Err,
              QStringLiteral("Не удалось загрузить описания клавиатур:\r\nНе существует директория \"%1\"\n")
                  .arg(nothing.filePath(QStringLiteral("Клавиатуры"))));
}
