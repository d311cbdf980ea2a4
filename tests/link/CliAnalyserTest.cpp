// tv7w-cli status, download and upload end to end: tv7sim in its own
// process on a pseudo-terminal, the files on disk, the messages on stderr.

#include "LinkTestSupport.h"

#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "sim/TalvekAnalyser.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

class CliAnalyserTest : public ::testing::Test {
protected:
    CliAnalyserTest()
    {
        Settings() = ProgramSettings{};
        Profile().SetPath(dir.File("TV7W.ini"));
    }
    ~CliAnalyserTest() override { Profile().SetPath({}); }

    // The files in the download journal.
    std::vector<std::string> JournalFiles() const
    {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(dir.File("TV7W/downloads"), error))
            names.push_back(entry.path().filename().string());
        return names;
    }

    // Runs tv7w-cli with the words; its standard output in out, stderr in err.
    int Cli(const std::string& words)
    {
        const std::string command = std::string(TV7W_CLI) + " --profile " + dir.File("TV7W.ini") + " " +
                                    words + " 2>" + dir.File("stderr");
        const int status = RunCommand(command, out);
        err = ReadText(dir.File("stderr"));
        return status;
    }

    // A file holding a new document, with record 2 (index 1) filled.
    std::string MakeFile(const std::string& name)
    {
        CMainDoc doc(ui);
        doc.OnNewDocument();
        doc.Data().records[1] = TalvekAnalyser::BuiltInMeasurement(22);
        doc.Data().records[1].bands[4] = 0xA7;
        doc.SetComment(3, "Boiler house");
        const std::string path = dir.File(name);
        EXPECT_TRUE(doc.OnSaveDocument(path));
        return path;
    }

    static SpectrumFile Load(const std::string& path)
    {
        SpectrumFile file{};
        const std::vector<std::uint8_t> bytes = ReadBytes(path);
        EXPECT_EQ(bytes.size(), static_cast<std::size_t>(SpectrumFile::kSize));
        if (bytes.size() == SpectrumFile::kSize)
            std::memcpy(file.Bytes(), bytes.data(), bytes.size());
        return file;
    }

    static MemoryRecord WithChecksum(MemoryRecord record)
    {
        record.checksum = record.ComputeChecksum();
        return record;
    }

    TempDir dir;
    // tv7w-cli keeps its download journal in the test's folder.
    ScopedEnvironment dataHome{"XDG_DATA_HOME", dir.Path().c_str()};
    ScriptedUserInterface ui;
    std::string out;
    std::string err;
};

TEST_F(CliAnalyserTest, StatusPrintsTheSerialNumber)
{
    SimulatorProcess simulator(TV7SIM, {"--serial", "LAB0007"});
    EXPECT_EQ(Cli("status --port " + simulator.DevicePath() + " --comdelay 1"), 0) << err;
    EXPECT_EQ(out, "LAB0007\n");
}

TEST_F(CliAnalyserTest, APortNumberIsTheProfilesDevice)
{
    SimulatorProcess simulator(TV7SIM, {});
    WriteText(dir.File("TV7W.ini"),
              "[Ports]\nCOM2=" + simulator.DevicePath() + "\nCOM8=" + simulator.DevicePath() + "\n");
    EXPECT_EQ(Cli("status --port 2 --comdelay 1"), 0) << err;
    EXPECT_EQ(out, std::string(TalvekAnalyser::kDefaultSerial) + "\n");
    // The highest port.
    EXPECT_EQ(Cli("status --port 8 --comdelay 1"), 0) << err;
    EXPECT_EQ(out, std::string(TalvekAnalyser::kDefaultSerial) + "\n");
}

TEST_F(CliAnalyserTest, DownloadCreatesTheFileWithOneRecord)
{
    SimulatorProcess simulator(TV7SIM, {});
    const std::string path = dir.File("new.spc");
    ASSERT_EQ(
        Cli("download " + path + " --port " + simulator.DevicePath() + " --record 3 --memory 5 --comdelay 1"),
        0)
        << err;
    const SpectrumFile file = Load(path);
    EXPECT_EQ(file.records[2], TalvekAnalyser::BuiltInMeasurement(4));
    EXPECT_EQ(std::string(file.serialNumber.data(), 8), std::string(TalvekAnalyser::kDefaultSerial) + '\0');
    for (std::size_t r = 0; r < 30; ++r) {
        if (r != 2) {
            EXPECT_EQ(file.records[r], MemoryRecord::Empty()) << r;
        }
    }
}

