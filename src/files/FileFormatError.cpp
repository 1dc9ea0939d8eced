#include "files/FileFormatError.h"

#include <QCoreApplication>

EFileFormatError::EFileFormatError(const QString &detail)
    : EError(QCoreApplication::translate("EFileFormatError", "Неверный формат файла.") +
             QStringLiteral("\r\n") + detail),
      FDetail(detail)
{}
