#pragma once

#include "model/Font.h"
#include "translations/Language.h"

#include <QString>
#include <optional>

class TKeyboardManager;

/// The settings the settings dialog edits, as plain values.
struct TAppSettings {
    QString DeviceName;
    /// The default keyboard model; none leaves the setting as it is.
    std::optional<int> KeyboardID;
    bool SaveBeforeUpload = false;
    bool CheckUpdateOnLoad = true;
    /// The language of the texts, taken at the editor's next start.
    TLanguage Language = TLanguage::System;
    TFont Font;
    /// The update server, the download page and the address of error
    /// reports; empty when there is none.
    QString UpdateServer;
    QString DownloadPage;
    QString ReportAddress;
};

/// Returns the values the keyboard manager and its settings hold now.
TAppSettings ReadAppSettings(TKeyboardManager &manager);

/// Stores the values in this order and writes the settings file, once the
/// addresses are found usable (raises EError naming the first that is not:
/// a web address that is not http or https, a report address that is not
/// name@domain), changing nothing before: the device
/// (raises "Устройство %s не найдено." when no port has it, changing nothing
/// else), the default model when there is one, the two switches, the language, the font,
/// the update server, the download page and the report address.
void ApplyAppSettings(TKeyboardManager &manager, const TAppSettings &values);
