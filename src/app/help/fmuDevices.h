#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPlainTextEdit;
class QPushButton;
class TFont;
class TKeyboard;
class TKeyboards;

/// The window "Поддерживаемые устройства": the keyboard models of the
/// catalogue and the parameters of the one selected. It is made each time it
/// is shown and freed afterwards.
class TfmDevices : public QDialog {
    Q_OBJECT
public:
    /// Lists the models of keyboards and selects the one with the identifier
    /// defaultId (none when the catalogue lacks it); an empty catalogue
    /// disables "Закрыть".
    TfmDevices(const TKeyboards &keyboards, int defaultId, const TFont &font, QWidget *parent = nullptr);

    /// Shows the window modally and frees it; returns whether it was closed
    /// with "Закрыть".
    static bool ShowSupportedDevices(const TKeyboards &keyboards, int defaultId, const TFont &font,
                                     QWidget *parent);

    /// Returns the lines of a model's parameter tree: "[group]" for each
    /// group, "  name: value" for each of its parameters, then its subgroups
    /// the same way indented by two more blanks.
    static QStringList ParameterLines(const TKeyboard &keyboard);

private:
    void ShowModel(int id);

    const TKeyboards &FKeyboards;
    QListWidget *ListBox;
    QPlainTextEdit *Memo;
    QPushButton *btnOK;
};
