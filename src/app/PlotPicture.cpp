#include "app/PlotPicture.h"

#include "data/ViewReadout.h"

#include <QMouseEvent>
#include <QPainter>

PlotPicture::PlotPicture(CMainDoc& document, QWidget* parent) : QWidget(parent), m_document(document)
{
    setFixedSize(ScreenGraph::kWidth, ScreenGraph::kHeight);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotPicture::Show(int memory, const ScreenGraph::Switches& switches, int highlightBand)
{
    m_nMemory = memory;
    m_switches = switches;
    m_nHighlightBand = highlightBand;
    update();
}

void PlotPicture::paintEvent(QPaintEvent*)
{
    m_picture = m_graph.Compose(m_document, m_nMemory, m_switches, m_nHighlightBand);
    QPainter painter(this);
    // Scaled to the device pixel ratio without smoothing: the graph stays crisp.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (m_picture.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(QPoint(0, 0), m_picture);
}

void PlotPicture::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    setCursor(ViewReadout::GraphBand(position.x(), position.y()) ? Qt::CrossCursor : Qt::ArrowCursor);
    if (onMouse)
        onMouse(position);
}

void PlotPicture::mousePressEvent(QMouseEvent* event)
{
    if (onMouse)
        onMouse(event->position().toPoint());
}
