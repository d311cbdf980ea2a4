#include "app/CMainChd.h"

#include "app/AppServices.h"
#include "app/CMainVue.h"
#include "app/CommandIds.h"
#include "app/DocumentManager.h"
#include "data/CMainDoc.h"

#include <QCloseEvent>
#include <QMdiArea>

CMainChd::CMainChd(CMainDoc& document, AppServices& services, DocumentManager& documents)
    : m_document(document), m_view(new CMainVue(document, services)), m_services(services),
      m_documents(documents)
{
    setWidget(m_view);
    setAttribute(Qt::WA_DeleteOnClose);
}

void CMainChd::UpdateTitle(int number, int count)
{
    const std::string& title = Document().GetTitle();
    QString text = QString::fromLocal8Bit(title.data(), static_cast<qsizetype>(title.size()));
    if (count > 1)
        text += QStringLiteral(":%1").arg(number);
    setWindowTitle(text + QStringLiteral("[*]"));
    setWindowModified(Document().IsModified());
}

void CMainChd::FitToView()
{
    // The frame's own border and title bar come on top of the form.
    const QSize frame = sizeHint() - widget()->sizeHint();
    resize(m_view->FormSize() + frame);
}

std::optional<CommandState> CMainChd::QueryCommand(int id)
{
    switch (id) {
    case CommandId::FileClose:
    case CommandId::FileSave:
    case CommandId::FileSaveAs:
    case CommandId::WindowNew:
        return CommandState{};
    default:
        return std::nullopt;
    }
}

void CMainChd::RunCommand(int id)
{
    CMainDoc& document = Document();
    switch (id) {
    case CommandId::FileClose:
        if (!m_services.exchangeRunning())
            m_documents.Close(document);
        break;
    case CommandId::FileSave:
        m_documents.Save(document);
        break;
    case CommandId::FileSaveAs:
        m_documents.SaveAs(document);
        break;
    case CommandId::WindowNew:
        if (auto* area = mdiArea()) {
            auto* window = new CMainChd(document, m_services, m_documents);
            area->addSubWindow(window);
            window->show();
            window->FitToView();
        }
        break;
    default:
        break;
    }
    m_services.updateCommandStates();
}

void CMainChd::closeEvent(QCloseEvent* event)
{
    if (m_services.exchangeRunning()) {
        event->ignore();
        return;
    }
    if (m_view == nullptr)
        return;
    bool lastWindow = true;
    if (QMdiArea* area = mdiArea())
        for (QMdiSubWindow* window : area->subWindowList())
            if (auto* other = dynamic_cast<CMainChd*>(window);
                other && other != this && other->m_view && &other->m_document == &m_document)
                lastWindow = false;
    if (lastWindow && !m_documents.SaveModified(m_document)) {
        event->ignore();
        return;
    }
    event->accept();
    // The view leaves the document before the document goes.
    setWidget(nullptr);
    delete m_view;
    m_view = nullptr;
    if (lastWindow)
        m_documents.Remove(m_document);
}
