#pragma once

#include <memory>
#include <string>
#include <thread>

class AnalyserLink;
class TalvekSimulator;

// The simulated TALVEK 7 of a demo run: it answers on a pseudo-terminal
// from a thread of its own, at the real line's pace, and the link uses its
// device for this run only; the user's port settings stay as they are.
class DemoAnalyser {
public:
    DemoAnalyser();
    ~DemoAnalyser();
    DemoAnalyser(const DemoAnalyser&) = delete;
    DemoAnalyser& operator=(const DemoAnalyser&) = delete;

    // Starts the simulator and points link at it; false with error set when
    // no pseudo-terminal could be had.
    bool Attach(AnalyserLink& link, std::string& error);
    const std::string& DevicePath() const;

private:
    std::unique_ptr<TalvekSimulator> m_simulator;
    std::thread m_thread;
};
