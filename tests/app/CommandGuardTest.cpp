#include "base/Error.h"
#include "common/CommandGuard.h"
#include "translations/Language.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <stdexcept>

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
        QCOMPARE(InstallTranslations(*QCoreApplication::instance(), TLanguage::Russian), TLanguage::Russian);
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
        CommandGuard::SetFaultHandler([&](QWidget *, const std::exception_ptr &error) {
            seen = CommandGuard::FaultClassName(error) + u'|' + CommandGuard::FaultText(error);
            return true;
        });
        QVERIFY(!CommandGuard::RunCommand(nullptr, [] { throw std::bad_alloc(); }));
        QCOMPARE(seen, QStringLiteral("std::bad_alloc|Недостаточно памяти для выполнения операции."));
        // A conversion error is a fault; the program's own errors are not.
        QVERIFY(!CommandGuard::RunCommand(nullptr, [] { throw EConvertError(QStringLiteral("\"x\" не число")); }));
        QCOMPARE(seen, QStringLiteral("EConvertError|\"x\" не число"));
        QVERIFY(!CommandGuard::RunCommand(nullptr, [] { throw std::out_of_range("index 7"); }));
        QCOMPARE(seen, QStringLiteral("std::out_of_range|index 7"));
        seen.clear();
        CloseNextBox();
        QVERIFY(!CommandGuard::RunCommand(nullptr, [] { throw EError(QStringLiteral("Нет связи")); }));
        QCOMPARE(*FLastText, QStringLiteral("Ravlin|Нет связи"));
        QVERIFY(!CommandGuard::RunCommand(nullptr, [] { throw EAbort(); }));
        QVERIFY(seen.isEmpty());
        CommandGuard::SetFaultHandler(nullptr);
        CloseNextBox();
        QVERIFY(!CommandGuard::RunCommand(nullptr, [] { throw 42; }));
        QCOMPARE(*FLastText, QStringLiteral("Ravlin|Неизвестная ошибка программы."));
    }
};

QTEST_MAIN(CommandGuardTest)
#include "CommandGuardTest.moc"
