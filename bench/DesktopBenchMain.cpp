// The main of the desktop program's benchmarks: an application on the
// offscreen platform (unless another is asked for), the default settings
// and no profile file, so a run never touches the user's settings.

#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    Profile().SetPath({});
    Settings() = ProgramSettings{};
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
