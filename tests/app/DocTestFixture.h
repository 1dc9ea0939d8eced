#pragma once

#include "common/MessageLink.h"
#include "device/KeyboardManager.h"
#include "device/ManagerPrompts.h"
#include "model/Key.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/ScanCodes.h"
#include "support/ScriptedPrompts.h"
#include "ModalAnswers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

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
    TScriptedPrompts FPrompts;
};

// Returns the text of a cell's press codes on a layer (from 0).
inline QString CellCodes(const TLayout &layout, int col, int row, int layer = 0)
{
    return layout.Layers().Item(layer).KeyAtOrFail(col, row).MakeCodes().Text();
}
