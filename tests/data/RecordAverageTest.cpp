// Energy averages of records, their bounds and their storing as a record; record lists.

#include "data/RecordAverage.h"
#include "data/RecordList.h"
#include "data/ResultText.h"
#include "support/SampleDocument.h"

namespace {

constexpr int kMike = 1;
constexpr int kLeft = 2;

class RecordAverages : public DocumentTest {
protected:
    // Records 1..3: Mike, C weighting, NC-30, 110 dB SPL, every band at 0 dBr,
    // wideband 100 (112.5 dB); record 4 the same at 100 dB SPL; record 5 Left.
    RecordAverages()
    {
        for (int record = 0; record < 5; ++record) {
            MemoryRecord& r = Record(record);
            r.bands.fill(160);
            r.wideband = 100;
            r.refCode = 15;
            r.mode = 0x30 | 0x08 | kMike;
        }
        Record(3).refCode = 25;
        Record(4).mode = kLeft;
        doc.SetModifiedFlag(false);
    }

    RecordAverage Average(const std::vector<int>& records)
    {
        RecordAverage average;
        EXPECT_FALSE(AverageRecords(doc.Data(), records, average));
        return average;
    }
};

}  // namespace

TEST_F(RecordAverages, OfOneRecordIsTheRecord)
{
    Record(0).bands[0] = 0;
    Record(0).bands[1] = 1;
    Record(0).bands[28] = 193;
    Record(0).bands[29] = 194;
    const RecordAverage average = Average({0});
    EXPECT_EQ(ResultText(average.bands[0]), "<90.0");
    EXPECT_EQ(ResultText(average.bands[29]), ">114.3");
    EXPECT_EQ(ResultText(average.wideband), "112.5");
    MemoryRecord expected = Record(0);
    expected.checksum = expected.ComputeChecksum();
    EXPECT_EQ(AverageAsRecord(doc.Data(), average), expected);
}

TEST_F(RecordAverages, OfTwoEqualRecordsIsEitherOfThem)
{
    Record(1) = Record(0);
    const RecordAverage average = Average({0, 1});
    EXPECT_EQ(ResultText(average.bands[16]), "110.0");
    MemoryRecord expected = Record(0);
    expected.checksum = expected.ComputeChecksum();
    EXPECT_EQ(AverageAsRecord(doc.Data(), average), expected);
}

TEST_F(RecordAverages, OfRecordsWithDifferentReferencesTakesTheFirstOnesReference)
{
    // 110 and 100 dB SPL: 10 log10((10^11 + 10^10) / 2) = 107.40 dB, code
    // 160 + 8 x (107.40 - 110) = 139.2 at the first record's reference.
    const RecordAverage average = Average({0, 3});
    EXPECT_EQ(ResultText(average.bands[5]), "107.4");
    EXPECT_EQ(ResultText(average.wideband), "109.9");
    const MemoryRecord stored = AverageAsRecord(doc.Data(), average);
    EXPECT_EQ(stored.bands[5], 139);
    EXPECT_EQ(stored.wideband, 79);  // 109.90 dB: 8 x (109.90 - 110 + 10) = 79.2
    EXPECT_EQ(stored.refCode, 15);
    EXPECT_EQ(stored.mode, 0x30 | 0x08 | kMike);
    // The other way round, at 100 dB SPL: 160 + 8 x 7.40 = 219.2 is above range.
    EXPECT_EQ(AverageAsRecord(doc.Data(), Average({3, 0})).bands[5], 194);
}

TEST_F(RecordAverages, BandsBelowAndAboveRangeMarkTheAverage)
{
    Record(0).bands[0] = 0;    // below in one, in range in the other
    Record(0).bands[1] = 200;  // above in one
    Record(0).bands[2] = 0;    // below in one, above in the other
    Record(1).bands[2] = 194;
    Record(0).bands[3] = 0;  // below in both: -20 dBr
    Record(1).bands[3] = 0;
    const RecordAverage average = Average({0, 1});
    EXPECT_EQ(ResultText(average.bands[0]), "<107.0");  // 90 and 110 dB
    EXPECT_EQ(ResultText(average.bands[1]), ">112.6");  // 114.25 and 110 dB
    EXPECT_EQ(ResultText(average.bands[2]), "?111.3");  // 90 and 114.25 dB
    EXPECT_EQ(ResultText(average.bands[3]), "<90.0");
    const MemoryRecord stored = AverageAsRecord(doc.Data(), average);
    EXPECT_EQ(stored.bands[3], 0);  // 160 - 160 = 0 is below 1
    EXPECT_EQ(stored.bands[0], 136);
}

