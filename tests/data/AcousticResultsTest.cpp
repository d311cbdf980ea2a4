// Acoustic results of hand-worked records: band levels, octave bands, totals, NC rating.

#include "data/AcousticResults.h"
#include "data/ResultText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kMike = 1;
constexpr int kLeft = 2;

// A record of source with every band at code and the reference code refCode.
MemoryRecord Flat(int source, int refCode, int code)
{
    MemoryRecord record;
    record.bands.fill(static_cast<std::uint8_t>(code));
    record.refCode = static_cast<std::uint8_t>(refCode);
    record.mode = static_cast<std::uint8_t>(source);
    return record;
}

MemoryRecord WithBand(MemoryRecord record, int band, int code)
{
    record.bands[static_cast<std::size_t>(band)] = static_cast<std::uint8_t>(code);
    return record;
}

// The ten octave texts, separated by spaces.
std::string OctaveTexts(const AcousticResults& results)
{
    std::string text = ResultText(results.octaves[0]);
    for (std::size_t octave = 1; octave < results.octaves.size(); ++octave)
        text += " " + ResultText(results.octaves[octave]);
    return text;
}

const std::string kFlatOctaves = "44.8 44.8 44.8 44.8 44.8 44.8 44.8 44.8 44.8 44.8";

}  // namespace

// ---- totals and octave bands ---------------------------------------------------------

struct TotalsCase {
    const char* name;
    MemoryRecord record;
    std::string line;
    std::string octaves;
};

void PrintTo(const TotalsCase& c, std::ostream* os)
{
    *os << c.name;
}

class AcousticTotals : public ::testing::TestWithParam<TotalsCase> {};

TEST_P(AcousticTotals, GiveTheHandWorkedLevels)
{
    const AcousticResults results = ComputeAcousticResults(GetParam().record);
    EXPECT_EQ(ResultsLine(results), GetParam().line);
    EXPECT_EQ(OctaveTexts(results), GetParam().octaves);
}

