#include "main/fmuMain.h"

#include "base/ProgramVersion.h"
#include "common/BaseForm.h"
#include "common/CommandGuard.h"
#include "common/ToolbarIcons.h"
#include "device/DeviceWindows.h"
#include "document/fmuDoc.h"
#include "keys/KeyCommands.h"
#include "keys/fmuCodes.h"
#include "keys/fmuNotes.h"
#include "layoutparts/LayoutPartCommands.h"
#include "layoutparts/PartEditors.h"
#include "main/CommandStates.h"
#include "main/DeviceBox.h"
#include "main/DeviceCommands.h"
#include "document/DocumentWindows.h"
#include "main/EditCommands.h"
#include "main/FileCommands.h"
#include "main/MainActions.h"
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
#include "services/AppIcon.h"
#include "services/HelpCommands.h"
#include "settings/SettingsManager.h"
#include "wizard/SetupCommands.h"

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
    setWindowIcon(AppIcon());
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
    AddKeyCommands();

    CreateMenus();
    CreateToolBars();
    FFileCommands = new TFileCommands(*FActions, *FDocuments, *FManager, *FRecent, *this);
    FEditCommands = new TEditCommands(*FActions, *FDocuments, *this);
    FViewCommands =
        new TViewCommands(*FActions, *FDocuments, *FManager, *FMessages, FCaptionedBars, *FStore, *this);
    FDeviceCommands = new TDeviceCommands(*FActions, *FDocuments, *FFileCommands, *FManager, *this);
    new TStatusLine(*FDocuments, *FManager, *statusBar());
    FWindowCommands = new TWindowCommands(*FActions, *FArea);
    FWindowCommands->ListWindowsIn(*menuBar()->findChild<QMenu *>(QStringLiteral("miWindow")));
    AddWindowCommands();
    AddSetupCommands();
    AddReleaseCommands();
    AddUndoCommands();
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

void TfmMain::CreateMenus()
{
    const TMainActions &a = *FActions;
    QMenu *file = menuBar()->addMenu(QStringLiteral("&Файл"));
    file->setObjectName(QStringLiteral("miFile"));
    file->addActions({a.actFileNew, a.actFileOpen, a.actFileSave, a.actFileSaveAs});
    file->addSeparator();
    file->addActions({a.actFileClose, a.actFileCloseAll});
    file->addSeparator();
    file->addAction(a.actFilePrint);
    file->addAction(a.actFileExit);
    FRecent = new TRecentFiles(*file, a.actFileExit, this);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Правка"));
    edit->setObjectName(QStringLiteral("miEdit"));
    edit->addActions({a.actEditCut, a.actEditCopy, a.actEditPaste});
    edit->addSeparator();
    edit->addActions({a.actEditFind, a.actEditReplace});
    edit->addSeparator();
    edit->addActions({a.actEditSelectAll, a.actEditClear});
    edit->addSeparator();
    edit->addActions({a.actEditGroup, a.actEditUngroup});
    edit->addSeparator();
    edit->addActions({FPartCommands->ReaderAction(), FPartCommands->KeyLockAction()});
    edit->addSeparator();
    edit->addAction(a.actEditCheck);

    QMenu *device = menuBar()->addMenu(QStringLiteral("&Устройство"));
    device->setObjectName(QStringLiteral("miDevice"));
    device->addActions({a.actDeviceWriteLayout, a.actDeviceReadLayout});
    device->addSeparator();
    device->addActions({a.actDeviceReadMemory, a.actDeviceWriteMemory, a.actDeviceWriteProgram});
    device->addSeparator();
    device->addActions({a.actDeviceLoaderMode, a.actDeviceWorkMode});

    QMenu *view = menuBar()->addMenu(QStringLiteral("&Вид"));
    view->setObjectName(QStringLiteral("miView"));
    QMenu *layers = view->addMenu(QStringLiteral("Отображаемые слои"));
    for (QAction *action : a.actLayers)
        layers->addAction(action);
    FToolbarsMenu = view->addMenu(QStringLiteral("Панели инструментов"));
    view->addAction(a.actButtonCaptions);
    QMenu *modes = view->addMenu(QStringLiteral("Режим отображения"));
    modes->addActions({a.actViewLayout, a.actViewSimplified, a.actViewPicture});
    QMenu *zoom = view->addMenu(QStringLiteral("Масштаб"));
    zoom->addActions({a.actViewZoomIn, a.actViewZoomOut, a.actViewZoomNormal});
    view->addSeparator();
    view->addAction(a.actMessageWindow);

    QMenu *window = menuBar()->addMenu(QStringLiteral("&Окно"));
    window->setObjectName(QStringLiteral("miWindow"));
    window->addActions({a.actWindowTileVertical, a.actWindowTileHorizontal, a.actWindowCascade});

    // The background of the document area offers the message window.
    auto *showMessages = new QAction(QStringLiteral("Окно сообщений"), FArea);
    showMessages->setObjectName(QStringLiteral("pmiMessageWindow"));
    connect(showMessages, &QAction::triggered, this, [this] { FMessages->ShowMessages(); });
    FArea->addAction(showMessages);
    FArea->setContextMenuPolicy(Qt::ActionsContextMenu);
}

