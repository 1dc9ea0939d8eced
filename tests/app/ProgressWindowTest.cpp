#include "base/Error.h"
#include "catalogue/Keyboards.h"
#include "device/KeyboardDriver.h"
#include "device/KeyboardManager.h"
#include "device/ManagerPrompts.h"
#include "devicewindows/fmuProgress.h"
#include "model/Layout.h"
#include "support/ScriptedPrompts.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// What the progress window showed after one report.
struct TShown {
    TProgressState State;
    QString Caption;
    int Max;
    bool Visible;
    // The window blocks the main window.
    bool Modal;
    QString Share;
    int Bar;
};

} // namespace

// The progress window follows a real write to the emulated keyboard, and its
// button stops the write after the current block.
class ProgressWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;
    QProcess FEmulator;
    TScriptedPrompts FPrompts;
    std::unique_ptr<TKeyboardManager> FManager;
    QMainWindow FMain;
    TfmProgress *FWindow = nullptr;
    QList<TShown> FShown;

    // Reports go to the window as the main window passes them, and what the
    // window shows is recorded.
    void Follow(const std::function<void(TProgress &)> &before = {})
    {
        FShown.clear();
        FManager->Progress().OnProgress = [this, before](TProgress &progress) {
            if (before)
                before(progress);
            FWindow->ShowProgress(progress);
            FShown << TShown{progress.State(),
                             FWindow->windowTitle(),
                             progress.Max(),
                             FWindow->isVisible(),
                             QApplication::activeModalWidget() == FWindow,
                             FWindow->findChild<QLabel *>(QStringLiteral("lblProgress"))->text(),
                             FWindow->findChild<QProgressBar *>(QStringLiteral("ProgressBar"))->value()};
        };
    }

    QList<TShown> WriteReports() const
    {
        QList<TShown> shown;
        for (const TShown &report : FShown)
            if (report.Caption == QStringLiteral("Запись раскладки"))
                shown << report;
        return shown;
    }

    // Writes a new layout of model 3; returns the error the write ended
    // with, empty for none.
    QString WriteNewLayout()
    {
        TLayout layout;
        FManager->SetLayoutModel(layout, FManager->Keyboards().ByModel(3).ID);
        try {
            FManager->WriteLayout(layout);
        } catch (const EError &error) {
            return error.Message();
        }
        return QString();
    }

private slots:
    void initTestCase()
    {
        QApplication::setApplicationDisplayName(QStringLiteral("Ravlin"));
        // The program's folder: the shipped data beside a program file.
        for (const QString &folder : {QStringLiteral("Клавиатуры"), QStringLiteral("Клавиши")})
            QVERIFY(QFile::link(QStringLiteral(RAVLIN_DATA_DIR "/") + folder, FDir.filePath(folder)));
        const QString socket = FDir.filePath(QStringLiteral("kbd"));
        FEmulator.start(
            QStringLiteral(RAVLIN_BIN_DIR "/ravlin-kbdsim"),
            {QStringLiteral("--driver-socket"), socket, QStringLiteral("--model"), QStringLiteral("3")});
        QVERIFY(FEmulator.waitForReadyRead(10000));

        TKeyboardManagerOptions options;
        options.ProgramPath = FDir.filePath(QStringLiteral("RavlinApp"));
        options.Ports.DriverSocket = socket;
        options.Prompts = &FPrompts;
        options.BlockPauseMs = 0;
        options.Backup = false;
        FManager = std::make_unique<TKeyboardManager>(options);
        FWindow = new TfmProgress(&FMain);
        FMain.show();
    }

    void cleanupTestCase()
    {
        FManager.reset();
        FEmulator.terminate();
        FEmulator.waitForFinished(5000);
    }

    void aWriteShowsItsProgress()
    {
        Follow();
        QCOMPARE(WriteNewLayout(), QString());
        const QList<TShown> write = WriteReports();
        QVERIFY(write.size() >= 4);
        const int blocks = write.first().Max;
        QCOMPARE(write.size(), blocks + 2);
        QCOMPARE(write.first().State, psStarted);
        QVERIFY(write.first().Visible);
        QCOMPARE(write.first().Share, QStringLiteral("0 %"));
        for (int k = 1; k <= blocks; ++k) {
            QCOMPARE(write[k].State, psStep);
            QVERIFY(write[k].Visible);
            QVERIFY(write[k].Modal);
            QCOMPARE(write[k].Share, QStringLiteral("%1 %").arg(k * 100 / blocks));
            QCOMPARE(write[k].Bar, k);
        }
        QCOMPARE(write.last().State, psFinished);
        QVERIFY(!write.last().Visible);
        QCOMPARE(write[blocks].Share, QStringLiteral("100 %"));
        QVERIFY(FManager->Driver().GetStatus().LayoutValid);
    }

    void cancelStopsTheWriteAfterTheCurrentBlock()
    {
        QString question;
        bool asked = false;
        // At the first block the user presses "Прервать" and answers Yes.
        Follow([&](TProgress &progress) {
            if (asked || progress.State() != psStep ||
                progress.Caption() != QStringLiteral("Запись раскладки"))
                return;
            asked = true;
            QTimer::singleShot(0, FWindow, [&] {
                QTimer::singleShot(0, FWindow, [&] {
                    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                    QVERIFY(box);
                    question = box->windowTitle() + u'|' + box->text() + u'|' + QString::number(box->icon());
                    box->button(QMessageBox::Yes)->click();
                });
                FWindow->findChild<QPushButton *>(QStringLiteral("btnCancel"))->click();
            });
        });
        QCOMPARE(WriteNewLayout(), QStringLiteral("Запись раскладки прервана: в клавиатуре нет действующей раскладки."));
        QCOMPARE(question, QStringLiteral("Ravlin|Прервать операцию ?|%1").arg(int(QMessageBox::Warning)));
        const QList<TShown> write = WriteReports();
        QVERIFY2(write.size() == 3, "start, the one block and the finish");
        QVERIFY(FManager->Progress().Cancelled());
        QVERIFY(!FWindow->isVisible());
        QVERIFY(!FManager->Driver().GetStatus().LayoutValid);
        FManager->Driver().SetMode(true, false);
        QByteArray first;
        FManager->Driver().ReadMemory(0, 128, first);
        QCOMPARE(first, QByteArray(128, '\0'));
        FManager->Driver().SetMode(false, false);
    }

    void answeringNoGoesOn()
    {
        bool asked = false;
        Follow([&](TProgress &progress) {
            if (asked || progress.State() != psStep ||
                progress.Caption() != QStringLiteral("Запись раскладки"))
                return;
            asked = true;
            QTimer::singleShot(0, FWindow, [&] {
                QTimer::singleShot(0, FWindow, [] {
                    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                    QVERIFY(box);
                    box->button(QMessageBox::No)->click();
                });
                // Escape asks the same as the button.
                QTest::keyClick(FWindow, Qt::Key_Escape);
            });
        });
        QCOMPARE(WriteNewLayout(), QString());
        QVERIFY(asked);
        QVERIFY(!FManager->Progress().Cancelled());
        const QList<TShown> write = WriteReports();
        QCOMPARE(write.size(), write.first().Max + 2);
        QVERIFY(FManager->Driver().GetStatus().LayoutValid);
    }
};

QTEST_MAIN(ProgressWindowTest)
#include "ProgressWindowTest.moc"
#include "support/ScriptedPrompts.h"
