// The start-up probe of the editor benchmarks. The benchmark starts it as a
// process of its own and times it until it reports its first paint:
//   ravlin_bench_startprobe empty
//     an empty QMainWindow, placed as the editor places its main window;
//   ravlin_bench_startprobe editor PROGRAM [FILE...]
//     the editor's main window for the program file PROGRAM (its folder holds
//     the data folders and the settings file) with the files open, started as
//     RavlinApp starts it, without the first-run wizard and the update check.
// Once the watched widget (the empty window, the key grid of the last file
// opened, or the editor's main window without files) has painted, the probe prints "painted START NOW": its resident
// memory in KiB at the start of main and now. Then it ends at once: tearing
// the windows down is no part of a start.
#include "base/HeapTuning.h"
#include "common/EditorStyle.h"
#include "document/fmuDoc.h"
#include "document/KeyGrid.h"
#include "document/DocumentWindows.h"
#include "main/fmuMain.h"
#include "translations/Language.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace {

long ResidentKiB()
{
    long pages = 0;
    long resident = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Reports the first paint of one widget once that paint is done.
class TPaintWatch : public QObject {
public:
    TPaintWatch(QWidget &target, long startKiB) : FStartKiB(startKiB) { target.installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !FSeen) {
            FSeen = true;
            // Queued: it runs after the paint and the flush of the window.
            QTimer::singleShot(0, this, [this] {
                std::printf("painted %ld %ld\n", FStartKiB, ResidentKiB());
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    long FStartKiB;
    bool FSeen = false;
};

int Fail(const char *message)
{
    std::fprintf(stderr, "%s\n", message);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    const long startKiB = ResidentKiB();
    // The editor's heap is set up as RavlinApp sets it up, before anything.
    if (argc > 1 && std::strcmp(argv[1], "editor") == 0)
        TuneHeap();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ravlin"));
    const QStringList arguments = QApplication::arguments();
    const QString mode = arguments.value(1);

    if (mode == u"empty") {
        QMainWindow window;
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, area.size() * 0.85, area));
        TPaintWatch watch(window, startKiB);
        window.show();
        return QApplication::exec();
    }
    if (mode != u"editor" || arguments.size() < 3)
        return Fail("usage: ravlin_bench_startprobe empty | editor PROGRAM [FILE...]");

    InstallEditorStyle();
    InstallTranslations(application, TLanguage::Russian);
    TKeyboardManagerOptions options;
    options.ProgramPath = arguments[2];
    // No keyboard listens there: the device box finds no PS/2 keyboard.
    options.Ports.DriverSocket = arguments[2] + QStringLiteral("-no-keyboard");
    TfmMain window(options);
    window.show();
    window.OpenFiles(arguments.mid(3));
    const QList<TfmDoc *> documents = window.Documents().All();
    if (documents.size() != arguments.size() - 3)
        return Fail("a file did not open");
    TPaintWatch watch(documents.isEmpty() ? static_cast<QWidget &>(window) : documents.last()->Grid(), startKiB);
    return QApplication::exec();
}
