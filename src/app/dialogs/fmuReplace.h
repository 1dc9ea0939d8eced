#pragma once

#include <QDialog>
#include <QStringList>

class QPushButton;
class THistoryComboBox;

/// The replace dialog "Поиск с заменой": asks for a text and its
/// replacement. The main window creates it once, so both histories (sorted,
/// each text once) last for the run. The caller runs the replace.
///
/// Usage: if (replace.exec() == QDialog::Accepted) replace
/// replace.FindText() by replace.ReplaceText().
class TfmReplace : public QDialog {
    Q_OBJECT
public:
    explicit TfmReplace(QWidget *parent = nullptr);

    /// Returns the text to search for.
    QString FindText() const;
    /// Returns the text that replaces it.
    QString ReplaceText() const;
    /// Returns the histories of searched and of replacing texts, sorted.
    QStringList FindHistory() const;
    QStringList ReplaceHistory() const;

    /// "Заменить все", or Enter in either box: remembers both texts and closes
    /// with OK.
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    THistoryComboBox *cbFind;
    THistoryComboBox *cbReplace;
    QPushButton *btnReplaceAll;
    QPushButton *btnCancel;
};
