#pragma once

#include "base/Error.h"
#include "catalogue/Keyboards.h"
#include "device/KeyboardDriver.h"
#include "device/KeyboardManager.h"
#include "device/ManagerPrompts.h"
#include "files/LayoutFormat.h"
#include "model/Layout.h"
#include "support/RichLayout.h"
#include "support/TestCatalogue.h"

#include <KeyboardSimulator.h>
#include <SimulatorServer.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

// Answers the manager's questions from a script and records them.
class TScriptedPrompts : public TManagerPrompts {
public:
    bool Answer = true;
    QStringList Questions;
    QStringList Warnings;

    bool Ask(const QString &text) override
    {
        Questions << text;
        return Answer;
    }
    void Warn(const QString &text) override { Warnings << text; }
    QString ChooseFile(const QString &, const QString &, const QString &) override { return QString(); }
};

// The 120-key model (code 3) behind the driver socket, and a manager that
// reaches it as its PS/2 keyboard, keeps its backups in a folder of the test
// and records its messages.
class KeyboardManagerTest : public testing::Test {
protected:
    void Connect(const TSimulatorOptions &options = MakeOptions(10), bool backup = true)
    {
        // A keyboard connected before goes first, its server before it.
        FManager.reset();
        FServer.reset();
        FSimulator = std::make_unique<TKeyboardSimulator>(ShippedKeyboards().ByModel(options.ModelCode), options);
        const QString socket = FDir.filePath(QStringLiteral("kbd"));
        FServer = std::make_unique<TSimulatorServer>(*FSimulator, socket);
        FServer->Start();
        FManager = MakeManager(backup);
        // The manager's own lines (backup, verification); the check's lines
        // carry their layout.
        FManager->OnMessage = [this](const QString &text, const TLayout *layout) {
            if (!layout)
                FMessages << text;
        };
    }

    // Returns a manager of the connected keyboard, as another program would
    // have it.
    std::unique_ptr<TKeyboardManager> MakeManager(bool backup = true, int deviceWaitMs = 3000)
    {
        TKeyboardManagerOptions managerOptions;
        managerOptions.ProgramPath = QStringLiteral(RAVLIN_DATA_DIR "/ravlin");
        managerOptions.Ports.DriverSocket = FServer->SocketPath();
        managerOptions.Ports.DriverTimeoutMs = FDriverTimeoutMs;
        managerOptions.Prompts = &FPrompts;
        managerOptions.BlockPauseMs = 0;
        managerOptions.Backup = backup;
        managerOptions.BackupFolder = BackupFolder();
        managerOptions.DeviceWaitMs = deviceWaitMs;
        return std::make_unique<TKeyboardManager>(managerOptions);
    }

    QString BackupFolder() const { return FDir.filePath(QStringLiteral("backups")); }

    static TSimulatorOptions MakeOptions(uint8_t minor)
    {
        TSimulatorOptions options;
        options.ModelCode = 3;
        options.ProgramMinor = minor;
        options.DataFolder = QStringLiteral(RAVLIN_DATA_DIR);
        return options;
    }

    // Returns the addresses of the memory writes the keyboard received.
    QList<int> WriteAddresses() const
    {
        QList<int> addresses;
        for (const QByteArray &request : FSimulator->Requests())
            if (request.size() >= 3 && uint8_t(request[0]) == kcWriteMemory)
                addresses << qFromLittleEndian<uint16_t>(request.constData() + 1);
        return addresses;
    }

    // Returns the number of memory reads of a whole 128-byte half block.
    int BlockReads() const
    {
        int reads = 0;
        for (const QByteArray &request : FSimulator->Requests())
            if (request.size() == 4 && uint8_t(request[0]) == kcReadMemory && uint8_t(request[3]) == 128)
                ++reads;
        return reads;
    }

    QString ErrorOf(const std::function<void()> &call)
    {
        try {
            call();
        } catch (const EError &error) {
            return error.Message();
        }
        return QStringLiteral("no error");
    }

    QTemporaryDir FDir;
    int FDriverTimeoutMs = kDriverTimeoutMs;
    TScriptedPrompts FPrompts;
    QStringList FMessages;
    std::unique_ptr<TKeyboardSimulator> FSimulator;
    std::unique_ptr<TSimulatorServer> FServer;
    std::unique_ptr<TKeyboardManager> FManager;
};

