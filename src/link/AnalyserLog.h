#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

class AnalyserLink;

// Every byte that goes to and comes from the analyser, with its time and
// the command it belongs to (the last byte sent before it), for
// troubleshooting a link in the field. Keeps the newest kMaxEntries bytes.
class AnalyserLog {
public:
    using Clock = std::chrono::system_clock;
    static constexpr std::size_t kMaxEntries = 500'000;

    struct Entry {
        Clock::time_point time;
        bool sent = false;
        std::uint8_t byte = 0;
        std::uint8_t command = 0;  // the command the byte belongs to
        bool hasCommand = false;   // false for bytes received before any was sent
    };

    AnalyserLog() = default;
    ~AnalyserLog();
    AnalyserLog(const AnalyserLog&) = delete;
    AnalyserLog& operator=(const AnalyserLog&) = delete;

    // Starts recording the link's traffic; the log stops when it goes.
    void Attach(AnalyserLink& link);
    void Record(bool sent, const std::uint8_t* bytes, int count, Clock::time_point time = Clock::now());
    void Clear();

    const std::deque<Entry>& Entries() const { return m_entries; }
    // Bytes dropped from the start to keep the log within its bound.
    std::size_t Dropped() const { return m_dropped; }
    // Told after every change.
    std::function<void()> onChange;

    // One line per byte: "15:41:07.123  sent      3F '?'  status request".
    static std::string Line(const Entry& entry);
    // What a command byte asks of the analyser.
    static std::string CommandName(std::uint8_t command);
    // The whole log as text, one line per byte, LF line ends.
    std::string Text() const;
    // Writes Text to path, atomically; false with error set when it fails.
    bool Save(const std::string& path, std::string& error) const;

private:
    std::deque<Entry> m_entries;
    std::size_t m_dropped = 0;
    std::uint8_t m_lastCommand = 0;
    bool m_hasCommand = false;
    AnalyserLink* m_link = nullptr;
};
