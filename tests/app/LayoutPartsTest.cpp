#include "common/ActionRegistry.h"
#include "DocTestFixture.h"

#include "base/Error.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "codeeditors/CodeEditors.h"
#include "layoutparts/LayoutPartCommands.h"
#include "layoutparts/fmuKeyLock.h"
#include "layoutparts/fmuMSR.h"
#include "model/KeyLock.h"
#include "model/MSR.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

namespace {

// Runs script on the modal dialog as soon as it is shown.
void WhenShown(QDialog &dialog, const std::function<void()> &script)
{
    QTimer::singleShot(0, &dialog, [&dialog, script] {
        QTRY_VERIFY(dialog.isVisible());
        script();
    });
}

// Clicks an entry of a list as the user does.
void ClickRow(QListWidget &list, int row)
{
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
}

void Retype(QLineEdit &edit, const QString &text)
{
    edit.setFocus();
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, text);
}

template <typename T> T &Child(QWidget &parent, const char *name)
{
    T *child = parent.findChild<T *>(QString::fromLatin1(name));
    if (!child)
        qFatal("no child %s", name);
    return *child;
}

void Click(QWidget &parent, const char *name)
{
    QTest::mouseClick(&Child<QAbstractButton>(parent, name), Qt::LeftButton);
}

const TMSR &Reader(const TLayout &layout, int layer)
{
    return layout.Layers().Item(layer).MSR();
}

const TKeyPosition &Position(const TLayout &layout, int layer, int position)
{
    return layout.Layers().Item(layer).KeyLock().Item(position);
}

} // namespace

// The card reader and key lock dialogs on a working copy: Cancel leaves the
// document as it was, OK hands every layer to the document at once, and the
// layer and position edited last are shown again.
class LayoutPartsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TDocTestEnvironment> FEnv;
    std::unique_ptr<QWidget> FWindow;
    std::unique_ptr<TLayoutPartCommands> FCommands;

    // A document of a model, read from a file whose layer 3 reader has the
    // prefix "+B -B" on track 2 and whose layer 1 key lock position 1 sends "+D".
    std::unique_ptr<TLayoutDocument> OpenDocument(int keyboardId)
    {
        TLayout layout;
        FEnv->Manager->SetLayoutModel(layout, keyboardId);
        layout.Layers().Item(2).MSR().Track(1).Prefix().SetText(u"+B -B");
        if (layout.Layers().Item(0).KeyLock().Count() > 0)
            layout.Layers().Item(0).KeyLock().Item(0).Codes().SetText(u"+D");
        const QString path = FEnv->FilePath(QStringLiteral("parts%1.xml").arg(keyboardId));
        FEnv->Manager->SaveLayout(layout, 0, path);
        auto document = std::make_unique<TLayoutDocument>(*FEnv->Manager);
        document->Open(path, 0);
        return document;
    }

