#pragma once

#include "data/MemoryRecord.h"

#include <array>

// How a level computed from band levels stands to the true level.
enum class LevelBound {
    kNone,     // no band in range entered it: there is no value
    kExact,    // every band that entered it was in range
    kAtLeast,  // a band above range entered it at the top of the range: a lower bound
    kAtMost,   // a band below range, at the bottom of the range: an upper bound
};

// A level in dB, computed in double precision.
struct ResultLevel {
    double value = 0.0;
    LevelBound bound = LevelBound::kNone;

    bool operator==(const ResultLevel&) const = default;
};

// One third-octave band of a record. A band below range (code 0) stands at
// -20 dBr with the bound kAtMost, a band above range (codes 194 and up) at
// +4.25 dBr with the bound kAtLeast.
struct BandResult {
    int code = 0;
    ResultLevel dbr;     // relative to the record's reference
    ResultLevel level;   // absolute: dB SPL for Mike, dBu for the line inputs
    ResultLevel aLevel;  // absolute plus the band's A weighting
};

// The noise criterion rating: the smallest NC-N (N = 15..65, each curve
// interpolated between the tabulated ones) that no band level exceeds.
struct NcRating {
    enum class Kind {
        kNone,        // not a Mike record, or no band in range
        kBelowRange,  // no band reaches NC-15: "<15"
        kCurve,       // NC-nc
        kAboveRange,  // a band exceeds NC-65: ">65"
    };
    Kind kind = Kind::kNone;
    int nc = 0;            // kCurve: 15..65
    bool atLeast = false;  // kCurve: a band above range entered it, so the rating is a lower bound
    int tangentBand = -1;  // kCurve and not atLeast: the band that decides the rating, else -1

    bool operator==(const NcRating&) const = default;
};

// The acoustic results of one record: absolute band levels, octave bands, the
// Z- (flat), A- and C-weighted totals and the NC rating. Bands below range
// are left out of every sum; bands above range count at +4.25 dBr and make
// every sum they enter a lower bound.
struct AcousticResults {
    static constexpr int kOctaves = 10;  // 31.5 Hz .. 16 kHz
    static constexpr int kBandsPerOctave = 3;
    static constexpr int kLowestNc = 15;
    static constexpr int kHighestNc = 65;

    int source = 0;
    int reference = 0;  // the record's 0 dB reference in dB SPL (Mike) or dBu
    std::array<BandResult, MemoryRecord::kBands> bands{};
    std::array<ResultLevel, kOctaves> octaves{};
    ResultLevel z;  // flat
    ResultLevel a;
    ResultLevel c;
    NcRating nc;

    // The band at the centre of octave 0..9 (band 1, 31.5 Hz .. band 28, 16 kHz).
    static constexpr int OctaveCentreBand(int octave) { return octave * kBandsPerOctave + 1; }
};

AcousticResults ComputeAcousticResults(const MemoryRecord& record);
