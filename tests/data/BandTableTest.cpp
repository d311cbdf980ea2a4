// The band table of a record: its cells and its tab-separated text.

#include "data/BandTable.h"
#include "support/ExampleRecord.h"
#include "support/SampleDocument.h"

namespace {

using Row = std::vector<std::string>;

class BandTables : public DocumentTest {
protected:
    // Record 2 the example (110 dB SPL reference, 25 Hz below range, 20 kHz
    // above), record 7 Mike at 40 dB SPL in every band, record 9 without
    // source at 10 dB in every band.
    BandTables()
    {
        doc.SetPathName("/data/plant.spc");
        Record(1) = ExampleRecord();
        Record(6).bands.fill(160);
        Record(6).refCode = 85;
        Record(6).mode = 1;
        Record(8).bands.fill(160);
        Record(8).refCode = 5;
        Record(8).mode = 0;
    }
};

TEST_F(BandTables, CellsOfTheExampleRecord)
{
    const BandTable table = MakeBandTable(doc, 1);
    EXPECT_EQ(table.heading, (BandTable::Rows{{"Data File", "plant.spc"},
                                              {"Memory", "2"},
                                              {"Source", "Mike"},
                                              {"Reference", "110.0", "dB SPL"}}));
    ASSERT_EQ(table.bands.size(), 31u);
    EXPECT_EQ(table.bands[0], (Row{"Hz", "Code", "dBr", "Level", "A-level"}));
    EXPECT_EQ(table.bands[1], (Row{"25", "0", "<-20.0", "<90.0", "<45.3"}));
    EXPECT_EQ(table.bands[2], (Row{"31.5", "100", "-7.5", "102.5", "63.1"}));
    EXPECT_EQ(table.bands[30], (Row{"20000", "194", ">4.3", ">114.3", ">105.0"}));
    ASSERT_EQ(table.octaves.size(), 11u);
    EXPECT_EQ(table.octaves[0], (Row{"Octave Hz", "Level"}));
    EXPECT_EQ(table.octaves[1], (Row{"31.5", "106.9"}));
    EXPECT_EQ(table.octaves[6], (Row{"1000", "113.3"}));
    EXPECT_EQ(table.octaves[10], (Row{"16000", ">115.3"}));
    EXPECT_EQ(table.totals, (BandTable::Rows{{"LZ", ">123.1", "dB SPL"},
                                             {"LA", ">119.8", "dB SPL"},
                                             {"LC", ">121.9", "dB SPL"},
                                             {"NC", ">70"},
                                             {"NC band", ""},
                                             {"NR", "116"},
                                             {"NR band", "8000"}}));
}

TEST_F(BandTables, TheDecidingOctavesAndARecordWithoutSource)
{
    EXPECT_EQ(MakeBandTable(doc, 6).totals, (BandTable::Rows{{"LZ", "54.8", "dB SPL"},
                                                             {"LA", "51.9", "dB SPL"},
                                                             {"LC", "53.6", "dB SPL"},
                                                             {"NC", "48"},
                                                             {"NC band", "8000"},
                                                             {"NR", "52"},
                                                             {"NR band", "8000"}}));
    const BandTable noSource = MakeBandTable(doc, 8);
    EXPECT_EQ(noSource.heading[2], (Row{"Source", ""}));
    EXPECT_EQ(noSource.heading[3], (Row{"Reference", "10.0", ""}));
    EXPECT_EQ(noSource.totals[0], (Row{"LZ", "24.8", ""}));
    EXPECT_EQ(noSource.totals[3], (Row{"NC", ""}));
    EXPECT_EQ(noSource.totals[5], (Row{"NR", ""}));
    // The last record of the file has its number.
    EXPECT_EQ(MakeBandTable(doc, 29).heading[1], (Row{"Memory", "30"}));
}

TEST_F(BandTables, TextHasTabsCrLfAndAnEmptyLineBetweenTheParts)
{
    const std::string text = BandTableText(MakeBandTable(doc, 1));
    const std::string head =
        "Data File\tplant.spc\r\nMemory\t2\r\nSource\tMike\r\nReference\t110.0\tdB SPL\r\n"
        "\r\nHz\tCode\tdBr\tLevel\tA-level\r\n25\t0\t<-20.0\t<90.0\t<45.3\r\n";
    const std::string middle = "20000\t194\t>4.3\t>114.3\t>105.0\r\n\r\nOctave Hz\tLevel\r\n31.5\t106.9\r\n";
    const std::string tail =
        "16000\t>115.3\r\n\r\nLZ\t>123.1\tdB SPL\r\nLA\t>119.8\tdB "
        "SPL\r\nLC\t>121.9\tdB SPL\r\nNC\t>70\r\nNC band\r\nNR\t116\r\nNR band\t8000\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_NE(text.find(middle), std::string::npos);
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    // 4 heading lines, 31 band lines, 11 octave lines, 7 totals, 3 empty lines.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 56);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));

    // Without unit and rating no tab is left at the line ends.
    const std::string noSource = BandTableText(MakeBandTable(doc, 8));
    EXPECT_NE(noSource.find("\r\nSource\r\nReference\t10.0\r\n"), std::string::npos) << noSource;
    EXPECT_NE(noSource.find("\r\nLZ\t24.8\r\n"), std::string::npos) << noSource;
    EXPECT_NE(noSource.find("\r\nNC\r\nNC band\r\n"), std::string::npos) << noSource;
}

}  // namespace
