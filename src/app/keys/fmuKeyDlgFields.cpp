#include "keys/fmuKeyDlg.h"

#include "common/CommandGuard.h"
#include "codeeditors/CodeField.h"
#include "codeeditors/MelodyField.h"
#include "codeeditors/fmuCodes.h"
#include "codeeditors/fmuNotes.h"
#include "model/Key.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
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

TCodeField *TfmKeyDlg::FieldOf(TField field) const
{
    return field == TField::BreakCodes ? fdBreak : fdMake;
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
    FieldOf(field)->SetText(codes.Text());
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
    if (!FNotes.Execute(melody, fdMelody->Text()))
        return;
    FMaster.Melody().Assign(melody);
    Apply(TField::Melody);
    fdMelody->SetText(FMaster.Melody().Text());
}
