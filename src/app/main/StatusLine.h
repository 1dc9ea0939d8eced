#pragma once

#include "document/DocumentFollower.h"

#include <QPointer>

class QLabel;
class QStatusBar;
class TDocumentWindows;
class TfmDoc;
class TKeyboardManager;

/// The main window's status bar: the key under the mouse (else the
/// selection's first key) with its place, number and the shown layer, the
/// selection's size, the grid's zoom when it is not the normal size, and the
/// active document's keyboard model.
class TStatusLine : public TDocumentFollower {
    Q_OBJECT

public:
    TStatusLine(TDocumentWindows &documents, TKeyboardManager &manager, QStatusBar &bar);

protected:
    /// Follows the active document: its grid's hovered cell and its zoom.
    void ActiveChanged(TfmDoc *active) override;
    void ActiveStateChanged() override { Update(); }

private:
    void Update();

    TKeyboardManager &FManager;
    QLabel *FKey;
    QLabel *FSelection;
    QLabel *FZoom;
    QLabel *FModel;
    QPointer<TfmDoc> FFollowed;
    int FHoverCol = -1;
    int FHoverRow = -1;
};
