#pragma once

#include <QObject>
#include <QStringList>

class QAction;
class QWidget;
class TfmUpdates;
class TKeyboardManager;
struct TUpdateSource;

/// The release services of the main window: "Проверить обновления..." and
/// "О программе..." with their actions, the silent update check at start,
/// and the error report, plugged into the one error display while this
/// object lives. The checks and reports take the addresses the settings
/// hold at the time they run.
class TReleaseCommands : public QObject {
    Q_OBJECT
public:
    /// The path of the version files below the update server's address.
    static inline const QString kUpdatePath = QStringLiteral("data/SoftUpdates/");

    /// window is the main window: the owner of the dialogs and of messages.
    TReleaseCommands(TKeyboardManager &manager, QWidget &window);
    ~TReleaseCommands() override;

    /// "Проверить обновления...".
    QAction *actCheckUpdates;
    /// "О программе...".
    QAction *actAbout;

    /// Returns the update check window, the one of the whole run, made when
    /// first asked for.
    TfmUpdates &Updates();
    /// Starts the visible update check.
    void CheckUpdates();
    /// When the settings ask for it, posts a silent update check, which
    /// starts once the event loop runs; the start never waits for it.
    void PostStartCheck();
    /// Returns the about box's lines: the program's version and the
    /// driver's, "недоступна" when it cannot be read.
    QStringList AboutLines() const;
    /// Shows the about box, modal, owned by the active window.
    void ShowAbout();

private:
    /// Returns where the update check asks, as the settings say now.
    TUpdateSource UpdateSource() const;

    TKeyboardManager &FManager;
    QWidget &FWindow;
    TfmUpdates *FUpdates = nullptr;
};
