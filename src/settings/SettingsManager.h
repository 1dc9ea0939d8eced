#pragma once

#include "model/Font.h"
#include "settings/MRUList.h"
#include "settings/ViewMode.h"
#include "translations/Language.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class TIniFile;

/// The user preferences kept between runs in the settings file: the program's
/// path with the extension ".ini" (section "SETTINGS" and the recent files in
/// section "MRU"). When the program's folder cannot be written, the file of
/// the same name in the per-user configuration folder is used instead; an
/// existing file there is always preferred.
///
/// Missing keys and values that are not numbers give the defaults; Save keeps
/// every key of the file it does not write.
class TSettingsManager {
public:
    /// At most this many recent files are written.
    static constexpr int kMaxMRU = 4;
    /// The range of the grid's zoom, in percent; a stored zoom outside it
    /// reads as kNormalZoom.
    static constexpr int kMinZoom = 50;
    static constexpr int kMaxZoom = 300;
    static constexpr int kNormalZoom = 100;
    /// The number of view modes that keep a zoom of their own.
    static constexpr int kZoomModes = 3;

    /// Creates the font and the recent-files list, then loads the settings
    /// file of the program file programPath. configFolder replaces the
    /// per-user configuration folder (empty: QStandardPaths::AppConfigLocation).
    explicit TSettingsManager(const QString &programPath, const QString &configFolder = {});
    ~TSettingsManager();
    TSettingsManager(const TSettingsManager &) = delete;
    TSettingsManager &operator=(const TSettingsManager &) = delete;

    /// Returns the settings file beside the program.
    const QString &ProgramFileName() const { return FProgramFileName; }
    /// Returns the settings file in the per-user configuration folder.
    const QString &UserFileName() const { return FUserFileName; }
    /// Returns the file Save writes: the per-user file when it exists or the
    /// program's folder is not writable, else the file beside the program.
    QString FileName() const;

    /// Reads every value from the settings file; values it lacks get their
    /// defaults and the recent-files list is read anew, at most its first
    /// kMaxMRU entries.
    void Load();
    /// Writes every value and the first kMaxMRU recent files into the
    /// settings file, keeping its other keys. Raises EError when the file
    /// cannot be written.
    void Save();

    int DockPanelHeight() const { return FDockPanelHeight; }
    void SetDockPanelHeight(int value) { FDockPanelHeight = value; }
    bool MessageFormDocked() const { return FMessageFormDocked; }
    void SetMessageFormDocked(bool value) { FMessageFormDocked = value; }
    /// Returns the device the keyboard is reached through.
    const QString &DeviceName() const { return FDeviceName; }
    /// Stores the name only; the keyboard manager selects the device first.
    void SetDeviceName(const QString &value) { FDeviceName = value; }
    /// Returns the keyboard model identifier of new layouts.
    int KeyboardID() const { return FKeyboardID; }
    void SetKeyboardID(int value) { FKeyboardID = value; }
    bool SaveBeforeUpload() const { return FSaveBeforeUpload; }
    void SetSaveBeforeUpload(bool value) { FSaveBeforeUpload = value; }
    bool CheckUpdateOnLoad() const { return FCheckUpdateOnLoad; }
    void SetCheckUpdateOnLoad(bool value) { FCheckUpdateOnLoad = value; }
    bool FirstRun() const { return FFirstRun; }
    void SetFirstRun(bool value) { FFirstRun = value; }
    /// Returns the view mode of new document windows: 0 layout, 1 picture,
    /// 2 simplified.
    TViewMode ViewMode() const { return ToViewMode(FViewMode); }
    void SetViewMode(TViewMode mode) { FViewMode = uint8_t(mode); }
    /// Returns the zoom of the document windows' key grid in a view mode
    /// (0 layout, 1 picture, 2 simplified; any other counts as 0), in
    /// percent of the form font: kMinZoom to kMaxZoom, kNormalZoom unless set.
    int Zoom(TViewMode viewMode) const;
    /// Stores a view mode's zoom, brought into kMinZoom to kMaxZoom.
    void SetZoom(TViewMode viewMode, int percent);
    /// Returns the PS/2 driver socket; empty means the default path.
    const QString &DriverSocket() const { return FDriverSocket; }
    void SetDriverSocket(const QString &value) { FDriverSocket = value; }
    /// Returns whether a layout written into the keyboard is read back and
    /// compared.
    bool VerifyAfterWrite() const { return FVerifyAfterWrite; }
    void SetVerifyAfterWrite(bool value) { FVerifyAfterWrite = value; }
    /// Returns the language of the editor's texts, taken at its start;
    /// System (the default) follows the system's locale.
    TLanguage Language() const { return FLanguage; }
    void SetLanguage(TLanguage value) { FLanguage = value; }

    /// Returns the base address of the update server, an HTTP URL; the
    /// version files lie below it. Empty (the default unless the program was
    /// built with one): no update check asks anything.
    const QString &UpdateServer() const { return FUpdateServer; }
    void SetUpdateServer(const QString &value) { FUpdateServer = value; }
    /// Returns the address of the page the new versions are downloaded from;
    /// empty when there is none.
    const QString &DownloadPage() const { return FDownloadPage; }
    void SetDownloadPage(const QString &value) { FDownloadPage = value; }
    /// Returns the e-mail address error reports are sent to; empty when
    /// there is none, and reports are then only copied or saved.
    const QString &ReportAddress() const { return FReportAddress; }
    void SetReportAddress(const QString &value) { FReportAddress = value; }

    /// Returns the application font (the object itself).
    TFont &Font() { return *FFont; }
    const TFont &Font() const { return *FFont; }
    /// Returns the recent-files list (the object itself).
    TMRUList &MRU() { return *FMRU; }
    const TMRUList &MRU() const { return *FMRU; }

private:
    QString ReadFileName() const;
    void ReadMRU(const TIniFile &ini);

    QString FProgramFileName;
    QString FUserFileName;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TMRUList> FMRU;
    int FDockPanelHeight = 0;
    bool FMessageFormDocked = false;
    QString FDeviceName;
    int FKeyboardID = 1;
    bool FSaveBeforeUpload = false;
    bool FCheckUpdateOnLoad = true;
    bool FFirstRun = true;
    uint8_t FViewMode = 0;
    std::array<int, kZoomModes> FZooms{kNormalZoom, kNormalZoom, kNormalZoom};
    QString FDriverSocket;
    bool FVerifyAfterWrite = true;
    TLanguage FLanguage = TLanguage::System;
    QString FUpdateServer;
    QString FDownloadPage;
    QString FReportAddress;
};
