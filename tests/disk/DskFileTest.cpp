#include "disk/DskFile.h"
#include "disk/SystemError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// ---- path splitting and fields ---------------------------------------------------

TEST(DskSplitPath, SplitsAtTheLastSeparator)
{
    struct Case {
        const char* path;
        const char* directory;
        const char* name;
    };
    const Case cases[] = {
        {"C:\\data\\x.spc", "C:\\data\\", "x.spc"}, {"x.spc", "", "x.spc"}, {"C:\\data\\", "C:\\data\\", ""},
        {"/home/me/a.spc", "/home/me/", "a.spc"},   {"", "", ""},
    };
    for (const Case& c : cases) {
        std::string directory = "junk", name = "junk";
        DskSplitPath(c.path, directory, name);
        EXPECT_EQ(directory, c.directory) << c.path;
        EXPECT_EQ(name, c.name) << c.path;
    }
}

TEST(DskGetField, SplitsOnRunsOfDelimiters)
{
    const std::uint32_t commaTabSpace = ',' | ('\t' << 8) | (' ' << 16);
    const std::string line = " 160, 150 140";
    std::string field;
    EXPECT_EQ(DskGetField(line, field, 0, commaTabSpace), 0);
    EXPECT_EQ(field, "160");
    DskGetField(line, field, 1, commaTabSpace);
    EXPECT_EQ(field, "150");
    DskGetField(line, field, 2, commaTabSpace);
    EXPECT_EQ(field, "140");
    EXPECT_EQ(DskGetField(line, field, 3, commaTabSpace), 0);
    EXPECT_EQ(field, "");
    EXPECT_EQ(DskGetField("", field, 0, commaTabSpace), -1);
}

TEST(DskGetField, CutsLongFieldsAt255Characters)
{
    std::string field;
    DskGetField(std::string(1000, '7') + ",1", field, 0, ',');
    EXPECT_EQ(field, std::string(255, '7'));
    DskGetField(std::string(1000, '7') + ",1", field, 1, ',');
    EXPECT_EQ(field, "1");
}

// ---- reading and writing ---------------------------------------------------------

TEST(DskFile, ShortReadReportsTheCounts)
{
    TempDir dir;
    WriteText(dir.File("four"), "abcd");
    DskFile file;
    file.DskSetName(dir.File("four"));
    ASSERT_EQ(file.DskOpen(DskFile::kRead), 0);
    char buffer[10];
    std::int32_t count = 10;
    EXPECT_EQ(file.DskRead(buffer, count), -7);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(file.ErrorText(), "<ee=1,10,4>");
    EXPECT_EQ(file.LastResult(), -7);
    EXPECT_EQ(file.OperationName(), "DskRead");
}

TEST(DskFile, ReadLineSkipsControlCharactersAndReportsTheEnd)
{
    TempDir dir;
    WriteText(dir.File("lines"), "12 3\r\n\n45");
    DskFile file;
    file.DskSetName(dir.File("lines"));
    ASSERT_EQ(file.DskOpen(DskFile::kRead), 0);
    std::string line;
    EXPECT_EQ(file.DskReadLine(line), 0);
    EXPECT_EQ(line, "12 3");
    EXPECT_EQ(file.DskReadLine(line), -7);
    EXPECT_EQ(line, "45");
    EXPECT_EQ(file.DskReadLine(line), -7);
    EXPECT_EQ(line, "");
}

TEST(DskFile, ReadLineKeepsTabsInsideALine)
{
    TempDir dir;
    WriteText(dir.File("tabs"), "\t\t160\t150\t\r\n140");
    DskFile file;
    file.DskSetName(dir.File("tabs"));
    ASSERT_EQ(file.DskOpen(DskFile::kRead), 0);
    std::string line;
    EXPECT_EQ(file.DskReadLine(line), 0);
    EXPECT_EQ(line, "160\t150\t");
    EXPECT_EQ(file.DskReadLine(line), -7);
    EXPECT_EQ(line, "140");
}

TEST(DskFile, ReadLineReturnsLongLinesIn255CharacterPieces)
{
    TempDir dir;
    WriteText(dir.File("long"), std::string(600, 'x') + "\n");
    DskFile file;
    file.DskSetName(dir.File("long"));
    ASSERT_EQ(file.DskOpen(DskFile::kRead), 0);
    std::string line;
    EXPECT_EQ(file.DskReadLine(line), 0);
    EXPECT_EQ(line.size(), 255u);
    EXPECT_EQ(file.DskReadLine(line), 0);
    EXPECT_EQ(line.size(), 255u);
    EXPECT_EQ(file.DskReadLine(line), 0);
    EXPECT_EQ(line.size(), 90u);
}

