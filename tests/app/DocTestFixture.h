#pragma once

#include "common/MessageLink.h"
#include "device/KeyboardManager.h"
#include "device/ManagerPrompts.h"
#include "model/Key.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/ScanCodes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

// Answers the manager's questions with yes and records nothing else.
class TDocTestPrompts : public TManagerPrompts {
public:
    bool Ask(const QString &) override { return true; }
    void Warn(const QString &) override {}
    QString ChooseFile(const QString &, const QString &, const QString &) override { return QString(); }
};

// The message window as the document sees it: records what it is asked.
class TRecordingMessages : public TMessageLink {
public:
    QStringList Lines;
    QList<int> Tags;
    int Clears = 0;
    int Shows = 0;

    void ClearMessages() override
    {
        ++Clears;
        Lines.clear();
        Tags.clear();
    }
    void AddMessage(const QString &text, int tag) override
    {
        Lines << text;
        Tags << tag;
    }
    void ShowMessages() override { ++Shows; }
};

// A keyboard manager whose program folder (a temporary one) holds the
// shipped model descriptions and key tables, and a folder for test files.
class TDocTestEnvironment {
public:
    TDocTestEnvironment()
    {
        const QString program = FDir.filePath(QStringLiteral("RavlinApp"));
        QDir().mkpath(program);
        for (const char *folder : {"Клавиатуры", "Клавиши"})
            QFile::link(QStringLiteral(RAVLIN_DATA_DIR "/") + QString::fromUtf8(folder),
                        program + u'/' + QString::fromUtf8(folder));
        TKeyboardManagerOptions options;
        options.ProgramPath = program + QStringLiteral("/RavlinApp");
        options.Prompts = &FPrompts;
        options.Backup = false;
        Manager = std::make_unique<TKeyboardManager>(options);
    }

    QString FilePath(const QString &name) const { return FDir.filePath(name); }

    // Writes an XML layout file of a model whose cell (col, row) of layer 1
    // sends codes, and returns its path.
    QString WriteLayoutFile(const QString &name, int keyboardId, const QList<std::tuple<int, int, QString>> &cells,
                            const TRect &selection = TRect{1, 1, 1, 1})
    {
        TLayout layout;
        Manager->SetLayoutModel(layout, keyboardId);
        for (const auto &[col, row, codes] : cells)
            layout.Layers().Item(0).KeyAtOrFail(col, row).MakeCodes().SetText(codes);
        layout.SetSelection(selection);
        const QString path = FilePath(name);
        Manager->SaveLayout(layout, 0, path);
        return path;
    }

    std::unique_ptr<TKeyboardManager> Manager;

private:
    QTemporaryDir FDir;
    TDocTestPrompts FPrompts;
};

// Answers the next modal message box with a button and remembers its
// caption, text and icon.
struct TBoxAnswer {
    QString Caption;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

inline std::shared_ptr<TBoxAnswer> AnswerNextBox(QMessageBox::StandardButton button)
{
    auto answer = std::make_shared<TBoxAnswer>();
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [answer, button, timer] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->stop();
        timer->deleteLater();
        answer->Caption = box->windowTitle();
        answer->Text = box->text();
        answer->Icon = box->icon();
        box->button(button)->click();
    });
    timer->start();
    return answer;
}

// Returns the text of a cell's press codes on a layer (from 0).
inline QString CellCodes(const TLayout &layout, int col, int row, int layer = 0)
{
    return layout.Layers().Item(layer).KeyAtOrFail(col, row).MakeCodes().Text();
}