QToolBar *TfmMain::AddToolBar(const QString &name, const QString &title, const QList<QAction *> &actions)
{
    QToolBar *bar = addToolBar(title);
    bar->setObjectName(name);
    for (QAction *action : actions) {
        if (action)
            bar->addAction(action);
        else
            bar->addSeparator();
    }
    return bar;
}

void TfmMain::CreateToolBars()
{
    const TMainActions &a = *FActions;
    QToolBar *standard = AddToolBar(QStringLiteral("tbStandard"), QStringLiteral("Стандартная"),
                                    {a.actFileNew, a.actFileOpen, a.actFileSave, nullptr, a.actEditCut,
                                     a.actEditCopy, a.actEditPaste, nullptr, a.actEditFind, a.actEditReplace});
    QToolBar *layout = AddToolBar(QStringLiteral("tbLayout"), QStringLiteral("Раскладка"),
                                  {a.actEditGroup, a.actEditUngroup, nullptr, FPartCommands->ReaderAction(),
                                   FPartCommands->KeyLockAction(), nullptr, a.actEditCheck, a.actEditKey});
    // Two rows on a wide screen, every button with its caption under it: the
    // document commands, then the device, the layers, the view modes and the
    // device box. A narrower window wraps them into more rows.
    addToolBarBreak();
    QToolBar *device = AddToolBar(QStringLiteral("tbDevice"), QStringLiteral("Устройство"),
                                  {a.actDeviceWriteLayout, a.actDeviceReadLayout});
    QToolBar *layers = AddToolBar(QStringLiteral("tbLayer"), QStringLiteral("Слои"),
                                  {a.actLayers[0], a.actLayers[1], a.actLayers[2], a.actLayers[3], a.actLayers[4]});
    QToolBar *modes = AddToolBar(QStringLiteral("tbViewMode"), QStringLiteral("Режим отбражения"),
                                 {a.actViewLayout, a.actViewSimplified, a.actViewPicture});
    FCaptionedBars = {standard, layout, device, layers, modes};
    QToolBar *usb = AddToolBar(QStringLiteral("tbUsb"), QStringLiteral("USB устройство"), {});
    FDeviceBox = new TDeviceBox(*FManager, *usb);
    const QStringList names = {QStringLiteral("miToolbarStandard"), QStringLiteral("miToolbarLayout"),
                               QStringLiteral("miToolbarDevice"), QStringLiteral("miToolbarLayer")};
    for (int i = 0; i < names.size(); ++i) {
        QAction *toggle = FCaptionedBars[i]->toggleViewAction();
        toggle->setObjectName(names[i]);
        FToolbarsMenu->addAction(toggle);
    }
    new TToolBarFlow(*this);
}

void TfmMain::AddKeyCommands()
{
    // The key dialog, the card reader and key lock dialogs and the key
    // picture window follow the active document window.
    FKeyCommands = new TKeyCommands(*FManager, this);
    FPartCommands = new TLayoutPartCommands(*FManager, *this);
    FPictureCommands = new TPictureCommands(*FManager, *this);
    FPartCommands->ReaderAction()->setIcon(ToolbarIcon(QStringLiteral("card-reader")));
    FPartCommands->KeyLockAction()->setIcon(ToolbarIcon(QStringLiteral("key-lock")));
    for (TDocumentFollower *commands : std::initializer_list<TDocumentFollower *>{FKeyCommands, FPartCommands, FPictureCommands})
        commands->Follow(*FDocuments);
    // The card reader and key lock dialogs edit codes and melodies with the
    // key dialog's code and melody editors.
    FPartCommands->SetEditors({[this](QWidget &, TScanCodes &codes, int mode) {
                                   return FKeyCommands->CodesDialog().Execute(codes, mode);
                               },
                               [this](QWidget &, TNotes &melody, const QString &text) {
                                   return FKeyCommands->NotesDialog().Execute(melody, text);
                               }});
    connect(FKeyCommands, &TKeyCommands::pictureRequested, this, [this](TfmDoc *document) {
        CommandGuard::RunCommand(this, [this, document] { FPictureCommands->EditKey(*document); });
    });
    connect(FActions->actEditKey, &QAction::triggered, this,
            [this] { CommandGuard::RunCommand(this, [this] { FKeyCommands->EditActiveKey(); }); });
}

