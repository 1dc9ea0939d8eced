#include "MainWindowFixture.h"

#include "devicewindows/fmuProgress.h"
#include "document/LayoutDocument.h"
#include "main/fmuMessageWindow.h"
#include "model/Key.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/ScanCodes.h"

#include <QProcess>
#include <QPushButton>

// The device commands of the main window against the keyboard emulator
// (the 8 x 8 model 1) behind a driver socket of the test.
class MainDeviceTest : public QObject {
    Q_OBJECT

    void StartEmulator()
    {
        FEmulator.start(QStringLiteral(RAVLIN_BIN_DIR "/ravlin-kbdsim"),
                        {QStringLiteral("--driver-socket"), Socket(), QStringLiteral("--model"), QStringLiteral("1")});
        QVERIFY(FEmulator.waitForReadyRead(10000));
    }
    QString Socket() const { return FFolder->Path(QStringLiteral("kbd")); }

    // Records, at every progress report, whether the main window took input
    // and whether the progress window was shown.
    void WatchProgress(TfmMain &window)
    {
        auto *progress = window.findChild<TfmProgress *>(QStringLiteral("fmProgress"));
        QVERIFY(progress);
        TProgress::THandler shown = window.Manager().Progress().OnProgress;
        window.Manager().Progress().OnProgress = [this, &window, progress, shown](TProgress &report) {
            shown(report);
            if (report.State() == psStep) {
                FStepsWhileDisabled += !window.isEnabled() && progress->isVisible();
                if (FCancelAt > 0 && report.Position() == FCancelAt)
                    report.Cancel();
            }
        };
    }

    std::unique_ptr<TProgramFolder> FFolder;
    TScriptedPrompts FPrompts;
    QProcess FEmulator;
    int FStepsWhileDisabled = 0;
    int FCancelAt = 0;

private slots:
    void init()
    {
        FFolder = std::make_unique<TProgramFolder>();
        FStepsWhileDisabled = 0;
        FCancelAt = 0;
        StartEmulator();
    }
    void cleanup()
    {
        FEmulator.terminate();
        FEmulator.waitForFinished(5000);
    }

    void writeThenReadBackWithTheProgressWindow()
    {
        TfmMain window(FFolder->Options(FPrompts, Socket()));
        window.show();
        WatchProgress(window);
        window.Actions().actFileNew->trigger();
        TfmDoc *written = window.Documents().Active();
        written->Document().ChangeKeyboard(1);
        window.Actions().actDeviceWriteLayout->trigger();
        QVERIFY(FStepsWhileDisabled > 0);
        QVERIFY(window.isEnabled());
        QVERIFY(!window.findChild<TfmProgress *>(QStringLiteral("fmProgress"))->isVisible());

        FStepsWhileDisabled = 0;
        window.Actions().actDeviceReadLayout->trigger();
        QVERIFY(FStepsWhileDisabled > 0);
        QCOMPARE(window.Documents().All().size(), 2);
        TfmDoc *read = window.Documents().Active();
        QVERIFY(read != written);
        QVERIFY(read->Document().IsModified());
        QVERIFY(read->Document().FileName().isEmpty());
        QCOMPARE(read->Caption(), QStringLiteral("Раскладка2"));
        QCOMPARE(read->Document().Layout().KeyboardID(), 1);
        QVERIFY(window.Actions().actFileSave->isEnabled());
    }

    void faultyLinesReachTheMessageWindowAndACancelledWriteLeavesNoLayout()
    {
        TfmMain window(FFolder->Options(FPrompts, Socket()));
        window.show();
        WatchProgress(window);
        window.Actions().actFileNew->trigger();
        TfmDoc *document = window.Documents().Active();
        // A faulty sequence: its line is listed before the question.
        const QString xml = FFolder->Path(QStringLiteral("faulty.xml"));
        {
            TLayout layout;
            window.Manager().SetLayoutModel(layout, 1);
            layout.Layers().Item(0).KeyAt(2, 1)->MakeCodes().SetText(u"-A");
            window.Manager().SaveLayout(layout, 0, xml);
        }
        window.OpenFiles({xml});
        document = window.Documents().Active();
        FPrompts.Answer = false;
        window.Actions().actDeviceWriteLayout->trigger();
        TfmMessageWindow &messages = window.MessageWindow();
        QCOMPARE(FPrompts.Questions.size(), 1);
        QCOMPARE(messages.Count(), 1);
        QVERIFY(messages.Text(0).startsWith(QStringLiteral("[Ошибка(1)] Слой 1. Клавиша (2,3).")));
        QCOMPARE(messages.Tag(0), int(document->Document().Layout().InstanceNumber()));
        QVERIFY(messages.isVisible());
        QCOMPARE(FStepsWhileDisabled, 0);

        // Written anyway, and cancelled after the second block: the user is
        // told that the keyboard has no layout now.
        FPrompts.Answer = true;
        FCancelAt = 2;
        QString error;
        AnswerMessageBox(QMessageBox::Ok, &error);
        window.Actions().actDeviceWriteLayout->trigger();
        QCOMPARE(error, QStringLiteral("Запись раскладки прервана: в клавиатуре нет действующей раскладки."));
        QVERIFY(window.isEnabled());
        const QString image = FFolder->Path(QStringLiteral("memory.bin"));
        AnswerFileDialog(image);
        window.Actions().actDeviceReadMemory->trigger();
        QFile file(image);
        QVERIFY(file.open(QIODevice::ReadOnly));
        // The header block was never written: the memory holds no layout.
        QVERIFY(file.readAll().isEmpty());
    }

    // The user presses "Прервать" in the progress window while the main
    // window is disabled, confirms, and the write stops with its message.
    void theProgressWindowsButtonCancelsAWrite()
    {
        TfmMain window(FFolder->Options(FPrompts, Socket()));
        window.show();
        window.Actions().actFileNew->trigger();
        window.Documents().Active()->Document().ChangeKeyboard(1);
        auto *progress = window.findChild<TfmProgress *>(QStringLiteral("fmProgress"));
        QVERIFY(progress);
        TProgress::THandler shown = window.Manager().Progress().OnProgress;
        bool pressed = false;
        window.Manager().Progress().OnProgress = [&](TProgress &report) {
            shown(report);
            if (report.State() == psStep && report.Caption() == QStringLiteral("Запись раскладки") && !pressed) {
                pressed = true;
                QVERIFY(!window.isEnabled());
                QTimer::singleShot(0, progress, [progress] {
                    progress->findChild<QPushButton *>(QStringLiteral("btnCancel"))->click();
                });
            }
        };
        QString question;
        QString error;
        AnswerNextDialog<QMessageBox>([&](QMessageBox *box) {
            question = box->text();
            AnswerMessageBox(QMessageBox::Ok, &error);
            box->button(QMessageBox::Yes)->click();
        });
        window.Actions().actDeviceWriteLayout->trigger();
        QVERIFY(pressed);
        QCOMPARE(question, QStringLiteral("Прервать операцию ?"));
        QTRY_COMPARE(error, QStringLiteral("Запись раскладки прервана: в клавиатуре нет действующей раскладки."));
        QVERIFY(window.isEnabled());
    }
};

QTEST_MAIN(MainDeviceTest)
#include "MainDeviceTest.moc"
