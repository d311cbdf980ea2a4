// The desktop program's everyday costs, on the offscreen platform: opening
// one more document (read, window made, shown and painted), switching
// between 20 open document windows (the next one activated and painted) and
// the frame's idle update.

#include "app/CMainApp.h"
#include "app/CMainChd.h"
#include "app/CMainClient.h"
#include "app/CMainFrm.h"
#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "sim/TalvekAnalyser.h"
#include "support/ScriptedUserInterface.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A private folder with the settings (no start dialog), the recovery copies
// and files holding the simulator's 30 measurements.
class Desktop {
public:
    explicit Desktop(int files)
    {
        std::string pattern = "/tmp/bench_desktop_XXXXXX";
        m_folder = ::mkdtemp(pattern.data());
        ::setenv("XDG_STATE_HOME", m_folder.c_str(), 1);
        std::ofstream(m_folder + "/TV7W.ini") << "[Settings]\r\nSplashscreen=0\r\n";
        Profile().SetPath(m_folder + "/TV7W.ini");
        ScriptedUserInterface ui;
        CMainDoc document(ui);
        document.OnNewDocument();
        const TalvekAnalyser analyser;
        for (int record = 0; record < SpectrumFile::kRecords; ++record)
            document.Data().records[static_cast<std::size_t>(record)] = analyser.Memory(record);
        for (int i = 0; i < files; ++i) {
            m_files.push_back(QString::fromStdString(m_folder + "/site" + std::to_string(i) + ".spc"));
            document.OnSaveDocument(m_files.back().toStdString());
        }
        app = std::make_unique<CMainApp>(CMainApp::Options{});
        app->InitInstance();
        QApplication::processEvents();
    }
    ~Desktop()
    {
        app.reset();
        Profile().SetPath({});
        std::filesystem::remove_all(m_folder);
    }

    const QString& File(int i) const { return m_files[static_cast<std::size_t>(i)]; }

    std::unique_ptr<CMainApp> app;

private:
    std::string m_folder;
    std::vector<QString> m_files;
};

void OpenOneMoreDocument(benchmark::State& state)
{
    Desktop desktop(2);
    desktop.app->Documents().OpenDocumentFile(desktop.File(0));
    QApplication::processEvents();
    for (auto _ : state) {
        CMainDoc* document = desktop.app->Documents().OpenDocumentFile(desktop.File(1));
        QApplication::processEvents();
        state.PauseTiming();
        desktop.app->Documents().Close(*document);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenOneMoreDocument)->Unit(benchmark::kMillisecond);

void SwitchBetween20Documents(benchmark::State& state)
{
    Desktop desktop(20);
    for (int i = 0; i < 20; ++i)
        desktop.app->Documents().OpenDocumentFile(desktop.File(i));
    QApplication::processEvents();
    const std::vector<CMainChd*> windows = desktop.app->Frame().Children();
    std::size_t next = 0;
    for (auto _ : state) {
        desktop.app->Frame().Client().setActiveSubWindow(windows[next]);
        QApplication::processEvents();
        next = (next + 7) % windows.size();  // not always the neighbour
    }
}
BENCHMARK(SwitchBetween20Documents)->Unit(benchmark::kMillisecond);

// What the frame does four times a second while the program is idle: menu
// and toolbar states and the window titles brought up to date.
void IdleUpdateWith20Documents(benchmark::State& state)
{
    Desktop desktop(20);
    for (int i = 0; i < 20; ++i)
        desktop.app->Documents().OpenDocumentFile(desktop.File(i));
    QApplication::processEvents();
    for (auto _ : state) {
        desktop.app->Frame().UpdateCommandStates();
        QApplication::processEvents();
    }
}
BENCHMARK(IdleUpdateWith20Documents)->Unit(benchmark::kMicrosecond);

}  // namespace
