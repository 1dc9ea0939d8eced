#include "DocTestFixture.h"

#include "base/Error.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "model/KeyLock.h"
#include "model/KeyPicture.h"
#include "model/MSR.h"
#include "model/MasterKey.h"
#include "model/Notes.h"
#include "support/LayoutCompare.h"
#include "support/RichLayout.h"

#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>

#define COMPARE_LAYOUTS(expected, actual)                                                                        \
    do {                                                                                                         \
        const QString differences = LayoutDifferences(expected, actual);                                         \
        QVERIFY2(differences.isEmpty(), qPrintable(differences));                                                \
    } while (false)

namespace {

// The rich layout's model: 8 by 8 keys, 4 layers, card reader and key lock.
constexpr int kRichModel = 1;
constexpr int kOtherModel = 4;

std::unique_ptr<TLayout> CopyOf(const TLayout &layout)
{
    auto copy = std::make_unique<TLayout>();
    copy->Assign(layout);
    return copy;
}

// A multi-key editor value holding one property of the key dialog.
void FillField(TMasterKey &values, TLayoutDocument::TKeyField field)
{
    using TField = TLayoutDocument::TKeyField;
    switch (field) {
    case TField::Type:
        values.KeyType().SetValue(ktLayer2);
        break;
    case TField::MakeCodes:
        values.MakeCodes().SetText(u"+Q -Q");
        break;
    case TField::BreakCodes:
        values.BreakCodes().SetText(u"E0 12");
        break;
    case TField::AutoRepeat:
        values.AutoRepeat().SetValue(true);
        break;
    case TField::Remark:
        values.Remark().SetValue(QStringLiteral("новое"));
        break;
    case TField::Melody:
        values.Melody().SetText(u"C1;10;5");
        break;
    }
}

void SetRemark(TLayoutDocument &document, const QString &text)
{
    TMasterKey values;
    values.Remark().SetValue(text);
    document.ChangeKeys(0, TLayoutDocument::TKeyField::Remark, values);
}

} // namespace

