#include "common/KeyCapture.h"
#include "codes/CodeSet.h"
#include "codes/CodeTable.h"
#include "common/AppIcon.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QSvgRenderer>
#include <QtTest>

namespace {

// Every key of the shipped code table with the X11 key code (xkb "evdev"
// keycodes) a PC keyboard reports for it.
struct TX11Key {
    const char *Name;
    quint32 KeyCode;
};

// clang-format off
constexpr TX11Key kX11Keys[] = {
    {"A", 38}, {"B", 56}, {"C", 54}, {"D", 40}, {"E", 26}, {"F", 41}, {"G", 42}, {"H", 43}, {"I", 31},
    {"J", 44}, {"K", 45}, {"L", 46}, {"M", 58}, {"N", 57}, {"O", 32}, {"P", 33}, {"Q", 24}, {"R", 27},
    {"S", 39}, {"T", 28}, {"U", 30}, {"V", 55}, {"W", 25}, {"X", 53}, {"Y", 29}, {"Z", 52},
    {"0", 19}, {"1", 10}, {"2", 11}, {"3", 12}, {"4", 13}, {"5", 14}, {"6", 15}, {"7", 16}, {"8", 17},
    {"9", 18}, {"'", 49}, {"-", 20}, {"=", 21}, {"\\", 51}, {"[", 34}, {"]", 35}, {";", 47}, {"'", 48},
    {",", 59}, {".", 60}, {"/", 61},
    {"Backspace", 22}, {"Space", 65}, {"TAB", 23}, {"CAPS", 66}, {"LShift", 50}, {"RShift", 62},
    {"LCtrl", 37}, {"RCtrl", 105}, {"LWin", 133}, {"LAlt", 64}, {"RWin", 134}, {"RAlt", 108},
    {"APPS", 135}, {"ENTER", 36}, {"ESC", 9}, {"F1", 67}, {"F2", 68}, {"F3", 69}, {"F4", 70},
    {"F5", 71}, {"F6", 72}, {"F7", 73}, {"F8", 74}, {"F9", 75}, {"F10", 76}, {"F11", 95}, {"F12", 96},
    {"Scroll", 78}, {"INSERT", 118}, {"HOME", 110}, {"PageUp", 112}, {"DELETE", 119}, {"END", 115},
    {"Pagedown", 117}, {"Up", 111}, {"Down", 116}, {"Left", 113}, {"Right", 114}, {"PrintScrn", 107},
    {"Pause/Break", 127},
    {"NumLock", 77}, {"</>", 106}, {"<*>", 63}, {"<->", 82}, {"<+>", 86}, {"<Enter>", 104}, {"<.>", 91},
    {"<0>", 90}, {"<1>", 87}, {"<2>", 88}, {"<3>", 89}, {"<4>", 83}, {"<5>", 84}, {"<6>", 85},
    {"<7>", 79}, {"<8>", 80}, {"<9>", 81},
    {"Power", 124}, {"Sleep", 150}, {"Wake", 151},
    {"NextTrack", 171}, {"PreviousTrack", 173}, {"Stop", 174}, {"Play/Pause", 172}, {"Mute", 121},
    {"VolumeUp", 123}, {"VolumeDown", 122}, {"MediaSelect", 234}, {"E-Mail", 163}, {"Calculator", 148},
    {"MyComputer", 165},
    {"WWWSearch", 225}, {"WWWHome", 180}, {"WWWBack", 166}, {"WWWForward", 167}, {"WWWStop", 136},
    {"WWWRefresh", 181}, {"WWWFavorites", 164},
};
// clang-format on

QKeyEvent KeyEvent(QEvent::Type type, quint32 nativeScanCode, bool autoRepeat = false)
{
    return QKeyEvent(type, Qt::Key_unknown, Qt::NoModifier, nativeScanCode, 0, 0, QString(), autoRepeat);
}

} // namespace

// Keys pressed on the PC keyboard turn into the key messages the code table
// understands, and the key hook hears them only while it is installed.
class KeyCaptureTest : public QObject {
    Q_OBJECT

    TCodeSet FCodeSet;
    TCodeTable FTable;

    // Returns the sign and key name of the code the table gives a key event,
    // or "none".
    QString CodeText(const QKeyEvent &event) const
    {
        const std::optional<TScanCode> code = FTable.CodeForKeyMessage(KeyMessageFromEvent(event), kcBoth);
        return code ? code->Prefix() + code->Name : QStringLiteral("none");
    }

private slots:
    void initTestCase()
    {
        FCodeSet.LoadFromFile(QStringLiteral(RAVLIN_DATA_DIR "/Клавиши/Клавиши.xml"));
        FTable.BuildFrom(FCodeSet);
    }

