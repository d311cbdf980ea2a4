#include "data/SettingsKeeper.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "data/RecentFileList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsKeeper, WritesWhatChangedSinceItWasLastWrittenAndNothingElse)
{
    TempDir dir;
    ProfileFile profile(dir.File("TV7W.ini"));
    ProgramSettings settings;
    RecentFileList recent;
    SettingsKeeper keeper(settings, recent);
    keeper.WriteChanges(profile);
    EXPECT_FALSE(FileExists(profile.Path()));

    settings.Sounds = 0;
    keeper.WriteChanges(profile);
    EXPECT_EQ(profile.GetInt("Settings", "Sounds", -1), 0);
    EXPECT_EQ(profile.GetString("Settings", "Plotfont", ""), "Arial,16400");
    EXPECT_EQ(profile.GetString("Recent File List", "File1", "none"), "none");

    // Written once: a change made by hand since then stays until the next change.
    profile.WriteInt("Settings", "Sounds", 1);
    keeper.WriteChanges(profile);
    EXPECT_EQ(profile.GetInt("Settings", "Sounds", -1), 1);

    recent.Add("/data/hall.spc");
    keeper.WriteChanges(profile);
    EXPECT_EQ(profile.GetString("Recent File List", "File1", ""), "/data/hall.spc");
    EXPECT_EQ(profile.GetInt("Settings", "Sounds", -1), 1);

    // At exit everything is written, changed or not.
    keeper.WriteAll(profile);
    EXPECT_EQ(profile.GetInt("Settings", "Sounds", -1), 0);
}

}  // namespace