// The undo stack of the document: one step per edit, named after its
// command, undone and redone exactly; the modified flag follows the stack.
class UndoDocumentTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TDocTestEnvironment> FEnv;
    std::unique_ptr<TLayoutDocument> FDocument;
    std::unique_ptr<TLayout> FBefore;

    QUndoStack &Stack() const { return FDocument->UndoStack(); }

    // Opens a saved copy of the rich layout: a clean document without steps.
    void OpenRich()
    {
        const auto rich = MakeRichLayout(FEnv->Manager->Keyboards(), kRichModel);
        const QString path = FEnv->FilePath(QStringLiteral("rich.xml"));
        FEnv->Manager->SaveLayout(*rich, 0, path);
        FDocument->Open(path, 0);
    }

    void Select(int left, int top, int right, int bottom) { FDocument->SetSelection({left, top, right, bottom}); }
    // Keeps the layout as it is just before an edit.
    void Snap() { FBefore = CopyOf(FDocument->Layout()); }

    // Selects the first block of two cells that no group touches.
    void SelectFreePair()
    {
        for (int row = 1; row <= FDocument->Layout().Rows(); ++row) {
            Select(1, row, 2, row);
            if (!FDocument->HasGroupInSelection())
                return;
        }
        QFAIL("no free cells");
    }

    // Runs the edit of a row of everyCommandIsOneStep.
    void RunEdit(const QString &edit)
    {
        using TField = TLayoutDocument::TKeyField;
        const QMap<QString, TField> fields = {{QStringLiteral("type"), TField::Type},
                                              {QStringLiteral("make"), TField::MakeCodes},
                                              {QStringLiteral("break"), TField::BreakCodes},
                                              {QStringLiteral("repeat"), TField::AutoRepeat},
                                              {QStringLiteral("remark"), TField::Remark},
                                              {QStringLiteral("melody"), TField::Melody}};
        if (fields.contains(edit)) {
            Select(2, 2, 3, 2);
            TMasterKey values;
            FillField(values, fields[edit]);
            Snap();
            FDocument->ChangeKeys(1, fields[edit], values);
        } else if (edit == u"cut") {
            Select(1, 1, 2, 2);
            Snap();
            FDocument->Cut(0, vmLayout);
        } else if (edit == u"paste") {
            Select(1, 1, 2, 2);
            const QString text = FDocument->Copy();
            Select(5, 5, 8, 8);
            Snap();
            FDocument->Paste(text, 0, vmLayout);
        } else if (edit == u"clear layer") {
            Select(3, 3, 4, 4);
            Snap();
            FDocument->Clear(2, vmLayout);
        } else if (edit == u"clear pictures") {
            Select(1, 1, 8, 8);
            Snap();
            FDocument->Clear(0, vmPicture);
        } else if (edit == u"group") {
            SelectFreePair();
            Snap();
            QVERIFY(FDocument->Group());
        } else if (edit == u"ungroup") {
            Select(1, 1, 8, 8);
            Snap();
            FDocument->Ungroup();
        } else if (edit == u"replace") {
            Snap();
            QVERIFY(FDocument->Replace(QStringLiteral("+A -A"), QStringLiteral("+Z -Z"), 0) > 0);
        } else if (edit == u"picture text" || edit == u"picture colour") {
            Select(1, 1, 2, 1);
            TMasterKey master;
            FDocument->LoadKeys(master);
            master.ResetFlags();
            if (edit == u"picture text")
                master.Picture().SetText(QStringLiteral("Итог"));
            else
                master.Picture().SetBackgroundColor(0x00FF00);
            Snap();
            FDocument->ApplyMaster(master, true);
        } else if (edit == u"card reader" || edit == u"key lock") {
            TLayout parts;
            parts.Assign(FDocument->Layout());
            if (edit == u"card reader")
                parts.Layers().Item(1).MSR().SetSendEnter(!parts.Layers().Item(1).MSR().SendEnter());
            else
                parts.Layers().Item(2).KeyLock().Item(0).SetLocked(!parts.Layers().Item(2).KeyLock().Item(0).Locked());
            Snap();
            if (edit == u"card reader")
                FDocument->SetCardReaders(parts);
            else
                FDocument->SetKeyLocks(parts);
        } else if (edit == u"model") {
            Snap();
            FDocument->ChangeKeyboard(kOtherModel);
        } else if (edit == u"version") {
            Snap();
            FDocument->SetProgramVersion(0x0209);
        } else {
            QFAIL(qPrintable(edit));
        }
    }

