#pragma once

#include "common/BaseForm.h"
#include "document/LayoutDocument.h"
#include "model/MasterKey.h"

#include <QPointer>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class TCodeField;
class TfmCodes;
class TfmNotes;
class TKeyboardManager;
class TMelodyField;

/// The key dialog "Клавиша": edits the selected keys of the active document
/// on one layer (function, press and release codes, auto-repeat, melody,
/// remark). It is not modal, stays on top, follows the active document and
/// applies every change at once, one document edit per change.
class TfmKeyDlg : public TBaseForm {
    Q_OBJECT
public:
    /// The key code dialog and the melody editor are the run's shared ones.
    TfmKeyDlg(TKeyboardManager &manager, TfmCodes &codes, TfmNotes &notes, QWidget *parent = nullptr);
    ~TfmKeyDlg() override;

    /// Attaches the document whose selected keys the dialog edits, or none:
    /// the layer list gets one entry per layer, the first selected, and the
    /// values are loaded. Attaching the attached document again does nothing.
    void SetDocument(TLayoutDocument *document);
    TLayoutDocument *Document() const { return FDocument; }
    /// Selects the layer of a document window's shown layer (1 to 4; 0, all
    /// layers, selects the first) and loads its values.
    void SetShownLayer(int layer);

    /// Returns the caption for a selection: "Клавиша (row,col)" for one cell,
    /// "Клавиши (top,left)-(bottom,right)" otherwise.
    static QString Caption(const TRect &selection);

private:
    void CreateControls();

    void OnDocumentChanged(int kind);
    void Detach();
    /// Fills the master from the selected keys on the chosen layer and shows
    /// its values.
    void LoadValues();
    /// Lists the document's layers, keeping the chosen one where it still
    /// exists.
    void FillLayers();
    void ShowMacroFields(bool visible);

    /// Writes one property of the master into the selected keys.
    void Apply(TLayoutDocument::TKeyField field);
    /// Runs a command of a control through the one error display.
    void Run(const std::function<void()> &command);
    TScanCodes &CodesOf(TLayoutDocument::TKeyField field) const;
    TCodeField *FieldOf(TLayoutDocument::TKeyField field) const;

    void ChooseType(int index);
    void EditCodes(TLayoutDocument::TKeyField field, const QString &text);
    void RecordCodes(TLayoutDocument::TKeyField field, int mode);
    void SetAutoRepeat(bool on);
    void EditRemark(const QString &text);
    void EditMelody();

    TKeyboardManager &FManager;
    TfmCodes &FCodes;
    TfmNotes &FNotes;
    QPointer<TLayoutDocument> FDocument;
    QMetaObject::Connection FChangedLink;
    QMetaObject::Connection FDestroyedLink;
    TMasterKey FMaster;
    /// Set while the dialog's own change goes into the document, whose
    /// notification then needs no reload.
    bool FApplying = false;

    QComboBox *cbKeyType;
    QListWidget *lbLayers;
    QLabel *lblMake;
    TCodeField *fdMake;
    QLabel *lblBreak;
    TCodeField *fdBreak;
    QCheckBox *chbAutoRepeat;
    TMelodyField *fdMelody;
    QLineEdit *edRemark;
};
