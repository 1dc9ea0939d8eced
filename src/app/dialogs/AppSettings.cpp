#include "dialogs/AppSettings.h"

#include "device/KeyboardManager.h"
#include "settings/SettingsManager.h"

TAppSettings ReadAppSettings(TKeyboardManager &manager)
{
    const TSettingsManager &settings = manager.Settings();
    TAppSettings values;
    values.DeviceName = manager.DeviceName();
    values.KeyboardID = settings.KeyboardID();
    values.SaveBeforeUpload = settings.SaveBeforeUpload();
    values.CheckUpdateOnLoad = settings.CheckUpdateOnLoad();
    values.Font = settings.Font();
    return values;
}

void ApplyAppSettings(TKeyboardManager &manager, const TAppSettings &values)
{
    manager.SetDeviceName(values.DeviceName);
    TSettingsManager &settings = manager.Settings();
    if (values.KeyboardID)
        settings.SetKeyboardID(*values.KeyboardID);
    settings.SetSaveBeforeUpload(values.SaveBeforeUpload);
    settings.SetCheckUpdateOnLoad(values.CheckUpdateOnLoad);
    settings.Font() = values.Font;
    settings.Save();
}
