#include "dialogs/AppSettings.h"

#include "base/Error.h"
#include "device/KeyboardManager.h"
#include "settings/SettingsManager.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QUrl>

namespace {

// A web address the update check can ask: empty, or http or https with a
// host.
bool IsWebAddress(const QString &address)
{
    if (address.isEmpty())
        return true;
    const QUrl url(address, QUrl::StrictMode);
    return url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
}

// A plain mail address, as the mail client takes it: empty, or name@domain.
bool IsMailAddress(const QString &address)
{
    static const QRegularExpression plain(QStringLiteral("^[^@\\s<>\"]+@[^@\\s<>\"]+$"));
    return address.isEmpty() || plain.match(address).hasMatch();
}

// Refuses addresses the program could not use, before anything is stored.
void CheckAddresses(const TAppSettings &values)
{
    if (!IsWebAddress(values.UpdateServer))
        throw EError(QCoreApplication::translate(
            "AppSettings", "Адрес сервера обновлений должен начинаться с http:// или https://."));
    if (!IsWebAddress(values.DownloadPage))
        throw EError(QCoreApplication::translate(
            "AppSettings", "Адрес страницы загрузки должен начинаться с http:// или https://."));
    if (!IsMailAddress(values.ReportAddress))
        throw EError(QCoreApplication::translate("AppSettings",
                                                 "Адрес для отчетов об ошибках должен иметь вид имя@домен."));
}

} // namespace

TAppSettings ReadAppSettings(TKeyboardManager &manager)
{
    const TSettingsManager &settings = manager.Settings();
    TAppSettings values;
    values.DeviceName = manager.DeviceName();
    values.KeyboardID = settings.KeyboardID();
    values.SaveBeforeUpload = settings.SaveBeforeUpload();
    values.CheckUpdateOnLoad = settings.CheckUpdateOnLoad();
    values.Language = settings.Language();
    values.Font = settings.Font();
    values.UpdateServer = settings.UpdateServer();
    values.DownloadPage = settings.DownloadPage();
    values.ReportAddress = settings.ReportAddress();
    return values;
}

void ApplyAppSettings(TKeyboardManager &manager, const TAppSettings &values)
{
    CheckAddresses(values);
    manager.SetDeviceName(values.DeviceName);
    TSettingsManager &settings = manager.Settings();
    if (values.KeyboardID)
        settings.SetKeyboardID(*values.KeyboardID);
    settings.SetSaveBeforeUpload(values.SaveBeforeUpload);
    settings.SetCheckUpdateOnLoad(values.CheckUpdateOnLoad);
    settings.SetLanguage(values.Language);
    settings.Font() = values.Font;
    settings.SetUpdateServer(values.UpdateServer);
    settings.SetDownloadPage(values.DownloadPage);
    settings.SetReportAddress(values.ReportAddress);
    settings.Save();
}
