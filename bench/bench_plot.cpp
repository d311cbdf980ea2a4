// The plot page at printer size (4960 x 1754, 8-bit and 1-bit, text and
// bitmaps on), the screen graph with all 30 traces, and an 800 x 600 .bmp.

#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "dib/DibImage.h"
#include "disk/AtomicFile.h"
#include "plot/PlotPage.h"
#include "plot/ScreenGraph.h"
#include "support/ScriptedUserInterface.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kPrintWidth = 4960;
constexpr int kPrintHeight = 1754;

// All 30 records in use with NC-40, and a serial number and a comment.
void FillDocument(CMainDoc& doc)
{
    doc.OnNewDocument();
    doc.Data().serialNumber = {'T', '7', '-', '0', '0', '4', '2', '1'};
    for (int record = 0; record < SpectrumFile::kRecords; ++record) {
        MemoryRecord& r = doc.Data().records[static_cast<std::size_t>(record)];
        for (int band = 0; band < MemoryRecord::kBands; ++band)
            r.bands[static_cast<std::size_t>(band)] = static_cast<std::uint8_t>(100 + 2 * band + record);
        r.wideband = 120;
        r.refCode = 75;
        r.mode = 1 | 8 | (6 << 4);
        doc.SetComment(record, "Plant room\r\nnorth wall, 1 m from the fan");
    }
}

// A picture file of the size of the default artwork, so the bitmaps are
// drawn whether or not the artwork is built in.
std::string PictureFile(const char* name, int width, int height)
{
    DibImage image;
    image.Create(width, height, 0, 8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            *image.Pixel(x, y) = static_cast<std::uint8_t>(x * 7 + y * 3);
    std::vector<std::uint8_t> file(static_cast<std::size_t>(image.FileSize()));
    image.WriteBmp(file);
    const std::string path = "/tmp/bench_plot_" + std::to_string(::getpid()) + name;
    std::string error;
    WriteFileAtomically(path, file.data(), file.size(), error);
    return path;
}

void RenderPage(benchmark::State& state)
{
    Profile().SetPath({});
    const std::string background = PictureFile("_background.bmp", 339, 94);
    const std::string logo = PictureFile("_logo.bmp", 144, 84);
    Settings() = ProgramSettings{};
    Settings().Plotbkgdbmp = background;
    Settings().Plotuserbmp = logo;
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    FillDocument(doc);
    const int bitsPerPixel = static_cast<int>(state.range(0));
    for (auto _ : state) {
        PlotPage page;
        if (page.Render(&doc, 4, kPrintWidth, kPrintHeight, 1, 0, bitsPerPixel) != 0)
            state.SkipWithError("render failed");
        benchmark::DoNotOptimize(page.Image().Bits());
        page.Release();
    }
    ::unlink(background.c_str());
    ::unlink(logo.c_str());
}
BENCHMARK(RenderPage)->Arg(8)->Arg(1)->Unit(benchmark::kMillisecond);

void ComposeScreenGraph(benchmark::State& state)
{
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    FillDocument(doc);
    ScreenGraph graph;
    const ScreenGraph::Switches switches{true, true, state.range(0) != 0};
    for (auto _ : state) {
        QImage picture = graph.Compose(doc, 5, switches, 7);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(ComposeScreenGraph)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void WriteBmp800x600(benchmark::State& state)
{
    DibImage image;
    image.Create(800, 600, 0, 8);
    std::vector<std::uint8_t> file(static_cast<std::size_t>(image.FileSize()));
    for (auto _ : state) {
        image.WriteBmp(file);
        benchmark::DoNotOptimize(file.data());
    }
}
BENCHMARK(WriteBmp800x600)->Unit(benchmark::kMicrosecond);

void WriteBmpFile800x600(benchmark::State& state)
{
    DibImage image;
    image.Create(800, 600, 0, 8);
    const std::string path = "/tmp/bench_plot_" + std::to_string(::getpid()) + ".bmp";
    std::string error;
    for (auto _ : state) {
        std::vector<std::uint8_t> file(static_cast<std::size_t>(image.FileSize()));
        image.WriteBmp(file);
        if (!WriteFileAtomically(path, file.data(), file.size(), error))
            state.SkipWithError(error.c_str());
    }
    ::unlink(path.c_str());
}
BENCHMARK(WriteBmpFile800x600)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
