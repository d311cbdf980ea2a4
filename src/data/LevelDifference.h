#pragma once

#include "data/ResultLevel.h"
#include "data/SurveyError.h"
#include "data/WeightedDifference.h"

#include <array>
#include <string_view>
#include <vector>

struct SpectrumFile;

// The level difference D = L1 - L2 per band of a source-room level L1 and a
// receiving-room level L2, L2 corrected for the background LB when one is
// given: with dL = L2 - LB, no correction when dL >= 10 dB, L2' = 10
// log10(10^(L2/10) - 10^(LB/10)) when 6 < dL < 10, L2' = L2 - 1.3 and the
// band at the limit of measurement when dL <= 6 (or when the background
// band is above range). D is kNone where L1 is below range; kAtLeast (">")
// where L1 is above range, L2 below range or the band at the limit; kAtMost
// ("<") where L2 is above range; kNone where it would be both.
struct LevelDifference {
    BandLevels bands{};                                // D, 25 Hz .. 20 kHz
    std::array<bool, MemoryRecord::kBands> atLimit{};  // receiving level within 6 dB of the background
    WeightedDifference weighted;                       // Dw (C; Ctr) of D, 100 .. 3150 Hz

    bool operator==(const LevelDifference&) const = default;
};

// Of band levels in one unit; background may be null.
LevelDifference DifferenceOfLevels(const BandLevels& source, const BandLevels& receive,
                                   const BandLevels* background);

// Of records (0..29) of one file: source room, receiving room and the
// receiving room with the source off (background -1: none). Each must be in
// use, all in one unit, and no record in two roles. On failure difference is
// left as it was.
SurveyError DifferenceOfRecords(const SpectrumFile& data, int source, int receive, int background,
                                LevelDifference& difference);

// The standardized level difference DnT = D + 10 log10(T / 0.5 s) of the 16
// rated bands, T the receiving room's reverberation time, and DnT,w (C; Ctr).
struct StandardizedDifference {
    RatedLevels bands{};  // DnT, 100 .. 3150 Hz
    WeightedDifference weighted;

    bool operator==(const StandardizedDifference&) const = default;
};

// Reverberation times in seconds must be one for all 16 bands or one per
// band, each above 0.
SurveyError CheckReverberationTimes(const std::vector<double>& times);

// On failure (times refused by CheckReverberationTimes) standardized is left as it was.
SurveyError StandardizeDifference(const LevelDifference& difference, const std::vector<double>& times,
                                  StandardizedDifference& standardized);

// Reverberation times as users write them, "0.5" or 16 values separated by
// commas, "." as decimal point. False (times left empty) when a value is no
// number; the count and the values are StandardizeDifference's to check.
bool ParseReverberationTimes(std::string_view text, std::vector<double>& times);
