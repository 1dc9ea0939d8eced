#pragma once

#include <QDialog>
#include <optional>

class QListWidget;
class QPushButton;
class TKeyboardManager;

/// The layout properties dialog "Свойства раскладки": the keyboard models
/// of the catalogue with the layout's model selected, and "Прочитать", which
/// selects the model of the connected keyboard. The caller moves the layout
/// to the chosen model.
///
/// Usage: if (props.exec() == QDialog::Accepted) move the layout to
/// props.KeyboardID() when it has one and it differs from the layout's.
class TfmProps : public QDialog {
    Q_OBJECT
public:
    /// keyboardId is the layout's model, selected at the start.
    TfmProps(TKeyboardManager &manager, int keyboardId, QWidget *parent = nullptr);

    /// Returns the identifier of the selected model, none without a
    /// selection.
    std::optional<int> KeyboardID() const;
    /// Selects the model for a model code the keyboard reported: the
    /// layout's own model when it has that code, else the first model of the
    /// catalogue with it, else none.
    void SelectByModelCode(int modelCode);

private:
    /// "Прочитать": reads the keyboard's model code and selects its model;
    /// the button is disabled meanwhile, and a device error leaves the
    /// selection as it was.
    void btnReadClick();

    TKeyboardManager &FManager;
    int FKeyboardID;
    QListWidget *lbModels;
    QPushButton *btnOK;
    QPushButton *btnCancel;
    QPushButton *btnRead;
};
