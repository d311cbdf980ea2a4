#pragma once

#include "data/CMainDoc.h"
#include "link/CCommsDlg.h"
#include "link/Sleeper.h"
#include "sim/SimulatorProcess.h"
#include "sim/TalvekSimulator.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

// The bytes of a text, for comparing wire traffic.
std::vector<std::uint8_t> Bytes(std::string_view text);

// The icons of the calls of one kind, in order.
std::vector<UserInterface::Icon> Icons(const ScriptedUserInterface& ui, const std::string& kind);

// Stands in for the real pauses: it never sleeps, counts the 5 ms polls and
// the Comdelay pauses, and lets the simulated analyser answer at every pause,
// so an exchange runs deterministically and as fast as the machine allows.
class PumpingSleeper : public Sleeper {
public:
    explicit PumpingSleeper(TalvekSimulator& simulator) : m_simulator(simulator) {}

    void Sleep(int milliseconds) override;

    // The analyser is not served during the next count polls.
    void HoldPolls(int count) { m_nHold = count; }
    // Called at every poll with its number, before the analyser is served.
    std::function<void(int poll)> onPoll;
    int Polls() const { return m_nPolls; }
    const std::vector<int>& Pauses() const { return m_pauses; }
    void ResetCounts();

private:
    TalvekSimulator& m_simulator;
    int m_nPolls = 0;
    int m_nHold = 0;
    std::vector<int> m_pauses;
};

// The scripted user interface with hooks that let a test act in the middle
// of an exchange (change the analyser's faults when asked, hang up the line
// when the window repaints).
class HookedUserInterface : public ScriptedUserInterface {
public:
    std::function<void(const std::string& question)> onAsk;
    std::function<void()> onRepaint;

    bool AskYesNo(const std::string& text, Icon icon, Question kind) override;
    void Repaint() override;
};

// A comms object talking to an in-process simulated analyser over a real
// pseudo-terminal, with default settings but a short Comdelay.
class CommsTest : public ::testing::Test {
protected:
    static constexpr int kComdelay = 2;

    CommsTest();
    ~CommsTest() override;

    // The first 33 bytes (what a download stores) of memory index of the analyser.
    std::vector<std::uint8_t> AnalyserData(int index);
    static std::vector<std::uint8_t> RecordData(const MemoryRecord& record);

    TempDir dir;
    // The download journal goes into the test's folder.
    ScopedEnvironment dataHome{"XDG_DATA_HOME", dir.Path().c_str()};
    HookedUserInterface ui;
    TalvekSimulator simulator;
    PumpingSleeper sleeper{simulator};
    CCommsDlg comms{ui, sleeper};
    CMainDoc doc{ui};
};
