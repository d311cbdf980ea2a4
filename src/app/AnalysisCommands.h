#pragma once

#include "app/CommandTarget.h"

#include <QPointer>

class CMainFrm;
class PagePrinter;
class SpectrumChartWindow;
struct AppServices;

// The commands on a survey's records as a whole: the Spectrum Chart, the
// survey report, Average Records (one undoable step) and Sound Insulation.
class AnalysisCommands : public CommandTarget {
public:
    AnalysisCommands(AppServices& services, CMainFrm& frame, PagePrinter& printer);
    ~AnalysisCommands() override;

    std::optional<CommandState> QueryCommand(int id) override;
    void RunCommand(int id) override;

    // The chart window, null until it is first opened.
    SpectrumChartWindow* Chart() const;

private:
    void ToggleChart();
    void ExportReport();
    void AverageRecords();
    void SoundInsulation();

    AppServices& m_services;
    CMainFrm& m_frame;
    PagePrinter& m_printer;
    // A window of the frame, which takes it along when it goes.
    QPointer<SpectrumChartWindow> m_chart;
    // What the dialogs proposed last: the user's last choice.
    QString m_averageRecords;
    int m_insulationRecords[3] = {1, 2, 0};
    QString m_insulationTimes;
};
