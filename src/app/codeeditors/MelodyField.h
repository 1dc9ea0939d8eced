#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;
class TKeyboardManager;

/// A text field for the text form of a melody, with a play button and a
/// "..." button for the melody editor.
class TMelodyField : public QWidget {
    Q_OBJECT

public:
    /// name is the object name of the text field; the buttons get name +
    /// "Play" and name + "Button".
    TMelodyField(TKeyboardManager &manager, const QString &name, QWidget *parent = nullptr);

    QLineEdit &Edit() const { return *FEdit; }
    QString Text() const;
    void SetText(const QString &text);
    /// Enables the "..." button (a melody editor exists).
    void SetEditorAvailable(bool available);
    /// Plays the field's text on the keyboard (PlayMelodyFromButton).
    void Play();

signals:
    /// The user asked for the melody editor.
    void editMelodyRequested();

private:
    TKeyboardManager &FManager;
    QLineEdit *FEdit;
    QToolButton *FPlay;
    QToolButton *FButton;
};
