// tv7w-cli average, difference and summary, run as the real program.

#include "support/SampleDocument.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

constexpr int kMike = 1;
constexpr int kLeft = 2;

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Record n (1..30) of a file's bytes.
std::vector<std::uint8_t> RecordBytes(const std::vector<std::uint8_t>& file, int n)
{
    const auto start = file.begin() + 8 + 34 * (n - 1);
    return {start, start + 34};
}

// survey.spc: records 1 and 2 two positions in one room (50 and 51 dB SPL
// in every band; record 2 below range at 25 Hz, above it at 20 kHz), 3 a
// line input, 5 the source room (90 dB SPL), 6 the receiving room (50 dB
// SPL), 7 its background (38 dB SPL); record 4 empty.
class CliSurvey : public DocumentTest {
protected:
    CliSurvey()
    {
        Fill(0, kMike, 75, 160);
        Fill(1, kMike, 75, 168);
        Record(1).bands[0] = 0;
        Record(1).bands[29] = 194;
        Fill(2, kLeft, 15, 160);
        Fill(4, kMike, 35, 160);
        Fill(5, kMike, 75, 160);
        Fill(6, kMike, 87, 160);
        doc.SetComment(0, "Office 1, desk");
        EXPECT_TRUE(doc.OnSaveDocument(spc));
    }

    void Fill(int record, int source, int refCode, int code)
    {
        Record(record).bands.fill(static_cast<std::uint8_t>(code));
        Record(record).wideband = 100;
        Record(record).refCode = static_cast<std::uint8_t>(refCode);
        Record(record).mode = static_cast<std::uint8_t>(source);
    }

    // Runs tv7w-cli with words; stderr goes to out too when both is set.
    int Cli(const std::string& words, std::string& out, bool both = false)
    {
        return RunCommand("cd " + dir.Path() + " && " + TV7W_CLI + " --profile " + dir.File("TV7W.ini") +
                              " " + words + (both ? " 2>&1" : " 2>/dev/null"),
                          out);
    }

    // The value of key in key=value lines.
    static std::string Value(const std::string& out, const std::string& key)
    {
        const std::size_t at = out.find("\n" + key + "=") + 1;
        if (at == 0 && out.compare(0, key.size() + 1, key + "=") != 0)
            return "(missing)";
        const std::size_t start = out.find('=', at) + 1;
        return out.substr(start, out.find('\n', start) - start);
    }

    TempDir dir;
    const std::string spc = dir.File("survey.spc");
};

}  // namespace

TEST_F(CliSurvey, AveragePrintsTheBandsAndLeavesTheFile)
{
    const std::vector<std::uint8_t> before = ReadBytes(spc);
    std::string out;
    ASSERT_EQ(Cli("average survey.spc 1-2", out), 0);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 30);
    EXPECT_TRUE(StartsWith(out, "L_25=<47.0\nL_32=50.5\n")) << out;
    EXPECT_EQ(Value(out, "L_1000"), "50.5");
    EXPECT_EQ(Value(out, "L_20000"), ">52.6");
    EXPECT_EQ(ReadBytes(spc), before);
}

TEST_F(CliSurvey, AverageIntoARecordSavesTheFile)
{
    std::string out;
    ASSERT_EQ(Cli("average survey.spc 1,1 --into 10", out), 2);
    ASSERT_EQ(Cli("average survey.spc 1 --into 10", out), 0);
    const std::vector<std::uint8_t> bytes = ReadBytes(spc);
    ASSERT_EQ(bytes.size(), 5828u);
    std::vector<std::uint8_t> expected = RecordBytes(bytes, 1);
    EXPECT_EQ(RecordBytes(bytes, 10), expected);
    const std::string comment(bytes.begin() + 1028 + 160 * 9, bytes.begin() + 1028 + 160 * 10);
    EXPECT_EQ(comment, "Average of 1" + std::string(148, ' '));
}

