// The analyser link against tv7sim in real-time mode (1200 bit/s, ten bits
// a byte): the all-records download and a one-record upload with Comdelay 50.
// Each runs once (about 8.6 s and 4.8 s). Counters: wall and wire seconds,
// their ratio, and the CPU time of this process as a share of the wall time
// (the exchanges poll with 5 ms sleeps and must not busy-wait).

#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "link/CCommsDlg.h"
#include "sim/SimulatorProcess.h"
#include "sim/TalvekAnalyser.h"
#include "support/ScriptedUserInterface.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <sys/resource.h>

namespace {

constexpr double kByteSeconds = 10.0 / 1200.0;
constexpr double kAllRecordsWireSeconds = 1022 * kByteSeconds;
constexpr int kComdelay = 50;
// The selection, "T" and 68 half-bytes: each a pause and a command and its
// acknowledgement on the wire.
constexpr double kUploadSeconds = 70 * (kComdelay / 1000.0 + 2 * kByteSeconds);

double CpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// Runs the exchange against a fresh real-time simulator once per iteration.
void Measure(benchmark::State& state, double expectedSeconds, const std::function<int(CCommsDlg&)>& exchange)
{
    Settings() = ProgramSettings{};
    Settings().Comdelay = kComdelay;
    Settings().Sounds = 0;
    Profile().SetPath({});
    for (auto _ : state) {
        SimulatorProcess simulator(TV7SIM, {"--realtime"});
        ScriptedUserInterface ui;
        CCommsDlg comms(ui);
        comms.Link().SetDevicePath(simulator.DevicePath());

        const double cpuStart = CpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        const int result = exchange(comms);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu = CpuSeconds() - cpuStart;
        const rusage simulatorUsage = simulator.Stop();
        if (result != 0) {
            state.SkipWithError("the exchange failed");
            return;
        }
        state.SetIterationTime(wall);
        state.counters["wall_s"] = wall;
        state.counters["expected_s"] = expectedSeconds;
        state.counters["ratio"] = wall / expectedSeconds;
        state.counters["cpu_pct"] = 100.0 * cpu / wall;
        state.counters["sim_cpu_pct"] =
            100.0 * (Seconds(simulatorUsage.ru_utime) + Seconds(simulatorUsage.ru_stime)) / wall;
    }
}

void BM_DownloadAllRecords(benchmark::State& state)
{
    Measure(state, kAllRecordsWireSeconds, [](CCommsDlg& comms) {
        CCommsDlg::DownloadBuffer buffer{};
        return comms.DownloadRecords(buffer, CCommsDlg::kAllRecords, CCommsDlg::kAllRecords);
    });
}

void BM_UploadOneRecord(benchmark::State& state)
{
    Measure(state, kUploadSeconds,
            [](CCommsDlg& comms) { return comms.UploadRecord(TalvekAnalyser::BuiltInMeasurement(3), 4, 0); });
}

}  // namespace

BENCHMARK(BM_DownloadAllRecords)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UploadOneRecord)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
