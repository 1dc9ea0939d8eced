#include "dialogs/HistoryComboBox.h"
#include "dialogs/fmuFind.h"
#include "dialogs/fmuReplace.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// The find and replace dialogs return the texts entered and keep sorted
// histories without duplicates for as long as they live.
class FindReplaceTest : public QObject {
    Q_OBJECT

    // Runs the dialog; once it is up, types text into each box in turn (the
    // focus starts in the first box) and presses key in the last one.
    static int Run(QDialog &dialog, const QStringList &texts, Qt::Key key = Qt::Key_Return)
    {
        QTimer::singleShot(0, &dialog, [&dialog, texts, key] {
            const auto *first = dialog.findChild<THistoryComboBox *>(QStringLiteral("cbFind"));
            QVERIFY(dialog.focusWidget() == first || dialog.focusWidget() == first->lineEdit());
            for (int i = 0; i < texts.size(); ++i) {
                THistoryComboBox *box = dialog.findChild<THistoryComboBox *>(
                    i == 0 ? QStringLiteral("cbFind") : QStringLiteral("cbReplace"));
                box->lineEdit()->clear();
                QTest::keyClicks(box->lineEdit(), texts[i]);
                if (i + 1 == texts.size())
                    QTest::keyClick(box->lineEdit(), key);
            }
        });
        return dialog.exec();
    }

private slots:
    void findRemembersEachTextOnceInOrder()
    {
        TfmFind find;
        QCOMPARE(find.windowTitle(), QStringLiteral("Поиск"));
        QCOMPARE(find.findChild<QPushButton *>(QStringLiteral("btnFind"))->text(), QStringLiteral("Найти"));
        QCOMPARE(Run(find, {QStringLiteral("+LCtrl")}), int(QDialog::Accepted));
        QCOMPARE(find.FindText(), QStringLiteral("+LCtrl"));
        QCOMPARE(Run(find, {QStringLiteral("E0 14")}), int(QDialog::Accepted));
        QCOMPARE(Run(find, {QStringLiteral("+A")}), int(QDialog::Accepted));
        QCOMPARE(Run(find, {QStringLiteral("+lctrl")}), int(QDialog::Accepted));
        QCOMPARE(find.FindText(), QStringLiteral("+lctrl"));
        QCOMPARE(Run(find, {QStringLiteral("E0 14")}), int(QDialog::Accepted));
        QCOMPARE(find.History(),
                 (QStringList{QStringLiteral("+A"), QStringLiteral("+LCtrl"), QStringLiteral("E0 14")}));

        QCOMPARE(Run(find, {QStringLiteral("-Z")}, Qt::Key_Escape), int(QDialog::Rejected));
        QVERIFY2(find.History().size() == 3, "a cancelled search is not remembered");
        QCOMPARE(Run(find, {QString()}), int(QDialog::Accepted));
        QVERIFY2(find.History().size() == 3, "an empty text is no history");
    }

    void theFindButtonAcceptsLikeEnter()
    {
        TfmFind find;
        QTimer::singleShot(0, &find, [&find] {
            QTest::keyClicks(find.findChild<THistoryComboBox *>()->lineEdit(), QStringLiteral("-RShift"));
            find.findChild<QPushButton *>(QStringLiteral("btnFind"))->click();
        });
        QCOMPARE(find.exec(), int(QDialog::Accepted));
        QCOMPARE(find.History(), QStringList{QStringLiteral("-RShift")});
    }

    void replaceKeepsTwoHistories()
    {
        TfmReplace replace;
        QCOMPARE(replace.windowTitle(), QStringLiteral("Поиск с заменой"));
        QCOMPARE(replace.findChild<QPushButton *>(QStringLiteral("btnReplaceAll"))->text(),
                 QStringLiteral("Заменить все"));
        QCOMPARE(Run(replace, {QStringLiteral("+B"), QStringLiteral("+C")}), int(QDialog::Accepted));
        QCOMPARE(replace.FindText(), QStringLiteral("+B"));
        QCOMPARE(replace.ReplaceText(), QStringLiteral("+C"));
        QCOMPARE(Run(replace, {QStringLiteral("+A"), QStringLiteral("+C")}), int(QDialog::Accepted));
        // Enter in the find box accepts as well.
        QCOMPARE(Run(replace, {QStringLiteral("+B")}), int(QDialog::Accepted));
        QCOMPARE(replace.ReplaceText(), QStringLiteral("+C"));
        QCOMPARE(replace.FindHistory(), (QStringList{QStringLiteral("+A"), QStringLiteral("+B")}));
        QCOMPARE(replace.ReplaceHistory(), QStringList{QStringLiteral("+C")});

        QTimer::singleShot(0, &replace, [&replace] {
            replace.findChild<QPushButton *>(QStringLiteral("btnCancel"))->click();
        });
        QCOMPARE(replace.exec(), int(QDialog::Rejected));
        QCOMPARE(replace.FindHistory().size(), 2);
    }
};

QTEST_MAIN(FindReplaceTest)
#include "FindReplaceTest.moc"
