#include "common/CommandGuard.h"
#include "document/KeyGrid.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

QAction *TfmDoc::AddMenuAction(QMenu *menu, const QString &text, const std::function<void()> &command,
                               const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(text, this, [this, command] { Run(command); });
    // The shortcut is only shown: the main window's commands own the keys.
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
}

void TfmDoc::CreateMenus()
{
    FCodeMenu = new QMenu(this);
    FCodeMenu->setObjectName(QStringLiteral("CodeMenu"));
    AddMenuAction(FCodeMenu, tr("Свойства"), [this] { EditKey(); }, QKeySequence(Qt::CTRL | Qt::Key_K));
    AddMenuAction(FCodeMenu, tr("Свойства раскладки"), [this] { RunMainCommand(u"actLayoutProperties"); });
    FCodeMenu->addSeparator();
    AddMenuAction(FCodeMenu, tr("Вырезать"), [this] { Cut(); }, QKeySequence(Qt::CTRL | Qt::Key_X));
    AddMenuAction(FCodeMenu, tr("Копировать"), [this] { Copy(); }, QKeySequence(Qt::CTRL | Qt::Key_C));
    AddMenuAction(FCodeMenu, tr("Вставить"), [this] { Paste(); }, QKeySequence(Qt::CTRL | Qt::Key_V))
        ->setObjectName(QStringLiteral("acPaste"));
    AddMenuAction(FCodeMenu, tr("Удалить"), [this] { Clear(); }, QKeySequence(Qt::CTRL | Qt::Key_Delete));
    FCodeMenu->addSeparator();
    AddMenuAction(FCodeMenu, tr("Поиск..."), [this] { RunMainCommand(u"actEditFind"); },
                  QKeySequence(Qt::CTRL | Qt::Key_F));
    AddMenuAction(FCodeMenu, tr("Замена..."), [this] { RunMainCommand(u"actEditReplace"); },
                  QKeySequence(Qt::CTRL | Qt::Key_R));
    FCodeMenu->addSeparator();
    AddMenuAction(FCodeMenu, tr("Сгруппировать"), [this] { Group(); })->setObjectName(QStringLiteral("acGroup"));
    AddMenuAction(FCodeMenu, tr("Разгруппировать"), [this] { Ungroup(); })
        ->setObjectName(QStringLiteral("acUngroup"));

    FPictureMenu = new QMenu(this);
    FPictureMenu->setObjectName(QStringLiteral("PictureMenu"));
    AddMenuAction(FPictureMenu, tr("Свойства"), [this] { EditKey(); });
    FPictureMenu->addSeparator();
    AddMenuAction(FPictureMenu, tr("Вырезать"), [this] { Cut(); });
    AddMenuAction(FPictureMenu, tr("Копировать"), [this] { Copy(); });
    AddMenuAction(FPictureMenu, tr("Вставить"), [this] { Paste(); })->setObjectName(QStringLiteral("acPaste"));
    AddMenuAction(FPictureMenu, tr("Удалить"), [this] { Clear(); });
    FPictureMenu->addSeparator();
    AddMenuAction(FPictureMenu, tr("Сгруппировать"), [this] { Group(); })->setObjectName(QStringLiteral("acGroup"));
    AddMenuAction(FPictureMenu, tr("Разгруппировать"), [this] { Ungroup(); });
    FPictureMenu->addSeparator();
    const std::pair<const char *, const char16_t *> pictureCommands[] = {
        {QT_TRANSLATE_NOOP("TfmDoc", "Загрузить картинку..."), u"actPictureLoad"},
        {QT_TRANSLATE_NOOP("TfmDoc", "Сохранить картинку..."), u"actPictureSave"},
        {QT_TRANSLATE_NOOP("TfmDoc", "Очистить картинку"), u"actPictureClear"},
        {QT_TRANSLATE_NOOP("TfmDoc", "Изменить шрифт..."), u"actPictureFont"},
        {QT_TRANSLATE_NOOP("TfmDoc", "Изменить фон..."), u"actPictureColor"}};
    for (const auto &[caption, command] : pictureCommands)
        AddMenuAction(FPictureMenu, QCoreApplication::translate("TfmDoc", caption),
                      [this, command = command] { RunMainCommand(command); });
}

void TfmDoc::CreateZoomActions()
{
    // The window owns these keys wherever its focus is (the grid above all),
    // as F9 is; the main window's menu only shows them. Plus comes with or
    // without Shift ("=" on many keyboards) and from the keypad.
    const auto add = [this](const QString &name, const QString &text, const QList<QKeySequence> &keys,
                            const std::function<void()> &command) {
        auto *action = new QAction(text, this);
        action->setObjectName(name);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, [this, command] { Run(command); });
        addAction(action);
    };
    const auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };
    const auto keypad = [](Qt::Key key) {
        return QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, key));
    };
    add(QStringLiteral("acZoomIn"), tr("Увеличить"),
        {ctrl(Qt::Key_Plus), ctrl(Qt::Key_Equal), keypad(Qt::Key_Plus)}, [this] { ZoomIn(); });
    add(QStringLiteral("acZoomOut"), tr("Уменьшить"), {ctrl(Qt::Key_Minus), keypad(Qt::Key_Minus)},
        [this] { ZoomOut(); });
    add(QStringLiteral("acZoomNormal"), tr("Обычный размер"), {ctrl(Qt::Key_0), keypad(Qt::Key_0)},
        [this] { ResetZoom(); });
}

QMenu *TfmDoc::ContextMenu() const
{
    return ViewMode() == vmPicture ? FPictureMenu : FCodeMenu;
}

void TfmDoc::ShowContextMenu(const QPoint &globalPos)
{
    QMenu *menu = ContextMenu();
    for (QAction *action : menu->actions()) {
        if (action->objectName() == u"acPaste")
            action->setEnabled(CanPaste());
        else if (action->objectName() == u"acGroup")
            action->setEnabled(CanGroup());
        else if (action->objectName() == u"acUngroup")
            action->setEnabled(CanUngroup());
    }
    menu->popup(globalPos);
}
