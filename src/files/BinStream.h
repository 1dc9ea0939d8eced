#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <cstring>

/// A growable in-memory byte stream with a position: the work buffer in which
/// the device layout images are built and read. Words are little-endian (low
/// byte first). Writing past the end grows the stream; reading past the end
/// raises EFileFormatError, so a reader never leaves its image.
class TBinStream {
public:
    TBinStream() = default;
    /// Creates a stream holding data, positioned at 0.
    explicit TBinStream(QByteArray data);

    /// Returns all bytes of the stream.
    const QByteArray &Bytes() const;
    qsizetype Size() const { return FSize; }
    qsizetype Position() const { return FPosition; }
    /// Returns the number of bytes from the position to the end (0 past it).
    qsizetype Remaining() const { return FPosition < FSize ? FSize - FPosition : 0; }
    bool AtEnd() const { return FPosition >= FSize; }
    /// Moves the position; a position past the end is allowed (a write there
    /// fills the gap with zeros), a negative one raises EFileFormatError.
    void Seek(qsizetype position);
    /// Cuts the stream or extends it with zeros; the position stays where it
    /// was unless it lay past the new end.
    void SetSize(qsizetype size);
    /// Empties the stream and moves to 0.
    void Clear();

    void WriteByte(uint8_t value)
    {
        const char byte = char(value);
        Write(&byte, 1);
    }
    /// Writes the low byte, then the high byte.
    void WriteWord(uint16_t value)
    {
        const char bytes[2] = {char(value & 0xFF), char(value >> 8)};
        Write(bytes, 2);
    }
    /// Writes the bytes; nothing for an empty view.
    void WriteBytes(QByteArrayView bytes)
    {
        if (!bytes.isEmpty())
            Write(bytes.data(), bytes.size());
    }

    /// Returns the byte at the position and moves past it.
    uint8_t ReadByte()
    {
        Need(1);
        return uint8_t(FData.constData()[FPosition++]);
    }
    /// Returns the little-endian word at the position and moves past it.
    uint16_t ReadWord()
    {
        Need(2);
        const char *p = FData.constData() + FPosition;
        FPosition += 2;
        return uint16_t(uint8_t(p[0]) | uint8_t(p[1]) << 8);
    }
    /// Returns the next count bytes (empty for 0) and moves past them; raises
    /// EFileFormatError for a negative count or when fewer bytes remain.
    QByteArray ReadBytes(qsizetype count) { return ReadView(count).toByteArray(); }
    /// The same as a view into the stream, valid until the next write.
    QByteArrayView ReadView(qsizetype count);

    /// Returns the sum of all bytes as unsigned values modulo 65536; leaves
    /// the position at the end.
    uint16_t ByteSum16();

private:
    void Need(qsizetype count) const
    {
        if (count < 0 || count > Remaining())
            Refuse(count);
    }
    [[noreturn]] void Refuse(qsizetype count) const;
    void Write(const char *bytes, qsizetype count)
    {
        const qsizetype end = FPosition + count;
        if (end > FData.size())
            Grow(end);
        std::memcpy(FData.data() + FPosition, bytes, size_t(count));
        FPosition = end;
        if (end > FSize)
            FSize = end;
    }
    void Grow(qsizetype end);

    // Images are built front to back a byte or a few at a time: the buffer
    // is kept larger than the stream, its spare room zero, and grows in
    // doubling steps; Bytes cuts it to the stream's size.
    mutable QByteArray FData;
    qsizetype FSize = 0;
    qsizetype FPosition = 0;
};
