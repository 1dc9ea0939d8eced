#include "document/GridLines.h"

#include <QFontMetricsF>
#include <QRawFont>

namespace {

constexpr qsizetype kMaxLines = 4096;
// Kerning and hinting move a laid-out line's width from the sum of its
// advances by a pixel or so: within this margin the line is laid out to
// decide.
constexpr qreal kEstimateMargin = 2;

} // namespace

void TGridLines::MeasureCharacters()
{
    // One lookup for all characters: measuring them one by one shapes each
    // on its own.
    const QRawFont raw = QRawFont::fromFont(FFont);
    QString characters(FAdvances.size(), QChar(u' '));
    for (qsizetype c = ' '; c < characters.size(); ++c)
        characters[c] = QChar(char16_t(c));
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(raw.glyphIndexesForString(characters));
    FAdvances.fill(-1);
    for (qsizetype c = ' '; c < characters.size() && c < advances.size(); ++c)
        FAdvances[c] = advances[c].x();
    const QFontMetricsF metrics(FFont);
    const QChar ellipsis(u'\u2026');
    FEllipsis = metrics.inFont(ellipsis) ? QString(ellipsis) : QStringLiteral("...");
    FEllipsisWidth = metrics.horizontalAdvance(FEllipsis);
    FMeasured = true;
}

qreal TGridLines::EstimatedWidth(const QString &text)
{
    if (!FMeasured)
        MeasureCharacters();
    qreal width = 0;
    for (const QChar c : text) {
        if (c.unicode() >= FAdvances.size() || FAdvances[c.unicode()] < 0)
            return -1;
        width += FAdvances[c.unicode()];
    }
    return width;
}

QString TGridLines::CutByAdvances(const QString &text, int width) const
{
    const qreal room = width - FEllipsisWidth;
    qreal used = 0;
    qsizetype kept = 0;
    for (; kept < text.size(); ++kept) {
        used += FAdvances[text[kept].unicode()];
        if (used > room)
            break;
    }
    return text.left(kept) + FEllipsis;
}

void TGridLines::Lay(TEntry &entry, const QString &text, int width)
{
    const auto prepare = [&](const QString &shown) {
        entry.Shown = QStaticText(shown);
        entry.Shown.setTextFormat(Qt::PlainText);
        entry.Shown.prepare(QTransform(), FFont);
    };
    const auto layWhole = [&] {
        prepare(text);
        entry.Whole = true;
        entry.WholeWidth = entry.Shown.size().width();
    };
    const auto layCut = [&](const QString &cut) {
        prepare(cut);
        entry.Whole = false;
        entry.CutFor = width;
    };
    if (entry.WholeWidth >= 0 && entry.WholeWidth <= width) {
        if (!entry.Whole)
            layWhole();
        return;
    }
    // A line wider than its cell ends in an ellipsis: the tooltip has it whole.
    const qreal estimate = EstimatedWidth(text);
    if (estimate >= 0 && entry.WholeWidth < 0 && estimate <= width + kEstimateMargin) {
        layWhole();
        if (entry.WholeWidth <= width)
            return;
    }
    if (estimate >= 0) {
        // An ASCII line is cut where its characters' advances leave room for
        // the ellipsis, and the cut line's layout checks that it fits: laying
        // a long line out whole only to cut it took most of a first paint.
        layCut(CutByAdvances(text, width));
        if (entry.Shown.size().width() <= width)
            return;
    }
    const QString cut = QFontMetricsF(FFont).elidedText(text, Qt::ElideRight, width);
    if (cut == text)
        layWhole();
    else
        layCut(cut);
}

const QStaticText &TGridLines::Line(const QString &text, int width, const QFont &font)
{
    if (font != FFont || FLines.size() >= kMaxLines) {
        FLines.clear();
        FFont = font;
        FMeasured = false;
    }
    TEntry &entry = FLines[text];
    const bool current = entry.Whole ? entry.WholeWidth >= 0 && entry.WholeWidth <= width : entry.CutFor == width;
    if (!current)
        Lay(entry, text, width);
    return entry.Shown;
}
