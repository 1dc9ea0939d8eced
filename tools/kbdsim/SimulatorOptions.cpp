#include "SimulatorOptions.h"

#include "base/Error.h"
#include "base/Numbers.h"
#include "device/DriverSocket.h"

#include <QCoreApplication>
#include <limits>

namespace {

// Walks the command line and turns option values into numbers, each failure
// naming the option it belongs to.
class TArgumentReader {
public:
    explicit TArgumentReader(const QStringList &args) : FArgs(args) {}

    bool AtEnd() const { return FIndex >= FArgs.size(); }
    QString Next() { return FArgs[FIndex++]; }

    QString Value(const QString &option)
    {
        if (AtEnd())
            throw EError(QCoreApplication::translate("TSimulatorOptions", "Не указано значение параметра %1")
                             .arg(option));
        return Next();
    }

    int Int(const QString &option, int low, int high)
    {
        const QString text = Value(option);
        const auto value = ParseInt(text);
        if (!value || *value < low || *value > high)
            throw BadValue(option, text);
        return *value;
    }

    double Rate(const QString &option)
    {
        const QString text = Value(option);
        bool ok = false;
        const double value = text.toDouble(&ok);
        // Written so that NaN fails as well.
        if (!ok || !(value >= 0 && value <= 1))
            throw BadValue(option, text);
        return value;
    }

    uint32_t Unsigned(const QString &option)
    {
        const QString text = Value(option);
        bool ok = false;
        const uint value = text.toUInt(&ok);
        if (!ok)
            throw BadValue(option, text);
        return value;
    }

    uint8_t HexByte(const QString &option)
    {
        const QString text = Value(option);
        QStringView digits = text;
        if (digits.startsWith(u"0x", Qt::CaseInsensitive))
            digits = digits.mid(2);
        if (digits.endsWith(u'h', Qt::CaseInsensitive))
            digits.chop(1);
        const auto value = ParseHex(digits);
        if (!value || *value > 0xFF)
            throw BadValue(option, text);
        return uint8_t(*value);
    }

    /// Reads a version "major.minor" with numbers from 0 to 255.
    void Version(const QString &option, uint8_t &major, uint8_t &minor)
    {
        const QString text = Value(option);
        const QStringList parts = text.split(u'.');
        std::optional<int32_t> high, low;
        if (parts.size() == 2) {
            high = ParseInt(parts[0]);
            low = ParseInt(parts[1]);
        }
        if (!high || !low || *high < 0 || *high > 255 || *low < 0 || *low > 255)
            throw EError(
                QCoreApplication::translate("TSimulatorOptions",
                                            "Неверная версия в параметре %1: %2 (ожидается, например, 2.10)")
                    .arg(option, text));
        major = uint8_t(*high);
        minor = uint8_t(*low);
    }

    /// Reads a driver version "a.b.c.d", most significant byte first.
    uint32_t DriverVersion(const QString &option)
    {
        const QString text = Value(option);
        const QStringList parts = text.split(u'.');
        if (parts.size() != 4)
            throw BadValue(option, text);
        uint32_t version = 0;
        for (const QString &part : parts) {
            const auto value = ParseInt(part);
            if (!value || *value < 0 || *value > 255)
                throw BadValue(option, text);
            version = version << 8 | uint32_t(*value);
        }
        return version;
    }

private:
    static EError BadValue(const QString &option, const QString &text)
    {
        return EError(QCoreApplication::translate("TSimulatorOptions", "Неверное значение параметра %1: %2")
                          .arg(option, text));
    }

    const QStringList &FArgs;
    qsizetype FIndex = 0;
};

} // namespace

