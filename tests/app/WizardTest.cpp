#include "WizTestFixture.h"

#include "catalogue/Keyboards.h"
#include "wizard/LayoutWizard.h"
#include "wizard/fmuWizardMain.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// The wizard dialog and its controls, shown.
struct TWizard {
    explicit TWizard(TKeyboardManager &manager) : Dialog(manager)
    {
        Dialog.show();
        Next = Dialog.findChild<QPushButton *>(QStringLiteral("btnNext"));
        Prev = Dialog.findChild<QPushButton *>(QStringLiteral("btnPrev"));
        Cancel = Dialog.findChild<QPushButton *>(QStringLiteral("btnCancel"));
    }

    int Index() const { return Dialog.Wizard().Index(); }
    QString Title() const { return Dialog.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(); }
    QString Result() const { return Dialog.findChild<QLabel *>(QStringLiteral("lblResult"))->text(); }
    QListWidget *List(const char *name) const
    {
        return Dialog.findChild<QListWidget *>(QString::fromLatin1(name));
    }
    QStringList Names(const char *list) const
    {
        QStringList names;
        for (int i = 0; i < List(list)->count(); ++i)
            names << List(list)->item(i)->text();
        return names;
    }
    // Clicks the option "Выбрать модель из списка" on its button.
    void ChooseFromList()
    {
        auto *option = Dialog.findChild<QRadioButton *>(QStringLiteral("rbList"));
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    }
    int Candidates() { return Dialog.Wizard().Pages().Candidates().Count(); }
    QLabel *Problem() const { return Dialog.findChild<QLabel *>(QStringLiteral("lblProblem")); }

    TfmWizardMain Dialog;
    QPushButton *Next;
    QPushButton *Prev;
    QPushButton *Cancel;
};

} // namespace

