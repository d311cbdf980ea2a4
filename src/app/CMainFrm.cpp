#include "app/CMainFrm.h"

#include "app/AppServices.h"
#include "app/CMainChd.h"
#include "app/CMainClient.h"
#include "app/CMainVue.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/ToolbarImages.h"
#include "data/CMainDoc.h"
#include "data/RecentFileList.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <map>

namespace {

using namespace CommandId;

constexpr int kIdleUpdateMs = 250;
const char* const kMruEndProperty = "tv7wMruEnd";
const char* const kMenuTextProperty = "tv7wMenuText";

int IdOf(const QAction* action)
{
    return action->data().isValid() ? action->data().toInt() : 0;
}

// The name of command id as its menu item reads, without the mnemonic, the
// key and the dots ("&Open...\tCtrl+O" is "Open"); empty when no menu has it.
QString MenuName(const QList<QMenu*>& menus, int id)
{
    for (const QMenu* menu : menus)
        for (const QAction* action : menu->actions()) {
            if (action->menu())
                if (QString name = MenuName({action->menu()}, id); !name.isEmpty())
                    return name;
            if (IdOf(action) == id) {
                QString name = action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
                return name.endsWith(QStringLiteral("...")) ? name.chopped(3) : name;
            }
        }
    return {};
}

}  // namespace

CMainFrm::CMainFrm(AppServices& services, DocumentManager& documents, RecentFileList& recent)
    : m_services(services), m_documents(documents), m_recent(recent), m_client(new CMainClient(this))
{
    setWindowTitle(QStringLiteral("TV7W"));
    setCentralWidget(m_client);
    setAcceptDrops(true);
    BuildMenus();
    BuildToolbar();
    BuildAccelerators();
    BuildStatusBar();
    ShowMenusFor(false);
    m_documents.SetHost(this);
    m_services.updateCommandStates = [this] { UpdateCommandStates(); };
    m_services.showStatus = [this](const QString& text) { statusBar()->showMessage(text); };

    connect(m_client, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) { UpdateCommandStates(); });
    // Titles and toolbar follow the documents while the program is idle.
    m_idleTimer = new QTimer(this);
    connect(m_idleTimer, &QTimer::timeout, this, [this] { UpdateCommandStates(); });
    m_idleTimer->start(kIdleUpdateMs);
}

CMainFrm::~CMainFrm()
{
    // The document windows go with the frame: nothing may ask it for states
    // while it is half gone.
    disconnect(m_client, nullptr, this, nullptr);
    m_services.updateCommandStates = [] {};
    m_services.showStatus = [](const QString&) {};
    m_documents.SetHost(nullptr);
}

QAction* CMainFrm::CommandAction(const QString& text, int id, QObject* owner)
{
    auto* action = new QAction(text, owner);
    action->setData(id);
    action->setStatusTip(CommandTable::StatusPrompt(id));
    connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
    return action;
}

void CMainFrm::AddItem(QMenu* menu, const char* text, int id)
{
    menu->addAction(CommandAction(QString::fromLatin1(text), id, menu));
}

QMenu* CMainFrm::NewMenu(const char* title)
{
    auto* menu = new QMenu(QString::fromLatin1(title), this);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateActions(menu->actions()); });
    return menu;
}

