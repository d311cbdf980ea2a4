#include "data/RecentFileList.h"
#include "data/ProfileFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(RecentFileList, NewestFirstNoDuplicatesAndEightAtMost)
{
    RecentFileList list;
    for (int i = 1; i <= 9; ++i)
        list.Add("/data/" + std::to_string(i) + ".spc");
    ASSERT_EQ(list.Files().size(), 8u);
    EXPECT_EQ(list.Files().front(), "/data/9.spc");
    EXPECT_EQ(list.Files().back(), "/data/2.spc");
    list.Add("/data/5.spc");
    EXPECT_EQ(list.Files().size(), 8u);
    EXPECT_EQ(list.Files()[0], "/data/5.spc");
    EXPECT_EQ(list.Files()[1], "/data/9.spc");
}

TEST(RecentFileList, SavedAsFileKeysAndReadBackUpToTheFirstGap)
{
    TempDir dir;
    ProfileFile profile(dir.File("TV7W.ini"));
    RecentFileList list;
    list.Add("/a.spc");
    list.Add("/b.spc");
    ASSERT_TRUE(list.Save(profile));
    EXPECT_EQ(profile.GetString("Recent File List", "File1", "?"), "/b.spc");
    EXPECT_EQ(profile.GetString("Recent File List", "File2", "?"), "/a.spc");
    EXPECT_EQ(profile.GetString("Recent File List", "File3", "?"), "");

    profile.WriteString("Recent File List", "File4", "/after-gap.spc");
    RecentFileList read;
    read.Load(profile);
    EXPECT_EQ(read.Files(), (std::vector<std::string>{"/b.spc", "/a.spc"}));
}

}  // namespace
