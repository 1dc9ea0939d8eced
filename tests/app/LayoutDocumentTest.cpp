#include "DocTestFixture.h"

#include "base/Error.h"
#include "document/LayoutDocument.h"
#include "files/LayoutFileFormats.h"

#include <QSignalSpy>
#include <QtTest>

// The document object: files in and out in the format they came in, and the
// clipboard edits through layout text.
class LayoutDocumentTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TDocTestEnvironment> FEnv;

private slots:
    void init() { FEnv = std::make_unique<TDocTestEnvironment>(); }
    void cleanup() { FEnv.reset(); }

    void newDocumentHasTheDefaultModelAndIsUnmodified()
    {
        TLayoutDocument document(*FEnv->Manager);
        QCOMPARE(document.Layout().KeyboardID(), 1);
        QVERIFY(!document.IsModified());
        QVERIFY(document.NeedsSaving());
    }

    void openKeepsSelectionAndSaveAsRoundTrips()
    {
        const QString path = FEnv->WriteLayoutFile(QStringLiteral("a.xml"), 2, {{0, 0, QStringLiteral("+A -A")}},
                                                   TRect{2, 1, 3, 2});
        TLayoutDocument document(*FEnv->Manager);
        QSignalSpy names(&document, &TLayoutDocument::fileNameChanged);
        document.Open(path, 0);
        QCOMPARE(document.FileName(), path);
        QCOMPARE(names.count(), 1);
        QVERIFY(!document.IsModified());
        QVERIFY(!document.NeedsSaving());
        QCOMPARE(document.Layout().KeyboardID(), 2);
        QCOMPARE(document.Layout().Selection(), (TRect{2, 1, 3, 2}));
        const QString codes = CellCodes(document.Layout(), 0, 0);
        QVERIFY(!codes.isEmpty());

        document.SetSelection(TRect{1, 1, 1, 1});
        document.Clear(0, vmLayout);
        QVERIFY(document.IsModified());
        const QString copy = FEnv->FilePath(QStringLiteral("b.xml"));
        document.SaveAs(copy, 0);
        QVERIFY(!document.IsModified());
        QCOMPARE(document.FileName(), copy);

        TLayoutDocument reopened(*FEnv->Manager);
        reopened.Open(copy, 0);
        QVERIFY(CellCodes(reopened.Layout(), 0, 0).isEmpty());
    }

    void failedOpenLeavesTheDocument()
    {
        const QString broken = FEnv->FilePath(QStringLiteral("broken.xml"));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<?xml version=\"1.0\"?><nothing");
        file.close();
        TLayoutDocument document(*FEnv->Manager);
        QVERIFY_THROWS_EXCEPTION(EError, document.Open(broken, 0));
        QVERIFY(document.FileName().isEmpty());
        QCOMPARE(document.Layout().KeyboardID(), 1);
    }

    void imageFilesAreSavedAsImagesOfTheirVersion_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("writeIndex");
        QTest::addColumn<int>("saveIndex");
        QTest::newRow("2.8") << 0x0208 << 5 << 5;
        QTest::newRow("2.9") << 0x0209 << 6 << 6;
        QTest::newRow("2.10") << 0x020A << 2 << 2;
    }

    void imageFilesAreSavedAsImagesOfTheirVersion()
    {
        QFETCH(int, version);
        QFETCH(int, writeIndex);
        QFETCH(int, saveIndex);
        TLayout layout;
        FEnv->Manager->SetLayoutModel(layout, 2);
        layout.SetVersion(uint16_t(version));
        layout.Layers().Item(0).KeyAtOrFail(1, 1).MakeCodes().SetText(u"+B -B");
        layout.Layers().Item(0).KeyAtOrFail(2, 2).MakeCodes().SetText(u"+C -C");
        const QString path = FEnv->FilePath(QStringLiteral("image.bin"));
        FEnv->Manager->SaveLayout(layout, writeIndex, path);

        TLayoutDocument document(*FEnv->Manager);
        document.Open(path, ofImage);
        QCOMPARE(document.SaveIndex(), saveIndex);
        document.SetSelection(TRect{3, 3, 3, 3});
        document.Clear(0, vmLayout);
        QVERIFY(document.IsModified());
        document.Save();
        QVERIFY(!document.IsModified());

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().startsWith("<?xml"));
        TLayoutDocument reopened(*FEnv->Manager);
        reopened.Open(path, ofImage);
        QCOMPARE(int(reopened.Layout().Version()), version);
        QCOMPARE(CellCodes(reopened.Layout(), 1, 1), CellCodes(layout, 1, 1));
        QVERIFY(CellCodes(reopened.Layout(), 2, 2).isEmpty());
    }

    void saveWithoutFileNameIsRefused()
    {
        TLayoutDocument document(*FEnv->Manager);
        QVERIFY_THROWS_EXCEPTION(EError, document.Save());
    }

    void blockIntoOneCellAndOneCellIntoRange()
    {
        const QString path = FEnv->WriteLayoutFile(
            QStringLiteral("src.xml"), 2, {{0, 0, QStringLiteral("+A -A")}, {1, 0, QStringLiteral("+B -B")}});
        TLayoutDocument source(*FEnv->Manager);
        source.Open(path, 0);
        const QString a = CellCodes(source.Layout(), 0, 0);
        const QString b = CellCodes(source.Layout(), 1, 0);

        source.SetSelection(TRect{1, 1, 2, 1});
        const QString block = source.Copy();
        TLayoutDocument target(*FEnv->Manager);
        target.ChangeKeyboard(2);
        target.SetSelection(TRect{3, 3, 3, 3});
        target.Paste(block, 0, vmLayout);
        // A block is cut to the one selected cell: its first cell goes there.
        QCOMPARE(CellCodes(target.Layout(), 2, 2), a);
        QVERIFY(CellCodes(target.Layout(), 3, 2).isEmpty());

        source.SetSelection(TRect{2, 1, 2, 1});
        const QString single = source.Copy();
        target.SetSelection(TRect{1, 4, 3, 5});
        target.Paste(single, 0, vmLayout);
        for (int col = 0; col <= 2; ++col)
            for (int row = 3; row <= 4; ++row)
                QCOMPARE(CellCodes(target.Layout(), col, row), b);
        QVERIFY(target.IsModified());
    }

    void cutClearsTheSource()
    {
        const QString path = FEnv->WriteLayoutFile(QStringLiteral("cut.xml"), 2, {{0, 0, QStringLiteral("+A -A")}});
        TLayoutDocument document(*FEnv->Manager);
        document.Open(path, 0);
        const QString codes = CellCodes(document.Layout(), 0, 0);
        const QString text = document.Cut(0, vmLayout);
        QVERIFY(CellCodes(document.Layout(), 0, 0).isEmpty());
        document.SetSelection(TRect{2, 2, 2, 2});
        document.Paste(text, 0, vmLayout);
        QCOMPARE(CellCodes(document.Layout(), 1, 1), codes);
    }

    void pasteOfOtherTextChangesNothing()
    {
        const QString path = FEnv->WriteLayoutFile(QStringLiteral("p.xml"), 2, {{0, 0, QStringLiteral("+A -A")}});
        TLayoutDocument document(*FEnv->Manager);
        document.Open(path, 0);
        QSignalSpy changes(&document, &TLayoutDocument::changed);
        const QString before = FEnv->Manager->LayoutToXML(document.Layout());
        QVERIFY_THROWS_EXCEPTION(EError, document.Paste(QStringLiteral("просто текст"), 0, vmLayout));
        QVERIFY_THROWS_EXCEPTION(EError, document.Paste(QString(), 0, vmLayout));
        QCOMPARE(FEnv->Manager->LayoutToXML(document.Layout()), before);
        QVERIFY(!document.IsModified());
        QCOMPARE(changes.count(), 0);
    }

    void pasteKeepsNothingOfAnEarlierClipboard()
    {
        // The second text has no codes for its cell: the pasted key must be
        // empty, not hold the codes the first text brought.
        const QString full = FEnv->WriteLayoutFile(QStringLiteral("full.xml"), 2, {{0, 0, QStringLiteral("+A -A")}});
        const QString empty = FEnv->WriteLayoutFile(QStringLiteral("empty.xml"), 2, {});
        TLayoutDocument withCodes(*FEnv->Manager);
        withCodes.Open(full, 0);
        TLayoutDocument withoutCodes(*FEnv->Manager);
        withoutCodes.Open(empty, 0);

        const QString target = FEnv->WriteLayoutFile(QStringLiteral("t.xml"), 2, {{3, 3, QStringLiteral("+Z -Z")}});
        TLayoutDocument document(*FEnv->Manager);
        document.Open(target, 0);
        document.SetSelection(TRect{4, 4, 4, 4});
        document.Paste(withCodes.Copy(), 0, vmLayout);
        QCOMPARE(CellCodes(document.Layout(), 3, 3), CellCodes(withCodes.Layout(), 0, 0));
        document.Paste(withoutCodes.Copy(), 0, vmLayout);
        QVERIFY(CellCodes(document.Layout(), 3, 3).isEmpty());
    }

    void changedReEmitsEveryNotification()
    {
        TLayoutDocument document(*FEnv->Manager);
        QSignalSpy changes(&document, &TLayoutDocument::changed);
        document.SetSelection(TRect{1, 1, 2, 2});
        document.Activate();
        document.Deactivate();
        QCOMPARE(changes.count(), 3);
        QCOMPARE(changes.at(0).at(0).toInt(), int(lcSelection));
        QCOMPARE(changes.at(1).at(0).toInt(), int(lcActivated));
        QCOMPARE(changes.at(2).at(0).toInt(), int(lcDeactivated));
    }

    void assignFromTheKeyboardStartsModifiedWithoutFile()
    {
        const QString path = FEnv->WriteLayoutFile(QStringLiteral("k.xml"), 2, {{0, 0, QStringLiteral("+A -A")}});
        TLayoutDocument document(*FEnv->Manager);
        document.Open(path, 0);
        TLayout read;
        FEnv->Manager->SetLayoutModel(read, 4);
        document.AssignFrom(read);
        QCOMPARE(document.Layout().KeyboardID(), 4);
        QVERIFY(document.FileName().isEmpty());
        QVERIFY(document.IsModified());
    }

    void groupRefusesOverlapsAndUngroupFrees()
    {
        TLayoutDocument document(*FEnv->Manager);
        document.SetSelection(TRect{1, 1, 2, 2});
        QVERIFY(document.Group());
        QVERIFY(document.HasGroupInSelection());
        document.SetSelection(TRect{2, 2, 3, 3});
        QVERIFY(!document.Group());
        document.SetSelection(TRect{3, 3, 3, 3});
        QVERIFY(!document.Group());
        document.SetSelection(TRect{2, 2, 3, 3});
        document.Ungroup();
        QVERIFY(!document.HasGroupInSelection());
    }
};

QTEST_MAIN(LayoutDocumentTest)
#include "LayoutDocumentTest.moc"
