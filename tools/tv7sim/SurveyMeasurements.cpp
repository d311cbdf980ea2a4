#include "SurveyMeasurements.h"

#include "data/AcousticResults.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kBands = MemoryRecord::kBands;
constexpr std::uint8_t kWeightingC = 0x08;
constexpr int kMike = 1;
constexpr int kLeft = 2;
constexpr int kRight = 3;
constexpr int kSum = 4;
constexpr int kDiff = 5;

// The shapes of the spectra, by what makes the noise.
enum class Kind {
    kOffice,       // ventilation hiss: falls slowly, so the high octaves decide the NC rating
    kMeetingRoom,  // quieter ventilation: falls faster towards high frequencies
    kPlantRoom,    // fans: loud, with the blade tone at 100-160 Hz
    kCorridor,     // plant noise through a wall: low frequencies
    kLineInput,    // pink noise on a line input, band-limited at the ends
    kSourceRoom,   // a loudspeaker with pink noise for an insulation test
    kReceiving,    // the source room's noise through a wall of about Dw 45 dB
    kBackground,   // the receiving room with the loudspeaker off
};

struct Measurement {
    std::string_view note;
    Kind kind;
    double level;  // of the band that the shape starts from, dB (dBu for line inputs)
    int source;
    bool cWeighting;
    int ncCurve;  // the curve set on the analyser: 0 none, 1-11 NC-15 .. NC-65
};

// clang-format off
constexpr std::array<Measurement, 30> kSurvey{{
    {"Office 1.01, desk by the window", Kind::kOffice, 38.0, kMike, false, 5},
    {"Office 1.02, desk by the door", Kind::kOffice, 34.0, kMike, false, 4},
    {"Open-plan office, level 2, centre", Kind::kOffice, 43.0, kMike, false, 6},
    {"Open-plan office, level 2, by the riser", Kind::kOffice, 47.5, kMike, false, 7},
    {"Meeting room A, ventilation on", Kind::kMeetingRoom, 40.0, kMike, false, 4},
    {"Meeting room B, projector on", Kind::kMeetingRoom, 44.0, kMike, false, 5},
    {"Board room", Kind::kMeetingRoom, 36.5, kMike, false, 3},
    {"Reception desk", Kind::kOffice, 41.0, kMike, false, 6},
    {"Plant room, AHU-1 running", Kind::kPlantRoom, 88.0, kMike, false, 11},
    {"Corridor by the plant room, flat", Kind::kCorridor, 62.0, kMike, false, 9},
    {"Corridor by the plant room, C weighted", Kind::kCorridor, 62.0, kMike, true, 9},
    {"Line input left: pink noise", Kind::kLineInput, -12.0, kLeft, false, 0},
    {"Line input right: pink noise", Kind::kLineInput, -12.5, kRight, false, 0},
    {"Line inputs summed", Kind::kLineInput, -6.0, kSum, false, 0},
    {"Line inputs, difference: the residual", Kind::kLineInput, -40.0, kDiff, false, 0},
    {"Wall 2.10/2.11: source room 2.10", Kind::kSourceRoom, 92.0, kMike, false, 0},
    {"Wall 2.10/2.11: receiving room 2.11", Kind::kReceiving, 92.0, kMike, false, 0},
    {"Wall 2.10/2.11: background in 2.11", Kind::kBackground, 42.0, kMike, false, 3},
    {"Office 2.01", Kind::kOffice, 32.0, kMike, false, 3},
    {"Office 2.02", Kind::kOffice, 35.5, kMike, false, 4},
    {"Office 2.03, fan coil on high", Kind::kOffice, 45.0, kMike, false, 7},
    {"Office 2.03, fan coil on low", Kind::kOffice, 37.0, kMike, false, 5},
    {"Meeting room C", Kind::kMeetingRoom, 42.0, kMike, false, 5},
    {"Quiet room", Kind::kMeetingRoom, 33.0, kMike, false, 3},
    {"Kitchen, extract fan on", Kind::kOffice, 48.0, kMike, true, 8},
    {"Print room", Kind::kOffice, 46.0, kMike, false, 7},
    {"Office 3.01", Kind::kOffice, 36.0, kMike, false, 4},
    {"Office 3.02", Kind::kOffice, 39.0, kMike, false, 5},
    {"Stairwell, level 3", Kind::kCorridor, 50.0, kMike, false, 6},
    {"Roof, by the condenser units", Kind::kPlantRoom, 80.0, kMike, true, 10},
}};
// clang-format on

// The reference curve of a weighted level difference at 100 Hz .. 3150 Hz
// (bands 6..21), and how far under it the wall lies.
constexpr int kFirstRatedBand = 6;
constexpr std::array<double, 16> kReferenceCurve{33, 36, 39, 42, 45, 48, 51, 52,
                                                 53, 54, 55, 56, 56, 56, 56, 56};
constexpr double kWallUnderReference = 8.0;

