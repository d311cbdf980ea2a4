#include "disk/RecoveryWriter.h"

#include <utility>

RecoveryWriter::RecoveryWriter(RecoverySession& session) : m_session(session), m_thread([this] { Run(); })
{}

RecoveryWriter::~RecoveryWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void RecoveryWriter::Write(int number, RecoveryNote note, std::vector<std::uint8_t> bytes)
{
    Give(number, Job{std::move(note), std::move(bytes)});
}

void RecoveryWriter::Remove(int number)
{
    Give(number, Job{});
}

void RecoveryWriter::Give(int number, Job job)
{
    {
        const std::lock_guard lock(m_mutex);
        m_waiting[number] = std::move(job);
    }
    m_wake.notify_one();
}

void RecoveryWriter::Flush()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_waiting.empty() && !m_busy; });
}

std::string RecoveryWriter::TakeError()
{
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_error, {});
}

void RecoveryWriter::Run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
        if (m_waiting.empty()) {
            m_idle.notify_all();
            return;
        }
        auto next = m_waiting.begin();
        const int number = next->first;
        const Job job = std::move(next->second);
        m_waiting.erase(next);
        m_busy = true;
        lock.unlock();

        std::string error;
        const bool done =
            !job.note || m_session.Write(number, *job.note, job.bytes.data(), job.bytes.size(), error);
        if (!job.note)
            m_session.Remove(number);

        lock.lock();
        m_busy = false;
        if (!done && m_error.empty())
            m_error = error;
        if (m_waiting.empty())
            m_idle.notify_all();
    }
}
