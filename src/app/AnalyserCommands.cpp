#include "app/AnalyserCommands.h"

#include "app/AnalyserLogWindow.h"
#include "app/AnalyserWindow.h"
#include "app/AppServices.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/COptionsDlg.h"
#include "app/CommandIds.h"
#include "app/DemoAnalyser.h"
#include "app/EventLoopSleeper.h"
#include "app/ExchangeProgressDialog.h"
#include "app/FileDialogs.h"
#include "app/PagePrinter.h"
#include "app/PrintingOptionsDialog.h"
#include "app/QtFontChooser.h"
#include "app/QtUserInterface.h"
#include "app/StatusTexts.h"
#include "data/CMainDoc.h"
#include "data/ProgramSettings.h"
#include "link/CCommsDlg.h"
#include "plot/ExportBitmap.h"
#include "plot/PageExport.h"

#include <QInputDialog>

namespace {

// The name proposed for an export of the document: its path with extension.
QString ProposedName(const CMainDoc& document, std::string_view extension)
{
    return QString::fromLocal8Bit(document.PathWithExtension(extension).c_str());
}

}  // namespace

AnalyserCommands::AnalyserCommands(AppServices& services, CMainFrm& frame)
    : m_services(services), m_frame(frame),
      m_progress(std::make_unique<ExchangeProgressDialog>(services.comms, EventLoopSleeper::Instance(),
                                                          services.ui, &frame)),
      m_printer(std::make_unique<PagePrinter>(services.ui, &frame))
{
    m_log.Attach(services.comms.Link());
    if (services.demo) {
        m_demo = std::make_unique<DemoAnalyser>();
        std::string error;
        if (!m_demo->Attach(services.comms.Link(), error)) {
            services.ui.Tell("The simulated analyser cannot start\r\n(" + error + ")",
                             UserInterface::Icon::Exclamation);
            m_demo.reset();
        }
    }
    services.ui.SetProgressSink([this](const QString& text) {
        m_progress->ShowText(text);
        if (m_window)
            m_window->ShowStatus(text);
    });
    services.ui.SetRepaintSink([this] {
        if (m_window && m_window->IsOpen())
            m_window->Repaint();
    });
    CCommsDlg& comms = services.comms;
    services.exchangeRunning = [&comms] { return comms.IsExchangeRunning(); };
}

AnalyserCommands::~AnalyserCommands()
{
    // The program ends: the window closes as the user would close it, so
    // its position is kept and the port left closed.
    if (m_window && m_window->IsOpen())
        m_window->close();
    m_services.ui.SetProgressSink(nullptr);
    m_services.ui.SetRepaintSink(nullptr);
    m_services.exchangeRunning = [] { return false; };
    m_logWindow.reset();
    m_window.reset();
    m_progress.reset();
    // The simulated analyser goes last: the link may still point at it.
    m_services.comms.Link().SetDevicePath({});
}

std::optional<CommandState> AnalyserCommands::QueryCommand(int id)
{
    const bool view = m_frame.ActiveView() != nullptr;
    switch (id) {
    case CommandId::Connect:
        return CommandState{true, m_window && m_window->IsOpen()};
    case CommandId::ProgramOptions:
    case CommandId::PrintingOptions:
    case CommandId::FilePrintSetup:
    case CommandId::AnalyserLog:
        return CommandState{};
    case CommandId::FilePrint:
    case CommandId::FilePrintDirect:
    case CommandId::FilePrintPreview:
    case CommandId::ExportBitmap:
    case CommandId::ExportBitmapGraphOnly:
    case CommandId::ExportPage:
        return CommandState{view};
    default:
        return std::nullopt;
    }
}

