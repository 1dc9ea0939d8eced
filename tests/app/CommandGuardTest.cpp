#include "base/Error.h"
#include "common/CommandGuard.h"
#include "common/QtTranslation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

// Every kind of failure a command can raise ends in RunCommand: the right box
// for errors and faults, nothing for an abort, and never an exception past it.
class CommandGuardTest : public QObject {
    Q_OBJECT

    // Closes the next message box shown and remembers its text.
    void CloseNextBox()
    {
        auto text = std::make_shared<QString>();
        QTimer::singleShot(0, [text] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                    *text = box->windowTitle() + u'|' + box->text();
                    box->accept();
                }
        });
        FLastText = text;
    }
    std::shared_ptr<QString> FLastText;

private slots:
    void initTestCase() { QApplication::setApplicationDisplayName(QStringLiteral("Ravlin")); }

    void errorsAreShownWithTheirCaption()
    {
        CloseNextBox();
        QVERIFY(!CommandGuard::RunCommand(nullptr, [] { throw EError(QStringLiteral("Нет активного документа")); }));
        QCOMPARE(*FLastText, QStringLiteral("Ravlin|Нет активного документа"));
        CloseNextBox();
        CommandGuard::RunCommand(nullptr, [] { throw EError(QStringLiteral("x")); }, QStringLiteral("Ошибка"));
        QCOMPARE(*FLastText, QStringLiteral("Ошибка|x"));
    }

    // Message boxes answer in Russian: Qt's own button texts are translated.
    void standardButtonsSpeakRussian()
    {
        QVERIFY(InstallQtTranslation(*QCoreApplication::instance()));
        QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Да"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Нет"));
    }

    void abortShowsNothingAndSuccessReportsTrue()
    {
        QVERIFY(!CommandGuard::RunCommand(nullptr, [] { throw EAbort(); }));
        QVERIFY(CommandGuard::RunCommand(nullptr, [] {}));
    }

    void faultsGoToTheHandlerFirst()
    {
        QString seen;
        CommandGuard::SetFaultHandler([&](QWidget *, const QString &text) {
            seen = text;
            return true;
        });
        QVERIFY(!CommandGuard::RunCommand(nullptr, [] { throw std::bad_alloc(); }));
        QCOMPARE(seen, QStringLiteral("Недостаточно памяти для выполнения операции."));
        CommandGuard::SetFaultHandler(nullptr);
        CloseNextBox();
        QVERIFY(!CommandGuard::RunCommand(nullptr, [] { throw 42; }));
        QCOMPARE(*FLastText, QStringLiteral("Ravlin|Неизвестная ошибка программы."));
    }
};

QTEST_MAIN(CommandGuardTest)
#include "CommandGuardTest.moc"
