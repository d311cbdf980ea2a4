// Uploads: the selection, "T" and 68 half-bytes high half first, each
// acknowledged and followed by a pause, and how an upload fails.

#include "LinkTestSupport.h"

#include <cstdio>

namespace {

// The wire traffic of an upload of record into memory index target.
std::vector<std::uint8_t> UploadTraffic(const MemoryRecord& record, int target)
{
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(0x61 + target), 'T'};
    for (int i = 0; i < MemoryRecord::kSize; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(record.Bytes()[i] >> 4));
        bytes.push_back(static_cast<std::uint8_t>(record.Bytes()[i] & 0x0F));
    }
    return bytes;
}

class CommsUploadTest : public CommsTest {
protected:
    CommsUploadTest()
    {
        MemoryRecord& record = doc.Data().records[2];
        record = TalvekAnalyser::BuiltInMeasurement(17);
        record.bands[0] = 0xA7;
        record.checksum = 0;  // recomputed before the upload
    }
};

TEST_F(CommsUploadTest, TheRecordGoesAsHalfBytesHighHalfFirst)
{
    EXPECT_EQ(comms.UploadFromFile(doc, 4, 2), 0);
    const MemoryRecord& record = doc.Data().records[2];
    EXPECT_EQ(record.checksum, record.ComputeChecksum());
    EXPECT_EQ(simulator.Received(), UploadTraffic(record, 4));
    // 0xA7 goes as 0x0A, then 0x07.
    EXPECT_EQ(simulator.Received()[2], 0x0A);
    EXPECT_EQ(simulator.Received()[3], 0x07);
    EXPECT_EQ(simulator.Analyser().Memory(4), record);
    EXPECT_FALSE(doc.IsModified());

    EXPECT_EQ(comms.Panel().m_nPanelMemory, 5);
    EXPECT_EQ(comms.CommsStatus(), "Ok");
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_EQ(sleeper.Polls(), 70);
    EXPECT_EQ(sleeper.Pauses(), std::vector<int>(70, kComdelay));
    std::vector<std::string> expected{"Selecting TALVEK 7 Mem 05"};
    for (int i = 1; i <= 34; ++i) {
        char text[64];
        std::snprintf(text, sizeof text, "Uploading Memory 03 to 05 (%2d)", i);
        expected.push_back(text);
    }
    expected.push_back("Ok");
    EXPECT_EQ(ui.Texts("progress"), expected);
    EXPECT_EQ(ui.WaitCursorDepth(), 0);
    EXPECT_EQ(ui.Count("tell") + ui.Count("ask"), 0);
}

TEST_F(CommsUploadTest, TheCurrentMemoryIsTheTarget)
{
    comms.Panel().m_nPanelMemory = 9;
    EXPECT_EQ(comms.UploadFromFile(doc, CCommsDlg::kCurrentMemory, 2), 0);
    EXPECT_EQ(simulator.Received(), UploadTraffic(doc.Data().records[2], 8));
    EXPECT_EQ(simulator.Analyser().Memory(8), doc.Data().records[2]);
}

TEST_F(CommsUploadTest, AHalfByteThatTimesOutEndsTheUpload)
{
    simulator.SetFaults({.silentAfter = 0x07});
    const MemoryRecord untouched = simulator.Analyser().Memory(4);
    ui.Answer({false});
    EXPECT_EQ(comms.UploadFromFile(doc, 4, 2), CCommsDlg::kTimedOut);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::TimedOut);
    EXPECT_EQ(ui.Texts("ask"),
              std::vector<std::string>{"Timed Out on Cmd  7h, check TALVEK 7 connection\r\nTry again?"});
    EXPECT_EQ(simulator.Analyser().Memory(4), untouched);
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_EQ(ui.WaitCursorDepth(), 0);
}

