// A layout written into and read from the emulated keyboard, served on a
// thread of this process over the real driver socket. A write is the whole
// operation: the check, the backup read of the layout in the keyboard, the
// blocks with the pause the manager keeps after each, the verification read
// and the status. Without the pause the figures are per block; with the
// keyboard's 100 ms pause the write is measured against its floor, the
// number of written blocks times the pause.
#include "BenchInputs.h"
#include "BenchMain.h"

#include "base/Error.h"
#include "catalogue/Keyboards.h"
#include "device/KeyboardManager.h"
#include "device/ManagerPrompts.h"
#include "files/LayoutFormat.h"
#include "model/Layout.h"

#include <KeyboardSimulator.h>
#include <SimulatorServer.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kWriteBlockSize = 256;
constexpr int kReadBlockSize = 128;

// Says yes to every question; a benchmark has no one to ask.
class TYesPrompts : public TManagerPrompts {
public:
    bool Ask(const QString &) override { return true; }
    void Warn(const QString &) override {}
    QString ChooseFile(const QString &, const QString &, const QString &) override { return QString(); }
};

// The emulated keyboard of a layout's model with the 2.10 program and the
// whole layout memory, and a manager that reaches it as its PS/2 keyboard.
class TEmulatedKeyboard {
public:
    TEmulatedKeyboard(const TKeyboard &model, int blockPauseMs)
    {
        TSimulatorOptions options;
        options.ModelCode = model.Model;
        options.DataFolder = QStringLiteral(RAVLIN_DATA_DIR);
        options.MemorySize = 65535;
        FSimulator = std::make_unique<TKeyboardSimulator>(model, options);
        FServer = std::make_unique<TSimulatorServer>(*FSimulator, FDir.filePath(QStringLiteral("kbd")));
        FServer->Start();
        TKeyboardManagerOptions managerOptions;
        managerOptions.ProgramPath = QStringLiteral(RAVLIN_DATA_DIR "/ravlin");
        managerOptions.Ports.DriverSocket = FServer->SocketPath();
        managerOptions.Prompts = &FPrompts;
        managerOptions.BlockPauseMs = blockPauseMs;
        managerOptions.BackupFolder = FDir.filePath(QStringLiteral("backups"));
        Manager = std::make_unique<TKeyboardManager>(managerOptions);
    }
    ~TEmulatedKeyboard()
    {
        Manager.reset();
        FServer.reset();
    }

    std::unique_ptr<TKeyboardManager> Manager;

private:
    QTemporaryDir FDir;
    TYesPrompts FPrompts;
    std::unique_ptr<TKeyboardSimulator> FSimulator;
    std::unique_ptr<TSimulatorServer> FServer;
};

// The layout measured and its model: 0 the largest, 1 the typical one.
struct TSubject {
    const TLayout &Layout;
    const TKeyboard &Model;
    const char *Name;
};

TSubject Subject(int which)
{
    const TBenchInputs &inputs = TBenchInputs::Get();
    if (which == 0)
        return {inputs.Largest(), inputs.Keyboards().ByID(TBenchInputs::kLargestModel), "largest"};
    return {inputs.Typical(), inputs.Keyboards().ByID(TBenchInputs::kTypicalModel), "typical"};
}

int ImageBlocks(const TKeyboardManager &manager, const TLayout &layout, int blockSize)
{
    const qsizetype size = manager.ImageFormat().SaveToString(layout).size();
    return int((size + blockSize - 1) / blockSize);
}

// range(0): the layout (0 largest, 1 typical); range(1): the pause in ms.
// Counters: the written blocks and their floor.
void EmulatorWrite(benchmark::State &state)
{
    const TSubject subject = Subject(int(state.range(0)));
    const int pauseMs = int(state.range(1));
    TEmulatedKeyboard keyboard(subject.Model, pauseMs);
    TLayout layout;
    layout.Assign(subject.Layout);
    try {
        // The first write finds the keyboard empty; the measured ones back
        // up the layout it holds.
        keyboard.Manager->WriteLayout(layout);
        for (auto _ : state)
            keyboard.Manager->WriteLayout(layout);
    } catch (const EError &error) {
        state.SkipWithError(error.Message().toUtf8().constData());
        return;
    }
    const int blocks = ImageBlocks(*keyboard.Manager, subject.Layout, kWriteBlockSize);
    state.counters["blocks"] = blocks;
    state.counters["floor_ms"] = double(blocks) * pauseMs;
    state.SetLabel(subject.Name);
}
BENCHMARK(EmulatorWrite)
    ->ArgNames({"layout", "pause"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
// With the keyboard's pause one write of the largest layout takes seconds.
BENCHMARK(EmulatorWrite)
    ->ArgNames({"layout", "pause"})
    ->Args({0, 100})
    ->Args({1, 100})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void EmulatorRead(benchmark::State &state)
{
    const TSubject subject = Subject(int(state.range(0)));
    TEmulatedKeyboard keyboard(subject.Model, 0);
    TLayout layout;
    layout.Assign(subject.Layout);
    try {
        keyboard.Manager->WriteLayout(layout);
        for (auto _ : state) {
            TLayout read;
            keyboard.Manager->ReadLayout(read);
        }
    } catch (const EError &error) {
        state.SkipWithError(error.Message().toUtf8().constData());
        return;
    }
    state.counters["blocks"] = ImageBlocks(*keyboard.Manager, subject.Layout, kReadBlockSize);
    state.SetLabel(subject.Name);
}
BENCHMARK(EmulatorRead)->ArgName("layout")->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunBenchmarks<QGuiApplication>(argc, argv);
}
