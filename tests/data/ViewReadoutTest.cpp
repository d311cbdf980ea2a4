#include "data/ViewReadout.h"
#include "support/SampleDocument.h"

using Readout = DocumentTest;

TEST_F(Readout, TheGraphAreaRunsFrom21To319AcrossAnd7To135Down)
{
    EXPECT_EQ(ViewReadout::GraphBand(21, 7), 0);
    EXPECT_EQ(ViewReadout::GraphBand(30, 135), 0);
    EXPECT_EQ(ViewReadout::GraphBand(31, 50), 1);
    EXPECT_EQ(ViewReadout::GraphBand(319, 50), 29);
    EXPECT_FALSE(ViewReadout::GraphBand(20, 50));
    EXPECT_FALSE(ViewReadout::GraphBand(320, 50));
    EXPECT_FALSE(ViewReadout::GraphBand(100, 6));
    EXPECT_FALSE(ViewReadout::GraphBand(100, 136));
}

TEST_F(Readout, GraphTextNamesRecordBandCursorAndLevel)
{
    FillSampleRecord(4);  // band 16 (1K) holds 172: +1.5 dBr
    // Row 31, where the plot draws 0 dBr, is 0.0 (not -0.0); ten rows up is
    // 1.0, or 2.0 at 2 dB per step.
    EXPECT_EQ(ViewReadout::GraphText(doc, 5, 181, 31, false),
              "Mem:05     Freq:1KHz     Cursor:0.0dBr       Data:1.5dBr");
    EXPECT_EQ(ViewReadout::GraphText(doc, 5, 190, 21, false),
              "Mem:05     Freq:1KHz     Cursor:1.0dBr       Data:1.5dBr");
    EXPECT_EQ(ViewReadout::GraphText(doc, 5, 21, 21, true),
              "Mem:05     Freq:25Hz     Cursor:2.0dBr       Data:-0.5dBr");
    EXPECT_EQ(ViewReadout::GraphText(doc, 5, 319, 135, true),
              "Mem:05     Freq:20KHz     Cursor:-20.8dBr       Data:3.1dBr");
    EXPECT_EQ(ViewReadout::GraphText(doc, 1, 21, 41, false),
              "Mem:01     Freq:25Hz     Cursor:-1.0dBr       Data:<-20dBr");
    EXPECT_EQ(ViewReadout::GraphText(doc, 5, 190, 32, false),
              "Mem:05     Freq:1KHz     Cursor:-0.1dBr       Data:1.5dBr");
    EXPECT_EQ(ViewReadout::GraphText(doc, 5, 20, 29, false), "");
}

TEST_F(Readout, TheStripsLastColumnAndRowStillCount)
{
    EXPECT_EQ(ViewReadout::StripCell(0, 0), 0);
    EXPECT_EQ(ViewReadout::StripCell(9, 16), 0);
    EXPECT_EQ(ViewReadout::StripCell(10, 8), 1);
    EXPECT_EQ(ViewReadout::StripCell(299, 8), 29);
    EXPECT_EQ(ViewReadout::StripCell(300, 8), 29);
    EXPECT_FALSE(ViewReadout::StripCell(301, 8));
    EXPECT_FALSE(ViewReadout::StripCell(5, 17));
    EXPECT_FALSE(ViewReadout::StripCell(-1, 8));
    EXPECT_EQ(ViewReadout::StripText(29), "Mem:30");
    EXPECT_EQ(ViewReadout::StripText(0), "Mem:01");
}
