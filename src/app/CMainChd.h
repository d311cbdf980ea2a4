#pragma once

#include "app/CommandTarget.h"

#include <QMdiSubWindow>

class CMainDoc;
class CMainVue;
class DocumentManager;
struct AppServices;

// The window of one view of a document inside the main window. Its title is
// the document's name (numbered when the document has several windows) with
// the modified mark; closing the last window of a modified document asks
// whether to save it first.
class CMainChd : public QMdiSubWindow, public CommandTarget {
public:
    CMainChd(CMainDoc& document, AppServices& services, DocumentManager& documents);

    CMainVue& View() const { return *m_view; }
    // False once the window has let its view go, while it closes.
    bool HasView() const { return m_view != nullptr; }
    CMainDoc& Document() const { return m_document; }
    // The title for window number (1-based) of count windows on the document.
    void UpdateTitle(int number, int count);
    // Shrinks or grows the window to fit the whole form.
    void FitToView();

    std::optional<CommandState> QueryCommand(int id) override;
    void RunCommand(int id) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CMainDoc& m_document;
    CMainVue* m_view;
    AppServices& m_services;
    DocumentManager& m_documents;
};
