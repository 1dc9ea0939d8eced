#include "document/GridLines.h"

#include <QFontMetricsF>

namespace {

constexpr qsizetype kMaxLines = 4096;
// Kerning and hinting move a laid-out line's width from the sum of its
// advances by a pixel or so: within this margin the line is laid out to
// decide.
constexpr qreal kEstimateMargin = 2;

} // namespace

qreal TGridLines::EstimatedWidth(const QString &text)
{
    if (!FHaveAdvances) {
        const QFontMetricsF metrics(FFont);
        for (char16_t c = 0; c < FAdvances.size(); ++c)
            FAdvances[c] = metrics.horizontalAdvance(QChar(c));
        FHaveAdvances = true;
    }
    qreal width = 0;
    for (const QChar c : text) {
        if (c.unicode() >= FAdvances.size())
            return -1;
        width += FAdvances[c.unicode()];
    }
    return width;
}

void TGridLines::Lay(TEntry &entry, const QString &text, int width)
{
    const auto layWhole = [&] {
        entry.Shown = QStaticText(text);
        entry.Shown.setTextFormat(Qt::PlainText);
        entry.Shown.prepare(QTransform(), FFont);
        entry.Whole = true;
        entry.WholeWidth = entry.Shown.size().width();
    };
    if (entry.WholeWidth >= 0 && entry.WholeWidth <= width) {
        if (!entry.Whole)
            layWhole();
        return;
    }
    const qreal estimate = entry.WholeWidth >= 0 ? -1 : EstimatedWidth(text);
    if (estimate >= 0 && estimate + kEstimateMargin <= width) {
        layWhole();
        if (entry.WholeWidth <= width)
            return;
    }
    // A line wider than its cell ends in an ellipsis: the tooltip has it whole.
    const QString cut = QFontMetricsF(FFont).elidedText(text, Qt::ElideRight, width);
    if (cut == text) {
        layWhole();
        return;
    }
    entry.Shown = QStaticText(cut);
    entry.Shown.setTextFormat(Qt::PlainText);
    entry.Shown.prepare(QTransform(), FFont);
    entry.Whole = false;
    entry.CutFor = width;
}

const QStaticText &TGridLines::Line(const QString &text, int width, const QFont &font)
{
    if (font != FFont || FLines.size() >= kMaxLines) {
        FLines.clear();
        FFont = font;
        FHaveAdvances = false;
    }
    TEntry &entry = FLines[text];
    const bool current = entry.Whole ? entry.WholeWidth >= 0 && entry.WholeWidth <= width : entry.CutFor == width;
    if (!current)
        Lay(entry, text, width);
    return entry.Shown;
}