private slots:
    void init()
    {
        FEnv = std::make_unique<TDocTestEnvironment>();
        FDocument = std::make_unique<TLayoutDocument>(*FEnv->Manager);
    }
    void cleanup()
    {
        FDocument.reset();
        FEnv.reset();
    }

    void everyCommandIsOneStep_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("step");
        const std::pair<const char *, const char16_t *> rows[] = {
            {"cut", u"Вырезать"},
            {"paste", u"Вставить"},
            {"clear layer", u"Очистить"},
            {"clear pictures", u"Очистить"},
            {"group", u"Сгруппировать"},
            {"ungroup", u"Разгруппировать"},
            {"replace", u"Заменить"},
            {"type", u"Функция клавиши"},
            {"make", u"При нажатии"},
            {"break", u"При отжатии"},
            {"repeat", u"Автоповтор клавиши"},
            {"remark", u"Примечание"},
            {"melody", u"Звук"},
            {"picture text", u"Текст рисунка"},
            {"picture colour", u"Изменить фон"},
            {"card reader", u"Считыватель магнитных карт"},
            {"key lock", u"Ключ клавиатуры"},
            {"model", u"Свойства раскладки"},
            {"version", u"Записать раскладку"},
        };
        for (const auto &[edit, step] : rows)
            QTest::newRow(edit) << QString::fromLatin1(edit) << QString::fromUtf16(step);
    }

    // Do, undo, redo and undo again, each compared with the layout before
    // and after the edit (keys of every layer, groups, reader, key lock,
    // model, version and the selection the step changed).
    void everyCommandIsOneStep()
    {
        QFETCH(QString, edit);
        QFETCH(QString, step);
        OpenRich();
        Select(2, 1, 2, 1);
        QSignalSpy views(FDocument.get(), &TLayoutDocument::changed);
        RunEdit(edit);
        QVERIFY(FBefore);
        const TLayout &before = *FBefore;
        const auto after = CopyOf(FDocument->Layout());
        QVERIFY2(!LayoutDifferences(before, *after).isEmpty(), "the edit changed nothing");
        QCOMPARE(Stack().count(), 1);
        QCOMPARE(Stack().undoText(), step);
        QVERIFY(FDocument->IsModified());

        views.clear();
        Stack().undo();
        COMPARE_LAYOUTS(before, FDocument->Layout());
        QVERIFY(!FDocument->IsModified());
        QVERIFY(!views.isEmpty());
        Stack().redo();
        COMPARE_LAYOUTS(*after, FDocument->Layout());
        QVERIFY(FDocument->IsModified());
        Stack().undo();
        COMPARE_LAYOUTS(before, FDocument->Layout());
    }

    void undoToTheSavedStepClearsModifiedAndRedoSetsIt()
    {
        OpenRich();
        QSignalSpy modified(FDocument.get(), &TLayoutDocument::modifiedChanged);
        Select(1, 1, 1, 1);
        SetRemark(*FDocument, QStringLiteral("до сохранения"));
        FDocument->Save();
        QVERIFY(!FDocument->IsModified());
        Select(2, 2, 2, 2);
        SetRemark(*FDocument, QStringLiteral("после"));
        QVERIFY(FDocument->IsModified());
        Stack().undo();
        QVERIFY(!FDocument->IsModified());
        Stack().undo();
        // Behind the saved step counts as modified too.
        QVERIFY(FDocument->IsModified());
        Stack().redo();
        QVERIFY(!FDocument->IsModified());
        Stack().redo();
        QVERIFY(FDocument->IsModified());
        QCOMPARE(modified.count(), 7);
        QCOMPARE(modified.last().first().toBool(), true);
    }

    void typingInOneFieldMergesUntilAnotherFieldKeyOrLoad()
    {
        OpenRich();
        Select(1, 1, 2, 1);
        const QString original = FDocument->Layout().Layers().Item(0).KeyAtOrFail(0, 0).Remark();
        for (const QString &text : {QStringLiteral("И"), QStringLiteral("Ит"), QStringLiteral("Итог")})
            SetRemark(*FDocument, text);
        QCOMPARE(Stack().count(), 1);
        TMasterKey codes;
        codes.MakeCodes().SetText(u"+A -A");
        FDocument->ChangeKeys(0, TLayoutDocument::TKeyField::MakeCodes, codes);
        QCOMPARE(Stack().count(), 2);
        SetRemark(*FDocument, QStringLiteral("Итог 2"));
        // Back to a field typed in before is a new step.
        QCOMPARE(Stack().count(), 3);
        Select(3, 3, 3, 3);
        SetRemark(*FDocument, QStringLiteral("x"));
        // Another selection.
        QCOMPARE(Stack().count(), 4);
        TMasterKey loaded;
        loaded.Layer = 0;
        FDocument->LoadKeys(loaded);
        SetRemark(*FDocument, QStringLiteral("xy"));
        // A new load (another layer chosen, an outside change).
        QCOMPARE(Stack().count(), 5);

        // The merged step undoes all the typing at once.
        for (int i = 0; i < 4; ++i)
            Stack().undo();
        QCOMPARE(FDocument->Layout().Layers().Item(0).KeyAtOrFail(0, 0).Remark(), QStringLiteral("Итог"));
        Stack().undo();
        QCOMPARE(FDocument->Layout().Layers().Item(0).KeyAtOrFail(0, 0).Remark(), original);

        // Typing that ends where it began leaves no step.
        // (On a cell of macro keys on every layer: a remark touches no other
        // layer there.)
        Select(1, 1, 1, 1);
        TMasterKey macro;
        macro.KeyType().SetValue(ktMacro);
        FDocument->ChangeKeys(0, TLayoutDocument::TKeyField::Type, macro);
        Stack().clear();
        const QString remark = FDocument->Layout().Layers().Item(0).KeyAtOrFail(0, 0).Remark();
        SetRemark(*FDocument, remark + u'!');
        SetRemark(*FDocument, remark);
        QCOMPARE(Stack().count(), 0);
    }

    void failedReplaceChangesNothingAndPushesNothing()
    {
        QStringList bytes;
        for (int i = 0; i < 200; ++i)
            bytes << QStringLiteral("1");
        const QString path = FEnv->WriteLayoutFile(QStringLiteral("long.xml"), kRichModel,
                                                   {{0, 0, QStringLiteral("1 2")}, {3, 3, bytes.join(u' ')}});
        FDocument->Open(path, 0);
        const auto before = CopyOf(FDocument->Layout());
        QVERIFY_THROWS_EXCEPTION(EError, FDocument->Replace(QStringLiteral("1"), QStringLiteral("1 1"), 1));
        COMPARE_LAYOUTS(*before, FDocument->Layout());
        QCOMPARE(Stack().count(), 0);
        QVERIFY(!FDocument->IsModified());
    }

    void editsThatChangeNothingPushNothing()
    {
        OpenRich();
        Select(1, 1, 1, 1);
        FDocument->Clear(0, vmLayout);
        QCOMPARE(Stack().count(), 1);
        FDocument->Clear(0, vmLayout);
        Select(8, 8, 8, 8);
        FDocument->Ungroup();
        FDocument->ChangeKeyboard(kRichModel);
        FDocument->SetProgramVersion(FDocument->Layout().Version());
        QCOMPARE(FDocument->Replace(QStringLiteral("nothing like it"), QStringLiteral("x"), 0), 0);
        QCOMPARE(Stack().count(), 1);
    }

    void readOpenAndNewLeaveNoSteps()
    {
        OpenRich();
        SetRemark(*FDocument, QStringLiteral("x"));
        TLayout read;
        read.Assign(FDocument->Layout());
        FDocument->AssignFrom(read);
        QCOMPARE(Stack().count(), 0);
        // A layout read from the keyboard is saved nowhere.
        QVERIFY(FDocument->IsModified());
        SetRemark(*FDocument, QStringLiteral("y"));
        Stack().undo();
        QVERIFY(FDocument->IsModified());

        OpenRich();
        QCOMPARE(Stack().count(), 0);
        QVERIFY(!FDocument->IsModified());
        SetRemark(*FDocument, QStringLiteral("z"));
        FDocument->StartNew(kOtherModel);
        QCOMPARE(Stack().count(), 0);
        QVERIFY(!FDocument->IsModified());
    }

    void theStackKeepsTheLatestHundredSteps()
    {
        OpenRich();
        for (int i = 0; i < TLayoutDocument::kUndoLimit + 20; ++i) {
            Select(1 + i % 8, 1 + i / 8 % 8, 1 + i % 8, 1 + i / 8 % 8);
            SetRemark(*FDocument, QString::number(i));
        }
        QCOMPARE(Stack().count(), TLayoutDocument::kUndoLimit);
        while (Stack().canUndo())
            Stack().undo();
        // The saved step fell off the stack.
        QVERIFY(FDocument->IsModified());
        QCOMPARE(FDocument->Layout().Layers().Item(0).KeyAtOrFail(3, 2).Remark(), QStringLiteral("19"));
    }
};

QTEST_MAIN(UndoDocumentTest)
#include "UndoDocumentTest.moc"
