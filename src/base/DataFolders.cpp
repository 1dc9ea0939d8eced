#include "base/DataFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString ProgramDataFolder(const QString &programFolder)
{
    const QDir program(programFolder);
    if (QFileInfo(program.filePath(QStringLiteral("Клавиатуры"))).isDir())
        return programFolder;
    const QString installed = QDir::cleanPath(program.absoluteFilePath(QStringLiteral("../share/ravlin")));
    return QFileInfo(installed).isDir() ? installed : programFolder;
}

QString UserDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/ravlin");
}
