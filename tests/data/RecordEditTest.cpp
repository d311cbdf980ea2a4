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

TEST_F(RecordEdits, ShiftsThatWouldTakeWidebandOrReferenceOutOfAByteAreRefused)
{
    FillSampleRecord(4);
    Record(4).wideband = 7;
    EXPECT_EQ(doc.ShiftReference(4, 1), -1);
    Record(4).wideband = 248;
    EXPECT_EQ(doc.ShiftReference(4, -1), -1);
    Record(4).wideband = 100;
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
    doc.SetComment(0, "ab\r\ncd");
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
