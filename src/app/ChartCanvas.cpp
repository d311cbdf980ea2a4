#include "app/ChartCanvas.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr QSize kMinimumSize{320, 220};
}  // namespace

ChartCanvas::ChartCanvas(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setMinimumSize(kMinimumSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartCanvas::SetChart(FrequencyChart::Chart chart)
{
    chart.markedHz = m_chart.markedHz;
    m_chart = std::move(chart);
    update();
}

FrequencyChart::Geometry ChartCanvas::Geometry() const
{
    return FrequencyChart::Layout(m_chart, QRectF(rect()), font());
}

QImage ChartCanvas::Picture(QSize size, double pixelRatio) const
{
    QImage image(size * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    FrequencyChart::Chart chart = m_chart;
    chart.markedHz = 0.0;
    FrequencyChart::Paint(painter, chart, QRectF(QPointF(0, 0), QSizeF(size)), font());
    return image;
}

void ChartCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    FrequencyChart::Paint(painter, m_chart, QRectF(rect()), font());
}

void ChartCanvas::mouseMoveEvent(QMouseEvent* event)
{
    const FrequencyChart::Geometry geometry = Geometry();
    const double x = event->position().x();
    if (x < geometry.plot.left() || x > geometry.plot.right() || m_chart.series.empty()) {
        Mark(0.0);
        return;
    }
    // The band nearest the mouse on the logarithmic axis, among the bands of
    // the series with the most (a rating curve has octaves only).
    const auto& bands =
        std::max_element(m_chart.series.begin(), m_chart.series.end(), [](const auto& a, const auto& b) {
            return a.points.size() < b.points.size();
        })->points;
    const double hz = geometry.HzAt(x);
    double nearest = 0.0;
    for (const FrequencyChart::Point& point : bands)
        if (nearest == 0.0 || std::abs(std::log(point.hz / hz)) < std::abs(std::log(nearest / hz)))
            nearest = point.hz;
    Mark(nearest);
}

void ChartCanvas::leaveEvent(QEvent*)
{
    Mark(0.0);
}

void ChartCanvas::Mark(double hz)
{
    if (hz == m_chart.markedHz)
        return;
    m_chart.markedHz = hz;
    update();
    if (onHover)
        onHover(hz);
}
