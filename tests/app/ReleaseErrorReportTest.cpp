#include "ModalAnswers.h"
#include "ReleaseFakeMail.h"

#include "base/Error.h"
#include "common/CommandGuard.h"
#include "release/ErrorReport.h"
#include "release/fmuError.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <new>

// The error report: which errors count as faults, the error window's keys,
// the report's lines and the mail handed to a stand-in "xdg-email" on PATH
// that records its arguments and fails on demand (this machine has no mail
// client).
class ReleaseErrorReportTest : public QObject {
    Q_OBJECT

    TFakeMailTool FMail;

    // Runs command through the one error display with the error report
    // plugged in, pressing key in the error window if it shows.
    bool RunWithReport(const std::function<void()> &command, Qt::Key key, QString *shownText = nullptr)
    {
        auto shown = std::make_shared<QString>();
        AnswerNextDialog<TfmError>([shown, key](TfmError *form) {
            *shown = form->findChild<QLabel *>(QStringLiteral("lblError"))->text();
            QTest::keyClick(form, key);
        });
        CommandGuard::RunCommand(nullptr, command);
        if (shownText)
            *shownText = *shown;
        return !shown->isEmpty();
    }

private slots:
    void initTestCase()
    {
        QApplication::setApplicationDisplayName(QStringLiteral("Ravlin"));
        QVERIFY(FMail.Install());
        CommandGuard::SetFaultHandler(
            [](QWidget *parent, const std::exception_ptr &error) { return TErrorReport().HandleError(parent, error); });
    }
    void cleanupTestCase() { CommandGuard::SetFaultHandler(nullptr); }
    void init()
    {
        FMail.Reset();
        TErrorReport::SetAddressSource([] { return QStringLiteral("support@ravlin.example"); });
    }

