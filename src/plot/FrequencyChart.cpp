#include "plot/FrequencyChart.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace FrequencyChart {

namespace {

constexpr double kMinimumSpanDb = 40.0;
constexpr double kWideSpanDb = 80.0;
constexpr std::size_t kMostDottedSeries = 8;  // beyond it the grid lines are 10 dB apart, else 5
const QColor kGridColour(200, 200, 200);
const QColor kAxisColour(60, 60, 60);

bool HasValue(PointKind kind)
{
    return kind == PointKind::kValue || kind == PointKind::kAtLeast || kind == PointKind::kAtMost;
}

QString Number(double value)
{
    return QString::number(value, 'g', 4);
}

// A triangle of size s with its tip at tip, pointing up or down.
QPolygonF Triangle(QPointF tip, double s, bool up)
{
    const double base = up ? tip.y() + s : tip.y() - s;
    return QPolygonF({tip, QPointF(tip.x() - s * 0.6, base), QPointF(tip.x() + s * 0.6, base)});
}

// The dashes of a pen style, in pen widths, as Qt draws them.
QList<qreal> DashPattern(Qt::PenStyle style)
{
    switch (style) {
    case Qt::DashLine:
        return {4, 2};
    case Qt::DotLine:
        return {1, 2};
    case Qt::DashDotLine:
        return {4, 2, 1, 2};
    default:
        return {};
    }
}

// The dashes along a line as separate solid pieces: a dashed wide pen would
// cost a painter ten times as much as the same line drawn solid.
QList<QLineF> Dashes(const QPolygonF& line, const QList<qreal>& pattern, double width)
{
    QList<QLineF> dashes;
    int index = 0;
    double left = pattern[0] * width;  // of the present dash or gap
    for (int i = 1; i < line.size(); ++i) {
        QPointF from = line[i - 1];
        const QPointF to = line[i];
        double length = QLineF(from, to).length();
        while (length > 0.0) {
            const double step = std::min(left, length);
            const QPointF end = from + (to - from) * (step / length);
            if (index % 2 == 0)
                dashes << QLineF(from, end);
            from = end;
            length -= step;
            left -= step;
            if (left <= 0.0) {
                index = (index + 1) % static_cast<int>(pattern.size());
                left = pattern[index] * width;
            }
        }
    }
    return dashes;
}

double LineWidth(const Series& series, double unit)
{
    return series.strong ? unit * 2.6 : unit * 1.3;
}

void PaintSeries(QPainter& painter, const Series& series, const Geometry& geometry, double unit, bool dots)
{
    const double width = LineWidth(series, unit);
    const QList<qreal> pattern = DashPattern(series.style);
    painter.setPen(QPen(series.colour, width, Qt::SolidLine, pattern.isEmpty() ? Qt::RoundCap : Qt::FlatCap,
                        Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    // The line runs through the values and breaks where a band has none.
    QPolygonF run;
    QPolygonF values;
    const auto endRun = [&] {
        if (run.size() > 1 && pattern.isEmpty())
            painter.drawPolyline(run);
        else if (run.size() > 1)
            painter.drawLines(Dashes(run, pattern, width));
        run.clear();
    };
    for (const Point& point : series.points) {
        if (!HasValue(point.kind)) {
            endRun();
            continue;
        }
        run << QPointF(geometry.X(point.hz), geometry.Y(point.level));
        if (point.kind == PointKind::kValue)
            values << run.back();
    }
    endRun();
    if (dots) {
        // Round dots as the points of a wide round pen: one call for them all.
        painter.setPen(QPen(series.colour, (series.strong ? 5.2 : 3.8) * unit, Qt::SolidLine, Qt::RoundCap));
        painter.drawPoints(values);
    }

    painter.setPen(QPen(series.colour, unit));
    painter.setBrush(series.colour);
    const double marker = 5.0 * unit;
    for (const Point& point : series.points) {
        const double x = geometry.X(point.hz);
        switch (point.kind) {
        case PointKind::kValue:
            break;
        case PointKind::kAtLeast:
            painter.drawPolygon(Triangle(QPointF(x, geometry.Y(point.level) - marker * 1.2), marker, true));
            break;
        case PointKind::kAtMost:
            painter.drawPolygon(Triangle(QPointF(x, geometry.Y(point.level) + marker * 1.2), marker, false));
            break;
        case PointKind::kBelowRange:
            painter.drawPolygon(Triangle(QPointF(x, geometry.plot.bottom()), marker * 1.4, false));
            break;
        case PointKind::kAboveRange:
            painter.drawPolygon(Triangle(QPointF(x, geometry.plot.top()), marker * 1.4, true));
            break;
        }
    }
}

}  // namespace

PointKind KindOfBound(LevelBound bound)
{
    switch (bound) {
    case LevelBound::kNone:
        return PointKind::kBelowRange;
    case LevelBound::kAtLeast:
        return PointKind::kAtLeast;
    case LevelBound::kAtMost:
        return PointKind::kAtMost;
    case LevelBound::kExact:
    case LevelBound::kEither:
        break;
    }
    return PointKind::kValue;
}

double Geometry::X(double hz) const
{
    const double span = std::log10(highHz) - std::log10(lowHz);
    return plot.left() + (std::log10(hz) - std::log10(lowHz)) / span * plot.width();
}

double Geometry::Y(double level) const
{
    return plot.bottom() - (level - floorDb) / (topDb - floorDb) * plot.height();
}

double Geometry::HzAt(double x) const
{
    const double span = std::log10(highHz) - std::log10(lowHz);
    return std::pow(10.0, std::log10(lowHz) + (x - plot.left()) / plot.width() * span);
}

Geometry Layout(const Chart& chart, const QRectF& area, const QFont& font, const QPaintDevice* device)
{
    Geometry geometry;
    geometry.lowHz = chart.lowHz;
    geometry.highHz = chart.highHz;

    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    for (const Series& series : chart.series)
        for (const Point& point : series.points)
            if (HasValue(point.kind)) {
                low = std::min(low, point.level);
                high = std::max(high, point.level);
            }
    if (low > high) {
        low = 40.0;
        high = 60.0;
    }
    double floor = 10.0 * std::floor(low / 10.0) - 10.0;
    double top = 10.0 * std::ceil(high / 10.0) + 10.0;
    if (top - floor < kMinimumSpanDb)
        top = floor + kMinimumSpanDb;
    geometry.floorDb = floor;
    geometry.topDb = top;
    geometry.stepDb = top - floor > kWideSpanDb ? 10.0 : 5.0;

    const QFontMetricsF metrics = device ? QFontMetricsF(font, device) : QFontMetricsF(font);
    const double line = metrics.height();
    double legendWidth = 0.0;
    for (const Series& series : chart.series)
        if (!series.label.isEmpty())
            legendWidth = std::max(legendWidth, metrics.horizontalAdvance(series.label));
    if (legendWidth > 0.0)
        legendWidth = std::min(legendWidth + 3.5 * line, area.width() / 3.0);
    const double left = metrics.horizontalAdvance(QStringLiteral("-000")) + 2.0 * line;
    const double bottom = 2.6 * line;
    geometry.plot = QRectF(area.left() + left, area.top() + line, area.width() - left - legendWidth - line,
                           area.height() - line - bottom);
    geometry.legend =
        QRectF(geometry.plot.right() + line * 0.8, geometry.plot.top(), legendWidth, geometry.plot.height());
    return geometry;
}

void Paint(QPainter& painter, const Chart& chart, const QRectF& area, const QFont& font)
{
    const Geometry geometry = Layout(chart, area, font, painter.device());
    const QRectF& plot = geometry.plot;
    if (plot.width() <= 0.0 || plot.height() <= 0.0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double line = metrics.height();
    // Lines scale with the text, so a large export looks like the window.
    const double unit = std::max(1.0, line / 15.0);

    painter.fillRect(area, Qt::white);
    painter.setPen(QPen(kGridColour, unit * 0.8));
    for (double level = geometry.floorDb; level <= geometry.topDb + 1e-9; level += geometry.stepDb)
        painter.drawLine(QPointF(plot.left(), geometry.Y(level)), QPointF(plot.right(), geometry.Y(level)));
    for (const Tick& tick : chart.ticks)
        painter.drawLine(QPointF(geometry.X(tick.hz), plot.top()),
                         QPointF(geometry.X(tick.hz), plot.bottom()));

    painter.setPen(QPen(kAxisColour, unit));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    for (double level = geometry.floorDb; level <= geometry.topDb + 1e-9; level += geometry.stepDb) {
        const QRectF label(area.left(), geometry.Y(level) - line / 2, plot.left() - area.left() - line * 0.4,
                           line);
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, Number(level));
    }
    // A label that would run into the one before it is left out (a narrow chart).
    double labelsEnd = plot.left() - line * 4;
    for (const Tick& tick : chart.ticks) {
        if (tick.label.isEmpty())
            continue;
        const double x = geometry.X(tick.hz);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + line * 0.3));
        const double half = metrics.horizontalAdvance(tick.label) / 2 + line * 0.3;
        if (x - half < labelsEnd)
            continue;
        painter.drawText(QRectF(x - line * 2, plot.bottom() + line * 0.3, line * 4, line), Qt::AlignCenter,
                         tick.label);
        labelsEnd = x + half;
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + line * 1.4, plot.width(), line), Qt::AlignCenter,
                     QStringLiteral("Frequency (Hz)"));
    painter.save();
    painter.translate(area.left() + line * 0.1, plot.center().y());
    painter.rotate(-90.0);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignCenter, chart.levelAxis);
    painter.restore();

    if (chart.markedHz > 0.0) {
        painter.setPen(QPen(kAxisColour, unit, Qt::DashLine));
        const double x = geometry.X(chart.markedHz);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }

    painter.save();
    // Markers at the floor and the top stay whole; lines stay inside.
    painter.setClipRect(plot.adjusted(-line, -line, line, line));
    // Among many lines only the strong ones keep their dots: dots on every
    // one would hide more than they show.
    const bool crowded = chart.series.size() > kMostDottedSeries;
    for (const Series& series : chart.series)
        if (!series.strong)
            PaintSeries(painter, series, geometry, unit, series.dots && !crowded);
    for (const Series& series : chart.series)
        if (series.strong)
            PaintSeries(painter, series, geometry, unit, series.dots);
    painter.restore();

    // The legend: a sample of each line and its label.
    painter.setClipRect(geometry.legend);
    double y = geometry.legend.top();
    for (const Series& series : chart.series) {
        if (series.label.isEmpty())
            continue;
        painter.setPen(QPen(series.colour, LineWidth(series, unit), series.style, Qt::FlatCap));
        const double middle = y + line / 2;
        painter.drawLine(QPointF(geometry.legend.left(), middle),
                         QPointF(geometry.legend.left() + line * 2, middle));
        painter.setPen(kAxisColour);
        painter.drawText(
            QRectF(geometry.legend.left() + line * 2.5, y, geometry.legend.width() - line * 2.5, line),
            Qt::AlignLeft | Qt::AlignVCenter, series.label);
        y += line * 1.15;
    }
    painter.restore();
}

QString AxisLabel(double hz)
{
    return hz >= 1000.0 ? Number(hz / 1000.0) + QLatin1Char('k') : Number(hz);
}

QString FrequencyText(double hz)
{
    return hz >= 1000.0 ? Number(hz / 1000.0) + QStringLiteral(" kHz") : Number(hz) + QStringLiteral(" Hz");
}

}  // namespace FrequencyChart
