#pragma once

#include "catalogue/Keyboards.h"
#include "device/CustomPort.h"
#include "device/DeviceInfo.h"
#include "device/PortOptions.h"
#include "device/Progress.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class TCodeSet;
class TDeviceLock;
class TKeyboardDriver;
class TLayout;
class TLayoutBackups;
class TLayoutFileFormats;
class TLayoutFormat;
class TLayoutFormats;
class TManagerPrompts;
class TNotes;
class TSettingsManager;

/// How the keyboard manager is set up.
struct TKeyboardManagerOptions {
    /// The program file: the settings file is named after it, and the data
    /// folder ("Клавиатуры", "Клавиши", "Программы") is found from its folder
    /// (ProgramDataFolder).
    QString ProgramPath;
    /// The ports; an empty driver socket takes the one the settings name,
    /// else the default.
    TPortOptions Ports;
    /// Answers the manager's questions; not owned, must outlive the manager.
    TManagerPrompts *Prompts = nullptr;
    /// The pause after every written block, which a keyboard needs to store
    /// it; an emulated keyboard needs none.
    int BlockPauseMs = 100;
    /// Whether the keyboard's layout is saved to the backup folder before a
    /// new one is written.
    bool Backup = true;
    /// The backup folder; empty: TLayoutBackups::DefaultFolder().
    QString BackupFolder;
    /// How long a device operation waits for another program to finish with
    /// the keyboard.
    int DeviceWaitMs = 3000;
};

/// The one object through which the program reaches the keyboard and its
/// shared services: the command driver, the model catalogue, the settings,
/// the layout format registries and the progress of long operations. It
/// carries out the device operations: write and read layouts, write image and
/// program files, save the layout memory to a file, play melodies.
///
/// Failures are exceptions; a question answered No ends the operation with
/// EAbort. Device operations leave the keyboard in working mode when they end
/// normally.
class TKeyboardManager {
    Q_DECLARE_TR_FUNCTIONS(TKeyboardManager)

public:
    /// Exclusive use of the selected keyboard for as long as it lives, also
    /// against other programs: every device operation takes it, and a caller
    /// that sends commands of its own holds one across them. Uses nest.
    /// Raises "Клавиатура занята другой программой..." when another program
    /// keeps the keyboard longer than DeviceWaitMs.
    class TDeviceUse {
    public:
        explicit TDeviceUse(TKeyboardManager &manager);
        ~TDeviceUse();
        TDeviceUse(const TDeviceUse &) = delete;
        TDeviceUse &operator=(const TDeviceUse &) = delete;

    private:
        TKeyboardManager &FManager;
    };

    explicit TKeyboardManager(const TKeyboardManagerOptions &options);
    ~TKeyboardManager();
    TKeyboardManager(const TKeyboardManager &) = delete;
    TKeyboardManager &operator=(const TKeyboardManager &) = delete;

    /// Returns the folder of the shipped data: "Клавиатуры", "Клавиши",
    /// "Справка".
    const QString &DataFolder() const { return FDataFolder; }
    /// Folder of the last file a device or file operation used; the data
    /// folder at start.
    const QString &LastFolder() const { return FLastFolder; }
    /// Full name of that file; empty at start.
    const QString &LastFileName() const { return FLastFileName; }
    TProgress &Progress() { return FProgress; }
    TKeyboards &Keyboards() { return FKeyboards; }
    /// Returns why model descriptions were left out at start: one line per
    /// file that failed ("Ошибка в файле %s: %s"), or the folder's own error.
    const QStringList &CatalogueErrors() const { return FCatalogueErrors; }
    /// The standard key codes, grouped as the code dialogs show them.
    const TCodeSet &CodeSet() const { return *FCodeSet; }
    TKeyboardDriver &Driver() { return *FDriver; }
    TSettingsManager &Settings() { return *FSettings; }
    /// The save registry: 0 XML, 1 XML 1.3, 2 image 2.10, 3 image 1.3, 4 EMF,
    /// 5 image 2.8, 6 image 2.9.
    TLayoutFormats &Formats() const;
    /// The open registry: 0 XML, 1 image.
    TLayoutFormats &OpenFormats() const;
    TLayoutFormat &XMLFormat() const;
    /// The 2.10 image format, which decodes every image read from the keyboard.
    TLayoutFormat &ImageFormat() const;

    /// Posts a line to the message window: the text and the layout it is
    /// about (or null).
    std::function<void(const QString &text, const TLayout *layout)> OnMessage;
    /// Fired when the check before writing finds faulty code sequences.
    std::function<void()> OnLayoutFaulty;
    /// Fired when the check before writing starts.
    std::function<void()> OnCheckLayout;

