#include "document/KeyGrid.h"

#include "model/Font.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyPicture.h"
#include "model/KeyPictureDraw.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/ScanCodes.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <iterator>

TKeyGrid::TKeyGrid(QWidget *parent) : TStringGrid2(parent) {}

void TKeyGrid::SetZoom(int percent)
{
    FZoom = std::clamp(percent, kZoomSteps[0], std::end(kZoomSteps)[-1]);
    // The window's font, whatever the grid was given before; it may be
    // sized in pixels or in points.
    QFont zoomed = parentWidget() ? parentWidget()->font() : QApplication::font();
    if (zoomed.pixelSize() > 0)
        zoomed.setPixelSize(std::max(1, int(std::lround(zoomed.pixelSize() * FZoom / 100.0))));
    else
        zoomed.setPointSizeF(zoomed.pointSizeF() * FZoom / 100.0);
    setFont(zoomed);
    update();
}

int TKeyGrid::StepZoom(int percent, int steps)
{
    for (; steps > 0; --steps) {
        const auto next = std::upper_bound(std::begin(kZoomSteps), std::end(kZoomSteps), percent);
        percent = next == std::end(kZoomSteps) ? std::end(kZoomSteps)[-1] : *next;
    }
    for (; steps < 0; ++steps) {
        const auto next = std::lower_bound(std::begin(kZoomSteps), std::end(kZoomSteps), percent);
        percent = next == std::begin(kZoomSteps) ? kZoomSteps[0] : next[-1];
    }
    return percent;
}

uint32_t TKeyGrid::ColorValue(const QColor &color)
{
    return uint32_t(color.red()) | uint32_t(color.green()) << 8 | uint32_t(color.blue()) << 16;
}

void TKeyGrid::SetLayout(const TLayout *layout)
{
    FLayout = layout;
    Rebuild();
}

void TKeyGrid::SetShownLayer(int layer)
{
    if (layer == FShownLayer)
        return;
    FShownLayer = layer;
    update();
}

void TKeyGrid::SetViewMode(TViewMode mode)
{
    FViewMode = mode;
    update();
}

void TKeyGrid::Rebuild()
{
    const int cols = FLayout ? FLayout->Columns() : 0;
    const int rows = FLayout ? FLayout->Rows() : 0;
    SetSize(cols + 1, rows + 1);
    for (int c = 1; c < ColCount(); ++c)
        SetCell(c, 0, QString::number(c));
    for (int r = 1; r < RowCount(); ++r)
        SetCell(0, r, QString::number(r));
    update();
}

const TKey *TKeyGrid::FirstLayerKey(int col, int row) const
{
    if (!FLayout || FLayout->LayerCount() == 0)
        return nullptr;
    return FLayout->Layers().Item(0).KeyAt(col - 1, row - 1);
}

bool TKeyGrid::MaySelectCell(int col, int row) const
{
    return FirstLayerKey(col, row) != nullptr;
}

void TKeyGrid::DrawCell(QPainter &painter, int col, int row, const QRect &rect)
{
    if (col == 0 && row == 0) {
        DrawCorner(painter, rect);
        return;
    }
    if (col == 0 || row == 0) {
        painter.fillRect(rect, palette().button());
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, Cell(col, row));
        return;
    }
    const bool selected = IsCellSelected(col, row);
    if (FViewMode == vmPicture)
        DrawPictureCell(painter, col, row, rect, selected);
    else
        DrawCodeCell(painter, col, row, rect, selected);
    DrawGroupBorder(painter, col, row, rect, selected);
    if (FMarked.contains(QPoint(col, row))) {
        // A difference found by a comparison: an orange frame inside the
        // cell, beside the group's and the selection's.
        painter.setPen(QPen(QColor(230, 120, 0), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(2, 2, -2, -2));
    }
}

void TKeyGrid::SetMarkedCells(const QSet<QPoint> &cells)
{
    if (cells == FMarked)
        return;
    FMarked = cells;
    update();
}

void TKeyGrid::DrawCorner(QPainter &painter, const QRect &rect) const
{
    const bool oneLayer = FShownLayer != 0;
    painter.fillRect(rect, oneLayer ? QBrush(Qt::red) : palette().button());
    if (!oneLayer)
        return;
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, QString::number(FShownLayer));
    painter.setPen(palette().color(QPalette::Base));
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

QString TKeyGrid::KeyText(const TKey &key) const
{
    const bool shortForm = FViewMode == vmSimplified;
    QString text = shortForm ? key.MakeCodes().ShortText() : key.MakeCodes().Text();
    const QString release = shortForm ? key.BreakCodes().ShortText() : key.BreakCodes().Text();
    if (!release.isEmpty())
        text += u'^' + release;
    return text;
}

QString TKeyGrid::KeyDescription(int col, int row) const
{
    const TKey *first = FirstLayerKey(col, row);
    if (!first)
        return {};
    // An indented line of a layer; format names the value as %1.
    const QString indent = QStringLiteral("<br>&nbsp;&nbsp;");
    const auto line = [&indent](const QString &format, const QString &value) {
        return indent + format.arg(value.isEmpty() ? tr("нет") : value.toHtmlEscaped());
    };
    QString text = tr("<b>Клавиша (%1,%2)</b>, номер %3").arg(row).arg(col).arg(first->LogicalNumber());
    for (int i = 0; i < FLayout->LayerCount(); ++i) {
        const TKey *key = FLayout->Layers().Item(i).KeyAt(col - 1, row - 1);
        if (!key)
            continue;
        text += QStringLiteral("<br>") +
                tr("<b>Слой %1</b>: %2").arg(i + 1).arg(KeyTypeName(key->KeyType()).toHtmlEscaped());
        if (key->KeyType() == ktMacro) {
            text += line(tr("нажатие: %1"), key->MakeCodes().Text());
            text += line(tr("отжатие: %1"), key->BreakCodes().Text());
            if (key->AutoRepeat())
                text += indent + tr("автоповтор");
        }
        if (!key->Remark().isEmpty())
            text += line(tr("примечание: %1"), key->Remark());
    }
    return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text);
}

