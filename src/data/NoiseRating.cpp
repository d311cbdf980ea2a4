#include "data/NoiseRating.h"

#include "data/FormatLevel.h"

#include <cstdint>

namespace {

// Ratings are worked out exactly: an octave level rounded to whole tenths
// of a dB gives a curve number that is a fraction of whole numbers, and
// fractions are compared by cross-multiplying.
struct Fraction {
    std::int64_t numerator;
    std::int64_t denominator;  // above 0

    bool operator>(const Fraction& other) const
    {
        return numerator * other.denominator > other.numerator * denominator;
    }
    // The smallest whole number not below the fraction.
    std::int64_t Ceiling() const
    {
        const std::int64_t quotient = numerator / denominator;
        return quotient + (numerator % denominator > 0 ? 1 : 0);
    }
};

// --- NC by the octave method ---------------------------------------------------------

constexpr int kNcCurves = 12;  // NC-15 .. NC-70, 5 apart
constexpr int kNcStep = 5;
constexpr int kNcOctaves = kLastNcOctave - kFirstNcOctave + 1;

// dB at 63, 125, 250, 500, 1000, 2000, 4000, 8000 Hz.
constexpr int kNcCurveLevels[kNcCurves][kNcOctaves] = {
    {47, 36, 29, 22, 17, 14, 12, 11}, {51, 40, 33, 26, 22, 19, 17, 16}, {54, 44, 37, 31, 27, 24, 22, 21},
    {57, 48, 41, 35, 31, 29, 28, 27}, {60, 52, 45, 40, 36, 34, 33, 32}, {64, 56, 50, 45, 41, 39, 38, 37},
    {67, 60, 54, 49, 46, 44, 43, 42}, {71, 64, 58, 54, 51, 49, 48, 47}, {74, 67, 62, 58, 56, 54, 53, 52},
    {77, 71, 67, 63, 61, 59, 58, 57}, {80, 75, 71, 68, 66, 64, 63, 62}, {83, 79, 75, 72, 71, 70, 69, 68},
};

// Tenths of a dB of curve index 0..11 at NC octave 0..7.
std::int64_t NcCurveTenths(int curve, int ncOctave)
{
    return 10 * kNcCurveLevels[curve][ncOctave];
}

// --- NR -------------------------------------------------------------------------------

constexpr int kNrOctaves = kLastNrOctave - kFirstNrOctave + 1;
// NR-N in octave i is a_i + b_i N; a in tenths of a dB, b in thousandths.
constexpr int kNrA[kNrOctaves] = {554, 355, 220, 120, 48, 0, -35, -61, -80};
constexpr int kNrB[kNrOctaves] = {681, 790, 870, 930, 974, 1000, 1015, 1025, 1030};

bool InRange(const ResultLevel& level)
{
    return level.bound != LevelBound::kNone;
}

bool IsLowerBound(const ResultLevel& level)
{
    return level.bound == LevelBound::kAtLeast || level.bound == LevelBound::kEither;
}

}  // namespace

NcRating RateNc(const OctaveLevels& octaves)
{
    NcRating rating;
    Fraction highest{0, 1};
    bool anyInRange = false;
    bool anyOver = false;
    bool atLeast = false;
    for (int octave = kFirstNcOctave; octave <= kLastNcOctave; ++octave) {
        const ResultLevel& level = octaves[static_cast<std::size_t>(octave)];
        if (!InRange(level))
            continue;
        anyInRange = true;
        atLeast = atLeast || IsLowerBound(level);
        const int column = octave - kFirstNcOctave;
        const std::int64_t tenths = RoundedTenths(level.value);
        if (tenths < NcCurveTenths(0, column))
            continue;  // under NC-15
        if (tenths > NcCurveTenths(kNcCurves - 1, column)) {
            anyOver = true;
            continue;
        }
        // The tabulated curve at or under the level, and the one above it.
        int curve = 0;
        while (curve + 1 < kNcCurves && NcCurveTenths(curve + 1, column) <= tenths)
            ++curve;
        Fraction number{kLowestNc + kNcStep * curve, 1};
        if (curve + 1 < kNcCurves) {
            const std::int64_t low = NcCurveTenths(curve, column);
            const std::int64_t span = NcCurveTenths(curve + 1, column) - low;
            number = {(kLowestNc + kNcStep * curve) * span + kNcStep * (tenths - low), span};
        }
        if (rating.octave < 0 || number > highest) {
            highest = number;
            rating.octave = octave;
        }
    }
    if (!anyInRange)
        return {};
    if (anyOver)
        return {NcRating::Kind::kAboveRange};
    if (rating.octave < 0) {
        // Under NC-15, but with an octave whose true level is unknown, nothing can be said.
        return atLeast ? NcRating{} : NcRating{NcRating::Kind::kBelowRange};
    }
    rating.kind = NcRating::Kind::kCurve;
    rating.number = static_cast<int>(highest.Ceiling());
    rating.atLeast = atLeast;
    return rating;
}

NrRating RateNr(const OctaveLevels& octaves)
{
    NrRating rating;
    Fraction highest{0, 1};
    bool atLeast = false;
    for (int octave = kFirstNrOctave; octave <= kLastNrOctave; ++octave) {
        const ResultLevel& level = octaves[static_cast<std::size_t>(octave)];
        if (!InRange(level))
            continue;
        atLeast = atLeast || IsLowerBound(level);
        const int column = octave - kFirstNrOctave;
        // N = (L - a) / b with L and a in tenths, b in thousandths.
        const Fraction number{100 * (RoundedTenths(level.value) - kNrA[column]), kNrB[column]};
        if (rating.octave < 0 || number > highest) {
            highest = number;
            rating.octave = octave;
        }
    }
    if (rating.octave < 0)
        return {};
    if (highest.numerator < 0) {
        // Under NR-0, but with an octave whose true level is unknown, nothing can be said.
        return atLeast ? NrRating{} : NrRating{NrRating::Kind::kBelowRange, 0, false, rating.octave};
    }
    rating.kind = NrRating::Kind::kCurve;
    rating.number = static_cast<int>(highest.Ceiling());
    rating.atLeast = atLeast;
    return rating;
}

double NcOctaveCurveLevel(int nc, int octave)
{
    if (octave < kFirstNcOctave || octave > kLastNcOctave || nc < kLowestNc || nc > kHighestNc)
        return 0.0;
    const int column = octave - kFirstNcOctave;
    const int curve = (nc - kLowestNc) / kNcStep;
    const int steps = (nc - kLowestNc) % kNcStep;
    if (steps == 0)
        return kNcCurveLevels[curve][column];
    const double low = kNcCurveLevels[curve][column];
    const double high = kNcCurveLevels[curve + 1][column];
    return low + (high - low) * steps / kNcStep;
}

double NrOctaveCurveLevel(int nr, int octave)
{
    if (octave < kFirstNrOctave || octave > kLastNrOctave)
        return 0.0;
    const int column = octave - kFirstNrOctave;
    return (kNrA[column] / 10.0) + (kNrB[column] / 1000.0) * nr;
}
