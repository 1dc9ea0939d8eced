#include "base/Error.h"
#include "base/Numbers.h"
#include "model/Key.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/ScanCodes.h"

#include <QCoreApplication>
#include <QStringList>
#include <array>
#include <utility>
#include <vector>

namespace {

// Matches a report line loosely against the form it was written with:
// spaces of the form are ignored, every other literal is looked for from the
// current position on (whatever stands before it is skipped), and the form's
// last character is not matched. A placeholder %1 .. %N skips spaces and
// takes a run of signs and digits as the number of its place; a higher
// placeholder stands for a text and takes nothing, the next literal skipping
// over it. The scan ends at the first literal or number the line does not
// supply; numbers it did not reach stay 0.
template <size_t N> std::array<int, N> ScanLine(QStringView line, QStringView form)
{
    std::array<int, N> numbers{};
    qsizetype pos = 0;
    for (qsizetype p = 0; p + 1 < form.size(); ++p) {
        const QChar ch = form[p];
        if (ch == u' ')
            continue;
        const char16_t digit = form[p + 1].unicode();
        if (ch == u'%' && digit >= u'1' && digit <= u'9') {
            ++p;
            const size_t place = size_t(digit - u'1');
            if (place >= N)
                continue;
            while (pos < line.size() && line[pos] == u' ')
                ++pos;
            const qsizetype start = pos;
            while (pos < line.size() && (line[pos].isDigit() || line[pos] == u'+' || line[pos] == u'-') &&
                   line[pos].unicode() < 128)
                ++pos;
            if (pos == start)
                break;
            numbers[place] = StrToInt(line.sliced(start, pos - start));
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
// layout. Each comes with the name of the sequence, to be translated.
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
                    fn(l + 1, *key, key->MakeCodes(), QT_TRANSLATE_NOOP("TLayout", "Коды нажатия"));
                    fn(l + 1, *key, key->BreakCodes(), QT_TRANSLATE_NOOP("TLayout", "Коды отжатия"));
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

QString TLayout::CheckLineFormat()
{
    return tr("[Ошибка(%1)] Слой %2. Клавиша (%3,%4). %5. %6");
}

QString TLayout::FindLineFormat()
{
    return tr("[Поиск] Слой %1. Клавиша (%2,%3). %4. Строка %5 найдена.");
}

QString TLayout::CompareLineFormat()
{
    return tr("[Сравнение] Слой %1. Клавиша (%2,%3). %4: \"%5\" -> \"%6\"");
}

int TLayout::Find(const QString &text, int layer, const TMessageSink &sink) const
{
    if (text.isEmpty())
        return 0;
    const QString wanted = text.toUpper();
    int lines = 0;
    ForEachSequence(*this, layer,
                    [&](int layerNumber, const TKey &key, const TScanCodes &codes, const char *what) {
                        const QString upper = codes.Text().toUpper();
                        if (!upper.contains(wanted))
                            return;
                        ++lines;
                        if (sink)
                            sink(FindLineFormat()
                                     .arg(layerNumber)
                                     .arg(key.Row() + 1)
                                     .arg(key.Col() + 1)
                                     .arg(QCoreApplication::translate("TLayout", what), upper),
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
    ForEachSequence(*this, layer, [&](int, const TKey &, TScanCodes &codes, const char *) {
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
            throw EError(tr("Длина скан-кодов не может превышать 255 байт."));
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
    // The key of a check line is its third and fourth number; those of the
    // find and comparison lines, their second and third.
    const auto error = ScanLine<4>(line, CheckLineFormat());
    int row = error[2];
    int col = error[3];
    for (const QString &form : {FindLineFormat(), CompareLineFormat()}) {
        if (inMatrix(col, row))
            break;
        const auto found = ScanLine<3>(line, form);
        row = found[1];
        col = found[2];
    }
    if (!inMatrix(col, row))
        return false;
    SetSelection({col, row, col, row});
    return true;
}
