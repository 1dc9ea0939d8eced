#include "dialogs/fmuSettings.h"

#include "catalogue/Keyboards.h"
#include "common/BaseForm.h"
#include "common/CommandGuard.h"
#include "device/KeyboardManager.h"
#include "settings/SettingsManager.h"
#include "common/DialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Returns the settings' font with the face, size and style of a font the
// font dialog chose; resolution, character set and colour stay.
TFont FromQFont(TFont font, const QFont &chosen)
{
    font.SetName(chosen.family());
    if (chosen.pointSize() > 0)
        font.SetSize(chosen.pointSize());
    else
        font.SetHeight(-chosen.pixelSize());
    font.SetStyle(uint8_t((chosen.bold() ? fsBold : 0) | (chosen.italic() ? fsItalic : 0) |
                          (chosen.underline() ? fsUnderline : 0) | (chosen.strikeOut() ? fsStrikeOut : 0)));
    return font;
}

// A line edit of one address, under its caption.
QLineEdit *AddAddressField(QVBoxLayout &layout, const QString &name, const QString &caption,
                           const QString &value, const QString &placeholder)
{
    auto *field = new QLineEdit(value);
    field->setObjectName(name);
    field->setPlaceholderText(placeholder);
    auto *label = new QLabel(caption);
    label->setBuddy(field);
    layout.addWidget(label);
    layout.addWidget(field);
    return field;
}

} // namespace

QString TfmSettings::AddressTabName()
{
    return tr("Обновления и отчеты");
}

