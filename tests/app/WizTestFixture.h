#pragma once

#include "device/KeyboardManager.h"
#include "device/ManagerPrompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

// Answers the manager's questions with yes.
class TWizPrompts : public TManagerPrompts {
public:
    bool Ask(const QString &) override { return true; }
    void Warn(const QString &) override {}
    QString ChooseFile(const QString &, const QString &, const QString &) override { return QString(); }
};

// A program folder beside the program file "RavlinApp" with the key tables
// and the model descriptions (all, or only the files named), the keyboard
// emulator of one model code behind its driver socket, and a keyboard
// manager that reaches it.
class TWizEnvironment {
public:
    // modelCode 0 starts no emulator: no keyboard answers.
    explicit TWizEnvironment(int modelCode, const QStringList &modelFiles = {})
    {
        QStandardPaths::setTestModeEnabled(true);
        const QString data = QStringLiteral(RAVLIN_DATA_DIR "/");
        QFile::link(data + QStringLiteral("Клавиши"), FDir.filePath(QStringLiteral("Клавиши")));
        if (modelFiles.isEmpty()) {
            QFile::link(data + QStringLiteral("Клавиатуры"), FDir.filePath(QStringLiteral("Клавиатуры")));
        } else {
            QDir(FDir.path()).mkdir(QStringLiteral("Клавиатуры"));
            for (const QString &file : modelFiles)
                QFile::link(data + QStringLiteral("Клавиатуры/") + file,
                            FDir.filePath(QStringLiteral("Клавиатуры/") + file));
        }
        const QString socket = FDir.filePath(QStringLiteral("kbd"));
        if (modelCode != 0) {
            FEmulator.start(QStringLiteral(RAVLIN_BIN_DIR "/ravlin-kbdsim"),
                            {QStringLiteral("--driver-socket"), socket, QStringLiteral("--model"),
                             QString::number(modelCode), QStringLiteral("--data"), data});
            Started = FEmulator.waitForReadyRead(10000);
        }
        Options.ProgramPath = FDir.filePath(QStringLiteral("RavlinApp"));
        Options.Ports.DriverSocket = socket;
        Options.Ports.DriverTimeoutMs = 1000;
        Options.Prompts = &FPrompts;
        Options.Backup = false;
        Manager = std::make_unique<TKeyboardManager>(Options);
    }

    ~TWizEnvironment()
    {
        Manager.reset();
        if (FEmulator.state() != QProcess::NotRunning) {
            FEmulator.terminate();
            FEmulator.waitForFinished(5000);
        }
    }

    QString FilePath(const QString &name) const { return FDir.filePath(name); }

    bool Started = false;
    TKeyboardManagerOptions Options;
    std::unique_ptr<TKeyboardManager> Manager;

private:
    QTemporaryDir FDir;
    TWizPrompts FPrompts;
    QProcess FEmulator;
};

// Runs check on the next modal dialog of type T once it is up (polling the
// event loop), so that a test can drive a dialog that exec() holds. A dialog
// that check leaves open (a failed comparison returns early) is cancelled,
// so that the test ends instead of waiting.
template <typename T> void WhenModal(const std::function<void(T &)> &check)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, check] {
        auto *window = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!window)
            return;
        timer->stop();
        timer->deleteLater();
        check(*window);
        if (window->isVisible())
            window->reject();
    });
    timer->start();
}

// Answers the next modal message box with OK and returns its text.
inline std::shared_ptr<QString> AnswerNextMessage()
{
    auto text = std::make_shared<QString>();
    WhenModal<QMessageBox>([text](QMessageBox &box) {
        *text = box.text();
        box.button(QMessageBox::Ok)->click();
    });
    return text;
}
