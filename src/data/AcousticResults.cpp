#include "data/AcousticResults.h"

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

// Code 0 is below range, codes from 194 up above it.
LevelBound CodeBound(int code)
{
    if (code == 0)
        return LevelBound::kAtMost;
    return code >= MemoryRecord::kTopCode ? LevelBound::kAtLeast : LevelBound::kExact;
}

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
        const LevelBound bound = CodeBound(result.code);
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
    if (results.source == MemoryRecord::kSourceMike) {
        results.nc = RateNc(results.octaves);
        results.nr = RateNr(results.octaves);
    }
    return results;
}

BandLevels RecordBandLevels(const MemoryRecord& record)
{
    const int reference = record.ReferenceLevel();
    BandLevels levels;
    for (std::size_t band = 0; band < kBands; ++band)
        levels[band] = {static_cast<double>(MemoryRecord::BandLevel(record.bands[band])) + reference,
                        CodeBound(record.bands[band])};
    return levels;
}

ResultLevel RecordWidebandLevel(const MemoryRecord& record)
{
    return {record.ReferenceLevel() + static_cast<double>(MemoryRecord::WidebandLevel(record.wideband)),
            CodeBound(record.wideband)};
}
