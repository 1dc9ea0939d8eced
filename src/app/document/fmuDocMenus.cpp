#include "common/CommandGuard.h"
#include "document/KeyGrid.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "model/Font.h"
#include "model/Graphic.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMenu>

namespace {

// The settings font a Qt font stands for, at the pixels per inch it keeps.
TFont FromQFont(const QFont &font, const TFont &before)
{
    TFont result = before;
    result.SetName(font.family());
    if (font.pixelSize() > 0)
        result.SetHeight(-font.pixelSize());
    else
        result.SetSize(qRound(font.pointSizeF()));
    result.SetStyle(uint8_t((font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0)
                            | (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0)));
    return result;
}

// Returns the first layer's key at the selection's top-left cell, or at the
// top-left cell of the group that holds it; null when there is none.
const TKey *SelectedKey(const TLayout &layout)
{
    if (layout.LayerCount() == 0)
        return nullptr;
    int col = layout.Selection().Left - 1;
    int row = layout.Selection().Top - 1;
    if (const TKeyGroup *group = layout.GroupAt(col, row)) {
        col = group->Rect().Left;
        row = group->Rect().Top;
    }
    return layout.Layers().Item(0).KeyAt(col, row);
}

} // namespace

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
    AddMenuAction(FCodeMenu, QStringLiteral("Свойства"), [this] { EditKey(); }, QKeySequence(Qt::CTRL | Qt::Key_K));
    AddMenuAction(FCodeMenu, QStringLiteral("Свойства раскладки"), [this] { emit layoutPropertiesRequested(); });
    FCodeMenu->addSeparator();
    AddMenuAction(FCodeMenu, QStringLiteral("Вырезать"), [this] { Cut(); }, QKeySequence(Qt::CTRL | Qt::Key_X));
    AddMenuAction(FCodeMenu, QStringLiteral("Копировать"), [this] { Copy(); }, QKeySequence(Qt::CTRL | Qt::Key_C));
    AddMenuAction(FCodeMenu, QStringLiteral("Вставить"), [this] { Paste(); }, QKeySequence(Qt::CTRL | Qt::Key_V))
        ->setObjectName(QStringLiteral("acPaste"));
    AddMenuAction(FCodeMenu, QStringLiteral("Удалить"), [this] { Clear(); }, QKeySequence(Qt::CTRL | Qt::Key_Delete));
    FCodeMenu->addSeparator();
    AddMenuAction(FCodeMenu, QStringLiteral("Поиск..."), [this] { emit findRequested(); },
                  QKeySequence(Qt::CTRL | Qt::Key_F));
    AddMenuAction(FCodeMenu, QStringLiteral("Замена..."), [this] { emit replaceRequested(); },
                  QKeySequence(Qt::CTRL | Qt::Key_R));
    FCodeMenu->addSeparator();
    AddMenuAction(FCodeMenu, QStringLiteral("Сгруппировать"), [this] { Group(); })
        ->setObjectName(QStringLiteral("acGroup"));
    AddMenuAction(FCodeMenu, QStringLiteral("Разгруппировать"), [this] { Ungroup(); })
        ->setObjectName(QStringLiteral("acUngroup"));

    FPictureMenu = new QMenu(this);
    FPictureMenu->setObjectName(QStringLiteral("PictureMenu"));
    AddMenuAction(FPictureMenu, QStringLiteral("Свойства"), [this] { EditKey(); });
    FPictureMenu->addSeparator();
    AddMenuAction(FPictureMenu, QStringLiteral("Вырезать"), [this] { Cut(); });
    AddMenuAction(FPictureMenu, QStringLiteral("Копировать"), [this] { Copy(); });
    AddMenuAction(FPictureMenu, QStringLiteral("Вставить"), [this] { Paste(); })->setObjectName(QStringLiteral("acPaste"));
    AddMenuAction(FPictureMenu, QStringLiteral("Удалить"), [this] { Clear(); });
    FPictureMenu->addSeparator();
    AddMenuAction(FPictureMenu, QStringLiteral("Сгруппировать"), [this] { Group(); })
        ->setObjectName(QStringLiteral("acGroup"));
    AddMenuAction(FPictureMenu, QStringLiteral("Разгруппировать"), [this] { Ungroup(); });
    FPictureMenu->addSeparator();
    AddMenuAction(FPictureMenu, QStringLiteral("Загрузить картинку..."), [this] { LoadPicture(); });
    AddMenuAction(FPictureMenu, QStringLiteral("Сохранить картинку..."), [this] { SavePicture(); });
    AddMenuAction(FPictureMenu, QStringLiteral("Очистить картинку"), [this] { ClearPicture(); });
    AddMenuAction(FPictureMenu, QStringLiteral("Изменить шрифт..."), [this] { ChangePictureFont(); });
    AddMenuAction(FPictureMenu, QStringLiteral("Изменить фон..."), [this] { ChangePictureColor(); });
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

void TfmDoc::LoadPicture()
{
    const QString fileName = QFileDialog::getOpenFileName(this, QString(), QString(), TGraphic::FileFilter());
    if (fileName.isEmpty())
        return;
    const TGraphic graphic = TGraphic::FromFile(fileName);
    FDocument->ChangePictures([&graphic](TKeyPicture &picture) { picture.SetPicture(graphic); });
}

void TfmDoc::SavePicture()
{
    const TKey *key = SelectedKey(FDocument->Layout());
    if (!key || !key->Picture().HasGraphic())
        return;
    const TGraphic &graphic = key->Picture().Picture();
    const QString mask = QStringLiteral("*.") + graphic.DefaultExtension();
    QFileDialog dialog(this, QString(), QString(), mask);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(graphic.DefaultExtension());
    dialog.selectFile(mask);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        graphic.SaveToFile(dialog.selectedFiles().constFirst());
}

void TfmDoc::ClearPicture()
{
    FDocument->ChangePictures([](TKeyPicture &picture) { picture.SetPicture(TGraphic()); });
}

void TfmDoc::ChangePictureFont()
{
    const TKey *key = SelectedKey(FDocument->Layout());
    const TFont before = key ? key->Picture().Font() : TFont();
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, before.ToQFont(), this);
    if (!accepted)
        return;
    const TFont font = FromQFont(chosen, before);
    FDocument->ChangePictures([&font](TKeyPicture &picture) { picture.SetFont(font); });
}

void TfmDoc::ChangePictureColor()
{
    const QColor color = QColorDialog::getColor(Qt::white, this);
    if (!color.isValid())
        return;
    const uint32_t value = TKeyGrid::ColorValue(color);
    FDocument->ChangePictures([value](TKeyPicture &picture) { picture.SetBackgroundColor(value); });
}
