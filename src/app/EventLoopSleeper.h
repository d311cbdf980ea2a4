#pragma once

#include "link/Sleeper.h"

#include <functional>

// The pauses of the analyser exchanges on the desktop: the program's event
// loop runs while an exchange waits, so every window repaints and the
// progress shows. Until a modal window covers the exchange the user's input
// stays queued, so that nothing else can start in the middle of it.
class EventLoopSleeper : public Sleeper {
public:
    // The one the program gives its analyser object.
    static EventLoopSleeper& Instance();

    void Sleep(int milliseconds) override;

    // Called at the start of every pause.
    void SetPauseHook(std::function<void()> hook) { m_pauseHook = std::move(hook); }
    // Whether pauses take the user's input (while the progress dialog, being
    // modal, is the only window that can take it).
    void SetTakeInput(bool take) { m_takeInput = take; }
    // Waits in place of the event loop's timer (a test's simulated analyser);
    // pending events are still processed. Empty for the real wait.
    void SetWaiter(std::function<void(int milliseconds)> waiter) { m_waiter = std::move(waiter); }

private:
    std::function<void()> m_pauseHook;
    std::function<void(int)> m_waiter;
    bool m_takeInput = false;
};
