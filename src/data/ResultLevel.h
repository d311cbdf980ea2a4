#pragma once

#include "data/MemoryRecord.h"

#include <array>

// How a level computed from band levels stands to the true level.
enum class LevelBound {
    kNone,     // no band in range entered it: there is no value
    kExact,    // every band that entered it was in range
    kAtLeast,  // a band above range entered it at the top of the range: a lower bound
    kAtMost,   // a band below range, at the bottom of the range: an upper bound
    kEither,   // below range in one record and above in another: neither bound holds
};

// A level in dB, computed in double precision.
struct ResultLevel {
    double value = 0.0;
    LevelBound bound = LevelBound::kNone;

    bool operator==(const ResultLevel&) const = default;
};

// Absolute levels of the 30 third-octave bands (25 Hz .. 20 kHz) and of the
// ten octave bands (31.5 Hz .. 16 kHz) of a record or of several.
using BandLevels = std::array<ResultLevel, MemoryRecord::kBands>;
constexpr int kOctaveBands = 10;
constexpr int kThirdsPerOctave = 3;
using OctaveLevels = std::array<ResultLevel, kOctaveBands>;

// The third-octave band at the centre of octave 0..9 (band 1, 31.5 Hz .. band 28, 16 kHz).
constexpr int OctaveCentreBand(int octave)
{
    return octave * kThirdsPerOctave + 1;
}
