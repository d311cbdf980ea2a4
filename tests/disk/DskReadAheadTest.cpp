// The line reader fetches ahead; reads that follow it must still see every byte.

#include "disk/DskFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(DskReadAhead, ReadAfterReadLineContinuesWhereTheLineEnded)
{
    TempDir dir;
    WriteText(dir.File("f"), "ab\ncdef");
    DskFile file;
    file.DskSetName(dir.File("f"));
    ASSERT_EQ(file.DskOpen(DskFile::kRead), 0);
    std::string line;
    ASSERT_EQ(file.DskReadLine(line), 0);
    EXPECT_EQ(line, "ab");
    char bytes[8] = {};
    std::int32_t count = 3;
    ASSERT_EQ(file.DskRead(bytes, count), 0);
    EXPECT_EQ(std::string(bytes, 3), "cde");
    EXPECT_EQ(file.DskReadLine(line), -7);
    EXPECT_EQ(line, "f");
    EXPECT_EQ(file.ErrorText(), "<ee=1,1,0>");
    EXPECT_EQ(file.OperationName(), "DskReadLine");
    count = 4;
    EXPECT_EQ(file.DskRead(bytes, count), -7);
    EXPECT_EQ(count, 0);
}

TEST(DskReadAhead, ReadLongerThanTheFetchedBytesReadsOnFromTheFile)
{
    TempDir dir;
    std::string text = "x\n";
    for (int i = 0; i < 10000; ++i)
        text += static_cast<char>('a' + i % 26);
    WriteText(dir.File("f"), text);
    DskFile file;
    file.DskSetName(dir.File("f"));
    ASSERT_EQ(file.DskOpen(DskFile::kRead), 0);
    std::string line;
    ASSERT_EQ(file.DskReadLine(line), 0);
    std::string rest(10000, '\0');
    std::int32_t count = 10000;
    ASSERT_EQ(file.DskRead(rest.data(), count), 0);
    EXPECT_EQ(rest, text.substr(2));
}

TEST(DskReadAhead, LinesAcrossFetchBoundariesAndReopening)
{
    TempDir dir;
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += std::to_string(i) + "\r\n";
    WriteText(dir.File("f"), text);
    DskFile file;
    file.DskSetName(dir.File("f"));
    // The second pass shows that opening again starts from the first line.
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_EQ(file.DskOpen(DskFile::kRead), 0);
        std::string line;
        for (int i = 0; i < 2000; ++i) {
            ASSERT_EQ(file.DskReadLine(line), 0);
            ASSERT_EQ(line, std::to_string(i));
        }
        EXPECT_EQ(file.DskReadLine(line), -7);
    }
}

}  // namespace
