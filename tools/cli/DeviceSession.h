#pragma once

#include "CliCommands.h"

#include "device/KeyboardManager.h"
#include "device/ManagerPrompts.h"

#include <QCoreApplication>
#include <memory>

/// The keyboard manager of a device command: the ports the options name
/// (--driver-socket, --device), questions answered by --yes (No without it),
/// backups unless --no-backup, progress and messages on the error stream.
class TDeviceSession : public TManagerPrompts {
    Q_DECLARE_TR_FUNCTIONS(TDeviceSession)

public:
    explicit TDeviceSession(TCliContext &context);
    ~TDeviceSession() override;

    TKeyboardManager &Manager() { return *FManager; }

    bool Ask(const QString &text) override;
    void Warn(const QString &text) override;
    /// There is no file dialog on the command line: nothing is chosen.
    QString ChooseFile(const QString &filter, const QString &proposedName, const QString &folder) override;

private:
    void ShowProgress(const TProgress &progress);

    TCliContext &FContext;
    bool FYes;
    bool FTerminal;
    std::unique_ptr<TKeyboardManager> FManager;
};
