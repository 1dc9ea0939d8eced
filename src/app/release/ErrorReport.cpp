#include "release/ErrorReport.h"

#include "base/ProgramVersion.h"
#include "common/CommandGuard.h"
#include "dialogs/fmuSettings.h"
#include "release/fmuError.h"

#include <QApplication>
#include <QDateTime>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QVersionNumber>

namespace {

// Hands the mail to the user's mail client.
const QString kMailTool = QStringLiteral("xdg-email");

std::function<QString()> &AddressSource()
{
    static std::function<QString()> source;
    return source;
}

QString ReportAddress()
{
    return AddressSource() ? AddressSource()() : QString();
}

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
    return ESendMailException(TErrorReport::tr("Ошибка при отправке сообщения.\n\r%1.").arg(text));
}

} // namespace

void TErrorReport::SetAddressSource(std::function<QString()> source)
{
    AddressSource() = std::move(source);
}

QString TErrorReport::NoMailReason()
{
    if (ReportAddress().isEmpty())
        return tr("Адрес для отчетов об ошибках не задан (окно «Настройки приложения», вкладка «%1»).")
            .arg(TfmSettings::AddressTabName());
    if (QStandardPaths::findExecutable(kMailTool).isEmpty())
        return tr("Почтовая программа не найдена.");
    return QString();
}

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
    if (!ShowError(parent, message, {report, NoMailReason()}))
        return;
    const QString title = QApplication::applicationDisplayName();
    const QString address = ReportAddress();
    try {
        SendMail(address, address, true, report, title, title, QString());
    } catch (const ESendMailException &e) {
        QMessageBox::critical(parent, title, e.Message());
        // The report is not lost with the mail.
        ShowError(parent, message, {report, tr("Отчет не удалось передать почтовой программе.")});
    }
}

bool TErrorReport::ShowError(QWidget *parent, const QString &message, const TReportOffer &offer)
{
    TfmError form(message, offer, parent);
    return form.exec() == QDialog::Accepted;
}

QString TErrorReport::BuildReport(const QString &className, const QString &message)
{
    return ReportLines(className, message) + DateLine(QDateTime::currentDateTime());
}

QString TErrorReport::ReportLines(const QString &className, const QString &message)
{
    const QString end = QStringLiteral("\r\n");
    return tr("Приложение: %1").arg(QApplication::applicationDisplayName()) + end +
           tr("Класс ошибки: %1").arg(className) + end +
           QCoreApplication::translate("TErrorReport", kErrorTextLine).arg(message) + end +
           tr("Версия программы: %1").arg(ProgramVersion()) + end + tr("Версия ОС: %1").arg(SystemVersion()) +
           end;
}

QString TErrorReport::DateLine(const QDateTime &time)
{
    const QLocale locale;
    return tr("Дата: %1 Время: %2")
               .arg(locale.toString(time.date(), QLocale::ShortFormat),
                    locale.toString(time.time(), QLocale::ShortFormat)) +
           QStringLiteral("\r\n");
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
    tool->start(kMailTool,
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
            error = tr("%1: код завершения %2").arg(kMailTool).arg(tool->exitCode());
        throw SendMailError(error);
    }
}
