// Whole processes: the editor's cold start to its first painted window beside
// an empty QMainWindow started the same way, the editor's resident memory
// with ten of the largest layouts open, and the command-line tool converting
// the largest layout beside its plainest command. Each figure and its peer
// are taken in turns within one benchmark.
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

// Runs the probe for the peer and then for ours in every iteration and
// reports ours, with the peer's mean as the counter "peer_ms": taken side by
// side, both see the same moment of a host whose speed swings by a third
// from one minute to the next.
void StartToPaintBeside(benchmark::State &state, const QStringList &peer, const QStringList &ours)
{
    double peerMs = 0;
    for (auto _ : state) {
        const std::optional<TProbeReport> peerReport = RunProbe(state, peer);
        const std::optional<TProbeReport> report = peerReport ? RunProbe(state, ours) : peerReport;
        if (!report)
            return;
        peerMs += peerReport->Ms;
        state.SetIterationTime(report->Ms / 1e3);
    }
    state.counters["peer_ms"] = benchmark::Counter(peerMs, benchmark::Counter::kAvgIterations);
}

// The editor with the largest layout open beside an empty QMainWindow.
void ColdStart(benchmark::State &state)
{
    const TBenchProgramFolder folder(1);
    StartToPaintBeside(state, {QStringLiteral("empty")},
                       QStringList{QStringLiteral("editor"), folder.ProgramPath()} + folder.LayoutFiles());
}
BENCHMARK(ColdStart)->UseManualTime()->Unit(benchmark::kMillisecond);

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

// Runs the command-line tool to its end; its time in ms, nothing when it
// fails (the reason is given to state).
std::optional<double> RunTool(benchmark::State &state, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(RAVLIN_CLI), arguments);
    const bool finished = process.waitForFinished(kStartWaitMs);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        state.SkipWithError("the command failed");
        return std::nullopt;
    }
    return ms;
}

// "ravlin convert" of the largest layout beside "ravlin models", side by side
// in every iteration as the start-ups are.
void ToolConvertLargest(benchmark::State &state)
{
    const TBenchProgramFolder folder(1);
    const QStringList convert{QStringLiteral("convert"), folder.LayoutFiles().first(),
                              folder.Path(QStringLiteral("out.xml"))};
    double peerMs = 0;
    for (auto _ : state) {
        const std::optional<double> models = RunTool(state, {QStringLiteral("models")});
        const std::optional<double> ours = models ? RunTool(state, convert) : models;
        if (!ours)
            return;
        peerMs += *models;
        state.SetIterationTime(*ours / 1e3);
    }
    state.counters["peer_ms"] = benchmark::Counter(peerMs, benchmark::Counter::kAvgIterations);
}
BENCHMARK(ToolConvertLargest)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
