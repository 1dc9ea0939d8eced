#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

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
    const QByteArray &Bytes() const { return FData; }
    qsizetype Size() const { return FData.size(); }
    qsizetype Position() const { return FPosition; }
    /// Returns the number of bytes from the position to the end (0 past it).
    qsizetype Remaining() const;
    bool AtEnd() const { return FPosition >= FData.size(); }
    /// Moves the position; a position past the end is allowed (a write there
    /// fills the gap with zeros), a negative one raises EFileFormatError.
    void Seek(qsizetype position);
    /// Cuts the stream or extends it with zeros; the position stays where it
    /// was unless it lay past the new end.
    void SetSize(qsizetype size);
    /// Empties the stream and moves to 0.
    void Clear();

    void WriteByte(uint8_t value);
    /// Writes the low byte, then the high byte.
    void WriteWord(uint16_t value);
    /// Writes the bytes; nothing for an empty view.
    void WriteBytes(QByteArrayView bytes);

    /// Returns the byte at the position and moves past it.
    uint8_t ReadByte();
    /// Returns the little-endian word at the position and moves past it.
    uint16_t ReadWord();
    /// Returns the next count bytes (empty for 0) and moves past them; raises
    /// EFileFormatError for a negative count or when fewer bytes remain.
    QByteArray ReadBytes(qsizetype count);

    /// Returns the sum of all bytes as unsigned values modulo 65536; leaves
    /// the position at the end.
    uint16_t ByteSum16();

private:
    void Need(qsizetype count) const;

    QByteArray FData;
    qsizetype FPosition = 0;
};
