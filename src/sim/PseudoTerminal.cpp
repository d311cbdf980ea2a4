#include "sim/PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::~PseudoTerminal()
{
    Close();
}

bool PseudoTerminal::Open(std::string& error)
{
    Close();
    m_nMaster = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    char path[128] = {};
    if (m_nMaster < 0 || ::grantpt(m_nMaster) != 0 || ::unlockpt(m_nMaster) != 0 ||
        ::ptsname_r(m_nMaster, path, sizeof path) != 0) {
        error = std::string("cannot make a pseudo-terminal: ") + std::strerror(errno);
        Close();
        return false;
    }
    m_strDevicePath = path;
    // Terminal settings made through the master apply to the device end.
    termios line{};
    ::tcgetattr(m_nMaster, &line);
    ::cfmakeraw(&line);
    ::tcsetattr(m_nMaster, TCSANOW, &line);
    m_nDevice = ::open(path, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_nDevice < 0) {
        error = m_strDevicePath + ": " + std::strerror(errno);
        Close();
        return false;
    }
    return true;
}

void PseudoTerminal::Close()
{
    if (m_nDevice >= 0)
        ::close(m_nDevice);
    if (m_nMaster >= 0)
        ::close(m_nMaster);
    m_nDevice = -1;
    m_nMaster = -1;
}

void PseudoTerminal::ReadAvailable(std::vector<std::uint8_t>& bytes)
{
    if (m_nMaster < 0)
        return;
    std::uint8_t chunk[512];
    for (;;) {
        const ssize_t n = ::read(m_nMaster, chunk, sizeof chunk);
        if (n <= 0)
            return;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
}

std::size_t PseudoTerminal::WriteSome(const std::uint8_t* bytes, std::size_t count)
{
    if (m_nMaster < 0 || count == 0)
        return 0;
    const ssize_t n = ::write(m_nMaster, bytes, count);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

void PseudoTerminal::ReleaseAbandonedDevice()
{
    int exclusive = 0;
    if (m_nDevice < 0 || ::ioctl(m_nDevice, TIOCGEXCL, &exclusive) != 0 || exclusive == 0)
        return;
    // The program marks the device exclusive only while it holds the lock on
    // it, and the lock ends with the program: a free lock under the mark
    // means the program has gone.
    if (::flock(m_nDevice, LOCK_EX | LOCK_NB) != 0)
        return;
    ::ioctl(m_nDevice, TIOCNXCL);
    ::flock(m_nDevice, LOCK_UN);
}
