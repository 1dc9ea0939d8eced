#include "KeyboardSimulator.h"

#include "base/Error.h"
#include "base/HexText.h"
#include "catalogue/Keyboards.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QMutexLocker>
#include <QThread>
#include <algorithm>
#include <cstdio>

namespace {

// The most data bytes an answer frame carries: its length byte counts the
// data and two more bytes.
constexpr int kMaxAnswerData = 253;
// The block a program write puts last; while it is all zeros the program
// counts as damaged.
constexpr int kProgramHeaderSize = 256;

uint16_t WordAt(const QByteArray &bytes, qsizetype offset)
{
    return uint16_t(uint8_t(bytes[offset]) | uint8_t(bytes[offset + 1]) << 8);
}

TSimulatorOptions Normalized(TSimulatorOptions options)
{
    options.MemorySize = std::clamp(options.MemorySize, 1, 65535);
    options.ModeSwitchDelayMs = std::max(options.ModeSwitchDelayMs, 0);
    options.LatencyMs = std::max(options.LatencyMs, 0);
    return options;
}

// Returns memory padded with zeros or cut to size bytes.
QByteArray Sized(QByteArray memory, qsizetype size)
{
    if (memory.size() > size)
        memory.truncate(size);
    else
        memory.append(QByteArray(size - memory.size(), '\0'));
    return memory;
}

} // namespace

