#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class TKeyboardManager;
class TNotes;

/// The melody editor "Редактор нот": a melody in its text form, loaded from
/// and saved to text files and played on the keyboard. OK refuses a text
/// that is no melody and keeps the dialog open.
///
/// Usage: if (notes.Execute(melody, text)) melody holds the edited melody.
class TfmNotes : public QDialog {
    Q_OBJECT
public:
    explicit TfmNotes(TKeyboardManager &manager, QWidget *parent = nullptr);

    /// Runs the dialog modally with text in the field; on OK notes holds the
    /// field's melody. Returns whether OK.
    bool Execute(TNotes &notes, const QString &text);
    /// Prepares a run without showing the dialog.
    void Start(TNotes &notes, const QString &text);
    /// Returns the text of the field.
    QString Text() const;

    /// Puts the text of a Windows-1251 text file into the field.
    void LoadFile(const QString &fileName);
    /// Writes the lines of the field to a Windows-1251 text file.
    void SaveFile(const QString &fileName) const;

    /// Parses the field into the caller's melody and closes with OK; a text
    /// that is no melody shows the parse error, changes nothing and keeps
    /// the dialog open.
    void accept() override;

private:
    void Open();
    void Save();
    void Play();
    void ClearText();

    TKeyboardManager &FManager;
    TNotes *FNotes = nullptr;
    QPlainTextEdit *mmNotes;
    QPushButton *btnPlay;
};
