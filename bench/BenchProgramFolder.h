#pragma once

#include <QStringList>
#include <QTemporaryDir>

/// A program folder of the editor in a temporary folder: links to the
/// shipped "Клавиатуры" and "Клавиши" beside the program file name, so that
/// the settings file and the window layout store are the benchmark's own,
/// and copies of the largest layout's XML file.
class TBenchProgramFolder {
public:
    /// Writes layoutCopies copies of the largest layout.
    explicit TBenchProgramFolder(int layoutCopies);

    /// The program file the editor's keyboard manager is given.
    QString ProgramPath() const { return FDir.filePath(QStringLiteral("RavlinApp")); }
    /// The layout files, in the order written.
    const QStringList &LayoutFiles() const { return FLayoutFiles; }
    QString Path(const QString &name) const { return FDir.filePath(name); }

private:
    QTemporaryDir FDir;
    QStringList FLayoutFiles;
};