// The new-layout wizard against the emulated keyboard: the model picked from
// the list, or detected with one, two or no matching descriptions, or no
// keyboard at all.
class WizardTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setApplicationDisplayName(QStringLiteral("Ravlin")); }

    void firstPageListsTheModelsWithTheDefaultSelected()
    {
        TWizEnvironment environment(4);
        TWizard wizard(*environment.Manager);
        QCOMPARE(wizard.Dialog.windowTitle(), QStringLiteral("Создание новой раскладки"));
        QCOMPARE(wizard.Index(), 0);
        QCOMPARE(wizard.Title(), QStringLiteral("   Выбор модели клавиатуры"));
        QCOMPARE(wizard.Names("lbModels").size(), environment.Manager->Keyboards().Count());
        QCOMPARE(wizard.List("lbModels")->currentItem()->text(), QStringLiteral("КП-64"));
        QVERIFY(!wizard.List("lbModels")->isEnabled());
        QVERIFY(wizard.Dialog.findChild<QRadioButton *>(QStringLiteral("rbDetect"))->isChecked());
        QVERIFY(wizard.Problem()->isHidden());
        QCOMPARE(wizard.Next->text(), QStringLiteral("Далее >"));
        QVERIFY(wizard.Next->isEnabled());
        QVERIFY(!wizard.Prev->isEnabled());
        QVERIFY(wizard.Cancel->isVisible());
    }

    void listChoiceSkipsTheSecondPage()
    {
        TWizEnvironment environment(0);
        TWizard wizard(*environment.Manager);
        wizard.ChooseFromList();
        QVERIFY(wizard.List("lbModels")->isEnabled());
        wizard.List("lbModels")->setCurrentRow(wizard.Names("lbModels").indexOf(QStringLiteral("Сектор-48")));
        QTest::mouseClick(wizard.Next, Qt::LeftButton);

        QCOMPARE(wizard.Index(), 2);
        QCOMPARE(wizard.Candidates(), 0);
        QCOMPARE(wizard.Title(), QStringLiteral("   Раскладка создана"));
        QCOMPARE(wizard.Result(),
                 QStringLiteral("Раскладка для клавиатуры модели Сектор-48 была успешно создана"));
        QCOMPARE(wizard.Next->text(), QStringLiteral("Готово"));
        QVERIFY(wizard.Next->isEnabled());
        QCOMPARE(wizard.Dialog.focusWidget(), wizard.Next);
        QVERIFY(!wizard.Cancel->isVisible());
        QVERIFY(wizard.Prev->isEnabled());

        QTest::mouseClick(wizard.Next, Qt::LeftButton);
        QCOMPARE(wizard.Dialog.result(), int(QDialog::Accepted));
        QCOMPARE(wizard.Dialog.Wizard().Keyboard().ID, 4);
    }

    void enterInTheListMovesOn()
    {
        TWizEnvironment environment(0);
        TWizard wizard(*environment.Manager);
        wizard.ChooseFromList();
        QTest::keyClick(wizard.List("lbModels"), Qt::Key_Return);
        QCOMPARE(wizard.Index(), 2);
        QCOMPARE(wizard.Result(),
                 QStringLiteral("Раскладка для клавиатуры модели КП-64 была успешно создана"));
    }

    void twoMatchesShowTheSecondPageAndGoingBackEmptiesThem()
    {
        TWizEnvironment environment(5);
        QVERIFY(environment.Started);
        TWizard wizard(*environment.Manager);
        QTest::mouseClick(wizard.Next, Qt::LeftButton);
        QCOMPARE(wizard.Index(), 1);
        QCOMPARE(wizard.Title(), QStringLiteral("   "));
        QCOMPARE(wizard.Names("lbCandidates"),
                 QStringList({QStringLiteral("Остров-40"), QStringLiteral("Остров-40 с ключом")}));
        QCOMPARE(wizard.List("lbCandidates")->currentRow(), 0);
        QVERIFY(wizard.Prev->isEnabled());
        QCOMPARE(wizard.Next->text(), QStringLiteral("Далее >"));

        QTest::mouseClick(wizard.Prev, Qt::LeftButton);
        QCOMPARE(wizard.Index(), 0);
        QCOMPARE(wizard.Candidates(), 0);

        QTest::mouseClick(wizard.Next, Qt::LeftButton);
        QCOMPARE(wizard.Index(), 1);
        wizard.List("lbCandidates")->setCurrentRow(1);
        QTest::mouseClick(wizard.Next, Qt::LeftButton);
        QCOMPARE(wizard.Index(), 2);
        QCOMPARE(wizard.Result(),
                 QStringLiteral("Раскладка для клавиатуры модели Остров-40 с ключом была успешно создана"));
        // Back from the result goes to the choice between the two, which
        // starts again at the first.
        QTest::mouseClick(wizard.Prev, Qt::LeftButton);
        QCOMPARE(wizard.Index(), 1);
        QCOMPARE(wizard.List("lbCandidates")->currentRow(), 0);
        wizard.List("lbCandidates")->setCurrentRow(1);
        QTest::mouseClick(wizard.Next, Qt::LeftButton);
        QTest::mouseClick(wizard.Next, Qt::LeftButton);
        QCOMPARE(wizard.Dialog.result(), int(QDialog::Accepted));
        QCOMPARE(wizard.Dialog.Wizard().Keyboard().ID, 6);
    }

    void oneMatchGoesStraightToTheResult()
    {
        TWizEnvironment environment(4);
        QVERIFY(environment.Started);
        TWizard wizard(*environment.Manager);
        QTest::mouseClick(wizard.Next, Qt::LeftButton);
        QCOMPARE(wizard.Index(), 2);
        QCOMPARE(wizard.Candidates(), 1);
        QCOMPARE(wizard.Result(),
                 QStringLiteral("Раскладка для клавиатуры модели Сектор-48 была успешно создана"));
        QVERIFY(wizard.Next->isEnabled());
        // The second page takes no part on the way back either.
        QTest::mouseClick(wizard.Prev, Qt::LeftButton);
        QCOMPARE(wizard.Index(), 0);
    }

    void noMatchKeepsFinishDisabledUntilAModelIsPicked()
    {
        TWizEnvironment environment(3, {QStringLiteral("KP_64.xml"), QStringLiteral("Sektor_48.xml")});
        QVERIFY(environment.Started);
        TWizard wizard(*environment.Manager);
        QTest::mouseClick(wizard.Next, Qt::LeftButton);
        QCOMPARE(wizard.Index(), 2);
        QCOMPARE(wizard.Title(), QStringLiteral("   Модель клавиатуры не найдена"));
        QVERIFY(wizard.Result().contains(QStringLiteral("код модели 3")));
        QCOMPARE(wizard.Next->text(), QStringLiteral("Готово"));
        QVERIFY(!wizard.Next->isEnabled());
        QVERIFY(!wizard.Dialog.Wizard().Pages().HasKeyboard());

        QTest::mouseClick(wizard.Prev, Qt::LeftButton);
        wizard.ChooseFromList();
        QTest::mouseClick(wizard.Next, Qt::LeftButton);
        QCOMPARE(wizard.Title(), QStringLiteral("   Раскладка создана"));
        QVERIFY(wizard.Next->isEnabled());
        QTest::mouseClick(wizard.Next, Qt::LeftButton);
        QCOMPARE(wizard.Dialog.Wizard().Keyboard().ID, 1);
    }

    // Without a driver socket the wizard starts on the list and says why;
    // a detection asked for anyway fails on the page itself, which stays.
    void withoutKeyboardTheFirstPageExplainsAndOffersTheList()
    {
        TWizEnvironment environment(0);
        TWizard wizard(*environment.Manager);
        auto *list = wizard.Dialog.findChild<QRadioButton *>(QStringLiteral("rbList"));
        QVERIFY(list->isChecked());
        QVERIFY(wizard.List("lbModels")->isEnabled());
        QVERIFY(wizard.Problem()->isVisible());
        QVERIFY(wizard.Problem()->text().startsWith(
            QStringLiteral("Клавиатура не найдена: нет сокета драйвера PS/2 %1.\nВыберите модель из списка.")
                .arg(environment.FilePath(QStringLiteral("kbd")))));

        QTest::mouseClick(wizard.Dialog.findChild<QRadioButton *>(QStringLiteral("rbDetect")), Qt::LeftButton, {},
                          QPoint(6, list->height() / 2));
        QTest::mouseClick(wizard.Next, Qt::LeftButton);
        QCOMPARE(wizard.Index(), 0);
        QVERIFY(wizard.Problem()->text().startsWith(
            QStringLiteral("Модель не определена: драйвер для доступа к клавиатуре не установлен.\n")));
        QVERIFY(list->isChecked());
        QVERIFY(wizard.Next->isEnabled());
        QVERIFY(!wizard.Prev->isEnabled());

        QTest::keyClick(wizard.Next, Qt::Key_Return);
        QCOMPARE(wizard.Index(), 2);
        QCOMPARE(wizard.Result(),
                 QStringLiteral("Раскладка для клавиатуры модели КП-64 была успешно создана"));
    }

    void runningTheWizardCopiesTheModelOnlyOnOK()
    {
        TWizEnvironment environment(4);
        TKeyboard keyboard;
        WhenModal<TfmWizardMain>([](TfmWizardMain &dialog) { dialog.reject(); });
        QVERIFY(!RunLayoutWizard(*environment.Manager, keyboard));
        QCOMPARE(keyboard.ID, 0);

        WhenModal<TfmWizardMain>([](TfmWizardMain &dialog) {
            QPushButton *next = dialog.findChild<QPushButton *>(QStringLiteral("btnNext"));
            next->click();
            next->click();
        });
        QVERIFY(RunLayoutWizard(*environment.Manager, keyboard));
        QCOMPARE(keyboard.ID, 4);
        QCOMPARE(keyboard.KeyCount(), environment.Manager->Keyboards().ByID(4).KeyCount());
    }
};

QTEST_MAIN(WizardTest)
#include "WizardTest.moc"
