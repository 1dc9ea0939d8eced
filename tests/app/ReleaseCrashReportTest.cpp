#include "ModalAnswers.h"
#include "ReleaseFakeMail.h"

#include "release/CrashReport.h"
#include "release/ErrorReport.h"
#include "release/fmuError.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

// The crash report: a child program with the editor's handler crashes for
// real and leaves the report, which the next start offers once in the error
// window and mails through a stand-in "xdg-email".
class ReleaseCrashReportTest : public QObject {
    Q_OBJECT

    QTemporaryDir FFolder;
    TFakeMailTool FMail;

    // Runs the child, which installs the handler writing report and crashes
    // by fault; it must end by signal.
    static void Crash(const QString &report, const QString &fault, int signal)
    {
        QProcess child;
        child.start(QStringLiteral(RAVLIN_CRASH_CHILD), {report, fault});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QCOMPARE(child.exitCode(), signal);
    }

    static QByteArray Content(const QString &fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    static void Put(const QString &fileName, const QByteArray &bytes)
    {
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Arms an answer for the next error window: stores its text in shown
    // and presses key.
    static std::shared_ptr<QString> AnswerError(Qt::Key key)
    {
        auto shown = std::make_shared<QString>();
        AnswerNextDialog<TfmError>([shown, key](TfmError *form) {
            *shown = form->findChild<QLabel *>(QStringLiteral("lblError"))->text();
            QTest::keyClick(form, key);
        });
        return shown;
    }

private slots:
    void initTestCase()
    {
        QApplication::setApplicationDisplayName(QStringLiteral("Ravlin"));
        QVERIFY(FMail.Install());
        TErrorReport::SetAddressSource([] { return QStringLiteral("support@ravlin.example"); });
    }
    void init() { FMail.Reset(); }

    void aFatalSignalLeavesTheReport_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("text");
        QTest::newRow("null pointer") << QStringLiteral("null") << SIGSEGV << QStringLiteral("SIGSEGV")
                                      << QStringLiteral("Обращение к недоступной памяти (сигнал 11)");
        // The handler runs on a stack of its own.
        QTest::newRow("stack overflow") << QStringLiteral("overflow") << SIGSEGV << QStringLiteral("SIGSEGV")
                                        << QStringLiteral("Обращение к недоступной памяти (сигнал 11)");
        QTest::newRow("abort") << QStringLiteral("abort") << SIGABRT << QStringLiteral("SIGABRT")
                               << QStringLiteral("Аварийное завершение программы (сигнал 6)");
        QTest::newRow("arithmetic") << QStringLiteral("fpe") << SIGFPE << QStringLiteral("SIGFPE")
                                    << QStringLiteral("Ошибка арифметической операции (сигнал 8)");
    }
    void aFatalSignalLeavesTheReport()
    {
        QFETCH(QString, fault);
        QFETCH(int, signal);
        QFETCH(QString, className);
        QFETCH(QString, text);
        const QString report = FFolder.filePath(fault + QStringLiteral(".txt"));
        Put(report, QByteArray(300, 'x'));
        Crash(report, fault, signal);
        // The report's lines but the date, which the file's time gives; an
        // older, longer file is replaced whole.
        QCOMPARE(QString::fromUtf8(Content(report)), TErrorReport().ReportLines(className, text));
        QVERIFY(Content(report).startsWith("Приложение: Ravlin\r\nКласс ошибки: " + className.toLatin1() +
                                           "\r\n"));
    }

    void theNextStartOffersTheReportOnce()
    {
        const QString report = FFolder.filePath(QStringLiteral("Отчет о сбое.txt"));
        Crash(report, QStringLiteral("abort"), SIGABRT);
        const QString lines = QString::fromUtf8(Content(report));
        const QDateTime crashed = QFileInfo(report).lastModified();

        QWidget window;
        window.show();
        const auto shown = AnswerError(Qt::Key_Escape);
        CrashReport::PostOffer(window, report);
        // Posted: the start goes on first.
        QVERIFY(shown->isEmpty());
        QTRY_COMPARE(*shown, QStringLiteral("При прошлом запуске программа завершилась аварийно: "
                                            "Аварийное завершение программы (сигнал 6)."));
        QVERIFY(!QFileInfo::exists(report));
        QTRY_COMPARE(FMail.Arguments().size(), 6);
        QCOMPARE(FMail.Arguments()[4], lines + TErrorReport().DateLine(crashed));

        // Not again.
        FMail.Reset();
        QVERIFY(!CrashReport::Offer(&window, report));
        QVERIFY(FMail.Arguments().isEmpty());
    }

    void damagedReportsNeverStopTheStart()
    {
        const QString report = FFolder.filePath(QStringLiteral("damaged.txt"));
        // Cut short before the error's text: offered with the general text,
        // closed with Enter, so nothing is mailed.
        Put(report, "Приложение: Ravlin\r\nКласс ошиб");
        const auto shown = AnswerError(Qt::Key_Return);
        QVERIFY(CrashReport::Offer(nullptr, report));
        QCOMPARE(*shown, QStringLiteral("При прошлом запуске программа завершилась аварийно."));
        QVERIFY(FMail.Arguments().isEmpty());

        // Empty, or far too large for a report: dropped without a word.
        Put(report, QByteArray());
        QVERIFY(!CrashReport::Offer(nullptr, report));
        QVERIFY(!QFileInfo::exists(report));
        Put(report, QByteArray(1 << 20, 'x'));
        QVERIFY(!CrashReport::Offer(nullptr, report));
        QVERIFY(!QFileInfo::exists(report));

        // A folder in its place stays, and is no report.
        QVERIFY(QDir(FFolder.path()).mkdir(QStringLiteral("damaged.txt")));
        QVERIFY(!CrashReport::Offer(nullptr, report));
        QVERIFY(QFileInfo(report).isDir());
    }
};

QTEST_MAIN(ReleaseCrashReportTest)
#include "ReleaseCrashReportTest.moc"
