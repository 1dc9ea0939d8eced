#pragma once

#include "device/KeyboardManager.h"
#include "main/DialogPrompts.h"

#include <QMainWindow>
#include <QStringList>
#include <memory>

class QMdiArea;
class QMenu;
class QToolBar;
class TCompareCommands;
class TDeviceBox;
class TDeviceCommands;
class TDeviceWindows;
class THelpCommands;
class TPreviewCommands;
class TDocumentWindows;
class TEditCommands;
class TFileCommands;
class TLayoutPartCommands;
class TPictureCommands;
class TfmMessageWindow;
class TKeyCommands;
class TRecentFiles;
class TReleaseCommands;
class TSetupCommands;
class TUndoCommands;
class TViewCommands;
class TWindowCommands;
class TWindowLayoutStore;
struct TMainActions;

/// The main window: the frame of the document windows, the menus and
/// toolbars of every command, the recent files, the device box and the
/// message window. It creates the keyboard manager first and frees it last;
/// each group of commands lives in its own object (file, edit, view, device,
/// window). Closing it asks every document window to close; Cancel in any
/// of them keeps it open. Then the message window's place, the recent files
/// and the settings file are written, and the window layout store.
class TfmMain : public QMainWindow {
    Q_OBJECT

public:
    /// options set up the keyboard manager; ProgramPath names the program
    /// file beside which the data folders and the settings file lie. Without
    /// Prompts the manager asks with message boxes.
    explicit TfmMain(TKeyboardManagerOptions options, QWidget *parent = nullptr);
    ~TfmMain() override;

    TKeyboardManager &Manager() const { return *FManager; }
    TDocumentWindows &Documents() const { return *FDocuments; }
    TFileCommands &FileCommands() const { return *FFileCommands; }
    TReleaseCommands &ReleaseCommands() const { return *FReleaseCommands; }
    const TMainActions &Actions() const { return *FActions; }
    TfmMessageWindow &MessageWindow() const { return *FMessages; }
    QMdiArea &Area() const { return *FArea; }
    TWindowLayoutStore &LayoutStore() const { return *FStore; }

    /// Opens files as "&Открыть" would: ".bin" as device images, anything
    /// else as XML layouts.
    void OpenFiles(const QStringList &fileNames);
    /// Enables and checks every command for the active document and refills
    /// the device box.
    void UpdateCommands();
    /// Posts the requests of the start-up, handled once the event loop
    /// runs, in this order: the silent update check and the new-layout
    /// wizard on the first run.
    void PostStartRequests();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    /// Makes the objects that carry the commands out; they make their
    /// actions from the one table of commands.
    void MakeCommands();
    /// Builds the toolbars and the menus from the made actions and plugs the
    /// recent files, the window list and the device box into them.
    void BuildMenusAndToolBars();
    void ConnectMessages();
    void RestoreLayout();
    void StoreState();

    TDialogPrompts FPrompts;
    std::unique_ptr<TKeyboardManager> FManager;
    std::unique_ptr<TWindowLayoutStore> FStore;
    std::unique_ptr<TMainActions> FActions;
    QMdiArea *FArea = nullptr;
    TfmMessageWindow *FMessages = nullptr;
    TDocumentWindows *FDocuments = nullptr;
    TRecentFiles *FRecent = nullptr;
    TFileCommands *FFileCommands = nullptr;
    TEditCommands *FEditCommands = nullptr;
    TViewCommands *FViewCommands = nullptr;
    TDeviceCommands *FDeviceCommands = nullptr;
    TWindowCommands *FWindowCommands = nullptr;
    TLayoutPartCommands *FPartCommands = nullptr;
    TPictureCommands *FPictureCommands = nullptr;
    TKeyCommands *FKeyCommands = nullptr;
    TDeviceWindows *FDeviceWindows = nullptr;
    TPreviewCommands *FPreviewCommands = nullptr;
    THelpCommands *FHelpCommands = nullptr;
    TSetupCommands *FSetupCommands = nullptr;
    TReleaseCommands *FReleaseCommands = nullptr;
    TUndoCommands *FUndoCommands = nullptr;
    TCompareCommands *FCompareCommands = nullptr;
    TDeviceBox *FDeviceBox = nullptr;
    QList<QToolBar *> FCaptionedBars;
};
