#include "common/ActionRegistry.h"

#include "common/CommandGuard.h"
#include "common/ToolbarIcons.h"

#include <QAction>
#include <QCoreApplication>
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
    /// Caption, ToolbarCaption and Hint are the Russian source texts,
    /// translated when an action is made.
    const char *Caption;
    /// Several key sequences are separated by "; ".
    const char16_t *Keys = u"";
    const char *ToolbarCaption = "";
    const char *Hint = "";
    const char16_t *Icon = u"";
    unsigned Flags = 0;
};

// In the order of the menus.
const TActionRow Rows[] = {
    {u"actFileWizard", QT_TRANSLATE_NOOP("TActionRegistry", "Создать при помощи мастера"), u"Ctrl+Alt+N"},
    {u"actFileNew", QT_TRANSLATE_NOOP("TActionRegistry", "Создать"), u"Ctrl+N",
     QT_TRANSLATE_NOOP("TActionRegistry", "Создать"), "", u"new"},
    {u"actFileOpen", QT_TRANSLATE_NOOP("TActionRegistry", "&Открыть"), u"Ctrl+O",
     QT_TRANSLATE_NOOP("TActionRegistry", "Открыть"), "", u"open"},
    {u"actFileSave", QT_TRANSLATE_NOOP("TActionRegistry", "&Сохранить"), u"Ctrl+S",
     QT_TRANSLATE_NOOP("TActionRegistry", "Сохранить"), "", u"save"},
    {u"actFileSaveAs", QT_TRANSLATE_NOOP("TActionRegistry", "Сохранить как..."), u"Ctrl+Alt+S"},
    {u"actFileClose", QT_TRANSLATE_NOOP("TActionRegistry", "&Закрыть"), u"Ctrl+F4"},
    {u"actFileCloseAll", QT_TRANSLATE_NOOP("TActionRegistry", "Закрыть все")},
    {u"actFilePreview", QT_TRANSLATE_NOOP("TActionRegistry", "Предварительный просмотр"), u"Ctrl+W",
     QT_TRANSLATE_NOOP("TActionRegistry", "Просмотр"), "", u"print-preview"},
    {u"actFilePrint", QT_TRANSLATE_NOOP("TActionRegistry", "Печать..."), u"Ctrl+P"},
    {u"actFileExit", QT_TRANSLATE_NOOP("TActionRegistry", "&Выход")},

    {u"actEditUndo", QT_TRANSLATE_NOOP("TActionRegistry", "Отменить"), u"Ctrl+Z",
     QT_TRANSLATE_NOOP("TActionRegistry", "Отменить"), "", u"undo", afDisabled},
    {u"actEditRedo", QT_TRANSLATE_NOOP("TActionRegistry", "Повторить"), u"Ctrl+Y; Ctrl+Shift+Z",
     QT_TRANSLATE_NOOP("TActionRegistry", "Повторить"), "", u"redo", afDisabled},
    {u"actEditCut", QT_TRANSLATE_NOOP("TActionRegistry", "Вырезать"), u"Ctrl+X",
     QT_TRANSLATE_NOOP("TActionRegistry", "Вырезать"), "", u"cut"},
    {u"actEditCopy", QT_TRANSLATE_NOOP("TActionRegistry", "Копировать"), u"Ctrl+C",
     QT_TRANSLATE_NOOP("TActionRegistry", "Копировать"), "", u"copy"},
    {u"actEditPaste", QT_TRANSLATE_NOOP("TActionRegistry", "Вставить"), u"Ctrl+V",
     QT_TRANSLATE_NOOP("TActionRegistry", "Вставить"), "", u"paste"},
    {u"actEditFind", QT_TRANSLATE_NOOP("TActionRegistry", "Найти..."), u"Ctrl+F",
     QT_TRANSLATE_NOOP("TActionRegistry", "Найти"),
     QT_TRANSLATE_NOOP("TActionRegistry", "Поиск по документу"), u"find"},
    {u"actEditReplace", QT_TRANSLATE_NOOP("TActionRegistry", "Заменить..."), u"Ctrl+R",
     QT_TRANSLATE_NOOP("TActionRegistry", "Заменить"),
     QT_TRANSLATE_NOOP("TActionRegistry", "Поиск с заменой"), u"replace"},
    {u"actEditSelectAll", QT_TRANSLATE_NOOP("TActionRegistry", "Выделить все"), u"Ctrl+A"},
    {u"actEditClear", QT_TRANSLATE_NOOP("TActionRegistry", "Очистить")},
    {u"actEditGroup", QT_TRANSLATE_NOOP("TActionRegistry", "Сгруппировать"), u"Ctrl+Alt+G",
     QT_TRANSLATE_NOOP("TActionRegistry", "Сгруппировать"), "", u"group"},
    {u"actEditUngroup", QT_TRANSLATE_NOOP("TActionRegistry", "Разгруппировать"), u"Ctrl+Alt+D",
     QT_TRANSLATE_NOOP("TActionRegistry", "Разгруппировать"), "", u"ungroup"},
    {u"actEditCardReader", QT_TRANSLATE_NOOP("TActionRegistry", "Считыватель магнитных карт"), u"Ctrl+Alt+R",
     QT_TRANSLATE_NOOP("TActionRegistry", "Считыватель"), "", u"card-reader"},
    {u"actEditKeyLock", QT_TRANSLATE_NOOP("TActionRegistry", "Ключ клавиатуры"), u"Ctrl+Alt+K",
     QT_TRANSLATE_NOOP("TActionRegistry", "Ключ"), "", u"key-lock"},
    {u"actLayoutProperties", QT_TRANSLATE_NOOP("TActionRegistry", "Свойства раскладки"), u"F11",
     QT_TRANSLATE_NOOP("TActionRegistry", "Раскладка"), "", u"layout-properties"},
    {u"actEditCheck", QT_TRANSLATE_NOOP("TActionRegistry", "Проверить раскладку"), u"",
     QT_TRANSLATE_NOOP("TActionRegistry", "Проверить"), "", u"check"},
    {u"actEditCompareFile", QT_TRANSLATE_NOOP("TActionRegistry", "Сравнить с файлом...")},
    {u"actEditCompareKeyboard", QT_TRANSLATE_NOOP("TActionRegistry", "Сравнить с клавиатурой")},
    {u"actEditKey", QT_TRANSLATE_NOOP("TActionRegistry", "Свойства клавиши"), u"Ctrl+K",
     QT_TRANSLATE_NOOP("TActionRegistry", "Клавиша"), "", u"key-properties", afNoMenuBar},
    {u"actPictureLoad", QT_TRANSLATE_NOOP("TActionRegistry", "Загрузить картинку..."), u"", "", "", u"",
     afNoMenuBar},
    {u"actPictureSave", QT_TRANSLATE_NOOP("TActionRegistry", "Сохранить картинку..."), u"", "", "", u"",
     afNoMenuBar},
    {u"actPictureClear", QT_TRANSLATE_NOOP("TActionRegistry", "Очистить картинку"), u"", "", "", u"",
     afNoMenuBar},
    {u"actPictureFont", QT_TRANSLATE_NOOP("TActionRegistry", "Изменить шрифт..."), u"", "", "", u"",
     afNoMenuBar},
    {u"actPictureColor", QT_TRANSLATE_NOOP("TActionRegistry", "Изменить фон..."), u"", "", "", u"",
     afNoMenuBar},

    {u"actDeviceReadInfo", QT_TRANSLATE_NOOP("TActionRegistry", "Информация об устройстве"), u"F3",
     QT_TRANSLATE_NOOP("TActionRegistry", "Информация"), "", u"device-info"},
    {u"actDeviceTest", QT_TRANSLATE_NOOP("TActionRegistry", "Тест клавиатуры..."), u"F2",
     QT_TRANSLATE_NOOP("TActionRegistry", "Тест"), "", u"key-test"},
    {u"actDeviceWriteLayout", QT_TRANSLATE_NOOP("TActionRegistry", "Записать раскладку"), u"F5",
     QT_TRANSLATE_NOOP("TActionRegistry", "Загрузить"), "", u"write-layout"},
    {u"actDeviceReadLayout", QT_TRANSLATE_NOOP("TActionRegistry", "Прочитать раскладку"), u"F4",
     QT_TRANSLATE_NOOP("TActionRegistry", "Прочитать"), "", u"read-layout"},
    {u"actDeviceReadMemory", QT_TRANSLATE_NOOP("TActionRegistry", "Прочитать раскладку в файл"), u"", "",
     QT_TRANSLATE_NOOP("TActionRegistry", "Чтение памяти устройства в файл")},
    {u"actDeviceWriteMemory", QT_TRANSLATE_NOOP("TActionRegistry", "Записать раскладку из файла"), u"", "",
     QT_TRANSLATE_NOOP("TActionRegistry", "Запись памяти устройства из файла")},
    {u"actDeviceWriteProgram", QT_TRANSLATE_NOOP("TActionRegistry", "Записать программу из файла"), u"F6", "",
     QT_TRANSLATE_NOOP("TActionRegistry", "Запись программы устройства из файла")},
    {u"miInstallDrv", QT_TRANSLATE_NOOP("TActionRegistry", "Установить драйвер клавиатуры")},
    {u"miUninstallDrv", QT_TRANSLATE_NOOP("TActionRegistry", "Удалить драйвер клавиатуры")},
    {u"miLoader", QT_TRANSLATE_NOOP("TActionRegistry", "Перевести в режим загрузчика")},
    {u"miWork", QT_TRANSLATE_NOOP("TActionRegistry", "Перевести в рабочий режим")},

    {u"actLayerAll", QT_TRANSLATE_NOOP("TActionRegistry", "Все слои"), u"Shift+F5", "", "", u"layers-all",
     afCheckable},
    {u"actLayer1", QT_TRANSLATE_NOOP("TActionRegistry", "Слой 1"), u"Shift+F1", "", "", u"layer-1",
     afCheckable},
    {u"actLayer2", QT_TRANSLATE_NOOP("TActionRegistry", "Слой 2"), u"Shift+F2", "", "", u"layer-2",
     afCheckable},
    {u"actLayer3", QT_TRANSLATE_NOOP("TActionRegistry", "Слой 3"), u"Shift+F3", "", "", u"layer-3",
     afCheckable},
    {u"actLayer4", QT_TRANSLATE_NOOP("TActionRegistry", "Слой 4"), u"Shift+F4", "", "", u"layer-4",
     afCheckable},
    {u"actButtonCaptions", QT_TRANSLATE_NOOP("TActionRegistry", "Подписи к кнопкам"), u"", "", "", u"",
     afCheckable},
    {u"actViewLayout", QT_TRANSLATE_NOOP("TActionRegistry", "Показать раскладку"), u"Ctrl+L",
     QT_TRANSLATE_NOOP("TActionRegistry", "Раскладка"), "", u"view-layout", afCheckable},
    {u"actViewSimplified", QT_TRANSLATE_NOOP("TActionRegistry", "Упрощенный вид раскладки"), u"Ctrl+Alt+L",
     QT_TRANSLATE_NOOP("TActionRegistry", "Упрощенно"), "", u"view-simplified", afCheckable},
    {u"actViewPicture", QT_TRANSLATE_NOOP("TActionRegistry", "Показать рисунок"), u"Ctrl+Alt+P",
     QT_TRANSLATE_NOOP("TActionRegistry", "Рисунок"), "", u"view-picture", afCheckable},
    {u"actViewZoomIn", QT_TRANSLATE_NOOP("TActionRegistry", "Увеличить"), u"Ctrl++", "", "", u"",
     afShownKeys},
    {u"actViewZoomOut", QT_TRANSLATE_NOOP("TActionRegistry", "Уменьшить"), u"Ctrl+-", "", "", u"",
     afShownKeys},
    {u"actViewZoomNormal", QT_TRANSLATE_NOOP("TActionRegistry", "Обычный размер"), u"Ctrl+0", "", "", u"",
     afShownKeys},
    {u"actMessageWindow", QT_TRANSLATE_NOOP("TActionRegistry", "Окно сообщений"), u"Ctrl+Alt+M"},
    {u"pmiMessageWindow", QT_TRANSLATE_NOOP("TActionRegistry", "Окно сообщений"), u"", "", "", u"",
     afNoMenuBar},

    {u"actSettings", QT_TRANSLATE_NOOP("TActionRegistry", "Настройки приложения...")},

    {u"actWindowTileVertical", QT_TRANSLATE_NOOP("TActionRegistry", "Расположить вертикально")},
    {u"actWindowTileHorizontal", QT_TRANSLATE_NOOP("TActionRegistry", "Расположить горизонтально")},
    {u"actWindowCascade", QT_TRANSLATE_NOOP("TActionRegistry", "Каскадом")},

    {u"actHelpContents", QT_TRANSLATE_NOOP("TActionRegistry", "Вызов справки..."), u"F1"},
    {u"miDevices", QT_TRANSLATE_NOOP("TActionRegistry", "Поддерживаемые устройства...")},
    {u"actHelpCheckUpdates", QT_TRANSLATE_NOOP("TActionRegistry", "Проверить обновления...")},
    {u"actHelpAbout", QT_TRANSLATE_NOOP("TActionRegistry", "О программе...")},
};

QString Translated(const char *text)
{
    return *text ? QCoreApplication::translate("TActionRegistry", text) : QString();
}

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
    auto *action = new QAction(Translated(row.Caption), owner);
    action->setObjectName(QString::fromUtf16(row.Name));
    const QString keys = QString::fromUtf16(row.Keys);
    if (!keys.isEmpty())
        action->setShortcuts(QKeySequence::listFromString(keys, QKeySequence::PortableText));
    if (row.Flags & afShownKeys)
        action->setShortcutContext(Qt::WidgetShortcut);
    const QString toolbarCaption = Translated(row.ToolbarCaption);
    if (!toolbarCaption.isEmpty())
        action->setIconText(toolbarCaption);
    const QString hint = Translated(row.Hint);
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
