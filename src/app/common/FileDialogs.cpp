#include "common/FileDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

struct TFilterPair {
    QString Description;
    QString Pattern;
};

QList<TFilterPair> FilterPairs(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QList<TFilterPair> pairs;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        pairs.append({parts[i], parts[i + 1]});
    return pairs;
}

TFileChoice RunDialog(QWidget *parent, const TFileDialogOptions &options, bool save)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(!options.Name.isEmpty() ? options.Name
                         : save               ? QStringLiteral("dlgSave")
                                              : QStringLiteral("dlgOpen"));
    dialog.setWindowTitle(save ? QCoreApplication::translate("FileDialogs", "Сохранить как")
                               : QCoreApplication::translate("FileDialogs", "Открыть"));
    // The same widget dialog on every desktop, which tests can drive.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.ConfirmOverwrite);
    const QStringList filters = DialogNameFilters(options.Filter);
    dialog.setNameFilters(filters);
    const int first = qBound(0, options.FilterIndex, qMax(0, int(filters.size()) - 1));
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters[first]);
    const auto suffixFor = [&](int index) {
        return options.DefaultSuffix.isEmpty() ? FilterExtension(options.Filter, index) : options.DefaultSuffix;
    };
    dialog.setDefaultSuffix(suffixFor(first));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString &name) {
        dialog.setDefaultSuffix(suffixFor(int(filters.indexOf(name))));
    });
    const QFileInfo proposed(options.FileName);
    const QString folder = proposed.isAbsolute() ? proposed.absolutePath() : options.Folder;
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (!options.FileName.isEmpty())
        dialog.selectFile(proposed.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().constFirst(), int(qMax(qsizetype(0), filters.indexOf(dialog.selectedNameFilter())))};
}

} // namespace

QStringList DialogNameFilters(const QString &filter)
{
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList filters;
    for (const TFilterPair &pair : FilterPairs(filter)) {
        QString description = pair.Description;
        description.remove(trailingPatterns);
        QString patterns = pair.Pattern;
        patterns.replace(u';', u' ');
        filters << (description == pair.Pattern ? patterns : QStringLiteral("%1 (%2)").arg(description, patterns));
    }
    return filters;
}

QString FilterExtension(const QString &filter, int index)
{
    const QList<TFilterPair> pairs = FilterPairs(filter);
    if (index < 0 || index >= pairs.size())
        return {};
    const QString pattern = pairs[index].Pattern.section(u';', 0, 0).trimmed();
    const QString extension = pattern.mid(2);
    if (!pattern.startsWith(QStringLiteral("*.")) || extension.contains(u'*') || extension.contains(u'?'))
        return {};
    return extension;
}

TFileChoice ChooseOpenFile(QWidget *parent, const TFileDialogOptions &options)
{
    return RunDialog(parent, options, false);
}

TFileChoice ChooseSaveFile(QWidget *parent, const TFileDialogOptions &options)
{
    return RunDialog(parent, options, true);
}

QString ProposedPdfFileName(const QString &layoutFileName, const QString &caption, const QString &folder)
{
    if (!layoutFileName.isEmpty()) {
        const QFileInfo layout(layoutFileName);
        return layout.absoluteDir().filePath(layout.completeBaseName() + QStringLiteral(".pdf"));
    }
    return QDir(folder).filePath(QFileInfo(caption).completeBaseName() + QStringLiteral(".pdf"));
}

QString ChoosePdfFile(QWidget *parent, const QString &proposed)
{
    TFileDialogOptions options;
    // Only the description is translated; the pattern after "|" is the one
    // the dialog filters by.
    options.Filter =
        QCoreApplication::translate("FileDialogs", "Документ PDF (*.pdf)") + QStringLiteral("|*.pdf");
    options.FileName = proposed;
    options.ConfirmOverwrite = false;
    for (;;) {
        const TFileChoice choice = ChooseSaveFile(parent, options);
        if (choice.Cancelled())
            return {};
        QString fileName = choice.FileName;
        if (!fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
            fileName += QStringLiteral(".pdf");
        if (!QFileInfo::exists(fileName) ||
            QMessageBox::question(
                parent, QCoreApplication::translate("FileDialogs", "Печать"),
                QCoreApplication::translate("FileDialogs", "Файл %1 уже существует. Заменить его?")
                    .arg(QDir::toNativeSeparators(fileName))) == QMessageBox::Yes)
            return fileName;
        options.FileName = fileName;
    }
}
