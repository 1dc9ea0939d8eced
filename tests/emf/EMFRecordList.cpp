#include "EMFRecordList.h"

#include "files/emf/EMFRecords.h"

#include <QtEndian>
#include <array>
#include <map>

uint32_t TRecord::U32(int offset) const
{
    if (offset < 0 || offset + 4 > Bytes.size())
        return 0xDEADBEEF;
    return qFromLittleEndian<uint32_t>(Bytes.constData() + offset);
}

uint16_t TRecord::U16(int offset) const
{
    if (offset < 0 || offset + 2 > Bytes.size())
        return 0xDEAD;
    return qFromLittleEndian<uint16_t>(Bytes.constData() + offset);
}

std::optional<std::vector<TRecord>> ParseRecords(const QByteArray &data, QString *reason)
{
    const auto fail = [reason](const QString &text) {
        if (reason)
            *reason = text;
        return std::nullopt;
    };
    std::vector<TRecord> records;
    qsizetype offset = 0;
    while (offset < data.size()) {
        if (data.size() - offset < 8)
            return fail(QStringLiteral("truncated record at %1").arg(offset));
        const auto type = qFromLittleEndian<uint32_t>(data.constData() + offset);
        const auto size = qFromLittleEndian<uint32_t>(data.constData() + offset + 4);
        if (size < 8 || size % 4 != 0 || size > uint64_t(data.size() - offset))
            return fail(QStringLiteral("bad size %1 at %2").arg(size).arg(offset));
        records.push_back({type, data.mid(offset, size)});
        offset += size;
    }
    if (records.empty() || records.front().Type != emrHeader || records.back().Type != emrEOF)
        return fail(QStringLiteral("no header first or no end record last"));
    const TRecord &header = records.front();
    if (header.U32(48) != uint32_t(data.size()))
        return fail(
            QStringLiteral("header says %1 bytes, there are %2").arg(header.U32(48)).arg(data.size()));
    if (header.U32(52) != records.size())
        return fail(
            QStringLiteral("header says %1 records, there are %2").arg(header.U32(52)).arg(records.size()));
    return records;
}

std::vector<TRecord> OfType(const std::vector<TRecord> &records, uint32_t type)
{
    std::vector<TRecord> result;
    for (const TRecord &record : records) {
        if (record.Type == type)
            result.push_back(record);
    }
    return result;
}

QString CheckHandles(const std::vector<TRecord> &records)
{
    enum { kPen, kBrush, kFont };
    // Alive objects by handle, with their kind; the selection per kind of the
    // current state and of every saved one.
    std::map<uint32_t, int> alive;
    using TSelected = std::array<uint32_t, 3>;
    std::vector<TSelected> states{TSelected{}};
    const uint32_t handleCount = records.front().U16(56);
    for (const TRecord &record : records) {
        int kind = -1;
        if (record.Type == emrExtCreatePen)
            kind = kPen;
        else if (record.Type == emrCreateBrushIndirect)
            kind = kBrush;
        else if (record.Type == emrExtCreateFontIndirectW)
            kind = kFont;
        const uint32_t handle = record.U32(8);
        if (kind >= 0) {
            if (handle == 0 || handle >= handleCount)
                return QStringLiteral("handle %1 outside the table of %2").arg(handle).arg(handleCount);
            if (alive.count(handle))
                return QStringLiteral("handle %1 created twice").arg(handle);
            alive[handle] = kind;
        } else if (record.Type == emrSelectObject) {
            if (handle & 0x80000000) {
                // Stock objects: brushes 0-5, pens 6-8, fonts 10-17.
                const uint32_t index = handle & 0x7FFFFFFF;
                states.back()[index <= 5 ? kBrush : index <= 8 ? kPen : kFont] = handle;
                continue;
            }
            if (!alive.count(handle))
                return QStringLiteral("selecting dead handle %1").arg(handle);
            states.back()[alive[handle]] = handle;
        } else if (record.Type == emrDeleteObject) {
            if (!alive.count(handle))
                return QStringLiteral("deleting dead handle %1").arg(handle);
            for (const TSelected &state : states) {
                if (state[alive[handle]] == handle)
                    return QStringLiteral("deleting selected handle %1").arg(handle);
            }
            alive.erase(handle);
        } else if (record.Type == emrSaveDC) {
            states.push_back(states.back());
        } else if (record.Type == emrRestoreDC) {
            if (states.size() < 2)
                return QStringLiteral("restoring without a saved state");
            states.pop_back();
        }
    }
    if (!alive.empty())
        return QStringLiteral("%1 objects never deleted").arg(alive.size());
    return {};
}
