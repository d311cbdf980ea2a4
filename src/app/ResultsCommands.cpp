#include "app/ResultsCommands.h"

#include "app/AppServices.h"
#include "app/BandTableWindow.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/CommandIds.h"
#include "app/FileDialogs.h"
#include "app/QtUserInterface.h"
#include "app/StatusTexts.h"
#include "app/WindowPlacement.h"
#include "data/CMainDoc.h"
#include "data/ResultsCsv.h"

#include <QFileInfo>
#include <QLocale>

char LocaleDecimalPoint()
{
    return QLocale().decimalPoint() == QLatin1String(",") ? ',' : '.';
}

ResultsCommands::ResultsCommands(AppServices& services, CMainFrm& frame)
    : m_services(services), m_frame(frame)
{}

ResultsCommands::~ResultsCommands() = default;

std::optional<CommandState> ResultsCommands::QueryCommand(int id)
{
    switch (id) {
    case CommandId::ViewBandTable:
        return CommandState{m_frame.ActiveView() != nullptr, m_bandTable && m_bandTable->isVisible()};
    case CommandId::ExportCsv:
        return CommandState{m_frame.ActiveView() != nullptr};
    default:
        return std::nullopt;
    }
}

void ResultsCommands::RunCommand(int id)
{
    if (id == CommandId::ViewBandTable)
        ToggleBandTable();
    else if (id == CommandId::ExportCsv)
        ExportCsv();
}

void ResultsCommands::ToggleBandTable()
{
    if (m_bandTable && m_bandTable->isVisible()) {
        m_bandTable->close();
        return;
    }
    if (!m_bandTable)
        m_bandTable = new BandTableWindow(m_frame, m_services.ui);
    WindowPlacement::PlaceBeside(*m_bandTable, m_frame, m_frame.ActiveView());
    m_bandTable->show();
    m_bandTable->raise();
    m_bandTable->activateWindow();
}

void ResultsCommands::ExportCsv()
{
    CMainVue* view = m_frame.ActiveView();
    if (view == nullptr)
        return;
    CMainDoc& document = view->GetDocument();
    const std::string& documentPath = document.GetPathName();
    const QFileInfo file(
        QString::fromLocal8Bit(documentPath.data(), static_cast<qsizetype>(documentPath.size())));
    FileDialogs::Request request;
    request.title = QStringLiteral("Export CSV");
    request.directory = file.path();
    request.proposedName = QString::fromLocal8Bit(document.PathWithExtension("csv").c_str());
    request.filters = {QStringLiteral("CSV (*.csv)")};
    request.defaultSuffix = QStringLiteral("csv");
    const std::optional<QString> path = m_services.fileDialogs.GetSaveFileName(request);
    if (!path || ExportResultsCsv(document, path->toLocal8Bit().toStdString(), LocaleDecimalPoint()) != 0)
        return;
    int inUse = 0;
    for (int record = 0; record < SpectrumFile::kRecords; ++record)
        inUse += document.IsRecordInUse(record) != 0 ? 1 : 0;
    m_services.showStatus(StatusTexts::ExportedRecords(inUse, *path));
}