    void everyKeyOfTheTableIsCaptured()
    {
        QCOMPARE(FTable.Count(), int(std::size(kX11Keys)));
        for (const TX11Key &key : kX11Keys) {
            const QString name = QString::fromLatin1(key.Name);
            QCOMPARE(CodeText(KeyEvent(QEvent::KeyPress, key.KeyCode)), QStringLiteral("+") + name);
            QCOMPARE(CodeText(KeyEvent(QEvent::KeyRelease, key.KeyCode)), QStringLiteral("-") + name);
        }
    }

    void theRightCtrlGivesItsExtendedCodes()
    {
        const std::optional<TScanCode> press =
            FTable.CodeForKeyMessage(KeyMessageFromEvent(KeyEvent(QEvent::KeyPress, 105)), kcPresses);
        QVERIFY(press);
        QCOMPARE(press->Data(), QByteArray::fromHex("E014"));
        const std::optional<TScanCode> release =
            FTable.CodeForKeyMessage(KeyMessageFromEvent(KeyEvent(QEvent::KeyRelease, 105)), kcReleases);
        QVERIFY(release);
        QCOMPARE(release->Data(), QByteArray::fromHex("E0F014"));
    }

    void repeatsAndUnknownKeysGiveNothing()
    {
        // X11 repeats a held key as release and press pairs, both marked.
        QCOMPARE(CodeText(KeyEvent(QEvent::KeyPress, 38, true)), QStringLiteral("none"));
        QCOMPARE(CodeText(KeyEvent(QEvent::KeyRelease, 38, true)), QStringLiteral("none"));
        QVERIFY(KeyMessageFromEvent(KeyEvent(QEvent::KeyPress, 38, true)).WasDown());
        // Synthetic events carry no native code; the Japanese keys have none
        // in the table.
        QCOMPARE(CodeText(KeyEvent(QEvent::KeyPress, 0)), QStringLiteral("none"));
        QCOMPARE(CodeText(KeyEvent(QEvent::KeyPress, 5)), QStringLiteral("none"));
        QCOMPARE(CodeText(KeyEvent(QEvent::KeyPress, 100)), QStringLiteral("none"));
        QCOMPARE(CodeText(KeyEvent(QEvent::KeyPress, 0xFFFFFFFF)), QStringLiteral("none"));
        const QKeyEvent shortcut(QEvent::ShortcutOverride, Qt::Key_A, Qt::NoModifier, 38, 0, 0);
        QCOMPARE(KeyMessageFromEvent(shortcut).Kind, TKeyMessageKind::Other);
    }

    void theHookHearsKeysOnlyWhileInstalled()
    {
        QWidget window;
        auto *edit = new QLineEdit(&window);
        int shortcuts = 0;
        auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), &window);
        connect(shortcut, &QShortcut::activated, this, [&] { ++shortcuts; });
        window.show();
        edit->setFocus();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QList<TKeyMessage> heard;
        bool consume = true;
        TKeyHook hook([&](const TKeyMessage &message) {
            heard << message;
            return consume;
        });
        // A keystroke as the window system delivers it: to the window, which
        // passes it to the focus widget.
        const auto send = [&](QEvent::Type type, quint32 code, const QString &text) {
            QKeyEvent event(type, Qt::Key_A, Qt::NoModifier, code, 0, 0, text);
            QCoreApplication::sendEvent(window.windowHandle(), &event);
        };

        send(QEvent::KeyPress, 38, QStringLiteral("a"));
        QVERIFY(heard.isEmpty());
        QCOMPARE(edit->text(), QStringLiteral("a"));

        hook.Install();
        hook.Install();
        send(QEvent::KeyPress, 38, QStringLiteral("a"));
        send(QEvent::KeyRelease, 38, QStringLiteral("a"));
        QCOMPARE(heard.size(), 2);
        QCOMPARE(heard[0].Kind, TKeyMessageKind::KeyDown);
        QCOMPARE(heard[0].ScanByte(), uint8_t(0x1E));
        QCOMPARE(heard[1].Kind, TKeyMessageKind::KeyUp);
        QVERIFY2(edit->text() == QStringLiteral("a"), "a handled key reaches no widget");

        consume = false;
        send(QEvent::KeyPress, 38, QStringLiteral("a"));
        QCOMPARE(heard.size(), 3);
        QVERIFY2(edit->text() == QStringLiteral("aa"), "a key left alone goes on");

        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY2(shortcuts == 0, "no shortcut fires while the hook is installed");

        hook.Remove();
        QVERIFY(!hook.IsInstalled());
        send(QEvent::KeyPress, 38, QStringLiteral("a"));
        QCOMPARE(heard.size(), 3);
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(shortcuts, 1);
    }

    void theIconIsAResourceDrawing()
    {
        const QIcon icon = AppIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(!icon.pixmap(48, 48).isNull());
        QVERIFY(QSvgRenderer(QStringLiteral(":/icons/ravlin.svg")).isValid());
    }
};

QTEST_MAIN(KeyCaptureTest)
#include "KeyCaptureTest.moc"
