#pragma once

#include "plot/FrequencyChart.h"

#include <QWidget>

#include <functional>

// A frequency chart as a widget: painted as vectors at every repaint, so it
// is sharp at any size and device-pixel ratio. The mouse marks the band
// under it and tells the owner which one that is.
class ChartCanvas : public QWidget {
    Q_OBJECT

public:
    explicit ChartCanvas(QWidget* parent = nullptr);

    void SetChart(FrequencyChart::Chart chart);
    const FrequencyChart::Chart& Chart() const { return m_chart; }
    // Where the chart lies on the widget as it is now.
    FrequencyChart::Geometry Geometry() const;
    // The chart painted at size (logical pixels) and pixel ratio, as the
    // clipboard takes it.
    QImage Picture(QSize size, double pixelRatio) const;
    // Called with the frequency of the band under the mouse, 0 when it leaves.
    std::function<void(double hz)> onHover;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Mark(double hz);

    FrequencyChart::Chart m_chart;
};
