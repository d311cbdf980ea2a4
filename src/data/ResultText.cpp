#include "data/ResultText.h"

#include "data/AcousticResults.h"
#include "data/FormatLevel.h"
#include "data/NcCurveTable.h"

std::string_view LevelUnit(int source)
{
    if (source == MemoryRecord::kSourceMike)
        return "dB SPL";
    return source == 0 ? "" : "dBu";
}

std::string ResultText(const ResultLevel& level, char point)
{
    std::string text;
    if (level.bound == LevelBound::kNone)
        return text;
    FormatOneDecimal(text, level.value, point);
    if (level.bound == LevelBound::kAtLeast)
        text.insert(0, ">");
    else if (level.bound == LevelBound::kAtMost)
        text.insert(0, "<");
    return text;
}

std::string NcRatingText(const NcRating& rating)
{
    switch (rating.kind) {
    case NcRating::Kind::kBelowRange:
        return "<" + std::to_string(AcousticResults::kLowestNc);
    case NcRating::Kind::kAboveRange:
        return ">" + std::to_string(AcousticResults::kHighestNc);
    case NcRating::Kind::kCurve:
        return (rating.atLeast ? ">" : "") + std::to_string(rating.nc);
    case NcRating::Kind::kNone:
        break;
    }
    return {};
}

std::string ResultsLine(const AcousticResults& results)
{
    // The totals share their bands, and the rating needs them too.
    if (results.z.bound == LevelBound::kNone)
        return "LZ, LA, LC: no band in range";
    std::string line =
        "LZ " + ResultText(results.z) + "  LA " + ResultText(results.a) + "  LC " + ResultText(results.c);
    const std::string_view unit = LevelUnit(results.source);
    if (!unit.empty()) {
        line += ' ';
        line += unit;
    }
    const std::string nc = NcRatingText(results.nc);
    if (!nc.empty())
        line += "  NC " + nc;
    if (results.nc.tangentBand >= 0) {
        line += " (";
        line += NcCurveTable::BandLabel(results.nc.tangentBand);
        line += ')';
    }
    return line;
}
