#include "device/LayoutBackups.h"

#include "base/DataFolders.h"
#include "base/Error.h"
#include "base/SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd_hh-mm-ss");
constexpr qsizetype kTimeLength = 19;

// Backups are the files whose names begin with a time in kTimeFormat.
const QRegularExpression &BackupName()
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d_.*\\.bin$"));
    return pattern;
}

// Returns the time a backup's name carries; invalid for a name that only
// looks like one ("2026-13-45_...").
QDateTime TimeOf(const QString &fileName)
{
    return QDateTime::fromString(fileName.left(kTimeLength), kTimeFormat);
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
    return UserDataFolder() + QStringLiteral("/Резервные копии");
}

QString TLayoutBackups::Save(const QByteArray &image, const QString &model, const QDateTime &time)
{
    QDir folder(FFolder);
    if (!folder.mkpath(QStringLiteral(".")))
        throw EError(
            QCoreApplication::translate("TLayoutBackups", "Не удалось создать папку резервных копий \"%1\".")
                .arg(QDir::toNativeSeparators(FFolder)));
    const QString stem = time.toString(kTimeFormat) + u'_' + FileNamePart(model);
    QString name = folder.filePath(stem + QStringLiteral(".bin"));
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = folder.filePath(QStringLiteral("%1_%2.bin").arg(stem).arg(n));
    WriteFileAtomically(name, image);
    // Only a copy that reads back whole counts as a backup; one that cannot
    // be read back at all is as useless as a wrong one.
    bool whole = false;
    try {
        whole = ReadFileBounded(name, image.size()) == image;
    } catch (const EError &) {
    }
    if (!whole) {
        QFile::remove(name);
        throw EError(QCoreApplication::translate(
                         "TLayoutBackups", "Резервная копия \"%1\" прочитана не такой, какой была записана.")
                         .arg(QDir::toNativeSeparators(name)));
    }
    RemoveOld(name);
    return name;
}

QStringList TLayoutBackups::Files() const
{
    const QDir folder(FFolder);
    QList<std::pair<QDateTime, QString>> backups;
    for (const QString &name : folder.entryList({QStringLiteral("*.bin")}, QDir::Files, QDir::Name))
        if (BackupName().match(name).hasMatch())
            if (const QDateTime time = TimeOf(name); time.isValid())
                backups.append({time, name});
    std::stable_sort(backups.begin(), backups.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList files;
    for (const auto &backup : backups)
        files << folder.filePath(backup.second);
    return files;
}

void TLayoutBackups::RemoveOld(const QString &kept) const
{
    // The backup just written stays whatever its time: a clock set back
    // makes it look older than the others.
    QStringList files = Files();
    files.removeAll(kept);
    for (qsizetype i = 0; i + kKeep - 1 < files.size(); ++i)
        QFile::remove(files[i]);
}
