#include "app/AnalysisCommands.h"

#include "app/AppServices.h"
#include "app/AverageRecordsDlg.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/CommandIds.h"
#include "app/FileDialogs.h"
#include "app/PagePrinter.h"
#include "app/QtUserInterface.h"
#include "app/SoundInsulationDlg.h"
#include "app/SoundInsulationWindow.h"
#include "app/SpectrumChartWindow.h"
#include "data/CMainDoc.h"
#include "data/InsulationTable.h"
#include "data/RecordAverage.h"
#include "data/RecordList.h"
#include "plot/SurveyReport.h"

#include <QFileInfo>

AnalysisCommands::AnalysisCommands(AppServices& services, CMainFrm& frame, PagePrinter& printer)
    : m_services(services), m_frame(frame), m_printer(printer)
{}

AnalysisCommands::~AnalysisCommands() = default;

SpectrumChartWindow* AnalysisCommands::Chart() const
{
    return m_chart;
}

std::optional<CommandState> AnalysisCommands::QueryCommand(int id)
{
    switch (id) {
    case CommandId::ViewSpectrumChart:
        return CommandState{m_frame.ActiveView() != nullptr, m_chart && m_chart->isVisible()};
    case CommandId::ExportReport:
    case CommandId::AverageRecords:
    case CommandId::SoundInsulation:
        return CommandState{m_frame.ActiveView() != nullptr};
    default:
        return std::nullopt;
    }
}

void AnalysisCommands::RunCommand(int id)
{
    if (id == CommandId::ViewSpectrumChart)
        ToggleChart();
    else if (id == CommandId::ExportReport)
        ExportReport();
    else if (id == CommandId::AverageRecords)
        AverageRecords();
    else if (id == CommandId::SoundInsulation)
        SoundInsulation();
}

void AnalysisCommands::ToggleChart()
{
    if (m_chart && m_chart->isVisible()) {
        m_chart->close();
        return;
    }
    if (!m_chart)
        m_chart = new SpectrumChartWindow(m_frame, m_services);
    m_chart->show();
    m_chart->raise();
    m_chart->activateWindow();
}

void AnalysisCommands::ExportReport()
{
    CMainVue* view = m_frame.ActiveView();
    if (view == nullptr)
        return;
    CMainDoc& document = view->GetDocument();
    std::vector<int> records;
    std::string error;
    if (!SurveyReport::Records(document, {}, records, error)) {
        m_services.ui.Tell(error, UserInterface::Icon::Exclamation);
        return;
    }
    const QString proposed = QString::fromLocal8Bit(document.PathWithExtension("pdf").c_str());
    FileDialogs::Request request;
    request.title = QStringLiteral("Export Report");
    request.directory = QFileInfo(proposed).path();
    request.proposedName = QFileInfo(proposed).path() + QLatin1Char('/') +
                           QFileInfo(proposed).completeBaseName() + QStringLiteral(" report.pdf");
    request.filters = {QStringLiteral("PDF (*.pdf)")};
    request.defaultSuffix = QStringLiteral("pdf");
    const std::optional<QString> path = m_services.fileDialogs.GetSaveFileName(request);
    if (!path)
        return;
    const std::string file = path->toLocal8Bit().toStdString();
    WaitCursor wait(m_services.ui);
    // The report is laid out for the printer's paper, as Print would print it.
    if (!SurveyReport::Write(document, records, file, m_printer.Printer().pageLayout(), error))
        m_services.ui.Tell("Cannot export the report to " + file + "\r\n(" + error + ")",
                           UserInterface::Icon::Exclamation);
}

void AnalysisCommands::AverageRecords()
{
    CMainVue* view = m_frame.ActiveView();
    if (view == nullptr)
        return;
    CMainDoc& document = view->GetDocument();
    // The average goes into the first empty record unless the user says
    // otherwise: no measurement is overwritten by accident.
    AverageRecordsDlg::Choice proposed{m_averageRecords, view->SelectedMemory()};
    for (int record = SpectrumFile::kRecords - 1; record >= 0; --record)
        if (document.IsRecordInUse(record) == 0)
            proposed.target = record + 1;
    AverageRecordsDlg dialog(proposed, &m_frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const AverageRecordsDlg::Choice chosen = dialog.Chosen();
    m_averageRecords = chosen.records;
    std::vector<int> records;
    if (const RecordListError error = ParseRecordList(chosen.records.toStdString(), records);
        error != RecordListError::kNone) {
        m_services.ui.Tell(RecordListErrorText(error), UserInterface::Icon::Exclamation);
        return;
    }
    SurveyError error;
    {
        DocumentEdit edit(document, "Average");
        error = StoreAverage(document, records, chosen.target - 1);
    }
    if (error) {
        m_services.ui.Tell(SurveyErrorText(error), UserInterface::Icon::Exclamation);
        return;
    }
    // The new record shows at once, in the view and the chart.
    document.UpdateAllViews(nullptr);
    view->SetSelectedMemory(chosen.target);
}

void AnalysisCommands::SoundInsulation()
{
    CMainVue* view = m_frame.ActiveView();
    if (view == nullptr)
        return;
    CMainDoc& document = view->GetDocument();
    SoundInsulationDlg dialog(
        {m_insulationRecords[0], m_insulationRecords[1], m_insulationRecords[2], m_insulationTimes},
        &m_frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const SoundInsulationDlg::Choice chosen = dialog.Chosen();
    m_insulationRecords[0] = chosen.source;
    m_insulationRecords[1] = chosen.receive;
    m_insulationRecords[2] = chosen.background;
    m_insulationTimes = chosen.times;
    std::vector<double> times;
    if (!chosen.times.isEmpty() && !ParseReverberationTimes(chosen.times.toStdString(), times)) {
        m_services.ui.Tell("The reverberation time is one value in seconds, or 16 values separated by commas",
                           UserInterface::Icon::Exclamation);
        return;
    }
    InsulationResults results;
    if (const SurveyError error = ComputeInsulation(document.Data(), chosen.source - 1, chosen.receive - 1,
                                                    chosen.background - 1, times, results)) {
        m_services.ui.Tell(SurveyErrorText(error), UserInterface::Icon::Exclamation);
        return;
    }
    auto* window = new SoundInsulationWindow(results, QString::fromLocal8Bit(document.GetPathName().c_str()),
                                             m_services, m_printer, &m_frame);
    window->show();
    window->raise();
    window->activateWindow();
}
