#pragma once

// The pauses of the analyser exchanges: the 5 ms pause of every poll and the
// Comdelay pause between commands. The real one sleeps; tests put in one that
// counts the pauses and runs the simulated analyser instead of waiting.
class Sleeper {
public:
    virtual ~Sleeper() = default;
    // Gives the processor away for the time asked (nothing for 0 or less).
    virtual void Sleep(int milliseconds);

    // The process-wide real sleeper.
    static Sleeper& System();
};
