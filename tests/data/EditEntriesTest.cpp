#include "data/EditEntries.h"
#include "data/MemoryRecord.h"
#include "data/NcCurveTable.h"

#include <gtest/gtest.h>

namespace {

using EditEntries::Button;

// A Mike record, flat, no NC curve, with one band code and the other codes given.
MemoryRecord Mike(int level, int wideband = 100, int refCode = 15, int mode = 1)
{
    MemoryRecord record;
    record.bands[0] = static_cast<std::uint8_t>(level);
    record.wideband = static_cast<std::uint8_t>(wideband);
    record.refCode = static_cast<std::uint8_t>(refCode);
    record.mode = static_cast<std::uint8_t>(mode);
    return record;
}

struct CodeStep {
    Button button;
    int before;
    int after;
};

TEST(EditEntriesRules, BandAndWidebandCodesWrapAt0And194)
{
    const CodeStep steps[] = {
        {Button::LevelDown, 0, 194},    {Button::LevelDown, 1, 0},    {Button::LevelDown, 200, 199},
        {Button::LevelUp, 193, 194},    {Button::LevelUp, 194, 0},    {Button::LevelUp, 200, 0},
        {Button::LevelUpTen, 184, 194}, {Button::LevelUpTen, 185, 0}, {Button::LevelUpTen, 0, 10},
    };
    for (const CodeStep& step : steps) {
        MemoryRecord level = Mike(step.before);
        EXPECT_TRUE(EditEntries::EditRecord(step.button, level, 1));
        EXPECT_EQ(level.bands[0], step.after) << "band code " << step.before;

        // The same rules for the wideband code.
        const Button wideband = step.button == Button::LevelDown ? Button::WidebandDown
                                : step.button == Button::LevelUp ? Button::WidebandUp
                                                                 : Button::WidebandUpTen;
        MemoryRecord record = Mike(0, step.before);
        EditEntries::EditRecord(wideband, record, 1);
        EXPECT_EQ(record.wideband, step.after) << "wideband code " << step.before;
    }
}

TEST(EditEntriesRules, TheSelectedBandIsTheOneThatSteps)
{
    MemoryRecord record = Mike(50);
    EditEntries::EditRecord(Button::LevelUp, record, 30);
    EXPECT_EQ(record.bands[29], 1);
    EXPECT_EQ(record.bands[0], 50);
    EXPECT_FALSE(EditEntries::EditRecord(Button::LevelUp, record, 0));
}

TEST(EditEntriesRules, ReferenceWrapsAtItsTopCodeBySource)
{
    // Mike (bit 0 set) runs to 85, Left to 80.
    const CodeStep mike[] = {
        {Button::ReferenceDown, 84, 85}, {Button::ReferenceDown, 85, 0},  {Button::ReferenceUp, 0, 85},
        {Button::ReferenceUp, 1, 0},     {Button::ReferenceUpTen, 10, 0}, {Button::ReferenceUpTen, 9, 85},
    };
    for (const CodeStep& step : mike) {
        MemoryRecord record = Mike(0, 0, step.before);
        EditEntries::EditRecord(step.button, record, 1);
        EXPECT_EQ(record.refCode, step.after) << "Mike refCode " << step.before;
    }
    MemoryRecord left = Mike(0, 0, 80, 2);
    EditEntries::EditRecord(Button::ReferenceDown, left, 1);
    EXPECT_EQ(left.refCode, 0);
    EditEntries::EditRecord(Button::ReferenceUp, left, 1);
    EXPECT_EQ(left.refCode, 80);
    EXPECT_EQ(EditEntries::TopReferenceCode(Mike(0, 0, 0, 3)), 85);  // Right
    EXPECT_EQ(EditEntries::TopReferenceCode(Mike(0, 0, 0, 4)), 80);  // Sum
}

TEST(EditEntriesRules, NcCurveStepsWrapBetweenNoneAndNc65)
{
    // The view's NC buttons and the window's take the same steps.
    const struct {
        int nc;
        int step;
        int after;
    } steps[] = {{0, 1, 1},   {10, 1, 11}, {11, 1, 0},   {12, 1, 0},  {15, 1, 0},
                 {0, -1, 11}, {1, -1, 0},  {12, -1, 11}, {15, -1, 14}};
    for (const auto& row : steps)
        EXPECT_EQ(NcCurveTable::StepCurve(row.nc, row.step), row.after) << row.nc << " " << row.step;
}

TEST(EditEntriesRules, SourceWeightingAndNcCurve)
{
    MemoryRecord record = Mike(0, 0, 15, 0);
    EditEntries::EditRecord(Button::SourceUp, record, 1);
    EXPECT_EQ(record.Source(), 1);  // 0 -> Mike
    record.mode = 5;
    EditEntries::EditRecord(Button::SourceUp, record, 1);
    EXPECT_EQ(record.Source(), 1);  // Diff -> Mike

    record = Mike(0, 0, 15, 1 | (11 << 4));
    EditEntries::EditRecord(Button::NcUp, record, 1);
    EXPECT_EQ(record.mode, 1);  // NC-65 -> none, the other bits kept
    EditEntries::EditRecord(Button::NcDown, record, 1);
    EXPECT_EQ(record.mode, 1 | (11 << 4));
    record.mode = 1 | 8 | (13 << 4);
    EditEntries::EditRecord(Button::NcUp, record, 1);
    EXPECT_EQ(record.mode, 1 | 8);  // an unnamed index goes to none
    EditEntries::EditRecord(Button::WeightingToggle, record, 1);
    EXPECT_EQ(record.mode, 1);
}

TEST(EditEntriesRules, WeightingAndNcCurveOfARecordOtherThanMikeChangeOnlyWithItsSource)
{
    // Their own buttons do nothing on a Left record...
    MemoryRecord left = Mike(0, 0, 15, 2);
    EXPECT_FALSE(EditEntries::EditRecord(Button::WeightingToggle, left, 1));
    EXPECT_FALSE(EditEntries::EditRecord(Button::NcUp, left, 1));
    EXPECT_FALSE(EditEntries::EditRecord(Button::NcDown, left, 1));
    EXPECT_EQ(left.mode, 2);
    // ...and the bits that came with such a record stay through the edits
    // of its levels, reference and wideband level.
    constexpr int kFromAnalyser = 2 | 8 | (4 << 4);
    MemoryRecord fromAnalyser = Mike(7, 0, 15, kFromAnalyser);
    for (const Button button :
         {Button::LevelUp, Button::LevelDown, Button::LevelUpTen, Button::ReferenceUp, Button::ReferenceDown,
          Button::ReferenceUpTen, Button::WidebandUp, Button::WidebandDown, Button::WidebandUpTen}) {
        EXPECT_TRUE(EditEntries::EditRecord(button, fromAnalyser, 1));
        EXPECT_EQ(fromAnalyser.mode, kFromAnalyser);
    }
    EXPECT_FALSE(EditEntries::EditRecord(Button::WeightingToggle, fromAnalyser, 1));
    EXPECT_EQ(fromAnalyser.mode, kFromAnalyser);
    // Stepping the source clears them (Left to Right)...
    EXPECT_TRUE(EditEntries::EditRecord(Button::SourceUp, fromAnalyser, 1));
    EXPECT_EQ(fromAnalyser.mode, 3);
    // ...except onto Mike, which keeps them from then on.
    MemoryRecord diff = Mike(0, 0, 15, 5 | 8);
    EditEntries::EditRecord(Button::SourceUp, diff, 1);
    EXPECT_EQ(diff.mode, 1 | 8);
    EditEntries::EditRecord(Button::NcUp, diff, 1);
    EXPECT_EQ(diff.mode, 1 | 8 | (1 << 4));
    // Mike onto Left clears them.
    EditEntries::EditRecord(Button::SourceUp, diff, 1);
    EXPECT_EQ(diff.mode, 2);
}

TEST(EditEntriesRules, SelectionWrapsFrom1To30AndBack)
{
    struct {
        Button button;
        EditEntries::Selection before;
        EditEntries::Selection after;
    } const steps[] = {
        {Button::MemoryDown, {1, 5}, {30, 5}}, {Button::MemoryUp, {30, 5}, {1, 5}},
        {Button::MemoryUp, {29, 5}, {30, 5}},  {Button::BandDown, {7, 1}, {7, 30}},
        {Button::BandUp, {7, 30}, {7, 1}},     {Button::BandUp, {7, 1}, {7, 2}},
    };
    for (const auto& step : steps) {
        EditEntries::Selection selection = step.before;
        ASSERT_TRUE(EditEntries::StepsSelection(step.button));
        EditEntries::StepSelection(step.button, selection);
        EXPECT_EQ(selection.memory, step.after.memory);
        EXPECT_EQ(selection.band, step.after.band);
    }
    MemoryRecord record = Mike(3);
    EXPECT_FALSE(EditEntries::EditRecord(Button::MemoryUp, record, 1));
}

}  // namespace
