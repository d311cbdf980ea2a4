// Progress of long transfers read from their texts, the analyser log, and
// the serial devices offered for the port.

#include "link/AnalyserLog.h"
#include "link/SerialDevices.h"
#include "link/TransferProgress.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(TransferProgress, ReadsTheMemoryOfADownloadAndTheHalfBytesOfAnUpload)
{
    using P = TransferProgress;
    EXPECT_EQ(ProgressOf("Downloading Memory 01"), (P{0, 30}));
    EXPECT_EQ(ProgressOf("Downloading Memory 30"), (P{29, 30}));
    EXPECT_EQ(ProgressOf("Downloading Memory 31"), std::nullopt);
    EXPECT_EQ(ProgressOf("Downloading Memory 05 to 07"), std::nullopt);  // one record
    EXPECT_EQ(ProgressOf("Uploading Memory 03 to 04 ( 1)"), (P{1, 34}));
    EXPECT_EQ(ProgressOf("Uploading Memory 03 to 04 (34)"), (P{34, 34}));
    EXPECT_EQ(ProgressOf("Downloading all 30 Records, wait.."), std::nullopt);
    EXPECT_EQ(ProgressOf("Ok"), std::nullopt);
}

TEST(TransferProgress, AnUploadOfAll30CountsHalfBytePairsOfEveryRecordAndTellsTheTimeLeft)
{
    using P = TransferProgress;
    EXPECT_EQ(BatchProgress(1, "Selecting TALVEK 7 Mem 01"), (P{0, 1020}));
    EXPECT_EQ(BatchProgress(2, "Uploading Memory 02 to 02 ( 1)"), (P{35, 1020}));
    EXPECT_EQ(BatchProgress(2, "Ok"), (P{68, 1020}));
    EXPECT_EQ(BatchProgress(30, "Uploading Memory 30 to 30 (34)"), (P{1020, 1020}));

    // Nothing done yet: no estimate.
    EXPECT_EQ(BatchText(1, P{0, 1020}, 0), "Record 1 of 30");
    // A tenth done in 10 s: 90 s to go; the seconds are rounded up.
    EXPECT_EQ(BatchText(4, P{102, 1020}, 10000), "Record 4 of 30, about 1 min 30 s left");
    EXPECT_EQ(BatchText(30, P{1019, 1020}, 100000), "Record 30 of 30, about 1 s left");
    EXPECT_EQ(BatchText(15, P{510, 1020}, 59000), "Record 15 of 30, about 59 s left");
    EXPECT_EQ(BatchText(15, P{510, 1020}, 60000), "Record 15 of 30, about 1 min 00 s left");
    EXPECT_EQ(BatchText(30, P{1020, 1020}, 100000), "Record 30 of 30");
}

TEST(AnalyserLog, EachByteCarriesItsTimeAndCommand)
{
    AnalyserLog log;
    int changes = 0;
    log.onChange = [&] { ++changes; };
    const std::uint8_t received[] = {0x06, 0x41};
    log.Record(false, received, 1);  // junk before anything was sent
    const std::uint8_t status = '?';
    log.Record(true, &status, 1);
    log.Record(false, received, 2);
    const std::uint8_t half = 0x0A;
    log.Record(true, &half, 1);
    EXPECT_EQ(changes, 4);
    ASSERT_EQ(log.Entries().size(), 5u);

    std::vector<std::string> tails;
    for (const AnalyserLog::Entry& entry : log.Entries())
        tails.push_back(AnalyserLog::Line(entry).substr(12));
    EXPECT_EQ(tails, (std::vector<std::string>{
                         "  received  06      before any command",
                         "  sent      3F '?'  status request",
                         "  received  06      reply to 3F (status request)",
                         "  received  41 'A'  reply to 3F (status request)",
                         "  sent      0A      upload half-byte",
                     }));
    EXPECT_EQ(AnalyserLog::Line(log.Entries()[0])[2], ':');
    EXPECT_EQ(AnalyserLog::CommandName(0x7E), "select memory 30");
    EXPECT_EQ(AnalyserLog::CommandName(0x3A), "sensitivity 8");

    TempDir dir;
    std::string error;
    ASSERT_TRUE(log.Save(dir.File("link.log"), error)) << error;
    std::ifstream file(dir.File("link.log"));
    std::stringstream stream;
    stream << file.rdbuf();
    const std::string text = stream.str();
    EXPECT_EQ(text, log.Text());
    EXPECT_EQ(text.rfind("TV7W analyser log, ", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);

    EXPECT_FALSE(log.Save(dir.File("no-such-folder/link.log"), error));
    EXPECT_FALSE(error.empty());
    log.Clear();
    EXPECT_TRUE(log.Entries().empty());
    EXPECT_EQ(log.Text(), "");
}

TEST(AnalyserLog, KeepsTheNewestBytesWithinItsBound)
{
    AnalyserLog log;
    std::vector<std::uint8_t> bytes(AnalyserLog::kMaxEntries + 3, 0x55);
    bytes.back() = 0x66;
    log.Record(false, bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_EQ(log.Entries().size(), AnalyserLog::kMaxEntries);
    EXPECT_EQ(log.Dropped(), 3u);
    EXPECT_EQ(log.Entries().back().byte, 0x66);
    EXPECT_NE(log.Text().find("3 earlier bytes dropped\n"), std::string::npos);
}

TEST(SerialDevices, ListsTheSerialFamiliesInNaturalOrderWithTheirStableNames)
{
    TempDir dir;
    for (const char* name : {"ttyS10", "ttyS2", "ttyUSB0", "ttyACM1", "tty0", "ttyS", "ttySx", "null"})
        WriteText(dir.File(name), "");
    ASSERT_EQ(::mkdir(dir.File("serial").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(dir.File("serial/by-id").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("../../ttyUSB0", dir.File("serial/by-id/usb-FTDI_FT232R-if00-port0").c_str()), 0);

    std::vector<std::string> paths;
    std::vector<std::string> names;
    for (const SerialDevice& device : ListSerialDevices(dir.Path())) {
        paths.push_back(device.path.substr(dir.Path().size()));
        names.push_back(device.name.substr(dir.Path().size()));
    }
    EXPECT_EQ(paths, (std::vector<std::string>{"/ttyS2", "/ttyS10", "/ttyUSB0", "/ttyACM1"}));
    EXPECT_EQ(names, (std::vector<std::string>{"/ttyS2", "/ttyS10",
                                               "/serial/by-id/usb-FTDI_FT232R-if00-port0", "/ttyACM1"}));
    EXPECT_TRUE(ListSerialDevices(dir.File("missing")).empty());
}

TEST(SerialDevices, PermissionAdviceNamesTheGroupAndTheCommand)
{
    TempDir dir;
    const std::string device = dir.File("ttyUSB0");
    WriteText(device, "");
    EXPECT_EQ(PermissionAdvice(device), "");  // ours to use
    EXPECT_EQ(PermissionAdvice(dir.File("missing")), "");
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may open every device";
    ASSERT_EQ(::chmod(device.c_str(), 0), 0);
    const std::string advice = PermissionAdvice(device);
    EXPECT_EQ(advice.rfind("You have no permission to use " + device, 0), 0u) << advice;
    EXPECT_NE(advice.find("usermod -aG "), std::string::npos) << advice;
}

}  // namespace
