#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The analyser's end of a pseudo-terminal pair. The program opens the other
// end, the device path, exactly as it opens a serial port. The line starts
// raw (no echo, no translation), and the simulator keeps the device end open
// itself, so that the program may close and reopen it between exchanges
// without the line hanging up.
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // False with error set when no pseudo-terminal could be made.
    bool Open(std::string& error);
    // Closes both ends: the program's open device hangs up.
    void Close();
    bool IsOpen() const { return m_nMaster >= 0; }

    const std::string& DevicePath() const { return m_strDevicePath; }
    int MasterFd() const { return m_nMaster; }

    // Appends every byte the program has sent so far; never waits.
    void ReadAvailable(std::vector<std::uint8_t>& bytes);
    // Sends what the line takes now; returns the count sent, never waits.
    std::size_t WriteSome(const std::uint8_t* bytes, std::size_t count);
    // Frees the device for the next program when the last one ended without
    // closing it (killed, crashed): its exclusive-use mark outlives it,
    // because the simulator's own open keeps the device alive.
    void ReleaseAbandonedDevice();

private:
    int m_nMaster = -1;
    int m_nDevice = -1;
    std::string m_strDevicePath;
};
