#pragma once

#include <QWidget>

class QAction;
class QLineEdit;
class QMenu;
class QToolButton;

/// A text field for the text form of a code sequence with its "..." button.
/// Its context menu offers "Вырезать", "Копировать", "Вставить" on the text
/// and the three ways of adding codes with the key code dialog.
class TCodeField : public QWidget {
    Q_OBJECT

public:
    /// name is the object name of the text field; the button gets name + "Button".
    TCodeField(const QString &name, QWidget *parent = nullptr);

    QLineEdit &Edit() const { return *FEdit; }
    QString Text() const;
    /// Shows text without reporting it as edited.
    void SetText(const QString &text);
    /// Enables the "..." button and the adding menu items (a code editor exists).
    void SetEditorAvailable(bool available);
    /// Returns the context menu (built once).
    QMenu &ContextMenu() const { return *FMenu; }

signals:
    /// The user changed the text.
    void textEdited(const QString &text);
    /// The user asked for the key code dialog in a mode: 2 presses and
    /// releases ("..." too), 0 presses, 1 releases.
    void editCodesRequested(int mode);

private:
    QLineEdit *FEdit;
    QToolButton *FButton;
    QMenu *FMenu;
    QList<QAction *> FEditorActions;
};
