#include "plot/InsulationPage.h"

#include "data/InsulationTable.h"
#include "data/NcCurveTable.h"
#include "data/ResultText.h"
#include "plot/Latin1Text.h"

#include <QFontMetricsF>
#include <QPainter>

namespace InsulationPage {

namespace {

using FrequencyChart::Point;
using FrequencyChart::PointKind;

const QColor kMeasured(0x00, 0x72, 0xB2);
const QColor kReference(0xD5, 0x5E, 0x00);

Point DifferencePoint(const ResultLevel& level, double hz)
{
    Point point;
    point.hz = hz;
    point.level = level.value;
    point.kind = FrequencyChart::KindOfBound(level.bound);
    point.readout = Latin1Text(ResultText(level));
    return point;
}

}  // namespace

FrequencyChart::Chart MakeChart(const InsulationResults& results)
{
    FrequencyChart::Chart chart;
    chart.lowHz = 40.0;
    chart.highHz = 6300.0;
    for (int band = InsulationResults::kFirstBand; band <= InsulationResults::kLastBand; ++band) {
        const double hz = NcCurveTable::BandNominalFrequency(band);
        chart.ticks.push_back({hz, band % 3 == 1 ? FrequencyChart::AxisLabel(hz) : QString()});
    }
    const bool standardized = !results.times.empty();
    chart.levelAxis = standardized ? QStringLiteral("DnT (dB)") : QStringLiteral("D (dB)");
    const WeightedDifference& weighted =
        standardized ? results.standardized.weighted : results.difference.weighted;

    FrequencyChart::Series measured;
    measured.label = standardized ? QStringLiteral("DnT") : QStringLiteral("D");
    measured.colour = kMeasured;
    measured.strong = true;
    if (standardized) {
        for (int rated = 0; rated < kRatedBands; ++rated)
            measured.points.push_back(
                DifferencePoint(results.standardized.bands[static_cast<std::size_t>(rated)],
                                NcCurveTable::BandNominalFrequency(kFirstRatedBand + rated)));
    } else {
        for (int band = InsulationResults::kFirstBand; band <= InsulationResults::kLastBand; ++band)
            measured.points.push_back(
                DifferencePoint(results.difference.bands[static_cast<std::size_t>(band)],
                                NcCurveTable::BandNominalFrequency(band)));
    }
    chart.series.push_back(std::move(measured));

    if (weighted.valid) {
        FrequencyChart::Series reference;
        reference.label =
            QStringLiteral("Reference, %1 %2").arg(standardized ? "DnT,w" : "Dw").arg(weighted.rating);
        reference.colour = kReference;
        reference.style = Qt::DashLine;
        reference.dots = false;
        for (int rated = 0; rated < kRatedBands; ++rated)
            reference.points.push_back({NcCurveTable::BandNominalFrequency(kFirstRatedBand + rated),
                                        ShiftedReferenceLevel(weighted.rating, rated),
                                        PointKind::kValue,
                                        {}});
        chart.series.push_back(std::move(reference));
    }
    return chart;
}

void Paint(QPainter& painter, const InsulationResults& results, const QRectF& area, const QFont& font)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font, painter.device());
    const double line = metrics.height() * 1.3;
    double y = area.top();
    QFont title = font;
    title.setBold(true);
    title.setPointSizeF(font.pointSizeF() * 1.4);
    painter.setFont(title);
    painter.drawText(QRectF(area.left(), y, area.width(), line * 1.4), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Sound Insulation"));
    y += line * 1.6;
    painter.setFont(font);
    const std::string text = InsulationText(results);
    // The records, the table and the ratings as Copy gives them, in columns.
    const QStringList lines = Latin1Text(text).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const double column = area.width() / 8.0;
    for (const QString& row : lines) {
        const QStringList cells = row.split(QLatin1Char('\t'));
        if (cells.size() == 1) {
            painter.drawText(QRectF(area.left(), y, area.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                             row);
        } else {
            for (int cell = 0; cell < cells.size(); ++cell)
                painter.drawText(QRectF(area.left() + cell * column, y, column * 0.9, line),
                                 Qt::AlignVCenter | (cell == 0 || cell == 7 ? Qt::AlignLeft : Qt::AlignRight),
                                 cells[cell]);
        }
        y += line;
    }
    y += line;
    const QRectF chartArea(area.left(), y, area.width(), std::min(area.bottom() - y, area.width() * 0.6));
    if (chartArea.height() > line * 6)
        FrequencyChart::Paint(painter, MakeChart(results), chartArea, font);
    painter.restore();
}

}  // namespace InsulationPage
