#include "support/SampleDocument.h"

using RecordEdits = DocumentTest;

TEST_F(RecordEdits, EmptyRecordIsNotInUse)
{
    std::string text;
    EXPECT_EQ(doc.IsRecordInUse(0), 0);
    EXPECT_EQ(Record(0).checksum, 13);
    doc.GetRefLevel(text, 0);
    EXPECT_EQ(text, "0.0dBu");
    doc.GetSource(text, 0);
    EXPECT_EQ(text, "Left");
}

TEST_F(RecordEdits, AnyChangeOrCommentMakesARecordInUse)
{
    Record(1).refCode = 14;
    EXPECT_EQ(doc.IsRecordInUse(1), 1);
    doc.SetComment(2, "x");
    EXPECT_EQ(doc.IsRecordInUse(2), 1);
    Record(3).checksum = 99;  // the checksum is not compared, but rewritten
    EXPECT_EQ(doc.IsRecordInUse(3), 0);
    EXPECT_EQ(Record(3).checksum, 13);
}

TEST_F(RecordEdits, RaisingTheReferenceKeepsAbsoluteLevels)
{
    FillSampleRecord(4);
    Record(4).bands[0] = 0;
    Record(4).bands[1] = 200;
    ASSERT_EQ(doc.ShiftReference(4, 1), 0);
    EXPECT_EQ(Record(4).refCode, 14);
    EXPECT_EQ(Record(4).wideband, 92);
    EXPECT_EQ(Record(4).bands[0], 0);
    EXPECT_EQ(Record(4).bands[1], 200);
    EXPECT_EQ(Record(4).bands[2], 158 - 8);
    std::string text;
    doc.GetRefLevel(text, 4);
    EXPECT_EQ(text, "111.0dB SPL");
    doc.GetWidebandLevel(text, 4);
    EXPECT_EQ(text, "112.5dBC SPL");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(RecordEdits, ShiftsThatWouldOverflowAreRefused)
{
    FillSampleRecord(4);
    Record(4).bands[3] = 5;
    const MemoryRecord before = Record(4);
    EXPECT_EQ(doc.ShiftReference(4, 1), -1);
    EXPECT_EQ(Record(4), before);
    EXPECT_FALSE(doc.IsModified());
    Record(4).bands[3] = 190;
    EXPECT_EQ(doc.ShiftReference(4, -1), -1);
    EXPECT_EQ(doc.ShiftReference(4, 1), 0);
}

// One code at the edges of the shift rule, in a band and as the wideband code.
struct ShiftEdge {
    std::uint8_t code;
    int step;
    bool refused;
};

TEST_F(RecordEdits, TheShiftRuleAtItsEdgesForBandsAndWideband)
{
    const ShiftEdge edges[] = {
        {1, 1, true},    {8, 1, true},     {9, 1, false},   {0, 1, false},   {192, 1, false},
        {255, 1, false}, {183, -1, false}, {184, -1, true}, {191, -1, true}, {192, -1, false},
        {0, -1, false},  {8, -1, false},   {184, 1, false}, {191, 1, false},
    };
    for (const bool wideband : {false, true}) {
        for (const ShiftEdge& edge : edges) {
            FillSampleRecord(4);
            Record(4).bands.fill(100);
            (wideband ? Record(4).wideband : Record(4).bands[17]) = edge.code;
            doc.SetModifiedFlag(false);
            const MemoryRecord before = Record(4);
            const std::uint8_t& moved = wideband ? Record(4).wideband : Record(4).bands[17];
            const std::string where = std::string(wideband ? "wideband " : "band ") +
                                      std::to_string(edge.code) + " step " + std::to_string(edge.step);
            if (edge.refused) {
                EXPECT_EQ(doc.ShiftReference(4, edge.step), -1) << where;
                EXPECT_EQ(Record(4), before) << where;
                EXPECT_FALSE(doc.IsModified()) << where;
            } else {
                EXPECT_EQ(doc.ShiftReference(4, edge.step), 0) << where;
                const bool marker = edge.code == 0 || edge.code >= 192;
                EXPECT_EQ(moved, marker ? edge.code : edge.code - 8 * edge.step) << where;
                EXPECT_TRUE(doc.IsModified()) << where;
            }
        }
    }
}

TEST_F(RecordEdits, TheWidebandMarkersSurviveAShift)
{
    // The empty record (wideband 0) can have its reference raised.
    EXPECT_EQ(doc.ShiftReference(0, 1), 0);
    EXPECT_EQ(Record(0).wideband, 0);
    EXPECT_EQ(Record(0).refCode, 14);
    FillSampleRecord(4);
    Record(4).bands.fill(100);
    Record(4).wideband = 200;
    EXPECT_EQ(doc.ShiftReference(4, -1), 0);
    EXPECT_EQ(Record(4).wideband, 200);
    std::string text;
    doc.GetWidebandLevel(text, 4);
    EXPECT_EQ(text.front(), '>');
}

TEST_F(RecordEdits, ShiftsThatWouldTakeTheReferenceOutOfAByteAreRefused)
{
    FillSampleRecord(4);
    Record(4).refCode = 0;
    EXPECT_EQ(doc.ShiftReference(4, 1), -1);
    Record(4).refCode = 255;
    EXPECT_EQ(doc.ShiftReference(4, -1), -1);
    EXPECT_EQ(doc.ShiftReference(4, 0), 0);
    EXPECT_EQ(Record(4).refCode, 255);
}

TEST_F(RecordEdits, SetNcCurveKeepsTheLowBitsAndRewritesTheChecksum)
{
    FillSampleRecord(4);
    doc.SetNcCurve(4, 11);
    EXPECT_EQ(Record(4).mode, 0xB9);
    EXPECT_EQ(Record(4).checksum, Record(4).ComputeChecksum());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(RecordEdits, CommentsArePackedIntoFourLinesOfForty)
{
    ASSERT_FALSE(doc.IsModified());
    doc.SetComment(0, "ab\r\ncd");
    EXPECT_TRUE(doc.IsModified());
    const auto& comment = doc.Data().comments[0];
    EXPECT_EQ(std::string(comment.data(), 160), "ab" + std::string(38, ' ') + "cd" + std::string(118, ' '));
    std::string text;
    EXPECT_EQ(doc.GetComment(text, 0, 0), 0);
    EXPECT_EQ(text, "ab\r\ncd\r\n\r\n\r\n");
    EXPECT_EQ(doc.GetComment(text, 0, 1), 0);
    EXPECT_EQ(text.size(), 160u);
}

TEST_F(RecordEdits, LongLinesContinueAndControlsEndOrDrop)
{
    const std::string fortyFive = std::string(40, 'x') + "yyyyy";
    doc.SetComment(0, fortyFive + "\tz\x01w\x1Bv\nline4\nignored");
    std::string text;
    doc.GetComment(text, 0, 0);
    EXPECT_EQ(text, std::string(40, 'x') + "\r\nyyyyy\r\nz\r\nwv\r\n");
    doc.SetComment(1, std::string("a\0b", 3));
    doc.GetComment(text, 1, 0);
    EXPECT_EQ(text, "a\r\n\r\n\r\n\r\n");
}

TEST_F(RecordEdits, BlankCommentsAndRawText)
{
    std::string text = "junk";
    EXPECT_EQ(doc.GetComment(text, 0, 0), 1);
    EXPECT_EQ(text, "");
    EXPECT_EQ(doc.GetComment(text, 0, 1), 1);
    EXPECT_EQ(text, std::string(160, ' '));
    doc.Data().comments[0][0] = '\x07';
    doc.Data().comments[0][1] = static_cast<char>(0xE9);
    doc.Data().comments[0][2] = 'k';
    EXPECT_EQ(doc.GetComment(text, 0, 1), 0);
    EXPECT_EQ(text.substr(0, 3), "  k");
}

TEST_F(RecordEdits, ClearRecordWritesTheEmptyRecord)
{
    FillSampleRecord(4);
    doc.ClearRecord(4);
    EXPECT_EQ(Record(4), MemoryRecord::Empty());
    EXPECT_EQ(std::string(doc.Data().comments[4].data(), 160), std::string(160, ' '));
    EXPECT_TRUE(doc.IsModified());
}