TEST_F(RecordAverages, RefusalsChangeNothing)
{
    const SpectrumFile before = doc.Data();
    struct Case {
        std::vector<int> records;
        int target;
        SurveyError error;
        const char* text;
    };
    const Case cases[] = {
        {{0, 4}, 9, {SurveyError::Kind::kDifferentUnits, 4, 0}, "Record 5 is not in the unit of record 1"},
        {{0, 9}, 9, {SurveyError::Kind::kRecordNotInUse, 9}, "Record 10 is empty"},
        {{}, 9, {SurveyError::Kind::kNoData}, "No records to work with"},
        {{0}, 30, {SurveyError::Kind::kBadRecord, 30}, "Records are numbered 1 to 30"},
    };
    for (const Case& c : cases) {
        const SurveyError error = StoreAverage(doc, c.records, c.target);
        EXPECT_EQ(error, c.error) << c.text;
        EXPECT_EQ(SurveyErrorText(error).substr(0, std::string(c.text).size()), c.text);
    }
    EXPECT_EQ(doc.Data(), before);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(RecordAverages, StoredWithACommentThatSaysWhatItIs)
{
    Record(3) = Record(0);
    ASSERT_FALSE(StoreAverage(doc, {0, 1, 2, 3}, 9));
    EXPECT_TRUE(doc.IsModified());
    const MemoryRecord& stored = Record(9);
    EXPECT_EQ(stored.bands, Record(0).bands);
    EXPECT_EQ(stored.checksum, stored.ComputeChecksum());
    std::string comment;
    doc.GetComment(comment, 9, 0);
    EXPECT_EQ(comment, "Average of 1-4\r\n\r\n\r\n\r\n");
    // The target may be one of the records averaged.
    ASSERT_FALSE(StoreAverage(doc, {0, 2}, 0));
    doc.GetComment(comment, 0, 0);
    EXPECT_EQ(comment, "Average of 1,3\r\n\r\n\r\n\r\n");
}

// ---- record lists ------------------------------------------------------------------------

TEST(RecordLists, ParsedAtTheirEdges)
{
    struct Case {
        const char* text;
        RecordListError error;
        std::vector<int> records;
    };
    const Case cases[] = {
        {"1,3-5,9", RecordListError::kNone, {0, 2, 3, 4, 8}},
        {"30", RecordListError::kNone, {29}},
        {"9,1", RecordListError::kNone, {8, 0}},
        {"5-5", RecordListError::kNone, {4}},
        {"", RecordListError::kEmpty, {}},
        {"0", RecordListError::kOutOfRange, {}},
        {"31", RecordListError::kOutOfRange, {}},
        {"1-31", RecordListError::kOutOfRange, {}},
        {"99999999999999999999", RecordListError::kOutOfRange, {}},
        {"5-3", RecordListError::kDescending, {}},
        {"1,1", RecordListError::kRepeated, {}},
        {"1-3,2", RecordListError::kRepeated, {}},
        {"1,", RecordListError::kSyntax, {}},
        {"1,,2", RecordListError::kSyntax, {}},
        {"1-", RecordListError::kSyntax, {}},
        {" 1", RecordListError::kSyntax, {}},
        {"1 ", RecordListError::kSyntax, {}},
        {"-1", RecordListError::kSyntax, {}},
        {"1;2", RecordListError::kSyntax, {}},
    };
    for (const Case& c : cases) {
        std::vector<int> records{7};
        EXPECT_EQ(ParseRecordList(c.text, records), c.error) << c.text;
        EXPECT_EQ(records, c.records) << c.text;
    }
    EXPECT_EQ(RecordListErrorText(RecordListError::kOutOfRange), "RECORDS must be numbers from 1 to 30");
}

TEST(RecordLists, WrittenWithRangesOfThreeOrMore)
{
    EXPECT_EQ(RecordListText({0, 2, 3, 4, 8}), "1,3-5,9");
    EXPECT_EQ(RecordListText({0, 1}), "1,2");
    EXPECT_EQ(RecordListText({0, 1, 2, 4, 5}), "1-3,5,6");
    EXPECT_EQ(RecordListText({4, 3, 2}), "5,4,3");
    EXPECT_EQ(RecordListText({29}), "30");
}
