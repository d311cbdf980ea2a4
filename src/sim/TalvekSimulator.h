#pragma once

#include "sim/PseudoTerminal.h"
#include "sim/TalvekAnalyser.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// A TALVEK 7 on a pseudo-terminal: the analyser's behaviour, the line
// between it and the program (optionally paced at 1200 bit/s, ten bits a
// byte, in both directions) and faults injected on the line. Used by
// tv7sim, the tests, the benchmarks and the desktop program's demo mode.
//
// Either Run() acts as the analyser until Stop() (from any thread or a
// signal handler) or until the line is closed, waiting without spinning; or
// the caller drives it with Service(), which answers at once everything the
// program has sent so far.
class TalvekSimulator {
public:
    struct Faults {
        int silentAfter = -1;       // from this command byte on nothing is answered; -1 never
        int corruptMemory = 0;      // 1-30: that memory's checksum goes out wrong; 0 none
        long stopAfterBytes = -1;   // the line goes quiet after this many reply bytes; -1 never
        long closeAfterBytes = -1;  // the line is closed after this many reply bytes; -1 never
        int garbageBytes = 0;       // junk bytes sent after every complete reply
        long loseReplyByte = -1;    // this reply byte (0 the first) is lost on the line; -1 none
        bool flood = false;         // the line is kept full of junk, as by a device that ignores the speed
        // After this many reply bytes the line stalls for lateServices calls
        // of Service, then the rest comes one byte per call: a reply that
        // outlasts the program's time-out. -1 never.
        long lateAfterBytes = -1;
        int lateServices = 0;
    };

    // One byte on the line at 1200 bit/s: start bit, 8 data bits, stop bit.
    static constexpr std::chrono::nanoseconds kByteTime{10'000'000'000LL / 1200};

    TalvekSimulator();
    ~TalvekSimulator();
    TalvekSimulator(const TalvekSimulator&) = delete;
    TalvekSimulator& operator=(const TalvekSimulator&) = delete;

    // Makes the pseudo-terminal; false with error set when that fails.
    bool Open(std::string& error);
    const std::string& DevicePath() const { return m_line.DevicePath(); }
    bool IsLineOpen() const { return m_line.IsOpen(); }
    // Closes the line: an open device on the program's side hangs up.
    void CloseLine();

    TalvekAnalyser& Analyser() { return m_analyser; }
    // Replaces the faults; the byte counts of the stop and close faults
    // start from here.
    void SetFaults(const Faults& faults);
    void SetRealtime(bool realtime) { m_bRealtime = realtime; }

    void Service();
    void Run();
    void Stop();

    // Every byte the program has sent, in order, while the log is kept (the default).
    void KeepLog(bool keep) { m_bKeepLog = keep; }
    const std::vector<std::uint8_t>& Received() const { return m_received; }
    void ClearReceived() { m_received.clear(); }
    // Reply bytes put on the line since the faults were last set.
    long BytesSent() const { return m_nSent; }

private:
    using Clock = std::chrono::steady_clock;
    struct TimedByte {
        Clock::time_point due;
        std::uint8_t byte;
    };

    // Takes what the program has sent; each byte reaches the analyser one
    // byte time after the previous one when paced.
    void TakeInput(Clock::time_point now);
    // Lets the analyser answer every byte that has reached it by now.
    void Process(Clock::time_point now);
    // Puts every reply byte due by now on the line, applying the faults.
    void Transmit(Clock::time_point now);
    // The late-reply fault: false while it holds the line back now.
    bool LateReplyLets();
    // Fills the line with junk while the flood fault is on.
    void Flood();
    // How long Run may wait before something is due; the longest duration
    // when nothing is.
    Clock::duration NextDue(Clock::time_point now) const;

    PseudoTerminal m_line;
    TalvekAnalyser m_analyser;
    Faults m_faults;
    bool m_bRealtime = false;
    bool m_bSilent = false;
    long m_nSent = 0;
    long m_nLost = 0;
    enum class Late { Waiting, Stalled, Trickling, Over };
    Late m_late = Late::Waiting;
    int m_nStallLeft = 0;
    int m_nWake = -1;  // eventfd that Stop writes
    std::deque<TimedByte> m_input;
    std::deque<TimedByte> m_output;
    Clock::time_point m_inputFree{};   // when the last byte from the program has arrived
    Clock::time_point m_outputFree{};  // when the line to the program is free again
    bool m_bKeepLog = true;
    std::vector<std::uint8_t> m_received;
    std::uint8_t m_nGarbage = 0;
};
