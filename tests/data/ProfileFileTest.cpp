#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "data/WindowPosition.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

class Profiles : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.File("TV7W.ini");
    ProfileFile profile{path};
};

TEST_F(Profiles, ReadsLikeThePlatform)
{
    WriteText(path, "[Recent File List]\r\nFile1=/a/b.spc\r\n"
                    "[settings]\r\n"
                    "  COMPORT = 3 \r\n"
                    "Comdelay=-17\r\n"
                    "Clipbmpdx=12abc\r\n"
                    "Clipbmpdy=abc\r\n"
                    "Plotbkgdbmpdx=  +42\r\n"
                    "Plothdr=\"quoted\"\r\n"
                    "Plotbkgdbmp=\"\"\r\n"
                    "Plotfont=\r\n"
                    "Comdelay=99\r\n"
                    "garbage line \x01\x02\xff\r\n");
    EXPECT_EQ(profile.GetInt("Settings", "Comport", 1), 3);
    EXPECT_EQ(profile.GetInt("Settings", "Comdelay", 50), -17) << "the first of duplicate keys counts";
    EXPECT_EQ(profile.GetInt("Settings", "Clipbmpdx", 800), 12);
    EXPECT_EQ(profile.GetInt("Settings", "Clipbmpdy", 600), 600);
    EXPECT_EQ(profile.GetInt("Settings", "Plotbkgdbmpdx", 20), 42);
    EXPECT_EQ(profile.GetInt("Settings", "Missing", 7), 7);
    EXPECT_EQ(profile.GetString("Settings", "Plothdr", "x"), "quoted");
    EXPECT_EQ(profile.GetString("Settings", "Plotbkgdbmp", "x"), "");
    EXPECT_EQ(profile.GetString("Settings", "Plotfont", "Arial,16400"), "");
    EXPECT_EQ(profile.GetString("Recent File List", "file1", ""), "/a/b.spc");
}

TEST_F(Profiles, WritesKeepEverythingElse)
{
    WriteText(path, "; a comment\r\n[Recent File List]\r\nFile1=/a/b.spc\r\n\r\n[Settings]\r\nComport=3\r\n");
    ASSERT_TRUE(profile.WriteInt("Settings", "comport", -1));
    ASSERT_TRUE(profile.WriteString("Settings", "InitDocDir", "/data/"));
    ASSERT_TRUE(profile.WriteString("Ports", "COM1", "/dev/ttyUSB0"));
    EXPECT_EQ(ReadText(path), "; a comment\r\n[Recent File List]\r\nFile1=/a/b.spc\r\n\r\n[Settings]\r\n"
                              "comport=-1\r\nInitDocDir=/data/\r\n\r\n[Ports]\r\nCOM1=/dev/ttyUSB0\r\n");
    EXPECT_EQ(profile.GetInt("Settings", "Comport", 1), -1);
}

TEST_F(Profiles, LongTextsAreCutAt255)
{
    WriteText(path, "[Settings]\nPlothdr=" + std::string(5000, 'h') + "\n");
    EXPECT_EQ(profile.GetString("Settings", "Plothdr", ""), std::string(255, 'h'));
    profile.WriteString("Settings", "Plotfont", std::string(300, 'f'));
    EXPECT_EQ(profile.GetString("Settings", "Plotfont", ""), std::string(255, 'f'));
}

