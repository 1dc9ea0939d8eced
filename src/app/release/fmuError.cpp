#include "release/fmuError.h"

#include "base/SafeFile.h"
#include "common/CommandGuard.h"
#include "common/FileDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QLabel *WrappedLabel(const QString &name, const QString &text)
{
    auto *label = new QLabel(text);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QPushButton *Button(const QString &name, const QString &text)
{
    auto *button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TfmError::TfmError(const QString &message, const TReportOffer &offer, QWidget *parent)
    : QDialog(parent), FReport(offer.Report)
{
    setObjectName(QStringLiteral("fmError"));
    setWindowTitle(tr("Ошибка"));
    if (parent)
        setFont(parent->font());

    auto *picture = new QLabel;
    picture->setObjectName(QStringLiteral("imgError"));
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));
    picture->setAlignment(Qt::AlignTop);
    lblError = WrappedLabel(QStringLiteral("lblError"), message);
    lblError->setMinimumWidth(300);
    lblError->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *text = new QVBoxLayout;
    text->addWidget(lblError);

    btnOK = new QPushButton(QStringLiteral("OK"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    if (offer.NoMailReason.isEmpty()) {
        btnSend = Button(QStringLiteral("btnSend"), tr("Отправить отчет"));
        connect(btnSend, &QPushButton::clicked, this, &QDialog::accept);
        buttons->addStretch();
        buttons->addWidget(btnOK);
        buttons->addWidget(btnSend);
    } else {
        text->addSpacing(6);
        text->addWidget(
            WrappedLabel(QStringLiteral("lblNoMail"),
                         tr("%1 Отчет об ошибке можно скопировать в буфер обмена или сохранить в файл.")
                             .arg(offer.NoMailReason)));
        lblDone = WrappedLabel(QStringLiteral("lblDone"), QString());
        lblDone->hide();
        text->addWidget(lblDone);
        auto *btnCopy = Button(QStringLiteral("btnCopy"), tr("Копировать отчет"));
        connect(btnCopy, &QPushButton::clicked, this, &TfmError::btnCopyClick);
        auto *btnSave = Button(QStringLiteral("btnSave"), tr("Сохранить отчет..."));
        connect(btnSave, &QPushButton::clicked, this, &TfmError::btnSaveClick);
        buttons->addWidget(btnCopy);
        buttons->addWidget(btnSave);
        buttons->addStretch();
        buttons->addWidget(btnOK);
    }
    text->addStretch();

    auto *top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    btnOK->setFocus();
}

void TfmError::keyPressEvent(QKeyEvent *event)
{
    // "Отправить отчет" is the window's cancel button: Escape chooses it.
    if (btnSend && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        btnSend->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmError::btnCopyClick()
{
    QApplication::clipboard()->setText(FReport);
    ShowDone(tr("Отчет скопирован в буфер обмена."));
}

void TfmError::btnSaveClick()
{
    TFileDialogOptions options;
    options.Filter = tr("Текстовые файлы (*.txt)|*.txt|Все файлы (*.*)|*.*");
    // The documents folder where there is one, else the home folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    options.FileName = QDir(folder).filePath(QStringLiteral("Отчет об ошибке.txt"));
    const TFileChoice choice = ChooseSaveFile(this, options);
    if (choice.Cancelled())
        return;
    if (CommandGuard::RunCommand(this,
                                 [this, &choice] { WriteFileAtomically(choice.FileName, FReport.toUtf8()); }))
        ShowDone(tr("Отчет сохранен в файл %1.").arg(QDir::toNativeSeparators(choice.FileName)));
}

void TfmError::ShowDone(const QString &text)
{
    lblDone->setText(text);
    lblDone->show();
    // The window grows by the new lines rather than squeezing the wrapped
    // text above them.
    layout()->activate();
    resize(width(), std::max(height(), heightForWidth(width())));
}
