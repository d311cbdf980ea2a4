// The spectrum view: stepping to the next record (the graph composed, the
// whole view repainted) with all 30 records in use and every trace shown,
// and the memory one open view takes.

#include "app/AppServices.h"
#include "app/CMainVue.h"
#include "app/CommandIds.h"
#include "app/FileDialogs.h"
#include "app/QtUserInterface.h"
#include "data/CMainDoc.h"
#include "link/CCommsDlg.h"

#include <QApplication>
#include <QCheckBox>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>
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

// A size in /proc/self/status ("VmRSS:", "VmHWM:"), in bytes.
long StatusBytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == key) {
            long kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
    return 0;
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
    // The resident high-water mark over the steps beyond the memory resident
    // before them: a page-size image (megabytes) would show here.
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = StatusBytes("VmRSS:");
    for (auto _ : state) {
        view.RunCommand(CommandId::NextRecord);
        view.repaint();
    }
    state.counters["peak_growth_bytes"] = static_cast<double>(StatusBytes("VmHWM:") - before);
}
BENCHMARK(StepToTheNextRecord)->Unit(benchmark::kMicrosecond);

void MemoryOfOneView(benchmark::State& state)
{
    Program program;
    CMainDoc doc(program.ui);
    FillDocument(doc);
    long perView = 0;
    for (auto _ : state) {
        // The views share one window, as the document windows share the main window.
        QWidget window;
        window.resize(1280, 1024);
        window.show();
        QApplication::processEvents();
        std::vector<std::unique_ptr<CMainVue>> views;
        const long before = StatusBytes("VmRSS:");
        for (int i = 0; i < kViewsMeasured; ++i) {
            views.push_back(std::make_unique<CMainVue>(doc, program.services, &window));
            views.back()->resize(views.back()->FormSize());
            views.back()->show();
        }
        QApplication::processEvents();
        perView = (StatusBytes("VmRSS:") - before) / kViewsMeasured;
    }
    state.counters["bytes_per_view"] = static_cast<double>(perView);
}
BENCHMARK(MemoryOfOneView)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
