#include "main/CommandStates.h"

#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "main/MainActions.h"

#include <QAction>

void UpdateCommandStates(const TMainActions &actions, const TfmDoc *document)
{
    const bool present = document != nullptr;
    for (QAction *action : actions.DocumentActions())
        action->setEnabled(present);
    if (!present) {
        for (QAction *action : actions.actLayers)
            action->setChecked(false);
        for (QAction *action : {actions.actViewLayout, actions.actViewSimplified, actions.actViewPicture})
            action->setChecked(false);
        return;
    }
    actions.actFileSave->setEnabled(document->NeedsSaving());
    actions.actEditPaste->setEnabled(document->CanPaste());
    actions.actEditGroup->setEnabled(document->CanGroup());
    actions.actEditUngroup->setEnabled(document->CanUngroup());
    const int layers = document->Document().Layout().LayerCount();
    for (int layer = 2; layer <= 4; ++layer)
        actions.actLayers[layer]->setEnabled(layers >= layer);
    actions.ViewModeAction(document->ViewMode())->setChecked(true);
    const int shown = document->ShownLayer();
    if (shown >= 0 && shown <= 4)
        actions.actLayers[shown]->setChecked(true);
}
