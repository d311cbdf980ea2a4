#pragma once

#include "data/MemoryRecord.h"
#include "data/NoiseRating.h"
#include "data/ResultLevel.h"

#include <array>

// One third-octave band of a record. A band below range (code 0) stands at
// -20 dBr with the bound kAtMost, a band above range (codes 194 and up) at
// +4.25 dBr with the bound kAtLeast.
struct BandResult {
    int code = 0;
    ResultLevel dbr;     // relative to the record's reference
    ResultLevel level;   // absolute: dB SPL for Mike, dBu for the line inputs
    ResultLevel aLevel;  // absolute plus the band's A weighting
};

// The acoustic results of one record: absolute band levels, octave bands, the
// Z- (flat), A- and C-weighted totals and the NC and NR ratings (Mike
// records only; kNone for the line inputs). Bands below range
// are left out of every sum; bands above range count at +4.25 dBr and make
// every sum they enter a lower bound.
struct AcousticResults {
    static constexpr int kOctaves = kOctaveBands;  // 31.5 Hz .. 16 kHz
    static constexpr int kBandsPerOctave = kThirdsPerOctave;

    int source = 0;
    int reference = 0;  // the record's 0 dB reference in dB SPL (Mike) or dBu
    std::array<BandResult, MemoryRecord::kBands> bands{};
    OctaveLevels octaves{};
    ResultLevel z;  // flat
    ResultLevel a;
    ResultLevel c;
    NcRating nc;
    NrRating nr;

    // The band at the centre of octave 0..9 (band 1, 31.5 Hz .. band 28, 16 kHz).
    static constexpr int OctaveCentreBand(int octave) { return ::OctaveCentreBand(octave); }
};

AcousticResults ComputeAcousticResults(const MemoryRecord& record);

// The absolute levels of the record's 30 bands (dB SPL for Mike, dBu for the
// line inputs): a band below range at -20 dBr with the bound kAtMost, above
// range at +4.25 dBr with kAtLeast. No band is left without a value.
BandLevels RecordBandLevels(const MemoryRecord& record);

// The record's wideband level, marked as its bands are.
ResultLevel RecordWidebandLevel(const MemoryRecord& record);
