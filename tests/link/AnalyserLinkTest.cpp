// The serial link over a real pseudo-terminal: opening, line settings, reads
// that never wait, drain, exclusive use and every error text.

#include "link/AnalyserLink.h"

#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "sim/PseudoTerminal.h"
#include "support/TempDir.h"

#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

class AnalyserLinkTest : public ::testing::Test {
protected:
    AnalyserLinkTest()
    {
        Settings() = ProgramSettings{};
        Profile().SetPath(dir.File("TV7W.ini"));
        std::string error;
        if (!line.Open(error))
            throw std::runtime_error(error);
        link.SetDevicePath(line.DevicePath());
    }
    ~AnalyserLinkTest() override { Profile().SetPath({}); }

    // The line settings as the device has them now.
    termios LineSettings() const
    {
        termios settings{};
        ::tcgetattr(line.MasterFd(), &settings);
        return settings;
    }

    void Send(std::string_view bytes)
    {
        ASSERT_EQ(line.WriteSome(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                  bytes.size());
    }

    TempDir dir;
    PseudoTerminal line;
    AnalyserLink link;
};

TEST_F(AnalyserLinkTest, OpensWithTheFixedLineSettings)
{
    ASSERT_EQ(link.Open(), 0);
    EXPECT_TRUE(link.IsOpen());
    const termios settings = LineSettings();
    EXPECT_EQ(::cfgetospeed(&settings), B1200);
    EXPECT_EQ(::cfgetispeed(&settings), B1200);
    EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(settings.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(settings.c_cflag & (CREAD | CLOCAL), static_cast<tcflag_t>(CREAD | CLOCAL));
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | INPCK | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(settings.c_oflag & OPOST, 0u);
}

TEST_F(AnalyserLinkTest, SettingsChangedWhileOpenReachTheLineAtOnce)
{
    ASSERT_EQ(link.Open(), 0);
    EXPECT_EQ(link.SetParity(AnalyserLink::kParityEven), 0);
    EXPECT_EQ(link.SetStopBits(2), 0);
    EXPECT_EQ(link.SetBaudRate(9600), 0);
    // A pseudo-terminal keeps no parity bits of its own (the driver clears
    // PARENB), but the parity check and the stop bits reach it.
    termios settings = LineSettings();
    EXPECT_EQ(settings.c_cflag & CSTOPB, static_cast<tcflag_t>(CSTOPB));
    EXPECT_EQ(settings.c_iflag & INPCK, static_cast<tcflag_t>(INPCK));
    EXPECT_EQ(::cfgetospeed(&settings), B9600);

    link.SetParity(7);  // not a parity code: none
    link.SetStopBits(1);
    settings = LineSettings();
    EXPECT_EQ(settings.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(settings.c_iflag & INPCK, 0u);
}

TEST_F(AnalyserLinkTest, ReadWithNothingQueuedAnswersOneAtOnce)
{
    ASSERT_EQ(link.Open(), 0);
    std::uint8_t buffer[4] = {};
    int length = 4;
    EXPECT_EQ(link.Read(buffer, length), 1);
    EXPECT_EQ(length, 0);
}

TEST_F(AnalyserLinkTest, BytesGoBothWays)
{
    ASSERT_EQ(link.Open(), 0);
    const std::uint8_t out[] = {0x3F, 0x00, 0xFF};
    int length = 3;
    ASSERT_EQ(link.Write(out, length), 0);
    EXPECT_EQ(length, 3);
    std::vector<std::uint8_t> received;
    line.ReadAvailable(received);
    EXPECT_EQ(received, (std::vector<std::uint8_t>{0x3F, 0x00, 0xFF}));

    Send("\x06\r\n");
    std::uint8_t in[8] = {};
    length = 8;
    ASSERT_EQ(link.Read(in, length), 0);
    ASSERT_EQ(length, 3);  // raw: no translation of CR or LF
    EXPECT_EQ(in[0], 0x06);
    EXPECT_EQ(in[1], '\r');
    EXPECT_EQ(in[2], '\n');
}

TEST_F(AnalyserLinkTest, DrainDiscardsEverythingQueued)
{
    ASSERT_EQ(link.Open(), 0);
    EXPECT_EQ(link.Drain(), 0);
    Send("12345");
    EXPECT_EQ(link.Drain(), 0);
    std::uint8_t byte = 0;
    int length = 1;
    EXPECT_EQ(link.Read(&byte, length), 1);
}

TEST_F(AnalyserLinkTest, CloseDiscardsTheQueueAndClearsTheError)
{
    ASSERT_EQ(link.Open(), 0);
    Send("abc");
    EXPECT_EQ(link.Close(), 0);
    EXPECT_FALSE(link.IsOpen());
    ASSERT_EQ(link.Open(), 0);
    std::uint8_t byte = 0;
    int length = 1;
    EXPECT_EQ(link.Read(&byte, length), 1);
}

TEST_F(AnalyserLinkTest, CloseOfAClosedLinkIsHarmless)
{
    link.SetDevicePath(dir.File("missing"));
    EXPECT_EQ(link.Open(), -2);
    EXPECT_EQ(link.Close(), 0);
    EXPECT_EQ(link.Close(), 0);
    EXPECT_EQ(link.ErrorText(), "");
    EXPECT_EQ(link.LastError(), 0);
}

TEST_F(AnalyserLinkTest, WriteReadAndClearErrorsWhileClosed)
{
    link.SetPort(4);
    const std::uint8_t byte = 'a';
    int length = 1;
    EXPECT_EQ(link.Write(&byte, length), -1);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(link.ErrorText(), "COM4, No Handle");
    EXPECT_EQ(link.LastError(), -1);

    link.Close();
    std::uint8_t in = 0;
    length = 1;
    EXPECT_EQ(link.Read(&in, length), -1);
    EXPECT_EQ(link.ErrorText(), "COM4, No Handle");
    EXPECT_EQ(link.LastError(), 0);  // a read leaves the last code alone

    EXPECT_EQ(link.ClearErrors(), -1);
    EXPECT_EQ(link.ErrorText(), "COM4, No handle");
}

TEST_F(AnalyserLinkTest, AHungUpLineFailsReadsAndWrites)
{
    ASSERT_EQ(link.Open(), 0);
    line.Close();
    std::uint8_t byte = 0;
    int length = 1;
    EXPECT_EQ(link.Read(&byte, length), -1);
    EXPECT_EQ(link.ErrorText(), "COM1, Bad Read, e=5");
    EXPECT_EQ(link.LastError(), -1);
    EXPECT_EQ(link.Drain(), -1);

    length = 1;
    EXPECT_EQ(link.Write(&byte, length), -1);
    EXPECT_EQ(link.ErrorText(), "COM1, Bad Write e=5");
    EXPECT_EQ(length, 0);
    EXPECT_TRUE(link.IsOpen());  // the caller decides to close
}

TEST_F(AnalyserLinkTest, PortNumbersMapToTheProfilesDevices)
{
    link.SetDevicePath({});
    EXPECT_EQ(link.DevicePath(), "/dev/ttyS0");
    link.SetPort(4);
    EXPECT_EQ(link.DevicePath(), "/dev/ttyS3");
    ASSERT_TRUE(Profile().WriteString(ProfileKeys::kPorts, "COM3", line.DevicePath()));
    EXPECT_EQ(link.SetPort(3), 0);
    EXPECT_EQ(link.DevicePath(), line.DevicePath());
    EXPECT_EQ(link.Open(), 0);
}

TEST_F(AnalyserLinkTest, AMissingDeviceIsNotFound)
{
    link.SetDevicePath({});
    ASSERT_TRUE(Profile().WriteString(ProfileKeys::kPorts, "COM3", dir.File("ttyUSB9")));
    link.SetPort(3);
    EXPECT_EQ(link.Open(), -2);
    EXPECT_EQ(link.ErrorText(), "COM3 Not Found\r\n");
    EXPECT_EQ(link.LastError(), -2);
    EXPECT_FALSE(link.IsOpen());
}

TEST_F(AnalyserLinkTest, SomethingThatIsNoTerminalIsNotAvailable)
{
    WriteText(dir.File("plain"), "not a serial port");
    link.SetDevicePath(dir.File("plain"));
    EXPECT_EQ(link.Open(), -AnalyserLink::kErrorGenFailure);
    EXPECT_EQ(link.ErrorText(), "");
    EXPECT_FALSE(link.IsOpen());
}

TEST_F(AnalyserLinkTest, ASecondOpenerIsDeniedInThisProcess)
{
    link.SetDevicePath({});
    ASSERT_TRUE(Profile().WriteString(ProfileKeys::kPorts, "COM3", line.DevicePath()));
    link.SetPort(3);
    ASSERT_EQ(link.Open(), 0);
    link.SetBaudRate(9600);
    AnalyserLink second;
    second.SetPort(3);
    EXPECT_EQ(second.Open(), -5);
    EXPECT_EQ(second.ErrorText(), "COM3 Access Denied\r\n");
    EXPECT_FALSE(second.IsOpen());
    // The refusal leaves the first opener's line as it was.
    const termios settings = LineSettings();
    EXPECT_EQ(::cfgetospeed(&settings), B9600);
    link.Close();
    EXPECT_EQ(second.Open(), 0);
}

TEST_F(AnalyserLinkTest, ASecondOpenerIsDeniedInAnotherProcess)
{
    ASSERT_EQ(link.Open(), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AnalyserLink other;
        other.SetDevicePath(line.DevicePath());
        const bool denied = other.Open() == -5 && other.ErrorText() == "COM1 Access Denied\r\n";
        ::_exit(denied ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(AnalyserLinkTest, SetPortRefusesZeroAndKeepsTheSamePortOpen)
{
    EXPECT_EQ(link.SetPort(0), -1);
    EXPECT_EQ(link.Port(), 1);
    ASSERT_EQ(link.Open(), 0);
    Send("q");
    // Reopening would have discarded the queued byte.
    EXPECT_EQ(link.SetPort(1), 0);
    std::uint8_t byte = 0;
    int length = 1;
    EXPECT_EQ(link.Read(&byte, length), 0);
    EXPECT_EQ(byte, 'q');
}

TEST_F(AnalyserLinkTest, SetPortWhileOpenMovesToTheNewPort)
{
    PseudoTerminal other;
    std::string error;
    ASSERT_TRUE(other.Open(error)) << error;
    ASSERT_TRUE(Profile().WriteString(ProfileKeys::kPorts, "COM2", other.DevicePath()));
    link.SetDevicePath({});
    ASSERT_TRUE(Profile().WriteString(ProfileKeys::kPorts, "COM1", line.DevicePath()));
    ASSERT_EQ(link.Open(), 0);
    EXPECT_EQ(link.SetPort(2), 0);
    EXPECT_TRUE(link.IsOpen());
    const std::uint8_t byte = 'x';
    int length = 1;
    ASSERT_EQ(link.Write(&byte, length), 0);
    std::vector<std::uint8_t> received;
    other.ReadAvailable(received);
    EXPECT_EQ(received, std::vector<std::uint8_t>{'x'});
    // The first port is free again.
    AnalyserLink first;
    first.SetDevicePath(line.DevicePath());
    EXPECT_EQ(first.Open(), 0);
}

}  // namespace
