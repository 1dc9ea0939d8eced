// The editor in this process: one full repaint of the largest layout's grid
// (15x8 keys, four layers shown) in each view mode, in a maximised document
// window of a main window the size of a 1280x1024 screen's work area.
#include "BenchMain.h"
#include "BenchProgramFolder.h"

#include "document/KeyGrid.h"
#include "document/fmuDoc.h"
#include "document/DocumentWindows.h"
#include "main/fmuMain.h"

#include <QApplication>
#include <QImage>
#include <QMdiSubWindow>
#include <benchmark/benchmark.h>

namespace {

void GridRepaint(benchmark::State &state)
{
    const TBenchProgramFolder folder(1);
    TKeyboardManagerOptions options;
    options.ProgramPath = folder.ProgramPath();
    options.Ports.DriverSocket = folder.Path(QStringLiteral("no-keyboard"));
    TfmMain window(options);
    window.resize(1088, 870);
    window.show();
    window.OpenFiles(folder.LayoutFiles());
    if (window.Documents().All().size() != 1) {
        state.SkipWithError("the layout did not open");
        return;
    }
    TfmDoc &document = *window.Documents().All().first();
    window.Documents().Frame(&document)->showMaximized();
    document.SetShownLayer(0);
    document.SetViewMode(TViewMode(state.range(0)));
    QApplication::processEvents();

    TKeyGrid &grid = document.Grid();
    QImage image(grid.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        grid.render(&image);
        benchmark::ClobberMemory();
    }
    static const char *const kModes[] = {"layout view", "picture view", "simplified view"};
    state.SetLabel(QStringLiteral("%1, %2x%3 px")
                       .arg(QLatin1StringView(kModes[state.range(0)]))
                       .arg(grid.width())
                       .arg(grid.height())
                       .toStdString());
}
BENCHMARK(GridRepaint)
    ->Arg(vmLayout)
    ->Arg(vmPicture)
    ->Arg(vmSimplified)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunBenchmarks<QApplication>(argc, argv);
}
