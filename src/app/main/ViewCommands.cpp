#include "main/ViewCommands.h"

#include "common/CommandGuard.h"
#include "device/KeyboardManager.h"
#include "document/fmuDoc.h"
#include "document/DocumentWindows.h"
#include "main/MainActions.h"
#include "main/WindowLayoutStore.h"
#include "main/fmuMessageWindow.h"
#include "settings/SettingsManager.h"

#include <QAction>
#include <QToolBar>

TViewCommands::TViewCommands(const TMainActions &actions, TDocumentWindows &documents, TKeyboardManager &manager,
                             TfmMessageWindow &messages, QList<QToolBar *> captionedBars, TWindowLayoutStore &store,
                             QWidget &window)
    : QObject(&window), FActions(actions), FDocuments(documents), FManager(manager), FMessages(messages),
      FCaptionedBars(std::move(captionedBars)), FStore(store), FWindow(window)
{
    for (int layer = 0; layer <= 4; ++layer)
        connect(actions.actLayers[layer], &QAction::triggered, this, [this, layer] { ShowLayer(layer); });
    connect(actions.actViewLayout, &QAction::triggered, this, [this] { SetViewMode(vmLayout); });
    connect(actions.actViewPicture, &QAction::triggered, this, [this] { SetViewMode(vmPicture); });
    connect(actions.actViewSimplified, &QAction::triggered, this, [this] { SetViewMode(vmSimplified); });
    const std::pair<QAction *, void (TfmDoc::*)()> zooms[] = {
        {actions.actViewZoomIn, &TfmDoc::ZoomIn}, {actions.actViewZoomOut, &TfmDoc::ZoomOut},
        {actions.actViewZoomNormal, &TfmDoc::ResetZoom}};
    for (const auto &[action, zoom] : zooms)
        connect(action, &QAction::triggered, this, [this, zoom = zoom] {
            CommandGuard::RunCommand(&FWindow, [&] { (FDocuments.ActiveOrFail().*zoom)(); });
        });
    // The item flips: checked it takes the captions away, unchecked it puts
    // them back; the new state is stored at once.
    connect(actions.actButtonCaptions, &QAction::triggered, this, [this](bool checked) {
        CommandGuard::RunCommand(&FWindow, [&] {
            SetButtonCaptions(checked);
            FStore.CaptionChecked = checked;
            FStore.Save();
        });
    });
    connect(actions.actMessageWindow, &QAction::triggered, this, &TViewCommands::ToggleMessageWindow);
}

void TViewCommands::SetButtonCaptions(bool shown)
{
    FActions.actButtonCaptions->setChecked(shown);
    for (QToolBar *bar : FCaptionedBars)
        bar->setToolButtonStyle(shown ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
}

void TViewCommands::ToggleMessageWindow()
{
    if (FMessages.isHidden())
        FMessages.ShowMessages();
    else
        FMessages.hide();
}

void TViewCommands::ShowLayer(int layer)
{
    CommandGuard::RunCommand(&FWindow, [&] { FDocuments.ActiveOrFail().SetShownLayer(layer); });
    FDocuments.NotifyChanged();
}

void TViewCommands::SetViewMode(TViewMode mode)
{
    CommandGuard::RunCommand(&FWindow, [&] {
        FDocuments.ActiveOrFail().SetViewMode(mode);
        FManager.Settings().SetViewMode(mode);
    });
    FDocuments.NotifyChanged();
}
