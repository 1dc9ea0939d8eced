#include "common/ActionRegistry.h"

#include "common/CommandGuard.h"
#include "common/ToolbarIcons.h"

#include <QAction>
#include <QKeySequence>
#include <stdexcept>

namespace {

enum TActionFlag : unsigned {
    afCheckable = 1,
    /// The keys are only shown in the menu: a window of the documents owns them.
    afShownKeys = 2,
    /// Disabled until its owner finds something to do.
    afDisabled = 4,
    /// Shown in no menu of the menu bar: in a context menu, or as a toolbar
    /// button and keys only.
    afNoMenuBar = 8,
};

struct TActionRow {
    const char16_t *Name;
    const char16_t *Caption;
    /// Several key sequences are separated by "; ".
    const char16_t *Keys = u"";
    const char16_t *ToolbarCaption = u"";
    const char16_t *Hint = u"";
    const char16_t *Icon = u"";
    unsigned Flags = 0;
};

// In the order of the menus.
const TActionRow Rows[] = {
    {u"actFileWizard", u"Создать при помощи мастера", u"Ctrl+Alt+N"},
    {u"actFileNew", u"Создать", u"Ctrl+N", u"Создать", u"", u"new"},
    {u"actFileOpen", u"&Открыть", u"Ctrl+O", u"Открыть", u"", u"open"},
    {u"actFileSave", u"&Сохранить", u"Ctrl+S", u"Сохранить", u"", u"save"},
    {u"actFileSaveAs", u"Сохранить как...", u"Ctrl+Alt+S"},
    {u"actFileClose", u"&Закрыть", u"Ctrl+F4"},
    {u"actFileCloseAll", u"Закрыть все"},
    {u"actFilePreview", u"Предварительный просмотр", u"Ctrl+W", u"Просмотр", u"", u"print-preview"},
    {u"actFilePrint", u"Печать...", u"Ctrl+P"},
    {u"actFileExit", u"&Выход"},

    {u"actEditUndo", u"Отменить", u"Ctrl+Z", u"Отменить", u"", u"undo", afDisabled},
    {u"actEditRedo", u"Повторить", u"Ctrl+Y; Ctrl+Shift+Z", u"Повторить", u"", u"redo", afDisabled},
    {u"actEditCut", u"Вырезать", u"Ctrl+X", u"Вырезать", u"", u"cut"},
    {u"actEditCopy", u"Копировать", u"Ctrl+C", u"Копировать", u"", u"copy"},
    {u"actEditPaste", u"Вставить", u"Ctrl+V", u"Вставить", u"", u"paste"},
    {u"actEditFind", u"Найти...", u"Ctrl+F", u"Найти", u"Поиск по документу", u"find"},
    {u"actEditReplace", u"Заменить...", u"Ctrl+R", u"Заменить", u"Поиск с заменой", u"replace"},
    {u"actEditSelectAll", u"Выделить все", u"Ctrl+A"},
    {u"actEditClear", u"Очистить"},
    {u"actEditGroup", u"Сгруппировать", u"Ctrl+Alt+G", u"Сгруппировать", u"", u"group"},
    {u"actEditUngroup", u"Разгруппировать", u"Ctrl+Alt+D", u"Разгруппировать", u"", u"ungroup"},
    {u"actEditCardReader", u"Считыватель магнитных карт", u"Ctrl+Alt+R", u"Считыватель", u"", u"card-reader"},
    {u"actEditKeyLock", u"Ключ клавиатуры", u"Ctrl+Alt+K", u"Ключ", u"", u"key-lock"},
    {u"actLayoutProperties", u"Свойства раскладки", u"F11", u"Раскладка", u"", u"layout-properties"},
    {u"actEditCheck", u"Проверить раскладку", u"", u"Проверить", u"", u"check"},
    {u"actEditCompareFile", u"Сравнить с файлом..."},
    {u"actEditCompareKeyboard", u"Сравнить с клавиатурой"},
    {u"actEditKey", u"Свойства клавиши", u"Ctrl+K", u"Клавиша", u"", u"key-properties", afNoMenuBar},
    {u"actPictureLoad", u"Загрузить картинку...", u"", u"", u"", u"", afNoMenuBar},
    {u"actPictureSave", u"Сохранить картинку...", u"", u"", u"", u"", afNoMenuBar},
    {u"actPictureClear", u"Очистить картинку", u"", u"", u"", u"", afNoMenuBar},
    {u"actPictureFont", u"Изменить шрифт...", u"", u"", u"", u"", afNoMenuBar},
    {u"actPictureColor", u"Изменить фон...", u"", u"", u"", u"", afNoMenuBar},

    {u"actDeviceReadInfo", u"Информация об устройстве", u"F3", u"Информация", u"", u"device-info"},
    {u"actDeviceTest", u"Тест клавиатуры...", u"F2", u"Тест", u"", u"key-test"},
    {u"actDeviceWriteLayout", u"Записать раскладку", u"F5", u"Загрузить", u"", u"write-layout"},
    {u"actDeviceReadLayout", u"Прочитать раскладку", u"F4", u"Прочитать", u"", u"read-layout"},
    {u"actDeviceReadMemory", u"Прочитать раскладку в файл", u"", u"", u"Чтение памяти устройства в файл"},
    {u"actDeviceWriteMemory", u"Записать раскладку из файла", u"", u"", u"Запись памяти устройства из файла"},
    {u"actDeviceWriteProgram", u"Записать программу из файла", u"F6", u"", u"Запись программы устройства из файла"},
    {u"miInstallDrv", u"Установить драйвер клавиатуры"},
    {u"miUninstallDrv", u"Удалить драйвер клавиатуры"},
    {u"miLoader", u"Перевести в режим загрузчика"},
    {u"miWork", u"Перевести в рабочий режим"},

    {u"actLayerAll", u"Все слои", u"Shift+F5", u"", u"", u"layers-all", afCheckable},
    {u"actLayer1", u"Слой 1", u"Shift+F1", u"", u"", u"layer-1", afCheckable},
    {u"actLayer2", u"Слой 2", u"Shift+F2", u"", u"", u"layer-2", afCheckable},
    {u"actLayer3", u"Слой 3", u"Shift+F3", u"", u"", u"layer-3", afCheckable},
    {u"actLayer4", u"Слой 4", u"Shift+F4", u"", u"", u"layer-4", afCheckable},
    {u"actButtonCaptions", u"Подписи к кнопкам", u"", u"", u"", u"", afCheckable},
    {u"actViewLayout", u"Показать раскладку", u"Ctrl+L", u"Раскладка", u"", u"view-layout", afCheckable},
    {u"actViewSimplified", u"Упрощенный вид раскладки", u"Ctrl+Alt+L", u"Упрощенно", u"", u"view-simplified",
     afCheckable},
    {u"actViewPicture", u"Показать рисунок", u"Ctrl+Alt+P", u"Рисунок", u"", u"view-picture", afCheckable},
    {u"actViewZoomIn", u"Увеличить", u"Ctrl++", u"", u"", u"", afShownKeys},
    {u"actViewZoomOut", u"Уменьшить", u"Ctrl+-", u"", u"", u"", afShownKeys},
    {u"actViewZoomNormal", u"Обычный размер", u"Ctrl+0", u"", u"", u"", afShownKeys},
    {u"actMessageWindow", u"Окно сообщений", u"Ctrl+Alt+M"},
    {u"pmiMessageWindow", u"Окно сообщений", u"", u"", u"", u"", afNoMenuBar},

    {u"actSettings", u"Настройки приложения..."},

    {u"actWindowTileVertical", u"Расположить вертикально"},
    {u"actWindowTileHorizontal", u"Расположить горизонтально"},
    {u"actWindowCascade", u"Каскадом"},

    {u"actHelpContents", u"Вызов справки...", u"F1"},
    {u"miDevices", u"Поддерживаемые устройства..."},
    {u"actHelpCheckUpdates", u"Проверить обновления..."},
    {u"actHelpAbout", u"О программе..."},
};

const TActionRow &Row(QStringView name)
{
    for (const TActionRow &row : Rows)
        if (name == QStringView(row.Name))
            return row;
    throw std::logic_error("no command is named " + name.toString().toStdString());
}

} // namespace

