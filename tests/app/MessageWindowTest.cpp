#include "base/Error.h"
#include "base/Win1251.h"
#include "main/fmuMessageWindow.h"

#include <QAction>
#include <QFileDialog>
#include <QListWidget>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// The message window lists tagged lines, sends the chosen one to the main
// window, saves them as text and keeps its docked place and height.
class MessageWindowTest : public QObject {
    Q_OBJECT

    // A main window of a known size with the message window restored in it.
    struct TFrame {
        QMainWindow Main;
        TfmMessageWindow *Messages;

        TFrame(bool docked, int height)
        {
            Main.setCentralWidget(new QWidget);
            Main.resize(800, 600);
            Messages = new TfmMessageWindow(&Main);
            Messages->Restore(&Main, docked, height);
            Main.show();
            QVERIFY(QTest::qWaitForWindowExposed(&Main));
        }
    };

    static QListWidget *List(TfmMessageWindow &window)
    {
        return window.findChild<QListWidget *>(QStringLiteral("lbMessages"));
    }

    static void Fill(TfmMessageWindow &window)
    {
        window.AddMessage(QStringLiteral("[Ошибка(1)] Слой 1, клавиша (1, 2): нет отпускания"), 7);
        window.AddMessage(QStringLiteral("[Поиск] Слой 2, клавиша (3, 4)"), 0);
        window.AddMessage(QStringLiteral("[Поиск] Слой 1, клавиша (8, 8)"), 12);
    }

    // Waits until the docked window's height settled near expected.
    static bool HeightNear(const TfmMessageWindow &window, int expected)
    {
        return QTest::qWaitFor([&] { return qAbs(window.height() - expected) <= 2; }, 2000);
    }

private slots:
    void linesKeepTheirTagsAndClear()
    {
        TfmMessageWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Сообщения"));
        Fill(window);
        QCOMPARE(window.Count(), 3);
        QCOMPARE(window.Text(1), QStringLiteral("[Поиск] Слой 2, клавиша (3, 4)"));
        QCOMPARE(window.Tag(0), 7);
        QCOMPARE(window.Tag(2), 12);
        window.findChild<QAction *>(QStringLiteral("pmiClear"))->trigger();
        QCOMPARE(window.Count(), 0);
        window.AddMessage(QStringLiteral("x"), 1);
        window.ClearMessages();
        QCOMPARE(window.Count(), 0);
    }

