#include "release/fmuError.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TfmError::TfmError(const QString &message, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmError"));
    setWindowTitle(QStringLiteral("Ошибка"));
    if (parent)
        setFont(parent->font());

    auto *picture = new QLabel;
    picture->setObjectName(QStringLiteral("imgError"));
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));
    picture->setAlignment(Qt::AlignVCenter);
    lblError = new QLabel(message);
    lblError->setObjectName(QStringLiteral("lblError"));
    lblError->setTextFormat(Qt::PlainText);
    lblError->setWordWrap(true);
    lblError->setMinimumWidth(300);
    lblError->setTextInteractionFlags(Qt::TextSelectableByMouse);

    btnOK = new QPushButton(QStringLiteral("OK"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnSend = new QPushButton(QStringLiteral("Отправить отчет"));
    btnSend->setObjectName(QStringLiteral("btnSend"));
    btnSend->setAutoDefault(false);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnSend, &QPushButton::clicked, this, &QDialog::accept);

    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(lblError, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnSend);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    btnOK->setFocus();
}

void TfmError::keyPressEvent(QKeyEvent *event)
{
    // "Отправить отчет" is the window's cancel button: Escape chooses it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        btnSend->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
