#include "document/LayoutDocument.h"

#include "base/Error.h"
#include "device/KeyboardManager.h"
#include "document/UndoSteps.h"
#include "files/LayoutFileFormats.h"
#include "model/KeyLock.h"
#include "model/KeyPicture.h"
#include "model/MSR.h"
#include "model/MasterKey.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"
#include "settings/SettingsManager.h"

#include <QUndoStack>

namespace {

bool IsPictureMode(TViewMode viewMode)
{
    return viewMode == vmPicture;
}

// The merge field of typing into the picture window's text; the key dialog's
// fields are the values of TKeyField.
constexpr int kPictureTextField = 100;

// Names a picture or master edit after what it changed, as the picture
// window's commands call it.
QString MasterStepName(const TMasterKey &master)
{
    const TKeyPicture &picture = master.Picture();
    if (!picture.IsChanged())
        return TLayoutDocument::tr("Свойства клавиши");
    if (picture.GraphicChanged())
        return picture.HasGraphic() ? TLayoutDocument::tr("Загрузить картинку")
                                    : TLayoutDocument::tr("Очистить картинку");
    if (picture.FontChanged())
        return TLayoutDocument::tr("Изменить шрифт");
    if (picture.ColorChanged())
        return TLayoutDocument::tr("Изменить фон");
    if (picture.OrientationChanged())
        return TLayoutDocument::tr("Расположение");
    return TLayoutDocument::tr("Текст рисунка");
}

// Only typing into the picture text merges; every other picture edit is a
// step of its own.
bool IsPictureTextOnly(const TKeyPicture &picture)
{
    return picture.TextChanged() && !picture.GraphicChanged() && !picture.FontChanged() && !picture.ColorChanged()
           && !picture.OrientationChanged();
}

QString KeyFieldName(TLayoutDocument::TKeyField field)
{
    switch (field) {
    case TLayoutDocument::TKeyField::Type:
        return TLayoutDocument::tr("Функция клавиши");
    case TLayoutDocument::TKeyField::MakeCodes:
        return TLayoutDocument::tr("При нажатии");
    case TLayoutDocument::TKeyField::BreakCodes:
        return TLayoutDocument::tr("При отжатии");
    case TLayoutDocument::TKeyField::AutoRepeat:
        return TLayoutDocument::tr("Автоповтор клавиши");
    case TLayoutDocument::TKeyField::Remark:
        return TLayoutDocument::tr("Примечание");
    case TLayoutDocument::TKeyField::Melody:
        return TLayoutDocument::tr("Звук");
    }
    return QString();
}

} // namespace

