#pragma once

#include "plot/FrequencyChart.h"

class QPainter;
struct InsulationResults;

// The pictures of a sound insulation: the chart of D (or DnT, when
// reverberation times are given) against the reference curve shifted to the
// rating, and the printed page with the records, the ratings, the band
// table and that chart.
namespace InsulationPage {

FrequencyChart::Chart MakeChart(const InsulationResults& results);

// Paints the page on area (the printer's printable area) with font as the
// page's text font.
void Paint(QPainter& painter, const InsulationResults& results, const QRectF& area, const QFont& font);

}  // namespace InsulationPage