TEST_F(CommsUploadTest, YesAfterALostAcknowledgementSendsTheWholeRecordAgain)
{
    // The analyser takes the sixth half-byte, but its answer is lost:
    // acknowledgements 0 and 1 answer the selection and "T".
    simulator.SetFaults({.loseReplyByte = 2 + 5});
    ui.Answer(UserInterface::Question::TryAgain, {true});
    EXPECT_EQ(comms.UploadFromFile(doc, 4, 2), 0);
    const std::vector<std::uint8_t> whole = UploadTraffic(doc.Data().records[2], 4);
    std::vector<std::uint8_t> expected(whole.begin(), whole.begin() + 2 + 6);
    expected.insert(expected.end(), whole.begin(), whole.end());
    EXPECT_EQ(simulator.Received(), expected);
    EXPECT_EQ(ui.Questions(), std::vector<UserInterface::Question>{UserInterface::Question::TryAgain});
    EXPECT_EQ(simulator.Analyser().Memory(4), doc.Data().records[2]);
    EXPECT_EQ(comms.CommsStatus(), "Ok");
}

TEST_F(CommsUploadTest, UpToTheCurrentMemoryWhileItIsUnknownIsRefusedBeforeAnythingIsSent)
{
    ASSERT_EQ(comms.Panel().m_nPanelMemory, 0);
    EXPECT_EQ(comms.UploadFromFile(doc, CCommsDlg::kCurrentMemory, 2), CCommsDlg::kFailed);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::MemoryUnknown);
    EXPECT_TRUE(simulator.Received().empty());
    EXPECT_EQ(ui.Texts("tell"),
              std::vector<std::string>{"The memory selected on the TALVEK 7 is not known\r\n"
                                       "Read its status first, or choose a memory"});
    EXPECT_EQ(ui.Count("wait"), 0);
}

TEST_F(CommsUploadTest, MemoryThirtyEndToEnd)
{
    comms.Panel().m_nPanelMemory = 30;
    EXPECT_EQ(comms.UploadFromFile(doc, CCommsDlg::kCurrentMemory, 2), 0);
    EXPECT_EQ(simulator.Received().front(), 0x7E);
    EXPECT_EQ(simulator.Analyser().Memory(29), doc.Data().records[2]);
    EXPECT_EQ(simulator.Analyser().SelectedMemory(), 30);
    EXPECT_EQ(comms.DownloadToFile(doc, 0, 29), 0);
    EXPECT_EQ(RecordData(doc.Data().records[0]), RecordData(doc.Data().records[2]));
}

TEST_F(CommsUploadTest, ADrainFailureBeforeTheRecordIsReportedAndClosesThePort)
{
    // The line hangs up just after the port is reopened for the record.
    ui.onRepaint = [this] {
        if (comms.IsPortOpen() && comms.CommsStatus().starts_with("Selecting"))
            simulator.CloseLine();
    };
    EXPECT_EQ(comms.UploadFromFile(doc, 4, 2), -1);
    EXPECT_EQ(simulator.Received(), Bytes("e"));
    ASSERT_EQ(ui.Texts("tell"), std::vector<std::string>{
                                    "Problems with COM port(1)\r\n(COM1, Bad Read, e=5)\r\nRestart Program"});
    EXPECT_EQ(comms.CommsStatus(), "Problem with port, Restart");
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_EQ(ui.Count("refresh"), 1);
    EXPECT_EQ(ui.WaitCursorDepth(), 0);
}

TEST_F(CommsUploadTest, ALineThatClosesDuringTheUploadIsACommandFailure)
{
    simulator.SetFaults({.closeAfterBytes = 10});
    EXPECT_EQ(comms.UploadFromFile(doc, 4, 2), -2);
    ASSERT_EQ(
        ui.Texts("tell"),
        std::vector<std::string>{"Cannot Use this COM port (1)\r\n(COM1, Bad Read, e=5)\r\nRestart Program"});
    EXPECT_EQ(simulator.Received().size(), 11u);
    EXPECT_FALSE(comms.HasAnalyserAnswered());
    EXPECT_FALSE(comms.Link().IsOpen());
}

TEST_F(CommsUploadTest, AnUploadWithNoSuchRecordOrMemorySendsNothing)
{
    EXPECT_EQ(comms.UploadFromFile(doc, 4, 30), -1);
    EXPECT_EQ(comms.UploadFromFile(doc, 30, 2), -1);
    EXPECT_EQ(comms.UploadRecord(doc.Data().records[2], -1, 2), -1);
    EXPECT_TRUE(simulator.Received().empty());
}

}  // namespace
