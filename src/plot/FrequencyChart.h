#pragma once

#include "data/ResultLevel.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

#include <vector>

class QPaintDevice;
class QPainter;

// A chart of levels in dB against frequency on a logarithmic axis: grid,
// labelled axes, one line per series with its bounds shown as markers, a
// legend beside the plot. It is drawn as lines and text with QPainter, so
// one routine serves a window at any size and pixel ratio, the clipboard
// image, SVG, PDF and the printer.
namespace FrequencyChart {

enum class PointKind {
    kValue,
    kAtLeast,     // a lower bound: drawn at its value with an upward marker
    kAtMost,      // an upper bound: drawn at its value with a downward marker
    kBelowRange,  // no value: a downward marker at the floor of the chart
    kAboveRange,  // no value: an upward marker at the top of the chart
};

// How a value with the given bound is drawn: a value with no band in range
// (none) as below range, a bound with its marker.
PointKind KindOfBound(LevelBound bound);

struct Point {
    double hz = 0.0;
    double level = 0.0;  // dB; not used below or above range
    PointKind kind = PointKind::kValue;
    QString readout;  // the level as the hover readout shows it
};

struct Series {
    QString label;  // in the legend; none when empty
    QColor colour;
    Qt::PenStyle style = Qt::SolidLine;
    bool strong = false;  // drawn thicker, over the others
    bool dots = true;     // a dot at every value
    std::vector<Point> points;
};

struct Tick {
    double hz = 0.0;
    QString label;  // a grid line without a label when empty
};

struct Chart {
    QString levelAxis;  // "Level (dB SPL)"
    double lowHz = 20.0;
    double highHz = 25000.0;
    std::vector<Tick> ticks;
    std::vector<Series> series;
    // When not 0, a thin line marks the band at this frequency (the hover).
    double markedHz = 0.0;
};

// Where things lie on an area: the plot rectangle and its scales.
struct Geometry {
    QRectF plot;
    QRectF legend;
    double floorDb = 0.0;
    double topDb = 100.0;
    double stepDb = 10.0;  // between grid lines
    double lowHz = 20.0;
    double highHz = 25000.0;

    double X(double hz) const;
    double Y(double level) const;
    double HzAt(double x) const;
};

// The level scale runs in whole steps from at least one step under the
// lowest value to one above the highest (40 dB at the least); the plot
// leaves room for the axis labels and the legend, measured in font on
// device (a printer's dots), or on the screen when device is null.
Geometry Layout(const Chart& chart, const QRectF& area, const QFont& font,
                const QPaintDevice* device = nullptr);
void Paint(QPainter& painter, const Chart& chart, const QRectF& area, const QFont& font);

// "31.5", "125", "1k", "12.5k": a frequency as the axis labels it.
QString AxisLabel(double hz);
// "31.5 Hz", "1.25 kHz".
QString FrequencyText(double hz);

}  // namespace FrequencyChart
