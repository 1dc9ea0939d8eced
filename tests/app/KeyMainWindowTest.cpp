#include "MainWindowFixture.h"

#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "keys/fmuKeyDlg.h"

#include <QAction>
#include <QMenuBar>
#include <QMdiArea>
#include <QMdiSubWindow>

// The main window reaches the key dialog by "Свойства клавиши" and keeps it
// on the active document.
class KeyMainWindowTest : public QObject {
    Q_OBJECT

    TScriptedPrompts FPrompts;

private slots:
    void theKeyDialogFollowsTheActiveDocument()
    {
        TProgramFolder folder;
        TfmMain window(folder.Options(FPrompts));
        window.show();
        // The dialog is built when first needed, not at the start.
        QVERIFY(!window.findChild<TfmKeyDlg *>(QStringLiteral("fmKeyDlg")));
        QAction *editKey = window.Actions().actEditKey;
        QCOMPARE(editKey->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
        QCOMPARE(editKey->iconText(), QStringLiteral("Клавиша"));
        QVERIFY(!editKey->isEnabled());

        window.Actions().actFileNew->trigger();
        TfmDoc *first = window.Documents().Active();
        QVERIFY(editKey->isEnabled());
        editKey->trigger();
        auto *dialog = window.findChild<TfmKeyDlg *>(QStringLiteral("fmKeyDlg"));
        QVERIFY(dialog);
        QCOMPARE(dialog->Document(), &first->Document());
        QVERIFY(dialog->isVisible());
        // It first shows inside the main window's right part, clear of the
        // menus and of the grid's first columns.
        const QRect frame = window.frameGeometry();
        QVERIFY(frame.contains(dialog->frameGeometry().topLeft()));
        QVERIFY(dialog->frameGeometry().top() > window.menuBar()->geometry().bottom());
        QVERIFY(dialog->frameGeometry().left() > frame.left() + frame.width() / 4);

        window.Actions().actFileNew->trigger();
        TfmDoc *second = window.Documents().Active();
        QVERIFY(second != first);
        QCOMPARE(dialog->Document(), &second->Document());
        window.Area().setActiveSubWindow(window.Documents().Frame(first));
        QCOMPARE(dialog->Document(), &first->Document());

        // The document window's own "Клавиша" reaches the same dialog.
        dialog->hide();
        second->findChild<QAction *>(QStringLiteral("acKey"))->trigger();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->Document(), &second->Document());

        QVERIFY(window.Documents().CloseAll());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QVERIFY(!dialog->isVisible());
        QVERIFY(!dialog->Document());
    }
};

QTEST_MAIN(KeyMainWindowTest)
#include "KeyMainWindowTest.moc"