TfmSettings::TfmSettings(TKeyboardManager &manager, const TAppSettings &values, QWidget *parent)
    : QDialog(parent), FManager(manager), FDeviceName(values.DeviceName)
{
    setObjectName(QStringLiteral("fmSettings"));
    setWindowTitle(tr("Настройки приложения"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(TBaseForm::FormFont(manager.Settings().Font()));

    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("PageControl"));
    tabs->addTab(CreateGeneralTab(values), tr("Общие"));
    tabs->addTab(CreateFontTab(), tr("Шрифт"));
    tabs->addTab(CreateAddressTab(values), AddressTabName());
    SetPreviewFont(values.Font);

    QDialogButtonBox *buttons = OkCancelButtons(*this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget *TfmSettings::CreateGeneralTab(const TAppSettings &values)
{
    auto *page = new QWidget;
    cbKeyboard = new QComboBox(page);
    cbKeyboard->setObjectName(QStringLiteral("cbKeyboard"));
    const TKeyboards &keyboards = FManager.Keyboards();
    for (int i = 0; i < keyboards.Count(); ++i)
        cbKeyboard->addItem(keyboards.Item(i).ClassName, keyboards.Item(i).ID);
    cbKeyboard->setCurrentIndex(values.KeyboardID ? cbKeyboard->findData(*values.KeyboardID) : -1);
    auto *keyboardLabel = new QLabel(tr("Клавиатура по умолчанию:"), page);
    keyboardLabel->setBuddy(cbKeyboard);

    chbSaveBeforeUpload = new QCheckBox(tr("Сохранять раскладку перед загрузкой"), page);
    chbSaveBeforeUpload->setObjectName(QStringLiteral("chbSaveBeforeUpload"));
    chbSaveBeforeUpload->setChecked(values.SaveBeforeUpload);
    chbCheckUpdate = new QCheckBox(tr("Проверять обновления при старте"), page);
    chbCheckUpdate->setObjectName(QStringLiteral("chbCheckUpdate"));
    chbCheckUpdate->setChecked(values.CheckUpdateOnLoad);

    // Each language is named in itself, so that a user who cannot read the
    // current one still finds their own.
    cbLanguage = new QComboBox(page);
    cbLanguage->setObjectName(QStringLiteral("cbLanguage"));
    cbLanguage->addItem(tr("Системный"), int(TLanguage::System));
    cbLanguage->addItem(QStringLiteral("Русский"), int(TLanguage::Russian));
    cbLanguage->addItem(QStringLiteral("English"), int(TLanguage::English));
    cbLanguage->setCurrentIndex(cbLanguage->findData(int(values.Language)));
    auto *languageLabel = new QLabel(tr("Язык:"), page);
    languageLabel->setBuddy(cbLanguage);
    auto *languageNote = new QLabel(tr("Язык сменится при следующем запуске программы."), page);
    languageNote->setEnabled(false);
    auto *languageRow = new QHBoxLayout;
    languageRow->addWidget(languageLabel);
    languageRow->addWidget(cbLanguage);
    languageRow->addWidget(languageNote, 1);

    auto *deviceGroup = new QGroupBox(tr("Тип клавиатуры:"), page);
    cbDevice = new QComboBox(deviceGroup);
    cbDevice->setObjectName(QStringLiteral("cbDevice"));
    cbDevice->setMinimumWidth(260);
    btnRefresh = new QToolButton(deviceGroup);
    btnRefresh->setObjectName(QStringLiteral("btnRefresh"));
    btnRefresh->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    btnRefresh->setToolTip(tr("Обновить список устройств"));
    connect(btnRefresh, &QToolButton::clicked, this, &TfmSettings::btnRefreshClick);
    auto *deviceRow = new QHBoxLayout(deviceGroup);
    deviceRow->addWidget(cbDevice, 1);
    deviceRow->addWidget(btnRefresh);
    FillDevices(values.DeviceName);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(keyboardLabel);
    layout->addWidget(cbKeyboard);
    layout->addWidget(chbSaveBeforeUpload);
    layout->addWidget(chbCheckUpdate);
    layout->addLayout(languageRow);
    layout->addWidget(deviceGroup);
    layout->addStretch();
    return page;
}

QWidget *TfmSettings::CreateFontTab()
{
    auto *page = new QWidget;
    edtFont = new QLineEdit(page);
    edtFont->setObjectName(QStringLiteral("edtFont"));
    edtFont->setReadOnly(true);
    btnFont = new QPushButton(QStringLiteral("..."), page);
    btnFont->setObjectName(QStringLiteral("btnFont"));
    btnFont->setAutoDefault(false);
    btnFont->setFixedWidth(btnFont->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    connect(btnFont, &QPushButton::clicked, this, &TfmSettings::btnFontClick);
    auto *fontRow = new QHBoxLayout;
    fontRow->addWidget(edtFont, 1);
    fontRow->addWidget(btnFont);

    pnlPreview = new QLabel(QStringLiteral("AaBbYyZz"), page);
    pnlPreview->setObjectName(QStringLiteral("pnlPreview"));
    pnlPreview->setAlignment(Qt::AlignCenter);
    pnlPreview->setFrameShape(QFrame::StyledPanel);
    pnlPreview->setFrameShadow(QFrame::Sunken);
    pnlPreview->setMinimumHeight(60);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(tr("Шрифт приложения:"), page));
    layout->addLayout(fontRow);
    layout->addWidget(new QLabel(tr("Вид:"), page));
    layout->addWidget(pnlPreview, 1);
    return page;
}

QWidget *TfmSettings::CreateAddressTab(const TAppSettings &values)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    edtUpdateServer = AddAddressField(*layout, QStringLiteral("edtUpdateServer"), tr("Сервер обновлений:"),
                                      values.UpdateServer, QStringLiteral("https://"));
    edtDownloadPage =
        AddAddressField(*layout, QStringLiteral("edtDownloadPage"), tr("Страница загрузки новых версий:"),
                        values.DownloadPage, QStringLiteral("https://"));
    edtReportAddress =
        AddAddressField(*layout, QStringLiteral("edtReportAddress"), tr("Адрес для отчетов об ошибках:"),
                        values.ReportAddress, tr("имя@домен"));
    auto *note = new QLabel(tr("Без сервера обновления не проверяются; без адреса отчет об ошибке "
                               "можно скопировать или сохранить в файл."));
    note->setObjectName(QStringLiteral("lblAddressNote"));
    note->setWordWrap(true);
    note->setEnabled(false);
    layout->addSpacing(6);
    layout->addWidget(note);
    layout->addStretch();
    return page;
}

TAppSettings TfmSettings::Values() const
{
    TAppSettings values;
    values.DeviceName = cbDevice->count() > 0 ? cbDevice->currentData().toString() : FDeviceName;
    if (cbKeyboard->currentIndex() >= 0)
        values.KeyboardID = cbKeyboard->currentData().toInt();
    values.SaveBeforeUpload = chbSaveBeforeUpload->isChecked();
    values.CheckUpdateOnLoad = chbCheckUpdate->isChecked();
    values.Language = TLanguage(cbLanguage->currentData().toInt());
    values.Font = FPreviewFont;
    values.UpdateServer = edtUpdateServer->text().trimmed();
    values.DownloadPage = edtDownloadPage->text().trimmed();
    values.ReportAddress = edtReportAddress->text().trimmed();
    return values;
}

void TfmSettings::SetPreviewFont(const TFont &font)
{
    FPreviewFont = font;
    // The face the windows are drawn in: a stored name this system lacks is
    // not what the user sees.
    edtFont->setText(QStringLiteral("%1, %2").arg(QFontInfo(TBaseForm::FormFont(font)).family()).arg(font.Size()));
    pnlPreview->setFont(TBaseForm::FormFont(font));
    QPalette palette = pnlPreview->palette();
    palette.setColor(QPalette::WindowText, ColorToQColor(font.Color()));
    pnlPreview->setPalette(palette);
}

void TfmSettings::accept()
{
    if (CommandGuard::RunCommand(this, [this] {
            if (OnApply)
                OnApply(Values());
        })) {
        QDialog::accept();
        return;
    }
    FillDevices(FManager.DeviceName());
}

void TfmSettings::FillDevices(const QString &name)
{
    TDeviceList devices;
    FManager.GetDevices(devices);
    cbDevice->clear();
    for (const TDeviceEntry &device : devices)
        cbDevice->addItem(device.Shown(), device.Name);
    cbDevice->setCurrentIndex(cbDevice->findData(name));
    cbDevice->setEnabled(cbDevice->count() > 1);
}

void TfmSettings::btnRefreshClick()
{
    CommandGuard::RunCommand(this, [this] { FManager.RefreshDevices(); });
    FillDevices(FManager.DeviceName());
}

void TfmSettings::btnFontClick()
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, TBaseForm::FontDialogStart(FPreviewFont), this);
    if (ok)
        SetPreviewFont(FromQFont(FPreviewFont, chosen));
}