    void theReportHasSixLines()
    {
        const QString report = TErrorReport().BuildReport(QStringLiteral("std::bad_alloc"), QStringLiteral("Мало памяти"));
        QVERIFY(report.endsWith(QStringLiteral("\r\n")));
        const QStringList lines = report.chopped(2).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[0], QStringLiteral("Приложение: Ravlin"));
        QCOMPARE(lines[1], QStringLiteral("Класс ошибки: std::bad_alloc"));
        QCOMPARE(lines[2], QStringLiteral("Текст ошибки: Мало памяти"));
        QCOMPARE(lines[3], QStringLiteral("Версия программы: 1.0.0.0"));
        QVERIFY2(QRegularExpression(QStringLiteral("^Версия ОС: linux\\.\\d+\\.\\d+\\.\\d+\\..+$")).match(lines[4]).hasMatch(),
                 qPrintable(lines[4]));
        QVERIFY2(QRegularExpression(QStringLiteral("^Дата: .+ Время: \\S+$")).match(lines[5]).hasMatch(),
                 qPrintable(lines[5]));
    }

    void enterClosesAndEscapeSends()
    {
        TfmError form(QStringLiteral("Сбой"), {});
        QCOMPARE(form.windowTitle(), QStringLiteral("Ошибка"));
        QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("btnSend"))->text(), QStringLiteral("Отправить отчет"));
        QVERIFY(form.findChild<QPushButton *>(QStringLiteral("btnOK"))->isDefault());
        AnswerNextDialog<TfmError>([](TfmError *shown) { QTest::keyClick(shown, Qt::Key_Return); });
        QCOMPARE(form.exec(), int(QDialog::Rejected));
        TfmError again(QStringLiteral("Сбой"), {});
        AnswerNextDialog<TfmError>([](TfmError *shown) { QTest::keyClick(shown, Qt::Key_Escape); });
        QCOMPARE(again.exec(), int(QDialog::Accepted));
    }

    void onlyFaultsShowTheErrorWindow()
    {
        QString shown;
        QVERIFY(RunWithReport([] { throw std::bad_alloc(); }, Qt::Key_Return, &shown));
        QCOMPARE(shown, QStringLiteral("Недостаточно памяти для выполнения операции."));
        QVERIFY(RunWithReport([] { throw EConvertError(QStringLiteral("\"12x\" не число")); }, Qt::Key_Return));
        QVERIFY(RunWithReport([] { throw 42; }, Qt::Key_Return));
        QVERIFY(FMail.Arguments().isEmpty());

        // A device error is one of the program's own: the ordinary box.
        const auto box = AnswerNextBox(QMessageBox::Ok);
        CommandGuard::RunCommand(nullptr, [] { throw EError(QStringLiteral("Нет связи")); });
        QCOMPARE(box->Text, QStringLiteral("Нет связи"));
        QVERIFY(!TErrorReport().HandleError(nullptr, std::make_exception_ptr(EAbort())));
    }

    void escapeMailsTheReportIntact()
    {
        const std::string odd = "bad \"quote\" 'single' $(rm -rf /) `x` & ; | \\ %20\nsecond line";
        QVERIFY(RunWithReport([&odd] { throw std::runtime_error(odd); }, Qt::Key_Escape));
        const QStringList arguments = FMail.Arguments();
        QCOMPARE(arguments.size(), 6);
        QCOMPARE(arguments.mid(0, 4), (QStringList{QStringLiteral("--utf8"), QStringLiteral("--subject"),
                                                   QStringLiteral("Ravlin"), QStringLiteral("--body")}));
        QCOMPARE(arguments[5], QStringLiteral("support@ravlin.example"));
        const QString body = arguments[4];
        QVERIFY(body.startsWith(QStringLiteral("Приложение: Ravlin\r\nКласс ошибки: std::runtime_error\r\n"
                                               "Текст ошибки: ") +
                                QString::fromStdString(odd) + QStringLiteral("\r\n")));
        QCOMPARE(body.count(QStringLiteral("\r\n")), 6);
    }

    void aFailedMailIsShownInABox()
    {
        qputenv("RAVLIN_FAKE_MAIL_FAIL", "xdg-email: no method available for opening 'mailto:'");
        const auto box = AnswerNextBox(QMessageBox::Ok);
        // Then the window comes back to keep the report.
        auto offeredAgain = std::make_shared<bool>(false);
        AnswerNextDialog<TfmError>([offeredAgain](TfmError *form) {
            AnswerNextDialog<TfmError>([offeredAgain](TfmError *again) {
                *offeredAgain = !again->findChild<QPushButton *>(QStringLiteral("btnSend")) &&
                                again->findChild<QPushButton *>(QStringLiteral("btnCopy"));
                again->reject();
            });
            QTest::keyClick(form, Qt::Key_Escape);
        });
        CommandGuard::RunCommand(nullptr, [] { throw std::bad_alloc(); });
        QCOMPARE(box->Text, QStringLiteral("Ошибка при отправке сообщения.\n\r"
                                           "xdg-email: no method available for opening 'mailto:'."));
        QCOMPARE(box->Caption, QStringLiteral("Ravlin"));
        QCOMPARE(box->Icon, QMessageBox::Critical);
        QVERIFY(*offeredAgain);

        // No mail tool at all.
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", "/nonexistent");
        QVERIFY_THROWS_EXCEPTION(ESendMailException,
                                 TErrorReport().SendMail(QString(), QStringLiteral("a@b.example"), true,
                                                         QStringLiteral("x"), QStringLiteral("s"), QString(), QString()));
        qputenv("PATH", path);
    }

    void withoutAnAddressTheReportIsCopiedOrSaved()
    {
        TErrorReport::SetAddressSource(nullptr);
        QTemporaryDir folder;
        const QString saved = folder.filePath(QStringLiteral("report.txt"));
        // What the window showed, gathered there and checked once it closed.
        struct TSeen {
            bool Send = true;
            QString NoMail, Copied, Saved;
            bool NoteWhole = false;
        };
        auto seen = std::make_shared<TSeen>();
        AnswerNextDialog<TfmError>([seen, saved](TfmError *form) {
            seen->Send = form->findChild<QPushButton *>(QStringLiteral("btnSend")) != nullptr;
            auto *note = form->findChild<QLabel *>(QStringLiteral("lblNoMail"));
            seen->NoMail = note->text();
            form->findChild<QPushButton *>(QStringLiteral("btnCopy"))->click();
            seen->Copied = QApplication::clipboard()->text();
            // The window grows by the line that tells what became of the
            // report, rather than squeezing the note above it.
            seen->NoteWhole =
                QTest::qWaitFor([note] { return note->height() >= note->heightForWidth(note->width()); });
            AnswerFileDialog(saved);
            form->findChild<QPushButton *>(QStringLiteral("btnSave"))->click();
            seen->Saved = form->findChild<QLabel *>(QStringLiteral("lblDone"))->text();
            // Escape has no mail to start: it closes.
            QTest::keyClick(form, Qt::Key_Escape);
        });
        CommandGuard::RunCommand(nullptr, [] { throw std::bad_alloc(); });
        QVERIFY(!seen->Send);
        QVERIFY2(seen->NoMail.contains(QStringLiteral("«Обновления и отчеты»")), qPrintable(seen->NoMail));
        QVERIFY(
            seen->Copied.startsWith(QStringLiteral("Приложение: Ravlin\r\nКласс ошибки: std::bad_alloc\r\n")));
        QCOMPARE(seen->Copied.count(QStringLiteral("\r\n")), 6);
        QVERIFY(seen->NoteWhole);
        QCOMPARE(seen->Saved, QStringLiteral("Отчет сохранен в файл %1.").arg(saved));
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), seen->Copied);
        QVERIFY(FMail.Arguments().isEmpty());
    }
};

QTEST_MAIN(ReleaseErrorReportTest)
#include "ReleaseErrorReportTest.moc"