    void theChosenLineGoesToTheMainWindow()
    {
        TfmMessageWindow window;
        Fill(window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QListWidget *list = List(window);
        list->setFocus();
        QSignalSpy goTo(&window, &TfmMessageWindow::goToMessage);

        // Nothing is selected: nothing happens.
        QTest::keyClick(list, Qt::Key_Return);
        QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(goTo.count(), 0);

        const QRect third = list->visualItemRect(list->item(2));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third.center());
        QCOMPARE(goTo.count(), 1);
        QCOMPARE(goTo.last(), (QVariantList{QStringLiteral("[Поиск] Слой 1, клавиша (8, 8)"), 12}));

        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Return);
        QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(goTo.count(), 4);
        QCOMPARE(goTo.last().at(1).toInt(), 7);
        QCOMPARE(window.findChild<QAction *>(QStringLiteral("pmiGoTo"))->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_V));
    }

    void savesTheLinesAsWindowsText()
    {
        QTemporaryDir dir;
        TfmMessageWindow window;
        Fill(window);
        QString suffix, filters, proposed;
        QTimer::singleShot(0, &window, [&] {
            auto *dialog = window.findChild<QFileDialog *>(QStringLiteral("dlgSave"));
            QVERIFY(dialog);
            suffix = dialog->defaultSuffix();
            filters = dialog->nameFilters().join(u'|');
            proposed = dialog->selectedFiles().value(0);
            dialog->setDirectory(dir.path());
            dialog->selectFile(QStringLiteral("Сообщение"));
            static_cast<QDialog *>(dialog)->accept();
        });
        window.findChild<QAction *>(QStringLiteral("pmiSave"))->trigger();
        QCOMPARE(suffix, QStringLiteral("txt"));
        QCOMPARE(filters, QStringLiteral("Текстовый файл (*.txt)"));
        QVERIFY2(proposed.endsWith(QStringLiteral("/Сообщение.txt")), qPrintable(proposed));

        QFile file(dir.filePath(QStringLiteral("Сообщение.txt")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes, ToWin1251(u"[Ошибка(1)] Слой 1, клавиша (1, 2): нет отпускания\r\n"
                                  u"[Поиск] Слой 2, клавиша (3, 4)\r\n[Поиск] Слой 1, клавиша (8, 8)\r\n"));
        QVERIFY2(bytes.contains('\xCE'), "Cyrillic is written as Windows-1251");

        QVERIFY_THROWS_EXCEPTION(EError, window.SaveMessages(dir.filePath(QStringLiteral("нет/файл.txt"))));
    }

    void restoredDockedItTakesItsHeight()
    {
        TFrame frame(true, 150);
        TfmMessageWindow &messages = *frame.Messages;
        QVERIFY(messages.isVisible());
        QVERIFY(!messages.isFloating());
        QCOMPARE(frame.Main.dockWidgetArea(&messages), Qt::BottomDockWidgetArea);
        QVERIFY(HeightNear(messages, 150));
        QVERIFY(messages.IsDocked());
        QCOMPARE(messages.DockHeight(), messages.height());

        // The user drags the splitter: the new height is remembered.
        frame.Main.resizeDocks({&messages}, {220}, Qt::Vertical);
        QVERIFY(HeightNear(messages, 220));
        QCOMPARE(messages.DockHeight(), messages.height());

        // Hiding the main window keeps the state; closing the window clears it.
        frame.Main.hide();
        QVERIFY(messages.IsDocked());
        QCOMPARE(messages.DockHeight(), messages.height());
        frame.Main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame.Main));
        QVERIFY(messages.close());
        QVERIFY(messages.isHidden());
        QVERIFY(!messages.IsDocked());
        QCOMPARE(messages.DockHeight(), 1);

        // Shown again, it comes back docked with a fifth of the main window.
        messages.ShowMessages();
        QVERIFY(!messages.isFloating());
        QVERIFY(HeightNear(messages, frame.Main.height() / 5));
        QVERIFY(messages.IsDocked());
    }

    void floatingItIsNotDocked()
    {
        TFrame frame(true, 0);
        TfmMessageWindow &messages = *frame.Messages;
        QVERIFY(HeightNear(messages, 120));
        messages.setFloating(true);
        QVERIFY(messages.isVisible());
        QVERIFY(!messages.IsDocked());
        QCOMPARE(messages.DockHeight(), 1);
        messages.resize(messages.width(), 300);
        QVERIFY2(messages.DockHeight() == 1, "a floating window's height is not the dock's");

        // Docked again by the user: a fifth of the main window.
        messages.setFloating(false);
        QVERIFY(HeightNear(messages, 120));
        QVERIFY(messages.IsDocked());
    }

    void restoredUndockedItStaysHiddenUntilShown()
    {
        TFrame frame(false, 180);
        TfmMessageWindow &messages = *frame.Messages;
        QVERIFY(messages.isHidden());
        QVERIFY(!messages.IsDocked());
        QCOMPARE(messages.DockHeight(), 1);
        messages.AddMessage(QStringLiteral("[Поиск] Слой 1, клавиша (1, 1)"), 3);
        messages.ShowMessages();
        QVERIFY(messages.isVisible());
        QVERIFY(messages.isFloating());
        QVERIFY(!messages.IsDocked());
        // Placed over the lower part of the main window, a fifth of its height.
        const QRect main = frame.Main.geometry();
        QCOMPARE(messages.width(), main.width() / 2);
        QCOMPARE(messages.height(), main.height() / 5);
        QVERIFY(main.contains(messages.geometry()));
    }
};

QTEST_MAIN(MessageWindowTest)
#include "MessageWindowTest.moc"
