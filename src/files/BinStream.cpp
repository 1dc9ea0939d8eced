#include "files/BinStream.h"

#include "files/FileFormatError.h"

#include <QString>
#include <algorithm>
#include <cstring>

TBinStream::TBinStream(QByteArray data) : FData(std::move(data)) {}

qsizetype TBinStream::Remaining() const
{
    return FPosition < FData.size() ? FData.size() - FPosition : 0;
}

void TBinStream::Seek(qsizetype position)
{
    if (position < 0)
        throw EFileFormatError(QStringLiteral("Неверная позиция в данных раскладки: %1.").arg(position));
    FPosition = position;
}

void TBinStream::SetSize(qsizetype size)
{
    if (size < 0)
        throw EFileFormatError(QStringLiteral("Неверный размер данных раскладки: %1.").arg(size));
    FData.resize(size, '\0');
    if (FPosition > size)
        FPosition = size;
}

void TBinStream::Clear()
{
    FData.clear();
    FPosition = 0;
}

void TBinStream::WriteByte(uint8_t value)
{
    const char byte = char(value);
    WriteBytes(QByteArrayView(&byte, 1));
}

void TBinStream::WriteWord(uint16_t value)
{
    const char bytes[2] = {char(value & 0xFF), char(value >> 8)};
    WriteBytes(QByteArrayView(bytes, 2));
}

void TBinStream::WriteBytes(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    const qsizetype end = FPosition + bytes.size();
    if (end > FData.size()) {
        // Images are built front to back a byte or a few at a time: the
        // buffer grows in doubling steps, not by each write.
        if (end > FData.capacity())
            FData.reserve(std::max(end, 2 * FData.capacity()));
        FData.resize(end, '\0');
    }
    std::memcpy(FData.data() + FPosition, bytes.data(), size_t(bytes.size()));
    FPosition = end;
}

void TBinStream::Need(qsizetype count) const
{
    if (count < 0)
        throw EFileFormatError(QStringLiteral("Неверная длина блока данных раскладки: %1.").arg(count));
    if (count > Remaining())
        throw EFileFormatError(QStringLiteral("Данные раскладки обрываются: с позиции %1 нужно байт: %2, "
                                              "а всего данных %3 байт.")
                                   .arg(FPosition)
                                   .arg(count)
                                   .arg(FData.size()));
}

uint8_t TBinStream::ReadByte()
{
    Need(1);
    return uint8_t(FData[FPosition++]);
}

uint16_t TBinStream::ReadWord()
{
    Need(2);
    const uint16_t low = uint8_t(FData[FPosition]);
    const uint16_t high = uint8_t(FData[FPosition + 1]);
    FPosition += 2;
    return uint16_t(low | (high << 8));
}

QByteArray TBinStream::ReadBytes(qsizetype count)
{
    Need(count);
    QByteArray bytes = FData.mid(FPosition, count);
    FPosition += count;
    return bytes;
}

uint16_t TBinStream::ByteSum16()
{
    uint16_t sum = 0;
    for (const char byte : std::as_const(FData))
        sum = uint16_t(sum + uint8_t(byte));
    FPosition = FData.size();
    return sum;
}
