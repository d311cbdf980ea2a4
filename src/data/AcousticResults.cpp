#include "data/AcousticResults.h"

#include "data/NcCurveTable.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBands = MemoryRecord::kBands;

// Frequency weightings at the bands' nominal frequencies, 25 Hz .. 20 kHz, in
// dB (IEC 61672-1).
constexpr std::array<double, kBands> kAWeighting{
    -44.7, -39.4, -34.6, -30.2, -26.2, -22.5, -19.1, -16.1, -13.4, -10.9, -8.6, -6.6, -4.8, -3.2, -1.9,
    -0.8,  0.0,   0.6,   1.0,   1.2,   1.3,   1.2,   1.0,   0.5,   -0.1,  -1.1, -2.5, -4.3, -6.6, -9.3};
constexpr std::array<double, kBands> kCWeighting{-4.4, -3.0, -2.0, -1.3, -0.8, -0.5, -0.3, -0.2, -0.1, 0.0,
                                                 0.0,  0.0,  0.0,  0.0,  0.0,  0.0,  0.0,  -0.1, -0.1, -0.2,
                                                 -0.3, -0.5, -0.8, -1.3, -2.0, -3.0, -4.4, -6.2, -8.5, -11.2};

double Power(double level)
{
    return std::pow(10.0, level / 10.0);
}

// The weightings as factors on a band's power, so that every band needs one
// power whatever the weighting.
struct WeightingFactors {
    std::array<double, kBands> a{};
    std::array<double, kBands> c{};
};

const WeightingFactors& Factors()
{
    static const WeightingFactors factors = [] {
        WeightingFactors f;
        for (std::size_t band = 0; band < kBands; ++band) {
            f.a[band] = Power(kAWeighting[band]);
            f.c[band] = Power(kCWeighting[band]);
        }
        return f;
    }();
    return factors;
}

// The energy sum 10 log10(sum of 10^(L/10)) of the bands in range added to it.
class EnergySum {
public:
    void Add(double power, bool atLeast)
    {
        m_power += power;
        m_bands = true;
        m_atLeast = m_atLeast || atLeast;
    }

    ResultLevel Level() const
    {
        if (!m_bands)
            return {};
        return {10.0 * std::log10(m_power), m_atLeast ? LevelBound::kAtLeast : LevelBound::kExact};
    }

private:
    double m_power = 0.0;
    bool m_bands = false;
    bool m_atLeast = false;
};

// --- NC rating ---------------------------------------------------------------------
// Levels are compared in whole units of 1/400 dB, so a level exactly on a
// curve is on it: band levels are whole eighths of a dB, the tabulated
// curves whole tenths, and a curve interpolated in fifths of the 5 NC
// between two tabulated ones whole fiftieths.

constexpr int kNcStep = 5;  // between tabulated curves

// Curve NC-n (15..65) in band, in 1/400 dB.
int CurveUnits(int n, int band)
{
    const int index = (n - 10) / kNcStep;  // the tabulated curve at or below n (NC-15 is 1)
    const int steps = (n - 10) % kNcStep;
    const int low = NcCurveTable::Level(index, band);
    const int high = steps ? NcCurveTable::Level(index + 1, band) : 0;
    return 8 * (low * (kNcStep - steps) + high * steps);
}

// The smallest N whose curve the band level (in 1/400 dB) does not exceed:
// one below the lowest when the level stays under NC-15, one above the
// highest when it exceeds NC-65.
int BandNc(int level, int band)
{
    constexpr int kLowest = AcousticResults::kLowestNc;
    constexpr int kHighest = AcousticResults::kHighestNc;
    if (level < CurveUnits(kLowest, band))
        return kLowest - 1;
    if (level > CurveUnits(kHighest, band))
        return kHighest + 1;
    // The first tabulated curve the level does not exceed, then back through
    // the curves between it and the one below.
    int n = kLowest;
    while (level > CurveUnits(n, band))
        n += kNcStep;
    while (n > kLowest && level <= CurveUnits(n - 1, band))
        --n;
    return n;
}

NcRating RateNc(const MemoryRecord& record, int reference)
{
    NcRating rating;
    int highest = 0;
    int closest = 0;  // of the bands that give highest, the smallest distance under its curve
    bool anyAbove = false;
    for (int band = 0; band < kBands; ++band) {
        const int code = record.bands[static_cast<std::size_t>(band)];
        if (code == 0)
            continue;
        anyAbove = anyAbove || code >= MemoryRecord::kTopCode;
        const int eighths = std::min(code, MemoryRecord::kTopCode) - MemoryRecord::kZeroCode + 8 * reference;
        const int level = 50 * eighths;
        const int n = BandNc(level, band);
        const int margin = n >= AcousticResults::kLowestNc && n <= AcousticResults::kHighestNc
                               ? level - CurveUnits(n, band)
                               : 0;
        if (rating.tangentBand < 0 || n > highest || (n == highest && margin > closest)) {
            highest = n;
            closest = margin;
            rating.tangentBand = band;
        }
    }
    if (rating.tangentBand < 0)
        return rating;  // no band in range
    if (highest < AcousticResults::kLowestNc) {
        // Under NC-15 but with a band whose true level is unknown, nothing can be said.
        return anyAbove ? NcRating{} : NcRating{NcRating::Kind::kBelowRange};
    }
    if (highest > AcousticResults::kHighestNc)
        return NcRating{NcRating::Kind::kAboveRange};
    rating.kind = NcRating::Kind::kCurve;
    rating.nc = highest;
    rating.atLeast = anyAbove;
    if (anyAbove)
        rating.tangentBand = -1;
    return rating;
}

}  // namespace

AcousticResults ComputeAcousticResults(const MemoryRecord& record)
{
    AcousticResults results;
    results.source = record.Source();
    results.reference = record.ReferenceLevel();
    const WeightingFactors& factors = Factors();
    EnergySum z, a, c;
    std::array<EnergySum, AcousticResults::kOctaves> octaves;
    for (std::size_t band = 0; band < kBands; ++band) {
        BandResult& result = results.bands[band];
        result.code = record.bands[band];
        LevelBound bound = LevelBound::kExact;
        if (result.code == 0)
            bound = LevelBound::kAtMost;
        else if (result.code >= MemoryRecord::kTopCode)
            bound = LevelBound::kAtLeast;
        const double dbr = MemoryRecord::BandLevel(result.code);
        const double level = dbr + results.reference;
        result.dbr = {dbr, bound};
        result.level = {level, bound};
        result.aLevel = {level + kAWeighting[band], bound};
        if (bound == LevelBound::kAtMost)
            continue;  // below range: left out of every sum
        const double power = Power(level);
        const bool atLeast = bound == LevelBound::kAtLeast;
        z.Add(power, atLeast);
        a.Add(power * factors.a[band], atLeast);
        c.Add(power * factors.c[band], atLeast);
        octaves[band / AcousticResults::kBandsPerOctave].Add(power, atLeast);
    }
    results.z = z.Level();
    results.a = a.Level();
    results.c = c.Level();
    for (std::size_t octave = 0; octave < octaves.size(); ++octave)
        results.octaves[octave] = octaves[octave].Level();
    if (results.source == MemoryRecord::kSourceMike)
        results.nc = RateNc(record, results.reference);
    return results;
}