QAction *TActionRegistry::Make(QStringView name, QObject *owner)
{
    const TActionRow &row = Row(name);
    auto *action = new QAction(QString::fromUtf16(row.Caption), owner);
    action->setObjectName(QString::fromUtf16(row.Name));
    const QString keys = QString::fromUtf16(row.Keys);
    if (!keys.isEmpty())
        action->setShortcuts(QKeySequence::listFromString(keys, QKeySequence::PortableText));
    if (row.Flags & afShownKeys)
        action->setShortcutContext(Qt::WidgetShortcut);
    const QString toolbarCaption = QString::fromUtf16(row.ToolbarCaption);
    if (!toolbarCaption.isEmpty())
        action->setIconText(toolbarCaption);
    const QString hint = QString::fromUtf16(row.Hint);
    if (!hint.isEmpty()) {
        action->setToolTip(hint);
        action->setStatusTip(hint);
    }
    const QString icon = QString::fromUtf16(row.Icon);
    if (!icon.isEmpty())
        action->setIcon(ToolbarIcon(icon));
    action->setCheckable(row.Flags & afCheckable);
    action->setEnabled(!(row.Flags & afDisabled));
    return action;
}

QAction *TActionRegistry::MakeCommand(QStringView name, QObject *owner, QWidget &window,
                                      const std::function<void()> &command)
{
    QAction *action = Make(name, owner);
    QObject::connect(action, &QAction::triggered, owner,
                     [&window, command] { CommandGuard::RunCommand(&window, command); });
    return action;
}

bool TActionRegistry::InMenuBar(QStringView name)
{
    return !(Row(name).Flags & afNoMenuBar);
}

QStringList TActionRegistry::Names()
{
    QStringList names;
    for (const TActionRow &row : Rows)
        names << QString::fromUtf16(row.Name);
    return names;
}

TActionRegistry::TActionRegistry(const QObject &root)
{
    const QStringList names = Names();
    for (QAction *action : root.findChildren<QAction *>())
        if (names.contains(action->objectName()))
            FActions.insert(action->objectName(), action);
}

QAction *TActionRegistry::Action(QStringView name) const
{
    QAction *action = FActions.value(name.toString());
    if (!action)
        throw std::logic_error("the command " + name.toString().toStdString() + " was not made");
    return action;
}

void TActionRegistry::Add(QAction *action)
{
    FActions.insert(action->objectName(), action);
}
