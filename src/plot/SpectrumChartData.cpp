#include "plot/SpectrumChartData.h"

#include "data/AcousticResults.h"
#include "data/CMainDoc.h"
#include "data/NcCurveTable.h"
#include "data/ResultText.h"
#include "plot/Latin1Text.h"

#include <algorithm>
#include <array>
#include <optional>

namespace SpectrumChartData {

namespace {

using FrequencyChart::Point;
using FrequencyChart::PointKind;

constexpr std::array<QRgb, 7> kColours{0xFF000000u, 0xFFE69F00u, 0xFF0072B2u, 0xFF009E73u,
                                       0xFFD55E00u, 0xFF56B4E9u, 0xFFCC79A7u};
constexpr std::array<Qt::PenStyle, 4> kStyles{Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};

Point BandPoint(const BandResult& band, double hz)
{
    Point point;
    point.hz = hz;
    point.level = band.level.value;
    if (band.level.bound == LevelBound::kAtMost) {
        point.kind = PointKind::kBelowRange;
        point.readout = QStringLiteral("below range");
    } else if (band.level.bound == LevelBound::kAtLeast) {
        point.kind = PointKind::kAboveRange;
        point.readout = QStringLiteral("above range");
    } else {
        point.readout = Latin1Text(ResultText(band.level));
    }
    return point;
}

Point OctavePoint(const ResultLevel& level, double hz)
{
    Point point;
    point.hz = hz;
    point.level = level.value;
    point.kind = FrequencyChart::KindOfBound(level.bound);
    point.readout =
        level.bound == LevelBound::kNone ? QStringLiteral("below range") : Latin1Text(ResultText(level));
    return point;
}

// The octaves 0..9 a curve family covers: NC 63 Hz .. 8 kHz, NR 31.5 Hz .. 8 kHz.
FrequencyChart::Series CurveSeries(bool nc, int number, const QString& label)
{
    FrequencyChart::Series series;
    series.label = label;
    series.colour = QColor(0x80, 0x80, 0x80);
    series.style = Qt::DashLine;
    series.dots = false;
    const int first = nc ? kFirstNcOctave : kFirstNrOctave;
    const int last = nc ? kLastNcOctave : kLastNrOctave;
    for (int octave = first; octave <= last; ++octave) {
        const double level = nc ? NcOctaveCurveLevel(number, octave) : NrOctaveCurveLevel(number, octave);
        series.points.push_back({NcCurveTable::BandNominalFrequency(OctaveCentreBand(octave)), level,
                                 PointKind::kValue, QString::number(level, 'f', 1)});
    }
    return series;
}

// The curve the choice asks for, when the active record is a Mike record
// (and, for a rating's curve, has a rating on a curve).
std::optional<FrequencyChart::Series> Curve(CMainDoc& document, const SpectrumChartChoice& choice)
{
    using Curve = SpectrumChartChoice::Curve;
    if (choice.curve == Curve::kNone || RecordUnit(document, choice.activeRecord) != QLatin1String("dB SPL"))
        return std::nullopt;
    if (choice.curve == Curve::kNc || choice.curve == Curve::kNr) {
        const bool nc = choice.curve == Curve::kNc;
        return CurveSeries(nc, choice.curveNumber,
                           QStringLiteral("%1-%2")
                               .arg(nc ? QLatin1String("NC") : QLatin1String("NR"))
                               .arg(choice.curveNumber));
    }
    const AcousticResults results =
        ComputeAcousticResults(document.Data().records[static_cast<std::size_t>(choice.activeRecord)]);
    const bool nc = choice.curve == Curve::kNcRating;
    const CurveRating& rating = nc ? results.nc : results.nr;
    if (rating.kind != CurveRating::Kind::kCurve)
        return std::nullopt;
    const QString name = nc ? QStringLiteral("NC") : QStringLiteral("NR");
    // "NC-35, rating of 1"; a rating that is a lower bound says so: "NC-35, rating of 1: >35".
    QString label =
        QStringLiteral("%1-%2, rating of %3").arg(name).arg(rating.number).arg(choice.activeRecord + 1);
    if (rating.atLeast)
        label += QStringLiteral(": ") + Latin1Text(nc ? NcRatingText(rating) : NrRatingText(rating));
    return CurveSeries(nc, rating.number, label);
}

std::vector<FrequencyChart::Tick> Ticks(bool octaves)
{
    std::vector<FrequencyChart::Tick> ticks;
    for (int band = 0; band < MemoryRecord::kBands; ++band) {
        const bool centre = band % AcousticResults::kBandsPerOctave == 1;
        if (octaves && !centre)
            continue;
        const double hz = NcCurveTable::BandNominalFrequency(band);
        ticks.push_back({hz, centre ? FrequencyChart::AxisLabel(hz) : QString()});
    }
    return ticks;
}

}  // namespace

QColor RecordColour(int record)
{
    return QColor::fromRgb(kColours[static_cast<std::size_t>(record) % kColours.size()]);
}

Qt::PenStyle RecordStyle(int record)
{
    return kStyles[static_cast<std::size_t>(record) / kColours.size() % kStyles.size()];
}

QString RecordUnit(CMainDoc& document, int record)
{
    if (document.IsRecordInUse(record) == 0)
        return {};
    std::string source;
    const int code = document.GetSource(source, record);
    return Latin1Text(std::string(LevelUnit(code)));
}

QString RecordLabel(const CMainDoc& document, int record)
{
    const auto& comment = document.Data().comments[static_cast<std::size_t>(record)];
    QString line = QString::fromLatin1(comment.data(), SpectrumFile::kCommentLineSize).trimmed();
    return line.isEmpty() ? QString::number(record + 1) : QStringLiteral("%1  %2").arg(record + 1).arg(line);
}

std::vector<int> ShownRecords(CMainDoc& document, const SpectrumChartChoice& choice)
{
    QString unit = RecordUnit(document, choice.activeRecord);
    for (int record : choice.ticked)
        if (unit.isEmpty())
            unit = RecordUnit(document, record);
    std::vector<int> shown;
    if (unit.isEmpty())
        return shown;
    for (int record : choice.ticked)
        if (record != choice.activeRecord && RecordUnit(document, record) == unit &&
            std::find(shown.begin(), shown.end(), record) == shown.end())
            shown.push_back(record);
    std::sort(shown.begin(), shown.end());
    if (RecordUnit(document, choice.activeRecord) == unit)
        shown.push_back(choice.activeRecord);
    return shown;
}

FrequencyChart::Chart MakeChart(CMainDoc& document, const SpectrumChartChoice& choice)
{
    FrequencyChart::Chart chart;
    chart.ticks = Ticks(choice.octaves);
    const std::vector<int> shown = ShownRecords(document, choice);
    const QString unit = shown.empty() ? QString() : RecordUnit(document, shown.back());
    chart.levelAxis = unit.isEmpty() ? QStringLiteral("Level") : QStringLiteral("Level (%1)").arg(unit);
    for (int record : shown) {
        const AcousticResults results =
            ComputeAcousticResults(document.Data().records[static_cast<std::size_t>(record)]);
        FrequencyChart::Series series;
        series.label = RecordLabel(document, record);
        series.colour = RecordColour(record);
        series.style = RecordStyle(record);
        series.strong = record == choice.activeRecord;
        if (choice.octaves) {
            for (int octave = 0; octave < AcousticResults::kOctaves; ++octave)
                series.points.push_back(OctavePoint(
                    results.octaves[static_cast<std::size_t>(octave)],
                    NcCurveTable::BandNominalFrequency(AcousticResults::OctaveCentreBand(octave))));
        } else {
            for (int band = 0; band < MemoryRecord::kBands; ++band)
                series.points.push_back(BandPoint(results.bands[static_cast<std::size_t>(band)],
                                                  NcCurveTable::BandNominalFrequency(band)));
        }
        chart.series.push_back(std::move(series));
    }
    if (std::optional<FrequencyChart::Series> curve = Curve(document, choice))
        chart.series.insert(chart.series.begin(), std::move(*curve));
    return chart;
}

}  // namespace SpectrumChartData