TEST_F(CliSurvey, AverageRefusalsLeaveTheFileByteForByte)
{
    const std::vector<std::uint8_t> before = ReadBytes(spc);
    struct Case {
        const char* words;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"average survey.spc 1,3 --into 10", 1,
         "tv7w-cli: Record 3 is not in the unit of record 1 (dB SPL from the microphone, dBu from a line "
         "input)\n"},
        {"average survey.spc 1,4 --into 10", 1, "tv7w-cli: Record 4 is empty\n"},
        {"average survey.spc 1,,2 --into 10", 2,
         "usage: tv7w-cli average FILE RECORDS [--into N]\ntv7w-cli: RECORDS must be record numbers and "
         "ranges separated by commas, such as 1,3-5,9\n"},
        {"average survey.spc 1-31 --into 10", 2,
         "usage: tv7w-cli average FILE RECORDS [--into N]\ntv7w-cli: RECORDS must be numbers from 1 to 30\n"},
        {"average survey.spc 1 --into 31", 2,
         "usage: tv7w-cli average FILE RECORDS [--into N]\ntv7w-cli: --into needs a record number from 1 to "
         "30\n"},
        {"average survey.spc --into 10", 2,
         "usage: tv7w-cli average FILE RECORDS [--into N]\ntv7w-cli: FILE and RECORDS expected\n"},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_EQ(Cli(c.words, out, true), c.status) << c.words;
        EXPECT_EQ(out, c.message) << c.words;
        EXPECT_EQ(ReadBytes(spc), before) << c.words;
    }
}

TEST_F(CliSurvey, DifferenceWithBackgroundAndReverberationTime)
{
    std::string out;
    // 12 dB over the background: no correction; D is a flat 40 dB.
    ASSERT_EQ(Cli("difference survey.spc 5 6 --background 7", out), 0);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 34);
    EXPECT_TRUE(StartsWith(out, "D_25=40.0\nD_32=40.0\n")) << out;
    EXPECT_TRUE(EndsWith(out, "D_20000=40.0\nDw=40\nC=0\nCtr=0\nlimited=no\n")) << out;
    EXPECT_EQ(Value(out, "DnTw"), "(missing)");

    // Twice the reference time: 3.0 dB more.
    ASSERT_EQ(Cli("difference survey.spc 5 6 --rt 1", out), 0);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 34 + 16 + 3);
    EXPECT_EQ(Value(out, "DnT_100"), "43.0");
    EXPECT_EQ(Value(out, "DnT_3150"), "43.0");
    EXPECT_TRUE(EndsWith(out, "DnT_3150=43.0\nDnTw=43\nDnT_C=0\nDnT_Ctr=0\n")) << out;
    // One time per band.
    ASSERT_EQ(
        Cli("difference survey.spc 5 6 --rt 0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,1",
            out),
        0);
    EXPECT_EQ(Value(out, "DnT_100"), "40.0");
    EXPECT_EQ(Value(out, "DnT_3150"), "43.0");

    // One record cannot be both rooms.
    ASSERT_EQ(Cli("difference survey.spc 5 6 --background 6", out, true), 1);
    EXPECT_EQ(out, "tv7w-cli: Record 6 cannot stand for two rooms\n");
}

