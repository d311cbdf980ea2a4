#include "link/AnalyserLink.h"

#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace {

// A write waits this long at most for the driver to take a byte. A line
// without flow control always drains, so only a device that has stopped
// working (or a pseudo-terminal nobody reads) runs into it.
constexpr int kWriteWaitMs = 2000;

struct SpeedCode {
    std::uint32_t rate;
    speed_t code;
};

constexpr std::array<SpeedCode, 18> kSpeeds{{{50, B50},
                                             {75, B75},
                                             {110, B110},
                                             {134, B134},
                                             {150, B150},
                                             {200, B200},
                                             {300, B300},
                                             {600, B600},
                                             {1200, B1200},
                                             {1800, B1800},
                                             {2400, B2400},
                                             {4800, B4800},
                                             {9600, B9600},
                                             {19200, B19200},
                                             {38400, B38400},
                                             {57600, B57600},
                                             {115200, B115200},
                                             {230400, B230400}}};

// The Windows system error number that the open's texts and results use for errno.
int OpenErrorFromErrno(int err)
{
    switch (err) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
        return AnalyserLink::kErrorNotFound;
    case EACCES:
    case EPERM:
    case EBUSY:
    case EWOULDBLOCK:
    case EROFS:
        return AnalyserLink::kErrorAccessDenied;
    default:
        // Whatever else stops a device from opening (not a terminal, I/O
        // error): "a device attached to the system is not functioning".
        return AnalyserLink::kErrorGenFailure;
    }
}

}  // namespace

AnalyserLink::~AnalyserLink()
{
    Close();
}

std::string AnalyserLink::DevicePath() const
{
    if (!m_strDevicePath.empty())
        return m_strDevicePath;
    return Profile().GetString(ProfileKeys::kPorts, "COM" + std::to_string(m_nPort),
                               "/dev/ttyS" + std::to_string(m_nPort - 1));
}

std::string AnalyserLink::PortName() const
{
    return m_strPortName.empty() ? "COM" + std::to_string(m_nPort) : m_strPortName;
}

void AnalyserLink::SetError(const char* format, int value)
{
    char text[kMaxText + 1];
    std::snprintf(text, sizeof text, format, value);
    m_szError = (PortName() + text).substr(0, kMaxText);
}

int AnalyserLink::FailedOpen(int systemError)
{
    if (systemError == kErrorNotFound)
        SetError(" Not Found\r\n");
    else if (systemError == kErrorAccessDenied)
        SetError(" Access Denied\r\n");
    m_nLastError = -systemError;
    return m_nLastError;
}

int AnalyserLink::Open()
{
    Close();
    int systemError = 0;
    const int handle = OpenDevice(DevicePath(), systemError);
    if (handle < 0)
        return FailedOpen(systemError);
    m_hPort = handle;
    Configure();
    m_bOpen = 1;
    return 0;
}

int AnalyserLink::OpenDevice(const std::string& path, int& systemError)
{
    // Non-blocking from the start, so that the open does not wait for a
    // carrier and no read ever waits.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        systemError = OpenErrorFromErrno(errno);
        return -1;
    }
    // The port is ours alone: the lock keeps out every other opener (root
    // included), TIOCEXCL keeps out programs that do not take locks.
    termios line{};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::tcgetattr(fd, &line) != 0) {
        // A port in use, or not a terminal: nothing that could be a serial line.
        systemError = OpenErrorFromErrno(errno);
        ::close(fd);
        return -1;
    }
    ::ioctl(fd, TIOCEXCL);
    // DTR and RTS asserted power the analyser's line interface. A
    // pseudo-terminal has no modem lines and refuses this, which is harmless.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIS, &lines);
    // The driver's queues are fixed (4 KB each way on Linux), larger than
    // anything the analyser sends in one reply, so there is no size to set.
    return fd;
}

