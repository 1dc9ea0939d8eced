#include "keys/fmuKeyDlg.h"

#include "device/KeyboardManager.h"
#include "codeeditors/CodeField.h"
#include "codeeditors/MelodyField.h"
#include "codeeditors/fmuCodes.h"
#include "codeeditors/fmuNotes.h"
#include "model/Key.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"
#include "settings/SettingsManager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QSignalBlocker>

TfmKeyDlg::TfmKeyDlg(TKeyboardManager &manager, TfmCodes &codes, TfmNotes &notes, QWidget *parent)
    : TBaseForm(manager.Settings().Font(), parent, Qt::Tool | Qt::WindowStaysOnTopHint), FManager(manager),
      FCodes(codes), FNotes(notes)
{
    setObjectName(QStringLiteral("fmKeyDlg"));
    setWindowTitle(tr("Клавиша"));
    CreateControls();
    // Escape hides the dialog whichever control has the focus.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::hide);
    escape->setContext(Qt::WindowShortcut);
    Detach();
}

TfmKeyDlg::~TfmKeyDlg() = default;

void TfmKeyDlg::CreateControls()
{
    using TField = TLayoutDocument::TKeyField;
    auto *grid = new QGridLayout(this);
    int row = 0;

    cbKeyType = new QComboBox(this);
    cbKeyType->setObjectName(QStringLiteral("cbKeyType"));
    for (int type = ktMacro; type <= kLastKeyType; ++type)
        cbKeyType->addItem(KeyTypeName(type));
    connect(cbKeyType, &QComboBox::activated, this, [this](int index) { Run([this, index] { ChooseType(index); }); });
    grid->addWidget(new QLabel(tr("Функция клавиши:"), this), row, 0);
    grid->addWidget(cbKeyType, row++, 1);

    lbLayers = new QListWidget(this);
    lbLayers->setObjectName(QStringLiteral("lbLayers"));
    lbLayers->setMaximumHeight(lbLayers->fontMetrics().height() * 5);
    connect(lbLayers, &QListWidget::currentRowChanged, this, [this] { Run([this] { LoadValues(); }); });
    grid->addWidget(lbLayers, row++, 1);

    const auto codeRow = [&](const QString &caption, const QString &name, TField field, QLabel *&label) {
        label = new QLabel(caption, this);
        auto *codes = new TCodeField(name, this);
        codes->SetEditorAvailable(true);
        connect(codes, &TCodeField::textEdited, this,
                [this, field](const QString &text) { Run([this, field, text] { EditCodes(field, text); }); });
        connect(codes, &TCodeField::editCodesRequested, this,
                [this, field](int mode) { Run([this, field, mode] { RecordCodes(field, mode); }); });
        grid->addWidget(label, row, 0);
        grid->addWidget(codes, row++, 1);
        return codes;
    };
    fdMake = codeRow(tr("При нажатии:"), QStringLiteral("edMake"), TField::MakeCodes, lblMake);
    fdBreak = codeRow(tr("При отжатии:"), QStringLiteral("edBreak"), TField::BreakCodes, lblBreak);

    chbAutoRepeat = new QCheckBox(tr("Автоповтор клавиши"), this);
    chbAutoRepeat->setObjectName(QStringLiteral("chbAutoRepeat"));
    connect(chbAutoRepeat, &QCheckBox::clicked, this, [this](bool on) { Run([this, on] { SetAutoRepeat(on); }); });
    grid->addWidget(chbAutoRepeat, row++, 1);

    // The melody changes through the melody editor only.
    fdMelody = new TMelodyField(FManager, QStringLiteral("edMelody"), this);
    fdMelody->Edit().setReadOnly(true);
    fdMelody->SetEditorAvailable(true);
    connect(fdMelody, &TMelodyField::editMelodyRequested, this, [this] { Run([this] { EditMelody(); }); });
    grid->addWidget(new QLabel(tr("Звук:"), this), row, 0);
    grid->addWidget(fdMelody, row++, 1);

    edRemark = new QLineEdit(this);
    edRemark->setObjectName(QStringLiteral("edRemark"));
    connect(edRemark, &QLineEdit::textEdited, this,
            [this](const QString &text) { Run([this, text] { EditRemark(text); }); });
    grid->addWidget(new QLabel(tr("Примечание:"), this), row, 0);
    grid->addWidget(edRemark, row++, 1);

    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
    resize(420, sizeHint().height());
}

