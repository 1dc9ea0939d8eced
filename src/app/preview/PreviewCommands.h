#pragma once

#include "document/DocumentFollower.h"

#include <QList>
#include <QPointer>

class QAction;
class QToolBar;
class QMdiArea;
class QWidget;
class TfmDoc;
class TfmPreview;
class TKeyboardManager;

/// The command "Предварительный просмотр" (Ctrl+W) of the main window: opens
/// the print preview of the active document as a maximized child window of
/// the document area. While it is open the main window's toolbars are hidden
/// (those that were shown come back when it closes), and the main window
/// disables its document commands (previewOpenChanged tells it when).
class TPreviewCommands : public TDocumentFollower {
    Q_OBJECT
public:
    /// area holds the preview as a sub-window; without one the preview is a
    /// window of its own over window. The toolbars of window (when it is a
    /// main window) give way to the preview.
    TPreviewCommands(TKeyboardManager &manager, QMdiArea *area, QWidget &window);

    QAction *actFilePreview;

    /// Returns the open preview, or null.
    TfmPreview *Preview() const;
    bool IsOpen() const;

    /// Opens the preview of document, or brings the open one to the front.
    void ShowPreview(TfmDoc &document);
    /// Enables the command for the active document (null without one): for
    /// a document shown in another view than the layout view, while no
    /// preview is open.
    void UpdateState(const TfmDoc *active);

signals:
    /// The preview opened (true) or closed (false).
    void previewOpenChanged(bool open);

private:
    void HideToolBars();
    void RestoreToolBars();

    TKeyboardManager &FManager;
    QMdiArea *FArea;
    QWidget &FWindow;
    QPointer<TfmPreview> FPreview;
    QList<QPointer<QToolBar>> FHiddenBars;
};
