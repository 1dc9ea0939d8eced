#include "MainWindowFixture.h"

#include "common/ActionRegistry.h"
#include "document/DocumentWindows.h"
#include "document/LayoutDocument.h"
#include "main/FileCommands.h"
#include "main/WindowLayoutStore.h"
#include "main/fmuMessageWindow.h"
#include "model/Layout.h"
#include "settings/IniFile.h"
#include "settings/SettingsManager.h"

#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QSignalSpy>
#include <QMdiSubWindow>
#include <QToolBar>

// The main window driven as the user drives it: its commands, their states,
// the files it opens and saves, its shut-down and what it keeps for the next
// start.
class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TfmMain> MakeMain() { return ShowMain(*FFolder, FPrompts); }
    static TfmDoc *Active(const TfmMain &window) { return window.Documents().Active(); }
    static void WaitForDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); QCoreApplication::processEvents(); }

    std::unique_ptr<TProgramFolder> FFolder;
    TScriptedPrompts FPrompts;

private slots:
    void init() { FFolder = std::make_unique<TProgramFolder>(); }

    void captionAndDocumentCommandsFollowTheActiveDocument()
    {
        auto window = MakeMain();
        QVERIFY(window->windowTitle().startsWith(QStringLiteral("Ravlin ")));
        QCOMPARE(window->windowTitle().count(u'.'), 3);
        const TMainActions &a = window->Actions();
        QVERIFY(a.actFileNew->isEnabled());
        QVERIFY(!a.actFileSave->isEnabled());
        QVERIFY(!a.actEditCheck->isEnabled());
        QVERIFY(!a.actLayers[1]->isEnabled());
        // A document command reached without a document (its keys) says so.
        QString error;
        AnswerMessageBox(QMessageBox::Ok, &error);
        a.actEditSelectAll->setEnabled(true);
        a.actEditSelectAll->trigger();
        QCOMPARE(error, QStringLiteral("Нет активного документа"));

        // A two-layer model: layers 3 and 4 stay disabled.
        window->Manager().Settings().SetKeyboardID(2);
        a.actFileNew->trigger();
        TfmDoc *first = Active(*window);
        QVERIFY(first);
        QCOMPARE(first->Caption(), QStringLiteral("Раскладка1"));
        QVERIFY2(a.actFileSave->isEnabled(), "a new document has no file yet");
        QVERIFY(a.actLayers[2]->isEnabled());
        QVERIFY(!a.actLayers[3]->isEnabled());
        QVERIFY(a.actLayers[0]->isChecked());
        QVERIFY(a.actViewLayout->isChecked());
        QVERIFY(!a.actEditGroup->isEnabled());

        // Layer and view mode commands act on the document and are checked.
        a.actLayers[2]->trigger();
        QCOMPARE(first->ShownLayer(), 2);
        QVERIFY(a.actLayers[2]->isChecked() && !a.actLayers[0]->isChecked());
        a.actViewSimplified->trigger();
        QCOMPARE(first->ViewMode(), int(vmSimplified));
        QCOMPARE(int(window->Manager().Settings().ViewMode()), int(vmSimplified));
        a.actEditSelectAll->trigger();
        QVERIFY2(a.actEditGroup->isEnabled(), "a selection of several cells");

        // A four-layer model in a second window: its own states.
        window->Manager().Settings().SetKeyboardID(1);
        a.actFileNew->trigger();
        TfmDoc *second = Active(*window);
        QVERIFY(second != first);
        QCOMPARE(second->Caption(), QStringLiteral("Раскладка2"));
        QCOMPARE(second->ViewMode(), int(vmSimplified)); // new windows take the stored view mode
        QVERIFY(a.actLayers[4]->isEnabled());
        QVERIFY(a.actLayers[0]->isChecked());
        window->Area().setActiveSubWindow(window->Documents().Frame(first));
        QVERIFY(!a.actLayers[3]->isEnabled());
        QVERIFY(a.actLayers[2]->isChecked());

        // Closing the last document disables the document commands and
        // unchecks the layers.
        a.actFileCloseAll->trigger();
        WaitForDeletes();
        QVERIFY(window->Documents().All().isEmpty());
        for (QAction *action : a.DocumentActions())
            QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
        for (QAction *action : a.actLayers)
            QVERIFY(!action->isChecked());
    }

    void everyCommandIsMadeOnceShownInAMenuAndOwnsItsKeysAlone()
    {
        auto window = MakeMain();
        QHash<QString, int> made;
        QHash<QString, QString> keyOwners;
        QSet<QAction *> inMenus;
        for (QMenu *menu : window->menuBar()->findChildren<QMenu *>())
            for (QAction *action : menu->actions())
                inMenus << action;
        for (QAction *action : window->findChildren<QAction *>()) {
            const QString name = action->objectName();
            if (!TActionRegistry::Names().contains(name))
                continue;
            ++made[name];
            QVERIFY2(inMenus.contains(action) == TActionRegistry::InMenuBar(name),
                     qPrintable(name + QStringLiteral(" is in the menu bar or not as it should")));
            if (action->shortcutContext() != Qt::WindowShortcut)
                continue;
            for (const QKeySequence &keys : action->shortcuts()) {
                const QString owner = keyOwners.value(keys.toString());
                QVERIFY2(owner.isEmpty(), qPrintable(keys.toString() + QStringLiteral(": ") + owner + u' ' + name));
                keyOwners.insert(keys.toString(), name);
            }
        }
        for (const QString &name : TActionRegistry::Names())
            QVERIFY2(made.value(name) == 1, qPrintable(name + QStringLiteral(" made ") + QString::number(made.value(name))));
    }

    void toolbarsKeepTheUsersChoiceAndCaptionsAreStored()
    {
        auto window = MakeMain();
        auto *standard = window->findChild<QToolBar *>(QStringLiteral("tbStandard"));
        QVERIFY(standard && window->findChild<QToolBar *>(QStringLiteral("tbUsb")));
        auto *toggle = window->findChild<QAction *>(QStringLiteral("miToolbarStandard"));
        QCOMPARE(toggle->text(), QStringLiteral("Стандартная"));
        toggle->trigger();
        QVERIFY(standard->isHidden());
        window->Actions().actFileNew->trigger();
        QVERIFY2(standard->isHidden(), "a command update leaves a hidden toolbar hidden");
        QVERIFY(!toggle->isChecked());

        QCOMPARE(standard->toolButtonStyle(), Qt::ToolButtonIconOnly);
        window->Actions().actButtonCaptions->trigger();
        QCOMPARE(standard->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        TIniFile store(FFolder->LayoutStoreFile());
        QVERIFY(store.ReadBool(QStringLiteral("Settings"), QStringLiteral("CaptionChecked"), false));
        window->Documents().CloseAll();
        window->close();
        window.reset();

        auto again = MakeMain();
        QVERIFY(again->Actions().actButtonCaptions->isChecked());
        QVERIFY(again->findChild<QToolBar *>(QStringLiteral("tbStandard"))->isHidden());
    }

    void saveAsOpenAndReopenThroughTheRecentFiles()
    {
        auto window = MakeMain();
        const TMainActions &a = window->Actions();
        a.actFileNew->trigger();
        const QString xml = FFolder->Path(QStringLiteral("first.xml"));
        AnswerFileDialog(xml, 0);
        a.actFileSaveAs->trigger();
        QVERIFY(QFile::exists(xml));
        QCOMPARE(Active(*window)->Caption(), xml);
        QVERIFY2(!a.actFileSave->isEnabled(), "saved and unmodified");

        // A device image: the save registry's 2.10 image (position 2)
        // reopens through the open registry's image format.
        a.actFileNew->trigger();
        const QString image = FFolder->Path(QStringLiteral("second.bin"));
        AnswerFileDialog(image, 2);
        a.actFileSaveAs->trigger();
        // A picture is saved but not remembered.
        const QString picture = FFolder->Path(QStringLiteral("third.emf"));
        AnswerFileDialog(picture, 4);
        a.actFileSaveAs->trigger();
        QVERIFY(QFile::exists(picture));
        QCOMPARE(RecentCaptions(*window),
                 QStringList({QStringLiteral("&1 ") + QDir::toNativeSeparators(image), QStringLiteral("&2 ") + xml}));
        a.actFileCloseAll->trigger();
        WaitForDeletes();

        window->findChild<QAction *>(QStringLiteral("miRecent2"))->trigger();
        QCOMPARE(Active(*window)->Caption(), xml);
        QCOMPARE(RecentCaptions(*window), QStringList({QStringLiteral("&1 ") + xml, QStringLiteral("&2 ") + image}));
        window->findChild<QAction *>(QStringLiteral("miRecent2"))->trigger();
        QCOMPARE(Active(*window)->Document().SaveIndex(), 2); // an image opened from the list saves as an image

        // The list outlives the window: shut down and start again.
        QVERIFY(window->close());
        window.reset();
        TSettingsManager settings(FFolder->Path(QStringLiteral("RavlinApp")));
        QCOMPARE(settings.MRU().Count(), 2);
        QCOMPARE(settings.MRU().Item(0).FormatIndex, 1);
        QCOMPARE(settings.MRU().Item(1).FormatIndex, 0);
        auto again = MakeMain();
        QCOMPARE(RecentCaptions(*again), QStringList({QStringLiteral("&1 ") + image, QStringLiteral("&2 ") + xml}));
    }

    void aFileThatFailsToOpenShowsItsErrorAndStaysInTheList()
    {
        auto window = MakeMain();
        const QString broken = FFolder->Path(QStringLiteral("broken.xml"));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<not a layout");
        file.close();
        QString error;
        AnswerMessageBox(QMessageBox::Ok, &error);
        window->OpenFiles({broken});
        QVERIFY(error.startsWith(QStringLiteral("Неверный формат файла.")) || !error.isEmpty());
        WaitForDeletes();
        QVERIFY(window->Documents().All().isEmpty());
        QCOMPARE(RecentCaptions(*window), QStringList{QStringLiteral("&1 ") + broken});
    }

    void commandLineFilesOpenByTheirExtensionAndImagesSaveAsImages()
    {
        TScriptedPrompts prompts;
        const QString image = FFolder->Path(QStringLiteral("device.bin"));
        const QString xml = FFolder->Path(QStringLiteral("plain.xml"));
        {
            TKeyboardManager manager(FFolder->Options(prompts));
            TLayout layout;
            manager.SetLayoutModel(layout, 4);
            manager.SaveLayout(layout, 2, image);
            manager.SaveLayout(layout, 0, xml);
        }
        auto window = MakeMain();
        window->OpenFiles({image, xml});
        const QList<TfmDoc *> documents = window->Documents().All();
        QCOMPARE(documents.size(), 2);
        QCOMPARE(documents[0]->Document().Layout().KeyboardID(), 4);
        QCOMPARE(documents[1]->Caption(), xml);
        // A file already open comes forward instead of opening twice.
        window->Area().setActiveSubWindow(window->Documents().Frame(documents[0]));
        window->OpenFiles({xml});
        QCOMPARE(window->Documents().All().size(), 2);
        QCOMPARE(Active(*window), documents[1]);
        // Changed and saved again with "Сохранить": still an image.
        window->Area().setActiveSubWindow(window->Documents().Frame(documents[0]));
        documents[0]->Document().ChangeKeyboard(1);
        QVERIFY(window->Actions().actFileSave->isEnabled());
        window->Actions().actFileSave->trigger();
        QFile saved(image);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(!saved.readAll().startsWith("<?xml"));
        TLayout back;
        TKeyboardManager manager(FFolder->Options(prompts));
        manager.OpenLayout(back, 1, image);
        QCOMPARE(back.KeyboardID(), 1);
    }

    void shutDownAsksEveryModifiedDocumentAndCancelStopsIt()
    {
        auto window = MakeMain();
        window->Actions().actFileNew->trigger();
        Active(*window)->Document().ChangeKeyboard(3);
        QString question;
        AnswerMessageBox(QMessageBox::Cancel, &question);
        QVERIFY(!window->close());
        QCOMPARE(question, QStringLiteral("Раскладка [Раскладка1] была изменена. Сохранить?"));
        QVERIFY(window->isVisible());
        QCOMPARE(window->Documents().All().size(), 1);
        QVERIFY2(!QFile::exists(FFolder->SettingsFile()), "nothing is written while the window stays");

        AnswerMessageBox(QMessageBox::No);
        QVERIFY(window->close());
        QVERIFY(QFile::exists(FFolder->SettingsFile()));
        QVERIFY(QFile::exists(FFolder->LayoutStoreFile()));
    }

    void messageWindowPlaceAndHeightOutliveTheWindow()
    {
        auto window = MakeMain();
        window->resize(900, 700);
        TfmMessageWindow &messages = window->MessageWindow();
        QVERIFY2(messages.isHidden(), "first start: no message window");
        // Not docked before, it floats when shown; the user docks it.
        window->Actions().actMessageWindow->trigger();
        QVERIFY(messages.isVisible());
        QVERIFY(messages.isFloating());
        messages.setFloating(false);
        QVERIFY(messages.isVisible());
        QTRY_VERIFY(messages.height() > 2);
        window->resizeDocks({&messages}, {180}, Qt::Vertical);
        QTRY_VERIFY(qAbs(messages.height() - 180) < 10);
        const int height = messages.height();
        QVERIFY(window->close());
        window.reset();
        {
            TSettingsManager settings(FFolder->Path(QStringLiteral("RavlinApp")));
            QVERIFY(settings.MessageFormDocked());
            QCOMPARE(settings.DockPanelHeight(), height);
        }

        auto again = MakeMain();
        again->resize(900, 700);
        TfmMessageWindow &restored = again->MessageWindow();
        QVERIFY(restored.isVisible());
        QVERIFY(!restored.isFloating());
        QTRY_VERIFY2(qAbs(restored.height() - height) < 10, qPrintable(QStringLiteral("%1 %2").arg(restored.height()).arg(height)));
        // Closed with the menu command: the next start shows none.
        again->Actions().actMessageWindow->trigger();
        QVERIFY(restored.isHidden());
        QVERIFY(again->close());
        again.reset();
        auto third = MakeMain();
        QVERIFY(third->MessageWindow().isHidden());
    }

    void messageLinesBringUpTheirDocument()
    {
        auto window = MakeMain();
        const TMainActions &a = window->Actions();
        a.actFileNew->trigger();
        TfmDoc *first = Active(*window);
        a.actFileNew->trigger();
        const int tag = int(first->Document().Layout().InstanceNumber());
        emit window->MessageWindow().goToMessage(QStringLiteral("[Поиск] Слой 1. Клавиша (2,3)."), tag);
        QCOMPARE(Active(*window), first);
        QCOMPARE(first->Document().Layout().Selection().Left, 3);
        QCOMPARE(first->Document().Layout().Selection().Top, 2);
    }

    // Switching between document windows tells each layout that its window
    // became active or inactive (the key and picture windows follow that).
    void documentsHearTheirActivation()
    {
        QList<int> firstKinds; // outlives the window, which notifies as it closes
        auto window = MakeMain();
        const TMainActions &a = window->Actions();
        a.actFileNew->trigger();
        TfmDoc *first = Active(*window);
        connect(&first->Document(), &TLayoutDocument::changed, this, [&](int kind) { firstKinds << kind; });
        a.actFileNew->trigger();
        QVERIFY(firstKinds.contains(int(lcDeactivated)));
        firstKinds.clear();
        window->findChild<QMdiArea *>()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
        QCOMPARE(Active(*window), first);
        QVERIFY(firstKinds.contains(int(lcActivated)));
    }

    // The document list's two signals: another active window (or none) once
    // per change; the active window's state on every edit, without a change
    // of window.
    void theDocumentListTellsActiveChangesOnceAndStateChangesOnEveryEdit()
    {
        auto window = MakeMain();
        const TMainActions &a = window->Actions();
        a.actFileNew->trigger();
        TfmDoc *first = Active(*window);
        a.actFileNew->trigger();
        QList<TfmDoc *> active;
        connect(&window->Documents(), &TDocumentWindows::activeChanged, this,
                [&active](TfmDoc *document) { active << document; });
        QSignalSpy state(&window->Documents(), &TDocumentWindows::activeStateChanged);

        window->Documents().Activate(first);
        QCOMPARE(active, QList<TfmDoc *>{first});
        active.clear();
        state.clear();
        a.actEditSelectAll->trigger();
        QVERIFY(state.count() >= 1);
        QVERIFY(active.isEmpty());

        a.actFileCloseAll->trigger();
        QTRY_VERIFY(!active.isEmpty() && active.last() == nullptr);
    }

    void printsIntoAPdfFileWithoutPrinters()
    {
        auto window = MakeMain();
        window->Actions().actFileNew->trigger();
        const QString pdf = FFolder->Path(QStringLiteral("layout.pdf"));
        AnswerFileDialog(pdf);
        window->Actions().actFilePrint->trigger();
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY(bytes.size() > 1000);
    }

    void garbageSettingsAndLayoutStoreGiveDefaults()
    {
        QByteArray garbage;
        for (int i = 0; i < 20000; ++i)
            garbage += char((i * 7919) % 256);
        garbage += "\n[Settings]\nPlacement=!!!\nToolbars=AAAA\nCaptionChecked=yes\n[SETTINGS]\nViewMode=x\n[MRU]\nFile0";
        for (const QString &name : {FFolder->SettingsFile(), FFolder->LayoutStoreFile()}) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(garbage);
        }
        auto window = MakeMain();
        QVERIFY(!window->Actions().actButtonCaptions->isChecked());
        QCOMPARE(int(window->Manager().Settings().ViewMode()), 0);
        QVERIFY(RecentCaptions(*window).isEmpty());
        QVERIFY(window->MessageWindow().isHidden());
        QVERIFY(window->width() >= 430 && window->height() >= 360);
        QVERIFY(window->close());
        TWindowLayoutStore store(FFolder->LayoutStoreFile());
        store.Load();
        QVERIFY(!store.Placement.isEmpty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
