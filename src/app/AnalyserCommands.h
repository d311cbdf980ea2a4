#pragma once

#include "app/CommandTarget.h"
#include "link/AnalyserLog.h"

#include <memory>

class AnalyserLogWindow;
class AnalyserWindow;
class CMainFrm;
class CMainVue;
class DemoAnalyser;
class ExchangeProgressDialog;
class PagePrinter;
struct AppServices;

// The commands of the analyser and of the printed page, for the whole
// program: Connect (the analyser window), Program Options, Printing
// Options, Print Setup, Print, print direct, Print Preview, the bitmap and
// page exports and the analyser log. It also covers every exchange with the
// progress dialog, refuses closing while one runs, and in a demo run
// attaches the simulated analyser.
class AnalyserCommands : public CommandTarget {
public:
    AnalyserCommands(AppServices& services, CMainFrm& frame);
    ~AnalyserCommands() override;

    std::optional<CommandState> QueryCommand(int id) override;
    void RunCommand(int id) override;

    AnalyserWindow* Window() const { return m_window.get(); }
    ExchangeProgressDialog& Progress() const { return *m_progress; }
    PagePrinter& Printer() const { return *m_printer; }
    AnalyserLog& Log() { return m_log; }
    AnalyserLogWindow* LogWindow() const { return m_logWindow.get(); }

private:
    void ToggleWindow();
    void ProgramOptions();
    void PrintingOptions();
    void ExportBitmap(int graphOnly);
    void ExportPage();
    void ShowLog();

    AppServices& m_services;
    CMainFrm& m_frame;
    std::unique_ptr<DemoAnalyser> m_demo;
    AnalyserLog m_log;
    std::unique_ptr<ExchangeProgressDialog> m_progress;
    std::unique_ptr<AnalyserWindow> m_window;
    std::unique_ptr<PagePrinter> m_printer;
    std::unique_ptr<AnalyserLogWindow> m_logWindow;
};
