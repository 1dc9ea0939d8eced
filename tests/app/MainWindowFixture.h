#pragma once

#include "device/KeyboardManager.h"
#include "device/ManagerPrompts.h"
#include "document/fmuDoc.h"
#include "main/DocumentWindows.h"
#include "main/MainActions.h"
#include "main/fmuMain.h"

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

// Answers the keyboard manager's questions from a script and records them.
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

// Runs answer on the next modal dialog once it is shown (a file dialog, a
// message box), from the event loop the dialog runs, and again while that
// dialog stays open (a file dialog still loading its folder may ignore the
// first answer).
inline void AnswerNextDialog(std::function<void(QWidget *)> answer)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(20);
    struct TState {
        bool Started = false;
        QPointer<QWidget> Dialog;
    };
    auto state = std::make_shared<TState>();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, state, answer = std::move(answer)] {
        if (state->Started && (!state->Dialog || !state->Dialog->isVisible())) {
            timer->stop();
            timer->deleteLater();
            return;
        }
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible() || (state->Started && dialog != state->Dialog))
            return;
        state->Started = true;
        state->Dialog = dialog;
        answer(dialog);
    });
    timer->start();
}

// Chooses fileName with the filter at index in the next file dialog. The
// name is typed again until it stays for one round of the event loop: a
// folder the dialog is still loading may put its proposed name back.
inline void AnswerFileDialog(const QString &fileName, int filterIndex = 0)
{
    AnswerNextDialog([fileName, filterIndex](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        QVERIFY2(dialog, widget->metaObject()->className());
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        if (edit->text() == fileName && dialog->selectedNameFilter() == dialog->nameFilters().value(filterIndex)) {
            QMetaObject::invokeMethod(dialog, "accept");
            return;
        }
        dialog->selectNameFilter(dialog->nameFilters().value(filterIndex));
        edit->setText(fileName);
    });
}

// Presses button in the next message box and stores its text in text.
inline void AnswerMessageBox(QMessageBox::StandardButton button, QString *text = nullptr)
{
    AnswerNextDialog([button, text](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        QVERIFY2(box, widget->metaObject()->className());
        if (text)
            *text = box->text();
        box->button(button)->click();
    });
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
