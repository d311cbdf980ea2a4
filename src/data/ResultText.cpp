#include "data/ResultText.h"

#include "data/AcousticResults.h"
#include "data/FormatLevel.h"
#include "data/NcCurveTable.h"

#include <array>
#include <charconv>

std::string_view LevelUnit(int source)
{
    if (source == MemoryRecord::kSourceMike)
        return "dB SPL";
    return source == 0 ? "" : "dBu";
}

std::string_view SourceName(int source)
{
    static constexpr std::array<std::string_view, 8> kNames{"",    "Mike", "Left", "Right",
                                                            "Sum", "Diff", "",     ""};
    return source >= 0 && source < static_cast<int>(kNames.size()) ? kNames[static_cast<std::size_t>(source)]
                                                                   : std::string_view{};
}

std::string ResultText(const ResultLevel& level, char point)
{
    std::string text;
    if (level.bound == LevelBound::kNone)
        return text;
    FormatOneDecimal(text, level.value, point);
    switch (level.bound) {
    case LevelBound::kAtLeast:
        text.insert(0, ">");
        break;
    case LevelBound::kAtMost:
        text.insert(0, "<");
        break;
    case LevelBound::kEither:
        text.insert(0, "?");
        break;
    case LevelBound::kNone:
    case LevelBound::kExact:
        break;
    }
    return text;
}

namespace {

std::string RatingText(const CurveRating& rating, int lowest, int highest)
{
    switch (rating.kind) {
    case CurveRating::Kind::kBelowRange:
        return "<" + std::to_string(lowest);
    case CurveRating::Kind::kAboveRange:
        return ">" + std::to_string(highest);
    case CurveRating::Kind::kCurve:
        return (rating.atLeast ? ">" : "") + std::to_string(rating.number);
    case CurveRating::Kind::kNone:
        break;
    }
    return {};
}

// A rating with the label of the octave that decides it: "40 (8K)".
void AppendRating(std::string& line, const char* name, const std::string& text, const CurveRating& rating)
{
    if (text.empty())
        return;
    line += "  ";
    line += name;
    line += ' ';
    line += text;
    if (rating.kind == CurveRating::Kind::kCurve) {
        line += " (";
        line += NcCurveTable::BandLabel(OctaveCentreBand(rating.octave));
        line += ')';
    }
}

}  // namespace

std::string NcRatingText(const NcRating& rating)
{
    return RatingText(rating, kLowestNc, kHighestNc);
}

std::string NrRatingText(const NrRating& rating)
{
    return RatingText(rating, 0, 0);
}

std::string NominalHzText(int band)
{
    char text[16];
    return {text, std::to_chars(text, text + sizeof text, NcCurveTable::BandNominalFrequency(band)).ptr};
}

std::string RatingOctaveText(const CurveRating& rating)
{
    return rating.octave < 0 ? std::string() : NominalHzText(OctaveCentreBand(rating.octave));
}

std::string ResultsLine(const AcousticResults& results)
{
    // The totals share their bands, and the ratings need them too.
    if (results.z.bound == LevelBound::kNone)
        return "LZ, LA, LC: no band in range";
    std::string line =
        "LZ " + ResultText(results.z) + "  LA " + ResultText(results.a) + "  LC " + ResultText(results.c);
    const std::string_view unit = LevelUnit(results.source);
    if (!unit.empty()) {
        line += ' ';
        line += unit;
    }
    AppendRating(line, "NC", NcRatingText(results.nc), results.nc);
    AppendRating(line, "NR", NrRatingText(results.nr), results.nr);
    return line;
}
