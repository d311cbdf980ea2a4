// The text that Copy puts on the system clipboard, in its four layouts.

#include "data/ProgramSettings.h"
#include "data/RecordClipboard.h"
#include "support/ExampleRecord.h"
#include "support/SampleDocument.h"

namespace {

const std::string kCodes =
    "   0\t 100\t 120\t 130\t 140\t 150\t 152\t 154\t 156\t 158\t 160\t 158\t 156\t 154\t 152\t"
    " 150\t 148\t 146\t 144\t 142\t 140\t 138\t 136\t 134\t 132\t 130\t 128\t 126\t 124\t 194";
const std::string kLevels =
    "-20.0\t-7.5\t-5.0\t-3.8\t-2.5\t-1.3\t-1.0\t-0.8\t-0.5\t-0.3\t0.0\t-0.3\t-0.5\t-0.8\t-1.0\t"
    "-1.3\t-1.5\t-1.8\t-2.0\t-2.3\t-2.5\t-2.8\t-3.0\t-3.3\t-3.5\t-3.8\t-4.0\t-4.3\t-4.5\t4.3";

std::string Spaces(std::size_t count)
{
    return std::string(count, ' ');
}

class ClipText : public DocumentTest {
protected:
    ClipText()
    {
        Clipboard() = RecordClipboard{};
        Record(2) = ExampleRecord();
        doc.SetComment(2, "Plant room\r\nnorth wall");
    }

