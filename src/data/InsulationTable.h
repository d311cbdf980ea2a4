#pragma once

#include "data/LevelDifference.h"
#include "data/SurveyError.h"

#include <string>
#include <vector>

struct SpectrumFile;

// The sound insulation between two rooms as the desktop program shows,
// copies, exports and prints it: the band levels of the three records, the
// receiving level corrected for the background, D and DnT per band from
// 50 Hz to 5 kHz and the single-number ratings, all of them the results of
// the level-difference rules (the numbers of tv7w-cli difference).
struct InsulationResults {
    static constexpr int kFirstBand = 3;  // 50 Hz
    static constexpr int kLastBand = 23;  // 5 kHz

    int source = 0;             // 0..29
    int receive = 0;            // 0..29
    int background = -1;        // 0..29, -1 none
    std::vector<double> times;  // the receiving room's reverberation times; empty: none
    BandLevels sourceLevels{};
    BandLevels receiveLevels{};
    BandLevels backgroundLevels{};
    BandLevels correctedLevels{};  // the receiving level after the background correction
    LevelDifference difference;
    StandardizedDifference standardized;  // when times are given
};

// Refused (results left as they were) as DifferenceOfRecords and
// StandardizeDifference refuse.
SurveyError ComputeInsulation(const SpectrumFile& data, int source, int receive, int background,
                              const std::vector<double>& times, InsulationResults& results);

// The band table: a header row ("Hz", "L1", "L2", "Background", "L2 corrected",
// "D", "DnT", "Note"), then one row per band, levels with one decimal and
// point as the decimal point, bounds marked; "limit" in the note where the
// band is at the limit of measurement.
std::vector<std::vector<std::string>> InsulationRows(const InsulationResults& results, char point = '.');

// "Dw = 52 dB (C = -1; Ctr = -5)", with name for Dw ("DnT,w"); " (limited)"
// after it when a value was a bound; empty when there is no rating.
std::string InsulationRatingText(const char* name, const WeightedDifference& weighted);
// The rating lines: Dw, and DnT,w when times are given.
std::vector<std::string> InsulationRatingLines(const InsulationResults& results);
// True when a band is at the limit of measurement, and the note that says what it means.
bool AnyBandAtLimit(const InsulationResults& results);
extern const char* const kAtLimitNote;

// What Copy puts on the clipboard: the records, the band table with tabs
// between its cells, and the ratings, CR LF after every line.
std::string InsulationText(const InsulationResults& results);
// What Export CSV writes: the band table and the ratings as CSV rows, with
// ';' between fields when point is ','.
std::string InsulationCsv(const InsulationResults& results, char point);