void AnalyserCommands::RunCommand(int id)
{
    CMainVue* view = m_frame.ActiveView();
    switch (id) {
    case CommandId::Connect:
        ToggleWindow();
        break;
    case CommandId::ProgramOptions:
        ProgramOptions();
        break;
    case CommandId::PrintingOptions:
        PrintingOptions();
        break;
    case CommandId::FilePrintSetup:
        m_printer->Setup();
        break;
    case CommandId::FilePrint:
    case CommandId::FilePrintDirect:
        if (view &&
            m_printer->Print(view->GetDocument(), view->SelectedMemory() - 1, id == CommandId::FilePrint))
            m_services.showStatus(StatusTexts::Printed(view->SelectedMemory(), m_printer->Printer()));
        break;
    case CommandId::FilePrintPreview:
        if (view)
            m_printer->Preview(view->GetDocument(), view->SelectedMemory() - 1);
        break;
    case CommandId::ExportBitmap:
    case CommandId::ExportBitmapGraphOnly:
        ExportBitmap(id == CommandId::ExportBitmapGraphOnly ? 1 : 0);
        break;
    case CommandId::ExportPage:
        ExportPage();
        break;
    case CommandId::AnalyserLog:
        ShowLog();
        break;
    default:
        break;
    }
}

void AnalyserCommands::ToggleWindow()
{
    if (m_window && m_window->IsOpen()) {
        m_window->close();
        return;
    }
    if (!m_window) {
        m_window =
            std::make_unique<AnalyserWindow>(m_services.comms, m_services.ui, m_demo != nullptr, &m_frame);
        m_window->onClosed = [this] { m_services.updateCommandStates(); };
    }
    m_window->Open(m_frame.ActiveView());
}

void AnalyserCommands::ProgramOptions()
{
    COptionsDlg dialog(m_services.comms, m_services.ui, &m_frame, m_demo != nullptr);
    dialog.exec();
}

void AnalyserCommands::PrintingOptions()
{
    QtFontChooser fonts(&m_frame);
    PrintingOptionsDialog dialog(m_services.ui, m_services.fileDialogs, fonts, &m_frame);
    dialog.exec();
}

void AnalyserCommands::ExportBitmap(int graphOnly)
{
    // The record of the window the user works in, whichever view of the
    // document was opened first.
    CMainVue* view = m_frame.ActiveView();
    if (view == nullptr)
        return;
    CMainDoc& document = view->GetDocument();
    FileDialogs::Request request;
    request.title = QStringLiteral("Save As");
    request.proposedName = ProposedName(document, "bmp");
    request.defaultSuffix = QStringLiteral("bmp");
    const std::optional<QString> path = m_services.fileDialogs.GetSaveFileName(request);
    if (!path)
        return;
    if (::ExportBitmap(document, view->SelectedMemory() - 1, path->toLocal8Bit().toStdString(), graphOnly) ==
        0)
        m_services.showStatus(StatusTexts::ExportedRecord(view->SelectedMemory(), *path));
}

void AnalyserCommands::ExportPage()
{
    CMainVue* view = m_frame.ActiveView();
    if (view == nullptr)
        return;
    CMainDoc& document = view->GetDocument();
    FileDialogs::Request request;
    request.title = QStringLiteral("Export Page");
    request.proposedName = ProposedName(document, "pdf");
    request.filters = PageExport::FileFilters();
    request.defaultSuffix = QStringLiteral("pdf");
    const std::optional<QString> path = m_services.fileDialogs.GetSaveFileName(request);
    if (!path)
        return;
    const std::string file = path->toLocal8Bit().toStdString();
    int dpi = PageExport::kDefaultPngDpi;
    if (PageExport::FormatOf(file) == PageExport::Format::Png) {
        bool ok = false;
        dpi = QInputDialog::getInt(&m_frame, QStringLiteral("Export Page"),
                                   QStringLiteral("Resolution (dots per inch):"), PageExport::kDefaultPngDpi,
                                   PageExport::kMinPngDpi, PageExport::kMaxPngDpi, 1, &ok);
        if (!ok)
            return;
    }
    WaitCursor wait(m_services.ui);
    std::string error;
    if (PageExport::Write(document, view->SelectedMemory() - 1, file, dpi, Settings().Plotgronly, error) !=
        0) {
        m_services.ui.Tell("Cannot export the page to " + file + "\r\n(" + error + ")",
                           UserInterface::Icon::Exclamation);
        return;
    }
    m_services.showStatus(StatusTexts::ExportedRecord(view->SelectedMemory(), *path));
}

void AnalyserCommands::ShowLog()
{
    if (!m_logWindow)
        m_logWindow =
            std::make_unique<AnalyserLogWindow>(m_log, m_services.ui, m_services.fileDialogs, &m_frame);
    m_logWindow->show();
    m_logWindow->raise();
    m_logWindow->activateWindow();
}
