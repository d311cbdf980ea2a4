#include "sim/SimulatorProcess.h"

#include <csignal>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

SimulatorProcess::SimulatorProcess(const std::string& program, const std::vector<std::string>& options)
{
    int out[2];
    if (::pipe(out) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<std::string> words{program};
    words.insert(words.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addclose(&actions, out[0]);
    const int failed = ::posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (failed != 0) {
        ::close(out[0]);
        m_pid = -1;
        throw std::runtime_error(program + " did not start");
    }
    // The first line is the device path; the read also ends when tv7sim ends.
    char c = 0;
    while (::read(out[0], &c, 1) == 1 && c != '\n')
        m_strDevice.push_back(c);
    ::close(out[0]);
    if (m_strDevice.empty()) {
        Stop();
        throw std::runtime_error(program + " printed no device");
    }
}

SimulatorProcess::~SimulatorProcess()
{
    Stop();
}

rusage SimulatorProcess::Stop()
{
    rusage usage{};
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::wait4(m_pid, &status, 0, &usage);
        m_pid = -1;
    }
    return usage;
}
