#include "main/StatusLine.h"

#include "catalogue/Keyboards.h"
#include "device/KeyboardManager.h"
#include "document/KeyGrid.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "document/DocumentWindows.h"
#include "model/Key.h"
#include "model/Layer.h"
#include "model/Layout.h"

#include <QLabel>
#include <QStatusBar>

namespace {

QLabel *AddLabel(QStatusBar &bar, const QString &name, bool permanent)
{
    auto *label = new QLabel(&bar);
    label->setObjectName(name);
    if (permanent)
        bar.addPermanentWidget(label);
    else
        bar.addWidget(label, 1);
    return label;
}

} // namespace

TStatusLine::TStatusLine(TDocumentWindows &documents, TKeyboardManager &manager, QStatusBar &bar)
    : TDocumentFollower(&bar), FManager(manager), FKey(AddLabel(bar, QStringLiteral("lblStatusKey"), false)),
      FSelection(AddLabel(bar, QStringLiteral("lblStatusSelection"), true)),
      FZoom(AddLabel(bar, QStringLiteral("lblStatusZoom"), true)),
      FModel(AddLabel(bar, QStringLiteral("lblStatusModel"), true))
{
    Follow(documents);
    Update();
}

void TStatusLine::ActiveChanged(TfmDoc *active)
{
    if (active == FFollowed)
        return;
    if (FFollowed) {
        disconnect(&FFollowed->Grid(), nullptr, this, nullptr);
        disconnect(FFollowed, &TfmDoc::zoomChanged, this, nullptr);
    }
    FFollowed = active;
    FHoverCol = FHoverRow = -1;
    if (active) {
        connect(&active->Grid(), &TStringGrid2::cellHovered, this, [this](int col, int row) {
            FHoverCol = col;
            FHoverRow = row;
            Update();
        });
        connect(active, &TfmDoc::zoomChanged, this, &TStatusLine::Update);
    }
}

void TStatusLine::Update()
{
    if (!FFollowed) {
        FKey->clear();
        FSelection->clear();
        FZoom->clear();
        FModel->clear();
        return;
    }
    const TLayout &layout = FFollowed->Document().Layout();
    const TRect selection = layout.Selection();
    const bool hovered = FHoverCol > 0 && FHoverRow > 0;
    const int col = hovered ? FHoverCol : selection.Left;
    const int row = hovered ? FHoverRow : selection.Top;
    const TKey *key = layout.LayerCount() > 0 ? layout.Layers().Item(0).KeyAt(col - 1, row - 1) : nullptr;
    const int shown = FFollowed->ShownLayer();
    // One whole sentence for each case, so that a translation may order it
    // as its language needs.
    if (key && shown == 0)
        FKey->setText(tr("Клавиша (%1,%2), номер %3; все слои").arg(row).arg(col).arg(key->LogicalNumber()));
    else if (key)
        FKey->setText(
            tr("Клавиша (%1,%2), номер %3; слой %4").arg(row).arg(col).arg(key->LogicalNumber()).arg(shown));
    else if (shown == 0)
        FKey->setText(tr("Клетка (%1,%2) без клавиши; все слои").arg(row).arg(col));
    else
        FKey->setText(tr("Клетка (%1,%2) без клавиши; слой %3").arg(row).arg(col).arg(shown));
    const int width = selection.Right - selection.Left + 1;
    const int height = selection.Bottom - selection.Top + 1;
    FSelection->setText(width * height > 1 ? tr("Выделено: %1 × %2").arg(height).arg(width) : QString());
    const int zoom = FFollowed->Zoom();
    FZoom->setText(zoom != TKeyGrid::kNormalZoom ? tr("Масштаб %1%").arg(zoom) : QString());
    const TKeyboard *model = FManager.Keyboards().FindByID(layout.KeyboardID());
    FModel->setText(tr("Модель: %1").arg(model ? model->ClassName : QString::number(layout.KeyboardID())));
}