TEST(DskFile, OperationsWithoutAFileFail)
{
    DskFile file;
    EXPECT_EQ(file.DskOpen(DskFile::kRead), -1);
    char byte = 0;
    std::int32_t count = 1;
    EXPECT_EQ(file.DskRead(&byte, count), -1);
    EXPECT_EQ(file.DskWrite(&byte, count), -1);
    std::string line;
    EXPECT_EQ(file.DskReadLine(line), -1);
}

TEST(DskFile, WriteModeCreatesAndTruncates)
{
    TempDir dir;
    WriteText(dir.File("out"), "old contents that are long");
    DskFile file;
    file.DskSetName(dir.File("out"));
    ASSERT_EQ(file.DskOpen(DskFile::kWrite), 0);
    std::int32_t count = 3;
    EXPECT_EQ(file.DskWrite("new", count), 0);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(file.DskGetLength(), 3);
    file.DskClose();
    EXPECT_EQ(ReadText(dir.File("out")), "new");
}

TEST(DskFile, LengthOfMissingFilesAndFolders)
{
    TempDir dir;
    DskFile file;
    file.DskSetName(dir.File("missing"));
    EXPECT_EQ(file.DskGetLength(), -1);
    EXPECT_EQ(file.ErrorText(), "<ee=2> C_F (DskXGetLength)\r\n");
    EXPECT_EQ(file.DskOpen(DskFile::kRead), -4);
    EXPECT_EQ(file.ErrorText(), "<ee=2>");
    EXPECT_EQ(file.DskXGetLength(dir.Path()), -1);
    file.DskSetName(dir.Path());
    EXPECT_EQ(file.DskOpen(DskFile::kRead), -4);
    EXPECT_FALSE(file.IsOpen());
}

TEST(DskFile, FileHeldExclusivelyByAnotherProcessOpensWithMinus10)
{
    TempDir dir;
    const std::string path = dir.File("held.spc");
    WriteText(path, "data");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const int fd = ::open(path.c_str(), O_RDWR);
        ::flock(fd, LOCK_EX);
        char signal = 1;
        (void)!::write(ready[1], &signal, 1);
        ::sleep(30);
        ::_exit(0);
    }
    char signal = 0;
    ASSERT_EQ(::read(ready[0], &signal, 1), 1);
    DskFile file;
    file.DskSetName(path);
    EXPECT_EQ(file.DskOpen(DskFile::kRead), -10);
    EXPECT_EQ(file.ErrorText(), "<ee=32>");
    EXPECT_EQ(file.DskOpen(DskFile::kWrite), -10);
    EXPECT_EQ(ReadText(path), "data") << "a held file is never truncated";
    EXPECT_EQ(file.DskGetLength(), -1);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(file.DskOpen(DskFile::kRead), 0);
}

TEST(DskFile, MappingsOfMemoryAndOfTheFile)
{
    TempDir dir;
    WriteText(dir.File("mapped"), "0123456789");
    DskFile file;
    ASSERT_EQ(file.DskMap(100, DskFile::kMapReadWrite), 0);
    EXPECT_TRUE(file.IsMappingAnonymous());
    std::fill_n(file.MappedView(), 100, 'z');
    file.DskSetName(dir.File("mapped"));
    ASSERT_EQ(file.DskOpen(DskFile::kRead), 0);
    EXPECT_EQ(file.MappedView(), nullptr) << "opening closes the earlier mapping";
    ASSERT_EQ(file.DskMap(0, DskFile::kMapReadOnly), 0);
    EXPECT_FALSE(file.IsMappingAnonymous());
    EXPECT_EQ(std::string(reinterpret_cast<char*>(file.MappedView()), file.MappedSize()), "0123456789");
    ASSERT_EQ(file.DskMap(-4, DskFile::kMapReadOnly), 0);
    EXPECT_EQ(file.MappedSize(), 4u);
    file.DskClose();
    EXPECT_EQ(file.MappedView(), nullptr);
}

