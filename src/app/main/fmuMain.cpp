#include "main/fmuMain.h"

#include "base/ProgramVersion.h"
#include "codeeditors/CodeEditors.h"
#include "common/ActionRegistry.h"
#include "common/AppIcon.h"
#include "common/BaseForm.h"
#include "common/CommandGuard.h"
#include "devicewindows/DeviceWindows.h"
#include "document/DocumentWindows.h"
#include "document/fmuDoc.h"
#include "help/HelpCommands.h"
#include "keys/KeyCommands.h"
#include "layoutparts/LayoutPartCommands.h"
#include "main/CommandStates.h"
#include "main/CompareCommands.h"
#include "main/DeviceBox.h"
#include "main/DeviceCommands.h"
#include "main/EditCommands.h"
#include "main/FileCommands.h"
#include "main/MainActions.h"
#include "main/MainMenus.h"
#include "main/RecentFiles.h"
#include "main/StatusLine.h"
#include "main/ToolBarFlow.h"
#include "main/UndoCommands.h"
#include "main/ViewCommands.h"
#include "main/WindowCommands.h"
#include "main/WindowLayoutStore.h"
#include "main/fmuMessageWindow.h"
#include "model/Layout.h"
#include "pictures/PictureCommands.h"
#include "preview/PreviewCommands.h"
#include "release/ReleaseCommands.h"
#include "settings/SettingsManager.h"
#include "wizard/SetupCommands.h"

#include <QApplication>
#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QDockWidget>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>

TfmMain::TfmMain(TKeyboardManagerOptions options, QWidget *parent) : QMainWindow(parent), FPrompts(this)
{
    if (!options.Prompts)
        options.Prompts = &FPrompts;
    FManager = std::make_unique<TKeyboardManager>(options);
    FStore = std::make_unique<TWindowLayoutStore>(TWindowLayoutStore::FileNameFor(FManager->Settings().FileName()));
    FStore->Load();

    setObjectName(QStringLiteral("fmMain"));
    setMinimumSize(430, 360);
    // Every window of the editor shows the application's icon, document
    // windows included: without one Qt reads its own from PNG files.
    QApplication::setWindowIcon(AppIcon());
    setFont(TBaseForm::FormFont(FManager->Settings().Font()));
    setAcceptDrops(true);
    FActions = std::make_unique<TMainActions>(this);
    FArea = new QMdiArea(this);
    FArea->setObjectName(QStringLiteral("MDIArea"));
    // A grid larger than the area (or rows behind the docked message window)
    // stays reachable.
    FArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    FArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(FArea);
    FMessages = new TfmMessageWindow(this);
    FMessages->setObjectName(QStringLiteral("fmMessageWindow"));
    FDocuments = new TDocumentWindows(*FManager, *FMessages, *FArea, this);
    MakeCommands();
    BuildMenusAndToolBars();

    FFileCommands = new TFileCommands(*FActions, *FDocuments, *FManager, *FRecent, *this);
    FEditCommands = new TEditCommands(*FActions, *FDocuments, *this);
    FViewCommands =
        new TViewCommands(*FActions, *FDocuments, *FManager, *FMessages, FCaptionedBars, *FStore, *this);
    FDeviceCommands = new TDeviceCommands(*FActions, *FDocuments, *FFileCommands, *FManager, *this);
    new TStatusLine(*FDocuments, *FManager, *statusBar());
    FRecent->Load(FManager->Settings().MRU());
    ConnectMessages();
    RestoreLayout();

    setWindowTitle(QStringLiteral("Ravlin ") + ProgramVersion());
    FViewCommands->SetButtonCaptions(FStore->CaptionChecked);
    connect(FDocuments, &TDocumentWindows::activeStateChanged, this, &TfmMain::UpdateCommands);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TfmMain::UpdateCommands);
    UpdateCommands();
}

TfmMain::~TfmMain()
{
    // Everything that reaches the keyboard manager goes before it: the
    // documents, the message window's link and the progress display.
    FManager->OnMessage = nullptr;
    FManager->OnCheckLayout = nullptr;
    FManager->OnLayoutFaulty = nullptr;
    disconnect(QGuiApplication::clipboard(), nullptr, this, nullptr);
    // A preview closed with the area asks for no command update.
    disconnect(FPreviewCommands, nullptr, this, nullptr);
    delete FDeviceCommands;
    delete FDocuments;
    delete FArea;
}

