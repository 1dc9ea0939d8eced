// Whole processes: the editor's cold start to its first painted window beside
// an empty QMainWindow started the same way, the editor's resident memory
// with ten of the largest layouts open, and the command-line tool converting
// the largest layout beside its plainest command.
#include "BenchProgramFolder.h"

#include <QElapsedTimer>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

constexpr int kStartWaitMs = 60000;

// What the start-up probe reports at its first paint: resident memory in KiB
// at the start of main and at the paint.
struct TProbeReport {
    double Ms = 0;
    long StartKiB = 0;
    long PaintedKiB = 0;
};

// Starts the probe and waits for its report; nothing when it fails (the
// reason is given to state).
std::optional<TProbeReport> RunProbe(benchmark::State &state, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(RAVLIN_STARTPROBE), arguments);
    while (!process.canReadLine() && process.waitForReadyRead(kStartWaitMs)) {
    }
    TProbeReport report;
    report.Ms = double(timer.nsecsElapsed()) / 1e6;
    const QList<QByteArray> fields = process.readLine().trimmed().split(' ');
    process.waitForFinished(kStartWaitMs);
    if (fields.size() != 3 || fields[0] != "painted") {
        state.SkipWithError("the start-up probe reported no paint");
        return std::nullopt;
    }
    report.StartKiB = fields[1].toLong();
    report.PaintedKiB = fields[2].toLong();
    return report;
}

// Runs the probe per iteration and reports its time to the first paint.
void StartToPaint(benchmark::State &state, const QStringList &arguments)
{
    for (auto _ : state) {
        const std::optional<TProbeReport> report = RunProbe(state, arguments);
        if (!report)
            return;
        state.SetIterationTime(report->Ms / 1e3);
    }
}

void ColdStart_EmptyWindow(benchmark::State &state)
{
    StartToPaint(state, {QStringLiteral("empty")});
}
BENCHMARK(ColdStart_EmptyWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

void ColdStart_Editor(benchmark::State &state)
{
    const TBenchProgramFolder folder(1);
    StartToPaint(state, QStringList{QStringLiteral("editor"), folder.ProgramPath()} + folder.LayoutFiles());
}
BENCHMARK(ColdStart_Editor)->UseManualTime()->Unit(benchmark::kMillisecond);

// The editor's resident memory with ten of the largest layouts open, and
// what each of them adds to the editor without documents.
void EditorMemory(benchmark::State &state)
{
    constexpr int kDocuments = 10;
    const TBenchProgramFolder folder(kDocuments);
    const QStringList editor{QStringLiteral("editor"), folder.ProgramPath()};
    for (auto _ : state) {
        const std::optional<TProbeReport> bare = RunProbe(state, editor);
        const std::optional<TProbeReport> full = bare ? RunProbe(state, editor + folder.LayoutFiles()) : bare;
        if (!full)
            return;
        state.SetIterationTime(full->Ms / 1e3);
        state.counters["resident_MB"] = double(full->PaintedKiB) / 1024;
        state.counters["per_document_MB"] = double(full->PaintedKiB - bare->PaintedKiB) / 1024 / kDocuments;
    }
}
BENCHMARK(EditorMemory)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// Runs the command-line tool to its end per iteration.
void RunTool(benchmark::State &state, const QStringList &arguments)
{
    for (auto _ : state) {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        process.start(QStringLiteral(RAVLIN_CLI), arguments);
        const bool finished = process.waitForFinished(kStartWaitMs);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            state.SkipWithError("the command failed");
            return;
        }
    }
}

void ToolModels(benchmark::State &state)
{
    RunTool(state, {QStringLiteral("models")});
}
BENCHMARK(ToolModels)->UseManualTime()->Unit(benchmark::kMillisecond);

void ToolConvertLargest(benchmark::State &state)
{
    const TBenchProgramFolder folder(1);
    RunTool(state, {QStringLiteral("convert"), folder.LayoutFiles().first(), folder.Path(QStringLiteral("out.xml"))});
}
BENCHMARK(ToolConvertLargest)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
