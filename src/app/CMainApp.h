#pragma once

#include "app/AppServices.h"
#include "app/CommandTarget.h"
#include "app/DocumentManager.h"
#include "app/FileDialogs.h"
#include "app/QtUserInterface.h"
#include "data/RecentFileList.h"
#include "data/SettingsKeeper.h"
#include "link/CCommsDlg.h"

#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>

class AnalyserCommands;
class CMainFrm;
class CrashRecovery;
class HelpWindow;
class ResultsCommands;
class AnalysisCommands;

// The application: settings in and out, the main window, the command line,
// the start dialog, and the commands that need no document (New, Open,
// About, Help).
class CMainApp : public CommandTarget {
public:
    struct Options {
        QString file;  // a spectrum data file to open at start
        bool demo = false;
    };

    // Reads the program's arguments (without the program name): one optional
    // file and --demo. Nothing, with error set, for anything else.
    static std::optional<Options> ParseCommandLine(const QStringList& arguments, QString& error);

    // File dialogs may be the test's; the real ones otherwise.
    explicit CMainApp(const Options& options, FileDialogs* fileDialogs = nullptr);
    ~CMainApp() override;

    // Settings, the main window, the command line's file, the start dialog:
    // false when the program is to end at once.
    bool InitInstance();
    // Writes the settings and the recent-file list (which are also written
    // within a second of every change while the program runs).
    void ExitInstance();

    // Asks for a spectrum data file and opens it, remembering its folder.
    void OpenDataFileDialog();

    CMainFrm& Frame() const { return *m_frame; }
    DocumentManager& Documents() { return m_documents; }
    RecentFileList& RecentFiles() { return m_recent; }
    AppServices& Services() { return m_services; }
    AnalyserCommands& Analyser() const { return *m_analyser; }
    AnalysisCommands& Analysis() const { return *m_analysis; }
    QtUserInterface& Ui() { return m_ui; }
    // Null until InitInstance has started keeping copies of unsaved documents.
    CrashRecovery* Recovery() const { return m_recovery.get(); }

    std::optional<CommandState> QueryCommand(int id) override;
    void RunCommand(int id) override;

private:
    void RefreshAllViews();

    Options m_options;
    QtUserInterface m_ui;
    QtFileDialogs m_qtFileDialogs;
    FileDialogs& m_fileDialogs;
    CCommsDlg m_comms;
    AppServices m_services;
    RecentFileList m_recent;
    SettingsKeeper m_keeper;
    QTimer m_keepTimer;
    DocumentManager m_documents;
    std::unique_ptr<CMainFrm> m_frame;
    std::unique_ptr<AnalyserCommands> m_analyser;
    std::unique_ptr<HelpWindow> m_help;
    std::unique_ptr<CrashRecovery> m_recovery;
    std::unique_ptr<ResultsCommands> m_results;
    std::unique_ptr<AnalysisCommands> m_analysis;
};
