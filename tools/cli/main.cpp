#include "CliCommands.h"

#include "base/DataFolders.h"
#include "base/HeapTuning.h"
#include "translations/Language.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIODevice>
#include <QTextStream>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

QtMessageHandler DefaultMessageHandler = nullptr;
bool Verbose = false;

// Qt's own diagnostics (image plugins, buffers, the offscreen platform's
// warning about a missing runtime folder under cron or a bare ssh) say
// nothing the user of a command can act on, and the tool's own messages
// must stay alone on standard error; --verbose lets them through.
void MessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (Verbose || type == QtFatalMsg)
        DefaultMessageHandler(type, context, message);
}

// Returns the stream the tool's own messages go to. Without --verbose,
// standard error itself is pointed at /dev/null first: libraries below Qt
// (libpng's "libpng error: ...") print there directly, past any message
// handler, and must not mix with the tool's messages.
FILE *UserErrorStream()
{
    if (Verbose)
        return stderr;
    const int user = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (user < 0 || null < 0) {
        if (user >= 0)
            close(user);
        return stderr;
    }
    dup2(null, STDERR_FILENO);
    close(null);
    FILE *stream = fdopen(user, "w");
    return stream ? stream : stderr;
}

} // namespace

int main(int argc, char *argv[])
{
    TuneHeap();
    // Decided before the application exists, so that its own start-up
    // warnings are already held back.
    QStringList rawArgs;
    for (int i = 1; i < argc; ++i)
        rawArgs.append(QString::fromLocal8Bit(argv[i]));
    Verbose = VerboseRequested(rawArgs);
    FILE *const userErrors = UserErrorStream();
    DefaultMessageHandler = qInstallMessageHandler(MessageHandler);
    // Layout pictures are drawn with fonts and images, which need a GUI
    // application; the tool never shows a window, so it draws offscreen and
    // runs without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    InstallTranslations(app, TLanguage::System);
    QStringList args = app.arguments();
    args.removeFirst();
    QTextStream out(stdout);
    QTextStream err(userErrors);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    int code = RunCli(args, ProgramDataFolder(QGuiApplication::applicationDirPath()), out, err);
    out.flush();
    // Output that did not arrive (a full disk, a closed pipe) is a failed
    // command, however the command itself ended.
    if (out.status() != QTextStream::Ok || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        err << QCoreApplication::translate("CliCommands", "Не удалось записать стандартный вывод: %1")
                   .arg(out.device()->errorString())
            << '\n';
        code = ecError;
    }
    err.flush();
    return code;
}
