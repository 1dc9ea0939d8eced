#include "base/Error.h"
#include "base/Numbers.h"
#include "model/Key.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/ScanCodes.h"

#include <QStringList>
#include <array>
#include <utility>
#include <vector>

namespace {

// Matches a report line loosely against a pattern: spaces of the pattern are
// ignored, every other literal is looked for from the current position on
// (whatever stands before it is skipped), the pattern's last character is not
// matched, and "%d" skips spaces and takes a run of signs and digits. Numbers
// the line does not supply stay 0.
template <size_t N> std::array<int, N> ScanLine(QStringView line, QStringView pattern)
{
    std::array<int, N> numbers{};
    size_t next = 0;
    qsizetype pos = 0;
    for (qsizetype p = 0; p + 1 < pattern.size(); ++p) {
        const QChar ch = pattern[p];
        if (ch == u' ')
            continue;
        if (ch == u'%' && pattern[p + 1] == u'd') {
            ++p;
            while (pos < line.size() && line[pos] == u' ')
                ++pos;
            const qsizetype start = pos;
            while (pos < line.size() && (line[pos].isDigit() || line[pos] == u'+' || line[pos] == u'-') &&
                   line[pos].unicode() < 128)
                ++pos;
            if (pos == start || next >= N)
                break;
            numbers[next++] = StrToInt(line.sliced(start, pos - start));
            continue;
        }
        const qsizetype found = line.indexOf(ch, pos);
        if (found < 0)
            break;
        pos = found + 1;
    }
    return numbers;
}

// The make and break sequences of the keys of an area, in search order:
// column by column, row by row, layer by layer; writable for a writable
// layout.
template <typename TLayoutRef, typename Fn> void ForEachSequence(TLayoutRef &layout, int layer, Fn fn)
{
    if (layer < 0)
        return;
    const TRect area = layout.WorkArea();
    const int firstLayer = layer == 0 ? 0 : layer - 1;
    const int lastLayer = layer == 0 ? layout.LayerCount() - 1 : std::min(layer - 1, layout.LayerCount() - 1);
    for (int c = area.Left; c <= area.Right; ++c)
        for (int r = area.Top; r <= area.Bottom; ++r)
            for (int l = firstLayer; l <= lastLayer; ++l)
                if (auto *key = layout.Layers().Item(l).KeyAt(c - 1, r - 1)) {
                    fn(l + 1, *key, key->MakeCodes(), u"Коды нажатия");
                    fn(l + 1, *key, key->BreakCodes(), u"Коды отжатия");
                }
}

// Returns the number of bytes text would give as a code sequence, counting
// every token that parses, whatever the 255-byte limit.
int ParsedLength(const QString &text)
{
    int total = 0;
    TScanCodes probe;
    for (const QString &token : text.split(u' ', Qt::SkipEmptyParts)) {
        probe.Clear();
        if (probe.ParseToken(token))
            total += probe.DataLength();
    }
    return total;
}

} // namespace

int TLayout::Find(const QString &text, int layer, const TMessageSink &sink) const
{
    if (text.isEmpty())
        return 0;
    const QString wanted = text.toUpper();
    int lines = 0;
    ForEachSequence(*this, layer, [&](int layerNumber, const TKey &key, const TScanCodes &codes, const char16_t *what) {
        const QString upper = codes.Text().toUpper();
        if (!upper.contains(wanted))
            return;
        ++lines;
        if (sink)
            sink(QStringLiteral("[Поиск] Слой %1. Клавиша (%2,%3). %4. Строка %5 найдена.")
                     .arg(layerNumber)
                     .arg(key.Row() + 1)
                     .arg(key.Col() + 1)
                     .arg(QString::fromUtf16(what), upper),
                 FInstanceNumber);
    });
    return lines;
}

int TLayout::Replace(const QString &text, const QString &replacement, int layer)
{
    if (text.isEmpty())
        return 0;
    // Every rewrite is made and measured before the first is stored, so that
    // a replace that cannot be done changes nothing.
    std::vector<std::pair<TScanCodes *, QString>> rewrites;
    int total = 0;
    ForEachSequence(*this, layer, [&](int, const TKey &, TScanCodes &codes, const char16_t *) {
        const QString old = codes.Text();
        QString rewritten;
        int count = 0;
        qsizetype from = 0;
        for (qsizetype at; (at = old.indexOf(text, from, Qt::CaseInsensitive)) >= 0; from = at + text.size()) {
            rewritten += QStringView(old).sliced(from, at - from);
            rewritten += replacement;
            ++count;
        }
        if (count == 0)
            return;
        rewritten += QStringView(old).sliced(from);
        // A replacement must not cut a sequence short silently.
        if (ParsedLength(rewritten) > kMaxScanCodesLength)
            throw EError(QStringLiteral("Длина скан-кодов не может превышать 255 байт."));
        rewrites.emplace_back(&codes, std::move(rewritten));
        total += count;
    });
    for (auto &[codes, text] : rewrites)
        codes->SetText(text);
    if (total > 0)
        Notify(lcContent);
    return total;
}

bool TLayout::GotoLine(const QString &line)
{
    auto inMatrix = [&](int col, int row) { return col >= 1 && col <= FColumns && row >= 1 && row <= FRows; };
    const auto error = ScanLine<4>(line, u"[Ошибка(%d)] Слой %d. Клавиша (%d,%d)");
    int row = error[2];
    int col = error[3];
    for (const char16_t *pattern : {u"[Поиск] Слой %d. Клавиша (%d,%d).", u"[Сравнение] Слой %d. Клавиша (%d,%d)."}) {
        if (inMatrix(col, row))
            break;
        const auto found = ScanLine<3>(line, pattern);
        row = found[1];
        col = found[2];
    }
    if (!inMatrix(col, row))
        return false;
    SetSelection({col, row, col, row});
    return true;
}