QString TfmKeyDlg::Caption(const TRect &selection)
{
    if (selection.IsSingleCell())
        return tr("Клавиша (%1,%2)").arg(selection.Top).arg(selection.Left);
    return tr("Клавиши (%1,%2)-(%3,%4)")
        .arg(selection.Top)
        .arg(selection.Left)
        .arg(selection.Bottom)
        .arg(selection.Right);
}

void TfmKeyDlg::SetDocument(TLayoutDocument *document)
{
    if (document == FDocument)
        return;
    Detach();
    if (!document)
        return;
    FDocument = document;
    FChangedLink = connect(document, &TLayoutDocument::changed, this, &TfmKeyDlg::OnDocumentChanged);
    FDestroyedLink = connect(document, &QObject::destroyed, this, [this] { Detach(); });
    setWindowTitle(Caption(document->Layout().Selection()));
    {
        const QSignalBlocker blocker(lbLayers);
        FillLayers();
        lbLayers->setCurrentRow(0);
    }
    LoadValues();
}

void TfmKeyDlg::FillLayers()
{
    const int layers = FDocument->Layout().LayerCount();
    if (lbLayers->count() == layers)
        return;
    const int row = lbLayers->currentRow();
    lbLayers->clear();
    for (int k = 1; k <= layers; ++k)
        lbLayers->addItem(tr("Слой %1").arg(k));
    lbLayers->setCurrentRow(row >= 0 && row < layers ? row : 0);
}

void TfmKeyDlg::Detach()
{
    disconnect(FChangedLink);
    disconnect(FDestroyedLink);
    FDocument = nullptr;
    const QSignalBlocker blocker(lbLayers);
    lbLayers->clear();
    for (QLineEdit *edit : {&fdMake->Edit(), &fdBreak->Edit(), &fdMelody->Edit(), edRemark})
        edit->clear();
    chbAutoRepeat->setChecked(false);
}

void TfmKeyDlg::SetShownLayer(int layer)
{
    {
        const QSignalBlocker blocker(lbLayers);
        lbLayers->setCurrentRow(layer >= 1 && layer <= lbLayers->count() ? layer - 1 : 0);
    }
    LoadValues();
}

void TfmKeyDlg::OnDocumentChanged(int kind)
{
    // Changes made elsewhere (an undo, a paste, a new keyboard model) are
    // shown at once; the dialog's own shows already.
    if (kind == lcKeysCleared || kind == lcSelection || (kind == lcContent && !FApplying))
        Run([this] { LoadValues(); });
}

void TfmKeyDlg::LoadValues()
{
    if (!FDocument)
        return;
    {
        const QSignalBlocker blocker(lbLayers);
        FillLayers();
        if (lbLayers->currentRow() < 0)
            lbLayers->setCurrentRow(0);
    }
    FMaster.Layer = lbLayers->currentRow();
    FDocument->LoadKeys(FMaster);
    const int type = FMaster.KeyType().Value();
    {
        const QSignalBlocker blocker(cbKeyType);
        cbKeyType->setCurrentIndex(type - 1);
    }
    // Keys of different types show no function; the fields keep what they
    // showed.
    if (type != ktNone) {
        edRemark->setText(FMaster.Remark().Value());
        fdMelody->SetText(FMaster.Melody().Text());
        {
            const QSignalBlocker blocker(chbAutoRepeat);
            chbAutoRepeat->setChecked(FMaster.AutoRepeat().Value());
        }
        fdMake->SetText(FMaster.MakeCodes().Text());
        fdBreak->SetText(FMaster.BreakCodes().Text());
    }
    setWindowTitle(Caption(FDocument->Layout().Selection()));
    ShowMacroFields(type == ktMacro);
}

void TfmKeyDlg::ShowMacroFields(bool visible)
{
    for (QWidget *widget : std::initializer_list<QWidget *>{lbLayers, lblMake, fdMake, lblBreak, fdBreak, chbAutoRepeat})
        widget->setVisible(visible);
}
