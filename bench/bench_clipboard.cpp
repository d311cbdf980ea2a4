// PRX export of a full file, import of a full PRX file, and the clipboard
// text of all 30 records in layout 33 ("dB+3text").

#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "data/RecordText.h"
#include "data/UserInterface.h"

#include <benchmark/benchmark.h>
#include <string>
#include <unistd.h>

namespace {

// Answers nothing and keeps only the last clipboard text.
class QuietUserInterface : public UserInterface {
public:
    void Tell(const std::string&, Icon) override {}
    bool AskYesNo(const std::string&, Icon, Question) override { return false; }
    void ShowProgress(const std::string&) override {}
    void Repaint() override {}
    void RefreshAllViews() override {}
    void SetWaitCursor(bool) override {}
    bool SetClipboardText(const std::string& text) override
    {
        m_strClipboard = text;
        return true;
    }
    const std::string& Clipboard() const { return m_strClipboard; }

protected:
    void SoundBeep() override {}

private:
    std::string m_strClipboard;
};

// A document with 30 records in use, every one with a comment.
void FillDocument(CMainDoc& doc)
{
    Profile().SetPath({});
    Settings() = ProgramSettings{};
    doc.OnNewDocument();
    for (int record = 0; record < SpectrumFile::kRecords; ++record) {
        MemoryRecord& r = doc.Data().records[static_cast<std::size_t>(record)];
        for (int band = 0; band < MemoryRecord::kBands; ++band)
            r.bands[static_cast<std::size_t>(band)] = static_cast<std::uint8_t>(120 + band + record);
        r.wideband = static_cast<std::uint8_t>(90 + record);
        r.mode = 1 | (4 << 4);
        doc.SetComment(record, "Measurement " + std::to_string(record + 1) + "\nplant room, north wall");
    }
}

std::string TempPath(const char* name)
{
    return "/tmp/bench_clipboard_" + std::to_string(::getpid()) + name;
}

void ExportPrx(benchmark::State& state)
{
    QuietUserInterface ui;
    CMainDoc doc(ui);
    FillDocument(doc);
    const std::string path = TempPath(".prx");
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.ExportText(TextFileKind::kPrx, path));
    ::unlink(path.c_str());
}
BENCHMARK(ExportPrx)->Unit(benchmark::kMicrosecond);

void ImportPrx(benchmark::State& state)
{
    QuietUserInterface ui;
    CMainDoc doc(ui);
    FillDocument(doc);
    const std::string path = TempPath(".prx");
    doc.ExportText(TextFileKind::kPrx, path);
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.OnImport(path));
    ::unlink(path.c_str());
}
BENCHMARK(ImportPrx)->Unit(benchmark::kMicrosecond);

void ClipTextAllRecords(benchmark::State& state)
{
    QuietUserInterface ui;
    CMainDoc doc(ui);
    FillDocument(doc);
    Settings().Clipfmat = ClipFormat::kDbText;
    for (auto _ : state) {
        benchmark::DoNotOptimize(doc.CopyRecords(0, SpectrumFile::kRecords));
        benchmark::DoNotOptimize(ui.Clipboard().data());
    }
}
BENCHMARK(ClipTextAllRecords)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
