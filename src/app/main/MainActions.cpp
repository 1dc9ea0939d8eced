#include "main/MainActions.h"

#include "common/ToolbarIcons.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>

namespace {

struct TActionText {
    const char16_t *Name;
    const char16_t *Caption;
    const char16_t *Keys = u"";
    const char16_t *ToolbarCaption = u"";
    const char16_t *Hint = u"";
};

QAction *Make(QObject *owner, const TActionText &text, const QString &iconName = QString())
{
    auto *action = new QAction(QString::fromUtf16(text.Caption), owner);
    action->setObjectName(QString::fromUtf16(text.Name));
    const QString keys = QString::fromUtf16(text.Keys);
    if (!keys.isEmpty())
        action->setShortcut(QKeySequence(keys, QKeySequence::PortableText));
    const QString toolbarCaption = QString::fromUtf16(text.ToolbarCaption);
    if (!toolbarCaption.isEmpty())
        action->setIconText(toolbarCaption);
    const QString hint = QString::fromUtf16(text.Hint);
    action->setToolTip(hint.isEmpty() ? action->iconText() : hint);
    action->setStatusTip(hint);
    if (!iconName.isEmpty())
        action->setIcon(ToolbarIcon(iconName));
    return action;
}

} // namespace

TMainActions::TMainActions(QObject *owner)
{
    actFileNew = Make(owner, {u"actFileNew", u"Создать", u"Ctrl+N", u"Создать"}, QStringLiteral("new"));
    actFileOpen = Make(owner, {u"actFileOpen", u"&Открыть", u"Ctrl+O", u"Открыть"}, QStringLiteral("open"));
    actFileSave =
        Make(owner, {u"actFileSave", u"&Сохранить", u"Ctrl+S", u"Сохранить"}, QStringLiteral("save"));
    actFileSaveAs = Make(owner, {u"actFileSaveAs", u"Сохранить как...", u"Ctrl+Alt+S"});
    actFileClose = Make(owner, {u"actFileClose", u"&Закрыть", u"Ctrl+F4"});
    actFileCloseAll = Make(owner, {u"actFileCloseAll", u"Закрыть все"});
    actFilePrint = Make(owner, {u"actFilePrint", u"Печать...", u"Ctrl+P"});
    actFileExit = Make(owner, {u"actFileExit", u"&Выход"});

    actEditCut = Make(owner, {u"actEditCut", u"Вырезать", u"Ctrl+X", u"Вырезать"}, QStringLiteral("cut"));
    actEditCopy =
        Make(owner, {u"actEditCopy", u"Копировать", u"Ctrl+C", u"Копировать"}, QStringLiteral("copy"));
    actEditPaste =
        Make(owner, {u"actEditPaste", u"Вставить", u"Ctrl+V", u"Вставить"}, QStringLiteral("paste"));
    actEditFind = Make(owner, {u"actEditFind", u"Найти...", u"Ctrl+F", u"Найти", u"Поиск по документу"},
                       QStringLiteral("find"));
    actEditReplace = Make(owner, {u"actEditReplace", u"Заменить...", u"Ctrl+R", u"Заменить", u"Поиск с заменой"},
                          QStringLiteral("replace"));
    actEditSelectAll = Make(owner, {u"actEditSelectAll", u"Выделить все", u"Ctrl+A"});
    actEditClear = Make(owner, {u"actEditClear", u"Очистить"});
    actEditGroup = Make(owner, {u"actEditGroup", u"Сгруппировать", u"Ctrl+Alt+G", u"Сгруппировать"},
                        QStringLiteral("group"));
    actEditUngroup = Make(owner, {u"actEditUngroup", u"Разгруппировать", u"Ctrl+Alt+D", u"Разгруппировать"},
                          QStringLiteral("ungroup"));
    actEditCheck = Make(owner, {u"actEditCheck", u"Проверить раскладку", u"", u"Проверить"}, QStringLiteral("check"));
    actEditKey = Make(owner, {u"actEditKey", u"Свойства клавиши", u"Ctrl+K", u"Клавиша"}, QStringLiteral("key-properties"));

    actDeviceWriteLayout = Make(owner, {u"actDeviceWriteLayout", u"Записать раскладку", u"F5", u"Загрузить"},
                                QStringLiteral("write-layout"));
    actDeviceReadLayout = Make(owner, {u"actDeviceReadLayout", u"Прочитать раскладку", u"F4", u"Прочитать"},
                               QStringLiteral("read-layout"));
    actDeviceReadMemory = Make(owner, {u"actDeviceReadMemory", u"Прочитать раскладку в файл", u"", u"",
                                       u"Чтение памяти устройства в файл"});
    actDeviceWriteMemory = Make(owner, {u"actDeviceWriteMemory", u"Записать раскладку из файла", u"", u"",
                                        u"Запись памяти устройства из файла"});
    actDeviceWriteProgram = Make(owner, {u"actDeviceWriteProgram", u"Записать программу из файла", u"F6", u"",
                                         u"Запись программы устройства из файла"});
    actDeviceLoaderMode = Make(owner, {u"miLoader", u"Перевести в режим загрузчика"});
    actDeviceWorkMode = Make(owner, {u"miWork", u"Перевести в рабочий режим"});

    LayerGroup = new QActionGroup(owner);
    LayerGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    actLayers[0] = Make(owner, {u"actLayerAll", u"Все слои", u"Shift+F5"}, QStringLiteral("layers-all"));
    for (int layer = 1; layer <= 4; ++layer) {
        const QString number = QString::number(layer);
        actLayers[layer] = new QAction(QStringLiteral("Слой ") + number, owner);
        actLayers[layer]->setObjectName(QStringLiteral("actLayer") + number);
        actLayers[layer]->setShortcut(QKeySequence(QStringLiteral("Shift+F") + number));
        actLayers[layer]->setIcon(ToolbarIcon(QStringLiteral("layer-") + number));
    }
    for (QAction *action : actLayers) {
        action->setCheckable(true);
        LayerGroup->addAction(action);
    }

    ViewModeGroup = new QActionGroup(owner);
    ViewModeGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    actViewLayout = Make(owner, {u"actViewLayout", u"Показать раскладку", u"Ctrl+L", u"Раскладка"},
                         QStringLiteral("view-layout"));
    actViewSimplified = Make(owner, {u"actViewSimplified", u"Упрощенный вид раскладки", u"Ctrl+Alt+L", u"Упрощенно"},
                             QStringLiteral("view-simplified"));
    actViewPicture = Make(owner, {u"actViewPicture", u"Показать рисунок", u"Ctrl+Alt+P", u"Рисунок"},
                          QStringLiteral("view-picture"));
    for (QAction *action : {actViewLayout, actViewSimplified, actViewPicture}) {
        action->setCheckable(true);
        ViewModeGroup->addAction(action);
    }
    actButtonCaptions = Make(owner, {u"actButtonCaptions", u"Подписи к кнопкам"});
    actButtonCaptions->setCheckable(true);
    actMessageWindow = Make(owner, {u"actMessageWindow", u"Окно сообщений", u"Ctrl+Alt+M"});
    actViewZoomIn = Make(owner, {u"actViewZoomIn", u"Увеличить", u"Ctrl++"});
    actViewZoomOut = Make(owner, {u"actViewZoomOut", u"Уменьшить", u"Ctrl+-"});
    actViewZoomNormal = Make(owner, {u"actViewZoomNormal", u"Обычный размер", u"Ctrl+0"});
    // The keys are only shown: the document window owns them, and a widget
    // shortcut of an action that only a menu holds does not fire.
    for (QAction *action : {actViewZoomIn, actViewZoomOut, actViewZoomNormal})
        action->setShortcutContext(Qt::WidgetShortcut);

    actWindowTileVertical = Make(owner, {u"actWindowTileVertical", u"Расположить вертикально"});
    actWindowTileHorizontal = Make(owner, {u"actWindowTileHorizontal", u"Расположить горизонтально"});
    actWindowCascade = Make(owner, {u"actWindowCascade", u"Каскадом"});
}

QAction *TMainActions::ViewModeAction(int mode) const
{
    switch (mode) {
    case 1:
        return actViewPicture;
    case 2:
        return actViewSimplified;
    default:
        return actViewLayout;
    }
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
