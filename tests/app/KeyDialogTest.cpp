#include "common/ActionRegistry.h"
#include "DocTestFixture.h"
#include "KeysTestSupport.h"

#include "document/KeyGrid.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "codeeditors/CodeEditors.h"
#include "keys/KeyCommands.h"
#include "keys/fmuKeyDlg.h"
#include "codeeditors/fmuNotes.h"
#include "model/Notes.h"

#include <QToolButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

// The key dialog edits the selected keys of the active document window.
class KeyDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TDocTestEnvironment> FEnv;
    TRecordingMessages FMessages;
    std::unique_ptr<QWidget> FMain;
    TKeyCommands *FCommands = nullptr;
    std::unique_ptr<TfmDoc> FDoc;

    TfmKeyDlg &Dialog() const { return FCommands->KeyDialog(); }
    template <typename T> T *Find(const char *name) const
    {
        return Dialog().findChild<T *>(QString::fromLatin1(name));
    }
    const TLayout &Layout() const { return FDoc->Document().Layout(); }
    const TKey &Key(int col, int row, int layer = 0) const
    {
        return Layout().Layers().Item(layer).KeyAtOrFail(col, row);
    }

    // Opens a fresh document window of model 1 whose first row of keys is
    // prepared by setup, and makes it the active one.
    void OpenDocument(const std::function<void(TLayout &)> &setup)
    {
        TLayout layout;
        FEnv->Manager->SetLayoutModel(layout, 1);
        setup(layout);
        const QString path = FEnv->FilePath(QStringLiteral("keys.xml"));
        FEnv->Manager->SaveLayout(layout, 0, path);
        FCommands->SetActive(nullptr);
        FDoc = std::make_unique<TfmDoc>(*FEnv->Manager, FMessages);
        FDoc->Document().Open(path, 0);
        FDoc->UseCommands(TActionRegistry(*FMain));
        FCommands->SetActive(FDoc.get());
    }

    void Select(int left, int top, int right, int bottom)
    {
        FDoc->Document().SetSelection(TRect{left, top, right, bottom});
    }

