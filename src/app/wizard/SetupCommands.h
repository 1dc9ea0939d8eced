#pragma once

#include "document/DocumentFollower.h"

#include <functional>

class QAction;
class QWidget;
class TfmDoc;
class TKeyboardManager;
class TLayoutDocument;

/// The commands that settle what a layout is made for and how the program
/// works: "Создать при помощи мастера", "Настройки приложения..." and
/// "Свойства раскладки", with their actions, and the wizard of the first
/// run. The main window puts the actions into its menus and toolbars; the
/// commands follow its document windows.
class TSetupCommands : public TDocumentFollower {
    Q_OBJECT
public:
    TSetupCommands(TKeyboardManager &manager, QWidget &window);

    /// "Создать при помощи мастера" (Ctrl+Alt+N).
    QAction *actFileWizard;
    /// "Настройки приложения...".
    QAction *actSettings;
    /// "Свойства раскладки" (F11; toolbar "Раскладка"): enabled with a
    /// document.
    QAction *actLayoutProperties;

    /// Runs the wizard; when it ends with OK, creates a document window of
    /// the chosen model, unmodified, shows it and returns it. Returns null
    /// when the wizard was cancelled.
    TfmDoc *NewWithWizard();
    /// Shows the settings dialog; OK stores its values and writes the
    /// settings file. Emits settingsClosed whatever the result.
    void EditSettings();
    /// Shows the layout properties dialog for document; OK moves the layout
    /// to the chosen model, and leaves it untouched when the model is the
    /// same.
    void EditLayoutProperties(TLayoutDocument &document);
    /// On the first run: clears the first-run flag of the settings (in
    /// memory) and posts the wizard command, which runs once the event loop
    /// handles it, after the window is up.
    void PostFirstRun();

signals:
    /// The settings dialog closed: the device box must be filled again.
    void settingsClosed();

private:

    TKeyboardManager &FManager;
    QWidget &FWindow;
};
