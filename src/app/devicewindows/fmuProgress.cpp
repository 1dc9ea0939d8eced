#include "devicewindows/fmuProgress.h"

#include "common/CommandGuard.h"
#include "device/Progress.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TfmProgress::TfmProgress(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmProgress"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    // Shown, it blocks the other windows while the operation runs.
    setWindowModality(Qt::ApplicationModal);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    lblName = new QLabel(tr("Выполнено:"), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    lblProgress = new QLabel(QStringLiteral("0 %"), this);
    lblProgress->setObjectName(QStringLiteral("lblProgress"));
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setTextVisible(false);
    ProgressBar->setMinimumWidth(300);
    lblTimeLeft_ = new QLabel(tr("Прошло времени, с:"), this);
    lblTimeLeft_->setObjectName(QStringLiteral("lblTimeLeft_"));
    lblTimeLeft = new QLabel(QStringLiteral("0"), this);
    lblTimeLeft->setObjectName(QStringLiteral("lblTimeLeft"));
    btnCancel = new QPushButton(tr("Прервать"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnCancel, &QPushButton::clicked, this, &TfmProgress::reject);

    auto *labels = new QGridLayout;
    labels->addWidget(lblName, 0, 0);
    labels->addWidget(lblProgress, 0, 1);
    labels->addWidget(lblTimeLeft_, 1, 0);
    labels->addWidget(lblTimeLeft, 1, 1);
    labels->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(labels);
    layout->addWidget(ProgressBar);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfmProgress::ShowProgress(TProgress &progress)
{
    FProgress = &progress;
    switch (progress.State()) {
    case psStarted:
        ProgressBar->setMaximum(qMax(progress.Max(), 1));
        ProgressBar->setValue(0);
        lblProgress->setText(QStringLiteral("0 %"));
        lblTimeLeft->setText(QStringLiteral("0"));
        setWindowTitle(progress.Caption());
        show();
        raise();
        break;
    case psStep:
        // An operation of no steps has nothing to share out.
        lblProgress->setText(QStringLiteral("%1 %").arg(
            progress.Max() > 0 ? qint64(progress.Position()) * 100 / progress.Max() : 100));
        ProgressBar->setValue(qBound(0, progress.Position(), ProgressBar->maximum()));
        lblTimeLeft->setText(QString::number(progress.Elapsed()));
        break;
    case psFinished:
        lblTimeLeft->setText(QString::number(progress.Elapsed()));
        hide();
        break;
    }
    QCoreApplication::processEvents();
}

void TfmProgress::reject()
{
    CommandGuard::RunCommand(this, [this] { btnCancelClick(); });
}

void TfmProgress::btnCancelClick()
{
    if (QMessageBox::warning(this, QApplication::applicationDisplayName(), tr("Прервать операцию ?"),
                             QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes &&
        FProgress)
        FProgress->Cancel();
}
