#include "device/DriverInstall.h"

#include "base/Error.h"
#include "base/Numbers.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <iterator>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <setupapi.h>
#include <windows.h>
#endif

namespace {

// The setup codes that end an action without a message.
constexpr uint32_t kSilentCodes[] = {0xE000022Fu, 0xE000020Bu};
constexpr uint32_t kFileNotFound = 2;
constexpr uint32_t kAccessDenied = 5;

} // namespace

bool FindCommandLineSwitch(const QStringList &arguments, QStringView name)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument.isEmpty())
            continue;
        const QChar first = argument[0];
        if ((first == u'-' || first == u'/' || first == u'\\') &&
            QStringView(argument).sliced(1).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

quintptr ParseWindowHandle(const QString &text)
{
    if (text.startsWith(u'$'))
        return quintptr(ParseHex(QStringView(text).sliced(1)).value_or(0));
    // Negative handles are taken as the signed numbers they were printed from.
    return quintptr(qintptr(ParseInt(text).value_or(0)));
}

bool CheckCommandLine(const QStringList &arguments, TCommandLineResult *result)
{
    TCommandLineResult found;
    if (FindCommandLineSwitch(arguments, u"install"))
        found.Action = TCommandLineAction::Install;
    else if (FindCommandLineSwitch(arguments, u"uninstall"))
        found.Action = TCommandLineAction::Uninstall;
    if (found.Action == TCommandLineAction::None) {
        if (result)
            *result = found;
        return false;
    }

    found.OwnerHandle = ParseWindowHandle(arguments.value(2));
    try {
        if (found.Action == TCommandLineAction::Install)
            InstallDriver(found.OwnerHandle);
        else
            UninstallDriver(found.OwnerHandle);
    } catch (const EError &error) {
        found.Error = error.Message();
#ifdef Q_OS_WIN
        const QString caption = QCoreApplication::translate("DriverInstall", "Ошибка");
        MessageBoxW(reinterpret_cast<HWND>(found.OwnerHandle), reinterpret_cast<LPCWSTR>(found.Error.utf16()),
                    reinterpret_cast<LPCWSTR>(caption.utf16()), MB_OK | MB_ICONERROR);
#endif
    }
    if (result)
        *result = found;
    return true;
}

std::optional<int> RunDriverSwitches(int argc, const char *const *argv)
{
    // The switches and the window handle are plain ASCII in every encoding.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    TCommandLineResult result;
    if (!CheckCommandLine(arguments, &result))
        return std::nullopt;
    if (result.Error.isEmpty())
        return 0;
    // Started from a console or a script, the message is read there.
    std::fprintf(stderr, "%s\n", result.Error.toLocal8Bit().constData());
    return 1;
}

QString DriverInfFileName(const QString &programFolder)
{
    return QDir::toNativeSeparators(QDir(programFolder).filePath(QStringLiteral("Inst.inf")));
}

QString DriverErrorText(bool install, uint32_t code, const QString &systemMessage, const QString &infFileName)
{
    for (uint32_t silent : kSilentCodes)
        if (code == silent)
            return {};
    const QString hexCode = QStringLiteral("0x%1").arg(code, 8, 16, QChar(u'0'));
    // Whole messages with the code as %1, the system's text as %2 and the INF
    // file as %3, filled in one multi-argument call, so that a "%1" in the
    // system's text stays text.
    if (code == kFileNotFound)
        return (install ? QCoreApplication::translate("DriverInstall",
                                                      "При установке драйвера возникла ошибка:\r\n%1, %2\r\n"
                                                      "Не найден файл %3для установки драйвера.")
                        : QCoreApplication::translate("DriverInstall",
                                                      "При удалении драйвера возникла ошибка:\r\n%1, %2\r\n"
                                                      "Не найден файл %3для удаления драйвера."))
            .arg(hexCode, systemMessage, infFileName);
    if (code == kAccessDenied)
        return (install ? QCoreApplication::translate(
                              "DriverInstall",
                              "При установке драйвера возникла ошибка:\r\n%1, %2\r\n"
                              "Вы должны обладать правами администратора для установки драйвера.")
                        : QCoreApplication::translate(
                              "DriverInstall",
                              "При удалении драйвера возникла ошибка:\r\n%1, %2\r\n"
                              "Вы должны обладать правами администратора для удаления драйвера."))
            .arg(hexCode, systemMessage);
    return (install ? QCoreApplication::translate("DriverInstall",
                                                  "При установке драйвера возникла ошибка:\r\n%1, %2")
                    : QCoreApplication::translate("DriverInstall",
                                                  "При удалении драйвера возникла ошибка:\r\n%1, %2"))
        .arg(hexCode, systemMessage);
}

#ifdef Q_OS_WIN

namespace {

// The setup services, loaded by name for the duration of one action.
class TSetupApi {
public:
    TSetupApi() = default;
    ~TSetupApi()
    {
        if (FModule)
            FreeLibrary(FModule);
    }
    TSetupApi(const TSetupApi &) = delete;
    TSetupApi &operator=(const TSetupApi &) = delete;

    // Returns false, with the system's last error set, when the library or
    // one of its functions is missing.
    bool Load()
    {
        FModule = LoadLibraryW(L"SetupApi.dll");
        return FModule && Resolve("SetupOpenInfFileW", OpenInfFile) &&
               Resolve("SetupCloseInfFile", CloseInfFile) && Resolve("SetupOpenFileQueue", OpenFileQueue) &&
               Resolve("SetupCloseFileQueue", CloseFileQueue) &&
               Resolve("SetupInstallFilesFromInfSectionW", InstallFilesFromInfSection) &&
               Resolve("SetupInitDefaultQueueCallback", InitDefaultQueueCallback) &&
               Resolve("SetupTermDefaultQueueCallback", TermDefaultQueueCallback) &&
               Resolve("SetupDefaultQueueCallbackW", DefaultQueueCallback) &&
               Resolve("SetupCommitFileQueueW", CommitFileQueue) &&
               Resolve("SetupInstallServicesFromInfSectionW", InstallServicesFromInfSection) &&
               Resolve("SetupDiGetClassDevsW", GetClassDevs) &&
               Resolve("SetupDiEnumDeviceInfo", EnumDeviceInfo) &&
               Resolve("SetupDiGetDeviceRegistryPropertyW", GetDeviceRegistryProperty) &&
               Resolve("SetupDiSetDeviceRegistryPropertyW", SetDeviceRegistryProperty) &&
               Resolve("SetupDiDestroyDeviceInfoList", DestroyDeviceInfoList);
    }

    decltype(&::SetupOpenInfFileW) OpenInfFile = nullptr;
    decltype(&::SetupCloseInfFile) CloseInfFile = nullptr;
    decltype(&::SetupOpenFileQueue) OpenFileQueue = nullptr;
    decltype(&::SetupCloseFileQueue) CloseFileQueue = nullptr;
    decltype(&::SetupInstallFilesFromInfSectionW) InstallFilesFromInfSection = nullptr;
    decltype(&::SetupInitDefaultQueueCallback) InitDefaultQueueCallback = nullptr;
    decltype(&::SetupTermDefaultQueueCallback) TermDefaultQueueCallback = nullptr;
    decltype(&::SetupDefaultQueueCallbackW) DefaultQueueCallback = nullptr;
    decltype(&::SetupCommitFileQueueW) CommitFileQueue = nullptr;
    decltype(&::SetupInstallServicesFromInfSectionW) InstallServicesFromInfSection = nullptr;
    decltype(&::SetupDiGetClassDevsW) GetClassDevs = nullptr;
    decltype(&::SetupDiEnumDeviceInfo) EnumDeviceInfo = nullptr;
    decltype(&::SetupDiGetDeviceRegistryPropertyW) GetDeviceRegistryProperty = nullptr;
    decltype(&::SetupDiSetDeviceRegistryPropertyW) SetDeviceRegistryProperty = nullptr;
    decltype(&::SetupDiDestroyDeviceInfoList) DestroyDeviceInfoList = nullptr;

private:
    template <typename T> bool Resolve(const char *name, T &function)
    {
        // Through a plain function pointer type, which any other may be cast from.
        function = reinterpret_cast<T>(reinterpret_cast<void (*)()>(GetProcAddress(FModule, name)));
        return function != nullptr;
    }

    HMODULE FModule = nullptr;
};

// The names one action uses.
struct TSetupAction {
    bool Install;
    const wchar_t *FilesSection;
    const wchar_t *ServicesSection;
    // The source text of the success message, translated when shown.
    const char *SuccessText;
};

const TSetupAction kInstall = {true, L"QvKbdDrv", L"QvKbdDrv.Services",
                               QT_TRANSLATE_NOOP("DriverInstall",
                                                 "Драйвер был успешно установлен.\n\r"
                                                 "Для дальнейшей работы необходимо перезагрузить "
                                                 "компьютер.")};
const TSetupAction kUninstall = {false, L"QvKbdDrv.Delete", L"QvKbdDrv.Services.Delete",
                                 QT_TRANSLATE_NOOP("DriverInstall",
                                                   "Драйвер был успешно удален.\n\r"
                                                   "Для дальнейшей работы необходимо перезагрузить "
                                                   "компьютер.")};

// The keyboard device setup class {4D36E96B-E325-11CE-BFC1-08002BE10318}.
const GUID kKeyboardClass = {0x4D36E96B, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
// The upper-filter multi-string: the one name, its zero and the list's zero.
const wchar_t kUpperFilters[] = L"QvKbdDrv\0";

LPCWSTR Wide(const QString &text)
{
    return reinterpret_cast<LPCWSTR>(text.utf16());
}

// Each helper returns whether its step succeeded; on failure the system's
// last error tells why, kept across the clean-up calls.
class TLastErrorKeeper {
public:
    TLastErrorKeeper() : FError(GetLastError()) {}
    ~TLastErrorKeeper() { SetLastError(FError); }

private:
    DWORD FError;
};

bool CopyFiles(TSetupApi &api, HINF inf, HWND owner, const TSetupAction &action, const QString &sourceFolder)
{
    HSPFILEQ queue = api.OpenFileQueue();
    if (queue == INVALID_HANDLE_VALUE)
        return false;
    bool ok = api.InstallFilesFromInfSection(inf, nullptr, queue, action.FilesSection, Wide(sourceFolder),
                                             SP_COPY_NOSKIP);
    if (ok) {
        PVOID context = api.InitDefaultQueueCallback(owner);
        ok = context && api.CommitFileQueue(owner, queue, api.DefaultQueueCallback, context);
        if (context) {
            const TLastErrorKeeper keep;
            api.TermDefaultQueueCallback(context);
        }
    }
    const TLastErrorKeeper keep;
    api.CloseFileQueue(queue);
    return ok;
}

bool SetUpperFilters(TSetupApi &api, HWND owner, bool install)
{
    HDEVINFO devices = api.GetClassDevs(&kKeyboardClass, nullptr, owner, 0);
    if (devices == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    for (DWORD index = 0;; ++index) {
        SP_DEVINFO_DATA device = {};
        device.cbSize = sizeof(device);
        if (!api.EnumDeviceInfo(devices, index, &device)) {
            ok = GetLastError() == ERROR_NO_MORE_ITEMS;
            break;
        }
        // A service name that does not fit cannot be i8042prt; the step
        // fails all the same, as any failed read does.
        wchar_t service[20] = {};
        if (!api.GetDeviceRegistryProperty(devices, &device, SPDRP_SERVICE, nullptr,
                                           reinterpret_cast<PBYTE>(service),
                                           sizeof(service) - sizeof(wchar_t), nullptr)) {
            ok = false;
            break;
        }
        if (QString::fromWCharArray(service).compare(u"i8042prt", Qt::CaseInsensitive) != 0)
            continue;
        const BYTE *value = install ? reinterpret_cast<const BYTE *>(kUpperFilters) : nullptr;
        const DWORD size = install ? DWORD(sizeof(kUpperFilters)) : 0;
        if (!api.SetDeviceRegistryProperty(devices, &device, SPDRP_UPPERFILTERS, value, size)) {
            ok = false;
            break;
        }
    }
    const TLastErrorKeeper keep;
    api.DestroyDeviceInfoList(devices);
    return ok;
}

// Runs the steps; returns whether all succeeded, else error holds the
// system error code.
bool RunSetup(const TSetupAction &action, HWND owner, const QString &programFolder, const QString &infFile,
              DWORD &error)
{
    TSetupApi api;
    bool ok = api.Load();
    if (ok) {
        UINT errorLine = 0;
        HINF inf = api.OpenInfFile(Wide(infFile), nullptr, INF_STYLE_WIN4, &errorLine);
        ok = inf != INVALID_HANDLE_VALUE;
        if (ok) {
            ok = CopyFiles(api, inf, owner, action, programFolder) &&
                 api.InstallServicesFromInfSection(inf, action.ServicesSection, 0) &&
                 SetUpperFilters(api, owner, action.Install);
            const TLastErrorKeeper keep;
            api.CloseInfFile(inf);
        }
    }
    error = ok ? ERROR_SUCCESS : GetLastError();
    return ok;
}

QString ProgramFolder()
{
    wchar_t buffer[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameW(nullptr, buffer, DWORD(std::size(buffer)));
    const QString path = QDir::fromNativeSeparators(QString::fromWCharArray(buffer, int(length)));
    return path.left(path.lastIndexOf(u'/'));
}

QString SystemMessage(DWORD code)
{
    wchar_t buffer[1024] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        code, 0, buffer, DWORD(std::size(buffer)), nullptr);
    QString text = QString::fromWCharArray(buffer, int(length));
    // The system's texts end with a full stop and a line break.
    while (!text.isEmpty() && (text.back().isSpace() || text.back() == u'.'))
        text.chop(1);
    return text;
}

void RunDriverAction(const TSetupAction &action, quintptr ownerHandle)
{
    HWND owner = reinterpret_cast<HWND>(ownerHandle);
    const QString folder = ProgramFolder();
    const QString infFile = DriverInfFileName(folder);
    DWORD error = ERROR_SUCCESS;
    if (RunSetup(action, owner, QDir::toNativeSeparators(folder), infFile, error)) {
        const QString text = QCoreApplication::translate("DriverInstall", action.SuccessText);
        const QString caption = QCoreApplication::translate("DriverInstall", "Внимание");
        MessageBoxW(owner, Wide(text), Wide(caption), MB_OK | MB_ICONINFORMATION);
        return;
    }
    const QString text = DriverErrorText(action.Install, uint32_t(error), SystemMessage(error), infFile);
    if (!text.isEmpty())
        throw EError(text);
}

} // namespace

void InstallDriver(quintptr ownerHandle)
{
    RunDriverAction(kInstall, ownerHandle);
}

void UninstallDriver(quintptr ownerHandle)
{
    RunDriverAction(kUninstall, ownerHandle);
}

#else

// The filter driver exists only on Windows; elsewhere the PS/2 port talks to
// a socket that needs no installation.
void InstallDriver(quintptr) {}

void UninstallDriver(quintptr) {}

#endif
