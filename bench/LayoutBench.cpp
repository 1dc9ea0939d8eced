// Opening and saving layouts through the format registry, every device image
// form, and the clipboard round trip of the whole largest layout.
#include "BenchInputs.h"

#include "base/Error.h"
#include "base/Win1251.h"
#include "files/LayoutFileFormats.h"
#include "files/XMLLayout.h"
#include "model/Layout.h"
#include "model/Rect.h"

#include <benchmark/benchmark.h>

namespace {

const TLayout &Subject(int which)
{
    const TBenchInputs &inputs = TBenchInputs::Get();
    return which == 0 ? inputs.Largest() : inputs.Typical();
}

const char *SubjectName(int which)
{
    return which == 0 ? "largest" : "typical";
}

void LayoutOpenXML(benchmark::State &state)
{
    TXMLLayout &format = TBenchInputs::Get().Formats().XMLFormat();
    const QByteArray bytes = format.SaveToString(Subject(int(state.range(0))));
    for (auto _ : state) {
        TLayout layout;
        format.LoadFromString(layout, bytes);
        benchmark::DoNotOptimize(layout.KeyCount());
    }
    state.SetLabel(SubjectName(int(state.range(0))));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(LayoutOpenXML)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void LayoutSaveXML(benchmark::State &state)
{
    TXMLLayout &format = TBenchInputs::Get().Formats().XMLFormat();
    const TLayout &layout = Subject(int(state.range(0)));
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray bytes = format.SaveToString(layout);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetLabel(SubjectName(int(state.range(0))));
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(LayoutSaveXML)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Encodes the layout into a device image and decodes it again with the same
// format; a form that cannot hold the layout (1.3 takes 64 keys at most) is
// reported as skipped.
void DeviceImage(benchmark::State &state, const char *shortName)
{
    const TLayout &source = Subject(int(state.range(0)));
    TLayoutFormat &format = ChooseFormat(TBenchInputs::Get().Formats().Formats(), QString::fromLatin1(shortName));
    try {
        format.SaveToString(source);
    } catch (const EError &error) {
        state.SkipWithError(error.Message().toUtf8().constData());
        return;
    }
    for (auto _ : state) {
        const QByteArray image = format.SaveToString(source);
        TLayout layout;
        format.LoadFromString(layout, image);
        benchmark::DoNotOptimize(layout.KeyCount());
    }
    state.SetLabel(SubjectName(int(state.range(0))));
}
BENCHMARK_CAPTURE(DeviceImage, bin, "bin")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DeviceImage, bin29, "bin29")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DeviceImage, bin28, "bin28")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DeviceImage, bin13, "bin13")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// What the editor does on copy and paste of the whole layout: the selection
// into a clipboard layout, XML text out, and the text back into a fresh
// layout pasted over the selection.
void ClipboardRoundTrip(benchmark::State &state)
{
    TXMLLayout &format = TBenchInputs::Get().Formats().XMLFormat();
    TLayout target;
    target.Assign(TBenchInputs::Get().Largest());
    target.SetSelection(TRect{1, 1, target.Columns(), target.Rows()});
    for (auto _ : state) {
        TLayout copied;
        target.CopyTo(copied);
        const QString text = FromWin1251(format.SaveToString(copied));
        TLayout pasted;
        format.LoadFromString(pasted, ToWin1251(text));
        target.Paste(pasted, 0, false);
        benchmark::DoNotOptimize(text.size());
    }
}
BENCHMARK(ClipboardRoundTrip)->Unit(benchmark::kMillisecond);

} // namespace
