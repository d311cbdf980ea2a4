// The sound insulation as the desktop program shows, copies and exports it:
// the ratings' texts, the corrected receiving level and the CSV.

#include "data/InsulationTable.h"
#include "data/SpectrumFile.h"

#include <gtest/gtest.h>

namespace {

// Records 1 (source room, 97 dB SPL), 2 (receiving room, 50) and 3 (its
// background, 40; 44 at 1 kHz) of one file.
SpectrumFile Wall()
{
    SpectrumFile data;
    for (auto& comment : data.comments)
        comment.fill(' ');
    const auto mike = [&data](int record, std::uint8_t code, std::uint8_t refCode) {
        MemoryRecord& r = data.records[static_cast<std::size_t>(record)];
        r.bands.fill(code);
        r.refCode = refCode;
        r.mode = 1;
    };
    mike(0, 176, 30);
    mike(1, 160, 75);
    mike(2, 160, 85);
    data.records[2].bands[16] = 192;
    return data;
}

TEST(InsulationTable, RatingTextsAndWhenThereIsNone)
{
    WeightedDifference weighted;
    EXPECT_EQ(InsulationRatingText("Dw", weighted), "");
    weighted = {true, 52, -1, -5, false};
    EXPECT_EQ(InsulationRatingText("Dw", weighted), "Dw = 52 dB (C = -1; Ctr = -5)");
    weighted.limited = true;
    weighted.c = 0;
    EXPECT_EQ(InsulationRatingText("DnT,w", weighted), "DnT,w = 52 dB (C = 0; Ctr = -5) (limited)");
}

TEST(InsulationTable, TheReceivingLevelCorrectedAsTheDifferenceCorrectsIt)
{
    InsulationResults results;
    ASSERT_FALSE(ComputeInsulation(Wall(), 0, 1, 2, {}, results));
    const auto rows = InsulationRows(results);
    ASSERT_EQ(rows.size(), 22u);  // the header, 50 Hz .. 5 kHz
    EXPECT_EQ(rows[0][4], "L2 corrected");
    // 10 dB over the background: no correction.
    EXPECT_EQ(rows[13], (std::vector<std::string>{"800", "97.0", "50.0", "40.0", "50.0", "47.0", "", ""}));
    // 6 dB over it: the limit; the true level is at most 48.7, D at least 48.3.
    EXPECT_EQ(rows[14],
              (std::vector<std::string>{"1000", "97.0", "50.0", "44.0", "<48.7", ">48.3", "", "limit"}));
    EXPECT_TRUE(AnyBandAtLimit(results));

    // Without a background the corrected level is the level.
    ASSERT_FALSE(ComputeInsulation(Wall(), 0, 1, -1, {}, results));
    EXPECT_EQ(InsulationRows(results)[14][3], "");
    EXPECT_EQ(InsulationRows(results)[14][4], "50.0");
    EXPECT_FALSE(AnyBandAtLimit(results));
}

TEST(InsulationTable, RefusedRecordsAndTimesLeaveTheResultsAsTheyWere)
{
    InsulationResults results;
    ASSERT_FALSE(ComputeInsulation(Wall(), 0, 1, 2, {0.5}, results));
    const InsulationResults before = results;
    EXPECT_EQ(ComputeInsulation(Wall(), 0, 5, -1, {}, results).kind, SurveyError::Kind::kRecordNotInUse);
    EXPECT_EQ(ComputeInsulation(Wall(), 0, 1, 2, {0.0}, results).kind, SurveyError::Kind::kTimeNotPositive);
    EXPECT_EQ(ComputeInsulation(Wall(), 0, 1, 2, {0.5, 0.5}, results).kind, SurveyError::Kind::kTimeCount);
    EXPECT_EQ(results.standardized, before.standardized);
    EXPECT_EQ(results.difference, before.difference);
}

TEST(InsulationTable, CsvTakesTheLocalesPointAndItsSeparator)
{
    InsulationResults results;
    ASSERT_FALSE(ComputeInsulation(Wall(), 0, 1, -1, {0.5}, results));
    const std::string point = InsulationCsv(results, '.');
    EXPECT_EQ(point.substr(0, 52), "Hz,L1,L2,Background,L2 corrected,D,DnT,Note\r\n50,97.0");
    EXPECT_NE(point.find("\r\n100,97.0,50.0,,50.0,47.0,47.0,\r\n"), std::string::npos) << point;
    // The ratings' rows; a name with the separator in it is quoted.
    const WeightedDifference& dw = results.difference.weighted;
    const std::string ratings = "\r\nDw," + std::to_string(dw.rating) + "\r\nDw C," + std::to_string(dw.c) +
                                "\r\nDw Ctr," + std::to_string(dw.ctr) + "\r\nDw limited,no\r\n\"DnT,w\"," +
                                std::to_string(results.standardized.weighted.rating) + "\r\n";
    EXPECT_NE(point.find(ratings), std::string::npos) << point;
    const std::string comma = InsulationCsv(results, ',');
    EXPECT_NE(comma.find("\r\n100;97,0;50,0;;50,0;47,0;47,0;\r\n"), std::string::npos) << comma;
    EXPECT_NE(comma.find("\r\nDnT,w;"), std::string::npos) << comma;
}

}  // namespace
