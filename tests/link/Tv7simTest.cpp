// tv7sim as a process of its own: its symbolic link and its line outlive
// nobody who stops or abandons them.

#include "LinkTestSupport.h"

#include <sys/stat.h>

namespace {

bool IsLink(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
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

}  // namespace
