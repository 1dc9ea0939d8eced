#pragma once

#include "base/Error.h"

#include <QString>

/// The error of every layout format that meets data it cannot read: the
/// message is "Неверный формат файла." and, after a line break, the detail.
class EFileFormatError : public EError {
public:
    explicit EFileFormatError(const QString &detail);

    /// Returns the detail that follows the common first line.
    const QString &Detail() const noexcept { return FDetail; }

private:
    QString FDetail;
};
