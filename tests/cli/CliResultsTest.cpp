// tv7w-cli levels and rating, run as the real program.

#include "support/ExampleRecord.h"
#include "support/SampleDocument.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const std::string kExampleLevels = "   Hz  code      dBr    level  A-level\n"
                                   "   25     0   <-20.0    <90.0    <45.3\n"
                                   "   32   100     -7.5    102.5     63.1\n"
                                   "   40   120     -5.0    105.0     70.4\n"
                                   "   50   130     -3.8    106.3     76.1\n"
                                   "   63   140     -2.5    107.5     81.3\n"
                                   "   80   150     -1.3    108.8     86.3\n"
                                   "  100   152     -1.0    109.0     89.9\n"
                                   "  125   154     -0.8    109.3     93.2\n"
                                   "  160   156     -0.5    109.5     96.1\n"
                                   "  200   158     -0.3    109.8     98.9\n"
                                   "  250   160      0.0    110.0    101.4\n"
                                   "  315   158     -0.3    109.8    103.2\n"
                                   "  400   156     -0.5    109.5    104.7\n"
                                   "  500   154     -0.8    109.3    106.1\n"
                                   "  630   152     -1.0    109.0    107.1\n"
                                   "  800   150     -1.3    108.8    108.0\n"
                                   " 1000   148     -1.5    108.5    108.5\n"
                                   " 1250   146     -1.8    108.3    108.9\n"
                                   " 1600   144     -2.0    108.0    109.0\n"
                                   " 2000   142     -2.3    107.8    109.0\n"
                                   " 2500   140     -2.5    107.5    108.8\n"
                                   " 3150   138     -2.8    107.3    108.5\n"
                                   " 4000   136     -3.0    107.0    108.0\n"
                                   " 5000   134     -3.3    106.8    107.3\n"
                                   " 6300   132     -3.5    106.5    106.4\n"
                                   " 8000   130     -3.8    106.3    105.2\n"
                                   "10000   128     -4.0    106.0    103.5\n"
                                   "12500   126     -4.3    105.8    101.5\n"
                                   "16000   124     -4.5    105.5     98.9\n"
                                   "20000   194     >4.3   >114.3   >105.0\n";

// Record 2 the example record (110 dB SPL reference, 25 Hz below range,
// 20 kHz above), record 5 Left at 0 dBu in every band, record 7 Mike at 40
// dB SPL in every band, saved as plant.spc.
class CliResults : public DocumentTest {
protected:
    CliResults()
    {
        Record(1) = ExampleRecord();
        Record(4).bands.fill(160);
        Record(6).bands.fill(160);
        Record(6).refCode = 85;
        Record(6).mode = 1;
        EXPECT_TRUE(doc.OnSaveDocument(spc));
    }

    int Cli(const std::string& words, std::string& out)
    {
        return RunCommand(std::string(TV7W_CLI) + " --profile " + dir.File("TV7W.ini") + " " + words, out);
    }

    TempDir dir;
    const std::string spc = dir.File("plant.spc");
};

}  // namespace

TEST_F(CliResults, LevelsTable)
{
    std::string out;
    ASSERT_EQ(Cli("levels " + spc + " 2", out), 0);
    EXPECT_EQ(out, kExampleLevels);
}

TEST_F(CliResults, LevelsCsvKeepsNumbersPlainAndNamesTheRange)
{
    std::string out;
    ASSERT_EQ(Cli("levels " + spc + " 2 --csv", out), 0);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 31);
    const std::string head = "band_hz,code,dbr,level,a_level,range\n"
                             "25,0,-20.0,90.0,45.3,below\n"
                             "32,100,-7.5,102.5,63.1,\n";
    const std::string tail = "16000,124,-4.5,105.5,98.9,\n"
                             "20000,194,4.3,114.3,105.0,above\n";
    EXPECT_EQ(out.substr(0, head.size()), head);
    EXPECT_EQ(out.substr(out.size() - tail.size()), tail);
}

TEST_F(CliResults, Rating)
{
    std::string out;
    ASSERT_EQ(Cli("rating " + spc + " 2", out), 0);
    EXPECT_EQ(out, "source=Mike\nunit=dB SPL\nreference=110.0\n"
                   "oct_31.5=106.9\noct_63=112.4\noct_125=114.0\noct_250=114.6\noct_500=114.0\n"
                   "oct_1000=113.3\noct_2000=112.5\noct_4000=111.8\noct_8000=111.0\noct_16000=>115.3\n"
                   "LZ=>123.1\nLA=>119.8\nLC=>121.9\nNC=>70\nNC_band=\nNR=116\nNR_band=8000\n");

    ASSERT_EQ(Cli("rating " + spc + " 5", out), 0);
    EXPECT_EQ(out, "source=Left\nunit=dBu\nreference=0.0\n"
                   "oct_31.5=4.8\noct_63=4.8\noct_125=4.8\noct_250=4.8\noct_500=4.8\n"
                   "oct_1000=4.8\noct_2000=4.8\noct_4000=4.8\noct_8000=4.8\noct_16000=4.8\n"
                   "LZ=14.8\nLA=11.9\nLC=13.6\nNC=\nNC_band=\nNR=\nNR_band=\n");

    ASSERT_EQ(Cli("rating " + spc + " 7", out), 0);
    EXPECT_NE(out.find("\nreference=40.0\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\nLZ=54.8\nLA=51.9\nLC=53.6\nNC=48\nNC_band=8000\nNR=52\nNR_band=8000\n"),
              std::string::npos)
        << out;

    // An empty record: no band in range gives empty values.
    ASSERT_EQ(Cli("rating " + spc + " 30", out), 0);
    EXPECT_EQ(out, "source=Left\nunit=dBu\nreference=0.0\n"
                   "oct_31.5=\noct_63=\noct_125=\noct_250=\noct_500=\n"
                   "oct_1000=\noct_2000=\noct_4000=\noct_8000=\noct_16000=\n"
                   "LZ=\nLA=\nLC=\nNC=\nNC_band=\nNR=\nNR_band=\n");
}

TEST_F(CliResults, UsageErrorsAndFailures)
{
    std::string out;
    EXPECT_EQ(Cli("levels " + spc + " 31 2>&1", out), 2);
    EXPECT_EQ(out,
              "usage: tv7w-cli levels FILE RECORD [--csv]\ntv7w-cli: RECORD must be a number from 1 to 30\n");
    EXPECT_EQ(Cli("levels " + spc + " 0 2>&1", out), 2);
    EXPECT_EQ(Cli("levels " + spc + " 2 --cvs 2>&1", out), 2);
    EXPECT_EQ(out, "usage: tv7w-cli levels FILE RECORD [--csv]\ntv7w-cli: unknown option --cvs\n");
    EXPECT_EQ(Cli("rating " + spc + " 2>&1", out), 2);
    EXPECT_EQ(out, "usage: tv7w-cli rating FILE RECORD\ntv7w-cli: FILE and RECORD expected\n");
    EXPECT_EQ(Cli("rating " + spc + " 2 --csv 2>&1", out), 2);
    EXPECT_EQ(Cli("rating " + dir.File("missing.spc") + " 2 2>&1", out), 1);
    EXPECT_EQ(out, "Cannot open " + dir.File("missing.spc") + "\n(File not found)\n");
}
