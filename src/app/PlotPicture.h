#pragma once

#include "plot/ScreenGraph.h"

#include <QWidget>

#include <functional>

class CMainDoc;

// The view's plot: the selected record's graph composed off screen at every
// repaint and shown unscaled, one screen pixel a picture pixel (at a device
// pixel ratio of 2 every pixel is doubled, never smoothed).
class PlotPicture : public QWidget {
    Q_OBJECT

public:
    PlotPicture(CMainDoc& document, QWidget* parent);

    // What the next repaint shows.
    void Show(int memory, const ScreenGraph::Switches& switches, int highlightBand);
    // The picture as the last repaint showed it.
    const QImage& Picture() const { return m_picture; }
    // Called with the position of every mouse move and press over the plot.
    std::function<void(QPoint position)> onMouse;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    CMainDoc& m_document;
    ScreenGraph m_graph;
    QImage m_picture;
    int m_nMemory = 1;
    ScreenGraph::Switches m_switches;
    int m_nHighlightBand = 0;
};
