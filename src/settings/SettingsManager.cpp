#include "settings/SettingsManager.h"

#include "settings/DistributorDefaults.h"
#include "settings/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cstdint>

namespace {

const QString kSettings = QStringLiteral("SETTINGS");
const QString kMRU = QStringLiteral("MRU");

const QString kDefaultDeviceName = QStringLiteral("PS/2 клавиатура");
const QString kDefaultFontName = QStringLiteral("MS Sans Serif");
constexpr int kDefaultPixelsPerInch = 96;
constexpr int kDefaultCharset = 204;
constexpr int kDefaultFontHeight = -11;
constexpr int kDefaultFontSize = 8;
// The zoom keys by view mode: layout, picture, simplified.
const QString kZoomKeys[TSettingsManager::kZoomModes] = {
    QStringLiteral("ZoomLayout"), QStringLiteral("ZoomPicture"), QStringLiteral("ZoomSimplified")};

// A view mode's place among the zooms; unknown modes share the layout's.
size_t ZoomIndex(TViewMode viewMode)
{
    return size_t(ToViewMode(viewMode));
}

// Whether the settings file beside the program can be written: its folder
// must be a writable folder, and an existing file must be writable too.
bool CanWrite(const QString &fileName)
{
    const QFileInfo file(fileName);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir() || !folder.isWritable())
        return false;
    return !file.exists() || file.isWritable();
}

} // namespace

TSettingsManager::TSettingsManager(const QString &programPath, const QString &configFolder)
    : FFont(std::make_unique<TFont>()), FMRU(std::make_unique<TMRUList>()), FDeviceName(kDefaultDeviceName)
{
    const QFileInfo program(programPath);
    const QString name = program.completeBaseName() + QStringLiteral(".ini");
    FProgramFileName = QDir(program.absolutePath()).filePath(name);
    const QString userFolder = configFolder.isEmpty()
                                   ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                                   : configFolder;
    FUserFileName = QDir(userFolder).filePath(name);
    Load();
}

TSettingsManager::~TSettingsManager() = default;

QString TSettingsManager::FileName() const
{
    if (QFileInfo::exists(FUserFileName) || !CanWrite(FProgramFileName))
        return FUserFileName;
    return FProgramFileName;
}

QString TSettingsManager::ReadFileName() const
{
    // A program installed in a read-only folder may still ship a settings
    // file beside it: its values are read until the user's own file exists.
    return QFileInfo::exists(FUserFileName) ? FUserFileName : FProgramFileName;
}

int TSettingsManager::Zoom(TViewMode viewMode) const
{
    return FZooms[ZoomIndex(viewMode)];
}

void TSettingsManager::SetZoom(TViewMode viewMode, int percent)
{
    FZooms[ZoomIndex(viewMode)] = std::clamp(percent, kMinZoom, kMaxZoom);
}

void TSettingsManager::Load()
{
    const TIniFile ini(ReadFileName());
    FDockPanelHeight = ini.ReadInteger(kSettings, QStringLiteral("DockPanelHeight"), 0);
    FMessageFormDocked = ini.ReadBool(kSettings, QStringLiteral("MessageFormDocked"), false);
    FDeviceName = ini.ReadString(kSettings, QStringLiteral("DeviceName"), kDefaultDeviceName);
    FKeyboardID = ini.ReadInteger(kSettings, QStringLiteral("KeyboardID"), 1);
    FSaveBeforeUpload = ini.ReadBool(kSettings, QStringLiteral("SaveBeforeUpload"), false);
    FCheckUpdateOnLoad = ini.ReadBool(kSettings, QStringLiteral("CheckUpdateOnLoad"), true);
    FFirstRun = ini.ReadBool(kSettings, QStringLiteral("FirstRun"), true);
    FViewMode = uint8_t(ini.ReadInteger(kSettings, QStringLiteral("ViewMode"), 0));
    for (int mode = 0; mode < kZoomModes; ++mode) {
        const int zoom = ini.ReadInteger(kSettings, kZoomKeys[mode], kNormalZoom);
        FZooms[size_t(mode)] = zoom >= kMinZoom && zoom <= kMaxZoom ? zoom : kNormalZoom;
    }

    // The height is set before the size, so the size decides the final
    // height at the resolution read first.
    TFont &font = *FFont;
    font.SetPixelsPerInch(
        ini.ReadInteger(kSettings, QStringLiteral("FontPixelsPerInch"), kDefaultPixelsPerInch));
    font.SetCharset(uint8_t(ini.ReadInteger(kSettings, QStringLiteral("FontCharset"), kDefaultCharset)));
    font.SetColor(uint32_t(ini.ReadInteger(kSettings, QStringLiteral("FontColor"), 0)));
    font.SetHeight(ini.ReadInteger(kSettings, QStringLiteral("FontHeight"), kDefaultFontHeight));
    font.SetSize(ini.ReadInteger(kSettings, QStringLiteral("FontSize"), kDefaultFontSize));
    font.SetStyle(uint8_t(ini.ReadInteger(kSettings, QStringLiteral("FontStyle"), 0)));
    font.SetName(ini.ReadString(kSettings, QStringLiteral("FontName"), kDefaultFontName));

    FDriverSocket = ini.ReadString(kSettings, QStringLiteral("DriverSocket"), QString());
    FVerifyAfterWrite = ini.ReadBool(kSettings, QStringLiteral("VerifyAfterWrite"), true);
    FLanguage = LanguageFromSetting(ini.ReadString(kSettings, QStringLiteral("Language"), QString()));
    FUpdateServer =
        ini.ReadString(kSettings, QStringLiteral("UpdateServer"), DistributorDefaults::UpdateServer());
    FDownloadPage =
        ini.ReadString(kSettings, QStringLiteral("DownloadPage"), DistributorDefaults::DownloadPage());
    FReportAddress =
        ini.ReadString(kSettings, QStringLiteral("ReportAddress"), DistributorDefaults::ReportAddress());
    ReadMRU(ini);
}

