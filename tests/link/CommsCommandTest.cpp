// Connecting and single commands: acknowledgement, the 400-poll time-out,
// the retry question and link failures.

#include "LinkTestSupport.h"

#include "data/ProgramSettings.h"
#include "support/TempDir.h"

namespace {

using Icon = UserInterface::Icon;
using Question = UserInterface::Question;

TEST_F(CommsTest, ConnectOpensThePortAt1200BitPerSecond)
{
    ASSERT_EQ(comms.Connect(), 0);
    EXPECT_TRUE(comms.IsPortOpen());
    EXPECT_TRUE(comms.Link().IsOpen());
    EXPECT_EQ(comms.Link().Port(), 1);
    EXPECT_EQ(comms.Link().BaudRate(), 1200u);
    EXPECT_EQ(ui.Count("repaint"), 1);
    EXPECT_EQ(comms.Disconnect(), 0);
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_EQ(comms.Disconnect(), 0);
}

struct ConnectFailure {
    const char* name;
    int result;
    CommsFailure failure;
    const char* message;
};

void PrintTo(const ConnectFailure& row, std::ostream* os)
{
    *os << row.name;
}

class CommsConnectFailureTest : public CommsTest, public ::testing::WithParamInterface<ConnectFailure> {};

TEST_P(CommsConnectFailureTest, SaysWhyAndForgetsTheAnalyser)
{
    const ConnectFailure& failure = GetParam();
    AnalyserLink holder;
    if (failure.result == -5) {
        holder.SetDevicePath(simulator.DevicePath());
        ASSERT_EQ(holder.Open(), 0);
    } else if (failure.result == -2) {
        comms.Link().SetDevicePath(dir.File("ttyUSB7"));
    } else {
        WriteText(dir.File("plain"), "no terminal");
        comms.Link().SetDevicePath(dir.File("plain"));
    }
    comms.SetAnalyserAnswered(true);
    comms.SetCommsStatus("before");
    ui.Clear();

    EXPECT_EQ(comms.Connect(), failure.result);
    EXPECT_EQ(comms.LastFailure(), failure.failure);
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_FALSE(comms.HasAnalyserAnswered());
    ASSERT_EQ(ui.Texts("tell"), std::vector<std::string>{failure.message});
    EXPECT_EQ(ui.Calls()[0].icon, Icon::Exclamation);
    EXPECT_EQ(ui.Count("refresh"), 1);
    EXPECT_EQ(ui.Count("repaint"), 1);
    // The status line says so too, not what the exchange was about to do.
    EXPECT_EQ(comms.CommsStatus(), failure.message);
}

INSTANTIATE_TEST_SUITE_P(Rows, CommsConnectFailureTest,
                         ::testing::Values(ConnectFailure{"InUse", CCommsDlg::kPortInUse,
                                                          CommsFailure::PortInUse, "COM port Already Open"},
                                           ConnectFailure{"Missing", CCommsDlg::kPortNotFound,
                                                          CommsFailure::PortNotFound, "COM port not found"},
                                           ConnectFailure{"NoTerminal", -31, CommsFailure::PortUnavailable,
                                                          "COM port not available"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(CommsTest, ACommandIsAcknowledgedAndThePortClosedWhenAsked)
{
    EXPECT_EQ(comms.SendCommand('M', true), 0);
    EXPECT_EQ(simulator.Received(), Bytes("M"));
    EXPECT_TRUE(comms.HasAnalyserAnswered());
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_EQ(sleeper.Polls(), 1);

    EXPECT_EQ(comms.SendCommand('R', false), 0);
    EXPECT_TRUE(comms.IsPortOpen());
    EXPECT_EQ(simulator.Received(), Bytes("MR"));
    EXPECT_EQ(ui.Count("tell") + ui.Count("ask"), 0);
}

TEST_F(CommsTest, AnyByteValueIsAnAcknowledgement)
{
    // The simulated analyser echoes the command: here 0x00.
    EXPECT_EQ(comms.SendCommand(0x00, true), 0);
    EXPECT_EQ(simulator.Received(), std::vector<std::uint8_t>{0x00});
}

TEST_F(CommsTest, AnAcknowledgementOnThe399thPollIsAccepted)
{
    sleeper.HoldPolls(398);
    EXPECT_EQ(comms.SendCommand('L', true), 0);
    EXPECT_EQ(sleeper.Polls(), 399);
    EXPECT_EQ(ui.Count("ask"), 0);
}

TEST_F(CommsTest, OnThe400thPollTheCommandTimesOutEvenIfAByteArrives)
{
    sleeper.HoldPolls(399);
    comms.SetAnalyserAnswered(true);
    ui.Answer({false});
    EXPECT_EQ(comms.SendCommand('L', false), CCommsDlg::kTimedOut);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::TimedOut);
    EXPECT_EQ(sleeper.Polls(), 400);
    ASSERT_EQ(ui.Texts("ask"),
              std::vector<std::string>{"Timed Out on Cmd 4Ch, check TALVEK 7 connection\r\nTry again?"});
    EXPECT_EQ(ui.Questions(), std::vector<Question>{Question::TryAgain});
    EXPECT_EQ(comms.CommsStatus(), "Timed Out");
    EXPECT_FALSE(comms.HasAnalyserAnswered());
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_EQ(ui.Count("refresh"), 1);
    EXPECT_EQ(ui.Texts("progress").back(), "Timed Out");
}

TEST_F(CommsTest, TheTimeOutQuestionFollowsABeepWhenSoundsAreOn)
{
    simulator.SetFaults({.silentAfter = 'H'});
    EXPECT_EQ(comms.SendCommand('H', true), -3);
    ASSERT_GE(ui.Calls().size(), 2u);
    const auto ask =
        std::find_if(ui.Calls().begin(), ui.Calls().end(), [](const auto& c) { return c.kind == "ask"; });
    ASSERT_NE(ask, ui.Calls().end());
    EXPECT_EQ((ask - 1)->kind, "beep");
    EXPECT_EQ(ask->icon, Icon::Exclamation);

    Settings().Sounds = 0;
    ui.Clear();
    EXPECT_EQ(comms.SendCommand('H', true), -3);
    EXPECT_EQ(ui.Count("beep"), 0);
}

TEST_F(CommsTest, YesToTheTimeOutQuestionSendsTheCommandAgain)
{
    simulator.SetFaults({.silentAfter = 'S'});
    ui.onAsk = [this](const std::string&) { simulator.SetFaults({}); };
    ui.Answer(Question::TryAgain, {true});
    EXPECT_EQ(comms.SendCommand('S', true), 0);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::None);
    EXPECT_EQ(simulator.Received(), Bytes("SS"));
    // The retry waits for kQuietPolls quiet polls first.
    EXPECT_EQ(sleeper.Polls(), 400 + CCommsDlg::kQuietPolls + 1);
    EXPECT_TRUE(comms.HasAnalyserAnswered());
}

TEST_F(CommsTest, EveryRetryWaitsItsFull400Polls)
{
    simulator.SetFaults({.silentAfter = 'S'});
    ui.Answer({true, false});
    EXPECT_EQ(comms.SendCommand('S', true), -3);
    EXPECT_EQ(simulator.Received(), Bytes("SS"));
    EXPECT_EQ(sleeper.Polls(), 800 + CCommsDlg::kQuietPolls);
    EXPECT_EQ(ui.Count("ask"), 2);
}

TEST_F(CommsTest, ALinkFailureDuringACommandNamesTheSettingsPort)
{
    Settings().Comport = 3;
    simulator.SetFaults({.closeAfterBytes = 0});
    comms.SetAnalyserAnswered(true);
    // The same number as a missing port, told apart by the failure.
    EXPECT_EQ(comms.SendCommand('M', false), CCommsDlg::kLinkFailure);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::LinkFailure);
    ASSERT_EQ(
        ui.Texts("tell"),
        std::vector<std::string>{"Cannot Use this COM port (3)\r\n(COM3, Bad Read, e=5)\r\nRestart Program"});
    EXPECT_EQ(Icons(ui, "tell"), std::vector<Icon>{Icon::Exclamation});
    EXPECT_EQ(comms.CommsStatus(), "Problem with port, Restart");
    EXPECT_FALSE(comms.HasAnalyserAnswered());
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_EQ(ui.Count("refresh"), 1);
    EXPECT_EQ(ui.Count("ask"), 0);
}

TEST_F(CommsTest, ADeviceThatFloodsTheLineIsALinkFailure)
{
    // The flood starts once the port is open (Connect repaints the window).
    ui.onRepaint = [this] {
        if (comms.IsPortOpen()) {
            simulator.SetFaults({.flood = true});
            simulator.Service();
        }
    };
    EXPECT_EQ(comms.SendCommand('M', false), CCommsDlg::kLinkFailure);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::LinkFailure);
    EXPECT_EQ(
        ui.Texts("tell"),
        std::vector<std::string>{"Cannot Use this COM port (1)\r\n(COM1, Never Quiet)\r\nRestart Program"});
    EXPECT_TRUE(simulator.Received().empty());
    EXPECT_FALSE(comms.Link().IsOpen());
}

