#include "main/DeviceCommands.h"

#include "common/CommandGuard.h"
#include "common/FileDialogs.h"
#include "device/KeyboardDriver.h"
#include "device/KeyboardManager.h"
#include "devicewindows/fmuProgress.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "document/DocumentWindows.h"
#include "main/FileCommands.h"
#include "main/MainActions.h"
#include "model/Layout.h"
#include "settings/SettingsManager.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWindow>

namespace {

// The filters of the device's files. Only the descriptions are translated,
// when a dialog opens (the translation is loaded by then); the patterns after
// "|" are the ones the dialog filters by.
QString ImageFilter()
{
    return QCoreApplication::translate("TDeviceCommands", "Раскладка Ravlin (*.bin)") +
           QStringLiteral("|*.bin");
}

QString ImageFilesFilter()
{
    return QStringLiteral("%1|*.bin|%2|*.*")
        .arg(QCoreApplication::translate("TDeviceCommands", "Раскладки Ravlin (*.bin)"),
             QCoreApplication::translate("TDeviceCommands", "Все файлы (*.*)"));
}

QString ProgramFilter()
{
    return QStringLiteral("%1|*.prg|%2|*.*")
        .arg(QCoreApplication::translate("TDeviceCommands", "Программы клавиатуры (*.prg)"),
             QCoreApplication::translate("TDeviceCommands", "Все файлы (*.*)"));
}

// Lets the window system's events run (never the user's input, which could
// start another command inside this one) until window is the one with the
// keyboard focus, or at most a second. The progress window comes and goes
// within one command: a window manager slower than the operation would
// otherwise focus it after it has gone, or hand the focus back while it
// still blocks the main window, and Qt would send the keys after the
// operation to no window.
void WaitUntilFocused(QWidget &window)
{
    QWindow *handle = window.windowHandle();
    if (!handle || QGuiApplication::focusWindow() == handle)
        return;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, &loop, [&loop, handle](QWindow *focused) {
        if (focused == handle)
            loop.quit();
    });
    limit.start(1000);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

TDeviceCommands::TDeviceCommands(const TMainActions &actions, TDocumentWindows &documents, TFileCommands &files,
                                 TKeyboardManager &manager, QWidget &window)
    : QObject(&window), FDocuments(documents), FFiles(files), FManager(manager), FWindow(window),
      FProgress(new TfmProgress(&window))
{
    FProgress->setObjectName(QStringLiteral("fmProgress"));
    FManager.Progress().OnProgress = [this](TProgress &progress) { ShowProgress(progress); };
    const auto bind = [this](QAction *action, std::function<void()> command) {
        connect(action, &QAction::triggered, this,
                [this, command = std::move(command)] { CommandGuard::RunCommand(&FWindow, command); });
    };
    bind(actions.actDeviceWriteLayout, [this] { WriteLayout(); });
    bind(actions.actDeviceReadLayout, [this] { ReadLayout(); });
    bind(actions.actDeviceReadMemory, [this] { ReadMemory(); });
    bind(actions.actDeviceWriteMemory, [this] { WriteMemory(); });
    bind(actions.actDeviceWriteProgram, [this] { WriteProgram(); });
    bind(actions.actDeviceLoaderMode, [this] { FManager.Driver().SetMode(true, false); });
    bind(actions.actDeviceWorkMode, [this] { FManager.Driver().SetMode(false, false); });
}

TDeviceCommands::~TDeviceCommands()
{
    FManager.Progress().OnProgress = nullptr;
}

void TDeviceCommands::ShowProgress(TProgress &progress)
{
    // Nothing but the progress window takes input while the operation runs.
    // An operation of several steps starts each: the focus to give back is
    // the one of the main window before the first, not the progress
    // window's (without a focus widget the main window would not take Alt
    // to its menu bar).
    if (progress.State() == psStarted && FWindow.isEnabled()) {
        QWidget *focus = QApplication::focusWidget();
        FFocusBefore = focus && focus->window() == &FWindow ? focus : nullptr;
        FWindow.setEnabled(false);
    }
    // Enabled again before the progress window goes: the system then makes
    // the main window active, which a disabled window would refuse, leaving
    // no window to take the keys.
    if (progress.State() == psFinished)
        FWindow.setEnabled(true);
    FProgress->setEnabled(true);
    FProgress->ShowProgress(progress);
    if (progress.State() == psStarted && FProgress->isVisible())
        WaitUntilFocused(*FProgress);
    if (progress.State() == psFinished) {
        // Qt may still count the hidden progress window as the active one
        // when the system's focus comes back first: the main window's
        // shortcuts would then find no window of theirs.
        QApplication::setActiveWindow(&FWindow);
        FWindow.activateWindow();
        WaitUntilFocused(FWindow);
        if (FFocusBefore)
            FFocusBefore->setFocus();
        else
            FWindow.setFocus();
    }
}

void TDeviceCommands::WriteLayout()
{
    TfmDoc &document = FDocuments.ActiveOrFail();
    if (FManager.Settings().SaveBeforeUpload())
        FFiles.Save(document);
    document.Document().WriteToKeyboard();
}

void TDeviceCommands::ReadLayout()
{
    TLayout layout;
    FManager.ReadLayout(layout);
    TfmDoc *document = FDocuments.Create();
    document->Document().AssignFrom(layout);
    FDocuments.Show(document);
}

void TDeviceCommands::ReadMemory()
{
    TFileDialogOptions options;
    options.Filter = ImageFilter();
    options.Folder = FManager.LastFolder();
    options.FileName = FManager.LastFileName();
    options.DefaultSuffix = QStringLiteral("bin");
    const TFileChoice choice = ChooseSaveFile(&FWindow, options);
    if (!choice.Cancelled())
        FManager.ReadMemoryToFile(choice.FileName);
}

void TDeviceCommands::WriteMemory()
{
    TFileDialogOptions options;
    options.Filter = ImageFilesFilter();
    options.Folder = FManager.LastFolder();
    options.FileName = FManager.LastFileName();
    options.DefaultSuffix = QStringLiteral("bin");
    const TFileChoice choice = ChooseOpenFile(&FWindow, options);
    if (!choice.Cancelled())
        FManager.WriteImageFile(choice.FileName);
}

void TDeviceCommands::WriteProgram()
{
    TFileDialogOptions options;
    options.Filter = ProgramFilter();
    options.Folder = FManager.LastFolder();
    options.DefaultSuffix = QStringLiteral("prg");
    const TFileChoice choice = ChooseOpenFile(&FWindow, options);
    if (!choice.Cancelled())
        FManager.WriteProgramFile(choice.FileName);
}
