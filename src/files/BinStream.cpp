#include "files/BinStream.h"

#include "files/FileFormatError.h"

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <cstring>

TBinStream::TBinStream(QByteArray data) : FData(std::move(data)), FSize(FData.size()) {}

const QByteArray &TBinStream::Bytes() const
{
    // Cutting keeps the allocation, so a later write needs no new one.
    if (FData.size() != FSize)
        FData.resize(FSize);
    return FData;
}

void TBinStream::Seek(qsizetype position)
{
    if (position < 0)
        throw EFileFormatError(
            QCoreApplication::translate("TBinStream", "Неверная позиция в данных раскладки: %1.")
                .arg(position));
    FPosition = position;
}

void TBinStream::SetSize(qsizetype size)
{
    if (size < 0)
        throw EFileFormatError(
            QCoreApplication::translate("TBinStream", "Неверный размер данных раскладки: %1.").arg(size));
    if (size > FData.size()) {
        Grow(size);
    } else if (size < FSize) {
        // The bytes cut off become spare room, which is kept zero.
        std::memset(FData.data() + size, 0, size_t(FSize - size));
    }
    FSize = size;
    if (FPosition > size)
        FPosition = size;
}

void TBinStream::Clear()
{
    FData.clear();
    FSize = 0;
    FPosition = 0;
}

void TBinStream::Grow(qsizetype end)
{
    // A write past the end reads as zeros in the gap: the new room is zero.
    FData.resize(std::max({end, 2 * FData.size(), qsizetype(256)}), '\0');
}

void TBinStream::Refuse(qsizetype count) const
{
    if (count < 0)
        throw EFileFormatError(
            QCoreApplication::translate("TBinStream", "Неверная длина блока данных раскладки: %1.")
                .arg(count));
    throw EFileFormatError(QCoreApplication::translate("TBinStream",
                                                       "Данные раскладки обрываются: с позиции %1 "
                                                       "нужно байт: %2, а всего данных %3 байт.")
                               .arg(FPosition)
                               .arg(count)
                               .arg(FSize));
}

QByteArrayView TBinStream::ReadView(qsizetype count)
{
    Need(count);
    const QByteArrayView bytes(FData.constData() + FPosition, count);
    FPosition += count;
    return bytes;
}

uint16_t TBinStream::ByteSum16()
{
    uint16_t sum = 0;
    for (const char byte : QByteArrayView(FData.constData(), FSize))
        sum = uint16_t(sum + uint8_t(byte));
    FPosition = FSize;
    return sum;
}
