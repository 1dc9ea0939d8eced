#include "DocTestFixture.h"
#include "KeysTestSupport.h"

#include "codes/CodeSet.h"
#include "codeeditors/fmuCodes.h"
#include "codeeditors/fmuCstKey.h"
#include "codeeditors/fmuStdKey.h"
#include "settings/SettingsManager.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

// The key code dialog records what is pressed on the PC keyboard while its
// list has the focus, and adds standard keys and typed bytes.
class KeyCodesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TDocTestEnvironment> FEnv;
    std::unique_ptr<TfmCodes> FDialog;

    QPlainTextEdit *List() const { return FDialog->findChild<QPlainTextEdit *>(QStringLiteral("mmCodes")); }
    QStringList Lines() const
    {
        const QString text = List()->toPlainText();
        return text.isEmpty() ? QStringList() : text.split(u'\n');
    }

    // Starts a run on codes given as text, shown and with the list focused.
    void Start(const QString &codes, int mode)
    {
        TScanCodes start;
        start.SetText(codes);
        FDialog->Start(start, mode);
        FDialog->show();
        FDialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FDialog.get()));
        QTRY_VERIFY(List()->hasFocus());
        QVERIFY(FDialog->IsRecording());
    }

    void Press(quint32 code, Qt::Key key = Qt::Key_unknown, const QString &text = QString())
    {
        SendKey(*FDialog, QEvent::KeyPress, code, key, text);
    }
    void Release(quint32 code, Qt::Key key = Qt::Key_unknown)
    {
        SendKey(*FDialog, QEvent::KeyRelease, code, key);
    }

