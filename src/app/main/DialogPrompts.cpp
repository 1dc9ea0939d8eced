#include "main/DialogPrompts.h"

#include "common/FileDialogs.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

// Translated when a box is shown, after the translation is loaded.
QString Caption()
{
    return QCoreApplication::translate("TDialogPrompts", "Внимание");
}

} // namespace

bool TDialogPrompts::Ask(const QString &text)
{
    return QMessageBox::warning(FParent, Caption(), text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

void TDialogPrompts::Warn(const QString &text)
{
    QMessageBox::warning(FParent, Caption(), text, QMessageBox::Ok);
}

QString TDialogPrompts::ChooseFile(const QString &filter, const QString &proposedName, const QString &folder)
{
    TFileDialogOptions options;
    options.Filter = filter;
    options.Folder = folder;
    options.FileName = proposedName;
    return ChooseOpenFile(FParent, options).FileName;
}
