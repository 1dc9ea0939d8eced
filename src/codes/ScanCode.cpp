#include "codes/ScanCode.h"

#include "base/Error.h"
#include "codes/KeyText.h"
#include "codes/StdCodes.h"

#include <QCoreApplication>

void TScanCode::SetData(const QByteArray &data)
{
    if (data == FData)
        return;
    // The old bytes still count: the check is made before they are replaced.
    if (FOwner && FOwner->DataLength() + data.size() > kMaxScanCodesLength)
        throw EError(
            QCoreApplication::translate("TScanCode", "Длина скан-кодов не может превышать 255 байт."));
    FData = data;
}

void TScanCode::Assign(const TScanCode &source)
{
    if (&source == this)
        return;
    // The bytes first: when they are refused the item stays as it was.
    SetData(source.FData);
    Name = source.Name;
    CodeType = source.CodeType;
    ScanCode = source.ScanCode;
}

bool TScanCode::Equals(const TScanCode &other) const
{
    return FData == other.FData && CodeType == other.CodeType;
}

QString TScanCode::Prefix() const
{
    switch (CodeType) {
    case ctMake:
        return QStringLiteral("+");
    case ctBreak:
        return QStringLiteral("-");
    case ctByte:
        return QString();
    }
    throw EError(QCoreApplication::translate("TScanCode", "Неверное значение CodeType"));
}

QString TScanCode::Text() const
{
    // The prefix first: it refuses a code type out of range.
    const QString prefix = Prefix();
    return CodeType == ctByte ? Name : prefix + KeyText(StdCodeTable(), *this);
}
