#include "base/Error.h"
#include "catalogue/Keyboards.h"
#include "catalogue/XMLKeyboard.h"
#include "device/KeyboardManager.h"
#include "device/ManagerPrompts.h"
#include "help/HelpCommands.h"
#include "help/fmuDevices.h"
#include "model/Font.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

namespace {

class TNoPrompts : public TManagerPrompts {
public:
    bool Ask(const QString &) override { return false; }
    void Warn(const QString &) override {}
    QString ChooseFile(const QString &, const QString &, const QString &) override { return QString(); }
};

// Makes dir a program folder: the model descriptions and key codes of the
// shipped data, and with manual the user manual too.
void MakeProgramFolder(const QTemporaryDir &dir, bool manual)
{
    QStringList folders = {QStringLiteral("Клавиатуры"), QStringLiteral("Клавиши")};
    if (manual)
        folders << QStringLiteral("Справка");
    for (const QString &folder : folders)
        QFile::link(QStringLiteral(RAVLIN_DATA_DIR "/") + folder, dir.filePath(folder));
}

// The help commands of a program folder, with or without the manual.
struct THelpSetup {
    THelpSetup(const QTemporaryDir &dir, bool manual)
        : Manager((MakeProgramFolder(dir, manual), Options(dir))), Help(Manager, Window)
    {}
    TKeyboardManagerOptions Options(const QTemporaryDir &dir)
    {
        TKeyboardManagerOptions options;
        options.ProgramPath = dir.filePath(QStringLiteral("RavlinApp"));
        options.Prompts = &Prompts;
        return options;
    }

    TNoPrompts Prompts;
    TKeyboardManager Manager;
    QWidget Window;
    THelpCommands Help;
};

} // namespace

// Receives the URLs the program asks the system's browser to open.
class TUrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;

public slots:
    void Open(const QUrl &url) { Opened << url; }
};

// The supported models window lists the catalogue and prints the selected
// model's parameter tree; the help command opens the shipped manual in the
// browser every time it is given.
class HelpAndDevicesTest : public QObject {
    Q_OBJECT

    TFont FFont;
    TKeyboards FKeyboards;

private slots:
    void initTestCase()
    {
        TXMLKeyboard().LoadFolder(QStringLiteral(RAVLIN_DATA_DIR "/Клавиатуры"), FKeyboards);
        QVERIFY(FKeyboards.Count() > 1);
    }

    void parameterTreeIsIndentedByLevel()
    {
        const TKeyboard *model = FKeyboards.FindByID(3);
        QVERIFY(model);
        const QStringList lines = TfmDevices::ParameterLines(*model);
        QCOMPARE(lines.mid(0, 5),
                 QStringList({QStringLiteral("[Подключение]"), QStringLiteral("  Интерфейс: PS/2"),
                              QStringLiteral("  Программирование: через порт PS/2 или USB HID"),
                              QStringLiteral("  Питание: от порта клавиатуры, 5 В"),
                              QStringLiteral("[Считыватель карт]")}));
        const qsizetype build = lines.indexOf(QStringLiteral("[Конструкция]"));
        QVERIFY(build > 0);
        QCOMPARE(lines.mid(build, 10),
                 QStringList({QStringLiteral("[Конструкция]"), QStringLiteral("  Исполнение: настольное"),
                              QStringLiteral("  [Матрица клавиш]"), QStringLiteral("    Колонок: 15"),
                              QStringLiteral("    Рядов: 8"), QStringLiteral("    Клавиш: 120"),
                              QStringLiteral("  [Корпус]"), QStringLiteral("    Ширина, мм: 450"),
                              QStringLiteral("    Глубина, мм: 260"), QStringLiteral("    Высота, мм: 50")}));
        QCOMPARE(lines.mid(build + 10), QStringList({QStringLiteral("    [Подставка]"),
                                                     QStringLiteral("      Наклон, градусов: 8")}));
    }

