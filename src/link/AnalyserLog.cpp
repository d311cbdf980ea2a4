#include "link/AnalyserLog.h"

#include "disk/AtomicFile.h"
#include "link/AnalyserLink.h"

#include <cctype>
#include <cstdio>
#include <ctime>

namespace {

std::string Character(std::uint8_t byte)
{
    if (byte >= 0x20 && byte < 0x7F)
        return std::string("'") + static_cast<char>(byte) + "'";
    return "   ";
}

}  // namespace

AnalyserLog::~AnalyserLog()
{
    if (m_link != nullptr)
        m_link->SetTrafficObserver(nullptr);
}

void AnalyserLog::Attach(AnalyserLink& link)
{
    m_link = &link;
    link.SetTrafficObserver(
        [this](bool sent, const std::uint8_t* bytes, int count) { Record(sent, bytes, count); });
}

void AnalyserLog::Record(bool sent, const std::uint8_t* bytes, int count, Clock::time_point time)
{
    for (int i = 0; i < count; ++i) {
        if (sent) {
            m_lastCommand = bytes[i];
            m_hasCommand = true;
        }
        m_entries.push_back({time, sent, bytes[i], m_lastCommand, m_hasCommand});
        if (m_entries.size() > kMaxEntries) {
            m_entries.pop_front();
            ++m_dropped;
        }
    }
    if (count > 0 && onChange)
        onChange();
}

void AnalyserLog::Clear()
{
    m_entries.clear();
    m_dropped = 0;
    if (onChange)
        onChange();
}

std::string AnalyserLog::CommandName(std::uint8_t command)
{
    // Half-bytes 0-15 only ever go out as the 68 halves of an upload.
    if (command <= 0x0F)
        return "upload half-byte";
    if (command >= 0x61 && command <= 0x7E) {
        char text[32];
        std::snprintf(text, sizeof text, "select memory %d", command - 0x60);
        return text;
    }
    if (command >= 0x33 && command <= 0x3A) {
        char text[32];
        std::snprintf(text, sizeof text, "sensitivity %d", command - 0x32);
        return text;
    }
    switch (command) {
    case '?':
        return "status request";
    case 'Y':
        return "send selected record";
    case 'Z':
        return "send all 30 records";
    case 'T':
        return "receive a record";
    case 'X':
        return "save";
    case 'H':
        return "hide";
    case 'U':
        return "show";
    case 'A':
        return "speed slow";
    case 'B':
        return "speed fast";
    case '1':
        return "range 1 dB";
    case '2':
        return "range 2 dB";
    case 'F':
        return "weighting flat";
    case 'W':
        return "weighting C";
    case 'M':
        return "input Mike";
    case 'L':
        return "input Left";
    case 'R':
        return "input Right";
    case 'S':
        return "input Sum";
    case 'D':
        return "input Diff";
    default:
        return "unknown command";
    }
}

std::string AnalyserLog::Line(const Entry& entry)
{
    const std::time_t seconds = Clock::to_time_t(entry.time);
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(entry.time.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(milliseconds));
    char byte[8];
    std::snprintf(byte, sizeof byte, "%02X", entry.byte);
    std::string line = std::string(stamp) + (entry.sent ? "  sent      " : "  received  ") + byte + " " +
                       Character(entry.byte) + "  ";
    if (!entry.hasCommand)
        return line + "before any command";
    char command[8];
    std::snprintf(command, sizeof command, "%02X", entry.command);
    if (entry.sent)
        return line + CommandName(entry.command);
    return line + "reply to " + command + " (" + CommandName(entry.command) + ")";
}

std::string AnalyserLog::Text() const
{
    std::string text;
    if (!m_entries.empty()) {
        const std::time_t seconds = Clock::to_time_t(m_entries.front().time);
        std::tm local{};
        localtime_r(&seconds, &local);
        char date[64];
        std::strftime(date, sizeof date, "%Y-%m-%d", &local);
        text += "TV7W analyser log, " + std::string(date) + "\n";
        if (m_dropped > 0)
            text += std::to_string(m_dropped) + " earlier bytes dropped\n";
    }
    for (const Entry& entry : m_entries)
        text += Line(entry) + "\n";
    return text;
}

bool AnalyserLog::Save(const std::string& path, std::string& error) const
{
    const std::string text = Text();
    return WriteFileAtomically(path, text.data(), text.size(), error);
}
