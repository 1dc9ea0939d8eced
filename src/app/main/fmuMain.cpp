#include "main/fmuMain.h"

#include "common/BaseForm.h"
#include "common/CommandGuard.h"
#include "main/AppVersion.h"
#include "main/CommandStates.h"
#include "main/DeviceBox.h"
#include "main/DeviceCommands.h"
#include "main/DocumentWindows.h"
#include "main/EditCommands.h"
#include "main/FileCommands.h"
#include "main/MainActions.h"
#include "main/RecentFiles.h"
#include "main/ViewCommands.h"
#include "main/WindowCommands.h"
#include "main/WindowLayoutStore.h"
#include "main/fmuMessageWindow.h"
#include "model/Layout.h"
#include "services/AppIcon.h"
#include "settings/SettingsManager.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStyle>
#include <QToolBar>

namespace {

// The share of the screen's free area the main window takes at its first start.
constexpr qreal kFirstPlacementShare = 0.85;

} // namespace

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
    setCentralWidget(FArea);
    FMessages = new TfmMessageWindow(this);
    FMessages->setObjectName(QStringLiteral("fmMessageWindow"));
    FDocuments = new TDocumentWindows(*FManager, *FMessages, *FArea, this);

    CreateMenus();
    CreateToolBars();
    FFileCommands = new TFileCommands(*FActions, *FDocuments, *FManager, *FRecent, *this);
    FEditCommands = new TEditCommands(*FActions, *FDocuments, *this);
    FViewCommands =
        new TViewCommands(*FActions, *FDocuments, *FManager, *FMessages, FCaptionedBars, *FStore, *this);
    FDeviceCommands = new TDeviceCommands(*FActions, *FDocuments, *FFileCommands, *FManager, *this);
    FWindowCommands = new TWindowCommands(*FActions, *FArea);
    FRecent->Load(FManager->Settings().MRU());
    ConnectMessages();
    RestoreLayout();

    setWindowTitle(QStringLiteral("Ravlin ") + ProgramVersion());
    FViewCommands->SetButtonCaptions(FStore->CaptionChecked);
    connect(FDocuments, &TDocumentWindows::commandsChanged, this, &TfmMain::UpdateCommands);
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
                                     a.actEditCopy, a.actEditPaste, nullptr, a.actEditFind, a.actEditReplace,
                                     nullptr, a.actEditGroup, a.actEditUngroup, nullptr, a.actEditCheck});
    // Two rows, so that every button fits with its caption under it: the
    // document commands, then the device, the layers, the view modes and the
    // device box.
    addToolBarBreak();
    QToolBar *device = AddToolBar(QStringLiteral("tbDevice"), QStringLiteral("Устройство"),
                                  {a.actDeviceWriteLayout, a.actDeviceReadLayout});
    QToolBar *layers = AddToolBar(QStringLiteral("tbLayer"), QStringLiteral("Слои"),
                                  {a.actLayers[0], a.actLayers[1], a.actLayers[2], a.actLayers[3], a.actLayers[4]});
    QToolBar *modes = AddToolBar(QStringLiteral("tbViewMode"), QStringLiteral("Режим отбражения"),
                                 {a.actViewLayout, a.actViewSimplified, a.actViewPicture});
    FCaptionedBars = {standard, device, layers, modes};
    QToolBar *usb = AddToolBar(QStringLiteral("tbUsb"), QStringLiteral("USB устройство"), {});
    FDeviceBox = new TDeviceBox(*FManager, *usb);
    const QStringList names = {QStringLiteral("miToolbarStandard"), QStringLiteral("miToolbarDevice"),
                               QStringLiteral("miToolbarLayer")};
    for (int i = 0; i < 3; ++i) {
        QAction *toggle = FCaptionedBars[i]->toggleViewAction();
        toggle->setObjectName(names[i]);
        FToolbarsMenu->addAction(toggle);
    }
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
}

void TfmMain::RestoreLayout()
{
    if (!restoreGeometry(FStore->Placement))
        PlaceFirstTime();
    restoreState(FStore->ToolbarState);
    // The settings decide where the message window is, whatever the stored
    // dock state says: it leaves the restored layout and comes back by them.
    removeDockWidget(FMessages);
    const TSettingsManager &settings = FManager->Settings();
    FMessages->Restore(this, settings.MessageFormDocked(), settings.DockPanelHeight());
}

void TfmMain::PlaceFirstTime()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen) {
        resize(900, 680);
        return;
    }
    // Large enough for every toolbar with its captions, with room around it
    // on the screen.
    const QRect area = screen->availableGeometry();
    const QSize size = (area.size() * kFirstPlacementShare).expandedTo(minimumSize()).boundedTo(area.size());
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, area));
}

void TfmMain::UpdateCommands()
{
    UpdateCommandStates(*FActions, FDocuments->Active());
    CommandGuard::RunCommand(this, [this] { FDeviceBox->Fill(); });
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
