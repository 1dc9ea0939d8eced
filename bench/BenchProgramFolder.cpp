#include "BenchProgramFolder.h"

#include "BenchInputs.h"

#include "base/SafeFile.h"

#include <QFile>

TBenchProgramFolder::TBenchProgramFolder(int layoutCopies)
{
    for (const QString &folder : {QStringLiteral("Клавиатуры"), QStringLiteral("Клавиши")})
        QFile::link(QStringLiteral(RAVLIN_DATA_DIR "/") + folder, FDir.filePath(folder));
    for (int i = 1; i <= layoutCopies; ++i) {
        FLayoutFiles << FDir.filePath(QStringLiteral("largest%1.xml").arg(i));
        WriteFileAtomically(FLayoutFiles.last(), TBenchInputs::Get().LargestXML());
    }
}
