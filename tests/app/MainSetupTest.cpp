#include "MainWindowFixture.h"
#include "WizTestFixture.h"

#include "dialogs/fmuProps.h"
#include "document/LayoutDocument.h"
#include "model/Layout.h"
#include "settings/SettingsManager.h"
#include "wizard/fmuWizardMain.h"

#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>

namespace {

QStringList Captions(const QList<QAction *> &actions)
{
    QStringList captions;
    for (const QAction *action : actions)
        if (!action->isSeparator())
            captions << action->text();
    return captions;
}

QAction *Command(QWidget &window, const char *name)
{
    return window.findChild<QAction *>(QString::fromLatin1(name));
}

} // namespace

// The wizard, settings and layout properties commands in the main window,
// and the wizard of the first start.
class MainSetupTest : public QObject {
    Q_OBJECT

    TScriptedPrompts FPrompts;

private slots:
    void initTestCase() { QApplication::setApplicationDisplayName(QStringLiteral("Ravlin")); }

    void firstStartOpensTheWizardOnceAndNotAgain()
    {
        TProgramFolder folder;
        int wizards = 0;
        {
            TfmMain window(folder.Options(FPrompts));
            window.show();
            window.PostStartRequests();
            QVERIFY2(!window.Manager().Settings().FirstRun(), "cleared at the start");
            QVERIFY2(!QFile::exists(folder.SettingsFile()), "in memory only");
            WhenModal<TfmWizardMain>([&wizards](TfmWizardMain &wizard) {
                ++wizards;
                auto *option = wizard.findChild<QRadioButton *>(QStringLiteral("rbList"));
                option->setChecked(true);
                auto *models = wizard.findChild<QListWidget *>(QStringLiteral("lbModels"));
                models->setCurrentItem(
                    models->findItems(QStringLiteral("Остров-40"), Qt::MatchExactly).front());
                auto *next = wizard.findChild<QPushButton *>(QStringLiteral("btnNext"));
                next->click();
                next->click();
            });
            QTRY_COMPARE(wizards, 1);
            TfmDoc *document = window.Documents().Active();
            QVERIFY(document);
            QCOMPARE(document->Document().Layout().KeyboardID(), 5);
            QVERIFY(!document->Document().IsModified());
            QCOMPARE(document->Caption(), QStringLiteral("Раскладка1"));
            QVERIFY(window.close());
        }
        QVERIFY(QFile::exists(folder.SettingsFile()));

        TfmMain again(folder.Options(FPrompts));
        again.show();
        again.PostStartRequests();
        WhenModal<TfmWizardMain>([&wizards](TfmWizardMain &) { ++wizards; });
        QTest::qWait(200);
        QCOMPARE(wizards, 1);
        QVERIFY(again.Documents().All().isEmpty());
    }

    void commandsSitInTheirMenusAndToolbar()
    {
        TProgramFolder folder;
        TfmMain window(folder.Options(FPrompts));
        window.show();
        QStringList menus;
        for (QAction *action : window.menuBar()->actions())
            menus << action->text();
        QCOMPARE(menus.indexOf(QStringLiteral("&Настройки")), menus.indexOf(QStringLiteral("&Окно")) - 1);
        QCOMPARE(Captions(window.findChild<QMenu *>(QStringLiteral("miSettings"))->actions()),
                 QStringList{QStringLiteral("Настройки приложения...")});

        QAction *wizard = Command(window, "actFileWizard");
        QCOMPARE(wizard->shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+N")));
        const QStringList file = Captions(window.findChild<QMenu *>(QStringLiteral("miFile"))->actions());
        QCOMPARE(file.indexOf(wizard->text()), file.indexOf(QStringLiteral("Создать")) + 1);

        QAction *properties = Command(window, "actLayoutProperties");
        QVERIFY(window.findChild<QMenu *>(QStringLiteral("miEdit"))->actions().contains(properties));
        QVERIFY(window.findChild<QToolBar *>(QStringLiteral("tbLayout"))->actions().contains(properties));
        QVERIFY2(!properties->isEnabled(), "no document");
        window.Actions().actFileNew->trigger();
        QVERIFY(properties->isEnabled());
    }

    void documentToolbarAndF11OpenTheProperties()
    {
        TProgramFolder folder;
        TfmMain window(folder.Options(FPrompts));
        window.show();
        window.Actions().actFileNew->trigger();
        TfmDoc *document = window.Documents().Active();
        const QList<QAction *> ways = {document->findChild<QAction *>(QStringLiteral("acLayout")),
                                       Command(window, "actLayoutProperties")};
        const QList<int> models = {3, 4};
        for (int i = 0; i < ways.size(); ++i) {
            const int model = models[i];
            WhenModal<TfmProps>([model](TfmProps &dialog) {
                auto *list = dialog.findChild<QListWidget *>(QStringLiteral("lbModels"));
                for (int row = 0; row < list->count(); ++row)
                    if (list->item(row)->data(Qt::UserRole).toInt() == model)
                        list->setCurrentRow(row);
                dialog.accept();
            });
            ways[i]->trigger();
            QCOMPARE(document->Document().Layout().KeyboardID(), model);
        }
        QVERIFY(window.Actions().actFileSave->isEnabled());
        AnswerMessageBox(QMessageBox::No);
        QVERIFY(window.close());
    }
};

QTEST_MAIN(MainSetupTest)
#include "MainSetupTest.moc"