    /// Writes the layout into the keyboard: checks it, checks the program
    /// version and the model, encodes it in the image form of the keyboard's
    /// program, saves the keyboard's layout as a backup, writes the new one
    /// and reads it back to compare (when the settings ask for it); fails
    /// unless the keyboard then reports its layout valid. Returns the
    /// keyboard's program version (major in the high byte), which the image
    /// carries; the layout's own version when the keyboard has no valid
    /// program. The layout itself is left as it is.
    uint16_t WriteLayout(const TLayout &layout);
    /// Reads the keyboard's layout into layout.
    void ReadLayout(TLayout &layout);
    /// Saves the keyboard's layout memory to a file.
    void ReadMemoryToFile(const QString &fileName);
    /// Writes an image file into the layout memory, after a backup and with
    /// the comparison, as WriteLayout does. Asks first when the file is no
    /// layout image or one of another model; refuses an empty file and, with
    /// a warning, one of more than 66560 bytes.
    void WriteImageFile(const QString &fileName);
    /// Writes a program file into the program memory, asking first when the
    /// file's name is meant for another model (No aborts); reads it back to
    /// compare when the settings ask for it, and fails unless the keyboard
    /// then reports its program intact.
    void WriteProgramFile(const QString &fileName);
    /// Offers a program file for the connected model; returns whether one was
    /// chosen (and written).
    bool OfferProgramUpdate();
    /// Plays a melody on the keyboard's buzzer.
    void PlayMelody(const TNotes &notes);
    /// Plays a melody given in its text form.
    void PlayMelody(const QString &text);

    /// Returns the layout as XML text, and reads one from XML text.
    QString LayoutToXML(const TLayout &layout) const;
    void LayoutFromXML(TLayout &layout, const QString &text) const;
    /// Moves the layout to the model with the identifier.
    void SetLayoutModel(TLayout &layout, int keyboardId) const;
    /// Opens a file into the layout with the open registry's format at index.
    void OpenLayout(TLayout &layout, int formatIndex, const QString &fileName);
    /// Saves the layout to a file with the save registry's format at index.
    void SaveLayout(TLayout &layout, int formatIndex, const QString &fileName);
    /// Returns the file-dialog filters of the open and the save registry.
    QString OpenFilter() const;
    QString SaveFilter() const;

    /// The devices of every port, the selected device and its selection,
    /// which the settings keep.
    void GetDevices(TDeviceList &devices);
    QString DeviceName() const;
    void SetDeviceName(const QString &name);
    void RefreshDevices();

    /// Fires OnMessage when it is set.
    void PostMessage(const QString &text, const TLayout *layout = nullptr);

    /// Reads the layout image from the keyboard's memory (in the mode the
    /// keyboard is in).
    QByteArray ReadImage();
    /// Writes an image into the memory the keyboard's mode selects, the first
    /// 256-byte block last. Returns false when the user cancelled (the first
    /// block is then left zeroed).
    bool WriteImage(const QByteArray &image, const QString &caption);

private:
    // Positions of the image formats in the save registry.

    void Remember(const QString &fileName);
    QByteArray ReadBlocks(int length, const QString &caption);
    QByteArray ReadDeviceFile(const QString &fileName);
    QString ModelName(uint8_t deviceType) const;
    void BackupLayoutMemory();
    /// Writes image with progress and, when the settings ask, compares it;
    /// returns false when the user cancelled.
    bool WriteMemory(const QByteArray &image, const QString &caption);
    void VerifyMemory(const QByteArray &image);
    void FinishLayoutWrite(bool written);
    void CheckImage(const QByteArray &image, const QString &fileName);
    bool ProgramNameAccepted(uint8_t deviceType, const QString &fileName);
    QString DeviceKey() const;
    void CheckBeforeWrite(const TLayout &layout);
    /// Returns the program version of a keyboard with a valid program (after
    /// offering an update for one older than 2.8), the layout's otherwise.
    uint16_t CheckProgramVersion(const TLayout &layout);
    void CheckModel(const TLayout &layout);
    void CheckMemorySize(qsizetype imageSize, const TDeviceInfo &info) const;
    TLayoutFormat &ImageFormatFor(uint8_t minor) const;
    TManagerPrompts &Prompts() const;

    QString FDataFolder;
    QString FLastFolder;
    QString FLastFileName;
    TProgress FProgress;
    TKeyboards FKeyboards;
    QStringList FCatalogueErrors;
    std::unique_ptr<TCodeSet> FCodeSet;
    std::unique_ptr<TSettingsManager> FSettings;
    std::unique_ptr<TKeyboardDriver> FDriver;
    std::unique_ptr<TLayoutFileFormats> FFormats;
    TManagerPrompts *FPrompts;
    int FBlockPauseMs;
    bool FBackup;
    std::unique_ptr<TLayoutBackups> FBackups;
    int FDeviceWaitMs;
    int FDeviceUses = 0;
    std::unique_ptr<TDeviceLock> FDeviceLock;
};
