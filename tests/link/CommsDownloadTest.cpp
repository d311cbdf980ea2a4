// Downloads of one and of all 30 records: wire traffic, buffer layout, the
// file's records, checksum questions, time-outs and a line that closes.

#include "LinkTestSupport.h"

#include <cstdio>
#include <filesystem>

namespace {

using Icon = UserInterface::Icon;
using Question = UserInterface::Question;
constexpr int kCurrent = CCommsDlg::kCurrentMemory;
constexpr int kAll = CCommsDlg::kAllRecords;

std::string ChecksumQuestion(std::uint8_t computed, int memory)
{
    char text[128];
    std::snprintf(text, sizeof text, "Problems with Checksum %02X\r\nMemory:%d\r\nIgnore?", computed, memory);
    return text;
}

std::string HexDump(const MemoryRecord& received, std::uint8_t computed)
{
    char line[64];
    std::snprintf(line, sizeof line, "Calculated cksum:%02X\r\nlast 34 bytes rx:\r\n", computed);
    std::string text = line;
    for (int i = 0; i < MemoryRecord::kSize; ++i) {
        std::snprintf(line, sizeof line, "%02d: %02X\r\n", i, received.Bytes()[i]);
        text += line;
    }
    return text;
}

// What a memory sends when its checksum goes out wrong.
MemoryRecord Corrupted(MemoryRecord record)
{
    record.checksum = static_cast<std::uint8_t>(~record.checksum);
    return record;
}

TEST_F(CommsTest, OneRecordGoesIntoTheFileWithoutItsChecksum)
{
    comms.Panel().m_nPanelMemory = 5;
    doc.Data().records[6].checksum = 0x77;
    const SpectrumFile before = doc.Data();

    EXPECT_EQ(comms.DownloadToFile(doc, 6, kCurrent), 0);
    EXPECT_EQ(simulator.Received(), Bytes("eY"));
    EXPECT_EQ(RecordData(doc.Data().records[6]), AnalyserData(4));
    EXPECT_EQ(doc.Data().records[6].checksum, 0x77);
    for (std::size_t r = 0; r < 30; ++r) {
        if (r != 6) {
            EXPECT_EQ(doc.Data().records[r], before.records[r]) << r;
        }
    }
    EXPECT_EQ(ui.Texts("progress"), (std::vector<std::string>{"Downloading Memory 05 to 07", "Ok"}));
    EXPECT_EQ(sleeper.Polls(), 1 + 36);
    EXPECT_EQ(sleeper.Pauses(), std::vector<int>(2, kComdelay));
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_EQ(ui.WaitCursorDepth(), 0);
    EXPECT_FALSE(doc.IsModified());  // the view marks it
}

TEST_F(CommsTest, ADownloadIntoTheFileIsKeptInTheJournalAFailedOneIsNot)
{
    const std::string folder = dir.File("TV7W/downloads");
    simulator.SetFaults({.corruptMemory = 5});
    EXPECT_EQ(comms.DownloadToFile(doc, 2, 4), CCommsDlg::kFailed);
    EXPECT_FALSE(FileExists(folder));

    simulator.SetFaults({});
    ASSERT_EQ(comms.ReadStatus(), 0);
    EXPECT_EQ(comms.DownloadToFile(doc, 2, 4), 0);
    std::vector<std::filesystem::path> kept;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        kept.push_back(entry.path());
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_TRUE(
        kept[0].filename().string().ends_with(std::string("_") + TalvekAnalyser::kDefaultSerial + ".spc"));
    SpectrumFile saved = doc.Data();
    for (MemoryRecord& record : saved.records)
        record.checksum = record.ComputeChecksum();
    EXPECT_EQ(ReadBytes(kept[0].string()),
              std::vector<std::uint8_t>(saved.Bytes(), saved.Bytes() + SpectrumFile::kSize));
}

TEST_F(CommsTest, AOneRecordBufferHoldsTheImageWithItsChecksum)
{
    CCommsDlg::DownloadBuffer buffer{};
    EXPECT_EQ(comms.DownloadRecords(buffer, -1, 9), 0);
    const MemoryRecord& memory = simulator.Analyser().Memory(9);
    EXPECT_TRUE(std::equal(memory.Bytes(), memory.Bytes() + 34, buffer.begin()));
    EXPECT_EQ(buffer[34], 0);
    // Without a destination the progress text numbers it 00.
    EXPECT_EQ(ui.Texts("progress").front(), "Downloading Memory 10 to 00");
}

TEST_F(CommsTest, AllRecordsComeFromOneRequest)
{
    CCommsDlg::DownloadBuffer buffer{};
    EXPECT_EQ(comms.DownloadRecords(buffer, kAll, kAll), 0);
    EXPECT_EQ(simulator.Received(), Bytes("Z"));
    EXPECT_EQ(sleeper.Polls(), 1022);
    for (int g = 0; g < 30; ++g) {
        const auto offset = static_cast<std::size_t>(8 + 34 * g);
        const std::vector<std::uint8_t> block(buffer.begin() + static_cast<std::ptrdiff_t>(offset),
                                              buffer.begin() + static_cast<std::ptrdiff_t>(offset + 33));
        EXPECT_EQ(block, AnalyserData(g)) << g;
        EXPECT_EQ(buffer[offset + 33], 0) << "the checksums stay out of the buffer";
    }

    // The status line names the memory after every poll.
    const std::vector<std::string> progress = ui.Texts("progress");
    EXPECT_EQ(progress.size(), 1u + 1022u + 1u);
    std::vector<std::string> shown;
    for (const std::string& text : progress)
        if (shown.empty() || shown.back() != text)
            shown.push_back(text);
    std::vector<std::string> expected{"Downloading all 30 Records, wait.."};
    for (int m = 1; m <= 30; ++m) {
        char text[32];
        std::snprintf(text, sizeof text, "Downloading Memory %02d", m);
        expected.push_back(text);
    }
    expected.push_back("Ok");
    EXPECT_EQ(shown, expected);
}

TEST_F(CommsTest, AllRecordsGoIntoTheFile)
{
    doc.SetComment(3, "kept");
    EXPECT_EQ(comms.DownloadToFile(doc, kAll, kAll), 0);
    for (int g = 0; g < 30; ++g)
        EXPECT_EQ(RecordData(doc.Data().records[static_cast<std::size_t>(g)]), AnalyserData(g)) << g;
    std::string comment;
    doc.GetComment(comment, 3, 0);
    EXPECT_EQ(comment.substr(0, 4), "kept");
}

TEST_F(CommsTest, OneRecordWhileTheSelectedMemoryIsUnknownTakesMemoryOne)
{
    const SpectrumFile before = doc.Data();
    ASSERT_EQ(comms.Panel().m_nPanelMemory, 0);
    EXPECT_EQ(comms.DownloadToFile(doc, 6, kCurrent), 0);
    EXPECT_EQ(simulator.Received(), Bytes("aY"));
    EXPECT_EQ(RecordData(doc.Data().records[6]), AnalyserData(0));
    for (std::size_t r = 0; r < 30; ++r) {
        if (r != 6) {
            EXPECT_EQ(doc.Data().records[r], before.records[r]) << r;
        }
    }
    EXPECT_EQ(comms.Panel().m_nPanelMemory, 1);
}

TEST_F(CommsTest, TheCurrentMemoryWhileUnknownIsAllRecordsForTheBuffer)
{
    CCommsDlg::DownloadBuffer buffer{};
    EXPECT_EQ(comms.DownloadRecords(buffer, kAll, kCurrent), 0);
    EXPECT_EQ(simulator.Received(), Bytes("Z"));
}

TEST_F(CommsTest, AWrongChecksumAnsweredYesStoresTheRecordAsReceived)
{
    simulator.SetFaults({.corruptMemory = 5});
    ui.Answer(Question::TryAgain, {false});
    ui.Answer(Question::IgnoreChecksum, {true});
    EXPECT_EQ(comms.DownloadToFile(doc, 2, 4), 0);
    const MemoryRecord& memory = simulator.Analyser().Memory(4);
    ASSERT_EQ(ui.Texts("ask"), std::vector<std::string>{ChecksumQuestion(memory.checksum, 5)});
    EXPECT_EQ(ui.Questions(), std::vector<Question>{Question::IgnoreChecksum});
    EXPECT_EQ(Icons(ui, "ask"), std::vector<Icon>{Icon::Exclamation});
    EXPECT_EQ(RecordData(doc.Data().records[2]), AnalyserData(4));
    EXPECT_EQ(comms.CommsStatus(), "Ok");
}

TEST_F(CommsTest, AWrongChecksumAnsweredNoLeavesTheFileAlone)
{
    simulator.SetFaults({.corruptMemory = 5});
    const SpectrumFile before = doc.Data();
    ui.Answer({false});
    EXPECT_EQ(comms.DownloadToFile(doc, 2, 4), CCommsDlg::kFailed);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::ChecksumRefused);
    const MemoryRecord& memory = simulator.Analyser().Memory(4);
    EXPECT_EQ(ui.Texts("tell"), std::vector<std::string>{HexDump(Corrupted(memory), memory.checksum)});
    EXPECT_EQ(comms.CommsStatus(), "Problem with Checksums");
    EXPECT_TRUE(doc.Data() == before);
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_EQ(ui.Count("refresh"), 1);
    EXPECT_EQ(ui.WaitCursorDepth(), 0);
}

