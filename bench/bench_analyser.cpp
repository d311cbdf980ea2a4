// The analyser window's exchanges and printing.
//
// All30DownloadKeepsTheProgramAlive: a download of all 30 records from
// tv7sim in real-time mode (1022 bytes at 1200 bit/s, 8.52 s on the wire)
// through the desktop's event-loop pauses, while a 10 ms timer ticks.
// Counters: the longest gap between ticks (the longest the program stood
// still), the download's wall time and its ratio to the wire time.
// PrintPreview: the preview's page of an A4 printer at 300 dpi, rendered and
// painted through a print preview widget. PrintToPdf: one page printed to a
// PDF file (black and white, and greys). ExportPagePdf: the vector page.

#include "app/EventLoopSleeper.h"
#include "app/PagePrinter.h"
#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "link/CCommsDlg.h"
#include "plot/DrawDib.h"
#include "plot/PageExport.h"
#include "plot/PlotPage.h"
#include "plot/PrintLayout.h"
#include "sim/TalvekAnalyser.h"
#include "sim/TalvekSimulator.h"
#include "support/ScriptedUserInterface.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <chrono>
#include <thread>
#include <unistd.h>

namespace {

constexpr double kAllRecordsWireSeconds = 1022 * 10.0 / 1200.0;

std::string TempPath(const char* name)
{
    return "/tmp/tv7w-bench-" + std::to_string(::getpid()) + "-" + name;
}

// A document whose records all hold a measurement.
void FillDocument(CMainDoc& doc)
{
    doc.OnNewDocument();
    for (int r = 0; r < 30; ++r)
        doc.Data().records[static_cast<std::size_t>(r)] = TalvekAnalyser::BuiltInMeasurement(r);
}

void All30DownloadKeepsTheProgramAlive(benchmark::State& state)
{
    Settings() = ProgramSettings{};
    Settings().Sounds = 0;
    Settings().Journal = 0;
    Profile().SetPath({});
    for (auto _ : state) {
        TalvekSimulator simulator;
        std::string error;
        if (!simulator.Open(error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        simulator.SetRealtime(true);
        simulator.KeepLog(false);
        std::thread analyser([&] { simulator.Run(); });
        ScriptedUserInterface ui;
        CCommsDlg comms(ui, EventLoopSleeper::Instance());
        comms.Link().SetDevicePath(simulator.DevicePath());
        CMainDoc doc(ui);
        doc.OnNewDocument();

        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticker, &QTimer::timeout,
                         [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
        ticker.start(10);
        sinceTick.start();
        const auto start = std::chrono::steady_clock::now();
        const int result = comms.DownloadToFile(doc, CCommsDlg::kAllRecords, CCommsDlg::kAllRecords);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        longestGap = std::max(longestGap, sinceTick.elapsed());
        ticker.stop();
        simulator.Stop();
        analyser.join();
        if (result != 0) {
            state.SkipWithError("the download failed");
            return;
        }
        state.SetIterationTime(wall);
        state.counters["longest_gap_ms"] = static_cast<double>(longestGap);
        state.counters["wall_s"] = wall;
        state.counters["wire_s"] = kAllRecordsWireSeconds;
        state.counters["wall_to_wire"] = wall / kAllRecordsWireSeconds;
    }
}
BENCHMARK(All30DownloadKeepsTheProgramAlive)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

QPrinter& A4Printer()
{
    static QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(PagePrinter::kResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(TempPath("print.pdf")));
    return printer;
}

void PrintPreview(benchmark::State& state)
{
    Settings() = ProgramSettings{};
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    FillDocument(doc);
    QPrinter& printer = A4Printer();
    QPrintPreviewWidget preview(&printer);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&](QPrinter* target) {
        PlotPage page;
        PrintLayout layout;
        QString error;
        if (PagePrinter::RenderPage(page, layout, *target, doc, 0, true, error)) {
            QPainter painter(target);
            DrawDib(painter, page.Image(), 0, 0, layout.targetWidth, layout.targetHeight, 0, 0, 0, 0, 0);
        }
    });
    for (auto _ : state)
        preview.updatePreview();
}
BENCHMARK(PrintPreview)->Unit(benchmark::kMillisecond);

void PrintToPdf(benchmark::State& state)
{
    Settings() = ProgramSettings{};
    Settings().Plotgrey = static_cast<int>(state.range(0));
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    FillDocument(doc);
    PagePrinter printer(ui, nullptr);
    printer.Printer().setOutputFormat(QPrinter::PdfFormat);
    printer.Printer().setOutputFileName(QString::fromStdString(TempPath("print.pdf")));
    for (auto _ : state)
        if (!printer.Print(doc, 0, false))
            state.SkipWithError("nothing printed");
    std::remove(TempPath("print.pdf").c_str());
}
BENCHMARK(PrintToPdf)->ArgName("grey")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void ExportPagePdf(benchmark::State& state)
{
    Settings() = ProgramSettings{};
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    FillDocument(doc);
    std::string error;
    for (auto _ : state)
        if (PageExport::Write(doc, 0, TempPath("page.pdf"), 300, 0, error) != 0)
            state.SkipWithError(error.c_str());
    std::remove(TempPath("page.pdf").c_str());
}
BENCHMARK(ExportPagePdf)->Unit(benchmark::kMillisecond);

}  // namespace
