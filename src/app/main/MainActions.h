#pragma once

#include "settings/ViewMode.h"

#include <QList>
#include <QString>

class QAction;
class QActionGroup;
class QKeySequence;
class QObject;

/// Every command of the main window as a QAction: caption (menu text),
/// toolbar caption (icon text), keys and hint. The command objects connect
/// them; the menus and toolbars show them; the command update enables and
/// checks them.
struct TMainActions {
    explicit TMainActions(QObject *owner);

    // Menu "&Файл".
    QAction *actFileNew;
    QAction *actFileOpen;
    QAction *actFileSave;
    QAction *actFileSaveAs;
    QAction *actFileClose;
    QAction *actFileCloseAll;
    QAction *actFilePrint;
    QAction *actFileExit;
    // Menu "&Правка".
    QAction *actEditCut;
    QAction *actEditCopy;
    QAction *actEditPaste;
    QAction *actEditFind;
    QAction *actEditReplace;
    QAction *actEditSelectAll;
    QAction *actEditClear;
    QAction *actEditGroup;
    QAction *actEditUngroup;
    QAction *actEditCheck;
    /// "Свойства клавиши": no menu item, toolbar and keys only.
    QAction *actEditKey;
    // Menu "&Устройство".
    QAction *actDeviceWriteLayout;
    QAction *actDeviceReadLayout;
    QAction *actDeviceReadMemory;
    QAction *actDeviceWriteMemory;
    QAction *actDeviceWriteProgram;
    QAction *actDeviceLoaderMode;
    QAction *actDeviceWorkMode;
    // Menu "&Вид": the shown layer (0 all, 1 to 4), the view modes, the
    // button captions and the message window.
    QAction *actLayers[5];
    QActionGroup *LayerGroup;
    QAction *actViewLayout;
    QAction *actViewSimplified;
    QAction *actViewPicture;
    QActionGroup *ViewModeGroup;
    QAction *actButtonCaptions;
    QAction *actMessageWindow;
    /// The zoom of the active document's grid. The menu only shows their
    /// keys: the document window owns them.
    QAction *actViewZoomIn;
    QAction *actViewZoomOut;
    QAction *actViewZoomNormal;
    // Menu "&Окно".
    QAction *actWindowTileVertical;
    QAction *actWindowTileHorizontal;
    QAction *actWindowCascade;

    /// Returns the command of a view mode.
    QAction *ViewModeAction(TViewMode mode) const;
    /// Returns the commands enabled only with an active document.
    QList<QAction *> DocumentActions() const;
};