void TSettingsManager::ReadMRU(const TIniFile &ini)
{
    FMRU->Clear();
    if (!ini.SectionExists(kMRU))
        return;
    // Entries pair the keys by their position in the section, whatever
    // their names say; an odd last key has no partner and is left out. Only
    // the pairs the menu can show are read: each read searches the section
    // from its start, so reading a file grown to thousands of keys whole
    // would take quadratic time.
    const QStringList keys = ini.KeyNames(kMRU);
    const qsizetype pairs = std::min<qsizetype>(keys.size() / 2, kMaxMRU);
    for (qsizetype k = 0; k < pairs; ++k) {
        TMRUEntry entry;
        entry.FileName = ini.ReadString(kMRU, keys[2 * k], QString());
        entry.FormatIndex = ini.ReadInteger(kMRU, keys[2 * k + 1], 0);
        FMRU->Add(entry);
    }
}

void TSettingsManager::Save()
{
    TIniFile ini(ReadFileName());
    ini.WriteInteger(kSettings, QStringLiteral("DockPanelHeight"), FDockPanelHeight);
    ini.WriteBool(kSettings, QStringLiteral("MessageFormDocked"), FMessageFormDocked);
    ini.WriteString(kSettings, QStringLiteral("DeviceName"), FDeviceName);
    ini.WriteInteger(kSettings, QStringLiteral("KeyboardID"), FKeyboardID);
    ini.WriteBool(kSettings, QStringLiteral("SaveBeforeUpload"), FSaveBeforeUpload);
    ini.WriteBool(kSettings, QStringLiteral("CheckUpdateOnLoad"), FCheckUpdateOnLoad);
    ini.WriteBool(kSettings, QStringLiteral("FirstRun"), FFirstRun);
    ini.WriteInteger(kSettings, QStringLiteral("ViewMode"), FViewMode);
    for (int mode = 0; mode < kZoomModes; ++mode)
        ini.WriteInteger(kSettings, kZoomKeys[mode], FZooms[size_t(mode)]);

    const TFont &font = *FFont;
    ini.WriteInteger(kSettings, QStringLiteral("FontPixelsPerInch"), font.PixelsPerInch());
    ini.WriteInteger(kSettings, QStringLiteral("FontCharset"), font.Charset());
    // Colours are stored as signed numbers, so system colours (high bit set)
    // come out negative.
    ini.WriteInteger(kSettings, QStringLiteral("FontColor"), int32_t(font.Color()));
    ini.WriteInteger(kSettings, QStringLiteral("FontHeight"), font.Height());
    ini.WriteString(kSettings, QStringLiteral("FontName"), font.Name());
    ini.WriteInteger(kSettings, QStringLiteral("FontSize"), font.Size());
    ini.WriteInteger(kSettings, QStringLiteral("FontStyle"), font.Style());
    ini.WriteString(kSettings, QStringLiteral("DriverSocket"), FDriverSocket);
    ini.WriteBool(kSettings, QStringLiteral("VerifyAfterWrite"), FVerifyAfterWrite);
    ini.WriteString(kSettings, QStringLiteral("Language"), LanguageSetting(FLanguage));
    ini.WriteString(kSettings, QStringLiteral("UpdateServer"), FUpdateServer);
    ini.WriteString(kSettings, QStringLiteral("DownloadPage"), FDownloadPage);
    ini.WriteString(kSettings, QStringLiteral("ReportAddress"), FReportAddress);

    // The list is written afresh: pairs of a longer list saved before would
    // otherwise come back on the next start.
    ini.EraseSection(kMRU);
    const int count = std::min(FMRU->Count(), kMaxMRU);
    for (int i = 0; i < count; ++i) {
        const TMRUEntry &entry = FMRU->Item(i);
        ini.WriteString(kMRU, QStringLiteral("File%1").arg(i), entry.FileName);
        ini.WriteInteger(kMRU, QStringLiteral("Filter%1").arg(i), entry.FormatIndex);
    }

    const QString target = FileName();
    if (target == FUserFileName)
        QDir().mkpath(QFileInfo(target).absolutePath());
    ini.SaveToFile(target);
}