void TfmMain::AddWindowCommands()
{
    const TMainActions &a = *FActions;
    FDeviceWindows = new TDeviceWindows(*FManager, *this);
    FPreviewCommands = new TPreviewCommands(*FManager, FArea, *this);
    FPreviewCommands->Follow(*FDocuments);
    connect(FPreviewCommands, &TPreviewCommands::previewOpenChanged, this, &TfmMain::UpdateCommands);
    FHelpCommands = new THelpCommands(*FManager, *this);
    FDeviceWindows->actDeviceReadInfo->setIcon(ToolbarIcon(QStringLiteral("device-info")));
    FDeviceWindows->actDeviceTest->setIcon(ToolbarIcon(QStringLiteral("key-test")));
    FPreviewCommands->actFilePreview->setIcon(ToolbarIcon(QStringLiteral("print-preview")));

    menuBar()->findChild<QMenu *>(QStringLiteral("miFile"))->insertAction(a.actFilePrint,
                                                                           FPreviewCommands->actFilePreview);
    QMenu *device = menuBar()->findChild<QMenu *>(QStringLiteral("miDevice"));
    device->insertActions(a.actDeviceWriteLayout, {FDeviceWindows->actDeviceReadInfo, FDeviceWindows->actDeviceTest});
    device->insertSeparator(a.actDeviceWriteLayout);
    device->insertActions(a.actDeviceLoaderMode,
                          {FDeviceWindows->actInstallDriver, FDeviceWindows->actUninstallDriver});
    device->insertSeparator(a.actDeviceLoaderMode);
    QMenu *help = menuBar()->addMenu(QStringLiteral("&Справка"));
    help->setObjectName(QStringLiteral("miHelp"));
    help->addActions({FHelpCommands->actHelpContents, FHelpCommands->actHelpDevices});

    auto *standard = findChild<QToolBar *>(QStringLiteral("tbStandard"));
    standard->insertAction(standard->actions().value(standard->actions().indexOf(a.actFileSave) + 1),
                           FPreviewCommands->actFilePreview);
    auto *deviceBar = findChild<QToolBar *>(QStringLiteral("tbDevice"));
    deviceBar->insertActions(a.actDeviceWriteLayout,
                             {FDeviceWindows->actDeviceReadInfo, FDeviceWindows->actDeviceTest});
    deviceBar->insertSeparator(a.actDeviceWriteLayout);
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
    FPreviewCommands->UpdateState(FDocuments->Active());
    CommandGuard::RunCommand(this, [this] { FDeviceBox->Fill(); });
}

void TfmMain::AddSetupCommands()
{
    FSetupCommands = new TSetupCommands(*FManager, *this);
    FSetupCommands->Follow(*FDocuments);
    connect(FSetupCommands, &TSetupCommands::settingsClosed, this, &TfmMain::UpdateCommands);

    QAction *wizard = FSetupCommands->actFileWizard;
    QAction *properties = FSetupCommands->actLayoutProperties;
    properties->setIcon(ToolbarIcon(QStringLiteral("layout-properties")));
    QMenuBar *menus = menuBar();
    menus->findChild<QMenu *>(QStringLiteral("miFile"))->insertAction(FActions->actFileOpen, wizard);
    menus->findChild<QMenu *>(QStringLiteral("miEdit"))->insertAction(FActions->actEditCheck, properties);
    findChild<QToolBar *>(QStringLiteral("tbLayout"))->insertAction(FActions->actEditCheck, properties);
    auto *settings = new QMenu(QStringLiteral("&Настройки"), menus);
    settings->setObjectName(QStringLiteral("miSettings"));
    settings->addAction(FSetupCommands->actSettings);
    menus->insertMenu(menus->findChild<QMenu *>(QStringLiteral("miWindow"))->menuAction(), settings);
}

void TfmMain::AddReleaseCommands()
{
    FReleaseCommands = new TReleaseCommands(*FManager, *this);
    menuBar()->findChild<QMenu *>(QStringLiteral("miHelp"))->addActions(
        {FReleaseCommands->actCheckUpdates, FReleaseCommands->actAbout});
}

void TfmMain::AddUndoCommands()
{
    FUndoCommands = new TUndoCommands(*FDocuments, *this);
    QAction *undo = FUndoCommands->UndoAction();
    QAction *redo = FUndoCommands->RedoAction();
    QMenu *edit = menuBar()->findChild<QMenu *>(QStringLiteral("miEdit"));
    edit->insertActions(FActions->actEditCut, {undo, redo});
    edit->insertSeparator(FActions->actEditCut);
    // Neither toolbar row has room left for two captioned buttons on a
    // screen 1280 pixels wide: undo and redo lead the second row as icons,
    // their tips naming the step.
    QToolBar *bar = AddToolBar(QStringLiteral("tbEdit"), QStringLiteral("Правка"), {undo, redo});
    insertToolBar(findChild<QToolBar *>(QStringLiteral("tbDevice")), bar);
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->toggleViewAction()->setObjectName(QStringLiteral("miToolbarEdit"));
    FToolbarsMenu->addAction(bar->toggleViewAction());
    menuBar()->findChild<QMenu *>(QStringLiteral("miView"))->addAction(FUndoCommands->HistoryDock()->toggleViewAction());
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