TEST(ProfileDevices, ADeviceReadsAsAnEmptyFileAndIsNeverWritten)
{
    ::alarm(10);  // reading /dev/zero to its end ends the test program instead of hanging it
    ProfileFile zero("/dev/zero");
    EXPECT_EQ(zero.GetInt("Settings", "Comport", 1), 1);
    EXPECT_EQ(zero.GetString("Settings", "Plothdr", "x"), "x");
    ::alarm(0);
    TempDir dir;
    ASSERT_EQ(::symlink("/dev/null", dir.File("TV7W.ini").c_str()), 0);
    ProfileFile null(dir.File("TV7W.ini"));
    EXPECT_FALSE(null.WriteInt("Settings", "Comport", 2));
    struct stat info {};
    ASSERT_EQ(::lstat(dir.File("TV7W.ini").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
}

TEST_F(Profiles, WritingCreatesTheFolders)
{
    ProfileFile nested(dir.File("config/TV7W/TV7W.ini"));
    ASSERT_TRUE(nested.WriteInt("Settings", "DlgTV7Pos", 0x00640032));
    EXPECT_EQ(ReadText(dir.File("config/TV7W/TV7W.ini")), "[Settings]\r\nDlgTV7Pos=6553650\r\n");
}

TEST(DefaultProfilePath, FollowsXdgConfigHome)
{
    const ScopedEnvironment home("HOME", "/home/u");
    {
        const ScopedEnvironment config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(DefaultProfilePath(), "/cfg/TV7W/TV7W.ini");
    }
    {
        const ScopedEnvironment config("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(DefaultProfilePath(), "/home/u/.config/TV7W/TV7W.ini");
    }
    // A relative base folder is not one.
    const ScopedEnvironment config("XDG_CONFIG_HOME", "cfg");
    EXPECT_EQ(DefaultProfilePath(), "/home/u/.config/TV7W/TV7W.ini");
}

// ---- settings ------------------------------------------------------------------------

TEST_F(Profiles, FirstStartHasTheDefaultsAndTheFirstExitWritesEveryKey)
{
    ProgramSettings settings;
    settings.Comport = 5;
    settings.LoadSettings(profile);
    EXPECT_EQ(settings.Comport, 1);
    EXPECT_EQ(settings.Plothdr, "HALDEN ELECTRICS - TALVEK 7");
    settings.SaveSettings(profile);
    EXPECT_EQ(ReadText(path),
              "[Settings]\r\n"
              "Comport=1\r\nComdelay=50\r\nSplashscreen=1\r\nTooltips=1\r\nSounds=1\r\n"
              "Draw2db=1\r\nDrawjoined=0\r\nDrawmulti=0\r\nDrawdpoint=1\r\nClipfiesep=9\r\n"
              "Cliprecsep=14\r\nClipfmat=33\r\nClipround=1\r\nClipbmpdx=800\r\nClipbmpdy=600\r\n"
              "Plotfont=Arial,16400\r\nPlotuserbmp=\r\nPlotuserbmpx=85\r\nPlotuserbmpy=70\r\n"
              "Plotuserbmpdx=10\r\nPlotuserbmpdy=10\r\nPlotbkgdbmp=\r\nPlotbkgdbmpx=40\r\n"
              "Plotbkgdbmpy=40\r\nPlotbkgdbmpdx=20\r\nPlotbkgdbmpdy=8\r\nPlotgronly=0\r\n"
              "Plotgrey=0\r\nPlothdr=HALDEN ELECTRICS - TALVEK 7\r\nPlothdrfont=Arial,20700\r\n"
              "Journal=1\r\nPrintresults=0\r\n");
}

TEST_F(Profiles, SettingsRoundTrip)
{
    WriteText(path, "[Settings]\nSounds=2\nTooltips=3\nClipfmat=5\nComport=12\nPlotbkgdbmpdx=-1\n");
    ProgramSettings settings;
    settings.LoadSettings(profile);
    EXPECT_EQ(settings.Sounds, 0);
    EXPECT_EQ(settings.Tooltips, 1);
    EXPECT_EQ(settings.Clipfmat, 5);
    EXPECT_EQ(settings.Comport, 12);
    EXPECT_EQ(settings.Plotbkgdbmpdx, -1);
    settings.Clipfiesep = 44;
    settings.Cliprecsep = 14;
    settings.Plothdr = "";
    settings.Splashscreen = 0;
    settings.Journal = 0;
    settings.SaveSettings(profile);

    ProgramSettings again;
    again.LoadSettings(profile);
    EXPECT_EQ(again.Clipfmat, 5);
    EXPECT_EQ(again.Comport, 12);
    EXPECT_EQ(again.Plotbkgdbmpdx, -1);
    EXPECT_EQ(again.Clipfiesep, 44);
    EXPECT_EQ(again.Cliprecsep, 14);
    EXPECT_EQ(again.Plothdr, "") << "an empty text is not the default";
    EXPECT_EQ(again.Splashscreen, 0);
    EXPECT_EQ(again.Journal, 0);
}

TEST_F(Profiles, GarbageGivesDefaultsAndOtherSectionsSurviveTheNextSave)
{
    WriteText(path, std::string("\x00\xff[[[\n=\n[Settings\nComport==\n", 25) + std::string(100000, 'z') +
                        "\n[Recent File List]\nFile1=/x.spc\n");
    ProgramSettings settings;
    settings.LoadSettings(profile);
    EXPECT_EQ(settings.Comport, 1);
    settings.SaveSettings(profile);
    EXPECT_EQ(profile.GetString("Recent File List", "File1", ""), "/x.spc");
    EXPECT_EQ(profile.GetInt("Settings", "Clipbmpdx", 0), 800);
}

TEST_F(Profiles, MigrateMovesANonEmptyProfileFromBesideTheProgram)
{
    const std::string program = dir.File("bin/tv7w");
    const std::string besides = dir.File("bin/TV7W.ini");
    const std::string target = dir.File("config/TV7W/TV7W.ini");
    ::mkdir(dir.File("bin").c_str(), 0777);
    WriteText(besides, "");
    MigrateProfile(program, target);
    EXPECT_TRUE(FileExists(besides));
    EXPECT_FALSE(FileExists(target));

    WriteText(besides, "[Settings]\nComport=2\n");
    MigrateProfile(program, target);
    EXPECT_FALSE(FileExists(besides));
    EXPECT_EQ(ReadText(target), "[Settings]\nComport=2\n");
}

TEST_F(Profiles, MigrationNeverRemovesTheOnlyProfile)
{
    // The program installed in the settings folder: the file beside it is the target.
    const std::string folder = dir.File("config/TV7W/");
    const std::string target = folder + "TV7W.ini";
    ::mkdir(dir.File("config").c_str(), 0777);
    ::mkdir(folder.c_str(), 0777);
    WriteText(target, "[Settings]\nComport=4\n");
    MigrateProfile(folder + "tv7w", target);
    EXPECT_EQ(ReadText(target), "[Settings]\nComport=4\n");

    // A link beside the program that leads to the target.
    ::mkdir(dir.File("bin").c_str(), 0777);
    ASSERT_EQ(::symlink(target.c_str(), dir.File("bin/TV7W.ini").c_str()), 0);
    MigrateProfile(dir.File("bin/tv7w"), target);
    EXPECT_EQ(ReadText(target), "[Settings]\nComport=4\n");

    // A source that cannot be read leaves the target as it was.
    ::unlink(dir.File("bin/TV7W.ini").c_str());
    WriteText(dir.File("bin/TV7W.ini"), "[Settings]\nComport=5\n");
    ::chmod(dir.File("bin/TV7W.ini").c_str(), 0);
    if (::access(dir.File("bin/TV7W.ini").c_str(), R_OK) != 0) {
        MigrateProfile(dir.File("bin/tv7w"), target);
        EXPECT_EQ(ReadText(target), "[Settings]\nComport=4\n");
    }
    ::chmod(dir.File("bin/TV7W.ini").c_str(), 0644);
    MigrateProfile(dir.File("bin/tv7w"), target);
    EXPECT_EQ(ReadText(target), "[Settings]\nComport=5\n");
    EXPECT_FALSE(FileExists(dir.File("bin/TV7W.ini")));
}

TEST_F(Profiles, ValuesNeverCarryLineBreaksIntoTheFile)
{
    ASSERT_TRUE(profile.WriteString("Settings", "Plothdr", "first\r\n[Ports]\nCOM1=/dev/evil\rend"));
    EXPECT_EQ(ReadText(path), "[Settings]\r\nPlothdr=first [Ports] COM1=/dev/evil end\r\n");
    EXPECT_EQ(profile.GetString("Ports", "COM1", "none"), "none");
}

TEST(WindowPositions, PackAndRestoreWithTwelveBitMasks)
{
    EXPECT_EQ(PackWindowPosition(50, 100), 0x00640032);
    const WindowPosition restored = UnpackWindowPosition(0x00640032, 1920, 1080);
    EXPECT_EQ(restored.x, 50);
    EXPECT_EQ(restored.y, 100);
    const WindowPosition beyond = UnpackWindowPosition(PackWindowPosition(1500, 900), 1024, 768);
    EXPECT_EQ(beyond.x, 0);
    EXPECT_EQ(beyond.y, 0);
    const WindowPosition masked = UnpackWindowPosition(PackWindowPosition(0x1010, 0x2020), 5000, 5000);
    EXPECT_EQ(masked.x, 0x010);
    EXPECT_EQ(masked.y, 0x020);
    EXPECT_EQ(UnpackWindowPosition(0, 800, 600).x, 0);
}
