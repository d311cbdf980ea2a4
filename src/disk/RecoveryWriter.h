#pragma once

#include "disk/RecoveryFolder.h"

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Writes and removes the copies of a recovery session on a thread of its own,
// so that the window never waits for the disk. A job for a copy replaces the
// one still waiting for the same copy; one that is being carried out finishes
// first, so the last job given for a copy is the last one done.
class RecoveryWriter {
public:
    explicit RecoveryWriter(RecoverySession& session);
    // Carries out every job still waiting, then ends the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    void Write(int number, RecoveryNote note, std::vector<std::uint8_t> bytes);
    void Remove(int number);
    // Waits until every job given so far is done.
    void Flush();
    // The first failure since the last call; empty when there was none.
    std::string TakeError();

private:
    struct Job {
        std::optional<RecoveryNote> note;  // nothing: remove the copy
        std::vector<std::uint8_t> bytes;
    };

    void Give(int number, Job job);
    void Run();

    RecoverySession& m_session;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::map<int, Job> m_waiting;
    bool m_busy = false;
    bool m_stopping = false;
    std::string m_error;
    std::thread m_thread;
};
