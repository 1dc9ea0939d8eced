#include "base/Error.h"
#include "device/DeviceReport.h"
#include "devicewindows/DeviceWindows.h"
#include "device/KeyboardDriver.h"
#include "device/KeyboardManager.h"
#include "device/ManagerPrompts.h"
#include "devicewindows/fmuInfo.h"
#include "model/Font.h"
#include "model/Layout.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

namespace {

class TNoPrompts : public TManagerPrompts {
public:
    bool Ask(const QString &) override { return false; }
    void Warn(const QString &) override {}
    QString ChooseFile(const QString &, const QString &, const QString &) override { return QString(); }
};

} // namespace

// The device information window reads the emulated keyboard as the Device
// menu does and shows what it reports; the keyboard is left in the mode it
// was found in.
class DeviceInfoWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;
    QProcess FEmulator;
    TNoPrompts FPrompts;
    std::unique_ptr<TKeyboardManager> FManager;
    QMainWindow FMain;
    TfmInfo *FInfo = nullptr;

    // Starts the emulator with options and a manager whose catalogue holds
    // the model files named (all shipped ones when empty).
    void Connect(const QStringList &emulatorOptions, const QStringList &modelFiles = {},
                 int timeoutMs = kDriverTimeoutMs)
    {
        Disconnect();
        const QString program = FDir.filePath(QStringLiteral("program"));
        QDir(program).removeRecursively();
        QDir().mkpath(program + QStringLiteral("/Клавиатуры"));
        const QDir shipped(QStringLiteral(RAVLIN_DATA_DIR "/Клавиатуры"));
        for (const QString &file : modelFiles.isEmpty() ? shipped.entryList(QDir::Files) : modelFiles)
            QVERIFY(QFile::copy(shipped.filePath(file), program + QStringLiteral("/Клавиатуры/") + file));
        QVERIFY(
            QFile::link(QStringLiteral(RAVLIN_DATA_DIR "/Клавиши"), program + QStringLiteral("/Клавиши")));

        const QString socket = FDir.filePath(QStringLiteral("kbd"));
        FEmulator.start(QStringLiteral(RAVLIN_BIN_DIR "/ravlin-kbdsim"),
                        QStringList{QStringLiteral("--driver-socket"), socket, QStringLiteral("--data"),
                                    QStringLiteral(RAVLIN_DATA_DIR)} +
                            emulatorOptions);
        QVERIFY(FEmulator.waitForReadyRead(10000));
        TKeyboardManagerOptions options;
        options.ProgramPath = program + QStringLiteral("/RavlinApp");
        options.Ports.DriverSocket = socket;
        options.Ports.DriverTimeoutMs = timeoutMs;
        options.Prompts = &FPrompts;
        options.BlockPauseMs = 0;
        options.Backup = false;
        FManager = std::make_unique<TKeyboardManager>(options);
    }

    void Disconnect()
    {
        FManager.reset();
        if (FEmulator.state() != QProcess::NotRunning) {
            FEmulator.terminate();
            FEmulator.waitForFinished(5000);
        }
    }

    QTreeWidget *List() const { return FInfo->findChild<QTreeWidget *>(QStringLiteral("ListView")); }
    QLabel *State() const { return FInfo->findChild<QLabel *>(QStringLiteral("LabelState")); }
    QLabel *Broken() const { return FInfo->findChild<QLabel *>(QStringLiteral("ImageBroken")); }

    // Returns the rows as "caption=value", a "!" after rows with the warning
    // mark.
    QStringList Rows() const
    {
        QStringList rows;
        for (int i = 0; i < List()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = List()->topLevelItem(i);
            rows << item->text(0) + u'=' + item->text(1) +
                        (item->icon(1).isNull() ? QString() : QStringLiteral("!"));
        }
        return rows;
    }

    bool LoaderMode() const { return FManager->Driver().GetStatus().LoaderMode; }

