// Level differences with the background correction, Dw (C; Ctr), DnT and DnT,w.

#include "data/LevelDifference.h"
#include "data/ResultText.h"
#include "support/SampleDocument.h"

#include <algorithm>

namespace {

constexpr int kMike = 1;
constexpr int kLeft = 2;

// The reference curve of the rating, 100 Hz .. 3150 Hz, dB.
constexpr double kReference[kRatedBands] = {33, 36, 39, 42, 45, 48, 51, 52, 53, 54, 55, 56, 56, 56, 56, 56};

BandLevels Levels(double value, LevelBound bound = LevelBound::kExact)
{
    BandLevels levels;
    levels.fill({value, bound});
    return levels;
}

RatedLevels Rated(const double (&values)[kRatedBands])
{
    RatedLevels rated;
    for (std::size_t band = 0; band < rated.size(); ++band)
        rated[band] = {values[band], LevelBound::kExact};
    return rated;
}

}  // namespace

TEST(LevelDifferences, BackgroundCorrectionAtItsEdges)
{
    // 80 dB in the source room, the background at 40 dB.
    struct Case {
        double receive;
        const char* d;
        bool atLimit;
    };
    const Case cases[] = {
        {46.0, ">35.3", true},  // 6.0 dB over the background: at the limit, L2 - 1.3
        {46.1, "35.1", false},  // 10 log10(10^4.61 - 10^4.0) = 44.88
        {49.9, "30.6", false},  // 10 log10(10^4.99 - 10^4.0) = 49.43
        {50.0, "30.0", false},  // 10 dB over: no correction
        {30.0, ">51.3", true},  // under the background
    };
    const BandLevels background = Levels(40.0);
    for (const Case& c : cases) {
        const LevelDifference d = DifferenceOfLevels(Levels(80.0), Levels(c.receive), &background);
        EXPECT_EQ(ResultText(d.bands[10]), c.d) << c.receive;
        EXPECT_EQ(d.atLimit[10], c.atLimit) << c.receive;
    }
    // Without background, or with one below range (counted at its level), as measured.
    EXPECT_EQ(ResultText(DifferenceOfLevels(Levels(80.0), Levels(46.0), nullptr).bands[10]), "34.0");
    const BandLevels below = Levels(40.0, LevelBound::kAtMost);
    EXPECT_EQ(ResultText(DifferenceOfLevels(Levels(80.0), Levels(50.0), &below).bands[10]), "30.0");
    // A background above range may hide anything under it: at the limit.
    const BandLevels above = Levels(20.0, LevelBound::kAtLeast);
    const LevelDifference hidden = DifferenceOfLevels(Levels(80.0), Levels(50.0), &above);
    EXPECT_EQ(ResultText(hidden.bands[10]), ">31.3");
    EXPECT_TRUE(hidden.atLimit[10]);
}

TEST(LevelDifferences, BoundsOfTheLevels)
{
    struct Case {
        LevelBound source;
        LevelBound receive;
        const char* d;
    };
    const Case cases[] = {
        {LevelBound::kExact, LevelBound::kExact, "30.0"},
        {LevelBound::kAtMost, LevelBound::kExact, ""},  // source room below range
        {LevelBound::kAtLeast, LevelBound::kExact, ">30.0"},
        {LevelBound::kExact, LevelBound::kAtMost, ">30.0"},
        {LevelBound::kExact, LevelBound::kAtLeast, "<30.0"},
        {LevelBound::kAtLeast, LevelBound::kAtLeast, ""},  // both bounds
        {LevelBound::kExact, LevelBound::kEither, ""},
    };
    for (const Case& c : cases) {
        const LevelDifference d =
            DifferenceOfLevels(Levels(80.0, c.source), Levels(50.0, c.receive), nullptr);
        EXPECT_EQ(ResultText(d.bands[0]), c.d);
    }
}

TEST(WeightedDifferences, ReferenceCurveAndFlatCurve)
{
    // Two steps up the deviations of the reference curve add up to exactly 32.0 dB.
    EXPECT_EQ(RateWeightedDifference(Rated(kReference)), (WeightedDifference{true, 54, -2, -6, false}));
    // 0.1 dB lower in one band, they are 32.1 dB: one step less.
    double lower[kRatedBands];
    std::copy(std::begin(kReference), std::end(kReference), lower);
    lower[15] -= 0.1;
    EXPECT_EQ(RateWeightedDifference(Rated(lower)).rating, 53);
    // Flat 40 dB: at 40 the deviations are 4 x 1 + 5 x 4 + ... = 26 dB, at 41 35 dB;
    // both spectra add up to 0 dB.
    const double flat[kRatedBands] = {40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40};
    const WeightedDifference weighted = RateWeightedDifference(Rated(flat));
    EXPECT_EQ(weighted, (WeightedDifference{true, 40, 0, 0, false}));
    EXPECT_EQ(WeightedDifferenceText(weighted), "40 (0; 0)");
}

TEST(WeightedDifferences, EmptyOrLimitedValues)
{
    RatedLevels rated = Rated(kReference);
    rated[3].bound = LevelBound::kAtLeast;
    const WeightedDifference limited = RateWeightedDifference(rated);
    EXPECT_TRUE(limited.valid);
    EXPECT_TRUE(limited.limited);
    EXPECT_EQ(WeightedDifferenceText(limited), "54 (-2; -6) limited");
    rated[3].bound = LevelBound::kNone;
    EXPECT_EQ(RateWeightedDifference(rated), WeightedDifference{});
    EXPECT_EQ(WeightedDifferenceText(WeightedDifference{}), "");
    // Bands outside 100 Hz .. 3150 Hz do not enter the rating.
    BandLevels bands = Levels(40.0);
    bands[5] = {};
    bands[22] = {};
    EXPECT_EQ(DifferenceOfLevels(bands, Levels(0.0), nullptr).weighted.rating, 40);
}

