#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>
#include <array>

/// The laid-out lines of text a key grid draws. Laying a line out costs more
/// than drawing it, and a grid shows the same few code texts again and
/// again: each is laid out once per font and cell width, whole when it fits,
/// else cut with an ellipsis.
class TGridLines {
public:
    /// Returns the line to draw for text in a cell width pixels wide.
    const QStaticText &Line(const QString &text, int width, const QFont &font);

private:
    struct TEntry {
        QStaticText Shown;
        bool Whole = true;
        // The width of the whole text when known, else -1; for a cut line,
        // the cell width it was cut for.
        qreal WholeWidth = -1;
        int CutFor = -1;
    };

    /// The width of an ASCII text as the sum of its characters' advances,
    /// -1 for other texts: without laying the text out, it tells most
    /// lines that fit from those that do not.
    qreal EstimatedWidth(const QString &text);
    /// Cuts an ASCII text to the characters whose advances fit width with
    /// the ellipsis, and adds the ellipsis.
    QString CutByAdvances(const QString &text, int width) const;
    void MeasureCharacters();
    void Lay(TEntry &entry, const QString &text, int width);

    QHash<QString, TEntry> FLines;
    QFont FFont;
    // The advances of the printable ASCII characters, -1 for the others.
    std::array<qreal, 128> FAdvances{};
    QString FEllipsis;
    qreal FEllipsisWidth = 0;
    bool FMeasured = false;
};
