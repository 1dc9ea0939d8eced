#pragma once

#include "device/KeyboardManager.h"
#include "device/ManagerPrompts.h"
#include "document/fmuDoc.h"
#include "document/DocumentWindows.h"
#include "main/MainActions.h"
#include "main/fmuMain.h"
#include "support/ScriptedPrompts.h"
#include "ModalAnswers.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

// A program folder of its own in a temporary folder: RavlinApp beside links
// to the shipped "Клавиатуры" and "Клавиши", so that its settings file and
// window layout store are the test's.
class TProgramFolder {
public:
    TProgramFolder()
    {
        for (const QString &folder : {QStringLiteral("Клавиатуры"), QStringLiteral("Клавиши")})
            QFile::link(QStringLiteral(RAVLIN_DATA_DIR "/") + folder, FDir.filePath(folder));
    }
    QString Path(const QString &name) const { return FDir.filePath(name); }
    QString SettingsFile() const { return Path(QStringLiteral("RavlinApp.ini")); }
    QString LayoutStoreFile() const { return Path(QStringLiteral("RozUvaz.ini")); }

    // Options of a main window of this folder; the PS/2 port points at
    // socket (by default one where no keyboard listens).
    TKeyboardManagerOptions Options(TManagerPrompts &prompts, const QString &socket = QString()) const
    {
        TKeyboardManagerOptions options;
        options.ProgramPath = Path(QStringLiteral("RavlinApp"));
        options.Ports.DriverSocket = socket.isEmpty() ? Path(QStringLiteral("no-keyboard")) : socket;
        options.Prompts = &prompts;
        options.BlockPauseMs = 0;
        options.BackupFolder = Path(QStringLiteral("backups"));
        return options;
    }

private:
    QTemporaryDir FDir;
};

// A shown main window of the program folder, with no keyboard on its port.
inline std::unique_ptr<TfmMain> ShowMain(const TProgramFolder &folder, TManagerPrompts &prompts)
{
    auto window = std::make_unique<TfmMain>(folder.Options(prompts));
    window->show();
    return window;
}

// Returns the captions of the recent-files entries shown in the file menu.
inline QStringList RecentCaptions(const TfmMain &window)
{
    QStringList captions;
    for (int i = 1; i <= 4; ++i)
        if (auto *action = window.findChild<QAction *>(QStringLiteral("miRecent%1").arg(i)); action && action->isVisible())
            captions << action->text();
    return captions;
}
