#include "disk/AtomicFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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
