#include "app/CMainVue.h"

#include "app/CommandIds.h"
#include "data/SpectrumFile.h"
#include "plot/ScreenGraph.h"

#include <QPixmap>

CMainVue::CMainVue(CMainDoc& document, AppServices& services, QWidget* parent)
    : QScrollArea(parent), m_document(document), m_services(services), m_picture(new QLabel)
{
    setWidget(m_picture);
    m_document.AddView(this);
    ShowRecord();
}

CMainVue::~CMainVue()
{
    m_document.RemoveView(this);
}

QSize CMainVue::FormSize() const
{
    return m_picture->sizeHint() + QSize(2 * frameWidth(), 2 * frameWidth());
}

void CMainVue::OnUpdate(DocumentView*, int)
{
    ShowRecord();
}

std::optional<CommandState> CMainVue::QueryCommand(int id)
{
    if (id == CommandId::NextRecord)
        return CommandState{m_nMemory < SpectrumFile::kRecords};
    if (id == CommandId::PreviousRecord)
        return CommandState{m_nMemory > 1};
    return std::nullopt;
}

void CMainVue::RunCommand(int id)
{
    m_nMemory += id == CommandId::NextRecord ? 1 : -1;
    ShowRecord();
}

void CMainVue::ShowRecord()
{
    ScreenGraph graph;
    m_picture->setPixmap(QPixmap::fromImage(graph.Compose(m_document, m_nMemory, {}, 0)));
    m_picture->adjustSize();
}
