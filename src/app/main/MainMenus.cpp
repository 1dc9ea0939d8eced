#include "main/MainMenus.h"

#include "common/ActionRegistry.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <algorithm>
#include <initializer_list>

namespace {

using TNames = std::initializer_list<const char16_t *>;

enum TToolBarStyle { tsCaptioned, tsIconsOnly, tsDeviceBox };

struct TToolBarRow {
    const char16_t *Name;
    const char16_t *Title;
    /// The toggle's name in "Панели инструментов"; empty for none.
    const char16_t *Toggle;
    TToolBarStyle Style;
    TNames Items;
};

// Two rows on a wide screen, every captioned button with its caption under
// it: the document commands, then undo and redo as icons (their tips name the
// step), the device, the layers, the view modes and the device box. A
// narrower window wraps them into more rows.
const TToolBarRow FirstRow[] = {
    {u"tbStandard", u"Стандартная", u"miToolbarStandard", tsCaptioned,
     {u"actFileNew", u"actFileOpen", u"actFileSave", u"actFilePreview", u"-", u"actEditCut", u"actEditCopy",
      u"actEditPaste", u"-", u"actEditFind", u"actEditReplace"}},
    {u"tbLayout", u"Раскладка", u"miToolbarLayout", tsCaptioned,
     {u"actEditGroup", u"actEditUngroup", u"-", u"actEditCardReader", u"actEditKeyLock", u"-",
      u"actLayoutProperties", u"actEditCheck", u"actEditKey"}},
};
const TToolBarRow SecondRow[] = {
    {u"tbEdit", u"Правка", u"miToolbarEdit", tsIconsOnly, {u"actEditUndo", u"actEditRedo"}},
    {u"tbDevice", u"Устройство", u"miToolbarDevice", tsCaptioned,
     {u"actDeviceReadInfo", u"actDeviceTest", u"-", u"actDeviceWriteLayout", u"actDeviceReadLayout"}},
    {u"tbLayer", u"Слои", u"miToolbarLayer", tsCaptioned,
     {u"actLayerAll", u"actLayer1", u"actLayer2", u"actLayer3", u"actLayer4"}},
    {u"tbViewMode", u"Режим отбражения", u"", tsCaptioned, {u"actViewLayout", u"actViewSimplified", u"actViewPicture"}},
    {u"tbUsb", u"USB устройство", u"", tsDeviceBox, {}},
};

struct TMenuRow {
    const char16_t *Name;
    const char16_t *Caption;
    /// Action names, "-" for a separator, or the name of a submenu row.
    TNames Items;
};

const TMenuRow MenuBar[] = {
    {u"miFile", u"&Файл",
     {u"actFileNew", u"actFileWizard", u"actFileOpen", u"actFileSave", u"actFileSaveAs", u"-", u"actFileClose",
      u"actFileCloseAll", u"-", u"actFilePreview", u"actFilePrint", u"actFileExit"}},
    {u"miEdit", u"&Правка",
     {u"actEditUndo", u"actEditRedo", u"-", u"actEditCut", u"actEditCopy", u"actEditPaste", u"-", u"actEditFind",
      u"actEditReplace", u"-", u"actEditSelectAll", u"actEditClear", u"-", u"actEditGroup", u"actEditUngroup", u"-",
      u"actEditCardReader", u"actEditKeyLock", u"-", u"actLayoutProperties", u"actEditCheck", u"-",
      u"actEditCompareFile", u"actEditCompareKeyboard"}},
    {u"miDevice", u"&Устройство",
     {u"actDeviceReadInfo", u"actDeviceTest", u"-", u"actDeviceWriteLayout", u"actDeviceReadLayout", u"-",
      u"actDeviceReadMemory", u"actDeviceWriteMemory", u"actDeviceWriteProgram", u"-", u"miInstallDrv",
      u"miUninstallDrv", u"-", u"miLoader", u"miWork"}},
    {u"miView", u"&Вид",
     {u"miViewLayers", u"miViewToolbars", u"actButtonCaptions", u"miViewMode", u"miViewZoom", u"-",
      u"actMessageWindow", u"actViewHistory"}},
    {u"miSettings", u"&Настройки", {u"actSettings"}},
    {u"miWindow", u"&Окно", {u"actWindowTileVertical", u"actWindowTileHorizontal", u"actWindowCascade"}},
    {u"miHelp", u"&Справка", {u"actHelpContents", u"miDevices", u"actHelpCheckUpdates", u"actHelpAbout"}},
};

const TMenuRow Submenus[] = {
    {u"miViewLayers", u"Отображаемые слои", {u"actLayerAll", u"actLayer1", u"actLayer2", u"actLayer3", u"actLayer4"}},
    {u"miViewToolbars", u"Панели инструментов",
     {u"miToolbarStandard", u"miToolbarLayout", u"miToolbarDevice", u"miToolbarLayer", u"miToolbarEdit"}},
    {u"miViewMode", u"Режим отображения", {u"actViewLayout", u"actViewSimplified", u"actViewPicture"}},
    {u"miViewZoom", u"Масштаб", {u"actViewZoomIn", u"actViewZoomOut", u"actViewZoomNormal"}},
};

bool IsSeparator(const char16_t *item)
{
    return QStringView(item) == u"-";
}

QToolBar *AddToolBar(QMainWindow &window, TActionRegistry &actions, const TToolBarRow &row)
{
    QToolBar *bar = window.addToolBar(QString::fromUtf16(row.Title));
    bar->setObjectName(QString::fromUtf16(row.Name));
    for (const char16_t *item : row.Items) {
        if (IsSeparator(item))
            bar->addSeparator();
        else
            bar->addAction(actions.Action(item));
    }
    if (row.Style == tsIconsOnly)
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    if (*row.Toggle) {
        bar->toggleViewAction()->setObjectName(QString::fromUtf16(row.Toggle));
        actions.Add(bar->toggleViewAction());
    }
    return bar;
}

void FillMenu(QMenu &menu, const TActionRegistry &actions, const TMenuRow &row)
{
    for (const char16_t *item : row.Items) {
        if (IsSeparator(item)) {
            menu.addSeparator();
            continue;
        }
        const auto submenu = std::find_if(std::begin(Submenus), std::end(Submenus),
                                          [item](const TMenuRow &sub) { return QStringView(sub.Name) == item; });
        if (submenu == std::end(Submenus)) {
            menu.addAction(actions.Action(item));
            continue;
        }
        QMenu *child = menu.addMenu(QString::fromUtf16(submenu->Caption));
        child->setObjectName(QString::fromUtf16(submenu->Name));
        FillMenu(*child, actions, *submenu);
    }
}

} // namespace

QList<QToolBar *> MainMenus::BuildToolBars(QMainWindow &window, TActionRegistry &actions)
{
    QList<QToolBar *> captioned;
    for (const auto &row : FirstRow)
        captioned << AddToolBar(window, actions, row);
    window.addToolBarBreak();
    for (const auto &row : SecondRow) {
        QToolBar *bar = AddToolBar(window, actions, row);
        if (row.Style == tsCaptioned)
            captioned << bar;
    }
    return captioned;
}

QHash<QString, QMenu *> MainMenus::BuildMenus(QMainWindow &window, const TActionRegistry &actions)
{
    QHash<QString, QMenu *> menus;
    for (const TMenuRow &row : MenuBar) {
        QMenu *menu = window.menuBar()->addMenu(QString::fromUtf16(row.Caption));
        menu->setObjectName(QString::fromUtf16(row.Name));
        FillMenu(*menu, actions, row);
        menus.insert(menu->objectName(), menu);
    }
    return menus;
}