TKeyboardSimulator::TKeyboardSimulator(const TKeyboard &model, const TSimulatorOptions &options)
    : FOptions(Normalized(options)), FClassName(model.ClassName), FFaults(options.Faults)
{
    FModelInfo.MemorySize = uint16_t(FOptions.MemorySize);
    FModelInfo.DeviceType = uint8_t(model.Model);
    FModelInfo.LayerCount = uint8_t(model.Layers);
    FModelInfo.Track1 = model.HasReader && model.Track1;
    FModelInfo.Track2 = model.HasReader && model.Track2;
    FModelInfo.Track3 = model.HasReader && model.Track3;
    FModelInfo.KeyPositions = uint8_t(model.HasKey ? model.KeyPos : 0);
    FModelInfo.KeyCount = model.KeyCount();

    if (!FOptions.StateFile.isEmpty() && QFile::exists(FOptions.StateFile))
        FState = TSimulatorState::Load(FOptions.StateFile);
    FState.LayoutMemory = Sized(FState.LayoutMemory, FOptions.MemorySize);
    FState.ProgramMemory.truncate(kProgramMemorySize);

    if (!FOptions.LogFile.isEmpty()) {
        FLog.setFileName(FOptions.LogFile);
        if (!FLog.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
            throw EError(QCoreApplication::translate("TKeyboardSimulator",
                                                     "Не удалось открыть журнал эмулятора %1: %2")
                             .arg(FOptions.LogFile, FLog.errorString()));
    }
    FClock.start();
}

TKeyboardSimulator::~TKeyboardSimulator() = default;

QByteArray TKeyboardSimulator::HandleFrame(const QByteArray &request)
{
    bool stopped = false;
    return HandleFrame(request, stopped);
}

QByteArray TKeyboardSimulator::HandleFrame(const QByteArray &request, bool &stopped)
{
    QByteArray answer;
    {
        QMutexLocker lock(&FMutex);
        const int frame = ++FFramesReceived;
        const qsizetype length = request.size() >= 2 ? uint8_t(request[1]) : -1;
        const bool wellFormed = request.size() >= 4 && uint8_t(request[0]) == 0x02 &&
                                request.size() == length + 3 &&
                                XorSum(request, 1, request.size() - 1) == uint8_t(request.back());
        const QByteArray data = wellFormed ? request.mid(2, length) : request;
        FRequests.append(data);

        const TFault fault = FFaults.Next(frame);
        stopped = fault == fStop;
        const bool silent = stopped || FClock.elapsed() < FSilentUntil;
        if (!silent) {
            TAnswer reply;
            if (fault == fError)
                reply.Error = FFaults.Faults().ErrorCode;
            else if (!wellFormed)
                reply.Error = deBadParameter;
            else if (fault != fLose || uint8_t(data[0]) != kcWriteMemory)
                reply = Execute(data);
            answer = AnswerFrame(reply.Error, reply.Data);
            if (fault == fCorrupt)
                answer[answer.size() - 1] = char(answer.back() ^ 0xFF);
            else if (fault == fDrop)
                answer.clear();
        }
        Log(data, answer);
    }
    // Held back outside the lock, so that tests may look at the state
    // meanwhile.
    if (!answer.isEmpty() && FOptions.LatencyMs > 0)
        QThread::msleep(ulong(FOptions.LatencyMs));
    return answer;
}

TKeyboardSimulator::TAnswer TKeyboardSimulator::Execute(const QByteArray &data)
{
    switch (uint8_t(data[0])) {
    case kcWriteMemory:
        return WriteMemory(data);
    case kcReadMemory:
        return ReadMemory(data);
    case kcInfo:
        if (data.size() != 1)
            return {deBadParameter, {}};
        return {deNone, CurrentInfo().ToAnswer(true)};
    case kcStatusOrMode:
        return StatusOrMode(data);
    case kcPlayNotes:
        return PlayNotes(data);
    case kcMatrixState:
        return MatrixState(data);
    default:
        return {deNotSupported, {}};
    }
}

TKeyboardSimulator::TAnswer TKeyboardSimulator::WriteMemory(const QByteArray &data)
{
    // The working program cannot write its own memory: only the loader can.
    if (!FLoaderMode)
        return {deWrongMode, {}};
    if (data.size() < 3)
        return {deBadParameter, {}};
    const int address = WordAt(data, 1);
    const QByteArray bytes = data.mid(3);
    const qsizetype end = address + bytes.size();
    QByteArray &memory = FProgramMemoryMode ? FState.ProgramMemory : FState.LayoutMemory;
    const qsizetype limit = FProgramMemoryMode ? kProgramMemorySize : FOptions.MemorySize;
    if (end > limit)
        return {deBadParameter, {}};
    if (memory.size() < end)
        memory.append(QByteArray(end - memory.size(), '\0'));
    memory.replace(address, bytes.size(), bytes);
    SaveState();
    return {};
}

TKeyboardSimulator::TAnswer TKeyboardSimulator::ReadMemory(const QByteArray &data) const
{
    if (data.size() != 4)
        return {deBadParameter, {}};
    const int address = WordAt(data, 1);
    const int count = uint8_t(data[3]);
    const bool program = FLoaderMode && FProgramMemoryMode;
    const qsizetype limit = program ? kProgramMemorySize : FOptions.MemorySize;
    if (count > kMaxAnswerData || address + count > limit)
        return {deBadParameter, {}};
    // Program memory past the highest write reads as zeros.
    const QByteArray &memory = program ? FState.ProgramMemory : FState.LayoutMemory;
    return {deNone, Sized(memory.mid(address, count), count)};
}

TKeyboardSimulator::TAnswer TKeyboardSimulator::StatusOrMode(const QByteArray &data)
{
    if (data.size() == 1)
        return {deNone, QByteArray(1, char(StatusByte()))};
    if (data.size() != 2)
        return {deBadParameter, {}};
    const uint8_t mode = uint8_t(data[1]);
    if (mode != ModeByte(false, false) && mode != ModeByte(true, false) && mode != ModeByte(true, true))
        return {deBadParameter, {}};
    const bool loader = mode & kStatusLoaderMode;
    const bool programMemory = mode & kStatusProgramMemory;
    if (loader != FLoaderMode || programMemory != FProgramMemoryMode) {
        FLoaderMode = loader;
        FProgramMemoryMode = programMemory;
        // The keyboard restarts into the other program and hears nothing
        // meanwhile.
        FSilentUntil = FClock.elapsed() + FOptions.ModeSwitchDelayMs;
    }
    return {};
}

TKeyboardSimulator::TAnswer TKeyboardSimulator::PlayNotes(const QByteArray &data) const
{
    // Each note is pitch, duration and volume.
    if ((data.size() - 1) % 3 != 0)
        return {deBadParameter, {}};
    return {};
}

TKeyboardSimulator::TAnswer TKeyboardSimulator::MatrixState(const QByteArray &data) const
{
    // Only the loader scans the matrix; no key of the emulator is ever held.
    if (!FLoaderMode)
        return {deWrongMode, {}};
    if (data.size() != 1)
        return {deBadParameter, {}};
    return {deNone, QByteArray(3, '\0')};
}

bool TKeyboardSimulator::ProgramIntact() const
{
    const QByteArray &program = FState.ProgramMemory;
    if (program.isEmpty())
        return FOptions.ProgramValid;
    const QByteArray header = program.left(kProgramHeaderSize);
    return std::any_of(header.begin(), header.end(), [](char byte) { return byte != 0; });
}

uint8_t TKeyboardSimulator::StatusByte() const
{
    uint8_t status = 0;
    if (ProgramIntact())
        status |= kStatusProgramValid;
    if (FLoaderMode)
        status |= kStatusLoaderMode;
    if (FLoaderMode && FProgramMemoryMode)
        status |= kStatusProgramMemory;
    if (LayoutImageValid(FState.LayoutMemory, LayoutMarker(FOptions.ProgramMinor)))
        status |= kStatusLayoutValid;
    return status;
}

TDeviceInfo TKeyboardSimulator::CurrentInfo() const
{
    TDeviceInfo info = FModelInfo;
    info.Major = FLoaderMode ? FOptions.LoaderMajor : FOptions.ProgramMajor;
    info.Minor = FLoaderMode ? FOptions.LoaderMinor : FOptions.ProgramMinor;
    info.Version = QStringLiteral("%1.%2").arg(info.Major).arg(info.Minor);
    return info;
}

uint16_t TKeyboardSimulator::LayoutMarker(uint8_t programMinor)
{
    switch (programMinor) {
    case 8:
        return 0x0208;
    case 9:
        return 0x0209;
    default:
        return 0x020A;
    }
}

bool TKeyboardSimulator::LayoutImageValid(const QByteArray &memory, uint16_t marker)
{
    if (memory.size() < 2)
        return false;
    const qsizetype trailer = WordAt(memory, 0);
    if (trailer + 4 > memory.size() || WordAt(memory, trailer) != marker)
        return false;
    uint16_t sum = 0;
    for (qsizetype i = 0; i < trailer + 2; ++i)
        sum = uint16_t(sum + uint8_t(memory[i]));
    return sum == WordAt(memory, trailer + 2);
}

TDeviceStatus TKeyboardSimulator::Status() const
{
    QMutexLocker lock(&FMutex);
    return TDeviceStatus::FromByte(StatusByte());
}

TDeviceInfo TKeyboardSimulator::Info() const
{
    QMutexLocker lock(&FMutex);
    return CurrentInfo();
}

const QByteArray &TKeyboardSimulator::LayoutMemory() const
{
    QMutexLocker lock(&FMutex);
    return FState.LayoutMemory;
}

const QByteArray &TKeyboardSimulator::ProgramMemory() const
{
    QMutexLocker lock(&FMutex);
    return FState.ProgramMemory;
}

void TKeyboardSimulator::SetLayoutMemory(const QByteArray &memory)
{
    QMutexLocker lock(&FMutex);
    FState.LayoutMemory = Sized(memory, FOptions.MemorySize);
    SaveState();
}

void TKeyboardSimulator::SetProgramMemory(const QByteArray &memory)
{
    QMutexLocker lock(&FMutex);
    FState.ProgramMemory = memory.left(kProgramMemorySize);
    SaveState();
}

void TKeyboardSimulator::SetFaults(const TSimulatorFaults &faults)
{
    QMutexLocker lock(&FMutex);
    FFaults.SetFaults(faults);
}

int TKeyboardSimulator::FramesReceived() const
{
    QMutexLocker lock(&FMutex);
    return FFramesReceived;
}

QList<QByteArray> TKeyboardSimulator::Requests() const
{
    QMutexLocker lock(&FMutex);
    return FRequests;
}

void TKeyboardSimulator::SaveState()
{
    if (FOptions.StateFile.isEmpty())
        return;
    // A failed save must not stop the keyboard: it keeps answering from
    // memory and says what went wrong.
    try {
        FState.Save(FOptions.StateFile);
    } catch (const EError &error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
}

void TKeyboardSimulator::Log(const QByteArray &data, const QByteArray &answer)
{
    if (!FLog.isOpen())
        return;
    const QString code = answer.size() >= 4 ? BytesToHex(answer.mid(3, 1)) : QStringLiteral("-");
    const QString line =
        QStringLiteral("%1 %2 %3\n")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")),
                 BytesToHex(data), code);
    FLog.write(line.toUtf8());
    FLog.flush();
}
