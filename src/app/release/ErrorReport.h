#pragma once

#include "base/Error.h"

#include <QString>
#include <exception>

class QDateTime;
class QWidget;

/// A report mail that could not be handed to the mail client.
class ESendMailException : public EError {
public:
    using EError::EError;
};

/// The error report of program faults: shows the fault in TfmError and,
/// when the user asks for it, hands a short report to the user's mail
/// client (through "xdg-email", whose window is the sending dialog).
class TErrorReport {
public:
    /// Handles error when it is a program fault: shows it and mails the
    /// report if the user chooses "Отправить отчет"; a failed mail is shown
    /// in a message box. Returns false, doing nothing, for the program's own
    /// errors and aborts.
    bool HandleError(QWidget *parent, const std::exception_ptr &error);
    /// Shows message in TfmError and, if the user chooses "Отправить отчет",
    /// mails report; a failed mail is shown in a message box.
    void OfferReport(QWidget *parent, const QString &message, const QString &report);
    /// Shows TfmError modally; returns true when the user chose to send.
    bool ShowError(QWidget *parent, const QString &message);
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
