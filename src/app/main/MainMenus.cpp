#include "main/MainMenus.h"

#include "common/ActionRegistry.h"

#include <QAction>
#include <QCoreApplication>
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
    const char *Title;
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
    {u"tbStandard",
     QT_TRANSLATE_NOOP("MainMenus", "Стандартная"),
     u"miToolbarStandard",
     tsCaptioned,
     {u"actFileNew", u"actFileOpen", u"actFileSave", u"actFilePreview", u"-", u"actEditCut", u"actEditCopy",
      u"actEditPaste", u"-", u"actEditFind", u"actEditReplace"}},
    {u"tbLayout",
     QT_TRANSLATE_NOOP("MainMenus", "Раскладка"),
     u"miToolbarLayout",
     tsCaptioned,
     {u"actEditGroup", u"actEditUngroup", u"-", u"actEditCardReader", u"actEditKeyLock", u"-",
      u"actLayoutProperties", u"actEditCheck", u"actEditKey"}},
};
const TToolBarRow SecondRow[] = {
    {u"tbEdit",
     QT_TRANSLATE_NOOP("MainMenus", "Правка"),
     u"miToolbarEdit",
     tsIconsOnly,
     {u"actEditUndo", u"actEditRedo"}},
    {u"tbDevice",
     QT_TRANSLATE_NOOP("MainMenus", "Устройство"),
     u"miToolbarDevice",
     tsCaptioned,
     {u"actDeviceReadInfo", u"actDeviceTest", u"-", u"actDeviceWriteLayout", u"actDeviceReadLayout"}},
    {u"tbLayer",
     QT_TRANSLATE_NOOP("MainMenus", "Слои"),
     u"miToolbarLayer",
     tsCaptioned,
     {u"actLayerAll", u"actLayer1", u"actLayer2", u"actLayer3", u"actLayer4"}},
    {u"tbViewMode",
     QT_TRANSLATE_NOOP("MainMenus", "Режим отображения"),
     u"",
     tsCaptioned,
     {u"actViewLayout", u"actViewSimplified", u"actViewPicture"}},
    {u"tbUsb", QT_TRANSLATE_NOOP("MainMenus", "USB устройство"), u"", tsDeviceBox, {}},
};

struct TMenuRow {
    const char16_t *Name;
    const char *Caption;
    /// Action names, "-" for a separator, or the name of a submenu row.
    TNames Items;
};

const TMenuRow MenuBar[] = {
    {u"miFile",
     QT_TRANSLATE_NOOP("MainMenus", "&Файл"),
     {u"actFileNew", u"actFileWizard", u"actFileOpen", u"actFileSave", u"actFileSaveAs", u"-",
      u"actFileClose", u"actFileCloseAll", u"-", u"actFilePreview", u"actFilePrint", u"actFileExit"}},
    {u"miEdit",
     QT_TRANSLATE_NOOP("MainMenus", "&Правка"),
     {u"actEditUndo", u"actEditRedo",         u"-",
      u"actEditCut",  u"actEditCopy",         u"actEditPaste",
      u"-",           u"actEditFind",         u"actEditReplace",
      u"-",           u"actEditSelectAll",    u"actEditClear",
      u"-",           u"actEditGroup",        u"actEditUngroup",
      u"-",           u"actEditCardReader",   u"actEditKeyLock",
      u"-",           u"actLayoutProperties", u"actEditCheck",
      u"-",           u"actEditCompareFile",  u"actEditCompareKeyboard"}},
    {u"miDevice",
     QT_TRANSLATE_NOOP("MainMenus", "&Устройство"),
     {u"actDeviceReadInfo", u"actDeviceTest", u"-", u"actDeviceWriteLayout", u"actDeviceReadLayout", u"-",
      u"actDeviceReadMemory", u"actDeviceWriteMemory", u"actDeviceWriteProgram", u"-", u"miInstallDrv",
      u"miUninstallDrv", u"-", u"miLoader", u"miWork"}},
    {u"miView",
     QT_TRANSLATE_NOOP("MainMenus", "&Вид"),
     {u"miViewLayers", u"miViewToolbars", u"actButtonCaptions", u"miViewMode", u"miViewZoom", u"-",
      u"actMessageWindow", u"actViewHistory"}},
    {u"miSettings", QT_TRANSLATE_NOOP("MainMenus", "&Настройки"), {u"actSettings"}},
    {u"miWindow",
     QT_TRANSLATE_NOOP("MainMenus", "&Окно"),
     {u"actWindowTileVertical", u"actWindowTileHorizontal", u"actWindowCascade"}},
    {u"miHelp",
     QT_TRANSLATE_NOOP("MainMenus", "&Справка"),
     {u"actHelpContents", u"miDevices", u"actHelpCheckUpdates", u"actHelpAbout"}},
};

const TMenuRow Submenus[] = {
    {u"miViewLayers",
     QT_TRANSLATE_NOOP("MainMenus", "Отображаемые слои"),
     {u"actLayerAll", u"actLayer1", u"actLayer2", u"actLayer3", u"actLayer4"}},
    {u"miViewToolbars",
     QT_TRANSLATE_NOOP("MainMenus", "Панели инструментов"),
     {u"miToolbarStandard", u"miToolbarLayout", u"miToolbarDevice", u"miToolbarLayer", u"miToolbarEdit"}},
    {u"miViewMode",
     QT_TRANSLATE_NOOP("MainMenus", "Режим отображения"),
     {u"actViewLayout", u"actViewSimplified", u"actViewPicture"}},
    {u"miViewZoom",
     QT_TRANSLATE_NOOP("MainMenus", "Масштаб"),
     {u"actViewZoomIn", u"actViewZoomOut", u"actViewZoomNormal"}},
};

bool IsSeparator(const char16_t *item)
{
    return QStringView(item) == u"-";
}

QToolBar *AddToolBar(QMainWindow &window, TActionRegistry &actions, const TToolBarRow &row)
{
    QToolBar *bar = window.addToolBar(QCoreApplication::translate("MainMenus", row.Title));
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
        const auto submenu =
            std::find_if(std::begin(Submenus), std::end(Submenus),
                         [item](const TMenuRow &sub) { return QStringView(sub.Name) == item; });
        if (submenu == std::end(Submenus)) {
            menu.addAction(actions.Action(item));
            continue;
        }
        QMenu *child = menu.addMenu(QCoreApplication::translate("MainMenus", submenu->Caption));
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
        QMenu *menu = window.menuBar()->addMenu(QCoreApplication::translate("MainMenus", row.Caption));
        menu->setObjectName(QString::fromUtf16(row.Name));
        FillMenu(*menu, actions, row);
        menus.insert(menu->objectName(), menu);
    }
    return menus;
}