TEST_F(CommsTest, ABadSixthBlockAnsweredYesGoesOnWithTheRest)
{
    simulator.SetFaults({.corruptMemory = 6});
    ui.Answer({true});
    EXPECT_EQ(comms.DownloadToFile(doc, kAll, kAll), 0);
    EXPECT_EQ(ui.Texts("ask"),
              std::vector<std::string>{ChecksumQuestion(simulator.Analyser().Memory(5).checksum, 6)});
    for (int g = 0; g < 30; ++g)
        EXPECT_EQ(RecordData(doc.Data().records[static_cast<std::size_t>(g)]), AnalyserData(g)) << g;
}

TEST_F(CommsTest, ABadSixthBlockAnsweredNoLeavesEveryRecordAlone)
{
    simulator.SetFaults({.corruptMemory = 6});
    const SpectrumFile before = doc.Data();
    ui.Answer({false});
    EXPECT_EQ(comms.DownloadToFile(doc, kAll, kAll), -1);
    const MemoryRecord& memory = simulator.Analyser().Memory(5);
    // The dump shows the block that failed.
    EXPECT_EQ(ui.Texts("tell"), std::vector<std::string>{HexDump(Corrupted(memory), memory.checksum)});
    EXPECT_TRUE(doc.Data() == before);
    EXPECT_EQ(comms.CommsStatus(), "Problem with Checksums");
}

