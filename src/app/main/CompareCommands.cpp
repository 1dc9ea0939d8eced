#include "main/CompareCommands.h"

#include "catalogue/Keyboards.h"
#include "common/ActionRegistry.h"
#include "common/FileDialogs.h"
#include "common/MessageLink.h"
#include "device/KeyboardManager.h"
#include "document/KeyGrid.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "model/Layout.h"
#include "model/LayoutDiff.h"

#include <QAction>
#include <QSet>

TCompareCommands::TCompareCommands(TKeyboardManager &manager, TMessageLink &messages, QWidget &window)
    : TDocumentFollower(&window), FManager(manager), FMessages(messages), FWindow(window)
{
    FWithFile = TActionRegistry::MakeCommand(u"actEditCompareFile", this, window, [this] { CompareWithFile(); });
    FWithKeyboard =
        TActionRegistry::MakeCommand(u"actEditCompareKeyboard", this, window, [this] { CompareWithKeyboard(); });
}

void TCompareCommands::SetEnabled(bool enabled)
{
    FWithFile->setEnabled(enabled);
    FWithKeyboard->setEnabled(enabled);
}

void TCompareCommands::CompareWithFile()
{
    TfmDoc &document = ActiveOrFail();
    TFileDialogOptions options;
    options.Filter = FManager.OpenFilter();
    options.Folder = FManager.LastFolder();
    const TFileChoice choice = ChooseOpenFile(&FWindow, options);
    if (choice.Cancelled())
        return;
    TLayout other;
    FManager.OpenLayout(other, choice.FilterIndex, choice.FileName);
    ShowDifferences(document, other);
}

void TCompareCommands::CompareWithKeyboard()
{
    TfmDoc &document = ActiveOrFail();
    TLayout other;
    FManager.ReadLayout(other);
    ShowDifferences(document, other);
}

void TCompareCommands::ShowDifferences(TfmDoc &document, const TLayout &other)
{
    const TLayout &layout = document.Document().Layout();
    const TKeyboards &keyboards = FManager.Keyboards();
    const QList<TLayoutDifference> differences = CompareLayouts(layout, other, [&keyboards](int id) {
        const TKeyboard *keyboard = keyboards.FindByID(id);
        return keyboard ? keyboard->ClassName : QString::number(id);
    });
    const int tag = int(layout.InstanceNumber());
    FMessages.ClearMessages();
    QSet<QPoint> cells;
    for (const TLayoutDifference &difference : differences) {
        FMessages.AddMessage(difference.Text(), tag);
        if (difference.Col >= 0)
            cells << QPoint(difference.Col + 1, difference.Row + 1);
    }
    if (differences.isEmpty())
        FMessages.AddMessage(tr("[Сравнение] Различий нет."), tag);
    FMessages.ShowMessages();
    document.Grid().SetMarkedCells(cells);
}
