#include "main/MainActions.h"

#include "common/ActionRegistry.h"

#include <QAction>
#include <QActionGroup>

TMainActions::TMainActions(QObject *owner)
{
    const auto make = [owner](QStringView name) { return TActionRegistry::Make(name, owner); };
    actFileNew = make(u"actFileNew");
    actFileOpen = make(u"actFileOpen");
    actFileSave = make(u"actFileSave");
    actFileSaveAs = make(u"actFileSaveAs");
    actFileClose = make(u"actFileClose");
    actFileCloseAll = make(u"actFileCloseAll");
    actFilePrint = make(u"actFilePrint");
    actFileExit = make(u"actFileExit");

    actEditCut = make(u"actEditCut");
    actEditCopy = make(u"actEditCopy");
    actEditPaste = make(u"actEditPaste");
    actEditFind = make(u"actEditFind");
    actEditReplace = make(u"actEditReplace");
    actEditSelectAll = make(u"actEditSelectAll");
    actEditClear = make(u"actEditClear");
    actEditGroup = make(u"actEditGroup");
    actEditUngroup = make(u"actEditUngroup");
    actEditCheck = make(u"actEditCheck");
    actEditKey = make(u"actEditKey");

    actDeviceWriteLayout = make(u"actDeviceWriteLayout");
    actDeviceReadLayout = make(u"actDeviceReadLayout");
    actDeviceReadMemory = make(u"actDeviceReadMemory");
    actDeviceWriteMemory = make(u"actDeviceWriteMemory");
    actDeviceWriteProgram = make(u"actDeviceWriteProgram");
    actDeviceLoaderMode = make(u"miLoader");
    actDeviceWorkMode = make(u"miWork");

    LayerGroup = new QActionGroup(owner);
    LayerGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    actLayers[0] = make(u"actLayerAll");
    for (int layer = 1; layer <= 4; ++layer)
        actLayers[layer] = make(QStringLiteral("actLayer") + QString::number(layer));
    for (QAction *action : actLayers)
        LayerGroup->addAction(action);

    ViewModeGroup = new QActionGroup(owner);
    ViewModeGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    actViewLayout = make(u"actViewLayout");
    actViewSimplified = make(u"actViewSimplified");
    actViewPicture = make(u"actViewPicture");
    for (QAction *action : {actViewLayout, actViewSimplified, actViewPicture})
        ViewModeGroup->addAction(action);
    actButtonCaptions = make(u"actButtonCaptions");
    actMessageWindow = make(u"actMessageWindow");
    actViewZoomIn = make(u"actViewZoomIn");
    actViewZoomOut = make(u"actViewZoomOut");
    actViewZoomNormal = make(u"actViewZoomNormal");

    actWindowTileVertical = make(u"actWindowTileVertical");
    actWindowTileHorizontal = make(u"actWindowTileHorizontal");
    actWindowCascade = make(u"actWindowCascade");
}

QAction *TMainActions::ViewModeAction(TViewMode mode) const
{
    switch (mode) {
    case vmPicture:
        return actViewPicture;
    case vmSimplified:
        return actViewSimplified;
    case vmLayout:
        break;
    }
    return actViewLayout;
}

QList<QAction *> TMainActions::DocumentActions() const
{
    QList<QAction *> actions = {actFileSave,     actFileSaveAs,        actFileClose,           actFileCloseAll,
                                actFilePrint,    actEditCut,           actEditCopy,            actEditPaste,
                                actEditFind,     actEditReplace,       actEditSelectAll,       actEditClear,
                                actEditGroup,    actEditUngroup,       actEditCheck,  actEditKey,   actDeviceWriteLayout,
                                actViewLayout,   actViewSimplified,    actViewPicture,         actViewZoomIn,
                                actViewZoomOut,  actViewZoomNormal,    actWindowTileVertical,
                                actWindowTileHorizontal, actWindowCascade};
    for (QAction *action : actLayers)
        actions << action;
    return actions;
}
