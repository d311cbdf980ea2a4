#include "LinkTestSupport.h"

#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"

#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

std::vector<std::uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

void PumpingSleeper::Sleep(int milliseconds)
{
    if (milliseconds == CCommsDlg::kPollPauseMs) {
        ++m_nPolls;
        if (onPoll)
            onPoll(m_nPolls);
        if (m_nHold > 0) {
            --m_nHold;
            return;
        }
    } else {
        m_pauses.push_back(milliseconds);
    }
    if (m_simulator.IsLineOpen())
        m_simulator.Service();
}

void PumpingSleeper::ResetCounts()
{
    m_nPolls = 0;
    m_pauses.clear();
}

bool HookedUserInterface::AskYesNo(const std::string& text, Icon icon)
{
    if (onAsk)
        onAsk(text);
    return ScriptedUserInterface::AskYesNo(text, icon);
}

void HookedUserInterface::Repaint()
{
    ScriptedUserInterface::Repaint();
    if (onRepaint)
        onRepaint();
}

CommsTest::CommsTest()
{
    Settings() = ProgramSettings{};
    Settings().Comdelay = kComdelay;
    Profile().SetPath(dir.File("TV7W.ini"));
    std::string error;
    if (!simulator.Open(error))
        throw std::runtime_error(error);
    comms.Link().SetDevicePath(simulator.DevicePath());
    doc.OnNewDocument();
}

std::vector<std::uint8_t> CommsTest::AnalyserData(int index)
{
    return RecordData(simulator.Analyser().Memory(index));
}

std::vector<std::uint8_t> CommsTest::RecordData(const MemoryRecord& record)
{
    return {record.Bytes(), record.Bytes() + MemoryRecord::kDataSize};
}

SimulatorProcess::SimulatorProcess(const std::vector<std::string>& options)
{
    int out[2];
    if (::pipe(out) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<std::string> words{TV7SIM};
    words.insert(words.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addclose(&actions, out[0]);
    const int failed = ::posix_spawn(&m_pid, TV7SIM, &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (failed != 0) {
        ::close(out[0]);
        throw std::runtime_error("tv7sim did not start");
    }
    // The first line is the device path; the read ends when tv7sim has
    // printed it (or has ended).
    char c = 0;
    while (::read(out[0], &c, 1) == 1 && c != '\n')
        m_strDevice.push_back(c);
    ::close(out[0]);
}

SimulatorProcess::~SimulatorProcess()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
    }
}