TEST_F(CliAnalyserTest, ADownloadIsKeptInTheJournalUnlessTurnedOff)
{
    SimulatorProcess simulator(TV7SIM, {"--serial", "LAB0007"});
    const std::string download = "download " + dir.File("a.spc") + " --port " + simulator.DevicePath() +
                                 " --record 3 --memory 5 --comdelay 1";
    ASSERT_EQ(Cli(download), 0) << err;
    const std::vector<std::string> kept = JournalFiles();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_TRUE(kept[0].ends_with("_LAB0007.spc")) << kept[0];
    EXPECT_EQ(ReadBytes(dir.File("TV7W/downloads/" + kept[0])), ReadBytes(dir.File("a.spc")));

    ASSERT_EQ(Cli(download + " --no-journal"), 0) << err;
    EXPECT_EQ(JournalFiles().size(), 1u);
}

TEST_F(CliAnalyserTest, DownloadOfAllRecordsKeepsTheComments)
{
    SimulatorProcess simulator(TV7SIM, {});
    const std::string path = MakeFile("all.spc");
    ASSERT_EQ(Cli("download " + path + " --port " + simulator.DevicePath() + " --all --comdelay 1"), 0)
        << err;
    const SpectrumFile file = Load(path);
    for (int m = 0; m < 30; ++m)
        EXPECT_EQ(file.records[static_cast<std::size_t>(m)], TalvekAnalyser::BuiltInMeasurement(m)) << m;
    EXPECT_EQ(std::string(file.comments[3].data(), 12), "Boiler house");
    EXPECT_NE(err.find("Downloading Memory 30"), std::string::npos);
}

TEST_F(CliAnalyserTest, AnUploadedRecordComesBackUnchanged)
{
    SimulatorProcess simulator(TV7SIM, {});
    const std::string source = MakeFile("source.spc");
    const std::vector<std::uint8_t> before = ReadBytes(source);
    ASSERT_EQ(
        Cli("upload " + source + " --port " + simulator.DevicePath() + " --record 2 --memory 9 --comdelay 1"),
        0)
        << err;
    EXPECT_EQ(ReadBytes(source), before);
    EXPECT_NE(err.find("Uploading Memory 02 to 09 (34)"), std::string::npos);

    const std::string copy = dir.File("copy.spc");
    ASSERT_EQ(
        Cli("download " + copy + " --port " + simulator.DevicePath() + " --record 1 --memory 9 --comdelay 1"),
        0)
        << err;
    EXPECT_EQ(Load(copy).records[0], Load(source).records[1]);
}

TEST_F(CliAnalyserTest, AWrongChecksumLeavesTheFileAsItWasUnlessIgnored)
{
    SimulatorProcess simulator(TV7SIM, {"--corrupt-checksum", "5"});
    const std::string path = MakeFile("kept.spc");
    const std::vector<std::uint8_t> before = ReadBytes(path);
    const std::string download =
        "download " + path + " --port " + simulator.DevicePath() + " --record 1 --memory 5";
    EXPECT_EQ(Cli(download + " --comdelay 1"), 1);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_NE(err.find("Problems with Checksum"), std::string::npos) << err;
    EXPECT_NE(err.find("Ignore? No"), std::string::npos) << err;
    EXPECT_NE(err.find("last 34 bytes rx:"), std::string::npos) << err;
    EXPECT_NE(err.find("\r\033[KProblem with Checksums\ntv7w-cli: download from "), std::string::npos) << err;
    // Retries answer only the time-out questions.
    EXPECT_EQ(Cli(download + " --comdelay 1 --retries 3"), 1);
    EXPECT_NE(err.find("Ignore? No"), std::string::npos) << err;
    EXPECT_EQ(ReadBytes(path), before);

    EXPECT_EQ(Cli(download + " --comdelay 1 --ignore-checksum"), 0) << err;
    EXPECT_EQ(Load(path).records[0], WithChecksum(TalvekAnalyser::BuiltInMeasurement(4)));
}

