#include "disk/AtomicFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

int FilesIn(const std::string& folder)
{
    int count = 0;
    DIR* dir = ::opendir(folder.c_str());
    while (dirent* entry = ::readdir(dir))
        if (entry->d_name[0] != '.' || (entry->d_name[1] != '\0' && entry->d_name[1] != '.'))
            ++count;
    ::closedir(dir);
    return count;
}

// Makes every write beyond limit bytes fail, as a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_saved;
        small.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

}  // namespace

TEST(WriteFileAtomically, ReplacesTheFileAndKeepsItsPermissions)
{
    TempDir dir;
    const std::string path = dir.File("x.spc");
    WriteText(path, "old");
    ::chmod(path.c_str(), 0640);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "new contents", 12, error)) << error;
    EXPECT_EQ(ReadText(path), "new contents");
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(FilesIn(dir.Path()), 1);
}

TEST(WriteFileAtomically, AFailedWriteLeavesTheOldFileAndNoTemporary)
{
    TempDir dir;
    const std::string path = dir.File("x.spc");
    WriteText(path, "the user's measurements");
    const std::string big(100000, 'b');
    std::string error;
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(WriteFileAtomically(path, big.data(), big.size(), error));
    }
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadText(path), "the user's measurements");
    EXPECT_EQ(FilesIn(dir.Path()), 1);
}

TEST(WriteFileAtomically, MissingFolderOrFolderAsTargetFails)
{
    TempDir dir;
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(dir.File("no/such/folder/x.spc"), "a", 1, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(WriteFileAtomically(dir.Path(), "a", 1, error));
    EXPECT_EQ(FilesIn(dir.Path()), 0);
}

TEST(WriteFileAtomically, ASymbolicLinkKeepsPointingAtTheFileItNames)
{
    TempDir dir;
    const std::string file = dir.File("data.spc");
    const std::string link = dir.File("link.spc");
    WriteText(file, "old");
    ASSERT_EQ(::symlink(file.c_str(), link.c_str()), 0);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(link, "new", 3, error)) << error;
    struct stat info {};
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadText(file), "new");
    EXPECT_EQ(FilesIn(dir.Path()), 2);
}

TEST(WriteFileAtomically, ALinkToAFileNotMadeYetMakesTheFile)
{
    TempDir dir;
    ::mkdir(dir.File("sub").c_str(), 0777);
    const std::string link = dir.File("link.spc");
    // A relative link, resolved from the link's own folder.
    ASSERT_EQ(::symlink("sub/new.spc", link.c_str()), 0);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(link, "new", 3, error)) << error;
    struct stat info {};
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadText(dir.File("sub/new.spc")), "new");
    EXPECT_EQ(FilesIn(dir.File("sub")), 1);
}

TEST(WriteFileAtomically, NamesUpToTheLongestAllowedAreWritten)
{
    TempDir dir;
    const long longest = ::pathconf(dir.Path().c_str(), _PC_NAME_MAX);
    const std::string path = dir.File(std::string(static_cast<std::size_t>(longest) - 4, 'n') + ".spc");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "new", 3, error)) << error;
    EXPECT_EQ(ReadText(path), "new");
    ASSERT_TRUE(WriteFileAtomically(path, "newer", 5, error)) << error;
    EXPECT_EQ(ReadText(path), "newer");
    EXPECT_EQ(FilesIn(dir.Path()), 1);
}

// Records the order of the durable steps and can make the flush fail.
class RecordedSteps {
public:
    explicit RecordedSteps(bool failSync) : m_saved(AtomicWriteSystemSteps())
    {
        AtomicWriteSystemSteps().sync = [this, failSync](int fd) {
            steps.push_back("sync");
            if (failSync) {
                errno = EIO;
                return -1;
            }
            return ::fsync(fd);
        };
        AtomicWriteSystemSteps().rename = [this](const char* from, const char* to) {
            steps.push_back("rename");
            return ::rename(from, to);
        };
    }
    ~RecordedSteps() { AtomicWriteSystemSteps() = m_saved; }

    std::vector<std::string> steps;

private:
    AtomicWriteSteps m_saved;
};

TEST(WriteFileAtomically, TheTemporaryIsFlushedToDiskBeforeTheRename)
{
    TempDir dir;
    const std::string path = dir.File("x.spc");
    WriteText(path, "old");
    {
        RecordedSteps recorded(false);
        std::string error;
        ASSERT_TRUE(WriteFileAtomically(path, "new", 3, error)) << error;
        EXPECT_EQ(recorded.steps, (std::vector<std::string>{"sync", "rename"}));
    }
    RecordedSteps failing(true);
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(path, "lost", 4, error));
    EXPECT_EQ(error, "Input/output error");
    EXPECT_EQ(failing.steps, std::vector<std::string>{"sync"});
    EXPECT_EQ(ReadText(path), "new");
    EXPECT_EQ(FilesIn(dir.Path()), 1);
}

TEST(WriteFileAtomically, DevicesAndPipesAreNotReplaced)
{
    TempDir dir;
    const std::string pipe = dir.File("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    const std::string link = dir.File("null");
    ASSERT_EQ(::symlink("/dev/null", link.c_str()), 0);
    for (const std::string& path : {pipe, link}) {
        std::string error;
        EXPECT_FALSE(WriteFileAtomically(path, "a", 1, error)) << path;
        EXPECT_EQ(error, "Not a regular file");
    }
    struct stat info {};
    ASSERT_EQ(::lstat(pipe.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(FilesIn(dir.Path()), 2);
}

TEST(WriteFileAtomically, AReadOnlyFileIsLeftAsItWas)
{
    TempDir dir;
    const std::string path = dir.File("x.spc");
    WriteText(path, "protected");
    ::chmod(path.c_str(), 0444);
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(path, "new", 3, error));
    EXPECT_EQ(error, "Permission denied");
    EXPECT_EQ(ReadText(path), "protected");
    EXPECT_EQ(FilesIn(dir.Path()), 1);
}
