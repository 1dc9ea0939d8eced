#include "MainWindowFixture.h"
#include "ReleaseUpdateServer.h"

#include "common/CommandGuard.h"
#include "release/ReleaseCommands.h"
#include "release/fmuAbout.h"
#include "release/fmuError.h"
#include "release/fmuUpdates.h"
#include "settings/SettingsManager.h"

#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <new>

// The release services in the main window: the help menu, the about box with
// the driver's version, the silent update check at the start and the error
// report behind the one error display.
class ReleaseMainTest : public QObject {
    Q_OBJECT

    TScriptedPrompts FPrompts;

    // Writes the settings the update check reads.
    static void WriteSettings(const TProgramFolder &folder, const QString &server, bool checkOnLoad)
    {
        QFile file(folder.SettingsFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[SETTINGS]\r\nFirstRun=0\r\nCheckUpdateOnLoad=" + QByteArray(checkOnLoad ? "1" : "0") +
                   "\r\nUpdateServer=" + server.toLatin1() + "\r\n");
    }

    static QStringList AboutShown(TfmMain &window)
    {
        auto shown = std::make_shared<QStringList>();
        AnswerNextDialog<TfmAbout>([shown](TfmAbout *about) {
            *shown << about->findChild<QLabel *>(QStringLiteral("lblTitle"))->text()
                   << about->findChild<QLabel *>(QStringLiteral("lblVersions"))->text();
            about->accept();
        });
        window.findChild<QAction *>(QStringLiteral("actHelpAbout"))->trigger();
        return *shown;
    }

private slots:
    void initTestCase() { QApplication::setApplicationDisplayName(QStringLiteral("Ravlin")); }

    void theHelpMenuEndsWithUpdatesAndAbout()
    {
        TProgramFolder folder;
        TfmMain window(folder.Options(FPrompts));
        QCOMPARE(window.windowTitle(), QStringLiteral("Ravlin 1.0.0.0"));
        QStringList captions;
        for (const QAction *action : window.menuBar()->findChild<QMenu *>(QStringLiteral("miHelp"))->actions())
            captions << action->text();
        QCOMPARE(captions.mid(captions.size() - 2),
                 (QStringList{QStringLiteral("Проверить обновления..."), QStringLiteral("О программе...")}));
    }

    void theAboutBoxShowsTheDriverVersion()
    {
        TProgramFolder folder;
        {
            TfmMain window(folder.Options(FPrompts));
            QCOMPARE(AboutShown(window), (QStringList{QStringLiteral("Ravlin"),
                                                      QStringLiteral("Версия программы : 1.0.0.0\n"
                                                                     "Версия драйвера  : недоступна")}));
        }
        const QString socket = folder.Path(QStringLiteral("kbd"));
        QProcess emulator;
        emulator.start(QStringLiteral(RAVLIN_BIN_DIR "/ravlin-kbdsim"),
                       {QStringLiteral("--driver-socket"), socket, QStringLiteral("--data"),
                        QStringLiteral(RAVLIN_DATA_DIR), QStringLiteral("--driver-version"), QStringLiteral("1.2.3.4")});
        QVERIFY(emulator.waitForReadyRead(10000));
        {
            TfmMain window(folder.Options(FPrompts, socket));
            QCOMPARE(AboutShown(window).value(1),
                     QStringLiteral("Версия программы : 1.0.0.0\nВерсия драйвера  : 1.2.3.4"));
        }
        emulator.terminate();
        QVERIFY(emulator.waitForFinished(5000));
    }

    void theAboutBoxLooksAsItShould()
    {
        // The settings' font is given in pixels; the title is 4 points larger.
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        TfmAbout about({QStringLiteral("Ravlin"), {QStringLiteral("a"), QStringLiteral("b")},
                        QStringLiteral("GNU GPL"), QString()},
                       font);
        auto *title = about.findChild<QLabel *>(QStringLiteral("lblTitle"));
        QVERIFY(title->font().bold());
        QCOMPARE(title->font().pointSizeF(), QFontInfo(font).pointSizeF() + 4);
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QCOMPARE(about.findChild<QLabel *>(QStringLiteral("lblLicense"))->text(),
                 QStringLiteral("Лицензия: GNU GPL"));
        // No web page is made up when none is configured.
        QVERIFY(!about.findChild<QLabel *>(QStringLiteral("lblWebSite")));
        TfmAbout withPage(
            {QStringLiteral("Ravlin"), {}, QStringLiteral("GNU GPL"), QStringLiteral("https://a.test/")}, font);
        QVERIFY(withPage.findChild<QLabel *>(QStringLiteral("lblWebSite"))->text().contains(
            QStringLiteral("href=\"https://a.test/\"")));
        // The logo is drawn in its white panel.
        about.resize(about.sizeHint());
        const QImage shot = about.grab().toImage();
        QCOMPARE(shot.pixelColor(6, 8), QColor(Qt::white));
        QVERIFY(shot.pixelColor(40, 60) != QColor(Qt::white));
        QCOMPARE(shot.pixelColor(200, 196), QColor(Qt::black));
    }

