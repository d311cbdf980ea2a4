// Cancelling an exchange while it runs: it ends like a declined time-out,
// writes nothing and leaves the next exchange untouched.

#include "LinkTestSupport.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kAll = CCommsDlg::kAllRecords;

TEST_F(CommsTest, CancelInTheMiddleOfAnAll30DownloadWritesNothing)
{
    ASSERT_EQ(comms.ReadStatus(), 0);
    const SpectrumFile before = doc.Data();
    sleeper.ResetCounts();
    ui.Clear();
    bool runningWhenCancelled = false;
    sleeper.onPoll = [&](int poll) {
        if (poll == 500) {
            runningWhenCancelled = comms.IsExchangeRunning();
            comms.Cancel();
        }
    };

    EXPECT_EQ(comms.DownloadToFile(doc, kAll, kAll), CCommsDlg::kFailed);
    EXPECT_TRUE(runningWhenCancelled);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::Cancelled);
    EXPECT_EQ(sleeper.Polls(), 500);  // the exchange ends at the poll that saw the cancel
    EXPECT_EQ(std::memcmp(&doc.Data(), &before, sizeof before), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_FALSE(comms.IsExchangeRunning());
    EXPECT_EQ(comms.CommsStatus(), "Cancelled");
    EXPECT_EQ(ui.Count("ask"), 0);
    EXPECT_EQ(ui.Count("tell"), 0);
    // The analyser did answer: the views keep their transfer buttons.
    EXPECT_TRUE(comms.HasAnalyserAnswered());
    EXPECT_EQ(ui.WaitCursorDepth(), 0);

    // The cancel is spent: the next download runs to its end.
    sleeper.onPoll = nullptr;
    EXPECT_EQ(comms.DownloadToFile(doc, kAll, kAll), 0);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::None);
    EXPECT_EQ(RecordData(doc.Data().records[29]), AnalyserData(29));
}

TEST_F(CommsTest, AfterACancelledReplyTheNextExchangeWaitsForTheLineToSettle)
{
    ASSERT_EQ(comms.ReadStatus(), 0);
    // The analyser goes on sending its reply after the cancel, one byte a poll.
    TalvekSimulator::Faults trickle;
    trickle.lateAfterBytes = 1;
    simulator.SetFaults(trickle);
    sleeper.ResetCounts();
    sleeper.onPoll = [&](int poll) {
        if (poll == 300)
            comms.Cancel();
    };
    ASSERT_EQ(comms.DownloadToFile(doc, kAll, kAll), CCommsDlg::kFailed);
    const long sentWhenCancelled = simulator.BytesSent();
    ASSERT_LT(sentWhenCancelled, 1022);
    sleeper.onPoll = nullptr;
    ui.Clear();
    simulator.ClearReceived();

    // Memory 5 into record 2: the tail of the old reply is neither its
    // acknowledgement nor its reply.
    comms.Panel().m_nPanelMemory = 5;
    EXPECT_EQ(comms.DownloadToFile(doc, 1, CCommsDlg::kCurrentMemory), 0);
    EXPECT_EQ(ui.Count("ask"), 0);
    EXPECT_EQ(RecordData(doc.Data().records[1]), AnalyserData(4));
    EXPECT_EQ(simulator.Received(), Bytes("eY"));
    // The whole of the old reply went out before the selection was sent:
    // then its acknowledgement and the 36 bytes of the new reply.
    EXPECT_EQ(simulator.BytesSent(), 1022 + 1 + 36);
    const std::vector<std::string> progress = ui.Texts("progress");
    EXPECT_NE(std::find(progress.begin(), progress.end(), "Waiting for the TALVEK 7 to end its reply.."),
              progress.end());
}

TEST_F(CommsTest, CancellingTheWaitForTheLineSendsNothingAndWaitsAgainNextTime)
{
    TalvekSimulator::Faults trickle;
    trickle.lateAfterBytes = 1;
    simulator.SetFaults(trickle);
    sleeper.onPoll = [&](int poll) {
        if (poll == 100)
            comms.Cancel();
    };
    ASSERT_EQ(comms.DownloadToFile(doc, kAll, kAll), CCommsDlg::kFailed);
    simulator.ClearReceived();
    sleeper.ResetCounts();
    sleeper.onPoll = [&](int poll) {
        if (poll == 50)
            comms.Cancel();
    };
    EXPECT_EQ(comms.SendCommand('M', true), CCommsDlg::kFailed);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::Cancelled);
    EXPECT_TRUE(simulator.Received().empty());
    EXPECT_FALSE(comms.Link().IsOpen());

    sleeper.onPoll = nullptr;
    EXPECT_EQ(comms.SendCommand('M', true), 0);
    EXPECT_EQ(simulator.Received(), Bytes("M"));
    EXPECT_EQ(simulator.BytesSent(), 1022 + 1);
}

TEST_F(CommsTest, CancelDuringAnUploadStopsBeforeTheNextHalfByte)
{
    doc.Data().records[3] = simulator.Analyser().Memory(12);
    sleeper.onPoll = [&](int) {
        if (simulator.Received().size() == 10)
            comms.Cancel();
    };
    EXPECT_EQ(comms.UploadFromFile(doc, 0, 3), CCommsDlg::kFailed);
    EXPECT_EQ(comms.LastFailure(), CommsFailure::Cancelled);
    // "a", "T" and nine half-bytes went out: the cancel came while the
    // ninth waited for its acknowledgement, and nothing followed it.
    EXPECT_EQ(simulator.Received().size(), 11u);
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_EQ(comms.CommsStatus(), "Cancelled");
    EXPECT_FALSE(comms.IsExchangeRunning());
}

TEST_F(CommsTest, CancelOutsideAnExchangeIsForgotten)
{
    EXPECT_FALSE(comms.IsExchangeRunning());
    comms.Cancel();
    EXPECT_EQ(comms.SendCommand('M', true), 0);
    EXPECT_EQ(simulator.Received(), Bytes("M"));
    EXPECT_EQ(comms.LastFailure(), CommsFailure::None);
}

}  // namespace
