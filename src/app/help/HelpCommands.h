#pragma once

#include <QObject>
#include <QString>

class QAction;
class QWidget;
class TKeyboardManager;

/// The commands of the "&Справка" menu that this program has now:
/// "Вызов справки..." (F1) opens the user manual, which lies in the folder
/// "Справка" of the data folder, in the system's browser (again at every
/// press); "Поддерживаемые устройства..." lists the keyboard models.
class THelpCommands : public QObject {
    Q_OBJECT
public:
    /// window is the main window: the parent of the windows and of messages.
    THelpCommands(TKeyboardManager &manager, QWidget &window);

    QAction *actHelpContents;
    QAction *actHelpDevices;

    /// Returns the start page of the manual in the data folder: the English
    /// edition when the texts are English, else the Russian one.
    static QString HelpFileName(const QString &dataFolder);

    /// Opens the manual; raises an error when it is missing or no program
    /// opens it.
    void ShowHelp();
    /// Opens the manual of the data folder at a section (an anchor; empty:
    /// its start), as ShowHelp does; for windows that are modal above the
    /// main window and so cannot reach its F1.
    static void OpenManual(const QString &dataFolder, const QString &section = QString());
    /// Shows the supported models, modally.
    void ShowSupportedDevices();

private:
    TKeyboardManager &FManager;
    QWidget &FWindow;
};
