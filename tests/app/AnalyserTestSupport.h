#pragma once

#include "AppTestSupport.h"

#include "sim/TalvekSimulator.h"

class AnalyserCommands;
class AnalyserWindow;

// The desktop program with a simulated analyser on a real pseudo-terminal.
// The pauses of the exchanges do not wait: each lets the analyser answer
// what it has been sent, then the program's events run, so exchanges go as
// fast as the machine allows and a test can act at any pause (onPause).
class AnalyserTest : public AppTest {
protected:
    AnalyserTest();
    ~AnalyserTest() override;

    // Starts the program with the simulator as the port's device.
    CMainApp& StartWithAnalyser();
    AnalyserCommands& Commands();
    // Opens the analyser window with Connect; it has read the status.
    AnalyserWindow& OpenWindow();

    TalvekSimulator simulator;
    std::function<void()> onPause;
    int pauses = 0;
    // The length of the pause onPause is called in: 5 ms for a poll, Comdelay between commands.
    int pauseMs = 0;
};
