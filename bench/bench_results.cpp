// The acoustic results (band levels, octave bands, totals, NC and NR
// ratings) of all 30 records, the results CSV of a document, and the Band Table window's look
// at the active record, which it takes ten times a second.

#include "data/AcousticResults.h"
#include "data/BandTable.h"
#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "data/ResultsCsv.h"
#include "support/ScriptedUserInterface.h"

#include <benchmark/benchmark.h>

namespace {

// 30 Mike measurements around 40..70 dB SPL, one band of each above range.
void FillRecords(SpectrumFile& data)
{
    for (int record = 0; record < SpectrumFile::kRecords; ++record) {
        MemoryRecord& r = data.records[static_cast<std::size_t>(record)];
        for (int band = 0; band < MemoryRecord::kBands; ++band)
            r.bands[static_cast<std::size_t>(band)] = static_cast<std::uint8_t>(100 + 3 * band + record);
        r.bands[static_cast<std::size_t>(record)] = 200;
        r.refCode = static_cast<std::uint8_t>(60 + record);
        r.mode = 1;
    }
}

void AllResults(benchmark::State& state)
{
    SpectrumFile data{};
    FillRecords(data);
    for (auto _ : state) {
        for (const MemoryRecord& record : data.records) {
            AcousticResults results = ComputeAcousticResults(record);
            benchmark::DoNotOptimize(results);
        }
    }
}
BENCHMARK(AllResults)->Unit(benchmark::kMicrosecond);

void ResultsCsvOfAllRecords(benchmark::State& state)
{
    Profile().SetPath({});
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    doc.OnNewDocument();
    FillRecords(doc.Data());
    for (auto _ : state) {
        std::string text = ResultsCsvText(doc, ',');
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(ResultsCsvOfAllRecords)->Unit(benchmark::kMicrosecond);

void BandTableOfTheShownRecord(benchmark::State& state)
{
    Profile().SetPath({});
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    doc.OnNewDocument();
    FillRecords(doc.Data());
    const BandTable shown = MakeBandTable(doc, 4);
    for (auto _ : state) {
        const bool same = MakeBandTable(doc, 4) == shown;
        benchmark::DoNotOptimize(same);
    }
}
BENCHMARK(BandTableOfTheShownRecord)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
