// Survey work: tv7w-cli summary of 1000 files of 30 records in one call,
// with cat of the same files as the floor (starting a program and reading
// the bytes), and the averages and level differences a window recomputes.

#include "data/LevelDifference.h"
#include "data/RecordAverage.h"
#include "data/SpectrumFile.h"
#include "tv7sim/SurveyMeasurements.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kFiles = 1000;

// The simulated analyser's survey, each record with its note as comment.
SpectrumFile SurveyFile()
{
    SpectrumFile file{};
    file.serialNumber.fill(' ');
    for (int record = 0; record < SpectrumFile::kRecords; ++record) {
        file.records[static_cast<std::size_t>(record)] = SurveyMeasurement(record);
        SpectrumFile::Comment& comment = file.comments[static_cast<std::size_t>(record)];
        comment.fill(' ');
        const std::string_view note = SurveyMeasurementNote(record);
        std::copy_n(note.begin(), std::min<std::size_t>(note.size(), SpectrumFile::kCommentLineSize),
                    comment.begin());
    }
    return file;
}

// A folder of its own, removed at the end of the run.
struct TempFolder {
    TempFolder()
    {
        char name[] = "/tmp/tv7w-bench-survey-XXXXXX";
        if (::mkdtemp(name) == nullptr)
            std::abort();
        path = name;
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    std::string path;
};

// kFiles spectrum data files, made once.
const std::vector<std::string>& SurveyFiles()
{
    static const TempFolder folder;
    static const std::vector<std::string> files = [] {
        const SpectrumFile image = SurveyFile();
        std::vector<std::string> paths;
        for (int i = 0; i < kFiles; ++i) {
            paths.push_back(folder.path + "/site" + std::to_string(i) + ".spc");
            std::FILE* out = std::fopen(paths.back().c_str(), "wb");
            if (out == nullptr || std::fwrite(image.Bytes(), SpectrumFile::kSize, 1, out) != 1)
                std::abort();
            std::fclose(out);
        }
        return paths;
    }();
    return files;
}

// Runs the program with the words and the files, its output to /dev/null; its exit status.
int Run(std::vector<std::string> words)
{
    const std::vector<std::string>& files = SurveyFiles();
    words.insert(words.end(), files.begin(), files.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int status = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
        ::waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return status;
}

void SummaryOf1000Files(benchmark::State& state)
{
    SurveyFiles();
    for (auto _ : state)
        if (Run({TV7W_CLI, "--profile", "/nonexistent/TV7W.ini", "summary", "--csv"}) != 0)
            state.SkipWithError("tv7w-cli summary failed");
}
BENCHMARK(SummaryOf1000Files)->Unit(benchmark::kMillisecond);

void CatOf1000Files(benchmark::State& state)
{
    SurveyFiles();
    for (auto _ : state)
        if (Run({"/bin/cat"}) != 0)
            state.SkipWithError("cat failed");
}
BENCHMARK(CatOf1000Files)->Unit(benchmark::kMillisecond);

void AverageOfFourRecords(benchmark::State& state)
{
    const SpectrumFile file = SurveyFile();
    const std::vector<int> records{0, 1, 18, 19};
    for (auto _ : state) {
        RecordAverage average;
        benchmark::DoNotOptimize(AverageRecords(file, records, average));
        benchmark::DoNotOptimize(average);
    }
}
BENCHMARK(AverageOfFourRecords)->Unit(benchmark::kMicrosecond);

void DifferenceWithBackgroundAndDnT(benchmark::State& state)
{
    const SpectrumFile file = SurveyFile();
    for (auto _ : state) {
        LevelDifference difference;
        StandardizedDifference standardized;
        DifferenceOfRecords(file, 15, 16, 17, difference);
        StandardizeDifference(difference, {0.6}, standardized);
        benchmark::DoNotOptimize(standardized);
    }
}
BENCHMARK(DifferenceWithBackgroundAndDnT)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
