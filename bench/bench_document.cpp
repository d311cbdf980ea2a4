// Open + save of a spectrum data file, and every level text of all 30 records.

#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "support/ScriptedUserInterface.h"

#include <benchmark/benchmark.h>
#include <string>
#include <unistd.h>

namespace {

std::string SampleFile()
{
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    doc.OnNewDocument();
    for (int record = 0; record < SpectrumFile::kRecords; ++record) {
        MemoryRecord& r = doc.Data().records[static_cast<std::size_t>(record)];
        for (int band = 0; band < MemoryRecord::kBands; ++band)
            r.bands[static_cast<std::size_t>(band)] = static_cast<std::uint8_t>(120 + band + record);
        r.wideband = 100;
        r.mode = 1 | 8 | (4 << 4);
    }
    const std::string path = "/tmp/bench_document_" + std::to_string(::getpid()) + ".spc";
    doc.OnSaveDocument(path);
    return path;
}

void OpenAndSave(benchmark::State& state)
{
    Profile().SetPath({});
    const std::string path = SampleFile();
    ScriptedUserInterface ui;
    for (auto _ : state) {
        CMainDoc doc(ui);
        doc.OnOpenDocument(path);
        doc.OnSaveDocument(path);
    }
    ::unlink(path.c_str());
}
BENCHMARK(OpenAndSave)->Unit(benchmark::kMicrosecond);

void AllLevelTexts(benchmark::State& state)
{
    Profile().SetPath({});
    const std::string path = SampleFile();
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    doc.OnOpenDocument(path);
    std::string text;
    for (auto _ : state) {
        for (int record = 0; record < SpectrumFile::kRecords; ++record) {
            for (int band = 0; band < MemoryRecord::kBands; ++band)
                doc.GetBandLevel(text, band, record);
            doc.GetRefLevel(text, record);
            doc.GetWidebandLevel(text, record);
        }
        benchmark::DoNotOptimize(text);
    }
    ::unlink(path.c_str());
}
BENCHMARK(AllLevelTexts)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
