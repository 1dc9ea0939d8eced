#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

/// One record of a metafile as the tests see it: its type and its bytes.
struct TRecord {
    uint32_t Type = 0;
    QByteArray Bytes;

    /// Returns the 32-bit little-endian value at a byte offset of the record.
    uint32_t U32(int offset) const;
    int32_t I32(int offset) const { return int32_t(U32(offset)); }
    uint16_t U16(int offset) const;
};

/// Returns the records of a metafile, or nothing (and a reason) when the
/// bytes are no well-formed record list: every size a multiple of 4 and
/// within the data, the sizes adding up to the header's byte count, the
/// header's record count matching, the header first and the end record last.
std::optional<std::vector<TRecord>> ParseRecords(const QByteArray &data, QString *reason = nullptr);

/// Returns the records of one type, in order.
std::vector<TRecord> OfType(const std::vector<TRecord> &records, uint32_t type);

/// Plays the object records of a metafile on a handle table and returns an
/// empty text when every object is created into a free handle below the
/// header's handle count, selected only while alive, deleted only when no
/// current or saved state selects it, and deleted by the end; otherwise what
/// went wrong first.
QString CheckHandles(const std::vector<TRecord> &records);
