// The status read: serial number, the seven known-state commands and every
// way it can fail.

#include "LinkTestSupport.h"

namespace {

void ExpectPanel(const CCommsDlg::PanelState& panel, const CCommsDlg::PanelState& expected)
{
    EXPECT_EQ(panel.m_nPanelMemory, expected.m_nPanelMemory);
    EXPECT_EQ(panel.m_nSource, expected.m_nSource);
    EXPECT_EQ(panel.m_nWeighting, expected.m_nWeighting);
    EXPECT_EQ(panel.m_nHide, expected.m_nHide);
    EXPECT_EQ(panel.m_nSpeed, expected.m_nSpeed);
    EXPECT_EQ(panel.m_nRange, expected.m_nRange);
    EXPECT_EQ(panel.m_nSensitivity, expected.m_nSensitivity);
}

const CCommsDlg::PanelState kKnownState{.m_nPanelMemory = 1,
                                        .m_nSource = 2,
                                        .m_nWeighting = 1,
                                        .m_nHide = 2,
                                        .m_nSpeed = 2,
                                        .m_nRange = 2,
                                        .m_nSensitivity = 2};

TEST_F(CommsTest, TheStatusReadTakesTheSerialAndSetsTheKnownState)
{
    simulator.Analyser().SetSerial("LAB0007");
    comms.Panel().m_nSpeed = 1;
    comms.Panel().m_nPanelMemory = 17;

    EXPECT_EQ(comms.ReadStatus(), 0);
    EXPECT_EQ(simulator.Received(), Bytes("?LFB24aU"));
    EXPECT_EQ(comms.SerialText(), "LAB0007");
    EXPECT_EQ(comms.Serial()[7], '\0');
    ExpectPanel(comms.Panel(), kKnownState);
    EXPECT_EQ(comms.CommsStatus(), "Ok");
    EXPECT_TRUE(comms.HasAnalyserAnswered());
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_FALSE(comms.Link().IsOpen());
    // One poll per acknowledgement and status byte; a pause before each of
    // the seven commands and one after the last.
    EXPECT_EQ(sleeper.Polls(), 16);
    EXPECT_EQ(sleeper.Pauses(), std::vector<int>(8, kComdelay));
    EXPECT_EQ(ui.Texts("progress"), (std::vector<std::string>{"Get TALVEK 7 Status..", "Ok"}));
    EXPECT_EQ(ui.Count("wait"), 2);
    EXPECT_EQ(ui.WaitCursorDepth(), 0);
    EXPECT_EQ(ui.Count("tell") + ui.Count("ask"), 0);
}

TEST_F(CommsTest, MissingStatusBytesAskAndNoEndsTheRead)
{
    simulator.SetFaults({.stopAfterBytes = 4});  // the acknowledgement and 3 status bytes
    ui.Answer({false});
    EXPECT_EQ(comms.ReadStatus(), CCommsDlg::kFailed);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::TimedOut);
    EXPECT_EQ(ui.Questions(), std::vector<UserInterface::Question>{UserInterface::Question::TryAgain});
    EXPECT_EQ(sleeper.Polls(), 1 + 3 + 300);
    ASSERT_EQ(ui.Texts("ask"),
              std::vector<std::string>{"Timed Out on Status Read, check TALVEK 7 connection\r\nTry Again?"});
    EXPECT_EQ(Icons(ui, "ask"), std::vector<UserInterface::Icon>{UserInterface::Icon::Exclamation});
    EXPECT_EQ(ui.Count("beep"), 1);
    EXPECT_EQ(comms.CommsStatus(), "Timed Out");
    EXPECT_EQ(comms.SerialText(), "");
    ExpectPanel(comms.Panel(), {});
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_EQ(ui.Count("refresh"), 1);
    EXPECT_EQ(ui.WaitCursorDepth(), 0);
}