private slots:
    void init()
    {
        FEnv = std::make_unique<TDocTestEnvironment>();
        FWindow = std::make_unique<QWidget>();
        FCommands = std::make_unique<TLayoutPartCommands>(*FEnv->Manager, *new TCodeEditors(*FEnv->Manager, *FWindow), *FWindow);
    }
    void cleanup()
    {
        FCommands.reset();
        FWindow.reset();
        FEnv.reset();
    }

    void cancelLeavesTheDocumentAndReopeningShowsTheLayerEditedLast()
    {
        auto document = OpenDocument(1);
        TfmMSR &dialog = FCommands->CardReaderDialog();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Cчитыватель магнитных карт"));
        WhenShown(dialog, [&] {
            ClickRow(Child<QListWidget>(dialog, "lbLayers"), 2);
            QCOMPARE(Child<QLineEdit>(dialog, "edPrefix2").text(), QStringLiteral("+B -B"));
            Retype(Child<QLineEdit>(dialog, "edPrefix2"), QStringLiteral("+A -A"));
            Child<QCheckBox>(dialog, "cbSendEnter").setChecked(true);
            ClickRow(Child<QListWidget>(dialog, "lbLayers"), 3);
            Click(dialog, "btnCancel");
        });
        FCommands->EditCardReader(*document);
        QVERIFY(!document->IsModified());
        QCOMPARE(Reader(document->Layout(), 2).Track(1).Prefix().Text(), QStringLiteral("+B -B"));
        QVERIFY(!Reader(document->Layout(), 2).SendEnter());

        // Reopening starts from the document again, on the layer shown last.
        WhenShown(dialog, [&] {
            QCOMPARE(Child<QListWidget>(dialog, "lbLayers").currentRow(), 3);
            ClickRow(Child<QListWidget>(dialog, "lbLayers"), 2);
            QCOMPARE(Child<QLineEdit>(dialog, "edPrefix2").text(), QStringLiteral("+B -B"));
            QVERIFY(!Child<QCheckBox>(dialog, "cbSendEnter").isChecked());
            Click(dialog, "btnCancel");
        });
        FCommands->EditCardReader(*document);
        QCOMPARE(dialog.Layer(), 2);
        QVERIFY(!document->IsModified());
    }

    void okHandsEveryLayerToTheDocumentAtOnce()
    {
        auto document = OpenDocument(1);
        QSignalSpy changes(document.get(), &TLayoutDocument::changed);
        TfmMSR &dialog = FCommands->CardReaderDialog();
        WhenShown(dialog, [&] {
            ClickRow(Child<QListWidget>(dialog, "lbLayers"), 0);
            Retype(Child<QLineEdit>(dialog, "edSuffix3"), QStringLiteral("+C -C"));
            Child<QCheckBox>(dialog, "cbTrack1").setChecked(false);
            Child<QCheckBox>(dialog, "cbStopOnError").setChecked(true);
            ClickRow(Child<QListWidget>(dialog, "lbLayers"), 3);
            Retype(Child<QLineEdit>(dialog, "edMelody"), QStringLiteral("C1;10;5"));
            Click(dialog, "btnOK");
        });
        FCommands->EditCardReader(*document);
        QVERIFY(document->IsModified());
        QCOMPARE(changes.count(), 1);
        QCOMPARE(Reader(document->Layout(), 0).Track(2).Suffix().Text(), QStringLiteral("+C -C"));
        QVERIFY(!Reader(document->Layout(), 0).Track(0).Enabled());
        QVERIFY(Reader(document->Layout(), 0).StopOnError());
        QCOMPARE(Reader(document->Layout(), 3).Melody().Text(), QStringLiteral("C1;10;5"));
        QCOMPARE(Reader(document->Layout(), 2).Track(1).Prefix().Text(), QStringLiteral("+B -B"));
    }

    void aMelodyThatDoesNotParseKeepsTheDialogOpen()
    {
        auto document = OpenDocument(1);
        TfmMSR &dialog = FCommands->CardReaderDialog();
        std::shared_ptr<TBoxAnswer> error;
        bool stayedOpen = false;
        WhenShown(dialog, [&] {
            Retype(Child<QLineEdit>(dialog, "edMelody"), QStringLiteral("C1;x;5"));
            error = AnswerNextBox(QMessageBox::Ok);
            Click(dialog, "btnOK");
            stayedOpen = dialog.isVisible();
            // Another layer is not shown either while the melody is wrong.
            error = AnswerNextBox(QMessageBox::Ok);
            const int layer = dialog.Layer();
            ClickRow(Child<QListWidget>(dialog, "lbLayers"), (layer + 1) % 4);
            QCOMPARE(Child<QListWidget>(dialog, "lbLayers").currentRow(), layer);
            Click(dialog, "btnCancel");
        });
        FCommands->EditCardReader(*document);
        QVERIFY(stayedOpen);
        QVERIFY(!error->Text.isEmpty());
        QVERIFY(!document->IsModified());
    }

    void codeFieldsHandTheirSequenceToTheCodeEditor()
    {
        auto document = OpenDocument(1);
        TfmMSR &dialog = FCommands->CardReaderDialog();
        dialog.Load(document->Layout());
        // Without a code editor the fields take the text form only.
        dialog.SetEditors({});
        QVERIFY(!Child<QToolButton>(dialog, "edPrefix1Button").isEnabled());

        QList<std::pair<QString, int>> calls;
        TPartEditors editors;
        editors.EditCodes = [&calls](QWidget &, TScanCodes &codes, int mode) {
            calls << std::pair(codes.Text(), mode);
            codes.SetText(u"+E -E");
            return true;
        };
        dialog.SetEditors(editors);
        dialog.show();
        QLineEdit &prefix = Child<QLineEdit>(dialog, "edPrefix1");
        Retype(prefix, QStringLiteral("+F"));
        Click(dialog, "edPrefix1Button");
        QCOMPARE(prefix.text(), QStringLiteral("+E -E"));
        QMenu &menu = *prefix.parentWidget()->findChild<QMenu *>();
        for (QAction *action : menu.actions())
            if (action->text() == u"Добавить коды отжатия")
                action->trigger();
        QCOMPARE(calls, (QList<std::pair<QString, int>>{{QStringLiteral("+F"), 2}, {QStringLiteral("+E -E"), 1}}));
        QCOMPARE(Reader(dialog.Result(), dialog.Layer()).Track(0).Prefix().Text(), QStringLiteral("+E -E"));
        try {
            dialog.EditCodes(6, 2);
            QFAIL("field 6 accepted");
        } catch (const EError &error) {
            QCOMPARE(error.Message(), QStringLiteral("Неверный номер трека"));
        }
        dialog.reject();
    }

    void allLayersTakeTheShownKeyLockWithItsLastEdit()
    {
        auto document = OpenDocument(1);
        TfmKeyLock &dialog = FCommands->KeyLockDialog();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Ключ клавиатуры"));
        WhenShown(dialog, [&] {
            ClickRow(Child<QListWidget>(dialog, "lbLayers"), 0);
            QListWidget &positions = Child<QListWidget>(dialog, "lbPositions");
            QCOMPARE(positions.count(), 8);
            QCOMPARE(positions.item(1)->text(), QStringLiteral("Позиция 2"));
            ClickRow(positions, 0);
            QCOMPARE(Child<QLineEdit>(dialog, "edCodes").text(), QStringLiteral("+D"));
            ClickRow(positions, 1);
            QComboBox &function = Child<QComboBox>(dialog, "cbFunction");
            QCOMPARE(function.itemText(2), QStringLiteral("Переход на 2 cлой"));
            function.setCurrentIndex(2);
            Retype(Child<QLineEdit>(dialog, "edCodes"), QStringLiteral("+C -C"));
            Child<QCheckBox>(dialog, "cbLocked").setChecked(true);
            // Leaving the position and coming back shows what was stored.
            ClickRow(positions, 4);
            QCOMPARE(function.currentIndex(), 0);
            ClickRow(positions, 1);
            QCOMPARE(function.currentIndex(), 2);
            Click(dialog, "btnAllLayers");
            Click(dialog, "btnOK");
        });
        FCommands->EditKeyLock(*document);
        QVERIFY(document->IsModified());
        for (int layer = 0; layer < 4; ++layer) {
            const TKeyPosition &second = Position(document->Layout(), layer, 1);
            QCOMPARE(second.PositionType(), 2);
            QCOMPARE(second.Codes().Text(), QStringLiteral("+C -C"));
            QVERIFY(second.Locked());
            QCOMPARE(Position(document->Layout(), layer, 0).Codes().Text(), QStringLiteral("+D"));
            QCOMPARE(document->Layout().Layers().Item(layer).KeyLock().Count(), 8);
        }
        QCOMPARE(dialog.Position(), 1);
    }

    void aLayoutWithFewerPositionsShowsTheFirst()
    {
        auto eight = OpenDocument(1);
        TfmKeyLock &dialog = FCommands->KeyLockDialog();
        WhenShown(dialog, [&] {
            ClickRow(Child<QListWidget>(dialog, "lbLayers"), 1);
            ClickRow(Child<QListWidget>(dialog, "lbPositions"), 6);
            Click(dialog, "btnCancel");
        });
        FCommands->EditKeyLock(*eight);
        QCOMPARE(dialog.Position(), 6);
        auto four = OpenDocument(4);
        dialog.Load(four->Layout());
        QCOMPARE(dialog.Position(), 0);
        QCOMPARE(dialog.Layer(), 1);
        QCOMPARE(Child<QListWidget>(dialog, "lbPositions").count(), 4);
        QCOMPARE(Child<QListWidget>(dialog, "lbPositions").currentRow(), 0);
    }

    void commandsAreEnabledByTheActiveLayout()
    {
        TRecordingMessages messages;
        TfmDoc withBoth(*FEnv->Manager, messages);
        withBoth.Document().Open(FEnv->WriteLayoutFile(QStringLiteral("one.xml"), 1, {}), 0);
        TfmDoc readerOnly(*FEnv->Manager, messages);
        readerOnly.Document().Open(FEnv->WriteLayoutFile(QStringLiteral("three.xml"), 3, {}), 0);
        QAction &reader = *FCommands->ReaderAction();
        QAction &keyLock = *FCommands->KeyLockAction();
        QCOMPARE(reader.text(), QStringLiteral("Считыватель магнитных карт"));
        QCOMPARE(reader.iconText(), QStringLiteral("Считыватель"));
        QCOMPARE(reader.shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+R")));
        QCOMPARE(keyLock.text(), QStringLiteral("Ключ клавиатуры"));
        QCOMPARE(keyLock.iconText(), QStringLiteral("Ключ"));
        QCOMPARE(keyLock.shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+K")));

        QVERIFY(!reader.isEnabled() && !keyLock.isEnabled());
        FCommands->SetActive(&withBoth);
        QVERIFY(reader.isEnabled() && keyLock.isEnabled());
        FCommands->SetActive(&readerOnly);
        QVERIFY(reader.isEnabled() && !keyLock.isEnabled());
        // A change of model follows at once.
        readerOnly.Document().ChangeKeyboard(2);
        QVERIFY(!reader.isEnabled());
        FCommands->SetActive(nullptr);
        QVERIFY(!reader.isEnabled() && !keyLock.isEnabled());

        // The document toolbar's button runs the command on the active document.
        withBoth.UseCommands(TActionRegistry(*FWindow));
        FCommands->SetActive(&withBoth);
        TfmKeyLock &dialog = FCommands->KeyLockDialog();
        bool shown = false;
        WhenShown(dialog, [&] {
            shown = true;
            Click(dialog, "btnCancel");
        });
        withBoth.findChild<QAction *>(QStringLiteral("acKeyLock"))->trigger();
        QVERIFY(shown);
    }
};

QTEST_MAIN(LayoutPartsTest)
#include "LayoutPartsTest.moc"