    // The clipboard text of Copy 1 of record index 2 in layout format.
    std::string CopyOne(int format, int record = 2)
    {
        Settings().Clipfmat = format;
        EXPECT_EQ(doc.CopyRecords(record, 1), 0);
        return ui.Clipboard();
    }
};

TEST_F(ClipText, ExampleRecordAsPrn)
{
    EXPECT_EQ(CopyOne(30), kCodes + "\r\n");
}

TEST_F(ClipText, ExampleRecordAsPrx)
{
    EXPECT_EQ(CopyOne(31), kCodes + "\t 100\t 110\t  65\r\n");
}

TEST_F(ClipText, ExampleRecordAsDbPlusThreeIntegers)
{
    EXPECT_EQ(CopyOne(32), kLevels + "\t 100\t 110\t  65\r\n");
}

TEST_F(ClipText, ExampleRecordAsDbPlusText)
{
    EXPECT_EQ(CopyOne(33), kLevels + "\t112.5dB SPL\t110.0dB SPL\tMike\tflat\tNC-30\tPlant room" +
                               Spaces(30) + "\tnorth wall" + Spaces(30) + "\t" + Spaces(40) + "\t" +
                               Spaces(40) + "\r\n");
}

TEST_F(ClipText, EmptyRecordInEveryLayout)
{
    std::string codes = "   0", levels = "-20.0";
    for (int band = 1; band < 30; ++band) {
        codes += "\t   0";
        levels += "\t-20.0";
    }
    EXPECT_EQ(CopyOne(30, 0), codes + "\r\n");
    EXPECT_EQ(CopyOne(31, 0), codes + "\t   0\t 110\t   2\r\n");
    EXPECT_EQ(CopyOne(32, 0), levels + "\t   0\t 110\t   2\r\n");
    EXPECT_EQ(CopyOne(33, 0), levels + "\t<-10.0dBu\t0.0dBu\tLeft\tflat\tnone\t" + Spaces(40) + "\t" +
                                  Spaces(40) + "\t" + Spaces(40) + "\t" + Spaces(40) + "\r\n");
}

TEST_F(ClipText, UnknownLayoutKeepsOnlyTheSeparators)
{
    EXPECT_EQ(CopyOne(5), std::string(29, '\t') + "\r\n");
}

TEST_F(ClipText, ReferenceLevelIsKeptToEightBits)
{
    Record(2).refCode = 200;  // 125 - 200 = -75, 181 as a byte
    Record(2).mode = 0x0E;    // Diff, C weighting
    const std::string text = CopyOne(31);
    EXPECT_EQ(text.substr(text.size() - 17), "\t 100\t 181\t  14\r\n");
}

TEST_F(ClipText, BandLevelsIgnoreDecimalsAndRoundingSettings)
{
    Record(2).bands[0] = 157;  // -0.375 dBr
    Record(2).bands[1] = 255;  // above range
    for (const int round : {0, 1})
        for (const int decimals : {0, 1}) {
            Settings().Clipround = round;
            Settings().Drawdpoint = decimals;
            EXPECT_EQ(CopyOne(32).substr(0, 9), "-0.4\t4.3\t");
        }
}

TEST_F(ClipText, WidebandAndReferenceTextsFollowDecimalsAndRounding)
{
    Record(2).wideband = 101;  // 110 + 12.625 - 10 = 112.625 dB
    Record(2).mode = 1 | 8;    // Mike, C weighting, no NC curve
    Settings().Drawdpoint = 0;
    Settings().Clipround = 0;
    EXPECT_NE(CopyOne(33).find("\t4.3\t112dBC SPL\t110dB SPL\tMike\tC\tnone\t"), std::string::npos);
    Settings().Clipround = 1;
    EXPECT_NE(CopyOne(33).find("\t4.3\t113dBC SPL\t110dB SPL\tMike\tC\tnone\t"), std::string::npos);
    Settings().Drawdpoint = 1;
    EXPECT_NE(CopyOne(33).find("\t4.3\t112.6dBC SPL\t110.0dB SPL\t"), std::string::npos);
}

TEST_F(ClipText, CommentControlCharactersAndHighBytesBecomeSpaces)
{
    auto& comment = doc.Data().comments[2];
    comment.fill(' ');
    comment[0] = 'a';
    comment[1] = '\x07';
    comment[2] = '\xE9';
    comment[3] = 'b';
    comment[159] = 'z';
    const std::string text = CopyOne(33);
    const std::string expected =
        "\ta  b" + Spaces(36) + "\t" + Spaces(40) + "\t" + Spaces(40) + "\t" + Spaces(39) + "z\r\n";
    EXPECT_EQ(text.substr(text.size() - expected.size()), expected);
}

TEST_F(ClipText, CommaRecordSeparatorMakesCopyAllOneLine)
{
    Settings().Clipfmat = 30;
    Settings().Cliprecsep = 44;
    ASSERT_EQ(doc.CopyRecords(0, 30), 0);
    const std::string& text = ui.Clipboard();
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
    // 30 records of 30 fields: 29 TABs inside each, a comma after each.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), 30 * 29);
    EXPECT_EQ(std::count(text.begin(), text.end(), ','), 30);
    EXPECT_EQ(text.size(), 30u * (30 * 4 + 29 + 1));
    EXPECT_EQ(text.back(), ',');
    EXPECT_NE(text.find(",   0\t 100\t 120\t"), std::string::npos);  // record 3 follows record 2
}

TEST_F(ClipText, CrLfRecordSeparatorEndsEveryRecord)
{
    Settings().Clipfmat = 31;
    Settings().Clipfiesep = 44;
    ASSERT_EQ(doc.CopyRecords(0, 30), 0);
    const std::string& text = ui.Clipboard();
    const std::string empty = "   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,"
                              "   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,"
                              "   0, 110,   2\r\n";
    std::string codes = kCodes;
    std::replace(codes.begin(), codes.end(), '\t', ',');
    std::string expected = empty + empty + codes + ", 100, 110,  65\r\n";
    for (int record = 3; record < 30; ++record)
        expected += empty;
    EXPECT_EQ(text, expected);
}

TEST_F(ClipText, SingleCharacterSeparators)
{
    Settings().Clipfiesep = 10;
    Settings().Cliprecsep = 13;
    const std::string text = CopyOne(31, 0);
    EXPECT_EQ(text.size(), 33u * 4 + 32 + 1);
    EXPECT_EQ(text.substr(text.size() - 16), "\n   0\n 110\n   2\r");
    Settings().Clipfiesep = 32;
    Settings().Cliprecsep = 9;
    EXPECT_EQ(CopyOne(30, 0).substr(0, 10), "   0    0 ");
    EXPECT_EQ(CopyOne(30, 0).back(), '\t');
}

}  // namespace