TEST_F(CommsTest, AReplyThatStopsAsksAndNoEndsTheDownload)
{
    comms.Panel().m_nPanelMemory = 5;
    simulator.SetFaults({.stopAfterBytes = 1 + 20});  // the acknowledgement and 20 reply bytes
    const SpectrumFile before = doc.Data();
    ui.Answer({false});
    EXPECT_EQ(comms.DownloadToFile(doc, 6, kCurrent), CCommsDlg::kFailed);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::TimedOut);
    EXPECT_EQ(ui.Questions(), std::vector<Question>{Question::TryAgain});
    EXPECT_EQ(sleeper.Polls(), 1 + 20 + 600);
    ASSERT_EQ(ui.Texts("ask"),
              std::vector<std::string>{"Timed Out on Download, check TALVEK 7 connection\r\nTry again?"});
    // The one time-out question without the exclamation icon.
    EXPECT_EQ(Icons(ui, "ask"), std::vector<Icon>{Icon::None});
    EXPECT_EQ(ui.Count("beep"), 1);
    EXPECT_EQ(comms.CommsStatus(), "Timed Out");
    EXPECT_TRUE(doc.Data() == before);
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_EQ(ui.Count("refresh"), 1);
    EXPECT_EQ(ui.WaitCursorDepth(), 0);
}

