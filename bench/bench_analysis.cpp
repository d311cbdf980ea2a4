// The Spectrum Chart redrawn with 30 records shown at 1920 x 1080 (the
// goal: under 16 ms, one frame), and the survey report of 30 records
// (goal: under 1 s and 2 MB; its size is the counter "bytes").

#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "plot/FrequencyChart.h"
#include "plot/SpectrumChartData.h"
#include "plot/SurveyReport.h"
#include "support/ScriptedUserInterface.h"

#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// 30 Mike records of one survey, each with a comment.
void FillSurvey(CMainDoc& doc)
{
    doc.OnNewDocument();
    doc.Data().serialNumber = {'T', '7', 'A', '0', '0', '4', '2', '\0'};
    for (int record = 0; record < SpectrumFile::kRecords; ++record) {
        MemoryRecord& r = doc.Data().records[static_cast<std::size_t>(record)];
        for (int band = 0; band < MemoryRecord::kBands; ++band)
            r.bands[static_cast<std::size_t>(band)] = static_cast<std::uint8_t>(190 - 3 * band + record % 7);
        r.bands[0] = 0;  // a band below range in every record
        r.wideband = 170;
        r.refCode = 60;
        r.mode = 1 | (5 << 4);
        doc.SetComment(record, "Office " + std::to_string(record + 1) + "\r\nsecond floor, by the window");
    }
}

void ChartRedraw30Records(benchmark::State& state)
{
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    FillSurvey(doc);
    SpectrumChartChoice choice;
    for (int record = 1; record < SpectrumFile::kRecords; ++record)
        choice.ticked.push_back(record);
    const double ratio = static_cast<double>(state.range(0));
    QImage window(static_cast<int>(1920 * ratio), static_cast<int>(1080 * ratio), QImage::Format_RGB32);
    window.setDevicePixelRatio(ratio);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    for (auto _ : state) {
        // What a repaint after a change does: the chart made anew and painted.
        const FrequencyChart::Chart chart = SpectrumChartData::MakeChart(doc, choice);
        QPainter painter(&window);
        FrequencyChart::Paint(painter, chart, QRectF(0, 0, 1920, 1080), font);
        painter.end();
        benchmark::DoNotOptimize(window.constBits());
    }
}
BENCHMARK(ChartRedraw30Records)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void SurveyReport30Records(benchmark::State& state)
{
    Profile().SetPath({});
    Settings() = ProgramSettings{};
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    FillSurvey(doc);
    std::vector<int> records;
    std::string error;
    SurveyReport::Records(doc, {}, records, error);
    const std::string path = "/tmp/bench_analysis_" + std::to_string(::getpid()) + ".pdf";
    for (auto _ : state)
        if (!SurveyReport::Write(doc, records, path, SurveyReport::DefaultPage(), error))
            state.SkipWithError(error.c_str());
    struct stat info {};
    ::stat(path.c_str(), &info);
    state.counters["bytes"] = static_cast<double>(info.st_size);
    ::unlink(path.c_str());
}
BENCHMARK(SurveyReport30Records)->Unit(benchmark::kMillisecond);

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
