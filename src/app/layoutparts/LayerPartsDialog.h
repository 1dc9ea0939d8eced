#pragma once

#include "codeeditors/PartEditors.h"

#include <QDialog>
#include <memory>

class QListWidget;
class TCodeField;
class TKeyboardManager;
class TLayout;
class TMelodyField;
class TNotes;
class TScanCodes;

/// What the card reader and key lock dialogs share: a working layout shaped
/// like the document's, the layer list whose choice is kept from one opening
/// to the next, storing the shown values before another layer is shown, and
/// OK, which stores them before the dialog closes. The caller copies the
/// working layout's settings into the document only when Execute returns
/// true, so Cancel leaves the document as it was.
class TLayerPartsDialog : public QDialog {
    Q_OBJECT

public:
    ~TLayerPartsDialog() override;

    /// Gives the working layout the document layout's keyboard model and
    /// settings, fills the layer list and shows the layer edited last (the
    /// first when the layout has fewer layers).
    void Load(const TLayout &layout);
    /// Load, then runs the dialog modally; returns whether the user
    /// confirmed with OK.
    bool Execute(const TLayout &layout);
    /// Returns the working layout: after OK, the settings to copy back.
    const TLayout &Result() const { return *FWork; }
    /// Returns the layer (from 0) shown.
    int Layer() const { return FLayer; }
    /// Sets the editors behind the "..." buttons.
    void SetEditors(const TPartEditors &editors);

    /// Stores the shown values; a melody that does not parse is shown as an
    /// error and keeps the dialog open.
    void accept() override;

protected:
    TLayerPartsDialog(TKeyboardManager &manager, QWidget *parent);

    TKeyboardManager &Manager() const { return FManager; }
    TLayout &Work() const { return *FWork; }
    QListWidget &LayerList() const { return *FLayerList; }
    /// Fields whose "..." buttons follow the editors' availability.
    void AddCodeField(TCodeField *field);
    void AddMelodyField(TMelodyField *field);

    /// Gives the field's text to codes, runs the code editor in mode on them
    /// and shows their new text on OK.
    void EditCodes(TCodeField &field, TScanCodes &codes, int mode);
    /// Runs the melody editor on melody with the field's text and shows the
    /// melody's text on OK.
    void EditMelody(TMelodyField &field, TNotes &melody);

    /// Copies the dialog's settings of every layer from the document layout.
    virtual void CopyIn(const TLayout &document) = 0;
    /// Shows the values of the current layer.
    virtual void ShowLayer() = 0;
    /// Stores the shown values into the working layout; raises EError when
    /// the melody does not parse.
    virtual void Store() = 0;

private:
    void SelectLayer(int row);

    TKeyboardManager &FManager;
    TPartEditors FEditors;
    std::unique_ptr<TLayout> FWork;
    QListWidget *FLayerList;
    QList<TCodeField *> FCodeFields;
    QList<TMelodyField *> FMelodyFields;
    int FLayer = 0;
};