TEST_F(CommsTest, YesAfterMissingStatusBytesSendsTheRequestAgain)
{
    simulator.SetFaults({.stopAfterBytes = 4});
    ui.onAsk = [this](const std::string&) { simulator.SetFaults({}); };
    ui.Answer({true});
    EXPECT_EQ(comms.ReadStatus(), 0);
    EXPECT_EQ(simulator.Received(), Bytes("??LFB24aU"));
    EXPECT_EQ(comms.SerialText(), TalvekAnalyser::kDefaultSerial);
    ExpectPanel(comms.Panel(), kKnownState);
}

TEST_F(CommsTest, ALinkFailureInTheStatusReadIsReported)
{
    // The line hangs up after the acknowledgement and one status byte.
    sleeper.onPoll = [this](int poll) {
        if (poll == 3)
            simulator.CloseLine();
    };
    EXPECT_EQ(comms.ReadStatus(), CCommsDlg::kFailed);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::LinkFailure);
    ASSERT_EQ(ui.Texts("tell"), std::vector<std::string>{
                                    "Problems with COM port(1)\r\n(COM1, Bad Read, e=5)\r\nRestart Program"});
    EXPECT_EQ(Icons(ui, "tell"), std::vector<UserInterface::Icon>{UserInterface::Icon::Exclamation});
    EXPECT_EQ(comms.CommsStatus(), "Problem with port, Restart");
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_EQ(ui.Count("refresh"), 1);
    EXPECT_EQ(ui.WaitCursorDepth(), 0);
}

TEST_F(CommsTest, AKnownStateCommandThatTimesOutKeepsTheFieldsSetSoFar)
{
    simulator.SetFaults({.silentAfter = 'B'});
    ui.Answer({false});
    EXPECT_EQ(comms.ReadStatus(), -3);
    EXPECT_EQ(simulator.Received(), Bytes("?LFB"));
    EXPECT_EQ(ui.Texts("ask"),
              std::vector<std::string>{"Timed Out on Cmd 42h, check TALVEK 7 connection\r\nTry again?"});
    EXPECT_EQ(sleeper.Polls(), 1 + 8 + 1 + 1 + 400);
    EXPECT_EQ(comms.SerialText(), TalvekAnalyser::kDefaultSerial);
    ExpectPanel(comms.Panel(), {.m_nSource = 2, .m_nWeighting = 1});
    EXPECT_FALSE(comms.HasAnalyserAnswered());
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_EQ(ui.WaitCursorDepth(), 0);
}

TEST_F(CommsTest, AStatusReadThatCannotConnectEndsAtOnce)
{
    AnalyserLink holder;
    holder.SetDevicePath(simulator.DevicePath());
    ASSERT_EQ(holder.Open(), 0);
    EXPECT_EQ(comms.ReadStatus(), CCommsDlg::kPortInUse);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::PortInUse);
    EXPECT_EQ(ui.Texts("tell"), std::vector<std::string>{"COM port Already Open"});
    EXPECT_TRUE(simulator.Received().empty());
    EXPECT_EQ(ui.WaitCursorDepth(), 0);
}

TEST_F(CommsTest, GarbageBetweenRepliesIsDiscarded)
{
    simulator.SetFaults({.garbageBytes = 7});
    ASSERT_EQ(comms.ReadStatus(), 0);
    EXPECT_EQ(comms.SerialText(), TalvekAnalyser::kDefaultSerial);

    ASSERT_EQ(comms.DownloadToFile(doc, 3, 11), 0);
    EXPECT_EQ(RecordData(doc.Data().records[3]), AnalyserData(11));

    ASSERT_EQ(comms.DownloadToFile(doc, -1, CCommsDlg::kAllRecords), 0);
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(RecordData(doc.Data().records[static_cast<std::size_t>(i)]), AnalyserData(i)) << i;

    doc.Data().records[8].bands[0] = 0xA7;
    ASSERT_EQ(comms.UploadFromFile(doc, 2, 8), 0);
    EXPECT_EQ(simulator.Analyser().Memory(2), doc.Data().records[8]);
    EXPECT_EQ(ui.Count("tell") + ui.Count("ask"), 0);
}

}  // namespace