private slots:
    void initTestCase()
    {
        QApplication::setApplicationDisplayName(QStringLiteral("Ravlin"));
        FEnv = std::make_unique<TDocTestEnvironment>();
        FDialog = std::make_unique<TfmCodes>(*FEnv->Manager);
    }

    void cleanupTestCase()
    {
        FDialog.reset();
        FEnv.reset();
    }


    void bothModeRecordsPressesAndReleasesOnce()
    {
        Start(QString(), kcBoth);
        QVERIFY(FDialog->findChild<QLabel *>(QStringLiteral("lblModeHint"))->isVisibleTo(FDialog.get()));
        Press(X11Key::LShift, Qt::Key_Shift);
        Press(X11Key::A, Qt::Key_A, QStringLiteral("A"));
        Release(X11Key::A, Qt::Key_A);
        Release(X11Key::LShift, Qt::Key_Shift);
        QCOMPARE(Lines().join(u'|'), QStringLiteral("+LShift|+A|-A|-LShift"));
        QCOMPARE(FDialog->Codes().Text(), QStringLiteral("+LShift +A -A -LShift"));
        // An automatic repeat of a held key is no new press.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, X11Key::A, 0, 0, QStringLiteral("a"), true);
        QCoreApplication::sendEvent(FDialog->windowHandle(), &repeat);
        QCOMPARE(Lines().size(), 4);
    }

    void recordedCodesFollowTheGivenOnesAndEnterDoesNotClose()
    {
        Start(QStringLiteral("E0"), kcBoth);
        Press(X11Key::Enter, Qt::Key_Return, QStringLiteral("\r"));
        Release(X11Key::Enter, Qt::Key_Return);
        QCOMPARE(Lines().join(u'|'), QStringLiteral("E0|+ENTER|-ENTER"));
        QVERIFY(FDialog->isVisible());
        QCOMPARE(FDialog->result(), 0);
    }

    void pressModeRecordsNoReleasesAndReleaseModeNoPresses()
    {
        Start(QString(), kcPresses);
        QVERIFY(!FDialog->findChild<QLabel *>(QStringLiteral("lblModeHint"))->isVisibleTo(FDialog.get()));
        Press(X11Key::A, Qt::Key_A, QStringLiteral("a"));
        Release(X11Key::A, Qt::Key_A);
        QCOMPARE(Lines().join(u'|'), QStringLiteral("+A"));

        Start(QString(), kcReleases);
        Press(X11Key::A, Qt::Key_A, QStringLiteral("a"));
        Release(X11Key::A, Qt::Key_A);
        QCOMPARE(Lines().join(u'|'), QStringLiteral("-A"));
    }

    void tabMovesTheFocusAndRecordsNothing()
    {
        Start(QString(), kcBoth);
        Press(X11Key::Tab, Qt::Key_Tab, QStringLiteral("\t"));
        QVERIFY(!List()->hasFocus());
        QVERIFY2(!FDialog->IsRecording(), "the recorder goes with the focus");
        Release(X11Key::Tab, Qt::Key_Tab);
        Press(X11Key::A, Qt::Key_A, QStringLiteral("a"));
        QVERIFY(Lines().isEmpty());
        QVERIFY(FDialog->Codes().IsEmpty());
    }

    void anEnterReleaseAtTheStartIsSwallowed()
    {
        Start(QStringLiteral("+A -A"), kcBoth);
        Release(X11Key::Enter, Qt::Key_Return);
        QCOMPARE(Lines().join(u'|'), QStringLiteral("+A|-A"));
        // The release of an Enter pressed here is recorded.
        Press(X11Key::Enter, Qt::Key_Return, QStringLiteral("\r"));
        Release(X11Key::Enter, Qt::Key_Return);
        QCOMPARE(Lines().join(u'|'), QStringLiteral("+A|-A|+ENTER|-ENTER"));
    }

    void theEscapeThatClosesAPickerIsNotRecorded()
    {
        Start(QStringLiteral("+A -A"), kcBoth);
        // The picker closes on the press; the release comes up here.
        WhenModal<TfmStdKey>([](TfmStdKey &picker) {
            SendKey(picker, QEvent::KeyPress, X11Key::Escape, Qt::Key_Escape);
        });
        FDialog->findChild<QPushButton *>(QStringLiteral("btnChoose"))->click();
        QTRY_VERIFY(FDialog->IsRecording());
        Release(X11Key::Escape, Qt::Key_Escape);
        QCOMPARE(Lines().join(u'|'), QStringLiteral("+A|-A"));
        // An Escape pressed in the list is recorded and does not close.
        Press(X11Key::Escape, Qt::Key_Escape);
        Release(X11Key::Escape, Qt::Key_Escape);
        QCOMPARE(Lines().join(u'|'), QStringLiteral("+A|-A|+ESC|-ESC"));
        QVERIFY(FDialog->isVisible());
    }

    void theRightCtrlGivesItsExtendedForm()
    {
        Start(QString(), kcBoth);
        Press(X11Key::RCtrl, Qt::Key_Control);
        Release(X11Key::RCtrl, Qt::Key_Control);
        QCOMPARE(Lines().join(u'|'), QStringLiteral("+RCtrl|-RCtrl"));
        QCOMPARE(FDialog->Codes().Data(), QByteArray::fromHex("E014E0F014"));
    }

    void aFullSequenceShowsTheErrorAndSkipsTheRelease()
    {
        TScanCodes full;
        full.AddBytes(QByteArray(254, '\x01'));
        FDialog->Start(full, kcBoth);
        FDialog->show();
        FDialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FDialog.get()));
        List()->setFocus();
        TBoxRecorder boxes;
        Press(X11Key::LShift, Qt::Key_Shift);
        Press(X11Key::A, Qt::Key_A, QStringLiteral("a"));
        QCOMPARE(boxes.Boxes,
                 QStringList({QStringLiteral("Ravlin|Длина скан-кодов не может превышать 255 байт.|%1")
                                  .arg(int(QMessageBox::Critical))}));
        // The recorder is back once the list has the focus again.
        QTRY_VERIFY(FDialog->IsRecording());
        // The release of the refused key is no code of its own.
        Release(X11Key::A, Qt::Key_A);
        QCOMPARE(boxes.Boxes.size(), 1);
        QCOMPARE(FDialog->Codes().Count(), 2);
        QCOMPARE(FDialog->Codes().Item(1).Text(), QStringLiteral("+LShift"));
        // Shift's release was not the one after the error: refused too.
        Release(X11Key::LShift, Qt::Key_Shift);
        QCOMPARE(boxes.Boxes.size(), 2);
        QCOMPARE(FDialog->Codes().Count(), 2);
    }

    void aStandardKeyIsAddedInTheMode()
    {
        Start(QString(), kcBoth);
        WhenModal<TfmStdKey>([](TfmStdKey &picker) {
            auto *groups = picker.findChild<QListWidget *>(QStringLiteral("lbGroups"));
            auto *keys = picker.findChild<QListWidget *>(QStringLiteral("lbKeys"));
            groups->setCurrentItem(groups->findItems(QStringLiteral("Управляющие клавиши"), Qt::MatchExactly).value(0));
            keys->setCurrentItem(keys->findItems(QStringLiteral("TAB"), Qt::MatchExactly).value(0));
            picker.findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
        });
        FDialog->findChild<QPushButton *>(QStringLiteral("btnChoose"))->click();
        QCOMPARE(Lines().join(u'|'), QStringLiteral("+TAB|-TAB"));
        QCOMPARE(FDialog->Codes().Data(), QByteArray::fromHex("0DF00D"));
        QTRY_VERIFY(List()->hasFocus());
        QVERIFY(FDialog->IsRecording());

        FDialog->findChild<QPushButton *>(QStringLiteral("btnClear"))->click();
        QVERIFY(Lines().isEmpty());
        QVERIFY(FDialog->Codes().IsEmpty());
    }

    void thePickerListsTheGroupsAndTheirKeys()
    {
        TfmStdKey picker(FEnv->Manager->CodeSet(), FEnv->Manager->Settings().Font());
        auto *groups = picker.findChild<QListWidget *>(QStringLiteral("lbGroups"));
        auto *keys = picker.findChild<QListWidget *>(QStringLiteral("lbKeys"));
        QCOMPARE(groups->count(), 8);
        QCOMPARE(groups->currentRow(), 0);
        QCOMPARE(keys->count(), 26);
        QCOMPARE(picker.Picked()->Name, QStringLiteral("A"));
        groups->setCurrentRow(1);
        QCOMPARE(keys->item(0)->text(), QStringLiteral("0"));
        QCOMPARE(keys->currentRow(), 0);
        const TScanCode release = TfmStdKey::CodeOf(*picker.Picked(), true);
        QCOMPARE(release.Text(), QStringLiteral("-0"));
        QCOMPARE(release.Data(), QByteArray::fromHex("F045"));
        QCOMPARE(release.ScanCode, QByteArray::fromHex("0B"));
    }

    void typedBytesFollowTheHexadecimalRules()
    {
        TfmCstKey dialog(FEnv->Manager->Settings().Font());
        auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("edCode"));
        QCOMPARE(edit->text(), QStringLiteral("0"));
        const QList<std::pair<QString, QByteArray>> cases = {
            {QStringLiteral("1 2 3"), QByteArray::fromHex("010203")}, {QStringLiteral("123"), QByteArray::fromHex("1203")},
            {QStringLiteral("0A0"), QByteArray::fromHex("0A00")},     {QStringLiteral("a"), QByteArray()},
            {QStringLiteral("E0 4A"), QByteArray::fromHex("E04A")},   {QStringLiteral("E0F"), QByteArray::fromHex("E00F")},
        };
        for (const auto &[text, bytes] : cases) {
            edit->setText(text);
            QCOMPARE(dialog.Bytes(), bytes);
        }
    }

    void typedBytesBecomeOneItem()
    {
        Start(QStringLiteral("+A"), kcBoth);
        WhenModal<TfmCstKey>([](TfmCstKey &dialog) {
            dialog.findChild<QLineEdit *>(QStringLiteral("edCode"))->setText(QStringLiteral("E0 4A"));
            dialog.findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
        });
        FDialog->findChild<QPushButton *>(QStringLiteral("btnBytes"))->click();
        QCOMPARE(Lines().join(u'|'), QStringLiteral("+A|E04A"));
        QCOMPARE(FDialog->Codes().Count(), 2);
        QCOMPARE(FDialog->Codes().Item(1).Data(), QByteArray::fromHex("E04A"));
        QTRY_VERIFY(FDialog->IsRecording());
    }

    void executeReplacesTheSequenceOnlyOnOK()
    {
        FDialog->hide();
        TScanCodes codes;
        codes.SetText(u"+B");
        WhenModal<TfmCodes>([](TfmCodes &dialog) {
            SendKey(dialog, QEvent::KeyPress, X11Key::A, Qt::Key_A, QStringLiteral("a"));
            dialog.findChild<QPushButton *>(QStringLiteral("btnCancel"))->click();
        });
        QVERIFY(!FDialog->Execute(codes, kcBoth));
        QCOMPARE(codes.Text(), QStringLiteral("+B"));
        WhenModal<TfmCodes>([](TfmCodes &dialog) {
            SendKey(dialog, QEvent::KeyPress, X11Key::A, Qt::Key_A, QStringLiteral("a"));
            dialog.findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
        });
        QVERIFY(FDialog->Execute(codes, kcBoth));
        QCOMPARE(codes.Text(), QStringLiteral("+B +A"));
    }
};

QTEST_MAIN(KeyCodesTest)
#include "KeyCodesTest.moc"
