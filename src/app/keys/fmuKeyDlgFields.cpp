#include "keys/fmuKeyDlg.h"

#include "common/CommandGuard.h"
#include "codeeditors/MelodyPlay.h"
#include "codeeditors/fmuCodes.h"
#include "codeeditors/fmuNotes.h"
#include "model/Key.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>

using TField = TLayoutDocument::TKeyField;

void TfmKeyDlg::Run(const std::function<void()> &command)
{
    CommandGuard::RunCommand(this, command);
}

void TfmKeyDlg::Apply(TField field)
{
    if (!FDocument)
        return;
    const QScopedValueRollback<bool> applying(FApplying, true);
    FDocument->ChangeKeys(FMaster.Layer, field, FMaster);
}

TScanCodes &TfmKeyDlg::CodesOf(TField field) const
{
    return field == TField::BreakCodes ? FMaster.BreakCodes() : FMaster.MakeCodes();
}

QLineEdit *TfmKeyDlg::FieldOf(TField field) const
{
    return field == TField::BreakCodes ? edBreak : edMake;
}

void TfmKeyDlg::ChooseType(int index)
{
    FMaster.KeyType().SetValue(TKeyType(index + 1));
    ShowMacroFields(index + 1 == ktMacro);
    Apply(TField::Type);
}

void TfmKeyDlg::EditCodes(TField field, const QString &text)
{
    // Tokens that do not parse are dropped by the sequence itself.
    CodesOf(field).SetText(text);
    Apply(field);
}

void TfmKeyDlg::RecordCodes(TField field, int mode)
{
    TScanCodes &codes = CodesOf(field);
    if (!FCodes.Execute(codes, mode))
        return;
    FieldOf(field)->setText(codes.Text());
    Apply(field);
}

void TfmKeyDlg::SetAutoRepeat(bool on)
{
    FMaster.AutoRepeat().SetValue(on);
    Apply(TField::AutoRepeat);
}

void TfmKeyDlg::EditRemark(const QString &text)
{
    FMaster.Remark().SetValue(text);
    Apply(TField::Remark);
}

void TfmKeyDlg::EditMelody()
{
    TNotes melody;
    melody.Assign(FMaster.Melody());
    if (!FNotes.Execute(melody, edMelody->text()))
        return;
    FMaster.Melody().Assign(melody);
    Apply(TField::Melody);
    edMelody->setText(FMaster.Melody().Text());
}

void TfmKeyDlg::PlayMelody()
{
    PlayMelodyFromButton(FManager, *btnPlay, edMelody->text());
}

void TfmKeyDlg::ShowCodeMenu(QLineEdit *edit, TField field, const QPoint &pos)
{
    QMenu menu(this);
    const auto add = [&](const QString &text, const QKeySequence &keys, const std::function<void()> &command) {
        QAction *action = menu.addAction(text);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, [this, command] { Run(command); });
        return action;
    };
    add(QStringLiteral("Вырезать"), QKeySequence(Qt::CTRL | Qt::Key_X), [edit] { edit->cut(); })
        ->setEnabled(edit->hasSelectedText());
    add(QStringLiteral("Копировать"), QKeySequence(Qt::CTRL | Qt::Key_C), [edit] { edit->copy(); })
        ->setEnabled(edit->hasSelectedText());
    add(QStringLiteral("Вставить"), QKeySequence(Qt::CTRL | Qt::Key_V), [edit] { edit->paste(); });
    menu.addSeparator();
    add(QStringLiteral("Добавить коды нажатия и отжатия"), {}, [this, field] { RecordCodes(field, kcBoth); });
    add(QStringLiteral("Добавить коды нажатия"), {}, [this, field] { RecordCodes(field, kcPresses); });
    add(QStringLiteral("Добавить коды отжатия"), {}, [this, field] { RecordCodes(field, kcReleases); });
    menu.exec(edit->mapToGlobal(pos));
}
