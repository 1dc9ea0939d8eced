#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

/// What the error window offers besides closing.
struct TReportOffer {
    /// The error report, copied or saved when it cannot be mailed.
    QString Report;
    /// Why the report cannot be mailed; empty when it can, and the window
    /// then offers "Отправить отчет".
    QString NoMailReason;
};

/// "Ошибка": shows a program fault's message and offers the report. "OK"
/// (the default button, Enter) closes it with Rejected. When the report can
/// be mailed, "Отправить отчет" (also the Escape key) closes it with
/// Accepted; otherwise the window says why not and offers "Копировать отчет"
/// (to the clipboard) and "Сохранить отчет..." (into a text file), which
/// leave it open, and Escape closes it as "OK" does.
class TfmError : public QDialog {
    Q_OBJECT
public:
    TfmError(const QString &message, const TReportOffer &offer, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    /// Puts the report on the clipboard.
    void btnCopyClick();
    /// Asks for a file and writes the report into it (UTF-8).
    void btnSaveClick();
    /// Tells what became of the report.
    void ShowDone(const QString &text);

    QString FReport;
    QLabel *lblError;
    QLabel *lblDone = nullptr;
    QPushButton *btnOK;
    QPushButton *btnSend = nullptr;
};
