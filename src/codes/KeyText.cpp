#include "codes/KeyText.h"

#include "base/HexText.h"
#include "codes/CodeTable.h"

namespace {

constexpr QChar kCodeMark = u'$';

// The code bytes that the text after the mark spells: pairs of hexadecimal
// digits in either letter case and nothing else; none for other text.
std::optional<QByteArray> CodeBytes(QStringView digits)
{
    const QString upper = digits.toString().toUpper();
    const QByteArray bytes = HexToBytes(upper);
    if (bytes.isEmpty() || BytesToHex(bytes) != upper)
        return std::nullopt;
    return bytes;
}

// Whether text reads back as item: the same kind, bytes and key. The text
// form splits at spaces, so a text holding one never reads back whole.
bool ReadsBackAs(const TCodeTable &table, const QString &text, const TScanCode &item)
{
    if (text.isEmpty() || text.contains(u' '))
        return false;
    const std::optional<TScanCode> read = FindByKeyText(table, text, item.CodeType == ctBreak);
    return read && read->Data() == item.Data() && read->ScanCode == item.ScanCode;
}

} // namespace

std::optional<TScanCode> FindByKeyText(const TCodeTable &table, QStringView text, bool isBreak)
{
    if (text.startsWith(kCodeMark)) {
        if (const std::optional<QByteArray> bytes = CodeBytes(text.sliced(1))) {
            const TStdCode *entry = table.EntryByCode(*bytes, isBreak);
            return entry ? std::optional(entry->Item(isBreak)) : std::nullopt;
        }
    }
    return table.FindByName(text, isBreak);
}

QString KeyText(const TCodeTable &table, const TScanCode &item)
{
    // An item equal to one the table gives out (name, bytes and key) has the
    // text the table keeps for it: the text depends on nothing else.
    if (item.CodeType == ctMake || item.CodeType == ctBreak) {
        const bool isBreak = item.CodeType == ctBreak;
        if (const TStdCode *entry = table.EntryByCode(item.Data(), isBreak))
            if (entry->Name == item.Name && entry->ScanCode == item.ScanCode)
                return table.EntryKeyText(*entry, isBreak);
    }
    return ComputedKeyText(table, item);
}

QString ComputedKeyText(const TCodeTable &table, const TScanCode &item)
{
    if (ReadsBackAs(table, item.Name, item))
        return item.Name;
    // A key without code bytes has no such form.
    if (!item.Data().isEmpty()) {
        const QString code = kCodeMark + BytesToHex(item.Data());
        if (ReadsBackAs(table, code, item))
            return code;
    }
    return item.Name;
}