TEST(StandardizedDifferences, ReverberationTimes)
{
    const LevelDifference d = DifferenceOfLevels(Levels(80.0), Levels(40.0), nullptr);
    StandardizedDifference dnt;
    ASSERT_FALSE(StandardizeDifference(d, {0.5}, dnt));
    EXPECT_EQ(dnt.bands, RatedBandsOf(d.bands));
    EXPECT_EQ(dnt.weighted, d.weighted);
    std::vector<double> times(kRatedBands, 0.5);
    times[15] = 1.0;  // + 10 log10(2)
    ASSERT_FALSE(StandardizeDifference(d, times, dnt));
    EXPECT_EQ(ResultText(dnt.bands[15]), "43.0");
    EXPECT_EQ(ResultText(dnt.bands[14]), "40.0");

    const StandardizedDifference before = dnt;
    EXPECT_EQ(StandardizeDifference(d, {0.5, 0.5}, dnt), SurveyError{SurveyError::Kind::kTimeCount});
    EXPECT_EQ(StandardizeDifference(d, {}, dnt), SurveyError{SurveyError::Kind::kTimeCount});
    EXPECT_EQ(StandardizeDifference(d, {0.0}, dnt), (SurveyError{SurveyError::Kind::kTimeNotPositive, 0}));
    times[7] = -1.0;
    EXPECT_EQ(StandardizeDifference(d, times, dnt), (SurveyError{SurveyError::Kind::kTimeNotPositive, 7}));
    EXPECT_EQ(SurveyErrorText({SurveyError::Kind::kTimeNotPositive, 7}),
              "Reverberation time 8 must be above 0 s");
    EXPECT_EQ(dnt, before);

    std::vector<double> parsed;
    EXPECT_TRUE(ParseReverberationTimes("0.5", parsed));
    EXPECT_EQ(parsed, std::vector<double>{0.5});
    EXPECT_TRUE(ParseReverberationTimes("0.5,1,0.75", parsed));
    EXPECT_EQ(parsed, (std::vector<double>{0.5, 1.0, 0.75}));
    for (const char* bad : {"", "0.5,", ",0.5", "0,5;1", "1e3", "x", "0.5 "}) {
        EXPECT_FALSE(ParseReverberationTimes(bad, parsed)) << bad;
        EXPECT_TRUE(parsed.empty()) << bad;
    }
}

class RecordDifferences : public DocumentTest {
protected:
    // Record 1 the source room (90 dB SPL), 2 the receiving room (50 dB SPL),
    // 3 the background (38 dB SPL), 4 a line input; record 5 empty.
    RecordDifferences()
    {
        const int references[] = {90, 50, 38, 0};
        for (int record = 0; record < 4; ++record) {
            Record(record).bands.fill(160);
            Record(record).refCode = static_cast<std::uint8_t>(125 - references[record]);
            Record(record).mode = kMike;
        }
        Record(3).mode = kLeft;
        Record(3).refCode = 15;
    }
};

TEST_F(RecordDifferences, OfTheRooms)
{
    LevelDifference d;
    ASSERT_FALSE(DifferenceOfRecords(doc.Data(), 0, 1, 2, d));
    // 12 dB over the background: no correction; Dw of a flat 40 dB.
    EXPECT_EQ(ResultText(d.bands[0]), "40.0");
    EXPECT_EQ(d.weighted, (WeightedDifference{true, 40, 0, 0, false}));
    Record(2).refCode = 125 - 44;  // 6 dB under the receiving room
    ASSERT_FALSE(DifferenceOfRecords(doc.Data(), 0, 1, 2, d));
    EXPECT_EQ(ResultText(d.bands[0]), ">41.3");
    EXPECT_TRUE(d.weighted.limited);
}

TEST_F(RecordDifferences, Refusals)
{
    LevelDifference d;
    const LevelDifference before = d;
    EXPECT_EQ(DifferenceOfRecords(doc.Data(), 0, 3, -1, d),
              (SurveyError{SurveyError::Kind::kDifferentUnits, 3, 0}));
    EXPECT_EQ(DifferenceOfRecords(doc.Data(), 0, 1, 3, d),
              (SurveyError{SurveyError::Kind::kDifferentUnits, 3, 0}));
    EXPECT_EQ(DifferenceOfRecords(doc.Data(), 0, 4, -1, d),
              (SurveyError{SurveyError::Kind::kRecordNotInUse, 4}));
    EXPECT_EQ(DifferenceOfRecords(doc.Data(), 0, 0, -1, d),
              (SurveyError{SurveyError::Kind::kRepeatedRecord, 0, 0}));
    EXPECT_EQ(DifferenceOfRecords(doc.Data(), 0, 1, 1, d),
              (SurveyError{SurveyError::Kind::kRepeatedRecord, 1, 1}));
    EXPECT_EQ(DifferenceOfRecords(doc.Data(), 0, 30, -1, d),
              (SurveyError{SurveyError::Kind::kBadRecord, 30}));
    EXPECT_EQ(d, before);
    EXPECT_EQ(SurveyErrorText({SurveyError::Kind::kRepeatedRecord, 1, 1}),
              "Record 2 cannot stand for two rooms");
}
