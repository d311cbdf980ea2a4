#pragma once

#include "plot/FrequencyChart.h"

#include <vector>

class CMainDoc;

// What the Spectrum Chart shows of a document: the absolute levels of the
// active record and of the records ticked beside it, as third-octave or
// octave bands. Records of another unit than the active record's (dB SPL
// against dBu) are never drawn together with it.
struct SpectrumChartChoice {
    // A rating curve drawn with the levels of a Mike record: NC-N or NR-N,
    // or the curve of the active record's NC or NR rating.
    enum class Curve { kNone, kNc, kNr, kNcRating, kNrRating };

    int activeRecord = 0;     // 0..29: always shown, drawn strongest
    std::vector<int> ticked;  // 0..29, shown when in use and of the active record's unit
    bool octaves = false;
    Curve curve = Curve::kNone;
    int curveNumber = 35;  // N of kNc and kNr
};

namespace SpectrumChartData {

// Every record keeps its colour and line style wherever it is drawn: seven
// colours that colour-blind readers tell apart (Okabe and Ito's set without
// its yellow, which vanishes in print), then the same in dashes and dots.
QColor RecordColour(int record);
Qt::PenStyle RecordStyle(int record);

// "dB SPL", "dBu" or empty: the unit of record's levels, empty when not in use.
QString RecordUnit(CMainDoc& document, int record);
// "3  Office 2": the record's number and first comment line.
QString RecordLabel(const CMainDoc& document, int record);
// The records the chart draws for choice: the active one last.
std::vector<int> ShownRecords(CMainDoc& document, const SpectrumChartChoice& choice);

FrequencyChart::Chart MakeChart(CMainDoc& document, const SpectrumChartChoice& choice);

}  // namespace SpectrumChartData
