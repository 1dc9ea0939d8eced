#pragma once

#include <QDialog>
#include <QStringList>

class QPushButton;
class THistoryComboBox;

/// The find dialog "Поиск": asks for the text to search in the layout's code
/// texts. The main window creates it once, so the history of searched texts
/// (sorted, each text once) lasts for the run. The caller runs the search.
///
/// Usage: if (find.exec() == QDialog::Accepted) search for find.FindText().
class TfmFind : public QDialog {
    Q_OBJECT
public:
    explicit TfmFind(QWidget *parent = nullptr);

    /// Returns the text to search for (the text of the drop-down box).
    QString FindText() const;
    /// Returns the history of searched texts, sorted.
    QStringList History() const;

    /// "Найти", or Enter in the box: remembers the text and closes with OK.
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    THistoryComboBox *cbFind;
    QPushButton *btnFind;
    QPushButton *btnCancel;
};
