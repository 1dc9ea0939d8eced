#include "MainWindowFixture.h"

#include "main/MainActions.h"
#include "preview/fmuPreview.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QToolBar>

// The device windows, the print preview and the help sit in the main
// window's menus and toolbars, and the open preview puts the toolbars and
// the document commands away until it closes.
class MainWindowCommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TProgramFolder> FFolder;
    TScriptedPrompts FPrompts;

    static QAction *Find(const QWidget &window, const char *name)
    {
        return window.findChild<QAction *>(QLatin1String(name));
    }

    static QStringList Captions(const QWidget *holder)
    {
        QStringList captions;
        for (const QAction *action : holder->actions())
            captions << (action->isSeparator() ? QStringLiteral("|") : action->text());
        return captions;
    }

private slots:
    void init() { FFolder = std::make_unique<TProgramFolder>(); }

    void commandsSitInTheirMenusAndToolbars()
    {
        TfmMain window(FFolder->Options(FPrompts));
        const QStringList device = Captions(window.menuBar()->findChild<QMenu *>(QStringLiteral("miDevice")));
        QCOMPARE(device.mid(0, 3), QStringList({QStringLiteral("Информация об устройстве"),
                                                QStringLiteral("Тест клавиатуры..."), QStringLiteral("|")}));
        QVERIFY(device.contains(QStringLiteral("Установить драйвер клавиатуры")));
        QVERIFY(device.contains(QStringLiteral("Удалить драйвер клавиатуры")));
        QVERIFY(!Find(window, "miInstallDrv")->isEnabled());
        const QStringList file = Captions(window.menuBar()->findChild<QMenu *>(QStringLiteral("miFile")));
        QCOMPARE(file.at(file.indexOf(QStringLiteral("Печать...")) - 1),
                 QStringLiteral("Предварительный просмотр"));
        QCOMPARE(Captions(window.menuBar()->findChild<QMenu *>(QStringLiteral("miHelp"))),
                 QStringList({QStringLiteral("Вызов справки..."), QStringLiteral("Поддерживаемые устройства..."),
                              QStringLiteral("Проверить обновления..."), QStringLiteral("О программе...")}));
        QStringList toolbar;
        for (const QAction *action : window.findChild<QToolBar *>(QStringLiteral("tbDevice"))->actions())
            toolbar << action->iconText();
        QCOMPARE(toolbar.mid(0, 2), QStringList({QStringLiteral("Информация"), QStringLiteral("Тест")}));
        QVERIFY(window.findChild<QToolBar *>(QStringLiteral("tbStandard"))
                    ->actions()
                    .contains(Find(window, "actFilePreview")));
    }

    void previewPutsToolbarsAndDocumentCommandsAway()
    {
        TfmMain window(FFolder->Options(FPrompts));
        window.show();
        const TMainActions &a = window.Actions();
        auto *layers = window.findChild<QToolBar *>(QStringLiteral("tbLayer"));
        layers->hide();
        QAction *preview = Find(window, "actFilePreview");
        a.actFileNew->trigger();
        QVERIFY2(!preview->isEnabled(), "the layout view has no preview");
        a.actViewPicture->trigger();
        QVERIFY(preview->isEnabled());

        preview->trigger();
        auto *shown = window.findChild<TfmPreview *>();
        QVERIFY(shown);
        QCOMPARE(window.Area().currentSubWindow()->widget(), shown);
        for (const QToolBar *bar : window.findChildren<QToolBar *>(Qt::FindDirectChildrenOnly))
            QVERIFY2(bar->isHidden(), qPrintable(bar->objectName()));
        QVERIFY(!a.actFileSave->isEnabled());
        QVERIFY(!a.actEditCopy->isEnabled());
        QVERIFY(!a.actFilePrint->isEnabled());
        QVERIFY(!preview->isEnabled());

        shown->findChild<QAction *>(QStringLiteral("actClose"))->trigger();
        QTRY_VERIFY(!window.findChild<TfmPreview *>());
        QVERIFY(window.findChild<QToolBar *>(QStringLiteral("tbStandard"))->isVisible());
        QVERIFY2(layers->isHidden(), "a toolbar the user hid stays hidden");
        QTRY_VERIFY(a.actEditCopy->isEnabled());
        QVERIFY(preview->isEnabled());
    }
};

QTEST_MAIN(MainWindowCommandsTest)
#include "MainWindowCommandsTest.moc"
