#pragma once

#include <string>
#include <string_view>

struct AcousticResults;
struct NcRating;
struct ResultLevel;

// The unit of a record's absolute levels: "dB SPL" for Mike, "dBu" for the
// line inputs (sources 2..7), empty for a record without source.
std::string_view LevelUnit(int source);

// A result rounded to 0.1 dB with point as the decimal point: ">" before a
// lower bound, "<" before a level under the range, empty when there is none.
std::string ResultText(const ResultLevel& level, char point = '.');

// "45", ">45" (a lower bound), "<15", ">65", or empty when there is no rating.
std::string NcRatingText(const NcRating& rating);

// The totals and the rating on one line, as the printed page shows them:
// "LZ 72.3  LA 65.1  LC 70.2 dB SPL  NC 45 (1K25)".
std::string ResultsLine(const AcousticResults& results);
