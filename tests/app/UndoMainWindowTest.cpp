#include "KeysTestSupport.h"
#include "MainWindowFixture.h"

#include "document/KeyGrid.h"
#include "document/LayoutDocument.h"
#include "keys/fmuKeyDlg.h"
#include "model/Key.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MasterKey.h"

#include <QClipboard>
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QUndoStack>
#include <QUndoView>

// "Отменить", "Повторить" and the history dock of the main window, the key
// dialog during an undo, and the close question after undoing to the saved
// state.
class UndoMainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TProgramFolder> FFolder;
    TScriptedPrompts FPrompts;

    std::unique_ptr<TfmMain> MakeMain() { return ShowMain(*FFolder, FPrompts); }
    static QAction *Find(const TfmMain &window, const char *name)
    {
        return window.findChild<QAction *>(QString::fromLatin1(name));
    }
    static const TKey &FirstKey(const TfmDoc &document)
    {
        return document.Document().Layout().Layers().Item(0).KeyAtOrFail(0, 0);
    }

private slots:
    void init() { FFolder = std::make_unique<TProgramFolder>(); }
    void cleanup() { FFolder.reset(); }

    void undoAndRedoLeadTheEditMenuAndNameTheStep()
    {
        auto window = MakeMain();
        QAction *undo = Find(*window, "actEditUndo");
        QAction *redo = Find(*window, "actEditRedo");
        QVERIFY(undo && redo);
        const QList<QAction *> edit = window->menuBar()->findChild<QMenu *>(QStringLiteral("miEdit"))->actions();
        QCOMPARE(edit.value(0), undo);
        QCOMPARE(edit.value(1), redo);
        QVERIFY(edit.value(2)->isSeparator());
        QCOMPARE(edit.value(3), window->Actions().actEditCut);
        auto *bar = window->findChild<QToolBar *>(QStringLiteral("tbEdit"));
        QCOMPARE(bar->actions(), (QList<QAction *>{undo, redo}));
        QCOMPARE(window->toolBarArea(bar), Qt::TopToolBarArea);
        QVERIFY(window->toolBarBreak(bar)); // first on the second row
        QCOMPARE(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(redo->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                                         QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("Отменить"));

        window->Actions().actFileNew->trigger();
        TfmDoc *first = window->Documents().Active();
        first->Document().SetSelection({1, 1, 1, 1});
        window->Actions().actEditClear->trigger();
        QVERIFY(!undo->isEnabled()); // an empty key: nothing changed, no step
        QGuiApplication::clipboard()->setText(first->Document().Copy());
        first->Document().SetSelection({2, 2, 2, 2});
        TMasterKey remark;
        remark.Remark().SetValue(QStringLiteral("Итог"));
        first->Document().ChangeKeys(0, TLayoutDocument::TKeyField::Remark, remark);
        window->Actions().actEditSelectAll->trigger();
        window->Actions().actEditPaste->trigger();
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("Отменить: Вставить"));
        QVERIFY(!redo->isEnabled());

        undo->trigger();
        QCOMPARE(undo->text(), QStringLiteral("Отменить: Примечание"));
        QCOMPARE(redo->text(), QStringLiteral("Повторить: Вставить"));
        QVERIFY(redo->isEnabled());
        // The undone paste selects what was selected for it.
        const TLayout &layout = first->Document().Layout();
        QCOMPARE(layout.Selection(), (TRect{1, 1, layout.Columns(), layout.Rows()}));

        // Another document has steps of its own.
        window->Actions().actFileNew->trigger();
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        window->Area().setActiveSubWindow(window->Documents().Frame(first));
        QVERIFY(undo->isEnabled() && redo->isEnabled());
        AnswerMessageBox(QMessageBox::No);
        window->Area().closeAllSubWindows();
    }

    void theHistoryDockIsHiddenAtFirstAndJumpsToAStep()
    {
        auto window = MakeMain();
        auto *dock = window->findChild<QDockWidget *>(QStringLiteral("dkHistory"));
        QVERIFY(dock);
        QVERIFY(!dock->isVisible());
        QCOMPARE(dock->windowTitle(), QStringLiteral("История"));
        QAction *toggle = Find(*window, "actViewHistory");
        QVERIFY(window->menuBar()->findChild<QMenu *>(QStringLiteral("miView"))->actions().contains(toggle));
        toggle->trigger();
        QVERIFY(dock->isVisible());

        window->Actions().actFileNew->trigger();
        TLayoutDocument &document = window->Documents().Active()->Document();
        for (const QString &text : {QStringLiteral("a"), QStringLiteral("b")}) {
            document.SetSelection({1, text == u"a" ? 1 : 2, 1, text == u"a" ? 1 : 2});
            TMasterKey remark;
            remark.Remark().SetValue(text);
            document.ChangeKeys(0, TLayoutDocument::TKeyField::Remark, remark);
        }
        auto *view = dock->findChild<QUndoView *>(QStringLiteral("lvHistory"));
        QCOMPARE(view->model()->rowCount(), 3); // the saved state and two steps
        QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("Исходное состояние"));
        view->setCurrentIndex(view->model()->index(0, 0));
        QCOMPARE(document.UndoStack().index(), 0);
        QVERIFY(!document.IsModified());
        toggle->trigger();
        QVERIFY(!dock->isVisible());
        window->Area().closeAllSubWindows();
    }

    void theKeyDialogShowsTheUndoneValue()
    {
        auto window = MakeMain();
        window->Actions().actFileNew->trigger();
        TfmDoc *document = window->Documents().Active();
        document->Document().SetSelection({1, 1, 1, 1});
        window->Actions().actEditKey->trigger();
        auto *dialog = window->findChild<TfmKeyDlg *>(QStringLiteral("fmKeyDlg"));
        QVERIFY(dialog && dialog->isVisible());
        auto *remark = dialog->findChild<QLineEdit *>(QStringLiteral("edRemark"));
        QTest::keyClicks(remark, QStringLiteral("Total"));
        QCOMPARE(FirstKey(*document).Remark(), QStringLiteral("Total"));
        QCOMPARE(remark->text(), QStringLiteral("Total"));
        QCOMPARE(document->Document().UndoStack().count(), 1);

        Find(*window, "actEditUndo")->trigger();
        QVERIFY(FirstKey(*document).Remark().isEmpty());
        QVERIFY(remark->text().isEmpty());
        Find(*window, "actEditRedo")->trigger();
        QCOMPARE(remark->text(), QStringLiteral("Total"));
        dialog->hide();
        AnswerMessageBox(QMessageBox::No);
        window->Area().closeAllSubWindows();
    }

    void closingAsksExactlyWhenTheLayoutDiffersFromItsFile()
    {
        auto window = MakeMain();
        window->Actions().actFileNew->trigger();
        TfmDoc *document = window->Documents().Active();
        const QString path = FFolder->Path(QStringLiteral("saved.xml"));
        document->Document().SaveAs(path, 0);
        TMasterKey remark;
        remark.Remark().SetValue(QStringLiteral("x"));
        document->Document().ChangeKeys(0, TLayoutDocument::TKeyField::Remark, remark);
        QVERIFY(window->Actions().actFileSave->isEnabled());
        Find(*window, "actEditUndo")->trigger();
        QVERIFY(!window->Actions().actFileSave->isEnabled());

        // Back at the saved state the window closes without a question.
        {
            TBoxRecorder boxes;
            QVERIFY(window->Documents().Frame(document)->close());
            QVERIFY(boxes.Boxes.isEmpty());
        }

        window->OpenFiles({path});
        document = window->Documents().Active();
        document->Document().ChangeKeys(0, TLayoutDocument::TKeyField::Remark, remark);
        auto box = AnswerNextBox(QMessageBox::Cancel);
        QVERIFY(!window->Documents().Frame(document)->close());
        QCOMPARE(box->Text, QStringLiteral("Раскладка [%1] была изменена. Сохранить?").arg(document->Caption()));
        AnswerMessageBox(QMessageBox::No);
        window->Area().closeAllSubWindows();
    }
};

QTEST_MAIN(UndoMainWindowTest)
#include "UndoMainWindowTest.moc"
