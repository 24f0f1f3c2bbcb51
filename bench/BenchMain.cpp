// Benchmark entry point. A QApplication is made so that benchmarks can draw text into
// images and keep views alive; it runs on the offscreen platform unless another is
// asked for. The program the window benchmarks run is closed before it goes.
#include "LiveApp.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    LiveApp::close();
    benchmark::Shutdown();
    return 0;
}