TEST_F(CliSurvey, DifferenceRefusals)
{
    const std::vector<std::uint8_t> before = ReadBytes(spc);
    const std::string usage =
        "usage: tv7w-cli difference FILE SOURCE RECEIVE [--background B] [--rt T[,T...]]\ntv7w-cli: ";
    struct Case {
        const char* words;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {"difference survey.spc 5 3", 1,
         "tv7w-cli: Record 3 is not in the unit of record 5 (dB SPL from the microphone, dBu from a line "
         "input)\n"},
        {"difference survey.spc 5 4", 1, "tv7w-cli: Record 4 is empty\n"},
        {"difference survey.spc 5 6 --background 4", 1, "tv7w-cli: Record 4 is empty\n"},
        {"difference survey.spc 5 31", 2, usage + "SOURCE and RECEIVE must be numbers from 1 to 30\n"},
        {"difference survey.spc 5 6 --background 0", 2,
         usage + "--background needs a record number from 1 to 30\n"},
        {"difference survey.spc 5 6 --rt 0", 2, usage + "Reverberation time 1 must be above 0 s\n"},
        {"difference survey.spc 5 6 --rt 0.5,0.5", 2,
         usage + "Give one reverberation time, or 16 (100 Hz to 3150 Hz)\n"},
        {"difference survey.spc 5 6 --rt 0,5", 2,
         usage + "Give one reverberation time, or 16 (100 Hz to 3150 Hz)\n"},
        {"difference survey.spc 5 6 --rt half", 2,
         usage + "--rt needs reverberation times in seconds, such as 0.5 or 0.6,0.55,...\n"},
        {"difference survey.spc 5", 2, usage + "FILE, SOURCE and RECEIVE expected\n"},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_EQ(Cli(c.words, out, true), c.status) << c.words;
        EXPECT_EQ(out, c.message) << c.words;
        EXPECT_EQ(ReadBytes(spc), before) << c.words;
    }
}

TEST_F(CliSurvey, SummaryAsCsvAndAsTable)
{
    // a.spc: record 1 Mike at 40 dB SPL with a comment holding a comma, record 3 Left at 0 dBu.
    doc.OnNewDocument();
    Fill(0, kMike, 85, 160);
    Fill(2, kLeft, 15, 160);
    doc.SetComment(0, "Office 1, desk");
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("a.spc")));
    WriteText(dir.File("notes.txt"), "not a spectrum file");

    std::string out;
    ASSERT_EQ(Cli("summary --csv a.spc", out), 0);
    EXPECT_EQ(out, "file,record,comment,source,reference,LZ,LA,LC,NC,NR\r\n"
                   "a.spc,1,\"Office 1, desk\",Mike,40.0,54.8,51.9,53.6,48,52\r\n"
                   "a.spc,3,,Left,0.0,14.8,11.9,13.6,,\r\n");

    ASSERT_EQ(Cli("summary a.spc", out), 0);
    EXPECT_EQ(out, "file   record  comment         source  reference    LZ    LA    LC  NC  NR\n"
                   "a.spc       1  Office 1, desk  Mike         40.0  54.8  51.9  53.6  48  52\n"
                   "a.spc       3                  Left          0.0  14.8  11.9  13.6\n");

    // A file that is not a spectrum data file is named; the others are still summarised.
    ASSERT_EQ(Cli("summary --csv notes.txt a.spc missing.spc survey.spc", out, true), 1);
    EXPECT_TRUE(StartsWith(out,
                           "tv7w-cli: notes.txt was left out: Unknown File Format\n"
                           "tv7w-cli: missing.spc was left out: Cannot open missing.spc (File not found)\n"))
        << out;
    EXPECT_NE(out.find("\r\na.spc,3,,Left,"), std::string::npos) << out;
    EXPECT_NE(out.find("\r\nsurvey.spc,7,,Mike,38.0,"), std::string::npos) << out;

    EXPECT_EQ(Cli("summary --csv", out, true), 2);
    EXPECT_EQ(out, "usage: tv7w-cli summary [--csv] FILE...\ntv7w-cli: at least one FILE expected\n");
}

TEST_F(CliSurvey, HelpListsTheSurveyCommands)
{
    std::string out;
    ASSERT_EQ(Cli("--help", out), 0);
    EXPECT_NE(out.find("\n  tv7w-cli rating FILE RECORD\n"
                       "  tv7w-cli average FILE RECORDS [--into N]\n"
                       "  tv7w-cli difference FILE SOURCE RECEIVE [--background B] [--rt T[,T...]]\n"
                       "  tv7w-cli summary [--csv] FILE...\n"),
              std::string::npos)
        << out;
}