private slots:
    void initTestCase()
    {
        FEnv = std::make_unique<TDocTestEnvironment>();
        FMain = std::make_unique<QWidget>();
        FCommands = new TKeyCommands(*FEnv->Manager, *new TCodeEditors(*FEnv->Manager, *FMain), FMain.get());
        // The main window's key command, as the main window connects it.
        QAction *editKey = TActionRegistry::Make(u"actEditKey", FMain.get());
        connect(editKey, &QAction::triggered, FCommands, &TKeyCommands::EditActiveKey);
    }

    void cleanupTestCase()
    {
        FDoc.reset();
        FMain.reset();
        FEnv.reset();
    }

    void theDialogFollowsTheDocumentAndItsSelection()
    {
        OpenDocument([](TLayout &layout) {
            layout.Layers().Item(0).KeyAtOrFail(0, 0).SetRemark(QStringLiteral("first"));
            layout.Layers().Item(1).KeyAtOrFail(0, 0).MakeCodes().SetText(u"+B -B");
        });
        QCOMPARE(Dialog().Document(), &FDoc->Document());
        QCOMPARE(Find<QListWidget>("lbLayers")->count(), Layout().LayerCount());
        QCOMPARE(Find<QListWidget>("lbLayers")->item(1)->text(), QStringLiteral("Слой 2"));
        QCOMPARE(Dialog().windowTitle(), QStringLiteral("Клавиша (1,1)"));
        QCOMPARE(Find<QLineEdit>("edRemark")->text(), QStringLiteral("first"));
        QCOMPARE(Find<QComboBox>("cbKeyType")->currentText(), QStringLiteral("Макрос"));

        Select(2, 1, 3, 4);
        QCOMPARE(Dialog().windowTitle(), QStringLiteral("Клавиши (1,2)-(4,3)"));
        Select(1, 1, 1, 1);
        Find<QListWidget>("lbLayers")->setCurrentRow(1);
        QCOMPARE(Find<QLineEdit>("edMake")->text(), QStringLiteral("+B -B"));
        QTest::keyClicks(Find<QLineEdit>("edRemark"), QStringLiteral("x"));
        QCOMPARE(Key(0, 0, 1).Remark(), QStringLiteral("x"));
        QCOMPARE(Key(0, 0, 0).Remark(), QStringLiteral("first"));

        FCommands->SetActive(nullptr);
        QVERIFY(!Dialog().Document());
        QVERIFY(Find<QLineEdit>("edRemark")->text().isEmpty());
        QCOMPARE(Find<QListWidget>("lbLayers")->count(), 0);
    }

    void typedCodesGoIntoTheKeysAtOnce()
    {
        OpenDocument([](TLayout &) {});
        Select(1, 1, 2, 1);
        QTest::keyClicks(Find<QLineEdit>("edMake"), QStringLiteral("+A -A +Nokey E0"));
        QCOMPARE(Key(0, 0).MakeCodes().Text(), QStringLiteral("+A -A E0"));
        QCOMPARE(Key(1, 0).MakeCodes().Text(), QStringLiteral("+A -A E0"));
        QVERIFY(Layout().IsModified());
        // Emptying the field empties the codes.
        Find<QLineEdit>("edMake")->selectAll();
        QTest::keyClick(Find<QLineEdit>("edMake"), Qt::Key_Delete);
        QVERIFY(Key(1, 0).MakeCodes().IsEmpty());
    }

    void keysOfDifferentTypesShowNoFunctionAndKeepTheirTypes()
    {
        OpenDocument([](TLayout &layout) {
            layout.SetKeyTypeAll(1, 0, ktLayer2);
            layout.SetKeyTypeAll(2, 0, ktLayerUp);
            layout.Layers().Item(0).KeyAtOrFail(0, 0).SetRemark(QStringLiteral("macro"));
        });
        QCOMPARE(Find<QLineEdit>("edRemark")->text(), QStringLiteral("macro"));
        Select(1, 1, 3, 1);
        QCOMPARE(Find<QComboBox>("cbKeyType")->currentIndex(), -1);
        QVERIFY2(Find<QLineEdit>("edRemark")->text() == QStringLiteral("macro"), "the fields keep what they showed");
        Find<QLineEdit>("edRemark")->clear();
        QTest::keyClicks(Find<QLineEdit>("edRemark"), QStringLiteral("all"));
        QCOMPARE(Key(0, 0).KeyType(), ktMacro);
        QCOMPARE(Key(1, 0).KeyType(), ktLayer2);
        QCOMPARE(Key(2, 0).KeyType(), ktLayerUp);
        QCOMPARE(Key(1, 0).Remark(), QStringLiteral("all"));
    }

    void aMelodyOfTwoKeysKeepsTheirRemarks()
    {
        OpenDocument([](TLayout &layout) {
            layout.Layers().Item(0).KeyAtOrFail(0, 0).SetRemark(QStringLiteral("one"));
            layout.Layers().Item(0).KeyAtOrFail(0, 1).SetRemark(QStringLiteral("two"));
        });
        Select(1, 1, 1, 2);
        QVERIFY(Find<QLineEdit>("edRemark")->text().isEmpty());
        WhenModal<TfmNotes>([](TfmNotes &notes) {
            QCOMPARE(notes.windowTitle(), QStringLiteral("Редактор нот"));
            notes.findChild<QPlainTextEdit *>(QStringLiteral("mmNotes"))->setPlainText(QStringLiteral("C1;10;5"));
            notes.findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
        });
        Find<QToolButton>("edMelodyButton")->click();
        QCOMPARE(Find<QLineEdit>("edMelody")->text(), QStringLiteral("C1;10;5"));
        QCOMPARE(Key(0, 0).Melody().Text(), QStringLiteral("C1;10;5"));
        QCOMPARE(Key(0, 1).Melody().Text(), QStringLiteral("C1;10;5"));
        QCOMPARE(Key(0, 0).Remark(), QStringLiteral("one"));
        QCOMPARE(Key(0, 1).Remark(), QStringLiteral("two"));
    }

    void aLayerKeyHidesTheMacroFieldsAndShowsItsArrow()
    {
        OpenDocument([](TLayout &) {});
        FDoc->resize(900, 800);
        FDoc->show();
        QVERIFY(QTest::qWaitForWindowExposed(FDoc.get()));
        Select(2, 2, 2, 2);
        // The toolbar's "Клавиша" opens the dialog on the shown layer.
        FDoc->SetShownLayer(0);
        FDoc->findChild<QAction *>(QStringLiteral("acKey"))->trigger();
        QVERIFY(Dialog().isVisible());
        auto *type = Find<QComboBox>("cbKeyType");
        QCOMPARE(type->itemText(4), QStringLiteral("Переход на 2 cлой"));
        type->setCurrentIndex(4);
        emit type->activated(4);
        for (const char *name : {"lbLayers", "edMake", "edBreak", "edMakeButton", "chbAutoRepeat"})
            QVERIFY2(!Find<QWidget>(name)->isVisibleTo(&Dialog()), name);
        for (int layer = 0; layer < Layout().LayerCount(); ++layer)
            QCOMPARE(Key(1, 1, layer).KeyType(), ktLayer2);

        Select(5, 5, 5, 5);
        const QImage image = FDoc->Grid().grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect cell = FDoc->Grid().CellRect(2, 2);
        // Each layer's line starts with the green arrow, the digit after it.
        const int line = QFontMetrics(FDoc->Grid().font()).boundingRect(QStringLiteral("999")).height();
        const int arrowWidth = 12 * line / 16;
        int green = 0;
        int digit = 0;
        const QRgb background = image.pixel(cell.right() - 3, cell.bottom() - 3);
        for (int y = cell.top() + 1; y < cell.top() + 1 + line; ++y) {
            for (int x = cell.left() + 2; x < cell.left() + 2 + arrowWidth; ++x)
                green += image.pixel(x, y) == qRgb(0x00, 0xA0, 0x00);
            for (int x = cell.left() + 4 + arrowWidth; x < cell.left() + 14 + arrowWidth; ++x)
                digit += image.pixel(x, y) != background;
        }
        QVERIFY(green > 0);
        QVERIFY(digit > 0);

        Select(2, 2, 2, 2);
        type->setCurrentIndex(0);
        emit type->activated(0);
        QVERIFY(Find<QWidget>("edMake")->isVisibleTo(&Dialog()));
        QCOMPARE(Key(1, 1, 3).KeyType(), ktMacro);
        FDoc->hide();
    }

    void escapeHidesAndKeepsTheNewAutoRepeat()
    {
        OpenDocument([](TLayout &) {});
        Select(3, 1, 3, 1);
        FDoc->SetShownLayer(2);
        FCommands->EditActiveKey();
        QVERIFY(Dialog().isVisible());
        QCOMPARE(Find<QListWidget>("lbLayers")->currentRow(), 1);
        auto *repeat = Find<QCheckBox>("chbAutoRepeat");
        QVERIFY(!repeat->isChecked());
        QTest::mouseClick(repeat, Qt::LeftButton);
        QVERIFY(Key(2, 0, 1).AutoRepeat());
        Dialog().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Dialog()));
        QTest::keyClick(repeat, Qt::Key_Escape);
        QVERIFY(!Dialog().isVisible());
        QVERIFY(Key(2, 0, 1).AutoRepeat());
        QVERIFY(!Key(2, 0, 0).AutoRepeat());
    }

    // In the picture view the key properties command asks for the picture
    // window and leaves the key dialog alone.
    void thePictureViewAsksForThePictureDialog()
    {
        OpenDocument([](TLayout &) {});
        QSignalSpy pictures(FCommands, &TKeyCommands::pictureRequested);
        FDoc->SetViewMode(vmPicture);
        FCommands->EditActiveKey();
        QCOMPARE(pictures.count(), 1);
        QVERIFY(!Dialog().isVisible());
        FDoc->SetViewMode(vmLayout);
    }

    void closingTheDocumentLeavesTheDialogEmpty()
    {
        OpenDocument([](TLayout &layout) { layout.Layers().Item(0).KeyAtOrFail(0, 0).SetRemark(QStringLiteral("r")); });
        FCommands->EditActiveKey();
        QVERIFY(Dialog().isVisible());
        FDoc.reset();
        QVERIFY(!Dialog().Document());
        FCommands->SetActive(nullptr);
        QVERIFY(!Dialog().isVisible());
        QVERIFY(Find<QLineEdit>("edRemark")->text().isEmpty());
        FCommands->EditActiveKey();
        QVERIFY(!Dialog().isVisible());
    }
};

QTEST_MAIN(KeyDialogTest)
#include "KeyDialogTest.moc"
