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

// The powers that turn band levels into energy: 10^(dBr/10) of every band
// code in range, and the weightings as factors, so that a record needs one
// power, for its reference, and none per band.
struct PowerTables {
    std::array<double, MemoryRecord::kTopCode + 1> codes{};
    std::array<double, kBands> a{};
    std::array<double, kBands> c{};
};

const PowerTables& Powers()
{
    static const PowerTables tables = [] {
        PowerTables t;
        for (std::size_t code = 0; code < t.codes.size(); ++code)
            t.codes[code] = Power(MemoryRecord::BandLevel(static_cast<int>(code)));
        for (std::size_t band = 0; band < kBands; ++band) {
            t.a[band] = Power(kAWeighting[band]);
            t.c[band] = Power(kCWeighting[band]);
        }
        return t;
    }();
    return tables;
}

// The energy sum 10 log10(sum of 10^(L/10)) of the bands in range added to it.
class EnergySum {
public:
    void Add(double power, bool atLeast)
    {
        m_power += power;
        m_hasBands = true;
        m_atLeast = m_atLeast || atLeast;
    }

    ResultLevel Level() const
    {
        if (!m_hasBands)
            return {};
        return {10.0 * std::log10(m_power), m_atLeast ? LevelBound::kAtLeast : LevelBound::kExact};
    }

private:
    double m_power = 0.0;
    bool m_hasBands = false;
    bool m_atLeast = false;
};

// --- NC rating ---------------------------------------------------------------------
// Levels are compared in whole units of 1/400 dB, so a level exactly on a
// curve is on it: band levels are whole eighths of a dB, the tabulated
// curves whole tenths, and a curve interpolated in fifths of the 5 NC
// between two tabulated ones whole fiftieths.

constexpr int kNcStep = 5;  // between tabulated curves
constexpr int kLowestNc = AcousticResults::kLowestNc;
constexpr int kHighestNc = AcousticResults::kHighestNc;

// Every curve NC-15 .. NC-65 in 1/400 dB, band by band, rising with N.
using BandCurves = std::array<int, kHighestNc - kLowestNc + 1>;
using CurveTable = std::array<BandCurves, kBands>;

const CurveTable& Curves()
{
    static const CurveTable curves = [] {
        CurveTable table{};
        for (int band = 0; band < kBands; ++band) {
            for (int n = kLowestNc; n <= kHighestNc; ++n) {
                const int index = (n - 10) / kNcStep;  // the tabulated curve at or below n (NC-15 is 1)
                const int steps = (n - 10) % kNcStep;
                const int low = NcCurveTable::Level(index, band);
                const int high = steps ? NcCurveTable::Level(index + 1, band) : 0;
                table[static_cast<std::size_t>(band)][static_cast<std::size_t>(n - kLowestNc)] =
                    8 * (low * (kNcStep - steps) + high * steps);
            }
        }
        return table;
    }();
    return curves;
}

// What a band level says about the rating.
struct BandNc {
    int nc;      // the smallest N whose curve the level does not exceed; 14 under NC-15, 66 over NC-65
    int margin;  // level minus that curve (0 at most), 0 for 14 and 66
};

BandNc RateBand(int level, const BandCurves& curves)
{
    const auto curve = std::lower_bound(curves.begin(), curves.end(), level);
    if (curve == curves.end())
        return {kHighestNc + 1, 0};
    if (curve == curves.begin() && level < *curve)
        return {kLowestNc - 1, 0};
    return {kLowestNc + static_cast<int>(curve - curves.begin()), level - *curve};
}

NcRating RateNc(const MemoryRecord& record, int reference)
{
    NcRating rating;
    int highest = 0;
    int closest = 0;  // of the bands that give highest, the smallest distance under its curve
    bool anyAbove = false;
    const CurveTable& curves = Curves();
    for (int band = 0; band < kBands; ++band) {
        const int code = record.bands[static_cast<std::size_t>(band)];
        if (code == 0)
            continue;
        anyAbove = anyAbove || code >= MemoryRecord::kTopCode;
        const int eighths = std::min(code, MemoryRecord::kTopCode) - MemoryRecord::kZeroCode + 8 * reference;
        const int level = 50 * eighths;
        const BandNc rated = RateBand(level, curves[static_cast<std::size_t>(band)]);
        if (rating.tangentBand < 0 || rated.nc > highest || (rated.nc == highest && rated.margin > closest)) {
            highest = rated.nc;
            closest = rated.margin;
            rating.tangentBand = band;
        }
    }
    if (rating.tangentBand < 0)
        return rating;  // no band in range
    if (highest < kLowestNc) {
        // Under NC-15 but with a band whose true level is unknown, nothing can be said.
        return anyAbove ? NcRating{} : NcRating{NcRating::Kind::kBelowRange};
    }
    if (highest > kHighestNc)
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
    const PowerTables& powers = Powers();
    const double referencePower = Power(results.reference);
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
        const double power =
            powers.codes[static_cast<std::size_t>(std::min(result.code, MemoryRecord::kTopCode))] *
            referencePower;
        const bool atLeast = bound == LevelBound::kAtLeast;
        z.Add(power, atLeast);
        a.Add(power * powers.a[band], atLeast);
        c.Add(power * powers.c[band], atLeast);
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