// Pink noise from a loudspeaker: rising 0.7 dB a band to lift the high
// bands of the receiving room, rolling off at both ends.
double SourceRoom(double level, int band)
{
    constexpr double kRise = 0.7;
    if (band < 4)
        return level - 4.0 * (4 - band);
    if (band > 26)
        return level + kRise * 22 - 4.0 * (band - 26);
    return level + kRise * (band - 4);
}

// The sound insulation of the wall, dB: the reference curve lowered, a
// little less at low frequencies and a dip at its coincidence (2.5 kHz).
double Wall(int band)
{
    const int rated = band - kFirstRatedBand;
    if (rated < 0)
        return kReferenceCurve.front() - kWallUnderReference - 1.0 * -rated;
    if (rated >= static_cast<int>(kReferenceCurve.size()))
        return kReferenceCurve.back() - kWallUnderReference + 1.0 * (rated - 15);
    const double dip = band == 20 ? 3.0 : band == 19 || band == 21 ? 1.5 : 0.0;
    return kReferenceCurve[static_cast<std::size_t>(rated)] - kWallUnderReference - dip;
}

double BandLevel(const Measurement& m, int band)
{
    switch (m.kind) {
    case Kind::kOffice:
        return band >= 4 ? m.level - 0.6 * (band - 4) : m.level - 1.5 * (4 - band);
    case Kind::kMeetingRoom:
        return band >= 4 ? m.level - 0.9 * (band - 4) : m.level - 1.0 * (4 - band);
    case Kind::kPlantRoom:
        return m.level - 0.7 * band + (band >= 6 && band <= 8 ? 6.0 : 0.0);
    case Kind::kCorridor:
        return m.level - 0.8 * band;
    case Kind::kLineInput:
        return band < 2 ? m.level - 5.0 * (2 - band) : band > 27 ? m.level - 5.0 * (band - 27) : m.level;
    case Kind::kSourceRoom:
        return SourceRoom(m.level, band);
    case Kind::kReceiving:
        return SourceRoom(m.level, band) - Wall(band);
    case Kind::kBackground:
        return m.level - 0.9 * band;
    }
    return 0.0;
}

// A little ripple, different for every measurement and band but the same
// for the two of a flat and C pair: -0.4 .. +0.4 dB.
double Ripple(const Measurement& m, int band)
{
    const long seed = std::lround(std::abs(m.level) * 10) + static_cast<long>(m.kind);
    return static_cast<double>((seed * 7 + band * 13) % 9 - 4) * 0.1;
}

// The energy total of band levels, dB.
double Total(const std::array<double, kBands>& levels)
{
    double power = 0.0;
    for (const double level : levels)
        power += std::pow(10.0, level / 10.0);
    return 10.0 * std::log10(power);
}

// A level as a code of a record with reference: 1/8 dB steps from 160 at
// the reference, 0 below the range and 194 above it.
std::uint8_t Code(double level, int reference)
{
    const long code = std::lround(MemoryRecord::kZeroCode + MemoryRecord::kCodesPerDb * (level - reference));
    return static_cast<std::uint8_t>(std::clamp<long>(code < 1 ? 0 : code, 0, MemoryRecord::kTopCode));
}

}  // namespace

MemoryRecord SurveyMeasurement(int index)
{
    const Measurement& m = kSurvey[static_cast<std::size_t>(index)];
    std::array<double, kBands> levels{};
    for (int band = 0; band < kBands; ++band)
        levels[static_cast<std::size_t>(band)] = BandLevel(m, band) + Ripple(m, band);
    // The range set as a surveyor sets it: the loudest band about 2 dB under
    // its top, and the wideband level (up to 14.25 dB over the reference)
    // in it too.
    constexpr double kBandHeadroom = 2.0;
    constexpr double kWidebandTop = 12.0;
    const double loudest = *std::max_element(levels.begin(), levels.end());
    const int reference =
        static_cast<int>(std::lround(std::max(loudest - kBandHeadroom, Total(levels) - kWidebandTop)));

    MemoryRecord record;
    record.mode = static_cast<std::uint8_t>(m.source | (m.cWeighting ? kWeightingC : 0) | (m.ncCurve << 4));
    const int offset = m.source == kMike ? 0 : MemoryRecord::kLineInputOffset;
    record.refCode = static_cast<std::uint8_t>(MemoryRecord::kRefLevelOfCodeZero - offset - reference);
    for (int band = 0; band < kBands; ++band)
        record.bands[static_cast<std::size_t>(band)] =
            Code(levels[static_cast<std::size_t>(band)], reference);
    // The wideband level the analyser shows is the total of its bands, C
    // weighted when the weighting is set.
    // Wideband code 160 stands 10 dB above the reference.
    const AcousticResults results = ComputeAcousticResults(record);
    const ResultLevel& total = m.cWeighting ? results.c : results.z;
    if (total.bound != LevelBound::kNone)
        record.wideband = Code(total.value - MemoryRecord::kWidebandOffset, reference);
    record.checksum = record.ComputeChecksum();
    return record;
}

std::string_view SurveyMeasurementNote(int index)
{
    return kSurvey[static_cast<std::size_t>(index)].note;
}
