#pragma once

#include "app/CommandTarget.h"
#include "app/DocumentManager.h"

#include <QMainWindow>

#include <vector>

class CMainChd;
class CMainClient;
class CMainVue;
class QAction;
class QMenu;
class QTimer;
class RecentFileList;
struct AppServices;

// The main window: menus, toolbar, one-pane status bar and the client area
// with the document windows. Every command reaches the active view first,
// then its window, then the frame, then the application's targets.
class CMainFrm : public QMainWindow, public CommandTarget, public DocumentManager::Host {
public:
    CMainFrm(AppServices& services, DocumentManager& documents, RecentFileList& recent);
    ~CMainFrm() override;

    // Application-wide command targets, asked after the frame in this order.
    void AddCommandTarget(CommandTarget* target) { m_appTargets.push_back(target); }
    // Carries out command id if anything handles it and it is enabled.
    bool Dispatch(int id);
    // The state of command id; disabled when nothing handles it.
    CommandState StateOf(int id);
    // Brings every visible command's state and the window titles up to date.
    void UpdateCommandStates();

    CMainClient& Client() const { return *m_client; }
    CMainChd* ActiveChild() const;
    CMainVue* ActiveView() const;
    std::vector<CMainChd*> Children() const;
    // The action that gives command id from the active menu bar, or the
    // accelerator behind it (for tests and the help window).
    QAction* MenuAction(int id) const;

    void OpenWindowFor(CMainDoc& document) override;
    void ActivateWindowOf(CMainDoc& document) override;
    void CloseWindowsOf(CMainDoc& document) override;

    std::optional<CommandState> QueryCommand(int id) override;
    void RunCommand(int id) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* CommandAction(const QString& text, int id, QObject* owner);
    void AddItem(QMenu* menu, const char* text, int id);
    void BuildMenus();
    void BuildToolbar();
    void BuildAccelerators();
    void BuildStatusBar();
    QMenu* NewMenu(const char* title);
    void FillRecentFiles(QMenu* menu);
    void FillWindowList(QMenu* menu);
    void UpdateActions(const QList<QAction*>& actions);
    void ShowMenusFor(bool documentActive);
    void OpenRecentFile(int index);
    std::vector<CommandTarget*> Targets();

    AppServices& m_services;
    DocumentManager& m_documents;
    RecentFileList& m_recent;
    CMainClient* m_client;
    QToolBar* m_toolbar = nullptr;
    QTimer* m_idleTimer = nullptr;
    std::vector<CommandTarget*> m_appTargets;
    QList<QMenu*> m_noDocumentMenus;
    QList<QMenu*> m_documentMenus;
    bool m_documentMenusShown = true;
};