TEST(DskFile, MappingMoreThanTheFileHoldsFails)
{
    TempDir dir;
    WriteText(dir.File("short"), "0123");
    DskFile file;
    file.DskSetName(dir.File("short"));
    ASSERT_EQ(file.DskOpen(DskFile::kRead), 0);
    EXPECT_EQ(file.DskMap(-5, DskFile::kMapReadOnly), -8);
    EXPECT_EQ(file.DskMap(INT64_MIN, DskFile::kMapReadOnly), -8);
    EXPECT_EQ(file.MappedView(), nullptr);
    ASSERT_EQ(file.DskMap(-4, DskFile::kMapReadOnly), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(file.MappedView()), file.MappedSize()), "0123");
}

TEST(DskFile, PipesAndDevicesAreRefusedAtOnce)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0666), 0);
    ::alarm(10);  // a blocking open ends the test program instead of hanging it
    for (const std::string& path : {dir.File("pipe"), std::string("/dev/zero")}) {
        DskFile file;
        EXPECT_EQ(file.DskXGetLength(path), -1) << path;
        EXPECT_EQ(file.ErrorText(), "<ee=5> C_F (DskXGetLength)\r\n");
        file.DskSetName(path);
        EXPECT_EQ(file.DskOpen(DskFile::kRead), DskFile::kOpenFailed) << path;
        EXPECT_EQ(file.SystemErrorCode(), SystemError::kAccessDenied);
        EXPECT_FALSE(file.IsOpen());
    }
    ::alarm(0);
}

TEST(DskFile, TheLengthIsNotCutTo32Bits)
{
    TempDir dir;
    WriteText(dir.File("huge"), "");
    ASSERT_EQ(::truncate(dir.File("huge").c_str(), (std::int64_t{1} << 32) + 5), 0);
    DskFile file;
    file.DskSetName(dir.File("huge"));
    EXPECT_EQ(file.DskGetLength(), (std::int64_t{1} << 32) + 5);
    ASSERT_EQ(file.DskOpen(DskFile::kRead), 0);
    EXPECT_EQ(file.DskGetLength(), (std::int64_t{1} << 32) + 5);
}

TEST(SystemError, ErrorsWithoutAWindowsEquivalentKeepTheirOwnText)
{
    EXPECT_EQ(SystemError::FromErrno(EACCES), SystemError::kAccessDenied);
    EXPECT_EQ(SystemError::FromErrno(ENOENT), SystemError::kFileNotFound);
    const int io = SystemError::FromErrno(EIO);
    EXPECT_NE(io, SystemError::kAccessDenied);
    EXPECT_EQ(SystemError::OwnText(io), "Input/output error");
    EXPECT_EQ(SystemError::OwnText(SystemError::kAccessDenied), "");
}

TEST(DskFile, MappingAnEmptyFileFails)
{
    TempDir dir;
    WriteText(dir.File("empty"), "");
    DskFile file;
    file.DskSetName(dir.File("empty"));
    ASSERT_EQ(file.DskOpen(DskFile::kRead), 0);
    EXPECT_EQ(file.DskMap(0, DskFile::kMapReadOnly), -8);
}

TEST(DskFile, CopyAndDelete)
{
    TempDir dir;
    WriteText(dir.File("a"), "alpha");
    WriteText(dir.File("b"), "something longer");
    EXPECT_EQ(DskFile::DskCopyFile(dir.File("b"), dir.File("a")), 0);
    EXPECT_EQ(ReadText(dir.File("b")), "alpha");
    EXPECT_EQ(DskFile::DskCopyFile(dir.File("c"), dir.File("missing")), -1);
    EXPECT_EQ(DskFile::DskDeleteFile(dir.File("a")), 0);
    EXPECT_FALSE(FileExists(dir.File("a")));
    EXPECT_EQ(DskFile::DskDeleteFile(dir.File("a")), -1);
}

TEST(DskFile, LongPathsAreKeptWhole)
{
    TempDir dir;
    std::string folder = dir.Path();
    for (int i = 0; i < 6; ++i) {
        folder += "/" + std::string(60, static_cast<char>('a' + i));
        ASSERT_EQ(::mkdir(folder.c_str(), 0777), 0);
    }
    const std::string path = folder + "/x.spc";
    ASSERT_GT(path.size(), 255u);
    WriteText(path, "12345");
    DskFile file;
    file.DskSetName(path);
    EXPECT_EQ(file.FullPath(), path);
    EXPECT_EQ(file.Name(), "x.spc");
    EXPECT_EQ(file.DskGetLength(), 5);
    EXPECT_EQ(file.DskOpen(DskFile::kRead), 0);
}
