// Memory the undo stack of a document holds after 100 steps on the largest
// layout: key dialog edits of single keys, a mix of every edit the editor
// has, and edits that rewrite every key of the layout.
#include "BenchInputs.h"

#include "device/KeyboardManager.h"
#include "device/ManagerPrompts.h"
#include "document/LayoutDocument.h"
#include "model/Layout.h"
#include "model/MSR.h"
#include "model/MasterKey.h"
#include "model/Layer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>
#include <benchmark/benchmark.h>
#include <functional>
#include <malloc.h>
#include <unistd.h>

namespace {

constexpr int kSteps = 100;

// Model identifiers of the shipped descriptions.
constexpr int kModel8x8 = 1;
constexpr int kModel15x8 = 3;

class TSilentPrompts : public TManagerPrompts {
public:
    bool Ask(const QString &) override { return true; }
    void Warn(const QString &) override {}
    QString ChooseFile(const QString &, const QString &, const QString &) override { return QString(); }
};

double ResidentMB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> pages = statm.readAll().split(' ');
    return pages.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double HeapMB()
{
    return double(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

// A document holding the largest layout, with a keyboard manager whose
// program folder (a temporary one) links the shipped model descriptions.
struct TBenchDocument {
    QTemporaryDir Folder;
    TSilentPrompts Prompts;
    std::unique_ptr<TKeyboardManager> Manager;
    std::unique_ptr<TLayoutDocument> Document;

    TBenchDocument()
    {
        for (const QString &name : {QStringLiteral("Клавиатуры"), QStringLiteral("Клавиши")})
            QFile::link(QStringLiteral(RAVLIN_DATA_DIR "/") + name, Folder.filePath(name));
        TKeyboardManagerOptions options;
        options.ProgramPath = Folder.filePath(QStringLiteral("RavlinApp"));
        options.Prompts = &Prompts;
        options.Backup = false;
        Manager = std::make_unique<TKeyboardManager>(options);
        Document = std::make_unique<TLayoutDocument>(*Manager);
        Document->AssignFrom(TBenchInputs::Get().Largest());
    }
};

void Select(TLayoutDocument &document, int step)
{
    const int col = 1 + step % document.Layout().Columns();
    const int row = 1 + step / document.Layout().Columns() % document.Layout().Rows();
    document.SetSelection({col, row, col, row});
}

void SetRemark(TLayoutDocument &document, const QString &text)
{
    TMasterKey values;
    values.Remark().SetValue(text);
    document.ChangeKeys(0, TLayoutDocument::TKeyField::Remark, values);
}

// One step of the editor's every edit, in turn.
void MixedStep(TLayoutDocument &document, const QString &block, int step)
{
    switch (step % 10) {
    case 0:
        document.SetSelection({1, 1, 4, 4});
        document.Clear(0, vmLayout);
        break;
    case 1:
        document.SetSelection({5, 1, 8, 4});
        document.Paste(block, 0, vmLayout);
        break;
    case 2:
        document.SetSelection({1, 1, 1, 1});
        document.Replace(step % 20 < 10 ? QStringLiteral("+A") : QStringLiteral("+B"),
                         step % 20 < 10 ? QStringLiteral("+B") : QStringLiteral("+A"), 0);
        break;
    case 3:
        document.SetSelection({10, 7, 11, 8});
        document.Group();
        break;
    case 4:
        document.Ungroup();
        break;
    case 5: {
        TLayout readers;
        readers.Assign(document.Layout());
        readers.Layers().Item(0).MSR().SetSendEnter(step % 20 < 10);
        document.SetCardReaders(readers);
        break;
    }
    case 6:
        // A model change and back, in two steps, once in twenty.
        if (step % 20 == 6)
            document.ChangeKeyboard(document.Layout().KeyboardID() == kModel15x8 ? kModel8x8 : kModel15x8);
        else
            SetRemark(document, QString::number(step));
        break;
    default:
        Select(document, step);
        SetRemark(document, QString::number(step));
        break;
    }
}

void MeasureSteps(benchmark::State &state, const std::function<void(TLayoutDocument &, int)> &edit)
{
    double rss = 0;
    double heap = 0;
    int steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TBenchDocument bench;
        state.ResumeTiming();
        const double rssBefore = ResidentMB();
        const double heapBefore = HeapMB();
        for (int step = 0; step < kSteps; ++step)
            edit(*bench.Document, step);
        rss = ResidentMB() - rssBefore;
        heap = HeapMB() - heapBefore;
        steps = bench.Document->UndoStack().count();
    }
    state.counters["rss_growth_MB"] = rss;
    state.counters["heap_growth_MB"] = heap;
    state.counters["steps"] = steps;
}

void UndoKeyEdits(benchmark::State &state)
{
    MeasureSteps(state, [](TLayoutDocument &document, int step) {
        Select(document, step);
        SetRemark(document, QStringLiteral("Шаг %1").arg(step));
    });
}
BENCHMARK(UndoKeyEdits)->Iterations(1)->Unit(benchmark::kMillisecond);

void UndoMixedEdits(benchmark::State &state)
{
    TBenchDocument source;
    source.Document->SetSelection({1, 1, 4, 4});
    const QString block = source.Document->Copy();
    MeasureSteps(state, [&block](TLayoutDocument &document, int step) { MixedStep(document, block, step); });
}
BENCHMARK(UndoMixedEdits)->Iterations(1)->Unit(benchmark::kMillisecond);

// The worst case: every step rewrites the codes of every key.
void UndoWholeLayoutEdits(benchmark::State &state)
{
    MeasureSteps(state, [](TLayoutDocument &document, int step) {
        document.SetSelection({1, 1, 1, 1});
        document.Replace(step % 2 == 0 ? QStringLiteral("+LShift") : QStringLiteral("+RShift"),
                         step % 2 == 0 ? QStringLiteral("+RShift") : QStringLiteral("+LShift"), 0);
    });
}
BENCHMARK(UndoWholeLayoutEdits)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
