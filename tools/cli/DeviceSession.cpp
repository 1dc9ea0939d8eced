#include "DeviceSession.h"

#include <QFileDevice>
#include <unistd.h>

namespace {

// Whether the tool's messages reach a terminal (a person watching), which
// sees a line per block.
bool IsTerminal(const QTextStream &stream)
{
    const auto *file = qobject_cast<const QFileDevice *>(stream.device());
    return file && isatty(file->handle()) != 0;
}

} // namespace

TDeviceSession::TDeviceSession(TCliContext &context)
    : FContext(context), FYes(context.Args.Has(QStringLiteral("yes"))), FTerminal(IsTerminal(context.Err))
{
    TKeyboardManagerOptions options;
    // The settings file and the data folders lie beside the program, or in
    // the folder --data names.
    options.ProgramPath = context.DataFolder + QStringLiteral("/ravlin");
    options.Ports.DriverSocket = context.Args.Value(QStringLiteral("driver-socket"));
    options.Prompts = this;
    options.Backup = !context.Args.Has(QStringLiteral("no-backup"));
    FManager = std::make_unique<TKeyboardManager>(options);
    FManager->Progress().OnProgress = [this](TProgress &progress) { ShowProgress(progress); };
    FManager->OnMessage = [this](const QString &text, const TLayout *) { FContext.Err << text << '\n'; };
    const QString device = context.Args.Value(QStringLiteral("device"));
    if (!device.isEmpty())
        FManager->SetDeviceName(device);
}

TDeviceSession::~TDeviceSession() = default;

bool TDeviceSession::Ask(const QString &text)
{
    FContext.Err << QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed() << '\n'
                 << (FYes ? tr("Ответ: да (--yes).") : tr("Ответ: нет (--yes отвечает да).")) << '\n';
    FContext.Err.flush();
    return FYes;
}

void TDeviceSession::Warn(const QString &text)
{
    FContext.Err << QString(text).remove(u'\r').trimmed() << '\n';
}

QString TDeviceSession::ChooseFile(const QString &, const QString &, const QString &)
{
    return QString();
}

void TDeviceSession::ShowProgress(const TProgress &progress)
{
    // A terminal sees every block; a log gets the start and the end only.
    QTextStream &err = FContext.Err;
    switch (progress.State()) {
    case psStarted:
        err << tr("%1: %2 блоков").arg(progress.Caption()).arg(progress.Max()) << '\n';
        break;
    case psStep:
        if (FTerminal && progress.Max() > 0)
            err << QStringLiteral("%1: %2 %").arg(progress.Caption()).arg(progress.Position() * 100 / progress.Max())
                << '\n';
        break;
    case psFinished:
        err << tr("%1: завершено, %2 с").arg(progress.Caption()).arg(progress.Elapsed()) << '\n';
        break;
    }
    err.flush();
}
