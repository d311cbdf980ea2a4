#include "sim/TalvekSimulator.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

constexpr std::chrono::milliseconds kAbandonCheck{200};

}  // namespace

TalvekSimulator::TalvekSimulator() : m_nWake(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{}

TalvekSimulator::~TalvekSimulator()
{
    m_line.Close();
    if (m_nWake >= 0)
        ::close(m_nWake);
}

bool TalvekSimulator::Open(std::string& error)
{
    return m_line.Open(error);
}

void TalvekSimulator::CloseLine()
{
    m_line.Close();
    m_input.clear();
    m_output.clear();
}

void TalvekSimulator::SetFaults(const Faults& faults)
{
    m_faults = faults;
    m_bSilent = false;
    m_nSent = 0;
    m_nLost = 0;
    m_late = Late::Waiting;
    m_nStallLeft = 0;
    m_analyser.SetCorruptMemory(faults.corruptMemory);
}

void TalvekSimulator::Stop()
{
    // Async-signal-safe: a signal handler may call it.
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_nWake, &one, sizeof one);
}

void TalvekSimulator::TakeInput(Clock::time_point now)
{
    std::vector<std::uint8_t> bytes;
    m_line.ReadAvailable(bytes);
    for (const std::uint8_t byte : bytes) {
        if (m_bKeepLog)
            m_received.push_back(byte);
        Clock::time_point due = now;
        if (m_bRealtime) {
            // The pseudo-terminal delivers at once; a real line takes a byte time.
            due = std::max(now, m_inputFree) + kByteTime;
            m_inputFree = due;
        }
        m_input.push_back({due, byte});
    }
}

void TalvekSimulator::Process(Clock::time_point now)
{
    std::vector<std::uint8_t> reply;
    while (!m_input.empty() && m_input.front().due <= now) {
        const TimedByte arrived = m_input.front();
        m_input.pop_front();
        if (arrived.byte == m_faults.silentAfter)
            m_bSilent = true;
        if (m_bSilent)
            continue;
        reply.clear();
        m_analyser.Receive(arrived.byte, reply);
        if (!reply.empty())
            for (int i = 0; i < m_faults.garbageBytes; ++i)
                reply.push_back(static_cast<std::uint8_t>(0xA5 ^ m_nGarbage++));
        for (const std::uint8_t byte : reply) {
            Clock::time_point due = now;
            if (m_bRealtime) {
                due = std::max(arrived.due, m_outputFree) + kByteTime;
                m_outputFree = due;
            }
            m_output.push_back({due, byte});
        }
    }
}

bool TalvekSimulator::LateReplyLets()
{
    switch (m_late) {
    case Late::Waiting:
        if (m_faults.lateAfterBytes < 0 || m_nSent < m_faults.lateAfterBytes)
            return true;
        m_late = Late::Stalled;
        m_nStallLeft = m_faults.lateServices;
        [[fallthrough]];
    case Late::Stalled:
        if (m_nStallLeft-- > 0)
            return false;
        m_late = Late::Trickling;
        return true;
    case Late::Trickling:
    case Late::Over:
        return true;
    }
    return true;
}

void TalvekSimulator::Flood()
{
    static constexpr std::uint8_t kJunk[256] = {0x55};
    while (m_faults.flood && m_line.IsOpen() && m_line.WriteSome(kJunk, sizeof kJunk) > 0) {
    }
}

void TalvekSimulator::Transmit(Clock::time_point now)
{
    if (!LateReplyLets())
        return;
    const bool oneByte = m_late == Late::Trickling;
    while (!m_output.empty() && m_output.front().due <= now) {
        if (m_late == Late::Waiting && m_faults.lateAfterBytes >= 0 && m_nSent >= m_faults.lateAfterBytes)
            return;  // the stall starts at the next call
        if (m_faults.loseReplyByte >= 0 && m_nSent + m_nLost == m_faults.loseReplyByte) {
            ++m_nLost;
            m_output.pop_front();
            continue;
        }
        if (m_faults.closeAfterBytes >= 0 && m_nSent >= m_faults.closeAfterBytes) {
            CloseLine();
            return;
        }
        if (m_faults.stopAfterBytes >= 0 && m_nSent >= m_faults.stopAfterBytes) {
            m_output.pop_front();
            continue;
        }
        if (m_line.WriteSome(&m_output.front().byte, 1) == 0)
            return;  // the line takes nothing now: later
        ++m_nSent;
        m_output.pop_front();
        if (oneByte)
            break;
    }
    if (oneByte && m_output.empty())
        m_late = Late::Over;
}

void TalvekSimulator::Service()
{
    const Clock::time_point now = Clock::now();
    TakeInput(now);
    Process(now);
    Transmit(now);
    Flood();
}

TalvekSimulator::Clock::duration TalvekSimulator::NextDue(Clock::time_point now) const
{
    Clock::duration wait = Clock::duration::max();
    if (!m_input.empty())
        wait = std::min(wait, m_input.front().due - now);
    // Output already due waits for the line to take it, not for the clock.
    if (!m_output.empty() && m_output.front().due > now)
        wait = std::min(wait, m_output.front().due - now);
    return wait;
}

void TalvekSimulator::Run()
{
    while (m_line.IsOpen()) {
        Service();
        if (!m_line.IsOpen())
            break;
        const Clock::time_point now = Clock::now();
        const bool blocked = (!m_output.empty() && m_output.front().due <= now) || m_faults.flood;
        pollfd fds[2] = {{m_line.MasterFd(), static_cast<short>(POLLIN | (blocked ? POLLOUT : 0)), 0},
                         {m_nWake, POLLIN, 0}};
        m_line.ReleaseAbandonedDevice();
        // Nothing tells the simulator when a program ends without closing
        // the device, so it looks again at least this often.
        const Clock::duration wait = std::min<Clock::duration>(NextDue(now), kAbandonCheck);
        const auto ns =
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::max(wait, Clock::duration::zero()))
                .count();
        timespec timeout{};
        timeout.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
        timeout.tv_nsec = static_cast<long>(ns % 1'000'000'000);
        if (::ppoll(fds, 2, &timeout, nullptr) < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN) {
            std::uint64_t count = 0;
            [[maybe_unused]] const ssize_t n = ::read(m_nWake, &count, sizeof count);
            break;
        }
    }
}
