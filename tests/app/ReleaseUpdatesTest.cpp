#include "ReleaseUpdateServer.h"

#include "base/Error.h"
#include "base/Win1251.h"
#include "release/UpdateVersion.h"
#include "release/fmuUpdates.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

// The update check against a real HTTP server on the loopback: each outcome
// with its texts, the silent mode, and files and servers that misbehave.
class ReleaseUpdatesTest : public QObject {
    Q_OBJECT

    const QString kLatest = QStringLiteral("Установленная версия программы является последней.");
    const QString kDamaged = QStringLiteral("Не могу определить версию обновления. Файл версий на сервере поврежден.");

    std::unique_ptr<TfmUpdates> MakeDialog(const QString &base)
    {
        return std::make_unique<TfmUpdates>(QApplication::font(),
                                            TUpdateSource{base, QStringLiteral("https://ravlin.example/download/"),
                                                          QStringLiteral("RavlinApp")});
    }

    // Runs one check and waits for its outcome.
    void Check(TfmUpdates &dialog, bool silent)
    {
        QSignalSpy finished(&dialog, &TfmUpdates::checkFinished);
        dialog.CheckForUpdates(QStringLiteral("data/SoftUpdates/"), silent);
        QVERIFY(finished.wait(5000));
    }

    static QString Text(const TfmUpdates &dialog, const char *name)
    {
        return dialog.findChild<QLabel *>(QString::fromLatin1(name))->text();
    }
    static bool Visible(const TfmUpdates &dialog, const char *name)
    {
        return dialog.findChild<QLabel *>(QString::fromLatin1(name))->isVisibleTo(&dialog);
    }

private slots:
    void versionsCompareByTheirSignificance()
    {
        QVERIFY(IsNewerVersion(ParseVersion(QStringLiteral("2.0.0.0")), ParseVersion(QStringLiteral("1.9.0.0"))));
        QVERIFY(IsNewerVersion(ParseVersion(QStringLiteral("1.0.0.1")), ParseVersion(QStringLiteral("1.0.0.0"))));
        QVERIFY(!IsNewerVersion(ParseVersion(QStringLiteral("1.0.0.0")), ParseVersion(QStringLiteral("1.0.0.0"))));
        QVERIFY(!IsNewerVersion(ParseVersion(QStringLiteral("0.9.9.9")), ParseVersion(QStringLiteral("1.0.0.0"))));
        for (const char *bad : {"1.0.0", "1.0.0.x", "1,0,0,0", "10.0.0.0", ""})
            QVERIFY_THROWS_EXCEPTION(EConvertError, ParseVersion(QString::fromLatin1(bad)));
    }