    void defaultModelIsSelectedAndClicksShowOthers()
    {
        TfmDevices window(FKeyboards, 3, FFont);
        auto *list = window.findChild<QListWidget *>(QStringLiteral("ListBox"));
        auto *memo = window.findChild<QPlainTextEdit *>(QStringLiteral("Memo"));
        QCOMPARE(list->count(), FKeyboards.Count());
        QCOMPARE(list->currentItem()->text(), QStringLiteral("KP_120"));
        QCOMPARE(memo->toPlainText(), TfmDevices::ParameterLines(*FKeyboards.FindByID(3)).join(u'\n'));

        window.show();
        const QListWidgetItem *other = list->findItems(QStringLiteral("KP_64"), Qt::MatchExactly).value(0);
        QVERIFY(other);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(other).center());
        QCOMPARE(memo->toPlainText(), TfmDevices::ParameterLines(*FKeyboards.FindByID(1)).join(u'\n'));
    }

    void unknownDefaultSelectsNothing()
    {
        TfmDevices window(FKeyboards, 99, FFont);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(!window.findChild<QListWidget *>()->currentItem());
        QVERIFY(window.findChild<QPlainTextEdit *>()->toPlainText().isEmpty());
    }

    void emptyCatalogueDisablesClose()
    {
        const TKeyboards empty;
        TfmDevices window(empty, 1, FFont);
        QVERIFY(!window.findChild<QPushButton *>(QStringLiteral("btnOK"))->isEnabled());
        QCOMPARE(window.findChild<QListWidget *>()->count(), 0);
    }

    void closeButtonEndsTheModalWindow()
    {
        bool closed = false;
        QTimer::singleShot(50, this, [&closed] {
            auto *shown = qobject_cast<TfmDevices *>(QApplication::activeModalWidget());
            QVERIFY(shown);
            QCOMPARE(shown->windowTitle(), QStringLiteral("Поддерживаемые устройства"));
            shown->findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
            closed = true;
        });
        QVERIFY(TfmDevices::ShowSupportedDevices(FKeyboards, 1, FFont, nullptr));
        QVERIFY(closed);
    }

    void helpOpensTheShippedManualEveryTime()
    {
        const QString manual = THelpCommands::HelpFileName(QStringLiteral(RAVLIN_DATA_DIR));
        QFile file(manual);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (const char *topic : {"Главное окно", "Мастер новой раскладки", "Коды клавиш", "Считыватель карт",
                                  "Проверка раскладки", "Работа с клавиатурой", "Резервные копии",
                                  "Программа командной строки", "Эмулятор", "USB"})
            QVERIFY2(text.contains(QString::fromUtf8(topic)), topic);
        // The English edition has every section the editor opens the manual at.
        QFile english(
            QDir(QStringLiteral(RAVLIN_DATA_DIR)).filePath(QStringLiteral("Справка/en/index.html")));
        QVERIFY(english.open(QIODevice::ReadOnly));
        const auto ids = [](const QString &html) {
            QStringList found;
            for (const QRegularExpressionMatch &match :
                 QRegularExpression(QStringLiteral(" id=\"([^\"]+)\"")).globalMatch(html))
                found << match.captured(1);
            return found;
        };
        QCOMPARE(ids(QString::fromUtf8(english.readAll())), ids(text));

        // The manual lies in the folder "Справка" beside the program.
        QTemporaryDir dir;
        THelpSetup setup(dir, true);
        THelpCommands &help = setup.Help;
        QCOMPARE(help.actHelpContents->shortcut(), QKeySequence(Qt::Key_F1));

        TUrlCatcher browser;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "Open");
        help.actHelpContents->trigger();
        help.actHelpContents->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        const QUrl expected = QUrl::fromLocalFile(dir.filePath(QStringLiteral("Справка/index.html")));
        QCOMPARE(browser.Opened, QList<QUrl>({expected, expected}));
    }

    void missingManualIsReported()
    {
        QTemporaryDir dir;
        THelpSetup setup(dir, false);
        THelpCommands &help = setup.Help;
        QString error;
        try {
            help.ShowHelp();
        } catch (const EError &e) {
            error = e.Message();
        }
        QCOMPARE(error,
                 QStringLiteral("Не найден файл справки %1.")
                     .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("Справка/index.html")))));
    }
};

QTEST_MAIN(HelpAndDevicesTest)
#include "HelpAndDevicesTest.moc"
