#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;
class TFont;
class TKeyboardManager;
struct TDeviceReport;

/// The window "Информация об устройстве": what the keyboard reports about
/// itself, one row per value with a warning mark where it matters, and below
/// them whether the stored layout works. The main window creates it once.
///
/// Usage: ShowDeviceInfo reads the keyboard and shows the window modally;
/// an error of the read ends it before the window is shown.
class TfmInfo : public QDialog {
    Q_OBJECT
public:
    /// font is the application font of the settings.
    explicit TfmInfo(const TFont &font, QWidget *parent = nullptr);

    /// Reads the keyboard and fills the window: status, the program record
    /// (a keyboard whose program does not answer counts as being in loader
    /// mode), the loader record, then back to working mode when the keyboard
    /// was working. Errors pass to the caller.
    void ReadDevice(TKeyboardManager &manager);
    /// Fills the list (cleared first) with the report's rows; for a working
    /// keyboard the status area follows the layout's state, otherwise it is
    /// left as it was.
    void Fill(const TDeviceReport &report);
    /// Reads the keyboard and shows the window modally.
    void ShowDeviceInfo(TKeyboardManager &manager);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QTreeWidget *ListView;
    QLabel *ImageBroken;
    QLabel *LabelState;
    QPushButton *btnClose;
};