TEST_F(CommsTest, YesAfterAStoppedReplySelectsAndRequestsAgain)
{
    comms.Panel().m_nPanelMemory = 5;
    simulator.SetFaults({.stopAfterBytes = 1 + 20});
    ui.onAsk = [this](const std::string&) { simulator.SetFaults({}); };
    ui.Answer({true});
    EXPECT_EQ(comms.DownloadToFile(doc, 6, kCurrent), 0);
    EXPECT_EQ(simulator.Received(), Bytes("eYeY"));
    EXPECT_EQ(sleeper.Polls(), 1 + 20 + 600 + CCommsDlg::kQuietPolls + 1 + 36);
    EXPECT_EQ(RecordData(doc.Data().records[6]), AnalyserData(4));
}

TEST_F(CommsTest, ALateTailIsDiscardedBeforeTheRequestIsRepeated)
{
    // The reply stalls after 20 bytes (and the acknowledgement) until 6 polls
    // after the time-out (one poll per byte, then 600 more), then its tail
    // comes slowly, a byte a poll, as at 1200 bit/s.
    simulator.SetFaults({.lateAfterBytes = 1 + 20, .lateServices = 19 + 600 + 6});
    ui.Answer(Question::TryAgain, {true});
    EXPECT_EQ(comms.DownloadToFile(doc, 6, 4), 0);
    EXPECT_EQ(ui.Questions(), std::vector<Question>{Question::TryAgain});
    EXPECT_EQ(simulator.Received(), Bytes("eYeY"));
    EXPECT_EQ(RecordData(doc.Data().records[6]), AnalyserData(4));
}

TEST_F(CommsTest, AnAllRecordsReplyThatStopsTimesOut)
{
    simulator.SetFaults({.stopAfterBytes = 500});
    const SpectrumFile before = doc.Data();
    EXPECT_EQ(comms.DownloadToFile(doc, kAll, kAll), -1);
    EXPECT_EQ(sleeper.Polls(), 500 + 600);
    EXPECT_EQ(ui.Texts("progress")[500], "Downloading Memory 15");
    EXPECT_EQ(comms.CommsStatus(), "Timed Out");
    EXPECT_TRUE(doc.Data() == before);
}

struct ClosedLine {
    const char* name;
    int source;
    long closeAfter;
};

void PrintTo(const ClosedLine& row, std::ostream* os)
{
    *os << row.name;
}

class CommsClosedLineTest : public CommsTest, public ::testing::WithParamInterface<ClosedLine> {};

TEST_P(CommsClosedLineTest, ALineThatClosesMidTransferIsAPortProblem)
{
    simulator.SetFaults({.closeAfterBytes = GetParam().closeAfter});
    const SpectrumFile before = doc.Data();
    const int slot = GetParam().source < 0 ? kAll : 2;
    EXPECT_EQ(comms.DownloadToFile(doc, slot, GetParam().source), CCommsDlg::kFailed);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::LinkFailure);
    ASSERT_EQ(ui.Texts("tell"), std::vector<std::string>{
                                    "Problems with COM port(1)\r\n(COM1, Bad Read, e=5)\r\nRestart Program"});
    EXPECT_EQ(comms.CommsStatus(), "Problem with port, Restart");
    EXPECT_TRUE(doc.Data() == before);
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_EQ(ui.Count("refresh"), 1);
    EXPECT_EQ(ui.WaitCursorDepth(), 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, CommsClosedLineTest,
                         ::testing::Values(ClosedLine{"OneRecord", 4, 1 + 10},
                                           ClosedLine{"AllRecords", kAll, 400}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(CommsTest, AnUnacknowledgedSelectionEndsTheDownload)
{
    simulator.SetFaults({.silentAfter = 'e'});
    EXPECT_EQ(comms.DownloadToFile(doc, 0, 4), -3);
    EXPECT_EQ(simulator.Received(), Bytes("e"));
    EXPECT_EQ(ui.WaitCursorDepth(), 0);
}

TEST_F(CommsTest, ADownloadWithNoPlaceForTheRecordSendsNothing)
{
    EXPECT_EQ(comms.DownloadToFile(doc, 30, 4), -1);
    EXPECT_EQ(comms.DownloadToFile(doc, kAll, 4), -1);
    EXPECT_EQ(comms.DownloadToFile(doc, 0, 30), CCommsDlg::kFailed);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::InvalidRequest);
    EXPECT_TRUE(simulator.Received().empty());
}

}  // namespace
