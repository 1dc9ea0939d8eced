#include "document/LayoutDocument.h"

#include "base/Error.h"
#include "device/KeyboardManager.h"
#include "model/MasterKey.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"
#include "settings/SettingsManager.h"

namespace {

// Positions of the device image formats in the save registry.
constexpr int kSaveImage210 = 2;
constexpr int kSaveImage28 = 5;
constexpr int kSaveImage29 = 6;

bool IsPictureMode(int viewMode)
{
    return viewMode == 1;
}

} // namespace

TLayoutDocument::TLayoutDocument(TKeyboardManager &manager, QObject *parent)
    : QObject(parent), FManager(manager), FLayout(std::make_unique<TLayout>())
{
    FManager.SetLayoutModel(*FLayout, FManager.Settings().KeyboardID());
    FLayout->ResetModified();
    FLink = FLayout->AddLink([this](TLayout &layout) { emit changed(int(layout.LastChange())); }, this);
}

TLayoutDocument::~TLayoutDocument()
{
    // Views hear nothing of a layout that goes with its document.
    FLink.reset();
}

int TLayoutDocument::SaveIndex() const
{
    if (!FImageFile)
        return FSaveIndex;
    switch (FLayout->Version()) {
    case 0x0208:
        return kSaveImage28;
    case 0x0209:
        return kSaveImage29;
    default:
        return kSaveImage210;
    }
}

void TLayoutDocument::Open(const QString &path, int openIndex)
{
    FManager.OpenLayout(*FLayout, openIndex, path);
    FImageFile = openIndex == kOpenImageIndex;
    FSaveIndex = 0;
    emit fileNameChanged(FileName());
}

void TLayoutDocument::Save()
{
    if (FileName().isEmpty())
        throw EError(QStringLiteral("Не задано имя файла раскладки."));
    FManager.SaveLayout(*FLayout, SaveIndex(), FileName());
}

void TLayoutDocument::SaveAs(const QString &path, int saveIndex)
{
    FManager.SaveLayout(*FLayout, saveIndex, path);
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
    // A layout read from the keyboard is not saved anywhere yet.
    FLayout->Notify(lcContent);
    emit fileNameChanged(QString());
}

void TLayoutDocument::WriteToKeyboard()
{
    SetProgramVersion(FManager.WriteLayout(*FLayout));
}

void TLayoutDocument::SetProgramVersion(uint16_t version)
{
    FLayout->SetVersion(version);
}

void TLayoutDocument::SetSelection(const TRect &selection)
{
    FLayout->SetSelection(selection);
}

void TLayoutDocument::SelectAll()
{
    FLayout->SetSelection(TRect{1, 1, FLayout->Columns(), FLayout->Rows()});
}

QString TLayoutDocument::Copy() const
{
    TLayout clipboard;
    FLayout->CopyTo(clipboard);
    return FManager.LayoutToXML(clipboard);
}

QString TLayoutDocument::Cut(int shownLayer, int viewMode)
{
    TLayout clipboard;
    FLayout->Cut(clipboard, shownLayer, IsPictureMode(viewMode));
    return FManager.LayoutToXML(clipboard);
}

void TLayoutDocument::Paste(const QString &xml, int shownLayer, int viewMode)
{
    // A fresh layout for every paste: keys the text leaves out must not keep
    // the codes of an earlier clipboard.
    TLayout clipboard;
    FManager.LayoutFromXML(clipboard, xml);
    FLayout->Paste(clipboard, shownLayer, IsPictureMode(viewMode));
}

void TLayoutDocument::Clear(int shownLayer, int viewMode)
{
    FLayout->ClearRange(FLayout->Selection(), shownLayer, IsPictureMode(viewMode));
}

namespace {

TRect KeyRect(const TRect &grid)
{
    return TRect{grid.Left - 1, grid.Top - 1, grid.Right - 1, grid.Bottom - 1};
}

} // namespace

bool TLayoutDocument::Group()
{
    return FLayout->Group(KeyRect(FLayout->Selection()));
}

void TLayoutDocument::Ungroup()
{
    FLayout->Ungroup(KeyRect(FLayout->Selection()));
}

bool TLayoutDocument::HasGroupInSelection() const
{
    return FLayout->HasGroupIn(KeyRect(FLayout->Selection()));
}

int TLayoutDocument::Replace(const QString &from, const QString &to, int shownLayer)
{
    return FLayout->Replace(from, to, shownLayer);
}

void TLayoutDocument::ChangeKeyboard(int keyboardId)
{
    FManager.SetLayoutModel(*FLayout, keyboardId);
}

void TLayoutDocument::StartNew(int keyboardId)
{
    ChangeKeyboard(keyboardId);
    FLayout->ResetModified();
}

bool TLayoutDocument::GotoLine(const QString &line)
{
    return FLayout->GotoLine(line);
}

void TLayoutDocument::ApplyMaster(TMasterKey &master, bool pictureMode)
{
    FLayout->ApplyMaster(master, pictureMode);
}

void TLayoutDocument::SetCardReaders(const TLayout &readers)
{
    FLayout->AssignReader(readers);
}

void TLayoutDocument::SetKeyLocks(const TLayout &keyLocks)
{
    FLayout->AssignKeyLock(keyLocks);
}

// Key edits of the key dialog.

void TLayoutDocument::LoadKeys(TMasterKey &master) const
{
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
    FLayout->ApplyMaster(master, false);
}

void TLayoutDocument::Activate()
{
    FLayout->Activate();
}

void TLayoutDocument::Deactivate()
{
    FLayout->Deactivate();
}
