#include "device/KeyboardManager.h"

#include "base/DataFolders.h"
#include "base/Error.h"
#include "base/Win1251.h"
#include "catalogue/XMLKeyboard.h"
#include "codes/CodeSet.h"
#include "codes/CodeTable.h"
#include "codes/StdCodes.h"
#include "device/DeviceLock.h"
#include "device/KeyboardDriver.h"
#include "device/LayoutBackups.h"
#include "device/PortPS2.h"
#include "files/LayoutFileFormats.h"
#include "files/LayoutFormat.h"
#include "files/XMLLayout.h"
#include "model/Layout.h"
#include "settings/SettingsManager.h"

#include <QFileInfo>

TKeyboardManager::TKeyboardManager(const TKeyboardManagerOptions &options)
    : FDataFolder(ProgramDataFolder(QFileInfo(options.ProgramPath).absolutePath())), FPrompts(options.Prompts),
      FBlockPauseMs(options.BlockPauseMs), FBackup(options.Backup),
      FBackups(std::make_unique<TLayoutBackups>(options.BackupFolder)), FDeviceWaitMs(options.DeviceWaitMs)
{
    // The settings come before the driver: they may name the driver socket
    // the PS/2 port connects to.
    FSettings = std::make_unique<TSettingsManager>(options.ProgramPath);
    TPortOptions ports = options.Ports;
    if (ports.DriverSocket.isEmpty())
        ports.DriverSocket = FSettings->DriverSocket();
    FDriver = std::make_unique<TKeyboardDriver>(ports);
    FFormats = std::make_unique<TLayoutFileFormats>(FKeyboards);

    FCodeSet = std::make_unique<TCodeSet>();
    FCodeSet->Load(FDataFolder);
    auto table = std::make_unique<TCodeTable>();
    table->BuildFrom(*FCodeSet);
    InstallStdCodeTable(std::move(table));

    FLastFolder = FDataFolder;
    FDriver->TrySelectDevice(FSettings->DeviceName());
    // A description that cannot be read leaves its model out; the others
    // load. Nothing of this stops the start: the catalogue keeps what loaded
    // (possibly nothing), and the reasons are kept for the user to see.
    try {
        TXMLKeyboard().LoadFolder(FDataFolder + QStringLiteral("/Клавиатуры"), FKeyboards,
                                  [this](const QString &file, const QString &message) {
                                      FCatalogueErrors << SkippedFileMessage(file, message);
                                  });
    } catch (const EError &error) {
        FCatalogueErrors << error.Message();
    }
}

TKeyboardManager::~TKeyboardManager()
{
    InstallStdCodeTable(nullptr);
}

TKeyboardManager::TDeviceUse::TDeviceUse(TKeyboardManager &manager) : FManager(manager)
{
    // The first use of the process takes the lock; nested ones share it.
    if (FManager.FDeviceUses == 0)
        FManager.FDeviceLock = std::make_unique<TDeviceLock>(FManager.DeviceKey(), FManager.FDeviceWaitMs);
    ++FManager.FDeviceUses;
}

TKeyboardManager::TDeviceUse::~TDeviceUse()
{
    if (--FManager.FDeviceUses == 0)
        FManager.FDeviceLock.reset();
}

QString TKeyboardManager::DeviceKey() const
{
    // Every PS/2 driver socket is a keyboard of its own, all under one name.
    if (const auto *ps2 = dynamic_cast<const TPortPS2 *>(FDriver->Port()))
        return ps2->SocketPath();
    return FDriver->DeviceName();
}

TLayoutFormats &TKeyboardManager::Formats() const
{
    return FFormats->Formats();
}

TLayoutFormats &TKeyboardManager::OpenFormats() const
{
    return FFormats->OpenFormats();
}

TLayoutFormat &TKeyboardManager::XMLFormat() const
{
    return FFormats->XMLFormat();
}

TLayoutFormat &TKeyboardManager::ImageFormat() const
{
    return Formats().Item(sfImage210);
}

TManagerPrompts &TKeyboardManager::Prompts() const
{
    if (!FPrompts)
        throw EError(tr("Не задан обработчик вопросов пользователю"));
    return *FPrompts;
}

void TKeyboardManager::Remember(const QString &fileName)
{
    const QFileInfo info(fileName);
    FLastFileName = info.absoluteFilePath();
    FLastFolder = info.absolutePath();
}

QString TKeyboardManager::LayoutToXML(const TLayout &layout) const
{
    return FromWin1251(XMLFormat().SaveToString(layout));
}

void TKeyboardManager::LayoutFromXML(TLayout &layout, const QString &text) const
{
    XMLFormat().LoadFromString(layout, ToWin1251(text));
}

void TKeyboardManager::SetLayoutModel(TLayout &layout, int keyboardId) const
{
    layout.ChangeKeyboard(FKeyboards.ByID(keyboardId));
}

void TKeyboardManager::OpenLayout(TLayout &layout, int formatIndex, const QString &fileName)
{
    Remember(fileName);
    OpenFormats().Item(formatIndex).LoadFromFile(layout, fileName);
}

void TKeyboardManager::SaveLayout(TLayout &layout, int formatIndex, const QString &fileName)
{
    Remember(fileName);
    Formats().Item(formatIndex).SaveToFile(layout, fileName);
}

QString TKeyboardManager::OpenFilter() const
{
    return OpenFormats().Filter();
}

QString TKeyboardManager::SaveFilter() const
{
    return Formats().Filter();
}

void TKeyboardManager::GetDevices(TDeviceList &devices)
{
    FDriver->GetDevices(devices);
}

QString TKeyboardManager::DeviceName() const
{
    return FDriver->DeviceName();
}

void TKeyboardManager::SetDeviceName(const QString &name)
{
    FDriver->SetDeviceName(name);
    FSettings->SetDeviceName(name);
}

void TKeyboardManager::RefreshDevices()
{
    FDriver->Refresh();
}

void TKeyboardManager::PostMessage(const QString &text, const TLayout *layout)
{
    if (OnMessage)
        OnMessage(text, layout);
}