void CMainFrm::BuildMenus()
{
    auto recentFiles = [this](QMenu* file) {
        // The recent files come between these two separators.
        file->addSeparator();
        AddItem(file, "Recent File", FileMruFirst);
        file->setProperty(kMruEndProperty, QVariant::fromValue(file->addSeparator()));
        connect(file, &QMenu::aboutToShow, this, [this, file] { FillRecentFiles(file); });
    };

    // No document open.
    QMenu* file = NewMenu("&File");
    AddItem(file, "&New\tCtrl+N", FileNew);
    AddItem(file, "&Open...\tCtrl+O", FileOpen);
    file->addSeparator();
    AddItem(file, "P&rint Setup...", FilePrintSetup);
    recentFiles(file);
    AddItem(file, "E&xit", AppExit);
    QMenu* view = NewMenu("&View");
    AddItem(view, "&Toolbar", ViewToolbar);
    AddItem(view, "&Status Bar", ViewStatusBar);
    AddItem(view, "Analyser &Log", AnalyserLog);
    QMenu* general = NewMenu("&General");
    AddItem(general, "&About TV7W...", AppAbout);
    AddItem(general, "Pro&gram Options", ProgramOptions);
    AddItem(general, "P&rint Options", PrintingOptions);
    AddItem(general, "&Help", Help);
    m_noDocumentMenus = {file, view, general};

    // A document window active.
    file = NewMenu("&File");
    AddItem(file, "&New\tCtrl+N", FileNew);
    AddItem(file, "&Open...\tCtrl+O", FileOpen);
    AddItem(file, "&Close\tCtl+L", FileClose);
    AddItem(file, "&Save\tCtrl+S", FileSave);
    AddItem(file, "Save &As...", FileSaveAs);
    file->addSeparator();
    QMenu* exportMenu = NewMenu("&Export");
    AddItem(exportMenu, "PRN", ExportPrn);
    AddItem(exportMenu, "PRX", ExportPrx);
    AddItem(exportMenu, "CSV", ExportCsv);
    AddItem(exportMenu, "Bitmap (graph and text)", ExportBitmap);
    AddItem(exportMenu, "Bitmap (graph only)", ExportBitmapGraphOnly);
    AddItem(exportMenu, "Page (PDF, SVG, PNG)...", ExportPage);
    file->addMenu(exportMenu);
    AddItem(file, "Export &Report...", ExportReport);
    AddItem(file, "&Import", Import);
    file->addSeparator();
    AddItem(file, "&Print...\tCtrl+P", FilePrint);
    AddItem(file, "Print &Direct", FilePrintDirect);
    AddItem(file, "Print Pre&view", FilePrintPreview);
    AddItem(file, "P&rint Setup...", FilePrintSetup);
    AddItem(file, "Printing Options", PrintingOptions);
    recentFiles(file);
    AddItem(file, "E&xit", AppExit);
    QMenu* edit = NewMenu("&Edit");
    AddItem(edit, "&Undo\tCtrl+Z", EditUndo);
    AddItem(edit, "&Redo\tCtrl+Y", EditRedo);
    edit->addSeparator();
    AddItem(edit, "Cu&t\tCtrl+X", EditCut);
    AddItem(edit, "&Copy\tCtrl+C", EditCopy);
    AddItem(edit, "&Paste\tCtrl+V", EditPaste);
    AddItem(edit, "Copy &all", EditCopyAll);
    AddItem(edit, "&Modify Entries", ModifyEntries);
    view = NewMenu("&View");
    AddItem(view, "&Toolbar", ViewToolbar);
    AddItem(view, "&Status Bar", ViewStatusBar);
    AddItem(view, "Analyser &Log", AnalyserLog);
    AddItem(view, "&Resize View", ResizeView);
    AddItem(view, "&Band Table", ViewBandTable);
    AddItem(view, "Spectrum &Chart", ViewSpectrumChart);
    QMenu* analysis = NewMenu("&Analysis");
    AddItem(analysis, "&Average Records...", AverageRecords);
    AddItem(analysis, "&Sound Insulation...", SoundInsulation);
    QMenu* window = NewMenu("&Window");
    AddItem(window, "&New Window", WindowNew);
    AddItem(window, "&Cascade", WindowCascade);
    AddItem(window, "&Tile", WindowTile);
    AddItem(window, "&Arrange Icons", WindowArrange);
    connect(window, &QMenu::aboutToShow, this, [this, window] { FillWindowList(window); });
    QMenu* talvek = NewMenu("&TALVEK 7");
    AddItem(talvek, "&Connect\tCtl+A", Connect);
    QMenu* help = NewMenu("&Help");
    AddItem(help, "&About TV7W...", AppAbout);
    AddItem(help, "Program Options", ProgramOptions);
    AddItem(help, "Printing Options", PrintingOptions);
    AddItem(help, "&Help", Help);
    m_documentMenus = {file, edit, view, analysis, window, talvek, help};
}

void CMainFrm::BuildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("toolbar"));
    m_toolbar->setIconSize(ToolbarImages::kImageSize);
    const ToolbarImages images;
    for (int id : CommandTable::ToolbarLayout()) {
        if (id == 0) {
            m_toolbar->addSeparator();
            continue;
        }
        QAction* action = CommandAction(QString(), id, m_toolbar);
        action->setIcon(images.Icon(CommandTable::Find(id).toolbarImage));
        action->setToolTip(CommandTable::ToolTip(id));
        // The button shows only its picture; a screen reader says the command's name.
        const QString name = MenuName(m_documentMenus, id);
        action->setIconText(name.isEmpty() ? CommandTable::ToolTip(id) : name);
        action->setCheckable(id == Connect);
        m_toolbar->addAction(action);
    }
}