void TfmMain::MakeCommands()
{
    // The objects that carry commands out and make their actions; the key
    // dialog, the card reader and key lock dialogs, the key picture window,
    // the print preview, the setup dialogs and undo follow the active
    // document window.
    auto *editors = new TCodeEditors(*FManager, *this);
    FKeyCommands = new TKeyCommands(*FManager, *editors, this);
    FPartCommands = new TLayoutPartCommands(*FManager, *editors, *this);
    FPictureCommands = new TPictureCommands(*FManager, *this);
    FPreviewCommands = new TPreviewCommands(*FManager, FArea, *this);
    FSetupCommands = new TSetupCommands(*FManager, *this);
    for (TDocumentFollower *commands : std::initializer_list<TDocumentFollower *>{
             FKeyCommands, FPartCommands, FPictureCommands, FPreviewCommands, FSetupCommands})
        commands->Follow(*FDocuments);
    FUndoCommands = new TUndoCommands(*FDocuments, *this);
    FDeviceWindows = new TDeviceWindows(*FManager, *this);
    FHelpCommands = new THelpCommands(*FManager, *this);
    FReleaseCommands = new TReleaseCommands(*FManager, *this);
    FWindowCommands = new TWindowCommands(*FActions, *FArea);
    FCompareCommands = new TCompareCommands(*FManager, *FMessages, *this);
    FCompareCommands->Follow(*FDocuments);

    connect(FKeyCommands, &TKeyCommands::pictureRequested, this, [this](TfmDoc *document) {
        CommandGuard::RunCommand(this, [this, document] { FPictureCommands->EditKey(*document); });
    });
    connect(FActions->actEditKey, &QAction::triggered, this,
            [this] { CommandGuard::RunCommand(this, [this] { FKeyCommands->EditActiveKey(); }); });
    connect(FPreviewCommands, &TPreviewCommands::previewOpenChanged, this, &TfmMain::UpdateCommands);
    connect(FSetupCommands, &TSetupCommands::settingsClosed, this, &TfmMain::UpdateCommands);

    // The background of the document area offers the message window.
    QAction *showMessages = TActionRegistry::MakeCommand(u"pmiMessageWindow", FArea, *this,
                                                         [this] { FMessages->ShowMessages(); });
    FArea->addAction(showMessages);
    FArea->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TfmMain::BuildMenusAndToolBars()
{
    TActionRegistry actions(*this);
    FCaptionedBars = MainMenus::BuildToolBars(*this, actions);
    FDeviceBox = new TDeviceBox(*FManager, *findChild<QToolBar *>(QStringLiteral("tbUsb")));
    new TToolBarFlow(*this);
    actions.Add(FUndoCommands->HistoryDock()->toggleViewAction());
    const QHash<QString, QMenu *> menus = MainMenus::BuildMenus(*this, actions);
    FRecent = new TRecentFiles(*menus.value(QStringLiteral("miFile")), FActions->actFileExit, this);
    FWindowCommands->ListWindowsIn(*menus.value(QStringLiteral("miWindow")));
    FDocuments->UseCommands(actions);
}

void TfmMain::ConnectMessages()
{
    TfmMessageWindow *messages = FMessages;
    FManager->OnMessage = [messages](const QString &text, const TLayout *layout) {
        messages->AddMessage(text, layout ? int(layout->InstanceNumber()) : 0);
    };
    FManager->OnCheckLayout = [messages] { messages->ClearMessages(); };
    FManager->OnLayoutFaulty = [messages] { messages->ShowMessages(); };
    connect(FMessages, &TfmMessageWindow::goToMessage, FDocuments, &TDocumentWindows::GoToMessage);
    // Model descriptions that could not be loaded at start are named there.
    for (const QString &error : FManager->CatalogueErrors())
        FMessages->AddMessage(error, 0);
}

void TfmMain::RestoreLayout()
{
    if (!restoreGeometry(FStore->Placement)) {
        setGeometry(TWindowLayoutStore::FirstPlacement(minimumSize()));
        if (TWindowLayoutStore::FirstMaximized())
            setWindowState(windowState() | Qt::WindowMaximized);
    }
    restoreState(FStore->ToolbarState);
    // The settings decide where the message window is, whatever the stored
    // dock state says: it leaves the restored layout and comes back by them.
    removeDockWidget(FMessages);
    const TSettingsManager &settings = FManager->Settings();
    FMessages->Restore(this, settings.MessageFormDocked(), settings.DockPanelHeight());
}

void TfmMain::UpdateCommands()
{
    // While the print preview is open the document commands rest.
    TfmDoc *document = FPreviewCommands->IsOpen() ? nullptr : FDocuments->Active();
    UpdateCommandStates(*FActions, document);
    FUndoCommands->UndoDocument(document);
    FSetupCommands->actLayoutProperties->setEnabled(document != nullptr);
    FCompareCommands->SetEnabled(document != nullptr);
    FPreviewCommands->UpdateState(FDocuments->Active());
    CommandGuard::RunCommand(this, [this] { FDeviceBox->Fill(); });
}

void TfmMain::PostStartRequests()
{
    // Handled in the order posted: the silent update check, then the wizard.
    FReleaseCommands->PostStartCheck();
    FSetupCommands->PostFirstRun();
}

void TfmMain::OpenFiles(const QStringList &fileNames)
{
    FFileCommands->OpenFiles(fileNames);
}

void TfmMain::StoreState()
{
    TSettingsManager &settings = FManager->Settings();
    settings.SetDockPanelHeight(FMessages->DockHeight());
    settings.SetMessageFormDocked(FMessages->IsDocked());
    FRecent->Store(settings.MRU());
    settings.Save();
    FStore->Placement = saveGeometry();
    FStore->ToolbarState = saveState();
    FStore->CaptionChecked = FActions->actButtonCaptions->isChecked();
    FStore->Save();
}

void TfmMain::closeEvent(QCloseEvent *event)
{
    if (!FDocuments->CloseAll()) {
        event->ignore();
        return;
    }
    CommandGuard::RunCommand(this, [this] { StoreState(); });
    event->accept();
}

void TfmMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TfmMain::dropEvent(QDropEvent *event)
{
    QStringList files;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    event->acceptProposedAction();
    OpenFiles(files);
}
