#include "CliCommands.h"

#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

namespace {

QtMessageHandler DefaultMessageHandler = nullptr;

// The offscreen platform warns on every start when the session has no
// runtime folder (as under cron or a bare ssh); that says nothing about the
// command, and the tool's own messages must stay alone on standard error.
void MessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    DefaultMessageHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    // Layout pictures are drawn with fonts and images, which need a GUI
    // application; the tool never shows a window, so it draws offscreen and
    // runs without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    DefaultMessageHandler = qInstallMessageHandler(MessageHandler);
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    const int code = RunCli(args, QGuiApplication::applicationDirPath(), out, err);
    out.flush();
    err.flush();
    return code;
}