void AnalyserLink::Configure()
{
    termios line{};
    if (m_hPort < 0 || ::tcgetattr(m_hPort, &line) != 0)
        return;
    ::cfmakeraw(&line);
    line.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
    if (m_bParity)
        line.c_iflag |= INPCK;
    line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    line.c_cflag |= CREAD | CLOCAL;
    switch (m_nByteSize) {
    case 5:
        line.c_cflag |= CS5;
        break;
    case 6:
        line.c_cflag |= CS6;
        break;
    case 7:
        line.c_cflag |= CS7;
        break;
    default:
        line.c_cflag |= CS8;
        break;
    }
    switch (m_nParity) {
    case kParityOdd:
        line.c_cflag |= PARENB | PARODD;
        break;
    case kParityEven:
        line.c_cflag |= PARENB;
        break;
    case kParityMark:
        line.c_cflag |= PARENB | PARODD | CMSPAR;
        break;
    case kParitySpace:
        line.c_cflag |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    if (m_nStopBits == kTwoStopBits)
        line.c_cflag |= CSTOPB;
    // With at least one character wanted and no timer, a non-blocking read
    // answers "nothing yet" (EAGAIN) at once and reports a hung-up line as
    // end of file, so the two can be told apart.
    line.c_cc[VMIN] = 1;
    line.c_cc[VTIME] = 0;
    for (const SpeedCode& speed : kSpeeds)
        if (speed.rate == m_nBaudRate)
            ::cfsetspeed(&line, speed.code);
    ::tcsetattr(m_hPort, TCSANOW, &line);
}

void AnalyserLink::CloseDevice(int handle)
{
    ::tcflush(handle, TCIOFLUSH);
    ::ioctl(handle, TIOCNXCL);
    ::close(handle);
}

long AnalyserLink::ReadDevice(int handle, std::uint8_t* buffer, std::size_t size)
{
    return ::read(handle, buffer, size);
}

long AnalyserLink::WriteDevice(int handle, const std::uint8_t* buffer, std::size_t size)
{
    return ::write(handle, buffer, size);
}

bool AnalyserLink::WaitWritable(int handle, int milliseconds)
{
    pollfd wait{handle, POLLOUT, 0};
    return ::poll(&wait, 1, milliseconds) >= 0;
}

int AnalyserLink::Close()
{
    if (m_hPort >= 0) {
        CloseDevice(m_hPort);
        m_hPort = -1;
    }
    m_bOpen = 0;
    m_nLastError = 0;
    m_szError.clear();
    return 0;
}

int AnalyserLink::SetPort(int n)
{
    if (n < 1)
        return -1;
    if (n == m_nPort)
        return 0;
    m_nPort = n;
    if (m_hPort < 0)
        return 0;
    Close();
    return Open();
}

int AnalyserLink::SetBaudRate(std::uint32_t rate)
{
    if (rate == m_nBaudRate)
        return 0;
    m_nBaudRate = rate;
    Configure();
    return 0;
}

int AnalyserLink::SetParity(int parity)
{
    m_bParity = parity >= kParityOdd && parity <= kParitySpace ? 1 : 0;
    m_nParity = m_bParity ? parity : kParityNone;
    Configure();
    return 0;
}

int AnalyserLink::SetStopBits(int count)
{
    m_nStopBits = count == 2 ? kTwoStopBits : kOneStopBit;
    Configure();
    return 0;
}

int AnalyserLink::Write(const std::uint8_t* buffer, int& length)
{
    if (m_hPort < 0) {
        length = 0;
        SetError(", No Handle");
        m_nLastError = -1;
        return -1;
    }
    ClearErrors();
    const int wanted = length;
    int written = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteWaitMs);
    while (written < wanted) {
        const long n = WriteDevice(m_hPort, buffer + written, static_cast<std::size_t>(wanted - written));
        if (n > 0) {
            written += static_cast<int>(n);
            continue;
        }
        int err = errno;
        if (n < 0 && err == EINTR)
            continue;
        if (n < 0 && err == EAGAIN) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() > 0 && WaitWritable(m_hPort, static_cast<int>(left.count())))
                continue;
        }
        if (n == 0)
            err = EIO;
        if (err == EBADF) {
            length = 0;
            SetError(", Invalid Handle");
        } else {
            length = written;
            SetError(", Bad Write e=%d", err);
        }
        if (m_observer && length > 0)
            m_observer(true, buffer, length);
        m_nLastError = -1;
        return -1;
    }
    length = written;
    if (m_observer)
        m_observer(true, buffer, length);
    return 0;
}

int AnalyserLink::Read(std::uint8_t* buffer, int& length)
{
    if (m_hPort < 0) {
        SetError(", No Handle");
        return -1;
    }
    ClearErrors();
    const int wanted = length;
    length = 0;
    if (wanted <= 0)
        return 1;
    const long n = ReadDevice(m_hPort, buffer, static_cast<std::size_t>(wanted));
    if (n > 0) {
        length = static_cast<int>(n);
        if (m_observer)
            m_observer(false, buffer, length);
        return 0;
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return 1;
    // End of file is a line that has hung up (adapter unplugged, far end of
    // a pseudo-terminal closed): an I/O error, not silence.
    SetError(", Bad Read, e=%d", n == 0 ? EIO : errno);
    m_nLastError = -1;
    return -1;
}

int AnalyserLink::Drain()
{
    for (int drained = 0; drained <= kMaxDrainBytes; ++drained) {
        std::uint8_t byte = 0;
        int length = 1;
        const int result = Read(&byte, length);
        if (result == 1)
            return 0;
        if (result < 0)
            return result;
    }
    // A device that never stops sending (a port that ignores the line
    // speed, a virtual port) would keep the drain going for ever.
    SetError(", Never Quiet");
    m_nLastError = -1;
    return -1;
}

int AnalyserLink::ClearErrors()
{
    if (m_hPort < 0) {
        SetError(", No handle");
        return -1;
    }
    // A framing or parity error does not stop a POSIX serial line (the bad
    // character is delivered as received), so there is no error state to clear.
    return 0;
}