TEST_F(CommsTest, MessagesNameThePortByTheNameItWasGiven)
{
    comms.Link().SetPortName(simulator.DevicePath());
    simulator.SetFaults({.closeAfterBytes = 0});
    EXPECT_EQ(comms.SendCommand('M', false), CCommsDlg::kLinkFailure);
    const std::string device = simulator.DevicePath();
    EXPECT_EQ(ui.Texts("tell"), std::vector<std::string>{"Cannot Use this COM port (" + device + ")\r\n(" +
                                                         device + ", Bad Read, e=5)\r\nRestart Program"});
}

TEST_F(CommsTest, ACommandThatCannotConnectReturnsConnectsResult)
{
    comms.Link().SetDevicePath(dir.File("gone"));
    EXPECT_EQ(comms.SendCommand('M', true), CCommsDlg::kPortNotFound);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::PortNotFound);
    EXPECT_EQ(ui.Texts("tell"), std::vector<std::string>{"COM port not found"});

    // The next exchange starts without the old failure.
    comms.Link().SetDevicePath(simulator.DevicePath());
    EXPECT_EQ(comms.SendCommand('M', true), CCommsDlg::kOk);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::None);
    EXPECT_EQ(ui.Count("ask"), 0);
}

TEST_F(CommsTest, TheHexDumpListsIndexAndValue)
{
    const std::uint8_t bytes[] = {0x00, 0xA7, 0xFF};
    comms.ShowHexDump(bytes, 3, "Calculated cksum:5A\r\nlast 34 bytes rx:");
    ASSERT_EQ(ui.Calls().size(), 1u);
    EXPECT_EQ(ui.Calls()[0].kind, "tell");
    EXPECT_EQ(ui.Calls()[0].icon, Icon::None);
    EXPECT_EQ(ui.Calls()[0].text,
              "Calculated cksum:5A\r\nlast 34 bytes rx:\r\n00: 00\r\n01: A7\r\n02: FF\r\n");
}

}  // namespace
