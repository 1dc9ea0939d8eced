#include "release/ErrorReport.h"

#include "base/ProgramVersion.h"
#include "common/CommandGuard.h"
#include "release/Contacts.h"
#include "release/fmuError.h"

#include <QApplication>
#include <QDateTime>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QSysInfo>
#include <QVersionNumber>

namespace {

// How long the mail tool may take to hand the mail over. A tool that is
// still running then has opened the mail client, which the user now works
// in.
constexpr int kMailToolStartMs = 5000;
constexpr int kMailToolHandOverMs = 10000;

// "Версия ОС" in the form platform.major.minor.build.name: the kernel's
// type and version, then the system's name.
QString SystemVersion()
{
    const QVersionNumber kernel = QVersionNumber::fromString(QSysInfo::kernelVersion());
    return QStringLiteral("%1.%2.%3.%4.%5")
        .arg(QSysInfo::kernelType())
        .arg(kernel.majorVersion())
        .arg(kernel.minorVersion())
        .arg(kernel.microVersion())
        .arg(QSysInfo::prettyProductName());
}

ESendMailException SendMailError(const QString &text)
{
    return ESendMailException(QStringLiteral("Ошибка при отправке сообщения.\n\r%1.").arg(text));
}

} // namespace

bool TErrorReport::HandleError(QWidget *parent, const std::exception_ptr &error)
{
    if (!CommandGuard::IsFault(error))
        return false;
    const QString message = CommandGuard::FaultText(error);
    OfferReport(parent, message, BuildReport(CommandGuard::FaultClassName(error), message));
    return true;
}

void TErrorReport::OfferReport(QWidget *parent, const QString &message, const QString &report)
{
    if (!ShowError(parent, message))
        return;
    const QString title = QApplication::applicationDisplayName();
    try {
        SendMail(SupportEmail(), SupportEmail(), true, report, title, title, QString());
    } catch (const ESendMailException &e) {
        QMessageBox::critical(parent, title, e.Message());
    }
}

bool TErrorReport::ShowError(QWidget *parent, const QString &message)
{
    TfmError form(message, parent);
    return form.exec() == QDialog::Accepted;
}

QString TErrorReport::BuildReport(const QString &className, const QString &message)
{
    return ReportLines(className, message) + DateLine(QDateTime::currentDateTime());
}

QString TErrorReport::ReportLines(const QString &className, const QString &message)
{
    const QString end = QStringLiteral("\r\n");
    return QStringLiteral("Приложение: ") + QApplication::applicationDisplayName() + end +
           QStringLiteral("Класс ошибки: ") + className + end + QStringLiteral("Текст ошибки: ") + message + end +
           QStringLiteral("Версия программы: ") + ProgramVersion() + end + QStringLiteral("Версия ОС: ") +
           SystemVersion() + end;
}

QString TErrorReport::DateLine(const QDateTime &time)
{
    const QLocale locale;
    return QStringLiteral("Дата: %1 Время: %2\r\n")
        .arg(locale.toString(time.date(), QLocale::ShortFormat), locale.toString(time.time(), QLocale::ShortFormat));
}

void TErrorReport::SendMail(const QString &recipientName, const QString &recipientAddress, bool showDialog,
                            const QString &body, const QString &subject, const QString &senderName,
                            const QString &senderAddress)
{
    // The mail client fills in the sender and always shows its window.
    Q_UNUSED(showDialog);
    Q_UNUSED(senderName);
    Q_UNUSED(senderAddress);
    const QString recipient = recipientName == recipientAddress || recipientName.isEmpty()
                                  ? recipientAddress
                                  : QStringLiteral("%1 <%2>").arg(recipientName, recipientAddress);
    // Every value goes as one argument of its own, never through a shell.
    auto *tool = new QProcess(qApp);
    QObject::connect(tool, &QProcess::finished, tool, &QObject::deleteLater);
    tool->start(QStringLiteral("xdg-email"),
                {QStringLiteral("--utf8"), QStringLiteral("--subject"), subject, QStringLiteral("--body"), body,
                 recipient});
    if (!tool->waitForStarted(kMailToolStartMs)) {
        const QString error = tool->errorString();
        tool->deleteLater();
        throw SendMailError(error);
    }
    if (!tool->waitForFinished(kMailToolHandOverMs))
        return;
    if (tool->exitStatus() != QProcess::NormalExit || tool->exitCode() != 0) {
        QString error = QString::fromLocal8Bit(tool->readAllStandardError()).trimmed();
        if (error.isEmpty())
            error = QStringLiteral("xdg-email: код завершения %1").arg(tool->exitCode());
        throw SendMailError(error);
    }
}