TEST_F(CliAnalyserTest, RetriesAnswerTryAgainThatManyTimes)
{
    SimulatorProcess simulator(TV7SIM, {"--silent-after", "?"});
    EXPECT_EQ(Cli("status --port " + simulator.DevicePath() + " --comdelay 1 --retries 1"), 1);
    const std::string question = "Timed Out on Cmd 3Fh, check TALVEK 7 connection\nTry again?";
    EXPECT_NE(err.find(question + " Yes\n"), std::string::npos) << err;
    EXPECT_NE(err.find(question + " No\n"), std::string::npos) << err;
    // The last progress text keeps its line; the failure takes the next one.
    EXPECT_NE(err.find("\r\033[KTimed Out\ntv7w-cli: no status from the analyser on "), std::string::npos)
        << err;
    EXPECT_TRUE(out.empty());
}

TEST_F(CliAnalyserTest, ALineThatClosesMidTransferLeavesNoFile)
{
    // The status read takes 16 reply bytes, the selection 1; the line
    // closes after 10 bytes of the record.
    SimulatorProcess simulator(TV7SIM, {"--close-after", "27"});
    const std::string path = dir.File("never.spc");
    EXPECT_EQ(Cli("download " + path + " --port " + simulator.DevicePath() + " --record 1 --comdelay 1"), 1);
    EXPECT_FALSE(FileExists(path));
    // The messages name the device given, not a port number.
    const std::string device = simulator.DevicePath();
    EXPECT_NE(
        err.find("Problems with COM port(" + device + ")\n(" + device + ", Bad Read, e=5)\nRestart Program"),
        std::string::npos)
        << err;
}

TEST_F(CliAnalyserTest, ADeviceThatFloodsTheLineEndsTheStatusRead)
{
    SimulatorProcess simulator(TV7SIM, {"--flood"});
    EXPECT_EQ(Cli("status --port " + simulator.DevicePath() + " --comdelay 1"), 1);
    EXPECT_NE(err.find("Never Quiet"), std::string::npos) << err;
    EXPECT_TRUE(out.empty());
}

TEST_F(CliAnalyserTest, AMissingDeviceIsNotFound)
{
    EXPECT_EQ(Cli("status --port " + dir.File("ttyUSB3")), 1);
    EXPECT_NE(err.find("COM port not found"), std::string::npos) << err;
}

TEST_F(CliAnalyserTest, ADeviceInUseByAnotherProcessIsRefused)
{
    SimulatorProcess simulator(TV7SIM, {});
    AnalyserLink holder;
    holder.SetDevicePath(simulator.DevicePath());
    ASSERT_EQ(holder.Open(), 0);
    EXPECT_EQ(Cli("status --port " + simulator.DevicePath()), 1);
    EXPECT_NE(err.find("COM port Already Open"), std::string::npos) << err;
}

TEST_F(CliAnalyserTest, AnUploadFromAMissingFileFails)
{
    EXPECT_EQ(Cli("upload " + dir.File("none.spc") + " --port " + dir.File("tty") + " --record 1"), 1);
    EXPECT_FALSE(FileExists(dir.File("none.spc")));
}

TEST_F(CliAnalyserTest, UsageErrors)
{
    const std::string file = dir.File("f.spc");
    const std::string port = " --port " + dir.File("tty");
    const std::vector<std::string> rows{
        "status",
        "status extra" + port,
        "status --port 9",
        "status --port 0",
        "status --port ''",
        "status" + port + " --comdelay soon",
        "status" + port + " --retries -1",
        "download " + file + port,
        "download " + file + port + " --record 3 --all",
        "download " + file + port + " --all --memory 2",
        "download " + file + port + " --record 31",
        "download " + file + port + " --record 3 --memory 0",
        "download" + port + " --record 3",
        "upload " + file + " --record 3",
        "upload " + file + port + " --record 1 --bogus",
    };
    for (const std::string& words : rows) {
        EXPECT_EQ(Cli(words), 2) << words;
        EXPECT_NE(err.find("usage: tv7w-cli"), std::string::npos) << words;
    }
    EXPECT_FALSE(FileExists(file));
}

}  // namespace
