#pragma once

#include "base/Error.h"

#include <QCoreApplication>
#include <QString>
#include <exception>
#include <functional>

class QDateTime;
class QWidget;
struct TReportOffer;

/// A report mail that could not be handed to the mail client.
class ESendMailException : public EError {
public:
    using EError::EError;
};

/// The error report of program faults: shows the fault in TfmError and,
/// when the user asks for it, hands a short report to the user's mail
/// client (through "xdg-email", whose window is the sending dialog). Without
/// a report address or a mail tool the window offers to copy the report or
/// save it to a file instead.
class TErrorReport {
    Q_DECLARE_TR_FUNCTIONS(TErrorReport)

public:
    /// The report's line of the error's text, %1 the text; the crash report
    /// finds the text of a report a crash left by it.
    static constexpr const char *kErrorTextLine = QT_TRANSLATE_NOOP("TErrorReport", "Текст ошибки: %1");

    /// Sets where the address reports are mailed to comes from: the
    /// settings, asked each time a report is offered. Without a source there
    /// is no address.
    static void SetAddressSource(std::function<QString()> source);
    /// Returns why a report cannot be mailed now (no address, no mail
    /// tool); empty when it can.
    static QString NoMailReason();

    /// Handles error when it is a program fault: shows it and mails the
    /// report if the user chooses "Отправить отчет"; a failed mail is shown
    /// in a message box. Returns false, doing nothing, for the program's own
    /// errors and aborts.
    bool HandleError(QWidget *parent, const std::exception_ptr &error);
    /// Shows message in TfmError and, if the user chooses "Отправить отчет",
    /// mails report; a failed mail is shown in a message box, and the window
    /// comes back to copy or save the report. When the report cannot be
    /// mailed, the window offers only to copy or save it.
    void OfferReport(QWidget *parent, const QString &message, const QString &report);
    /// Shows TfmError modally with offer; returns true when the user chose
    /// to send.
    bool ShowError(QWidget *parent, const QString &message, const TReportOffer &offer);
    /// Returns the report's six lines, each ended by CR LF, dated now.
    QString BuildReport(const QString &className, const QString &message);
    /// Returns the report's first five lines, each ended by CR LF: all but
    /// the date.
    QString ReportLines(const QString &className, const QString &message);
    /// Returns the report's last line, "Дата: ... Время: ...", ended by CR LF.
    QString DateLine(const QDateTime &time);
    /// Hands the mail to the mail client. The mail client's window is the
    /// sending dialog, so showDialog and the sender are for the client to
    /// settle. Raises ESendMailException when the client cannot be started
    /// or reports a failure.
    void SendMail(const QString &recipientName, const QString &recipientAddress, bool showDialog,
                  const QString &body, const QString &subject, const QString &senderName,
                  const QString &senderAddress);
};
