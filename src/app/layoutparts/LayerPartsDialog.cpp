#include "layoutparts/LayerPartsDialog.h"

#include "base/Error.h"
#include "common/BaseForm.h"
#include "common/CommandGuard.h"
#include "device/KeyboardManager.h"
#include "codeeditors/CodeField.h"
#include "codeeditors/MelodyField.h"
#include "model/Layout.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"
#include "settings/SettingsManager.h"

#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

TLayerPartsDialog::TLayerPartsDialog(TKeyboardManager &manager, QWidget *parent)
    : QDialog(parent), FManager(manager), FWork(std::make_unique<TLayout>()), FLayerList(new QListWidget(this))
{
    setFont(TBaseForm::FormFont(manager.Settings().Font()));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    FLayerList->setObjectName(QStringLiteral("lbLayers"));
    connect(FLayerList, &QListWidget::currentRowChanged, this, &TLayerPartsDialog::SelectLayer);
}

TLayerPartsDialog::~TLayerPartsDialog() = default;

void TLayerPartsDialog::Load(const TLayout &layout)
{
    FManager.SetLayoutModel(*FWork, layout.KeyboardID());
    // Every dialog value belongs to a layer: without one there is nothing to show.
    if (FWork->LayerCount() == 0)
        throw EError(tr("В раскладке нет слоев."));
    CopyIn(layout);
    if (FLayer >= FWork->LayerCount())
        FLayer = 0;
    const QSignalBlocker blocker(FLayerList);
    FLayerList->clear();
    for (int i = 1; i <= FWork->LayerCount(); ++i)
        FLayerList->addItem(tr("Слой %1").arg(i));
    FLayerList->setCurrentRow(FLayer);
    ShowLayer();
}

bool TLayerPartsDialog::Execute(const TLayout &layout)
{
    Load(layout);
    return exec() == QDialog::Accepted;
}

void TLayerPartsDialog::SetEditors(const TPartEditors &editors)
{
    FEditors = editors;
    for (TCodeField *field : FCodeFields)
        field->SetEditorAvailable(bool(FEditors.EditCodes));
    for (TMelodyField *field : FMelodyFields)
        field->SetEditorAvailable(bool(FEditors.EditMelody));
}

void TLayerPartsDialog::accept()
{
    if (CommandGuard::RunCommand(this, [this] { Store(); }))
        QDialog::accept();
}

void TLayerPartsDialog::AddCodeField(TCodeField *field)
{
    FCodeFields << field;
    field->SetEditorAvailable(bool(FEditors.EditCodes));
}

void TLayerPartsDialog::AddMelodyField(TMelodyField *field)
{
    FMelodyFields << field;
    field->SetEditorAvailable(bool(FEditors.EditMelody));
}

void TLayerPartsDialog::EditCodes(TCodeField &field, TScanCodes &codes, int mode)
{
    codes.SetText(field.Text());
    if (FEditors.EditCodes && FEditors.EditCodes(*this, codes, mode))
        field.SetText(codes.Text());
}

void TLayerPartsDialog::EditMelody(TMelodyField &field, TNotes &melody)
{
    if (FEditors.EditMelody && FEditors.EditMelody(*this, melody, field.Text()))
        field.SetText(melody.Text());
}

void TLayerPartsDialog::SelectLayer(int row)
{
    if (row < 0 || row == FLayer)
        return;
    // A melody that does not parse keeps the layer it belongs to on screen.
    if (!CommandGuard::RunCommand(this, [this] { Store(); })) {
        const QSignalBlocker blocker(FLayerList);
        FLayerList->setCurrentRow(FLayer);
        return;
    }
    FLayer = row;
    ShowLayer();
}
