#include "layoutparts/fmuKeyLock.h"

#include "common/CommandGuard.h"
#include "codeeditors/CodeField.h"
#include "codeeditors/MelodyField.h"
#include "model/KeyLock.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "common/DialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TfmKeyLock::TfmKeyLock(TKeyboardManager &manager, QWidget *parent)
    : TLayerPartsDialog(manager, parent), FPositions(new QListWidget(this)), FFunction(new QComboBox(this)),
      FCodes(new TCodeField(QStringLiteral("edCodes"), this)),
      FMelody(new TMelodyField(manager, QStringLiteral("edMelody"), this)),
      FLocked(new QCheckBox(tr("Блокировка клавиатуры разрешена"), this))
{
    setObjectName(QStringLiteral("fmKeyLock"));
    setWindowTitle(tr("Ключ клавиатуры"));

    FPositions->setObjectName(QStringLiteral("lbPositions"));
    FFunction->setObjectName(QStringLiteral("cbFunction"));
    FFunction->addItems(PositionTypeNames());
    FLocked->setObjectName(QStringLiteral("cbLocked"));
    AddCodeField(FCodes);
    AddMelodyField(FMelody);
    auto *allLayers = new QPushButton(tr("Для всех слоев"), this);
    allLayers->setObjectName(QStringLiteral("btnAllLayers"));

    connect(FPositions, &QListWidget::currentRowChanged, this, &TfmKeyLock::SelectPosition);
    // Every edit reaches the codes of the chosen position at once.
    connect(FCodes, &TCodeField::textEdited, this, [this](const QString &text) {
        CommandGuard::RunCommand(this, [&] {
            if (TKeyPosition *position = ShownPosition())
                position->Codes().SetText(text);
        });
    });
    connect(FCodes, &TCodeField::editCodesRequested, this, [this](int mode) {
        CommandGuard::RunCommand(this, [&] {
            if (TKeyPosition *position = ShownPosition())
                EditCodes(*FCodes, position->Codes(), mode);
        });
    });
    connect(FMelody, &TMelodyField::editMelodyRequested, this, [this] {
        CommandGuard::RunCommand(this, [this] {
            if (TKeyPosition *position = ShownPosition())
                EditMelody(*FMelody, position->Melody());
        });
    });
    connect(allLayers, &QPushButton::clicked, this, [this] { CommandGuard::RunCommand(this, [this] { CopyToAllLayers(); }); });

    auto *grid = new QGridLayout;
    auto label = [this](const QString &text, QWidget *buddy) {
        auto *result = new QLabel(text, this);
        result->setBuddy(buddy);
        return result;
    };
    grid->addWidget(label(tr("Слой:"), &LayerList()), 0, 0);
    grid->addWidget(label(tr("Положение ключа:"), FPositions), 0, 1);
    grid->addWidget(&LayerList(), 1, 0);
    grid->addWidget(FPositions, 1, 1);
    auto *fields = new QGridLayout;
    fields->addWidget(label(tr("Функция:"), FFunction), 0, 0);
    fields->addWidget(FFunction, 0, 1);
    fields->addWidget(label(tr("Коды:"), FCodes), 1, 0);
    fields->addWidget(FCodes, 1, 1);
    fields->addWidget(label(tr("Ноты:"), FMelody), 2, 0);
    fields->addWidget(FMelody, 2, 1);
    fields->addWidget(FLocked, 3, 0, 1, 2);
    fields->setColumnStretch(1, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(allLayers);
    bottom->addWidget(OkCancelButtons(*this), 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(fields);
    layout->addLayout(bottom);
    resize(440, 380);
}

void TfmKeyLock::CopyIn(const TLayout &document)
{
    Work().AssignKeyLock(document);
}

TKeyLock &TfmKeyLock::Lock() const
{
    return Work().Layers().Item(Layer()).KeyLock();
}

TKeyPosition *TfmKeyLock::ShownPosition() const
{
    const int row = FPositions->currentRow();
    return row >= 0 && row < Lock().Count() ? &Lock().Item(row) : nullptr;
}

void TfmKeyLock::ShowLayer()
{
    const int count = Lock().Count();
    const QSignalBlocker blocker(FPositions);
    FPositions->clear();
    for (int i = 1; i <= count; ++i)
        FPositions->addItem(tr("Позиция %1").arg(i));
    // A layer without positions leaves the fields as they were.
    if (count == 0)
        return;
    if (FPosition >= count)
        FPosition = 0;
    FPositions->setCurrentRow(FPosition);
    ShowPosition();
}

void TfmKeyLock::ShowPosition()
{
    const TKeyPosition &position = *ShownPosition();
    FCodes->SetText(position.Codes().Text());
    FMelody->SetText(position.Melody().Text());
    FFunction->setCurrentIndex(position.PositionType());
    FLocked->setChecked(position.Locked());
}

void TfmKeyLock::Store()
{
    TKeyPosition *position = ShownPosition();
    if (!position)
        return;
    position->SetPositionType(uint8_t(qMax(0, FFunction->currentIndex())));
    position->Melody().SetText(FMelody->Text());
    position->SetLocked(FLocked->isChecked());
}

void TfmKeyLock::SelectPosition(int row)
{
    if (row < 0 || row == FPosition)
        return;
    // The list already shows the new row: store into the position shown so far.
    {
        const QSignalBlocker blocker(FPositions);
        FPositions->setCurrentRow(FPosition);
    }
    if (!CommandGuard::RunCommand(this, [this] { Store(); }))
        return;
    FPosition = row;
    const QSignalBlocker blocker(FPositions);
    FPositions->setCurrentRow(FPosition);
    ShowPosition();
}

void TfmKeyLock::CopyToAllLayers()
{
    Store();
    const TKeyLock &source = Lock();
    for (int layer = 0; layer < Work().LayerCount(); ++layer)
        if (layer != Layer())
            Work().Layers().Item(layer).KeyLock().Assign(source);
}