TSimulatorOptions TSimulatorOptions::FromArguments(const QStringList &args, QString *socketPath)
{
    constexpr int kMaxInt = std::numeric_limits<int>::max();
    TSimulatorOptions options;
    QString socket;
    TArgumentReader reader(args);
    while (!reader.AtEnd()) {
        const QString option = reader.Next();
        TSimulatorFaults &faults = options.Faults;
        if (option == u"--help" || option == u"-h")
            options.Help = true;
        else if (option == u"--version")
            options.Version = true;
        else if (option == u"--driver-socket")
            socket = reader.Value(option);
        else if (option == u"--model")
            options.ModelCode = reader.Int(option, 0, 255);
        else if (option == u"--data")
            options.DataFolder = reader.Value(option);
        else if (option == u"--program")
            reader.Version(option, options.ProgramMajor, options.ProgramMinor);
        else if (option == u"--loader")
            reader.Version(option, options.LoaderMajor, options.LoaderMinor);
        else if (option == u"--memory")
            options.MemorySize = reader.Int(option, 1, 65535);
        else if (option == u"--mode-delay")
            options.ModeSwitchDelayMs = reader.Int(option, 0, kMaxInt);
        else if (option == u"--latency")
            options.LatencyMs = reader.Int(option, 0, kMaxInt);
        else if (option == u"--state")
            options.StateFile = reader.Value(option);
        else if (option == u"--log")
            options.LogFile = reader.Value(option);
        else if (option == u"--program-invalid")
            options.ProgramValid = false;
        else if (option == u"--driver-version")
            options.DriverVersion = reader.DriverVersion(option);
        else if (option == u"--drop-frame")
            faults.DropFrame = reader.Int(option, 1, kMaxInt);
        else if (option == u"--corrupt-frame")
            faults.CorruptFrame = reader.Int(option, 1, kMaxInt);
        else if (option == u"--error-frame")
            faults.ErrorFrame = reader.Int(option, 1, kMaxInt);
        else if (option == u"--lose-frame")
            faults.LoseFrame = reader.Int(option, 1, kMaxInt);
        else if (option == u"--error-code")
            faults.ErrorCode = reader.HexByte(option);
        else if (option == u"--stop-after")
            faults.StopAfter = reader.Int(option, 0, kMaxInt);
        else if (option == u"--drop-rate")
            faults.DropRate = reader.Rate(option);
        else if (option == u"--corrupt-rate")
            faults.CorruptRate = reader.Rate(option);
        else if (option == u"--error-rate")
            faults.ErrorRate = reader.Rate(option);
        else if (option == u"--seed")
            faults.Seed = reader.Unsigned(option);
        else
            throw EError(
                QCoreApplication::translate("TSimulatorOptions", "Неизвестный параметр: %1").arg(option));
    }
    if (socketPath)
        *socketPath = DriverSocketPath(socket);
    return options;
}

QString TSimulatorOptions::KeyboardsFolder() const
{
    return DataFolder + QStringLiteral("/Клавиатуры");
}

QString TSimulatorOptions::Usage()
{
    return QCoreApplication::translate(
               "TSimulatorOptions",
               "Эмулятор клавиатуры: отвечает на команды клавиатуры через сокет драйвера.\n"
               "\n"
               "Использование: ravlin-kbdsim [параметры]\n"
               "  --driver-socket ПУТЬ   сокет драйвера (по умолчанию %1)\n"
               "  --model КОД            код модели клавиатуры (по умолчанию 1)\n"
               "  --data ПАПКА           папка с папкой \"Клавиатуры\" (по умолчанию папка программы\n"
               "                         или ../share/ravlin от нее)\n"
               "  --program 2.10         версия рабочей программы\n"
               "  --loader 2.6           версия загрузчика\n"
               "  --memory БАЙТ          объём памяти раскладки (1..65535, по умолчанию 32768)\n"
               "  --mode-delay МС        молчание после смены режима\n"
               "  --latency МС           задержка каждого ответа\n"
               "  --state ФАЙЛ           файл, хранящий память между запусками\n"
               "  --log ФАЙЛ             журнал запросов\n"
               "  --program-invalid      программа клавиатуры повреждена, пока не записана новая\n"
               "  --driver-version A.B.C.D  версия драйвера (по умолчанию 1.0.0.0)\n"
               "  --drop-frame N         потерять ответ на запрос N (запросы считаются с 1)\n"
               "  --corrupt-frame N      испортить контрольную сумму ответа на запрос N\n"
               "  --error-frame N        ответить на запрос N кодом ошибки\n"
               "  --error-code HEX       код ошибки для --error-frame и --error-rate (по умолчанию 73)\n"
               "  --lose-frame N         подтвердить запись памяти запросом N, но не сохранить её\n"
               "  --stop-after N         не отвечать начиная с запроса N + 1\n"
               "  --drop-rate P          доля потерянных ответов (0..1)\n"
               "  --corrupt-rate P       доля ответов с неверной контрольной суммой (0..1)\n"
               "  --error-rate P         доля ответов с кодом ошибки (0..1)\n"
               "  --seed N               начальное значение генератора случайных сбоев\n"
               "  --help                 эта справка\n"
               "  --version              версия программы\n")
        .arg(DefaultDriverSocketPath());
}
