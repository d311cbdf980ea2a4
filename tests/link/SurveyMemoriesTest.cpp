// The simulated analyser's built-in memories: a plausible survey of an office building.

#include "data/AcousticResults.h"
#include "data/LevelDifference.h"
#include "data/ResultText.h"
#include "tv7sim/SurveyMeasurements.h"
#include "tv7sim/TalvekAnalyser.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kMike = 1;

SpectrumFile Survey()
{
    SpectrumFile file{};
    for (int memory = 0; memory < SpectrumFile::kRecords; ++memory)
        file.records[static_cast<std::size_t>(memory)] = TalvekAnalyser::BuiltInMeasurement(memory);
    return file;
}

// Offices, meeting rooms and the like, with their ventilation running.
constexpr int kRooms[] = {0, 1, 2, 3, 4, 5, 6, 7, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27};
constexpr int kPlantRoom = 8;
constexpr int kFlatOfPair = 9;
constexpr int kCOfPair = 10;
constexpr int kLineInputs[] = {11, 12, 13, 14};
constexpr int kSourceRoom = 15;
constexpr int kReceivingRoom = 16;
constexpr int kBackground = 17;

}  // namespace

TEST(SurveyMemories, EveryMemoryHasItsWidebandLevelAndChecksum)
{
    for (int memory = 0; memory < SpectrumFile::kRecords; ++memory) {
        const MemoryRecord record = TalvekAnalyser::BuiltInMeasurement(memory);
        const AcousticResults results = ComputeAcousticResults(record);
        const ResultLevel total = record.Weighting() ? results.c : results.z;
        const ResultLevel wideband = RecordWidebandLevel(record);
        EXPECT_EQ(wideband.bound, LevelBound::kExact) << SurveyMeasurementNote(memory);
        EXPECT_NEAR(wideband.value, total.value, 1.0 / 16) << SurveyMeasurementNote(memory);
        EXPECT_EQ(record.checksum, record.ComputeChecksum());
    }
}

TEST(SurveyMemories, RoomsRateNc25ToNc45AndThePlantRoomMore)
{
    for (const int memory : kRooms) {
        const AcousticResults results = ComputeAcousticResults(TalvekAnalyser::BuiltInMeasurement(memory));
        EXPECT_EQ(results.nc.kind, NcRating::Kind::kCurve) << SurveyMeasurementNote(memory);
        EXPECT_FALSE(results.nc.atLeast) << SurveyMeasurementNote(memory);
        EXPECT_GE(results.nc.number, 25) << SurveyMeasurementNote(memory);
        EXPECT_LE(results.nc.number, 45) << SurveyMeasurementNote(memory);
    }
    const NcRating plant = ComputeAcousticResults(TalvekAnalyser::BuiltInMeasurement(kPlantRoom)).nc;
    EXPECT_TRUE(plant.kind == NcRating::Kind::kAboveRange || plant.number >= 60) << NcRatingText(plant);
}

TEST(SurveyMemories, AFlatAndCPairAndLineInputsWithoutRating)
{
    const MemoryRecord flat = TalvekAnalyser::BuiltInMeasurement(kFlatOfPair);
    const MemoryRecord c = TalvekAnalyser::BuiltInMeasurement(kCOfPair);
    EXPECT_EQ(flat.bands, c.bands);
    EXPECT_EQ(flat.Weighting(), 0);
    EXPECT_EQ(c.Weighting(), 1);
    EXPECT_LT(c.wideband, flat.wideband);
    int source = 2;
    for (const int memory : kLineInputs) {
        const MemoryRecord record = TalvekAnalyser::BuiltInMeasurement(memory);
        EXPECT_EQ(record.Source(), source++);
        EXPECT_EQ(record.Weighting(), 0);
        EXPECT_EQ(record.NcCurve(), 0);
        EXPECT_EQ(ComputeAcousticResults(record).nc, NcRating{});
    }
}

TEST(SurveyMemories, AWallOfAboutDw45)
{
    LevelDifference difference;
    ASSERT_FALSE(DifferenceOfRecords(Survey(), kSourceRoom, kReceivingRoom, kBackground, difference));
    EXPECT_TRUE(difference.weighted.valid);
    EXPECT_FALSE(difference.weighted.limited);
    EXPECT_GE(difference.weighted.rating, 44);
    EXPECT_LE(difference.weighted.rating, 46);
    // The background lies more than 10 dB under the receiving room's level: no correction.
    EXPECT_EQ(std::count(difference.atLimit.begin(), difference.atLimit.end(), true), 0);
    EXPECT_EQ(TalvekAnalyser::BuiltInMeasurement(kBackground).Source(), kMike);
}
