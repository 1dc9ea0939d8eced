#include "layoutparts/fmuMSR.h"

#include "base/Error.h"
#include "common/CommandGuard.h"
#include "codeeditors/CodeField.h"
#include "codeeditors/MelodyField.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MSR.h"
#include "common/DialogButtons.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// A tab of three code fields, "Трек 1:" to "Трек 3:".
QWidget *CodeTab(const std::array<TCodeField *, TfmMSR::kCodeFieldCount> &fields, int first)
{
    auto *tab = new QWidget;
    auto *form = new QFormLayout(tab);
    for (int track = 0; track < 3; ++track)
        form->addRow(QCoreApplication::translate("TfmMSR", "Трек %1:").arg(track + 1),
                     fields[size_t(first + track)]);
    return tab;
}

} // namespace

TfmMSR::TfmMSR(TKeyboardManager &manager, QWidget *parent) : TLayerPartsDialog(manager, parent)
{
    setObjectName(QStringLiteral("fmMSR"));
    // The caption begins with a Latin "C", as the keyboard's own tools write it.
    setWindowTitle(tr("Cчитыватель магнитных карт"));

    auto *general = new QWidget;
    auto *checks = new QVBoxLayout(general);
    for (int track = 0; track < 3; ++track) {
        FTrackBoxes[size_t(track)] = new QCheckBox(tr("Трек %1").arg(track + 1));
        FTrackBoxes[size_t(track)]->setObjectName(QStringLiteral("cbTrack%1").arg(track + 1));
        checks->addWidget(FTrackBoxes[size_t(track)]);
    }
    FSendEnter = new QCheckBox(tr("Передавать ENTER после данных"));
    FSendEnter->setObjectName(QStringLiteral("cbSendEnter"));
    FStopOnError = new QCheckBox(tr("Блокировка при ошибке"));
    FStopOnError->setObjectName(QStringLiteral("cbStopOnError"));
    FLightIndication = new QCheckBox(tr("Подавать световой сигнал при считывании"));
    FLightIndication->setObjectName(QStringLiteral("cbLightIndication"));
    for (QCheckBox *box : {FSendEnter, FStopOnError, FLightIndication})
        checks->addWidget(box);
    checks->addStretch();

    for (int field = 0; field < kCodeFieldCount; ++field) {
        const bool prefix = field < 3;
        auto *codes = new TCodeField(QStringLiteral("%1%2").arg(prefix ? u"edPrefix" : u"edSuffix").arg(field % 3 + 1));
        FCodeFields[size_t(field)] = codes;
        AddCodeField(codes);
        // Every edit reaches the sequence at once, so "..." and layer
        // switches always see what the field shows.
        connect(codes, &TCodeField::textEdited, this, [this, field](const QString &text) {
            CommandGuard::RunCommand(this, [&] { FieldCodes(field).SetText(text); });
        });
        connect(codes, &TCodeField::editCodesRequested, this,
                [this, field](int mode) { CommandGuard::RunCommand(this, [&] { EditCodes(field, mode); }); });
    }

    auto *sounds = new QWidget;
    auto *soundRow = new QHBoxLayout(sounds);
    FMelody = new TMelodyField(manager, QStringLiteral("edMelody"));
    AddMelodyField(FMelody);
    connect(FMelody, &TMelodyField::editMelodyRequested, this,
            [this] { CommandGuard::RunCommand(this, [this] { EditMelody(*FMelody, Reader().Melody()); }); });
    soundRow->addWidget(FMelody);
    soundRow->setAlignment(Qt::AlignTop);

    auto *tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("pcTabs"));
    tabs->addTab(general, tr("Общие"));
    tabs->addTab(CodeTab(FCodeFields, 0), tr("Префикс"));
    tabs->addTab(CodeTab(FCodeFields, 3), tr("Суффикс"));
    tabs->addTab(sounds, tr("Звуки"));

    auto *body = new QHBoxLayout;
    LayerList().setFixedWidth(110);
    body->addWidget(&LayerList());
    body->addWidget(tabs, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(OkCancelButtons(*this));
    resize(520, 280);
}

void TfmMSR::EditCodes(int field, int mode)
{
    TScanCodes &codes = FieldCodes(field);
    TLayerPartsDialog::EditCodes(*FCodeFields[size_t(field)], codes, mode);
}

void TfmMSR::CopyIn(const TLayout &document)
{
    Work().AssignReader(document);
}

TMSR &TfmMSR::Reader() const
{
    return Work().Layers().Item(Layer()).MSR();
}

TScanCodes &TfmMSR::FieldCodes(int field) const
{
    if (field < 0 || field >= kCodeFieldCount)
        throw EError(tr("Неверный номер трека"));
    TMSRTrack &track = Reader().Track(field % 3);
    return field < 3 ? track.Prefix() : track.Suffix();
}

void TfmMSR::ShowLayer()
{
    const TMSR &reader = Reader();
    for (int track = 0; track < 3; ++track)
        FTrackBoxes[size_t(track)]->setChecked(reader.Track(track).Enabled());
    FSendEnter->setChecked(reader.SendEnter());
    FStopOnError->setChecked(reader.StopOnError());
    FLightIndication->setChecked(reader.LightIndication());
    for (int field = 0; field < kCodeFieldCount; ++field)
        FCodeFields[size_t(field)]->SetText(FieldCodes(field).Text());
    FMelody->SetText(reader.Melody().Text());
}

void TfmMSR::Store()
{
    TMSR &reader = Reader();
    for (int track = 0; track < 3; ++track)
        reader.Track(track).SetEnabled(FTrackBoxes[size_t(track)]->isChecked());
    reader.SetSendEnter(FSendEnter->isChecked());
    reader.SetStopOnError(FStopOnError->isChecked());
    reader.SetLightIndication(FLightIndication->isChecked());
    reader.Melody().SetText(FMelody->Text());
}