private slots:
    void initTestCase()
    {
        QApplication::setApplicationDisplayName(QStringLiteral("Ravlin"));
        TFont font;
        FInfo = new TfmInfo(font, &FMain);
    }

    void cleanupTestCase() { Disconnect(); }

    void workingKeyboardShowsProgramRowsAndReturnsToWorkingMode()
    {
        Connect({QStringLiteral("--model"), QStringLiteral("3")});
        FInfo->ReadDevice(*FManager);
        QCOMPARE(Rows(),
                 QStringList(
                     {QStringLiteral("Версия программы=2.10"), QStringLiteral("Версия загрузчика=2.6"),
                      QStringLiteral("Объем памяти, байт=32768"), QStringLiteral("Тип устройства=КП-120"),
                      QStringLiteral("Количество слоев=4"), QStringLiteral("Треки считывателя=1,2"),
                      QStringLiteral("Количество клавиш=120"), QStringLiteral("Количество положений ключа=0"),
                      QStringLiteral("Замыкания в матрице клавиатуры=нет")}));
        QVERIFY(!LoaderMode());
        // A fresh keyboard holds no layout its program accepts.
        QCOMPARE(State()->text(),
                 QStringLiteral(
                     "Раскладка клавиатуры повреждена\nили предназначается для другой версии прошивки."));
        QVERIFY(!Broken()->isHidden());
    }

    void workingLayoutHidesTheBrokenPicture()
    {
        Connect({QStringLiteral("--model"), QStringLiteral("3")});
        TLayout layout;
        FManager->SetLayoutModel(layout, 3);
        FManager->WriteLayout(layout);
        FInfo->ReadDevice(*FManager);
        QCOMPARE(State()->text(), QStringLiteral("Загруженная раскладка работает нормально."));
        QVERIFY(Broken()->isHidden());
    }

    void keyboardInLoaderModeStaysThere()
    {
        Connect({QStringLiteral("--model"), QStringLiteral("5")});
        FInfo->Fill({});
        State()->setText(QStringLiteral("before"));
        FManager->Driver().SetMode(true, false);
        FInfo->ReadDevice(*FManager);
        const QStringList rows = Rows();
        QCOMPARE(rows.value(0), QStringLiteral("Режим клавиатуры=загрузчик"));
        QCOMPARE(rows.size(), 9);
        QVERIFY(!rows.join(u' ').contains(QStringLiteral("Версия программы")));
        QCOMPARE(rows.value(3), QStringLiteral("Тип устройства=Остров-40"));
        QVERIFY(LoaderMode());
        // The status of a loader says nothing about the layout.
        QCOMPARE(State()->text(), QStringLiteral("before"));
    }

    void loaderWithoutMatrixCheckLeavesTheRowEmpty()
    {
        Connect({QStringLiteral("--model"), QStringLiteral("3"), QStringLiteral("--loader"),
                 QStringLiteral("2.5")});
        FInfo->ReadDevice(*FManager);
        QCOMPARE(Rows().constLast(), QStringLiteral("Замыкания в матрице клавиатуры="));
        QCOMPARE(Rows().value(1), QStringLiteral("Версия загрузчика=2.5"));
    }

    void unknownDeviceTypeShowsItsNumber()
    {
        Connect({QStringLiteral("--model"), QStringLiteral("3")}, {QStringLiteral("KP_64.xml")});
        FInfo->ReadDevice(*FManager);
        QCOMPARE(Rows().value(3), QStringLiteral("Тип устройства=3"));
    }

    void closedMatrixKeysCarryTheWarningMark()
    {
        TDeviceReport report;
        report.Rows.push_back(
            {QStringLiteral("Замыкания в матрице клавиатуры"), QStringLiteral("есть"), true});
        FInfo->Fill(report);
        QCOMPARE(Rows(), QStringList{QStringLiteral("Замыкания в матрице клавиатуры=есть!")});
    }

    void silentKeyboardFailsBeforeTheWindowShows()
    {
        Connect({QStringLiteral("--model"), QStringLiteral("3"), QStringLiteral("--stop-after"),
                 QStringLiteral("0")},
                {}, 200);
        QString error;
        try {
            FInfo->ShowDeviceInfo(*FManager);
        } catch (const EError &e) {
            error = e.Message();
        }
        QVERIFY(!error.isEmpty());
        QVERIFY(!FInfo->isVisible());
    }

    // The menu command reads the keyboard and shows the window modally; its
    // button closes it.
    void commandShowsTheWindowModally()
    {
        Connect({QStringLiteral("--model"), QStringLiteral("3")});
        TDeviceWindows windows(*FManager, FMain);
        QCOMPARE(windows.actDeviceReadInfo->shortcut(), QKeySequence(Qt::Key_F3));
        QCOMPARE(windows.actDeviceTest->shortcut(), QKeySequence(Qt::Key_F2));
        // The filter driver is installed only on Windows.
        QVERIFY(!windows.actInstallDriver->isEnabled());
        QVERIFY(!windows.actUninstallDriver->isEnabled());

        bool wasModal = false;
        int rows = 0;
        QTimer::singleShot(50, this, [&] {
            auto *shown = qobject_cast<TfmInfo *>(QApplication::activeModalWidget());
            QVERIFY(shown);
            wasModal = true;
            rows = shown->findChild<QTreeWidget *>()->topLevelItemCount();
            QCOMPARE(shown->windowTitle(), QStringLiteral("Информация об устройстве"));
            shown->findChild<QPushButton *>(QStringLiteral("btnClose"))->click();
        });
        windows.actDeviceReadInfo->trigger();
        QVERIFY(wasModal);
        QCOMPARE(rows, 9);
    }
};

QTEST_MAIN(DeviceInfoWindowTest)
#include "DeviceInfoWindowTest.moc"
