#pragma once

#include "common/ActionRegistry.h"
#include "common/BaseForm.h"
#include "settings/ViewMode.h"

#include <QKeySequence>
#include <QString>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QPrinter;
class QToolBar;
class TKeyboardManager;
class TKeyGrid;
class TLayoutDocument;
class TMessageLink;

/// The window of one open layout: a small toolbar over the key grid. The
/// main window puts it into a sub-window and drives it through the public
/// operations; the window's toolbar, context menu and keys reach the windows
/// of other owners (key, card reader, key lock and layout property dialogs,
/// find and replace, the check) through the main window's commands, after
/// making itself the active window.
class TfmDoc : public TBaseForm {
    Q_OBJECT

public:

    TfmDoc(TKeyboardManager &manager, TMessageLink &messages, QWidget *parent = nullptr);
    ~TfmDoc() override;

    TLayoutDocument &Document() const { return *FDocument; }
    TKeyGrid &Grid() const { return *FGrid; }

    /// Sets the caption the window shows while its layout has no file name
    /// ("Раскладка" with the document list's running number).
    void SetUntitledCaption(const QString &caption);
    /// Returns the caption: the layout's full file name, or the untitled
    /// caption. The window's title adds the mark of unsaved changes.
    QString Caption() const { return FCaption; }

    /// Returns the shown layer: 0 all, 1 to 4 one highlighted layer.
    int ShownLayer() const;
    void SetShownLayer(int layer);
    TViewMode ViewMode() const;
    /// Sets the view mode; it also picks the grid's context menu, and the
    /// grid takes the view mode's zoom from the settings.
    void SetViewMode(TViewMode mode);

    /// Returns the grid's zoom in percent of the window's font.
    int Zoom() const;
    /// Makes percent the zoom of the view mode: the settings keep it, and
    /// this and every other window of the same keyboard manager that shows
    /// the view mode take it. Ctrl with the plus, minus and zero keys and
    /// Ctrl with the wheel over the grid come here.
    void SetZoom(int percent);
    /// Go one zoom step up or down, or back to the normal size.
    void ZoomIn();
    void ZoomOut();
    void ResetZoom();

    void SelectAll();
    /// Cut, Copy and Paste go through the system clipboard as layout text.
    void Cut();
    void Copy();
    /// Raises the reader's error for clipboard text that is no layout.
    void Paste();
    void Clear();
    /// Groups the selection; a selection that overlaps a group is refused
    /// with a message box and changes nothing.
    void Group();
    void Ungroup();
    /// Returns whether the clipboard holds text.
    bool CanPaste() const;
    /// Returns whether the selection covers more than one cell.
    bool CanGroup() const;
    /// Returns whether a group lies in the selection.
    bool CanUngroup() const;
    bool NeedsSaving() const;

    /// Lists the finds in the message window, or says that nothing was found.
    void Find(const QString &text);
    /// Replaces and reports the count in the message window.
    void Replace(const QString &text, const QString &replacement);
    /// Lists the layout's faults in the message window, or says there is none.
    void Check();
    /// Prints the key caps onto the printer's pages.
    void Print(QPrinter &printer);
    /// Selects the key a message line names and raises the window; returns
    /// false when the line names no key of this layout.
    bool GoToMessage(const QString &text);
    /// Saves as closing does: to the file the layout has, or through the
    /// window's own save dialog. Returns false when that dialog was cancelled.
    bool SaveForClose();
    /// Returns the size at which the window shows its whole grid with room
    /// for every layer's line in a cell and for the longest code line (up to
    /// a limit), never below the window's minimum.
    QSize PreferredSize() const;
    /// Returns the grid's context menu of the current view mode.
    QMenu *ContextMenu() const;
    /// Gives the window the editor's commands that its toolbar, context
    /// menus, Enter and double-click run; without them those do nothing.
    void UseCommands(const TActionRegistry &commands);

signals:
    /// The grid's zoom changed (percent).
    void zoomChanged(int percent);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void CreateToolBar();
    void CreateMenus();
    /// Creates the zoom commands, whose keys work wherever the focus is in
    /// the window.
    void CreateZoomActions();
    QAction *AddMenuAction(QMenu *menu, const QString &text, const std::function<void()> &command,
                           const QKeySequence &shortcut = QKeySequence());
    /// Runs a command through the one error display.
    void Run(const std::function<void()> &command);
    /// Makes this the active window and triggers the main window's command.
    void RunMainCommand(QStringView name);

    void OnLayoutChanged(int kind);
    void OnGridSelection();
    void OnFrameStateChanged(Qt::WindowStates before, Qt::WindowStates now);
    void OnActiveChanged(bool active);
    void ShowContextMenu(const QPoint &globalPos);
    void EditKey();

    /// Sizes the window and the grid for the layout's matrix.
    void RebuildGrid();
    /// Gives the key cells all the room of the grid, but no less than their
    /// minimum: the grid scrolls when that does not fit.
    void SizeCells();
    /// Returns the smallest key cell at the zoom: in the code views tall
    /// enough for every layer's line.
    QSize MinimumCellSize() const;
    /// Returns a size in pixels of the normal zoom at the grid's zoom.
    int Zoomed(int size) const;
    /// Shows the grid at a zoom, without storing it.
    void ApplyZoom(int percent);
    void UpdateToolBar();
    void UpdateCaption(const QString &fileName);

    /// Returns the window's own save dialog's answer: the chosen file and
    /// the save registry's index; an empty name when cancelled.
    QString AskSaveFile(int &saveIndex);

    std::unique_ptr<TLayoutDocument> FDocument;
    TActionRegistry FCommands;
    TKeyboardManager &FManager;
    TMessageLink &FMessages;
    TKeyGrid *FGrid = nullptr;
    QToolBar *FToolBar = nullptr;
    QAction *FKeyAction = nullptr;
    QAction *FReaderAction = nullptr;
    QAction *FKeyLockAction = nullptr;
    QAction *FLayoutAction = nullptr;
    QAction *FCheckAction = nullptr;
    QMenu *FCodeMenu = nullptr;
    QMenu *FPictureMenu = nullptr;
    /// Suppresses the sizing of cells while the grid is rebuilt.
    bool FBuilding = false;
    QString FUntitledCaption = tr("Раскладка");
    QString FCaption;
    /// Index of the save format last confirmed in the window's save dialog.
    int FSaveIndex = 0;
};
