#include "data/InsulationTable.h"

#include "data/AcousticResults.h"
#include "data/CsvText.h"
#include "data/ResultText.h"
#include "data/SpectrumFile.h"

const char* const kAtLimitNote =
    "limit: the receiving level is within 6 dB of the background, so D is a lower bound";

namespace {

constexpr const char* kCrLf = "\r\n";

// The receiving level as the background correction leaves it: D of a
// source room at 0 dB is minus that level, with the bound turned round.
BandLevels CorrectedReceivingLevels(const BandLevels& receive, const BandLevels* background)
{
    BandLevels zero{};
    zero.fill({0.0, LevelBound::kExact});
    const LevelDifference minus = DifferenceOfLevels(zero, receive, background);
    BandLevels corrected{};
    for (std::size_t band = 0; band < corrected.size(); ++band) {
        const ResultLevel& d = minus.bands[band];
        LevelBound bound = d.bound;
        if (bound == LevelBound::kAtLeast)
            bound = LevelBound::kAtMost;
        else if (bound == LevelBound::kAtMost)
            bound = LevelBound::kAtLeast;
        corrected[band] = {-d.value, bound};
    }
    return corrected;
}

std::string Signed(int value)
{
    return std::to_string(value);
}

}  // namespace

SurveyError ComputeInsulation(const SpectrumFile& data, int source, int receive, int background,
                              const std::vector<double>& times, InsulationResults& results)
{
    InsulationResults computed;
    if (const SurveyError error = DifferenceOfRecords(data, source, receive, background, computed.difference))
        return error;
    if (!times.empty())
        if (const SurveyError error =
                StandardizeDifference(computed.difference, times, computed.standardized))
            return error;
    computed.source = source;
    computed.receive = receive;
    computed.background = background;
    computed.times = times;
    const auto levels = [&data](int record) {
        return RecordBandLevels(data.records[static_cast<std::size_t>(record)]);
    };
    computed.sourceLevels = levels(source);
    computed.receiveLevels = levels(receive);
    if (background >= 0)
        computed.backgroundLevels = levels(background);
    computed.correctedLevels = CorrectedReceivingLevels(
        computed.receiveLevels, background >= 0 ? &computed.backgroundLevels : nullptr);
    results = std::move(computed);
    return {};
}

std::vector<std::vector<std::string>> InsulationRows(const InsulationResults& results, char point)
{
    std::vector<std::vector<std::string>> rows{
        {"Hz", "L1", "L2", "Background", "L2 corrected", "D", "DnT", "Note"}};
    const bool background = results.background >= 0;
    for (int band = InsulationResults::kFirstBand; band <= InsulationResults::kLastBand; ++band) {
        const auto b = static_cast<std::size_t>(band);
        const int rated = band - kFirstRatedBand;
        const bool hasDnT = !results.times.empty() && rated >= 0 && rated < kRatedBands;
        rows.push_back(
            {NominalHzText(band), ResultText(results.sourceLevels[b], point),
             ResultText(results.receiveLevels[b], point),
             background ? ResultText(results.backgroundLevels[b], point) : std::string(),
             ResultText(results.correctedLevels[b], point), ResultText(results.difference.bands[b], point),
             hasDnT ? ResultText(results.standardized.bands[static_cast<std::size_t>(rated)], point)
                    : std::string(),
             results.difference.atLimit[b] ? "limit" : ""});
    }
    return rows;
}

std::string InsulationRatingText(const char* name, const WeightedDifference& weighted)
{
    if (!weighted.valid)
        return {};
    std::string text = std::string(name) + " = " + Signed(weighted.rating) +
                       " dB (C = " + Signed(weighted.c) + "; Ctr = " + Signed(weighted.ctr) + ")";
    if (weighted.limited)
        text += " (limited)";
    return text;
}

std::vector<std::string> InsulationRatingLines(const InsulationResults& results)
{
    std::vector<std::string> lines;
    const std::string dw = InsulationRatingText("Dw", results.difference.weighted);
    lines.push_back(dw.empty() ? "Dw: not every band from 100 to 3150 Hz has a value" : dw);
    if (!results.times.empty()) {
        const std::string dnt = InsulationRatingText("DnT,w", results.standardized.weighted);
        lines.push_back(dnt.empty() ? "DnT,w: not every band from 100 to 3150 Hz has a value" : dnt);
    }
    return lines;
}

bool AnyBandAtLimit(const InsulationResults& results)
{
    for (int band = InsulationResults::kFirstBand; band <= InsulationResults::kLastBand; ++band)
        if (results.difference.atLimit[static_cast<std::size_t>(band)])
            return true;
    return false;
}

std::string InsulationText(const InsulationResults& results)
{
    std::string text = "Source room: record " + std::to_string(results.source + 1) +
                       "    Receiving room: record " + std::to_string(results.receive + 1);
    if (results.background >= 0)
        text += "    Background: record " + std::to_string(results.background + 1);
    text += kCrLf;
    for (const auto& row : InsulationRows(results)) {
        for (std::size_t cell = 0; cell < row.size(); ++cell)
            text += (cell == 0 ? "" : "\t") + row[cell];
        text += kCrLf;
    }
    for (const std::string& line : InsulationRatingLines(results))
        text += line + kCrLf;
    if (AnyBandAtLimit(results))
        text += std::string(kAtLimitNote) + kCrLf;
    return text;
}

std::string InsulationCsv(const InsulationResults& results, char point)
{
    const char separator = point == ',' ? ';' : ',';
    std::string csv;
    for (const auto& row : InsulationRows(results, point))
        csv += CsvLine(row, separator);
    const auto ratings = [&](const char* name, const WeightedDifference& weighted) {
        if (!weighted.valid)
            return;
        csv += CsvLine({name, Signed(weighted.rating)}, separator);
        csv += CsvLine({std::string(name) + " C", Signed(weighted.c)}, separator);
        csv += CsvLine({std::string(name) + " Ctr", Signed(weighted.ctr)}, separator);
        csv += CsvLine({std::string(name) + " limited", weighted.limited ? "yes" : "no"}, separator);
    };
    ratings("Dw", results.difference.weighted);
    if (!results.times.empty())
        ratings("DnT,w", results.standardized.weighted);
    return csv;
}
