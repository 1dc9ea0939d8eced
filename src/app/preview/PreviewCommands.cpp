#include "preview/PreviewCommands.h"

#include "common/ActionRegistry.h"
#include "common/CommandGuard.h"
#include "common/SubWindowKeys.h"
#include "device/KeyboardManager.h"
#include "document/fmuDoc.h"
#include "preview/fmuPreview.h"
#include "settings/SettingsManager.h"

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolBar>

TPreviewCommands::TPreviewCommands(TKeyboardManager &manager, QMdiArea *area, QWidget &window)
    : TDocumentFollower(&window), FManager(manager), FArea(area), FWindow(window)
{
    actFilePreview =
        TActionRegistry::MakeCommand(u"actFilePreview", this, window, [this] { ShowPreview(ActiveOrFail()); });
}

TfmPreview *TPreviewCommands::Preview() const
{
    return FPreview;
}

bool TPreviewCommands::IsOpen() const
{
    return !FPreview.isNull();
}

void TPreviewCommands::ShowPreview(TfmDoc &document)
{
    if (FPreview) {
        FPreview->raise();
        return;
    }
    auto *preview = new TfmPreview(document, FManager.Settings().Font());
    FPreview = preview;
    connect(preview, &QObject::destroyed, this, [this] {
        RestoreToolBars();
        // Told once the area has made another window the active one.
        QMetaObject::invokeMethod(
            this, [this] { emit previewOpenChanged(false); }, Qt::QueuedConnection);
    });
    HideToolBars();
    if (FArea) {
        QMdiSubWindow *frame = FArea->addSubWindow(preview);
        ReleaseSubWindowCloseKey(*frame);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->setWindowIcon(FWindow.windowIcon());
        frame->showMaximized();
    } else {
        preview->setParent(&FWindow, Qt::Window);
        preview->showMaximized();
    }
    emit previewOpenChanged(true);
}

void TPreviewCommands::UpdateState(const TfmDoc *active)
{
    actFilePreview->setEnabled(active && active->ViewMode() != vmLayout && !FPreview);
}

void TPreviewCommands::HideToolBars()
{
    if (!qobject_cast<QMainWindow *>(&FWindow))
        return;
    for (QToolBar *bar : FWindow.findChildren<QToolBar *>(Qt::FindDirectChildrenOnly))
        if (bar->isVisible()) {
            FHiddenBars << bar;
            bar->hide();
        }
}

void TPreviewCommands::RestoreToolBars()
{
    for (const QPointer<QToolBar> &bar : std::as_const(FHiddenBars))
        if (bar)
            bar->show();
    FHiddenBars.clear();
}
