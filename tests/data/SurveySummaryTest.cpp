// The summary rows of a survey's records, and CSV fields.

#include "data/SurveySummary.h"
#include "data/CsvText.h"
#include "support/ExampleRecord.h"
#include "support/SampleDocument.h"

namespace {

using Cells = std::vector<std::string>;

}  // namespace

TEST_F(DocumentTest, SummaryHasOneRowPerRecordInUse)
{
    Record(1) = ExampleRecord();
    doc.SetComment(1, "Plant room, \"north\"\r\nsecond line");
    Record(4).bands.fill(160);  // Left at 0 dBu
    doc.SetComment(29, "only a comment");
    const std::vector<SummaryRow> rows = SummaryRows(doc.Data());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(SummaryHeader(),
              (Cells{"record", "comment", "source", "reference", "LZ", "LA", "LC", "NC", "NR"}));
    EXPECT_EQ(SummaryCells(rows[0]), (Cells{"2", "Plant room, \"north\"", "Mike", "110.0", ">123.1", ">119.8",
                                            ">121.9", ">70", "116"}));
    EXPECT_EQ(SummaryCells(rows[1]), (Cells{"5", "", "Left", "0.0", "14.8", "11.9", "13.6", "", ""}));
    EXPECT_EQ(SummaryCells(rows[2], ','), (Cells{"30", "only a comment", "Left", "0,0", "", "", "", "", ""}));
}

TEST(CsvFields, QuotedOnlyWhenTheyMustBe)
{
    EXPECT_EQ(CsvLine({"a", "b c", ""}), "a,b c,\r\n");
    EXPECT_EQ(CsvLine({"a,b", "say \"hi\"", "x\ny", "z\r"}),
              "\"a,b\",\"say \"\"hi\"\"\",\"x\ny\",\"z\r\"\r\n");
    EXPECT_EQ(CsvLine({"a,b", "c;d"}, ';'), "a,b;\"c;d\"\r\n");
}
