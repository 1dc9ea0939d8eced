#include "DocTestFixture.h"
#include "KeysTestSupport.h"

#include "base/Error.h"
#include "document/LayoutDocument.h"
#include "codeeditors/CodeEditors.h"
#include "keys/KeyCommands.h"
#include "keys/fmuKeyDlg.h"
#include "codeeditors/fmuNotes.h"
#include "model/Notes.h"

#include <QToolButton>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

// The melody editor and the play buttons, against the emulated keyboard.
class KeyMelodyTest : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;
    QProcess FEmulator;
    TScriptedPrompts FPrompts;
    std::unique_ptr<TKeyboardManager> FManager;
    std::unique_ptr<QWidget> FMain;
    TCodeEditors *FEditors = nullptr;
    TKeyCommands *FCommands = nullptr;

    std::unique_ptr<TKeyboardManager> Manager(const QString &socket)
    {
        TKeyboardManagerOptions options;
        options.ProgramPath = FDir.filePath(QStringLiteral("RavlinApp"));
        options.Ports.DriverSocket = socket;
        options.Prompts = &FPrompts;
        options.Backup = false;
        return std::make_unique<TKeyboardManager>(options);
    }

    QString Log() const
    {
        QFile log(FDir.filePath(QStringLiteral("kbdsim.log")));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }

    TfmNotes &Notes() const { return FEditors->NotesDialog(); }
    QPlainTextEdit *NotesText() const { return Notes().findChild<QPlainTextEdit *>(QStringLiteral("mmNotes")); }

    // Clicks a play button of a shown window and checks that it is usable
    // and focused afterwards.
    static void PlayAndCheck(QWidget &window, QAbstractButton *play)
    {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        play->click();
        QVERIFY(play->isEnabled());
        QTRY_VERIFY(play->hasFocus());
    }

private slots:
    void initTestCase()
    {
        QApplication::setApplicationDisplayName(QStringLiteral("Ravlin"));
        for (const QString &folder : {QStringLiteral("Клавиатуры"), QStringLiteral("Клавиши")})
            QVERIFY(QFile::link(QStringLiteral(RAVLIN_DATA_DIR "/") + folder, FDir.filePath(folder)));
        const QString socket = FDir.filePath(QStringLiteral("kbd"));
        FEmulator.start(QStringLiteral(RAVLIN_BIN_DIR "/ravlin-kbdsim"),
                        {QStringLiteral("--driver-socket"), socket, QStringLiteral("--model"), QStringLiteral("1"),
                         QStringLiteral("--log"), FDir.filePath(QStringLiteral("kbdsim.log"))});
        QVERIFY(FEmulator.waitForReadyRead(10000));
        FManager = Manager(socket);
        FMain = std::make_unique<QWidget>();
        FEditors = new TCodeEditors(*FManager, *FMain);
        FCommands = new TKeyCommands(*FManager, *FEditors, FMain.get());
    }

    void cleanupTestCase()
    {
        FMain.reset();
        FManager.reset();
        FEmulator.terminate();
        FEmulator.waitForFinished(5000);
    }

    void theEditorPlaysItsTextOnTheKeyboard()
    {
        TNotes melody;
        Notes().Start(melody, QStringLiteral("C1;10;5;P;20;0"));
        PlayAndCheck(Notes(), Notes().findChild<QPushButton *>(QStringLiteral("btnPlay")));
        // Each note goes as pitch, duration and volume.
        QTRY_VERIFY(Log().contains(QStringLiteral("190A05001400")));
        Notes().hide();
    }

    void theKeyDialogPlaysItsMelodyField()
    {
        TLayoutDocument document(*FManager);
        TMasterKey values;
        values.Melody().SetText(u"D1;30;7");
        document.ChangeKeys(0, TLayoutDocument::TKeyField::Melody, values);
        TfmKeyDlg &dialog = FCommands->KeyDialog();
        dialog.SetDocument(&document);
        PlayAndCheck(dialog, dialog.findChild<QToolButton *>(QStringLiteral("edMelodyPlay")));
        QTRY_VERIFY(Log().contains(QStringLiteral("1B1E07")));
        dialog.hide();
        dialog.SetDocument(nullptr);
    }

    void aFailedPlayShowsTheErrorAndLeavesTheButtonUsable()
    {
        const std::unique_ptr<TKeyboardManager> nowhere = Manager(FDir.filePath(QStringLiteral("none")));
        TfmNotes notes(*nowhere);
        TNotes melody;
        notes.Start(melody, QStringLiteral("C1;10;5"));
        TBoxRecorder boxes;
        PlayAndCheck(notes, notes.findChild<QPushButton *>(QStringLiteral("btnPlay")));
        QCOMPARE(boxes.Boxes.size(), 1);
        QVERIFY(boxes.Boxes[0].startsWith(QStringLiteral("Ravlin|")));
    }

    void okRefusesATextThatIsNoMelody()
    {
        TNotes melody;
        melody.SetText(u"E1;1;1");
        Notes().Start(melody, QStringLiteral("C1;x;5"));
        Notes().show();
        TBoxRecorder boxes;
        Notes().findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
        QCOMPARE(boxes.Boxes, QStringList({QStringLiteral("Ravlin|\"x\" не является целым числом.|%1")
                                               .arg(int(QMessageBox::Critical))}));
        QVERIFY(Notes().isVisible());
        QCOMPARE(melody.Text(), QStringLiteral("E1;1;1"));

        NotesText()->setPlainText(QStringLiteral("C1;10;5;D1;20;5"));
        Notes().findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
        QVERIFY(!Notes().isVisible());
        QCOMPARE(Notes().result(), int(QDialog::Accepted));
        QCOMPARE(melody.Text(), QStringLiteral("C1;10;5;D1;20;5"));
    }

    void melodiesAreSavedAndLoadedAsTextFiles()
    {
        TNotes melody;
        Notes().Start(melody, QStringLiteral("C1;10;5;\nD1;20;5"));
        const QString path = FDir.filePath(QStringLiteral("melody.txt"));
        Notes().SaveFile(path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("C1;10;5;\r\nD1;20;5\r\n"));
        file.close();

        Notes().findChild<QPushButton *>(QStringLiteral("btnClear"))->click();
        QVERIFY(NotesText()->toPlainText().isEmpty());
        Notes().LoadFile(path);
        QCOMPARE(NotesText()->toPlainText(), QStringLiteral("C1;10;5;\nD1;20;5\n"));

        // A folder is no text file: refused, the field stays.
        QVERIFY_THROWS_EXCEPTION(EError, Notes().LoadFile(FDir.path()));
        QCOMPARE(NotesText()->toPlainText(), QStringLiteral("C1;10;5;\nD1;20;5\n"));
    }
};

QTEST_MAIN(KeyMelodyTest)
#include "KeyMelodyTest.moc"
