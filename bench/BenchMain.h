#pragma once

#include <QByteArray>
#include <benchmark/benchmark.h>

/// The main of a benchmark executable that needs a Qt application object
/// (painting, windows, sockets served on threads). It runs on the offscreen
/// platform unless QT_QPA_PLATFORM names another.
template <class TApplication>
int RunBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
