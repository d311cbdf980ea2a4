#pragma once

#include "data/NoiseRating.h"

#include <string>
#include <string_view>

struct AcousticResults;
struct ResultLevel;

// The unit of a record's absolute levels: "dB SPL" for Mike, "dBu" for the
// line inputs (sources 2..7), empty for a record without source.
std::string_view LevelUnit(int source);

// The source's name without padding: "Mike", "Left", "Right", "Sum",
// "Diff"; empty for no source and for 6 and 7.
std::string_view SourceName(int source);

// A result rounded to 0.1 dB with point as the decimal point: ">" before a
// lower bound, "<" before an upper bound, "?" before a level that is
// neither, empty when there is none.
std::string ResultText(const ResultLevel& level, char point = '.');

// "40", ">40" (a lower bound), "<15", ">70", or empty when there is no rating.
std::string NcRatingText(const NcRating& rating);
// "38", ">38" (a lower bound), "<0", or empty when there is no rating.
std::string NrRatingText(const NrRating& rating);

// A band's nominal frequency as users write it: 25, 31.5, 40 .. 20000.
std::string NominalHzText(int band);
// The nominal frequency of the octave that decides a rating, "31.5" .. "8000",
// or empty when none does.
std::string RatingOctaveText(const CurveRating& rating);

// The totals and the ratings on one line, as the printed page shows them:
// "LZ 72.3  LA 65.1  LC 70.2 dB SPL  NC 40 (8K)  NR 38 (4K)".
std::string ResultsLine(const AcousticResults& results);
