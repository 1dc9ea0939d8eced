#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

/// The folder of layout images saved from the keyboard before anything new is
/// written into its layout memory. Files are named by the time and the model,
/// "yyyy-MM-dd_hh-mm-ss_MODEL.bin"; only the newest kKeep of them (by the
/// time in the name) are kept. Other files in the folder are never touched.
class TLayoutBackups {
public:
    /// How many backups the folder keeps.
    static constexpr int kKeep = 20;

    /// folder: empty means DefaultFolder().
    explicit TLayoutBackups(const QString &folder = {});

    /// Returns the per-user data folder's "ravlin/Резервные копии".
    static QString DefaultFolder();
    const QString &Folder() const { return FFolder; }

    /// Saves image as the backup of a keyboard of the model taken at time,
    /// replacing no older backup, and removes all but the newest kKeep
    /// backups, never the new one. The file counts only when it reads back
    /// equal to image. Returns the file's full name; raises EError when the
    /// folder or the file cannot be written or the file reads back otherwise.
    QString Save(const QByteArray &image, const QString &model, const QDateTime &time);
    /// Returns the full names of the backups in the folder, oldest first by
    /// the time in their names.
    QStringList Files() const;

private:
    void RemoveOld(const QString &kept) const;

    QString FFolder;
};
