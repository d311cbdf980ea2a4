#include "app/CMainApp.h"

#include "app/AnalyserCommands.h"
#include "app/AnalysisCommands.h"
#include "app/CAboutDlg.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/CStartDlg.h"
#include "app/CommandIds.h"
#include "app/CrashRecovery.h"
#include "app/EventLoopSleeper.h"
#include "app/HelpWindow.h"
#include "app/ResourcePicture.h"
#include "app/ResultsCommands.h"
#include "app/WindowPlacement.h"
#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

namespace {

constexpr int kProgramIcon = 31234;
// Changed settings reach the profile file within this time.
constexpr int kKeepIntervalMs = 1000;

QString Local(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

// The folder of a chosen file, with its final separator; empty when the path
// names no folder.
QString FolderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QString() : path.left(slash + 1);
}

}  // namespace

std::optional<CMainApp::Options> CMainApp::ParseCommandLine(const QStringList& arguments, QString& error)
{
    Options options;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--demo")) {
            options.demo = true;
        } else if (argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-")) {
            error = QStringLiteral("unknown option %1").arg(argument);
            return std::nullopt;
        } else if (!options.file.isEmpty()) {
            error = QStringLiteral("only one file can be named");
            return std::nullopt;
        } else {
            options.file = argument;
        }
    }
    return options;
}

CMainApp::CMainApp(const Options& options, FileDialogs* fileDialogs)
    : m_options(options), m_fileDialogs(fileDialogs ? *fileDialogs : m_qtFileDialogs),
      m_comms(m_ui, EventLoopSleeper::Instance()), m_services{m_ui, m_fileDialogs, m_comms, options.demo},
      m_keeper(Settings(), m_recent), m_documents(m_ui, m_fileDialogs, m_recent)
{
    m_documents.SetSaveQuestion([this](const QString& name) {
        switch (m_ui.AskYesNoCancel(QStringLiteral("Save changes to %1?").arg(name))) {
        case QtUserInterface::Answer::Yes:
            return DocumentManager::SaveAnswer::Yes;
        case QtUserInterface::Answer::No:
            return DocumentManager::SaveAnswer::No;
        case QtUserInterface::Answer::Cancel:
            break;
        }
        return DocumentManager::SaveAnswer::Cancel;
    });
    m_ui.SetRefreshSink([this] { RefreshAllViews(); });
}

CMainApp::~CMainApp()
{
    // The windows go before the documents and services they show.
    m_help.reset();
    m_analyser.reset();
    m_frame.reset();
    m_recovery.reset();
}

bool CMainApp::InitInstance()
{
    if (Profile().Path().empty()) {
        const std::string profile = DefaultProfilePath();
        MigrateProfile(QCoreApplication::applicationFilePath().toLocal8Bit().toStdString(), profile);
        Profile().SetPath(profile);
    }
    m_recent.Load(Profile());
    Settings().LoadSettings(Profile());
    m_keeper.MarkWritten();
    // The recent-file list changes as documents open and save; the settings
    // in the dialogs that edit them.
    m_documents.AddChangeListener([this](CMainDoc*) { m_keeper.WriteChanges(Profile()); });
    QObject::connect(&m_keepTimer, &QTimer::timeout, &m_keepTimer,
                     [this] { m_keeper.WriteChanges(Profile()); });
    m_keepTimer.start(kKeepIntervalMs);

    m_frame = std::make_unique<CMainFrm>(m_services, m_documents, m_recent);
    m_frame->AddCommandTarget(this);
    m_analyser = std::make_unique<AnalyserCommands>(m_services, *m_frame);
    m_frame->AddCommandTarget(m_analyser.get());
    m_results = std::make_unique<ResultsCommands>(m_services, *m_frame);
    m_frame->AddCommandTarget(m_results.get());
    m_analysis = std::make_unique<AnalysisCommands>(m_services, *m_frame, m_analyser->Printer());
    m_frame->AddCommandTarget(m_analysis.get());
    QApplication::setWindowIcon(QIcon(ResourcePicture(kProgramIcon)));

    m_recovery = std::make_unique<CrashRecovery>(m_documents, m_ui);

    if (!m_options.file.isEmpty() && m_documents.OpenDocumentFile(m_options.file) == nullptr)
        return false;
    // The screen's size first: without a window manager nobody maximizes it,
    // and the windows that open beside a document need the room.
    m_frame->setGeometry(m_frame->screen()->availableGeometry());
    m_frame->showMaximized();
    const bool restored = m_recovery->OfferAbandoned(m_frame.get());

    if (!m_options.file.isEmpty() || restored || Settings().Splashscreen == 0)
        return true;
    CStartDlg start(m_frame.get());
    WindowPlacement::CentreOnScreen(start);
    start.exec();
    if (start.DontShowAgain()) {
        Settings().Splashscreen = 0;
        m_keeper.WriteChanges(Profile());
    }
    if (start.StartChoice() == CStartDlg::kOpenFile)
        OpenDataFileDialog();
    return start.StartChoice() != CStartDlg::kExit;
}

void CMainApp::ExitInstance()
{
    m_keepTimer.stop();
    m_keeper.WriteAll(Profile());
}

void CMainApp::OpenDataFileDialog()
{
    FileDialogs::Request request;
    request.title = QStringLiteral("Open Spectrum Data File");
    request.directory = Local(Profile().GetString(ProfileKeys::kSettings, ProfileKeys::kInitDocDir, ""));
    request.filters = {QStringLiteral("Spectrum Data (.spc) (*.spc)"), QStringLiteral("All (*)")};
    request.defaultSuffix = QStringLiteral("spc");
    const std::optional<QString> path = m_fileDialogs.GetOpenFileName(request);
    if (!path)
        return;
    Profile().WriteString(ProfileKeys::kSettings, ProfileKeys::kInitDocDir,
                          FolderOf(*path).toLocal8Bit().toStdString());
    m_documents.OpenDocumentFile(*path);
}

std::optional<CommandState> CMainApp::QueryCommand(int id)
{
    switch (id) {
    case CommandId::FileNew:
    case CommandId::FileOpen:
    case CommandId::AppAbout:
    case CommandId::Help:
        return CommandState{};
    default:
        return std::nullopt;
    }
}

void CMainApp::RunCommand(int id)
{
    switch (id) {
    case CommandId::FileNew:
        m_documents.NewDocument();
        break;
    case CommandId::FileOpen:
        OpenDataFileDialog();
        break;
    case CommandId::AppAbout: {
        CAboutDlg about(m_frame.get());
        about.exec();
        break;
    }
    case CommandId::Help:
        if (!m_help)
            m_help = std::make_unique<HelpWindow>();
        if (!m_help->isVisible())
            WindowPlacement::PlaceBeside(*m_help, *m_frame, m_frame->ActiveView());
        m_help->ShowContents();
        break;
    default:
        break;
    }
}

void CMainApp::RefreshAllViews()
{
    // Collected first: a view's repaint may not change the list under us.
    const std::vector<CMainDoc*> documents = m_documents.Documents();
    for (CMainDoc* document : documents)
        document->UpdateAllViews(nullptr, 0);
    m_services.updateCommandStates();
}