TLayoutDocument::TLayoutDocument(TKeyboardManager &manager, QObject *parent)
    : QObject(parent), FManager(manager), FLayout(std::make_unique<TLayout>()), FStack(new QUndoStack(this))
{
    FStack->setUndoLimit(kUndoLimit);
    connect(FStack, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
    FManager.SetLayoutModel(*FLayout, FManager.Settings().KeyboardID());
    FLink = FLayout->AddLink([this](TLayout &layout) { emit changed(int(layout.LastChange())); }, this);
}

TLayoutDocument::~TLayoutDocument()
{
    // Views hear nothing of a layout that goes with its document.
    FLink.reset();
}

bool TLayoutDocument::IsModified() const
{
    return !FStack->isClean();
}

void TLayoutDocument::ResetSteps(bool clean)
{
    FStack->clear();
    if (!clean)
        FStack->resetClean();
}

int TLayoutDocument::SaveIndex() const
{
    if (!FImageFile)
        return FSaveIndex;
    switch (FLayout->Version()) {
    case 0x0208:
        return sfImage28;
    case 0x0209:
        return sfImage29;
    default:
        return sfImage210;
    }
}

void TLayoutDocument::Open(const QString &path, int openIndex)
{
    FManager.OpenLayout(*FLayout, openIndex, path);
    FImageFile = openIndex == ofImage;
    FSaveIndex = 0;
    ResetSteps(true);
    emit fileNameChanged(FileName());
}

void TLayoutDocument::Save()
{
    if (FileName().isEmpty())
        throw EError(tr("Не задано имя файла раскладки."));
    FManager.SaveLayout(*FLayout, SaveIndex(), FileName());
    FStack->setClean();
}

void TLayoutDocument::SaveAs(const QString &path, int saveIndex)
{
    FManager.SaveLayout(*FLayout, saveIndex, path);
    FStack->setClean();
    FSaveIndex = saveIndex;
    FImageFile = false;
    emit fileNameChanged(FileName());
}

void TLayoutDocument::AssignFrom(const TLayout &source)
{
    FLayout->Assign(source);
    FLayout->SetFileName(QString());
    FImageFile = false;
    FSaveIndex = 0;
    // A layout read from the keyboard is not saved anywhere yet: no step
    // leads back to a saved state.
    ResetSteps(false);
    FLayout->Notify(lcContent);
    emit fileNameChanged(QString());
}

void TLayoutDocument::WriteToKeyboard()
{
    SetProgramVersion(FManager.WriteLayout(*FLayout));
}

void TLayoutDocument::SetProgramVersion(uint16_t version)
{
    if (version == FLayout->Version())
        return;
    auto step = std::make_unique<TVersionStep>(*FLayout, tr("Записать раскладку"));
    FLayout->SetVersion(version);
    FStack->push(step.release());
}

void TLayoutDocument::EditKeys(const QString &name, const TRect &area, const std::function<void()> &edit, int field)
{
    auto step = std::make_unique<TKeysStep>(*FLayout, name, area);
    edit();
    if (!step->Finish())
        return;
    step->SetMergeKey(field, FEpoch);
    FStack->push(step.release());
    // Typing that returned to where it began merged into a step that changes
    // nothing; undoing it takes it off the stack.
    if (const QUndoCommand *top = FStack->command(FStack->index() - 1); top && top->isObsolete())
        FStack->undo();
}

void TLayoutDocument::SetSelection(const TRect &selection)
{
    if (selection != FLayout->Selection())
        ++FEpoch;
    FLayout->SetSelection(selection);
}

void TLayoutDocument::SelectAll()
{
    SetSelection(TRect{1, 1, FLayout->Columns(), FLayout->Rows()});
}

QString TLayoutDocument::Copy() const
{
    TLayout clipboard;
    FLayout->CopyTo(clipboard);
    return FManager.LayoutToXML(clipboard);
}

QString TLayoutDocument::Cut(int shownLayer, TViewMode viewMode)
{
    const QString text = Copy();
    EditKeys(tr("Вырезать"), FLayout->Selection(),
             [&] { FLayout->ClearRange(FLayout->Selection(), shownLayer, IsPictureMode(viewMode)); });
    return text;
}

void TLayoutDocument::Paste(const QString &xml, int shownLayer, TViewMode viewMode)
{
    // A fresh layout for every paste: keys the text leaves out must not keep
    // the codes of an earlier clipboard.
    TLayout clipboard;
    FManager.LayoutFromXML(clipboard, xml);
    EditKeys(tr("Вставить"), FLayout->Selection(),
             [&] { FLayout->Paste(clipboard, shownLayer, IsPictureMode(viewMode)); });
}

void TLayoutDocument::Clear(int shownLayer, TViewMode viewMode)
{
    EditKeys(tr("Очистить"), FLayout->Selection(),
             [&] { FLayout->ClearRange(FLayout->Selection(), shownLayer, IsPictureMode(viewMode)); });
}

namespace {

TRect KeyRect(const TRect &grid)
{
    return TRect{grid.Left - 1, grid.Top - 1, grid.Right - 1, grid.Bottom - 1};
}

} // namespace

bool TLayoutDocument::Group()
{
    auto step = std::make_unique<TGroupsStep>(*FLayout, tr("Сгруппировать"));
    if (!FLayout->Group(KeyRect(FLayout->Selection())))
        return false;
    FStack->push(step.release());
    return true;
}

void TLayoutDocument::Ungroup()
{
    if (!HasGroupInSelection())
        return;
    auto step = std::make_unique<TGroupsStep>(*FLayout, tr("Разгруппировать"));
    FLayout->Ungroup(KeyRect(FLayout->Selection()));
    FStack->push(step.release());
}

bool TLayoutDocument::HasGroupInSelection() const
{
    return FLayout->HasGroupIn(KeyRect(FLayout->Selection()));
}

int TLayoutDocument::Replace(const QString &from, const QString &to, int shownLayer)
{
    int count = 0;
    EditKeys(tr("Заменить"), FLayout->WorkArea(), [&] { count = FLayout->Replace(from, to, shownLayer); });
    return count;
}

void TLayoutDocument::ChangeKeyboard(int keyboardId)
{
    if (keyboardId == FLayout->KeyboardID())
        return;
    auto step = std::make_unique<TSnapshotStep>(*FLayout, tr("Свойства раскладки"));
    FManager.SetLayoutModel(*FLayout, keyboardId);
    FStack->push(step.release());
}

void TLayoutDocument::StartNew(int keyboardId)
{
    FManager.SetLayoutModel(*FLayout, keyboardId);
    ResetSteps(true);
}

bool TLayoutDocument::GotoLine(const QString &line)
{
    return FLayout->GotoLine(line);
}

void TLayoutDocument::ApplyMaster(TMasterKey &master, bool pictureMode)
{
    const bool typing = pictureMode && IsPictureTextOnly(master.Picture());
    EditKeys(MasterStepName(master), FLayout->Selection(), [&] { FLayout->ApplyMaster(master, pictureMode); },
             typing ? kPictureTextField : -1);
}

void TLayoutDocument::SetCardReaders(const TLayout &readers)
{
    if (readers.LayerCount() != FLayout->LayerCount())
        throw EError(tr("Различное количество слоев."));
    auto step = std::make_unique<TLayerPartsStep<TMSR>>(*FLayout, tr("Считыватель магнитных карт"));
    FLayout->AssignReader(readers);
    FStack->push(step.release());
}

void TLayoutDocument::SetKeyLocks(const TLayout &keyLocks)
{
    // A layout of other layers leaves the key locks as they are, as the
    // layout itself does.
    if (keyLocks.LayerCount() != FLayout->LayerCount())
        return;
    auto step = std::make_unique<TLayerPartsStep<TKeyLock>>(*FLayout, tr("Ключ клавиатуры"));
    FLayout->AssignKeyLock(keyLocks);
    FStack->push(step.release());
}

// Key edits of the key dialog.

void TLayoutDocument::LoadKeys(TMasterKey &master)
{
    ++FEpoch;
    FLayout->LoadMaster(master);
}

void TLayoutDocument::ChangeKeys(int layer, TKeyField field, const TMasterKey &values)
{
    TMasterKey master;
    master.Layer = layer;
    FLayout->LoadMaster(master);
    TNotifyObject *changed = nullptr;
    switch (field) {
    case TKeyField::Type:
        master.KeyType().SetValue(values.KeyType().Value());
        changed = &master.KeyType();
        break;
    case TKeyField::MakeCodes:
        master.MakeCodes().Assign(values.MakeCodes());
        changed = &master.MakeCodes();
        break;
    case TKeyField::BreakCodes:
        master.BreakCodes().Assign(values.BreakCodes());
        changed = &master.BreakCodes();
        break;
    case TKeyField::AutoRepeat:
        master.AutoRepeat().SetValue(values.AutoRepeat().Value());
        changed = &master.AutoRepeat();
        break;
    case TKeyField::Remark:
        master.Remark().SetValue(values.Remark().Value());
        changed = &master.Remark();
        break;
    case TKeyField::Melody:
        master.Melody().Assign(values.Melody());
        changed = &master.Melody();
        break;
    }
    // The loaded value may equal the new one only because the selected keys
    // differed and the load emptied it.
    changed->Change();
    EditKeys(KeyFieldName(field), FLayout->Selection(), [&] { FLayout->ApplyMaster(master, false); }, int(field));
}

void TLayoutDocument::Activate()
{
    FLayout->Activate();
}

void TLayoutDocument::Deactivate()
{
    FLayout->Deactivate();
}
