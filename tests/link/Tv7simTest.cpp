// tv7sim as a process of its own: a stop removes its symbolic link at any
// time, and a program that dies holding the device does not lock it for good.

#include "LinkTestSupport.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

bool IsLink(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

// Whether the device is marked for its present user alone. A refused open
// says so; root, whom the mark does not stop, asks the device.
bool IsExclusive(const std::string& device)
{
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EBUSY;
    int exclusive = 0;
    ::ioctl(fd, TIOCGEXCL, &exclusive);
    ::close(fd);
    return exclusive != 0;
}

TEST(Tv7simTest, AStopRightAfterTheDeviceIsPrintedRemovesTheLink)
{
    TempDir dir;
    const std::string link = dir.File("talvek");
    // A stop that comes as soon as the device path has been read; repeated,
    // as it once raced with the simulator's start.
    for (int run = 0; run < 10; ++run) {
        SimulatorProcess simulator(TV7SIM, {"--link", link});
        EXPECT_TRUE(IsLink(link));
        simulator.Stop();
        ASSERT_FALSE(IsLink(link)) << "run " << run;
    }
}

TEST(Tv7simTest, AProgramThatEndsWithoutClosingThePortDoesNotLockItsSuccessors)
{
    SimulatorProcess simulator(TV7SIM, {});
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Killed in the middle of an exchange: the port is never closed.
        AnalyserLink link;
        link.SetDevicePath(simulator.DevicePath());
        ::_exit(link.Open() == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    // The simulator frees the device within a fraction of a second.
    bool exclusive = IsExclusive(simulator.DevicePath());
    for (int attempt = 0; exclusive && attempt < 100; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        exclusive = IsExclusive(simulator.DevicePath());
    }
    EXPECT_FALSE(exclusive);
    AnalyserLink link;
    link.SetDevicePath(simulator.DevicePath());
    ASSERT_EQ(link.Open(), 0);

    // A program that holds the port keeps it its own.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(IsExclusive(simulator.DevicePath()));
    AnalyserLink second;
    second.SetDevicePath(simulator.DevicePath());
    EXPECT_EQ(second.Open(), -5);
}

}  // namespace
