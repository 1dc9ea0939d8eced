#include "KeyboardSimulator.h"
#include "SimulatorOptions.h"
#include "SimulatorServer.h"

#include "base/DataFolders.h"
#include "base/Error.h"
#include "base/ProgramVersion.h"
#include "catalogue/Keyboards.h"
#include "catalogue/XMLKeyboard.h"
#include "translations/Language.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <unistd.h>

// ravlin-kbdsim: an emulated keyboard behind the driver socket, for trying
// the editor and the command-line tool without a keyboard.

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitBadOptions = 2;

// Written by the signal handler, read in the event loop: the only safe way
// to leave the loop from a signal.
int SignalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(SignalPipe[1], &byte, 1);
}

void Print(FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

// Makes SIGINT and SIGTERM quit the event loop, so that the server is
// stopped and the socket file removed.
void QuitOnSignals(QCoreApplication &application)
{
    if (::pipe(SignalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    InstallTranslations(application, TLanguage::System);
    QStringList args = application.arguments();
    args.removeFirst();

    TSimulatorOptions options;
    QString socketPath;
    try {
        options = TSimulatorOptions::FromArguments(args, &socketPath);
    } catch (const EError &error) {
        const QString hint = QCoreApplication::translate("KbdSim", "Справка: ravlin-kbdsim --help");
        Print(stderr, error.Message() + u'\n' + hint + u'\n');
        return kExitBadOptions;
    }
    if (options.Help) {
        Print(stdout, TSimulatorOptions::Usage());
        return 0;
    }
    if (options.Version) {
        Print(stdout, QStringLiteral("ravlin-kbdsim ") + ProgramVersion() + u'\n');
        return 0;
    }
    if (options.DataFolder.isEmpty())
        options.DataFolder = ProgramDataFolder(QCoreApplication::applicationDirPath());

    TKeyboards keyboards;
    try {
        TXMLKeyboard().LoadFolder(options.KeyboardsFolder(), keyboards);
    } catch (const EError &error) {
        Print(stderr, error.Message() + u'\n');
        return kExitFailure;
    }
    const TKeyboard *model = keyboards.FindByModel(options.ModelCode);
    if (!model) {
        const QString message =
            QCoreApplication::translate("KbdSim", "Не найдено описание клавиатуры с кодом модели %1.");
        Print(stderr, message.arg(options.ModelCode) + u'\n');
        return kExitBadOptions;
    }

    try {
        TKeyboardSimulator simulator(*model, options);
        TSimulatorServer server(simulator, socketPath);
        QuitOnSignals(application);
        server.Start();
        const QString listening =
            QCoreApplication::translate("KbdSim", "Эмулятор клавиатуры %1 (модель %2) слушает %3");
        Print(stdout, listening.arg(model->ClassName).arg(model->Model).arg(socketPath) + u'\n');
        application.exec();
        server.Stop();
    } catch (const EError &error) {
        Print(stderr, error.Message() + u'\n');
        return kExitFailure;
    }
    return 0;
}