    void theLatestVersionAsksTheProgramsFile()
    {
        TReleaseUpdateServer server;
        server.Body = "version=1.0.0.0";
        auto dialog = MakeDialog(server.Base());
        Check(*dialog, false);
        QCOMPARE(server.Requests, QList<QByteArray>{"GET /data/SoftUpdates/RavlinApp.txt HTTP/1.1"});
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Проверка обновлений"));
        QCOMPARE(Text(*dialog, "lblProgress"), QStringLiteral("Проверка доступных обновлений ..."));
        QCOMPARE(Text(*dialog, "lblOwnVersion"), QStringLiteral("Версия вашей программы : 1.0.0.0"));
        QCOMPARE(Text(*dialog, "lblServerVersion"), QStringLiteral("Текущая версия: 1.0.0.0"));
        QCOMPARE(Text(*dialog, "lblResult"), kLatest);
        QVERIFY(!Visible(*dialog, "lblLink"));
        QVERIFY(!Visible(*dialog, "lblError"));
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btnOK")), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    }

    void aNewerVersionShowsItsChangesUnchanged()
    {
        TReleaseUpdateServer server;
        const QString changes = QStringLiteral("\r\n- новое окно «О программе»\r\n\t<b>x</b> & 100%");
        server.Body = "version=2.0.0.0" + ToWin1251(changes);
        auto dialog = MakeDialog(server.Base());
        Check(*dialog, false);
        QCOMPARE(Text(*dialog, "lblResult"), QStringLiteral("Доступна новая версия программы.\n\n"
                                                            "Изменения в новой версии:") +
                                                 changes +
                                                 QStringLiteral("\nЧтобы скачать новую версию перейдите по ссылке"));
        QVERIFY(Visible(*dialog, "lblLink"));
        QVERIFY(Text(*dialog, "lblLink").contains(QStringLiteral("https://ravlin.example/download/")));

        // A server that says it sends UTF-8 is read as UTF-8.
        server.Body = "version=1.0.0.1" + changes.toUtf8();
        server.ContentType = "text/plain; charset=UTF-8";
        Check(*dialog, false);
        QVERIFY(Text(*dialog, "lblResult").contains(changes));

        // Without a download page there is no link to follow.
        dialog->SetSource({server.Base(), QString(), QStringLiteral("RavlinApp")});
        Check(*dialog, false);
        QVERIFY(Text(*dialog, "lblResult").endsWith(changes));
        QVERIFY(!Visible(*dialog, "lblLink"));
    }

    void theWindowGrowsToWhatItShows()
    {
        TReleaseUpdateServer server;
        // The settings' font as the forms take it here.
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        TfmUpdates dialog(font, TUpdateSource{server.Base(), QStringLiteral("https://ravlin.example/download/"),
                                              QStringLiteral("RavlinApp")});
        const auto expectWhole = [&dialog](const char *what) {
            // Every shown line lies below the one before it, whole, inside
            // the window, once the window has taken its new size.
            QCoreApplication::sendPostedEvents();
            int below = 0;
            for (const char *name : {"lblProgress", "lblOwnVersion", "lblServerVersion", "lblResult", "lblLink"}) {
                auto *label = dialog.findChild<QLabel *>(QString::fromLatin1(name));
                if (!label->isVisibleTo(&dialog))
                    continue;
                const QRect place(label->mapTo(&dialog, QPoint(0, 0)), label->size());
                QVERIFY2(place.top() >= below, what);
                QVERIFY2(dialog.rect().contains(place), what);
                QVERIFY2(label->parentWidget()->rect().contains(label->geometry()), what);
                if (label->wordWrap())
                    QVERIFY2(label->height() >= label->heightForWidth(label->width()), what);
                below = place.bottom();
            }
        };
        // Lines too long for one line of the window, in a window shown the
        // first time.
        server.Body = "version=2.0.0.0" +
                      ToWin1251(QStringLiteral(
                          "\r\n- Окно проверки обновлений растёт вместе со своим содержимым и больше не "
                          "обрезает строки.\r\n- Шрифт приложения в настройках начинается с того, что в ходу."
                          "\r\n- Коды клавиш с одинаковыми именами сохраняются и читаются без потерь.\r\n- "
                          "Escape, закрывший окно выбора клавиши, не попадает в записанные коды.\r\n"));
        Check(dialog, false);
        expectWhole("changes");
        server.Body = "version=1.0.0.0";
        Check(dialog, false);
        expectWhole("latest");
    }

    void damagedFilesSayWhy()
    {
        TReleaseUpdateServer server;
        auto dialog = MakeDialog(server.Base());
        for (const QByteArray &body : {QByteArray(), QByteArray("versio=1.0.0.1"), QByteArray("ver=1.0.0.1")}) {
            server.Body = body;
            Check(*dialog, false);
            QCOMPARE(Text(*dialog, "lblResult"), kDamaged);
            QVERIFY(!Visible(*dialog, "lblLink"));
        }
        // A two-digit part cuts the version after seven characters.
        server.Body = "version=1.10.0.0";
        Check(*dialog, false);
        QCOMPARE(Text(*dialog, "lblServerVersion"), QStringLiteral("Текущая версия: 1.10.0."));
        QCOMPARE(Text(*dialog, "lblResult"), QStringLiteral("Неверный номер версии: \"1.10.0.\""));
        server.Body = "version=1.0";
        Check(*dialog, false);
        QCOMPARE(Text(*dialog, "lblResult"), QStringLiteral("Неверный номер версии: \"1.0\""));
        QVERIFY(!Visible(*dialog, "lblLink"));
    }

    void aHugeFileIsReadOnlyInPart()
    {
        TReleaseUpdateServer server;
        server.Body = "version=1.0.0.1" + QByteArray(4 * 1024 * 1024, 'x');
        auto dialog = MakeDialog(server.Base());
        Check(*dialog, false);
        QVERIFY(Text(*dialog, "lblResult").startsWith(QStringLiteral("Доступна новая версия программы.")));
        QVERIFY(Text(*dialog, "lblResult").size() < 70 * 1024);
    }

    void serverErrorsAndMissingConnections()
    {
        TReleaseUpdateServer server;
        server.Status = 404;
        server.Body = "<html>not here</html>";
        auto dialog = MakeDialog(server.Base());
        Check(*dialog, false);
        QCOMPARE(Text(*dialog, "lblResult"), QStringLiteral("Файл обновлений не был найден на сервере"));
        QVERIFY(Visible(*dialog, "lblResult"));
        QVERIFY(!Visible(*dialog, "lblOwnVersion"));
        QVERIFY(!Visible(*dialog, "lblError"));

        // A port nobody listens on.
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QString closedBase = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
        closed.close();
        auto refused = MakeDialog(closedBase);
        Check(*refused, false);
        QVERIFY(Visible(*refused, "lblError"));
        QVERIFY(Visible(*refused, "imgError"));
        QCOMPARE(Text(*refused, "lblError"), QStringLiteral("Не удалось установить соединение с сервером обновлений"));
        QVERIFY(!Visible(*refused, "lblResult"));
        QVERIFY(!Visible(*refused, "lblServerVersion"));
    }

    void aServerThatNeverAnswersIsGivenUp()
    {
        TReleaseUpdateServer server;
        server.Silent = true;
        auto dialog = MakeDialog(server.Base());
        dialog->SetTimeout(300);
        QElapsedTimer clock;
        clock.start();
        Check(*dialog, false);
        QVERIFY(clock.elapsed() < 3000);
        QCOMPARE(server.Requests.size(), 1);
        QVERIFY(Visible(*dialog, "lblError"));
        QVERIFY(!dialog->Busy());
    }

    void silentChecksShowOnlyANewerVersion()
    {
        TReleaseUpdateServer server;
        auto dialog = MakeDialog(server.Base());
        server.Body = "version=1.0.0.0";
        Check(*dialog, true);
        QVERIFY(!dialog->isVisible());
        server.Status = 404;
        Check(*dialog, true);
        QVERIFY(!dialog->isVisible());
        server.Status = 200;
        server.Body = "garbage";
        Check(*dialog, true);
        QVERIFY(!dialog->isVisible());
        server.Body = "version=1.0.1.0 fixes";
        Check(*dialog, true);
        QVERIFY(dialog->isVisible());
        QVERIFY(Visible(*dialog, "lblLink"));
    }

    void silentNewsWaitsForAModalDialogToClose()
    {
        TReleaseUpdateServer server;
        server.Body = "version=1.0.1.0 fixes";
        auto dialog = MakeDialog(server.Base());
        // An error shown at the start, still open when the answer comes.
        auto error = std::make_unique<QMessageBox>(QMessageBox::Critical, QStringLiteral("Ravlin"),
                                                   QStringLiteral("Ошибка"));
        error->setWindowModality(Qt::ApplicationModal);
        error->show();
        Check(*dialog, true);
        QVERIFY(!dialog->isVisible());
        // Closed and gone, as a message box of the error display is.
        error->hide();
        error.reset();
        QTRY_VERIFY(dialog->isVisible());
    }
};

QTEST_MAIN(ReleaseUpdatesTest)
#include "ReleaseUpdatesTest.moc"
