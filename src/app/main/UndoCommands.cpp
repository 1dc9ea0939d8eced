#include "main/UndoCommands.h"

#include "common/ToolbarIcons.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "document/DocumentWindows.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QUndoGroup>
#include <QUndoStack>
#include <QUndoView>

namespace {

// Makes a command whose caption names the step it acts on: "Отменить:
// Вставить", or the command alone when there is no step.
QAction *MakeStepAction(QUndoGroup &group, const QString &name, const QString &caption, const QString &icon,
                        const QList<QKeySequence> &keys)
{
    auto *action = new QAction(caption, &group);
    action->setObjectName(name);
    action->setIconText(caption);
    action->setIcon(ToolbarIcon(icon));
    action->setShortcuts(keys);
    action->setEnabled(false);
    return action;
}

void ShowStepText(QAction &action, const QString &caption, const QString &step)
{
    action.setText(step.isEmpty() ? caption : caption + QStringLiteral(": ") + step);
}

} // namespace

TUndoCommands::TUndoCommands(TDocumentWindows &documents, QMainWindow &window)
    : TDocumentFollower(&window), FGroup(new QUndoGroup(this))
{
    const QString undo = QStringLiteral("Отменить");
    const QString redo = QStringLiteral("Повторить");
    FUndo = MakeStepAction(*FGroup, QStringLiteral("actEditUndo"), undo, QStringLiteral("undo"),
                           {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    FRedo = MakeStepAction(*FGroup, QStringLiteral("actEditRedo"), redo, QStringLiteral("redo"),
                           {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(FUndo, &QAction::triggered, FGroup, &QUndoGroup::undo);
    connect(FRedo, &QAction::triggered, FGroup, &QUndoGroup::redo);
    connect(FGroup, &QUndoGroup::canUndoChanged, FUndo, &QAction::setEnabled);
    connect(FGroup, &QUndoGroup::canRedoChanged, FRedo, &QAction::setEnabled);
    connect(FGroup, &QUndoGroup::undoTextChanged, this, [this, undo](const QString &step) { ShowStepText(*FUndo, undo, step); });
    connect(FGroup, &QUndoGroup::redoTextChanged, this, [this, redo](const QString &step) { ShowStepText(*FRedo, redo, step); });

    FHistory = new QDockWidget(QStringLiteral("История"), &window);
    FHistory->setObjectName(QStringLiteral("dkHistory"));
    auto *view = new QUndoView(FGroup, FHistory);
    view->setObjectName(QStringLiteral("lvHistory"));
    view->setEmptyLabel(QStringLiteral("Исходное состояние"));
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
