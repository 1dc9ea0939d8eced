#include "common/ActionRegistry.h"
#include "WizTestFixture.h"

#include "catalogue/Keyboards.h"
#include "common/MessageLink.h"
#include "device/HidBackend.h"
#include "dialogs/fmuProps.h"
#include "dialogs/fmuSettings.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "model/Layout.h"
#include "settings/SettingsManager.h"
#include "wizard/SetupCommands.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

namespace {

// HID services listing the USB keyboards a test plugs in; none opens, as no
// test talks to them.
class TListedHidBackend : public THidBackend {
public:
    void Plug(const QString &product)
    {
        THidDeviceRecord record;
        record.Path = QStringLiteral("/dev/hidraw") + QString::number(FRecords.size());
        record.Product = product;
        record.Manufacturer = QStringLiteral("Завод");
        record.Attributes.VendorID = 0x1A2B;
        record.Attributes.ProductID = 0x1234;
        record.Caps = {9, 65};
        FRecords.push_back(record);
    }
    void UnplugAll() { FRecords.clear(); }

    std::vector<THidDeviceRecord> Enumerate() override { return FRecords; }
    std::unique_ptr<THidConnection> Open(const QString &, THidOpenFailure &failure) override
    {
        failure = THidOpenFailure::Failed;
        return nullptr;
    }

private:
    std::vector<THidDeviceRecord> FRecords;
};

class TNoMessages : public TMessageLink {
public:
    void ClearMessages() override {}
    void AddMessage(const QString &, int) override {}
    void ShowMessages() override {}
};

template <typename T> T *Child(QWidget &parent, const char *name)
{
    return parent.findChild<T *>(QString::fromLatin1(name));
}

QStringList Items(QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace

// The settings dialog stores its values and writes the settings file on OK
// only; the layout properties dialog moves a layout to another model, and
// reads the model of the emulated keyboard.
class SetupDialogsTest : public QObject {
    Q_OBJECT

    QWidget FWindow;

private slots:
    void initTestCase() { QApplication::setApplicationDisplayName(QStringLiteral("Ravlin")); }

    void settingsDialogShowsTheSettings()
    {
        TWizEnvironment environment(0);
        TfmSettings dialog(*environment.Manager, ReadAppSettings(*environment.Manager));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Настройки приложения"));
        QCOMPARE(Child<QComboBox>(dialog, "cbKeyboard")->currentText(), QStringLiteral("КП-64"));
        QVERIFY(!Child<QCheckBox>(dialog, "chbSaveBeforeUpload")->isChecked());
        QVERIFY(Child<QCheckBox>(dialog, "chbCheckUpdate")->isChecked());
        QCOMPARE(Items(Child<QComboBox>(dialog, "cbDevice")), QStringList{QStringLiteral("PS/2 клавиатура")});
        QCOMPARE(Child<QComboBox>(dialog, "cbDevice")->currentIndex(), 0);
        QVERIFY(!Child<QComboBox>(dialog, "cbDevice")->isEnabled());
        QCOMPARE(Child<QToolButton>(dialog, "btnRefresh")->toolTip(),
                 QStringLiteral("Обновить список устройств"));
        // The stored "MS Sans Serif" is missing here: the field names the face
        // the windows are drawn in.
        const QFontInfo inUse(Child<QLabel>(dialog, "pnlPreview")->font());
        QCOMPARE(Child<QLineEdit>(dialog, "edtFont")->text(), inUse.family() + QStringLiteral(", 8"));
        QCOMPARE(Child<QLabel>(dialog, "pnlPreview")->text(), QStringLiteral("AaBbYyZz"));
    }

    void theFontDialogStartsOnTheFaceInUse()
    {
        // "MS Sans Serif" is missing here: the forms draw with the system's
        // face, and the dialog confirmed as it opens keeps that face upright.
        TWizEnvironment environment(0);
        TfmSettings dialog(*environment.Manager, ReadAppSettings(*environment.Manager));
        const QFontInfo inUse(Child<QLabel>(dialog, "pnlPreview")->font());
        WhenModal<QFontDialog>([](QFontDialog &fonts) { fonts.accept(); });
        Child<QPushButton>(dialog, "btnFont")->click();
        const TFont chosen = dialog.Values().Font;
        QCOMPARE(chosen.Name(), inUse.family());
        QCOMPARE(chosen.Size(), 8);
        QCOMPARE(chosen.Style(), uint8_t(0));
    }

    void settingsOKStoresTheValuesAndWritesTheFile()
    {
        TWizEnvironment environment(0);
        TKeyboardManager &manager = *environment.Manager;
        const QString file = manager.Settings().FileName();
        TSetupCommands commands(manager, FWindow);
        QSignalSpy closed(&commands, &TSetupCommands::settingsClosed);

        // The same changes, once cancelled and once confirmed.
        const auto change = [](TfmSettings &dialog) {
            Child<QComboBox>(dialog, "cbKeyboard")->setCurrentText(QStringLiteral("Сектор-48"));
            Child<QCheckBox>(dialog, "chbSaveBeforeUpload")->setChecked(true);
            Child<QCheckBox>(dialog, "chbCheckUpdate")->setChecked(false);
            Child<QComboBox>(dialog, "cbLanguage")->setCurrentText(QStringLiteral("English"));
            TFont font = dialog.Values().Font;
            font.SetName(QStringLiteral("DejaVu Serif"));
            font.SetSize(12);
            dialog.SetPreviewFont(font);
            Child<QLineEdit>(dialog, "edtUpdateServer")
                ->setText(QStringLiteral(" https://updates.ravlin.test/ "));
            Child<QLineEdit>(dialog, "edtReportAddress")->setText(QStringLiteral("reports@ravlin.test"));
        };
        WhenModal<TfmSettings>([&change](TfmSettings &dialog) {
            change(dialog);
            QCOMPARE(Child<QLineEdit>(dialog, "edtFont")->text(), QStringLiteral("DejaVu Serif, 12"));
            QCOMPARE(Child<QLabel>(dialog, "pnlPreview")->font().family(), QStringLiteral("DejaVu Serif"));
            Child<QPushButton>(dialog, "btnCancel")->click();
        });
        commands.EditSettings();
        QCOMPARE(closed.count(), 1);
        QVERIFY2(!QFile::exists(file), "Cancel writes nothing");
        QCOMPARE(manager.Settings().KeyboardID(), 1);
        QCOMPARE(manager.Settings().Font().Name(), QStringLiteral("MS Sans Serif"));

        WhenModal<TfmSettings>([&change](TfmSettings &dialog) {
            change(dialog);
            Child<QPushButton>(dialog, "btnOK")->click();
        });
        commands.EditSettings();
        QCOMPARE(closed.count(), 2);
        QCOMPARE(manager.Settings().KeyboardID(), 4);
        QVERIFY(manager.Settings().SaveBeforeUpload());
        QVERIFY(!manager.Settings().CheckUpdateOnLoad());
        QCOMPARE(manager.Settings().Font().Name(), QStringLiteral("DejaVu Serif"));

        QVERIFY(QFile::exists(file));
        QSettings ini(file, QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("SETTINGS/KeyboardID")).toInt(), 4);
        QCOMPARE(ini.value(QStringLiteral("SETTINGS/SaveBeforeUpload")).toInt(), 1);
        QCOMPARE(ini.value(QStringLiteral("SETTINGS/CheckUpdateOnLoad")).toInt(), 0);
        QCOMPARE(ini.value(QStringLiteral("SETTINGS/Language")).toString(), QStringLiteral("en"));
        QCOMPARE(ini.value(QStringLiteral("SETTINGS/FontSize")).toInt(), 12);
        QCOMPARE(ini.value(QStringLiteral("SETTINGS/UpdateServer")).toString(),
                 QStringLiteral("https://updates.ravlin.test/"));
        QCOMPARE(ini.value(QStringLiteral("SETTINGS/ReportAddress")).toString(),
                 QStringLiteral("reports@ravlin.test"));

        // Windows made after the change take the new font; the dialog's own
        // font came from the settings as they were when it opened.
        TfmProps props(manager, 1);
        QCOMPARE(props.font().family(), QStringLiteral("DejaVu Serif"));
        TNoMessages messages;
        TfmDoc document(manager, messages);
        QCOMPARE(document.font().family(), QStringLiteral("DejaVu Serif"));
    }

    void settingsDeviceListIsRefreshedAndAVanishedDeviceKeepsTheDialogOpen()
    {
        TWizEnvironment environment(0);
        auto backend = std::make_shared<TListedHidBackend>();
        environment.Options.Ports.HidBackend = backend;
        environment.Manager = std::make_unique<TKeyboardManager>(environment.Options);
        TKeyboardManager &manager = *environment.Manager;

        TfmSettings dialog(manager, ReadAppSettings(manager));
        dialog.OnApply = [&manager](const TAppSettings &values) { ApplyAppSettings(manager, values); };
        dialog.show();
        QComboBox *devices = Child<QComboBox>(dialog, "cbDevice");
        QCOMPARE(devices->count(), 1);

        backend->Plug(QStringLiteral("Клавиатура QV"));
        Child<QToolButton>(dialog, "btnRefresh")->click();
        QCOMPARE(devices->count(), 2);
        QVERIFY(devices->isEnabled());
        QCOMPARE(devices->currentText(), QStringLiteral("PS/2 клавиатура"));
        const QString usb = devices->itemText(1);
        QVERIFY(usb.startsWith(QStringLiteral("Клавиатура QV")));

        devices->setCurrentIndex(1);
        Child<QCheckBox>(dialog, "chbSaveBeforeUpload")->setChecked(true);
        Child<QComboBox>(dialog, "cbKeyboard")->setCurrentText(QStringLiteral("Компакт-30"));
        backend->UnplugAll();
        const auto message = AnswerNextMessage();
        Child<QPushButton>(dialog, "btnOK")->click();
        QCOMPARE(*message, QStringLiteral("Устройство %1 не найдено.").arg(usb));
        QVERIFY2(dialog.isVisible(), "the dialog stays open");
        QCOMPARE(Items(devices), QStringList{QStringLiteral("PS/2 клавиатура")});
        QVERIFY(Child<QCheckBox>(dialog, "chbSaveBeforeUpload")->isChecked());
        QCOMPARE(Child<QComboBox>(dialog, "cbKeyboard")->currentText(), QStringLiteral("Компакт-30"));
        QCOMPARE(manager.Settings().KeyboardID(), 1);
        QVERIFY(!manager.Settings().SaveBeforeUpload());
        QVERIFY(!QFile::exists(manager.Settings().FileName()));

        Child<QPushButton>(dialog, "btnOK")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(manager.Settings().KeyboardID(), 2);
        QVERIFY(QFile::exists(manager.Settings().FileName()));
    }

    void anAddressTheProgramCannotUseKeepsTheDialogOpen()
    {
        TWizEnvironment environment(0);
        TKeyboardManager &manager = *environment.Manager;
        TfmSettings dialog(manager, ReadAppSettings(manager));
        dialog.OnApply = [&manager](const TAppSettings &values) { ApplyAppSettings(manager, values); };
        dialog.show();
        Child<QCheckBox>(dialog, "chbSaveBeforeUpload")->setChecked(true);
        Child<QLineEdit>(dialog, "edtUpdateServer")->setText(QStringLiteral("updates.ravlin.test"));
        const auto message = AnswerNextMessage();
        Child<QPushButton>(dialog, "btnOK")->click();
        QCOMPARE(*message,
                 QStringLiteral("Адрес сервера обновлений должен начинаться с http:// или https://."));
        QVERIFY(dialog.isVisible());
        QVERIFY2(!manager.Settings().SaveBeforeUpload(), "nothing is stored");

        Child<QLineEdit>(dialog, "edtUpdateServer")->setText(QStringLiteral("http://updates.ravlin.test"));
        Child<QLineEdit>(dialog, "edtReportAddress")->setText(QStringLiteral("Отчеты <reports@ravlin.test>"));
        const auto again = AnswerNextMessage();
        Child<QPushButton>(dialog, "btnOK")->click();
        QCOMPARE(*again, QStringLiteral("Адрес для отчетов об ошибках должен иметь вид имя@домен."));
        QVERIFY(dialog.isVisible());
    }

    void propertiesWithTheSameModelChangeNothing()
    {
        TWizEnvironment environment(0);
        TSetupCommands commands(*environment.Manager, FWindow);
        TLayoutDocument document(*environment.Manager);
        document.StartNew(4);
        QVERIFY(!document.IsModified());
        QSignalSpy changes(&document, &TLayoutDocument::changed);

        WhenModal<TfmProps>([](TfmProps &dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Свойства раскладки"));
            QCOMPARE(Child<QListWidget>(dialog, "lbModels")->currentItem()->text(),
                     QStringLiteral("Сектор-48"));
            Child<QPushButton>(dialog, "btnOK")->click();
        });
        commands.EditLayoutProperties(document);
        QCOMPARE(document.Layout().KeyboardID(), 4);
        QVERIFY(!document.IsModified());
        QCOMPARE(changes.count(), 0);

        WhenModal<TfmProps>([](TfmProps &dialog) {
            Child<QListWidget>(dialog, "lbModels")->setCurrentRow(0);
            Child<QPushButton>(dialog, "btnCancel")->click();
        });
        commands.EditLayoutProperties(document);
        QCOMPARE(document.Layout().KeyboardID(), 4);
        QCOMPARE(changes.count(), 0);
    }

    void propertiesMoveTheLayoutToAnotherModel()
    {
        TWizEnvironment environment(0);
        TSetupCommands commands(*environment.Manager, FWindow);
        TLayoutDocument document(*environment.Manager);
        document.StartNew(4);

        WhenModal<TfmProps>([](TfmProps &dialog) {
            QListWidget *models = Child<QListWidget>(dialog, "lbModels");
            models->setCurrentItem(models->findItems(QStringLiteral("КП-120"), Qt::MatchExactly).front());
            Child<QPushButton>(dialog, "btnOK")->click();
        });
        commands.EditLayoutProperties(document);
        QCOMPARE(document.Layout().KeyboardID(), 3);
        QCOMPARE(document.Layout().Columns(), 15);
        QVERIFY(document.IsModified());

        // A double-click in the list chooses too.
        WhenModal<TfmProps>([](TfmProps &dialog) {
            QListWidget *models = Child<QListWidget>(dialog, "lbModels");
            QListWidgetItem *item = models->findItems(QStringLiteral("Компакт-30"), Qt::MatchExactly).front();
            const QPoint point = models->visualItemRect(item).center();
            QTest::mouseClick(models->viewport(), Qt::LeftButton, {}, point);
            QTest::mouseDClick(models->viewport(), Qt::LeftButton, {}, point);
        });
        commands.EditLayoutProperties(document);
        QCOMPARE(document.Layout().KeyboardID(), 2);
    }

    void propertiesOpenFromTheDocumentWindowAndTheCommand()
    {
        TWizEnvironment environment(0);
        TSetupCommands commands(*environment.Manager, FWindow);
        TNoMessages messages;
        TfmDoc document(*environment.Manager, messages);
        commands.SetActive(&document);
        document.UseCommands(TActionRegistry(FWindow));
        QCOMPARE(commands.actLayoutProperties->shortcut(), QKeySequence(Qt::Key_F11));
        QCOMPARE(commands.actLayoutProperties->iconText(), QStringLiteral("Раскладка"));

        for (QAction *action :
             {document.findChild<QAction *>(QStringLiteral("acLayout")), commands.actLayoutProperties}) {
            QVERIFY(action);
            WhenModal<TfmProps>([](TfmProps &dialog) {
                QListWidget *models = Child<QListWidget>(dialog, "lbModels");
                QCOMPARE(models->currentItem()->text(), QStringLiteral("КП-64"));
                models->setCurrentRow(models->currentRow() == 0 ? 1 : 0);
                Child<QPushButton>(dialog, "btnOK")->click();
            });
            const int before = document.Document().Layout().KeyboardID();
            action->trigger();
            QVERIFY(document.Document().Layout().KeyboardID() != before);
            document.Document().StartNew(1);
        }
    }

    void propertiesReadSelectsTheModelOfTheKeyboard()
    {
        TWizEnvironment environment(5);
        QVERIFY(environment.Started);
        // The layout's own model has the code: it stays selected.
        TfmProps own(*environment.Manager, 6);
        own.show();
        Child<QPushButton>(own, "btnRead")->click();
        QCOMPARE(own.KeyboardID(), std::optional<int>(6));
        // Otherwise the first model of the catalogue with the code.
        TfmProps other(*environment.Manager, 1);
        other.show();
        Child<QPushButton>(other, "btnRead")->click();
        QCOMPARE(other.KeyboardID(), std::optional<int>(5));
        QVERIFY(Child<QPushButton>(other, "btnRead")->isEnabled());
    }

    void propertiesReadWithoutAMatchOrAKeyboard()
    {
        TWizEnvironment unknown(3, {QStringLiteral("KP_64.xml"), QStringLiteral("Sektor_48.xml")});
        QVERIFY(unknown.Started);
        TfmProps dialog(*unknown.Manager, 1);
        dialog.show();
        Child<QPushButton>(dialog, "btnRead")->click();
        QCOMPARE(dialog.KeyboardID(), std::nullopt);

        TWizEnvironment none(0);
        TfmProps silent(*none.Manager, 4);
        silent.show();
        const auto message = AnswerNextMessage();
        Child<QPushButton>(silent, "btnRead")->click();
        QVERIFY(!message->isEmpty());
        QCOMPARE(silent.KeyboardID(), std::optional<int>(4));
        QVERIFY(Child<QPushButton>(silent, "btnRead")->isEnabled());
    }
};

QTEST_MAIN(SetupDialogsTest)
#include "SetupDialogsTest.moc"
