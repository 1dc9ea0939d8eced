#include "main/UndoCommands.h"

#include "common/ActionRegistry.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "document/DocumentWindows.h"

#include <QAction>
#include <QCoreApplication>
#include <QDockWidget>
#include <QMainWindow>
#include <QUndoGroup>
#include <QUndoStack>
#include <QUndoView>

namespace {

// The caption of a step command names the step it acts on: "Отменить:
// Вставить", or the command alone when there is no step.
void ShowStepText(QAction &action, const QString &caption, const QString &step)
{
    action.setText(
        step.isEmpty() ? caption : QCoreApplication::translate("TUndoCommands", "%1: %2").arg(caption, step));
}

} // namespace

TUndoCommands::TUndoCommands(TDocumentWindows &documents, QMainWindow &window)
    : TDocumentFollower(&window), FGroup(new QUndoGroup(this))
{
    FUndo = TActionRegistry::Make(u"actEditUndo", FGroup);
    FRedo = TActionRegistry::Make(u"actEditRedo", FGroup);
    connect(FUndo, &QAction::triggered, FGroup, &QUndoGroup::undo);
    connect(FRedo, &QAction::triggered, FGroup, &QUndoGroup::redo);
    connect(FGroup, &QUndoGroup::canUndoChanged, FUndo, &QAction::setEnabled);
    connect(FGroup, &QUndoGroup::canRedoChanged, FRedo, &QAction::setEnabled);
    // The toolbar caption stays the command's own name.
    connect(FGroup, &QUndoGroup::undoTextChanged, this,
            [this](const QString &step) { ShowStepText(*FUndo, FUndo->iconText(), step); });
    connect(FGroup, &QUndoGroup::redoTextChanged, this,
            [this](const QString &step) { ShowStepText(*FRedo, FRedo->iconText(), step); });

    FHistory = new QDockWidget(tr("История"), &window);
    FHistory->setObjectName(QStringLiteral("dkHistory"));
    auto *view = new QUndoView(FGroup, FHistory);
    view->setObjectName(QStringLiteral("lvHistory"));
    view->setEmptyLabel(tr("Исходное состояние"));
    FHistory->setWidget(view);
    window.addDockWidget(Qt::RightDockWidgetArea, FHistory);
    FHistory->hide();
    FHistory->toggleViewAction()->setObjectName(QStringLiteral("actViewHistory"));

    Follow(documents);
}

void TUndoCommands::DocumentCreated(TfmDoc &document)
{
    FGroup->addStack(&document.Document().UndoStack());
}

void TUndoCommands::UndoDocument(TfmDoc *document)
{
    FGroup->setActiveStack(document ? &document->Document().UndoStack() : nullptr);
}
