#pragma once

#include "common/MessageLink.h"

#include <QDockWidget>
#include <QString>

class QAction;
class QKeyEvent;
class QListWidget;
class QMainWindow;

/// The message window "Сообщения": the lines of the layout check, the search
/// and the replace command, each with its tag (the InstanceNumber of the
/// layout it is about, or 0). It is docked at the bottom of the main window
/// or floats above it; closing it hides it.
///
/// Its context menu: "Перейти к клавише" (Ctrl+V; also a double-click or
/// Enter on a line) emits goToMessage with the selected line, "Очистить"
/// empties the list, "Сохранить..." writes the lines to a text file.
///
/// Docking: while the window is shown docked, the docked flag is set and the
/// dock's height is remembered as the user resizes it; showing it docked gives
/// it the remembered height, or a fifth of the main window's client height
/// when the remembered one is below 2. Hiding it or floating it clears the
/// flag and forgets the height (it becomes 1). The main window stores both in
/// the settings ("MessageFormDocked", "DockPanelHeight") when it ends, and
/// hands them to Restore when it starts.
class TfmMessageWindow : public QDockWidget, public TMessageLink {
    Q_OBJECT
public:
    explicit TfmMessageWindow(QWidget *parent = nullptr);

    /// Empties the list.
    void ClearMessages() override;
    /// Appends a line.
    void AddMessage(const QString &text, int tag) override;
    /// Shows the window: docked with its height, or floating and raised (the
    /// first time over the lower part of the main window). The main window
    /// shows it through this, never through show().
    void ShowMessages() override;

    /// Returns the number of lines, and a line's text and tag.
    int Count() const;
    QString Text(int index) const;
    int Tag(int index) const;

    /// Puts the window into the bottom dock area of mainWindow. Docked: it
    /// takes height (a fifth of the client height when height is below 2)
    /// and is shown. Otherwise it is hidden, floats when shown later, and the
    /// remembered height is 1.
    void Restore(QMainWindow *mainWindow, bool docked, int height);
    /// Returns the docked flag: the window is shown docked in the main window.
    bool IsDocked() const { return FDocked; }
    /// Returns the remembered height of the docked window (1 when it is not
    /// shown docked).
    int DockHeight() const { return FDockHeight; }

    /// Writes every line to fileName as Windows-1251 text, each line ended by
    /// CR LF, replacing the file only when it is written whole. Raises EError.
    void SaveMessages(const QString &fileName) const;

signals:
    /// The user asked to go to the key a line names.
    void goToMessage(const QString &text, int tag);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    /// Takes the go-to keys of the list before any shortcut sees them.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Returns whether a key goes to the key of the selected line: Ctrl+V,
    /// Return or Enter.
    static bool IsGoToKey(const QKeyEvent &event);
    void pmiGoToClick();
    void pmiSaveClick();
    void DockedChanged(bool floating);
    bool ShownDocked() const;
    void ApplyDockHeight();
    void PlaceFloating();
    void Undock();

    QListWidget *lbMessages;
    QAction *pmiGoTo;
    QAction *pmiClear;
    QAction *pmiSave;
    QMainWindow *FMainWindow = nullptr;
    bool FDocked = false;
    int FDockHeight = 1;
    // Whether the floating window has had its place.
    bool FPlaced = false;
};
