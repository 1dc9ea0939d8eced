#include "files/FileFormatError.h"

EFileFormatError::EFileFormatError(const QString &detail)
    : EError(QStringLiteral("Неверный формат файла.\r\n") + detail), FDetail(detail)
{}