bool TKeyGrid::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return TStringGrid2::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    int col = 0;
    int row = 0;
    const QString text = CellAt(help->pos(), col, row) ? KeyDescription(col, row) : QString();
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, this, CellRect(col, row));
    return true;
}

void TKeyGrid::DrawLine(QPainter &painter, const QPoint &topLeft, const QString &text, int width) const
{
    painter.drawStaticText(topLeft, FLines.Line(text, width, painter.font()));
}

void TKeyGrid::DrawCodeCell(QPainter &painter, int col, int row, const QRect &rect, bool selected) const
{
    const QColor windowColor = palette().color(QPalette::Base);
    const QColor highlight = palette().color(QPalette::Highlight);
    if (!FirstLayerKey(col, row)) {
        painter.fillRect(rect, palette().button());
        return;
    }
    painter.fillRect(rect, selected ? highlight : windowColor);

    const int lineHeight = painter.fontMetrics().boundingRect(QStringLiteral("999")).height();
    const int left = rect.left() + 2;
    int top = rect.top() + 1;
    bool keyMet = false;
    bool hiddenLines = false;
    for (int i = 0; i < FLayout->LayerCount(); ++i, top += lineHeight) {
        const TKey *key = FLayout->Layers().Item(i).KeyAt(col - 1, row - 1);
        if (!key)
            continue;
        if (!keyMet) {
            keyMet = true;
            const QColor background = selected ? highlight : FShownLayer != 0 ? QColor(kShownLayerColor) : windowColor;
            painter.fillRect(rect, background);
        }
        if (top + lineHeight > rect.bottom() + 1) {
            // Only a line with something to show counts as cut off.
            hiddenLines = hiddenLines || key->KeyType() != ktMacro || !KeyText(*key).isEmpty();
            continue;
        }
        const QColor textColor = selected ? windowColor : i + 1 == FShownLayer ? QColor(kShownLayerTextColor) : QColor(Qt::black);
        if (key->KeyType() != ktMacro) {
            FArrows.Draw(painter, key->KeyType(), QRect(left, top, rect.right() - left, lineHeight), selected, textColor);
            continue;
        }
        painter.setPen(textColor);
        DrawLine(painter, QPoint(left, top), KeyText(*key), rect.right() - left);
    }
    // Layers below the cell's bottom are marked in its corner.
    if (hiddenLines) {
        painter.setPen(selected ? windowColor : QColor(Qt::black));
        painter.drawText(rect.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine,
                         QStringLiteral("…"));
    }
}

void TKeyGrid::DrawPictureCell(QPainter &painter, int col, int row, const QRect &rect, bool selected) const
{
    const TKey *key = FirstLayerKey(col, row);
    if (!key) {
        painter.fillRect(rect, palette().button());
        return;
    }
    const TKeyPicture &picture = key->Picture();
    const auto draw = [&](const QRect &target) {
        if (!selected) {
            painter.fillRect(target, ColorToQColor(picture.BackgroundColor()));
            DrawKeyPicture(painter, picture, target);
            return;
        }
        // A selected cell shows the picture on the highlight colour.
        const QColor highlight = palette().color(QPalette::Highlight);
        painter.fillRect(target, highlight);
        TKeyPicture shown;
        shown.Assign(picture);
        shown.SetBackgroundColor(ColorValue(highlight));
        DrawKeyPicture(painter, shown, target);
    };
    if (FZoom == kNormalZoom) {
        draw(rect);
        return;
    }
    // Zoomed, the picture's text and graphic grow with the grid's text: the
    // picture is drawn into the cell shrunk by the zoom, then scaled up.
    const double scale = FZoom / 100.0;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(rect.topLeft());
    painter.scale(scale, scale);
    draw(QRect(0, 0, int(std::ceil(rect.width() / scale)), int(std::ceil(rect.height() / scale))));
    painter.restore();
}

void TKeyGrid::DrawGroupBorder(QPainter &painter, int col, int row, const QRect &rect, bool selected) const
{
    const TKeyGroup *group = FLayout ? FLayout->GroupAt(col - 1, row - 1) : nullptr;
    if (!group)
        return;
    const TRect &bounds = group->Rect();
    // The outline lies inside the cells on the group's edge.
    const int width = selected ? 2 : 1;
    const QColor color = selected ? QColor(kGroupSelectedColor) : QColor(Qt::black);
    if (row - 1 == bounds.Top)
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), width), color);
    if (row - 1 == bounds.Bottom)
        painter.fillRect(QRect(rect.left(), rect.bottom() + 1 - width, rect.width(), width), color);
    if (col - 1 == bounds.Left)
        painter.fillRect(QRect(rect.left(), rect.top(), width, rect.height()), color);
    if (col - 1 == bounds.Right)
        painter.fillRect(QRect(rect.right() + 1 - width, rect.top(), width, rect.height()), color);
}