INSTANTIATE_TEST_SUITE_P(
    Records, AcousticTotals,
    ::testing::Values(
        // 40 dB in every band: Z is 40 + 10 log10(30), an octave 40 + 10 log10(3);
        // 44.8 dB at 8 kHz is NC-47.8 (NC-45 42, NC-50 47) and NR-51.3 ((44.8 + 8) / 1.03).
        TotalsCase{"flat", Flat(kMike, 85, 160), "LZ 54.8  LA 51.9  LC 53.6 dB SPL  NC 48 (8K)  NR 52 (8K)",
                   kFlatOctaves},
        // 110 dB SPL at 125 Hz alone: A -16.1, C -0.2 dB; over NC-70 (79 dB), NR-101.1 ((110 - 22) / 0.87).
        TotalsCase{"single band", WithBand(Flat(kMike, 15, 0), 7, 160),
                   "LZ 110.0  LA 93.9  LC 109.8 dB SPL  NC >70  NR 102 (125)", "  110.0       "},
        // 25 Hz below range is left out (its octave sums two bands: 113.0); 20 kHz
        // above range counts at 114.25 dB and makes its sums lower bounds; the
        // 16 kHz octave enters neither rating, so NR (119.2 at 8 kHz) is exact.
        TotalsCase{"below and above range", WithBand(WithBand(Flat(kMike, 15, 160), 0, 0), 29, 255),
                   "LZ >124.9  LA >122.0  LC >123.6 dB SPL  NC >70  NR 120 (8K)",
                   "113.0 114.8 114.8 114.8 114.8 114.8 114.8 114.8 114.8 >116.7"},
        // Code 193 is the top of the range (4.125 dBr), code 194 above it (counted as 4.25).
        TotalsCase{"code 193", WithBand(Flat(kMike, 15, 0), 16, 193),
                   "LZ 114.1  LA 114.1  LC 114.1 dB SPL  NC >70  NR 115 (1K)", "     114.1    "},
        TotalsCase{"code 194", WithBand(Flat(kMike, 15, 0), 16, 194),
                   "LZ >114.3  LA >114.3  LC >114.3 dB SPL  NC >70  NR >115 (1K)", "     >114.3    "},
        // The 1 kHz octave with a band above range (46.7 dB, NC-45.7 there) does
        // not decide the ratings, but they are lower bounds.
        TotalsCase{"flat with a band above range", WithBand(Flat(kMike, 85, 160), 16, 194),
                   "LZ >55.0  LA >52.4  LC >53.9 dB SPL  NC >48 (8K)  NR >52 (8K)",
                   "44.8 44.8 44.8 44.8 44.8 >46.7 44.8 44.8 44.8 44.8"},
        // Line inputs read in dBu (reference 15 - refCode) and have no rating.
        TotalsCase{"Left", Flat(kLeft, 15, 160), "LZ 14.8  LA 11.9  LC 13.6 dBu",
                   "4.8 4.8 4.8 4.8 4.8 4.8 4.8 4.8 4.8 4.8"},
        TotalsCase{"no source", Flat(0, 5, 160), "LZ 24.8  LA 21.9  LC 23.6",
                   "14.8 14.8 14.8 14.8 14.8 14.8 14.8 14.8 14.8 14.8"},
        TotalsCase{"every band below range", Flat(kMike, 15, 0), "LZ, LA, LC: no band in range",
                   "         "}),
    [](const auto& row) {
        std::string name = row.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(AcousticBands, AbsoluteAndAWeightedLevelsWithTheirRange)
{
    const AcousticResults results =
        ComputeAcousticResults(WithBand(WithBand(Flat(kMike, 15, 157), 0, 0), 26, 255));
    EXPECT_EQ(results.reference, 110);
    EXPECT_EQ(results.source, kMike);
    struct Row {
        int band;
        int code;
        const char* dbr;
        const char* level;
        const char* aLevel;
    };
    const Row rows[] = {
        {0, 0, "<-20.0", "<90.0", "<45.3"},     // below range: at the bottom of it, an upper bound
        {16, 157, "-0.4", "109.6", "109.6"},    // -0.375 dBr, halves away from zero
        {17, 157, "-0.4", "109.6", "110.2"},    // A +0.6 at 1.25 kHz
        {26, 255, ">4.3", ">114.3", ">111.8"},  // above range: counted as code 194; A -2.5
    };
    for (const Row& row : rows) {
        const BandResult& band = results.bands[static_cast<std::size_t>(row.band)];
        EXPECT_EQ(band.code, row.code) << row.band;
        EXPECT_EQ(ResultText(band.dbr), row.dbr) << row.band;
        EXPECT_EQ(ResultText(band.level), row.level) << row.band;
        EXPECT_EQ(ResultText(band.aLevel), row.aLevel) << row.band;
    }
}

// ---- ratings of records ----------------------------------------------------------------

TEST(AcousticRatings, RateTheRecordsOctaves)
{
    // 40 dB SPL in the thirds from 1.6 kHz up: against the third-octave curves
    // that was NC-50 at 20 kHz; by octaves (44.8 dB) it is NC-45.8 at 2 kHz and
    // NC-47.8 at 8 kHz, NR-51.3 at 8 kHz.
    MemoryRecord record = Flat(kMike, 85, 0);
    for (int band = 18; band < MemoryRecord::kBands; ++band)
        record.bands[static_cast<std::size_t>(band)] = 160;
    const AcousticResults results = ComputeAcousticResults(record);
    EXPECT_EQ(results.nc, (NcRating{NcRating::Kind::kCurve, 48, false, 8}));
    EXPECT_EQ(results.nr, (NrRating{NrRating::Kind::kCurve, 52, false, 8}));
    // Line inputs have neither rating.
    EXPECT_EQ(ComputeAcousticResults(Flat(kLeft, 75, 160)).nc, NcRating{});
    EXPECT_EQ(ComputeAcousticResults(Flat(kLeft, 75, 160)).nr, NrRating{});
}

// ---- texts -------------------------------------------------------------------------------

TEST(ResultTexts, DecimalPointAndBounds)
{
    EXPECT_EQ(ResultText({110.0, LevelBound::kExact}, ','), "110,0");
    EXPECT_EQ(ResultText({-3.04, LevelBound::kAtLeast}, ','), ">-3,0");
    EXPECT_EQ(ResultText({4.25, LevelBound::kExact}), "4.3");
    EXPECT_EQ(ResultText({-20.0, LevelBound::kAtMost}), "<-20.0");
    EXPECT_EQ(ResultText({12.0, LevelBound::kNone}), "");
    EXPECT_EQ(LevelUnit(kMike), "dB SPL");
    EXPECT_EQ(LevelUnit(7), "dBu");
    EXPECT_EQ(LevelUnit(0), "");
}

TEST(ResultTexts, ExactHalvesOfWeightedLevelsRoundAwayFromZero)
{
    // -3 dB SPL reference, 1.25 dB SPL in the bands above range: with A
    // -1.9 dB at 630 Hz and -1.1 dB at 8 kHz the sums lie a hair inside their
    // halves in binary.
    const AcousticResults results =
        ComputeAcousticResults(WithBand(WithBand(Flat(kMike, 128, 0), 14, 194), 25, 194));
    EXPECT_EQ(ResultText(results.bands[14].aLevel), ">-0.7");
    EXPECT_EQ(ResultText(results.bands[25].aLevel), ">0.2");
}
