#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

/// "Ошибка": shows a program fault's message and offers to mail a report.
/// "OK" (the default button, Enter) closes it with Rejected; "Отправить
/// отчет" (also the Escape key) closes it with Accepted.
class TfmError : public QDialog {
    Q_OBJECT
public:
    explicit TfmError(const QString &message, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *lblError;
    QPushButton *btnOK;
    QPushButton *btnSend;
};