    void theAboutBoxStartsTheVisibleCheck()
    {
        TReleaseUpdateServer server;
        server.Body = "version=1.0.0.0";
        TProgramFolder folder;
        WriteSettings(folder, server.Base(), false);
        TfmMain window(folder.Options(FPrompts));
        auto *updates = &window.ReleaseCommands().Updates();
        QSignalSpy finished(updates, &TfmUpdates::checkFinished);
        AnswerNextDialog<TfmAbout>([](TfmAbout *about) {
            about->findChild<QPushButton *>(QStringLiteral("btnUpdates"))->click();
            about->accept();
        });
        window.findChild<QAction *>(QStringLiteral("actHelpAbout"))->trigger();
        QVERIFY(updates->isVisible());
        QVERIFY(finished.wait(5000));
        QCOMPARE(server.Requests, QList<QByteArray>{"GET /data/SoftUpdates/RavlinApp.txt HTTP/1.1"});
        QCOMPARE(updates->findChild<QLabel *>(QStringLiteral("lblResult"))->text(),
                 QStringLiteral("Установленная версия программы является последней."));
    }

    void theStartChecksSilentlyOnlyWhenAsked()
    {
        TReleaseUpdateServer server;
        server.Body = "version=9.0.0.0\r\nвсё новое";
        TProgramFolder folder;
        WriteSettings(folder, server.Base(), true);
        {
            TfmMain window(folder.Options(FPrompts));
            window.show();
            auto *updates = &window.ReleaseCommands().Updates();
            window.PostStartRequests();
            // Nothing is asked before the event loop runs.
            QVERIFY(server.Requests.isEmpty());
            QVERIFY(!updates->Busy());
            QTRY_VERIFY(updates->isVisible());
            QCOMPARE(server.Requests.size(), 1);
        }
        WriteSettings(folder, server.Base(), false);
        TfmMain window(folder.Options(FPrompts));
        window.show();
        window.PostStartRequests();
        QTest::qWait(300);
        QVERIFY(server.Requests.size() == 1);
        const auto *updates = window.findChild<TfmUpdates *>();
        QVERIFY(!updates || !updates->isVisible());
    }

    void withoutAServerTheVisibleCheckSaysWhereToSetIt()
    {
        TReleaseUpdateServer server;
        server.Body = "version=1.0.0.0";
        TProgramFolder folder;
        WriteSettings(folder, QString(), true);
        TfmMain window(folder.Options(FPrompts));
        window.show();
        auto *updates = &window.ReleaseCommands().Updates();
        // The start says nothing at all.
        window.PostStartRequests();
        QTest::qWait(100);
        QVERIFY(!updates->isVisible());

        window.findChild<QAction *>(QStringLiteral("actHelpCheckUpdates"))->trigger();
        QVERIFY(updates->isVisible());
        const QString said = updates->findChild<QLabel *>(QStringLiteral("lblResult"))->text();
        QVERIFY2(said.startsWith(QStringLiteral("Сервер обновлений не задан.")) &&
                     said.contains(QStringLiteral("«Обновления и отчеты»")),
                 qPrintable(said));
        QVERIFY(!updates->findChild<QLabel *>(QStringLiteral("lblProgress"))->isVisible());

        // A server set in the settings since is asked at the next check, its
        // address taken for a folder without the closing "/" as well.
        window.Manager().Settings().SetUpdateServer(server.Base().chopped(1));
        QSignalSpy finished(updates, &TfmUpdates::checkFinished);
        window.findChild<QAction *>(QStringLiteral("actHelpCheckUpdates"))->trigger();
        QVERIFY(finished.wait(5000));
        QCOMPARE(server.Requests, QList<QByteArray>{"GET /data/SoftUpdates/RavlinApp.txt HTTP/1.1"});
    }

    void aFaultInACommandShowsTheErrorWindow()
    {
        TProgramFolder folder;
        TfmMain window(folder.Options(FPrompts));
        bool shown = false;
        AnswerNextDialog<TfmError>([&shown](TfmError *form) {
            shown = true;
            form->reject();
        });
        CommandGuard::RunCommand(&window, [] { throw std::bad_alloc(); });
        QVERIFY(shown);
    }
};

QTEST_MAIN(ReleaseMainTest)
#include "ReleaseMainTest.moc"
