#include "device/LayoutBackups.h"

#include "base/Error.h"

#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd_hh-mm-ss");

// Backups are the files whose names begin with a time in kTimeFormat.
const QRegularExpression &BackupName()
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d_.*\\.bin$"));
    return pattern;
}

// Keeps a model name from leaving the folder or upsetting a file system.
QString FileNamePart(QString text)
{
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1F]"));
    text.replace(unsafe, QStringLiteral("_"));
    return text.isEmpty() ? QStringLiteral("клавиатура") : text;
}

} // namespace

TLayoutBackups::TLayoutBackups(const QString &folder) : FFolder(folder.isEmpty() ? DefaultFolder() : folder) {}

QString TLayoutBackups::DefaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/ravlin/Резервные копии");
}

QString TLayoutBackups::Save(const QByteArray &image, const QString &model, const QDateTime &time)
{
    QDir folder(FFolder);
    if (!folder.mkpath(QStringLiteral(".")))
        throw EError(QStringLiteral("Не удалось создать папку резервных копий \"%1\".")
                         .arg(QDir::toNativeSeparators(FFolder)));
    const QString stem = time.toString(kTimeFormat) + u'_' + FileNamePart(model);
    QString name = folder.filePath(stem + QStringLiteral(".bin"));
    for (int n = 2; QFile::exists(name); ++n)
        name = folder.filePath(QStringLiteral("%1_%2.bin").arg(stem).arg(n));
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size() || !file.commit())
        throw EError(QStringLiteral("Не удалось записать файл \"%1\": %2")
                         .arg(QDir::toNativeSeparators(name), file.errorString()));
    RemoveOld();
    return name;
}

QStringList TLayoutBackups::Files() const
{
    const QDir folder(FFolder);
    QStringList files;
    for (const QString &name : folder.entryList({QStringLiteral("*.bin")}, QDir::Files, QDir::Name))
        if (BackupName().match(name).hasMatch())
            files << folder.filePath(name);
    return files;
}

void TLayoutBackups::RemoveOld() const
{
    const QStringList files = Files();
    for (qsizetype i = 0; i + kKeep < files.size(); ++i)
        QFile::remove(files[i]);
}