void CMainFrm::BuildAccelerators()
{
    // The keys live on actions of the frame itself, so they work whichever
    // menu bar is shown; the menus only show their labels.
    for (int id : CommandTable::CommandsWithAccelerators()) {
        QAction* action = CommandAction(QString(), id, this);
        action->setShortcuts(CommandTable::Accelerators(id));
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
}

void CMainFrm::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(true);
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& text) {
        if (text.isEmpty())
            bar->showMessage(QStringLiteral("Ready"));
    });
    bar->showMessage(QStringLiteral("Ready"));
}

void CMainFrm::ShowMenusFor(bool documentActive)
{
    if (documentActive == m_documentMenusShown)
        return;
    m_documentMenusShown = documentActive;
    menuBar()->clear();
    for (QMenu* menu : documentActive ? m_documentMenus : m_noDocumentMenus)
        menuBar()->addMenu(menu);
}

void CMainFrm::FillRecentFiles(QMenu* menu)
{
    for (QAction* action : menu->actions())
        if (IdOf(action) >= FileMruFirst && IdOf(action) <= FileMruLast)
            menu->removeAction(action), action->deleteLater();
    auto* end = menu->property(kMruEndProperty).value<QAction*>();
    const auto& files = m_recent.Files();
    if (files.empty()) {
        QAction* placeholder = CommandAction(QStringLiteral("Recent File"), FileMruFirst, menu);
        placeholder->setEnabled(false);
        menu->insertAction(end, placeholder);
        return;
    }
    for (int i = 0; i < static_cast<int>(files.size()); ++i) {
        const QString path = QString::fromLocal8Bit(files[i].data(), static_cast<qsizetype>(files[i].size()));
        QString shown = path;
        shown.replace(QStringLiteral("&"), QStringLiteral("&&"));
        menu->insertAction(
            end, CommandAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), FileMruFirst + i, menu));
    }
}

void CMainFrm::FillWindowList(QMenu* menu)
{
    for (QAction* action : menu->actions())
        if (action->property("tv7wWindow").isValid())
            menu->removeAction(action), action->deleteLater();
    const QList<QMdiSubWindow*> windows = m_client->subWindowList();
    if (windows.isEmpty())
        return;
    QAction* separator = menu->addSeparator();
    separator->setProperty("tv7wWindow", true);
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QString title = window->windowTitle().remove(QStringLiteral("[*]"));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(number++).arg(title), menu);
        action->setProperty("tv7wWindow", true);
        action->setCheckable(true);
        action->setChecked(window == m_client->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, window] { m_client->setActiveSubWindow(window); });
        menu->addAction(action);
    }
}

void CMainFrm::UpdateActions(const QList<QAction*>& actions)
{
    std::map<int, CommandState> states;
    for (QAction* action : actions) {
        const int id = IdOf(action);
        if (id == 0 || (id >= FileMruFirst && id <= FileMruLast))
            continue;
        auto known = states.find(id);
        if (known == states.end())
            known = states.emplace(id, StateOf(id)).first;
        action->setEnabled(known->second.enabled);
        // Menu items may change their text with the state; the toolbar keeps its pictures.
        if (!action->text().isEmpty()) {
            if (!action->property(kMenuTextProperty).isValid())
                action->setProperty(kMenuTextProperty, action->text());
            action->setText(known->second.text.isEmpty() ? action->property(kMenuTextProperty).toString()
                                                         : known->second.text);
        }
        action->setCheckable(known->second.checked || action->isCheckable());
        action->setChecked(known->second.checked);
    }
}

void CMainFrm::UpdateCommandStates()
{
    ShowMenusFor(ActiveChild() != nullptr);
    UpdateActions(m_toolbar->actions());
    UpdateActions(actions());
    std::map<CMainDoc*, std::vector<CMainChd*>> windowsOf;
    for (CMainChd* child : Children())
        windowsOf[&child->Document()].push_back(child);
    for (auto& [document, windows] : windowsOf)
        for (std::size_t i = 0; i < windows.size(); ++i)
            windows[i]->UpdateTitle(static_cast<int>(i) + 1, static_cast<int>(windows.size()));
    CMainChd* active = ActiveChild();
    setWindowTitle(active
                       ? QStringLiteral("TV7W - %1").arg(active->windowTitle().remove(QStringLiteral("[*]")))
                       : QStringLiteral("TV7W"));
}

CMainChd* CMainFrm::ActiveChild() const
{
    auto* active = dynamic_cast<CMainChd*>(m_client->activeSubWindow());
    if (active == nullptr)
        active = dynamic_cast<CMainChd*>(m_client->currentSubWindow());
    // A window that is closing has let its view go already.
    return active && active->HasView() ? active : nullptr;
}

