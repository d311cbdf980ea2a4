#pragma once

#include "data/ResultLevel.h"

// A rating of octave band levels against a family of curves: the noise
// criterion (NC, octave method, 63 Hz .. 8 kHz) or the noise rating (NR,
// 31.5 Hz .. 8 kHz). Octave levels are rated as shown, rounded to 0.1 dB.
struct CurveRating {
    enum class Kind {
        kNone,        // not a Mike record, no octave in range, or nothing can be said
        kBelowRange,  // under the lowest curve: NC "<15", NR "<0"
        kCurve,       // on or under curve number
        kAboveRange,  // a band over the highest curve: NC ">70" (NR has no highest curve)
    };
    Kind kind = Kind::kNone;
    int number = 0;        // kCurve: NC 15..70, NR 0 and up
    bool atLeast = false;  // kCurve: an octave was a lower bound, so the rating is one too
    int octave = -1;       // the octave 0..9 that decides the rating, -1 for none

    bool operator==(const CurveRating&) const = default;
};
using NcRating = CurveRating;
using NrRating = CurveRating;

constexpr int kLowestNc = 15;
constexpr int kHighestNc = 70;
constexpr int kFirstNcOctave = 1;  // 63 Hz
constexpr int kLastNcOctave = 8;   // 8 kHz
constexpr int kFirstNrOctave = 0;  // 31.5 Hz
constexpr int kLastNrOctave = 8;   // 8 kHz

// NC by the octave method: each octave in range gets the NC number
// interpolated between the two tabulated curves around its level; the
// rating is the smallest whole number not below any of them, decided by the
// octave with the largest (the lowest of a tie).
NcRating RateNc(const OctaveLevels& octaves);

// NR: each octave in range gives N = (L - a) / b; the rating is the smallest
// whole number not below the largest N, decided by its octave (the lowest of a tie).
NrRating RateNr(const OctaveLevels& octaves);

// The curves' levels in dB at octave 0..9: NC-15 .. NC-70 (octaves 1..8)
// and NR-n (octaves 0..8); 0 elsewhere. For plots of the curves.
double NcOctaveCurveLevel(int nc, int octave);
double NrOctaveCurveLevel(int nr, int octave);
