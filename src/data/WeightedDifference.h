#pragma once

#include "data/ResultLevel.h"

#include <array>
#include <string>

// The 16 third-octave bands 100 Hz .. 3150 Hz of a single-number rating of
// sound insulation, and their values (a level difference in dB).
constexpr int kFirstRatedBand = 6;  // 100 Hz
constexpr int kRatedBands = 16;     // up to band 21, 3150 Hz
using RatedLevels = std::array<ResultLevel, kRatedBands>;

// A weighted level difference with its spectrum adaptation terms, as
// "Dw (C; Ctr)": the reference curve shifted in whole dB towards the values
// (rounded to 0.1 dB) until the sum of the unfavourable deviations is as
// large as possible but not above 32.0 dB; the rating is the shifted curve
// at 500 Hz. C and Ctr follow from spectra 1 (pink noise) and 2 (traffic).
struct WeightedDifference {
    bool valid = false;    // false when any of the 16 values is missing
    int rating = 0;        // Dw, DnT,w
    int c = 0;             // spectrum adaptation term C
    int ctr = 0;           // spectrum adaptation term Ctr
    bool limited = false;  // a value was a bound (above or below range, at the background's limit)

    bool operator==(const WeightedDifference&) const = default;
};

WeightedDifference RateWeightedDifference(const RatedLevels& values);

// The reference curve shifted to rating (its value at 500 Hz), in dB at
// rated band 0..15: the curve a rating's plot shows the values against.
double ShiftedReferenceLevel(int rating, int band);

// The 16 values out of 30 bands' values.
RatedLevels RatedBandsOf(const BandLevels& bands);

// "45 (-1; -3)", with " limited" after it when a value was a bound; empty
// when the rating is not valid.
std::string WeightedDifferenceText(const WeightedDifference& weighted);
