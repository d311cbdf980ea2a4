#pragma once

#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <vector>

// tv7sim run as a process of its own, for tests and benchmarks that want the
// analyser outside their own process. It is stopped (SIGTERM) when the object goes.
class SimulatorProcess {
public:
    // Starts the tv7sim program with the options and waits for its device
    // path; throws std::runtime_error when it does not start.
    SimulatorProcess(const std::string& program, const std::vector<std::string>& options);
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    const std::string& DevicePath() const { return m_strDevice; }
    // Stops the simulator and returns the resources it used (zero the second time).
    rusage Stop();

private:
    pid_t m_pid = -1;
    std::string m_strDevice;
};
