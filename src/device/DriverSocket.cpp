#include "device/DriverSocket.h"

#include "base/Error.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

namespace {

// The greatest input a control call may carry: far more than any frame, so
// that a garbled length cannot make the reader wait for gigabytes.
constexpr uint32_t kMaxInput = 65536;

void AppendWord(QByteArray &bytes, uint32_t value)
{
    char word[4];
    qToLittleEndian(value, word);
    bytes.append(word, 4);
}

uint32_t WordAt(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<uint32_t>(bytes.constData() + offset);
}

} // namespace

QString DefaultDriverSocketPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/QvKbdDrv");
}

QString DriverSocketPath(const QString &given)
{
    return given.isEmpty() ? DefaultDriverSocketPath() : QFileInfo(given).absoluteFilePath();
}

QByteArray TControlRequest::Encode() const
{
    QByteArray bytes;
    AppendWord(bytes, Code);
    AppendWord(bytes, uint32_t(Input.size()));
    bytes.append(Input);
    AppendWord(bytes, Capacity);
    return bytes;
}

bool TControlRequest::Decode(QByteArray &buffer, TControlRequest &request)
{
    if (buffer.size() < 8)
        return false;
    const uint32_t length = WordAt(buffer, 4);
    if (length > kMaxInput)
        throw EError(
            QCoreApplication::translate("DriverSocket", "Неверная длина данных управляющего вызова: %1")
                .arg(length));
    const qsizetype total = 12 + qsizetype(length);
    if (buffer.size() < total)
        return false;
    request.Code = WordAt(buffer, 0);
    request.Input = buffer.mid(8, length);
    request.Capacity = WordAt(buffer, 8 + length);
    buffer.remove(0, total);
    return true;
}

QByteArray TControlReply::Encode() const
{
    QByteArray bytes;
    AppendWord(bytes, Status);
    AppendWord(bytes, uint32_t(Output.size()));
    bytes.append(Output);
    return bytes;
}

bool TControlReply::Decode(QByteArray &buffer, uint32_t capacity, TControlReply &reply)
{
    if (buffer.size() < 8)
        return false;
    const uint32_t length = WordAt(buffer, 4);
    if (length > capacity)
        throw EError(QCoreApplication::translate("DriverSocket", "Драйвер вернул %1 байт при допустимых %2")
                         .arg(length)
                         .arg(capacity));
    const qsizetype total = 8 + qsizetype(length);
    if (buffer.size() < total)
        return false;
    reply.Status = WordAt(buffer, 0);
    reply.Output = buffer.mid(8, length);
    buffer.remove(0, total);
    return true;
}
