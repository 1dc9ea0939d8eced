#include "codeeditors/fmuNotes.h"

#include "base/SafeFile.h"
#include "base/Win1251.h"
#include "codeeditors/MelodyPlay.h"
#include "common/BaseForm.h"
#include "common/CommandGuard.h"
#include "common/DialogButtons.h"
#include "common/FileDialogs.h"
#include "device/KeyboardManager.h"
#include "model/Notes.h"
#include "settings/SettingsManager.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A melody of 256 notes takes a few kilobytes as text.
constexpr qint64 kMelodyFileLimit = 1024 * 1024;

// The melody files' dialogs start in the program's folder.
TFileDialogOptions MelodyFileOptions()
{
    TFileDialogOptions options;
    options.Filter =
        QCoreApplication::translate("TfmNotes", "Текстовые файлы (*.txt)|*.txt|Все файлы (*.*)|*.*");
    options.Folder = QCoreApplication::applicationDirPath();
    options.DefaultSuffix = QStringLiteral("txt");
    return options;
}

} // namespace

TfmNotes::TfmNotes(TKeyboardManager &manager, QWidget *parent) : QDialog(parent), FManager(manager)
{
    setObjectName(QStringLiteral("fmNotes"));
    setWindowTitle(tr("Редактор нот"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(TBaseForm::FormFont(manager.Settings().Font()));

    mmNotes = new QPlainTextEdit(this);
    mmNotes->setObjectName(QStringLiteral("mmNotes"));
    mmNotes->setTabChangesFocus(true);

    auto *tools = new QHBoxLayout;
    const auto add = [&](const QString &text, const QString &name, void (TfmNotes::*command)()) {
        auto *button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, command] { CommandGuard::RunCommand(this, [this, command] { (this->*command)(); }); });
        tools->addWidget(button);
        return button;
    };
    add(tr("Открыть"), QStringLiteral("btnOpen"), &TfmNotes::Open);
    add(tr("Сохранить"), QStringLiteral("btnSave"), &TfmNotes::Save);
    btnPlay = add(tr("Прослушать"), QStringLiteral("btnPlay"), &TfmNotes::Play);
    add(tr("Очистить"), QStringLiteral("btnClear"), &TfmNotes::ClearText);
    tools->addStretch(1);

    QDialogButtonBox *buttons = OkCancelButtons(*this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mmNotes, 1);
    layout->addLayout(tools);
    layout->addWidget(buttons);
    resize(480, 320);
}

bool TfmNotes::Execute(TNotes &notes, const QString &text)
{
    Start(notes, text);
    return exec() == QDialog::Accepted;
}

void TfmNotes::Start(TNotes &notes, const QString &text)
{
    FNotes = &notes;
    mmNotes->setPlainText(text);
    mmNotes->setFocus();
}

QString TfmNotes::Text() const
{
    return mmNotes->toPlainText();
}

void TfmNotes::LoadFile(const QString &fileName)
{
    QString text = FromWin1251(ReadFileBounded(fileName, kMelodyFileLimit));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    mmNotes->setPlainText(text);
}

void TfmNotes::SaveFile(const QString &fileName) const
{
    QByteArray bytes;
    const QString text = Text();
    for (const QString &line : text.isEmpty() ? QStringList() : text.split(u'\n'))
        bytes += ToWin1251(line) + "\r\n";
    WriteFileAtomically(fileName, bytes);
}

void TfmNotes::accept()
{
    CommandGuard::RunCommand(this, [this] {
        // Parsed aside first: a text that fails half way leaves the caller's
        // melody as it was.
        TNotes parsed;
        parsed.SetText(Text());
        if (FNotes)
            FNotes->Assign(parsed);
        QDialog::accept();
    });
}

void TfmNotes::Open()
{
    const TFileChoice choice = ChooseOpenFile(this, MelodyFileOptions());
    if (!choice.Cancelled())
        LoadFile(choice.FileName);
}

void TfmNotes::Save()
{
    const TFileChoice choice = ChooseSaveFile(this, MelodyFileOptions());
    if (!choice.Cancelled())
        SaveFile(choice.FileName);
}

void TfmNotes::Play()
{
    PlayMelodyFromButton(FManager, *btnPlay, Text());
}

void TfmNotes::ClearText()
{
    mmNotes->clear();
}
