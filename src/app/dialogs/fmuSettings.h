#pragma once

#include "dialogs/AppSettings.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TKeyboardManager;

/// The settings dialog "Настройки приложения": on the tab "Общие" the
/// default keyboard model, the two switches and the device list with its
/// refresh button; on the tab "Шрифт" the application font with a preview;
/// on the tab AddressTabName() the update server, the download page and the
/// address of error reports.
/// The dialog edits plain values; OK hands them to OnApply, which stores
/// them.
class TfmSettings : public QDialog {
    Q_OBJECT
public:
    /// Returns the caption of the tab of the addresses, named where the
    /// program asks for one of them.
    static QString AddressTabName();

    /// The manager gives the model and device lists; values are shown.
    TfmSettings(TKeyboardManager &manager, const TAppSettings &values, QWidget *parent = nullptr);

    /// Returns the values as the dialog shows them.
    TAppSettings Values() const;
    /// Shows font in the font field and the preview.
    void SetPreviewFont(const TFont &font);

    /// Stores the values when OK is pressed. When it raises, the error is
    /// shown and the dialog stays open with the values the user gave; the
    /// device list is filled again, so that a device that went away since
    /// the dialog opened leaves it.
    std::function<void(const TAppSettings &values)> OnApply;

    /// "OK": hands the values to OnApply and closes when it succeeds.
    void accept() override;

private:
    QWidget *CreateGeneralTab(const TAppSettings &values);
    QWidget *CreateFontTab();
    QWidget *CreateAddressTab(const TAppSettings &values);
    /// Lists the manager's devices and selects the entry named name; the
    /// list is enabled only with more than one entry.
    void FillDevices(const QString &name);
    /// Rescans the ports, then lists the devices with the current one
    /// selected.
    void btnRefreshClick();
    /// "...": the system font dialog, started on the face and size the
    /// preview font is drawn with.
    void btnFontClick();

    TKeyboardManager &FManager;
    // The device of the settings, kept when the list has no entries.
    QString FDeviceName;
    TFont FPreviewFont;
    QComboBox *cbKeyboard;
    QComboBox *cbLanguage;
    QCheckBox *chbSaveBeforeUpload;
    QCheckBox *chbCheckUpdate;
    QComboBox *cbDevice;
    QToolButton *btnRefresh;
    QLineEdit *edtFont;
    QPushButton *btnFont;
    QLabel *pnlPreview;
    QLineEdit *edtUpdateServer;
    QLineEdit *edtDownloadPage;
    QLineEdit *edtReportAddress;
};