CMainVue* CMainFrm::ActiveView() const
{
    CMainChd* child = ActiveChild();
    return child ? &child->View() : nullptr;
}

std::vector<CMainChd*> CMainFrm::Children() const
{
    std::vector<CMainChd*> children;
    for (QMdiSubWindow* window : m_client->subWindowList())
        if (auto* child = dynamic_cast<CMainChd*>(window); child && child->HasView())
            children.push_back(child);
    return children;
}

QAction* CMainFrm::MenuAction(int id) const
{
    for (QMenu* menu : m_documentMenusShown ? m_documentMenus : m_noDocumentMenus) {
        QList<QAction*> actions = menu->actions();
        for (int i = 0; i < actions.size(); ++i) {
            if (QMenu* sub = actions[i]->menu())
                actions += sub->actions();
            if (IdOf(actions[i]) == id)
                return actions[i];
        }
    }
    return nullptr;
}

std::vector<CommandTarget*> CMainFrm::Targets()
{
    std::vector<CommandTarget*> targets;
    if (CMainChd* child = ActiveChild()) {
        targets.push_back(&child->View());
        targets.push_back(child);
    }
    targets.push_back(this);
    targets.insert(targets.end(), m_appTargets.begin(), m_appTargets.end());
    return targets;
}

CommandState CMainFrm::StateOf(int id)
{
    for (CommandTarget* target : Targets())
        if (std::optional<CommandState> state = target->QueryCommand(id))
            return *state;
    return CommandState{false, false};
}

bool CMainFrm::Dispatch(int id)
{
    for (CommandTarget* target : Targets()) {
        const std::optional<CommandState> state = target->QueryCommand(id);
        if (!state)
            continue;
        if (!state->enabled)
            return false;
        target->RunCommand(id);
        UpdateCommandStates();
        return true;
    }
    return false;
}

std::optional<CommandState> CMainFrm::QueryCommand(int id)
{
    const bool windows = !Children().empty();
    switch (id) {
    case ViewToolbar:
        return CommandState{true, m_toolbar->isVisible()};
    case ViewStatusBar:
        return CommandState{true, statusBar()->isVisible()};
    case WindowCascade:
    case WindowTile:
    case WindowArrange:
        return CommandState{windows};
    case AppExit:
        return CommandState{};
    default:
        break;
    }
    if (id >= FileMruFirst && id < FileMruFirst + static_cast<int>(m_recent.Files().size()))
        return CommandState{};
    return std::nullopt;
}

void CMainFrm::RunCommand(int id)
{
    switch (id) {
    case ViewToolbar:
        m_toolbar->setVisible(!m_toolbar->isVisible());
        break;
    case ViewStatusBar:
        statusBar()->setVisible(!statusBar()->isVisible());
        break;
    case WindowCascade:
        m_client->cascadeSubWindows();
        break;
    case WindowTile:
        m_client->tileSubWindows();
        break;
    case WindowArrange:
        m_client->ArrangeIcons();
        break;
    case AppExit:
        close();
        break;
    default:
        OpenRecentFile(id - FileMruFirst);
        break;
    }
}

void CMainFrm::OpenRecentFile(int index)
{
    const auto& files = m_recent.Files();
    if (index < 0 || index >= static_cast<int>(files.size()))
        return;
    const std::string path = files[index];
    m_documents.OpenDocumentFile(QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size())));
}

void CMainFrm::OpenWindowFor(CMainDoc& document)
{
    auto* child = new CMainChd(document, m_services, m_documents);
    m_client->addSubWindow(child);
    child->show();
    child->FitToView();
    UpdateCommandStates();
}

void CMainFrm::ActivateWindowOf(CMainDoc& document)
{
    for (CMainChd* child : Children())
        if (&child->Document() == &document) {
            m_client->setActiveSubWindow(child);
            return;
        }
}

void CMainFrm::CloseWindowsOf(CMainDoc& document)
{
    for (CMainChd* child : Children())
        if (&child->Document() == &document)
            child->close();
    UpdateCommandStates();
}

void CMainFrm::closeEvent(QCloseEvent* event)
{
    if (m_services.exchangeRunning() || !m_documents.SaveAllModified()) {
        event->ignore();
        return;
    }
    // Every question has been answered: the windows close without asking again.
    for (CMainDoc* document : m_documents.Documents())
        document->SetModifiedFlag(false);
    m_client->closeAllSubWindows();
    event->accept();
}

void CMainFrm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrm::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            m_documents.OpenDocumentFile(url.toLocalFile());
    event->acceptProposedAction();
}
