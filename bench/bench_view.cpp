// The spectrum view: stepping to the next record (the graph composed, the
// whole view repainted) with all 30 records in use and every trace shown,
// and the memory one open view takes.

#include "app/AppServices.h"
#include "app/CMainVue.h"
#include "app/CommandIds.h"
#include "app/FileDialogs.h"
#include "app/QtUserInterface.h"
#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "link/CCommsDlg.h"

#include <QApplication>
#include <QCheckBox>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

namespace {

constexpr int kViewsMeasured = 20;

// All 30 records in use with NC-40 and a comment.
void FillDocument(CMainDoc& doc)
{
    doc.OnNewDocument();
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

long ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * 4096;
}

struct Program {
    QtUserInterface ui;
    QtFileDialogs dialogs;
    CCommsDlg comms{ui};
    AppServices services{ui, dialogs, comms};
};

void StepToTheNextRecord(benchmark::State& state)
{
    Program program;
    CMainDoc doc(program.ui);
    FillDocument(doc);
    CMainVue view(doc, program.services);
    view.resize(view.FormSize());
    view.show();
    // Every other record behind the selected one: the most a step draws.
    view.findChild<QCheckBox*>(QStringLiteral("multi"))->click();
    QApplication::processEvents();
    for (auto _ : state) {
        view.RunCommand(CommandId::NextRecord);
        view.repaint();
    }
}
BENCHMARK(StepToTheNextRecord)->Unit(benchmark::kMicrosecond);

void MemoryOfOneView(benchmark::State& state)
{
    Program program;
    CMainDoc doc(program.ui);
    FillDocument(doc);
    long perView = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<CMainVue>> views;
        const long before = ResidentBytes();
        for (int i = 0; i < kViewsMeasured; ++i) {
            views.push_back(std::make_unique<CMainVue>(doc, program.services));
            views.back()->resize(views.back()->FormSize());
            views.back()->show();
        }
        QApplication::processEvents();
        perView = (ResidentBytes() - before) / kViewsMeasured;
    }
    state.counters["bytes_per_view"] = static_cast<double>(perView);
}
BENCHMARK(MemoryOfOneView)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

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
