#include "devicewindows/fmuTest.h"
#include "model/Font.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>

// The key test window lists what the keyboard under test sends while it is
// the active window and its codes page is shown, and keeps the keys from
// going any further; elsewhere the keyboard types as usual.
class KeyTestWindowTest : public QObject {
    Q_OBJECT

    TfmTest *FWindow = nullptr;

    QPlainTextEdit *Memo(const char *name) const
    {
        return FWindow->findChild<QPlainTextEdit *>(QLatin1String(name));
    }
    QTabWidget *Pages() const { return FWindow->findChild<QTabWidget *>(QStringLiteral("PageControl")); }

    // A keystroke as the window system delivers it: to the active window,
    // with the X11 key code of the PC key and the text it types.
    static void Send(QWidget &window, QEvent::Type type, quint32 x11Code, const QString &text)
    {
        QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, x11Code, 0, 0, text);
        QCoreApplication::sendEvent(window.windowHandle(), &event);
    }
    static void Click(QWidget &window, quint32 x11Code, const QString &text = QString())
    {
        Send(window, QEvent::KeyPress, x11Code, text);
        Send(window, QEvent::KeyRelease, x11Code, text);
    }

    QStringList CodeLines() const
    {
        return Memo("MemoCodes")->toPlainText().split(u'\n', Qt::SkipEmptyParts);
    }

    // Returns which of the memo's menu items are enabled, as the menu shows
    // them.
    QStringList EnabledItems(const char *menuName) const
    {
        auto *menu = FWindow->findChild<QMenu *>(QLatin1String(menuName));
        emit menu->aboutToShow();
        QStringList enabled;
        for (const QAction *action : menu->actions())
            if (action->isEnabled())
                enabled << action->text();
        return enabled;
    }

private slots:
    void init()
    {
        TFont font;
        FWindow = new TfmTest(font);
        FWindow->ShowTest();
        QVERIFY(QTest::qWaitForWindowActive(FWindow));
    }

    void cleanup() { delete FWindow; }

    void pressesAndReleasesAreListedAndGoNoFurther()
    {
        QCOMPARE(FWindow->windowTitle(), QStringLiteral("Тест клавиатуры"));
        Memo("MemoCodes")->setFocus();
        // F2 opened the window: its release comes here, a release without a press.
        Send(*FWindow, QEvent::KeyRelease, 68, QString());
        Click(*FWindow, 38, QStringLiteral("a"));
        Click(*FWindow, 105);
        QCOMPARE(CodeLines(),
                 QStringList({QStringLiteral("+A (1E )"), QStringLiteral("-A (1E )"),
                              QStringLiteral("+RCtrl (E0 1D )"), QStringLiteral("-RCtrl (E0 1D )")}));
        QVERIFY2(!CodeLines().contains(QStringLiteral("a")), "the typed letter never reaches the memo");
    }

    void textPageTypesAsUsual()
    {
        Pages()->setCurrentIndex(1);
        Memo("MemoText")->setFocus();
        Click(*FWindow, 38, QStringLiteral("a"));
        QCOMPARE(Memo("MemoText")->toPlainText(), QStringLiteral("a"));
        QVERIFY(CodeLines().isEmpty());
    }

    void theHookLeavesWithTheActiveWindow()
    {
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        Click(other, 38, QStringLiteral("a"));
        QVERIFY(CodeLines().isEmpty());

        FWindow->close();
        QVERIFY2(FWindow->isHidden(), "closing only hides the window");
        FWindow->ShowTest();
        QVERIFY(QTest::qWaitForWindowActive(FWindow));
        Click(*FWindow, 38);
        QCOMPARE(CodeLines().size(), 2);
    }

    void menusOfferWhatTheMemoAndClipboardAllow()
    {
        QPlainTextEdit *memo = Memo("MemoText");
        QGuiApplication::clipboard()->clear();
        memo->setPlainText(QStringLiteral("abc"));
        const QStringList always = {QStringLiteral("Очистить"), QStringLiteral("Выделить все")};
        QCOMPARE(EnabledItems("pmMemoText"), always);

        memo->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        QCOMPARE(EnabledItems("pmMemoText"),
                 QStringList(
                     {QStringLiteral("Вырезать"), QStringLiteral("Копировать"), QStringLiteral("Вставить")}) +
                     always);
        QCOMPARE(EnabledItems("pmMemoCodes"), QStringList{QStringLiteral("Вставить")} + always);

        FWindow->findChild<QAction *>(QStringLiteral("miTextCut"))->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("abc"));
        QVERIFY(memo->toPlainText().isEmpty());
        FWindow->findChild<QAction *>(QStringLiteral("miTextPaste"))->trigger();
        FWindow->findChild<QAction *>(QStringLiteral("miTextPaste"))->trigger();
        QCOMPARE(memo->toPlainText(), QStringLiteral("abcabc"));
        FWindow->findChild<QAction *>(QStringLiteral("miTextClear"))->trigger();
        QVERIFY(memo->toPlainText().isEmpty());
    }

    void codeLinesWriteEveryByte()
    {
        QCOMPARE(TfmTest::CodeLine(QStringLiteral("+Pause/Break"), QByteArray::fromHex("E11D45")),
                 QStringLiteral("+Pause/Break (E1 1D 45 )"));
        QCOMPARE(TfmTest::CodeLine(QStringLiteral("-x"), QByteArray()), QStringLiteral("-x ()"));
    }
};

QTEST_MAIN(KeyTestWindowTest)
#include "KeyTestWindowTest.moc"
