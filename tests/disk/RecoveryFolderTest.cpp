#include "disk/RecoveryFolder.h"
#include "disk/RecoveryWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::vector<std::uint8_t> kImage(5828, 0x5A);

std::vector<std::string> SessionFolders(const std::string& root)
{
    std::vector<std::string> folders;
    for (const auto& entry : fs::directory_iterator(root))
        folders.push_back(entry.path().filename().string());
    return folders;
}

// What a run that was killed leaves: a session folder nobody locks.
std::string CrashedSession(const std::string& root, const std::string& name)
{
    const std::string folder = root + "/" + name;
    fs::create_directories(folder);
    return folder;
}

void PutCopy(const std::string& folder, int number, const std::string& note)
{
    WriteBytes(folder + "/" + std::to_string(number) + ".spc", kImage);
    WriteText(folder + "/" + std::to_string(number) + ".note", note);
}

}  // namespace

TEST(RecoveryNote, KeepsAnyPathWholeAndRefusesWhatIsNotANote)
{
    const RecoveryNote odd{"/home/ann/two\nlines =path=.spc", false};
    EXPECT_EQ(FormatRecoveryNote(odd), "untitled=0\npath=/home/ann/two\nlines =path=.spc\n");
    EXPECT_EQ(ParseRecoveryNote(FormatRecoveryNote(odd)), odd);
    const RecoveryNote untitled{"/data/untitled.spc", true};
    EXPECT_EQ(ParseRecoveryNote(FormatRecoveryNote(untitled)), untitled);

    EXPECT_EQ(ParseRecoveryNote("untitled=0\npath=x\n")->path, "x");  // the shortest path
    EXPECT_FALSE(ParseRecoveryNote("untitled=0\npath=\n"));           // an empty one
    EXPECT_FALSE(ParseRecoveryNote("untitled=0\npath=/a.spc"));       // cut before its end
    EXPECT_FALSE(ParseRecoveryNote("untitled=2\npath=/a.spc\n"));
    EXPECT_FALSE(ParseRecoveryNote("path=/a.spc\nuntitled=0\n"));
    EXPECT_FALSE(ParseRecoveryNote(""));
}

TEST(RecoverySession, WritesAndRemovesCopiesAndLeavesNothingWhenItEnds)
{
    TempDir dir;
    const std::string root = dir.File("state/TV7W/recovery");
    std::string folder;
    {
        RecoverySession session(root);
        ASSERT_TRUE(session.IsOpen()) << session.Error();
        folder = session.Folder();
        EXPECT_EQ(fs::path(folder).parent_path(), fs::path(root));
        EXPECT_EQ(fs::status(root).permissions() & fs::perms::all, fs::perms::owner_all);

        std::string error;
        ASSERT_TRUE(session.Write(7, {"/home/ann/hall.spc", false}, kImage.data(), kImage.size(), error));
        EXPECT_EQ(ReadBytes(folder + "/7.spc"), kImage);
        EXPECT_EQ(ReadText(folder + "/7.note"), "untitled=0\npath=/home/ann/hall.spc\n");

        // A running program's copies are not for others to take.
        AbandonedCopies others(root);
        EXPECT_TRUE(others.Copies().empty());

        session.Remove(7);
        EXPECT_FALSE(FileExists(folder + "/7.spc"));
        EXPECT_FALSE(FileExists(folder + "/7.note"));
    }
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(SessionFolders(root).empty());
}

TEST(RecoverySession, ReportsAFolderItCannotMake)
{
    TempDir dir;
    WriteText(dir.File("state"), "a file where the folder should be");
    RecoverySession session(dir.File("state/TV7W/recovery"));
    EXPECT_FALSE(session.IsOpen());
    EXPECT_FALSE(session.Error().empty());
    std::string error;
    EXPECT_FALSE(session.Write(1, {"/a.spc", false}, kImage.data(), kImage.size(), error));
    EXPECT_EQ(error, session.Error());
}

TEST(AbandonedCopies, ListsWholeCopiesOfCrashedRunsInOrderAndKeepsThemUntilDiscarded)
{
    TempDir dir;
    const std::string root = dir.File("recovery");
    const std::string first = CrashedSession(root, "100-1");
    PutCopy(first, 10, "untitled=0\npath=/data/ten.spc\n");
    PutCopy(first, 2, "untitled=1\npath=/data/untitled.spc\n");
    WriteBytes(first + "/3.spc", kImage);                            // written, but its note never came
    WriteText(first + "/4.note", "untitled=0\npath=/data/4.spc\n");  // a note without its copy
    PutCopy(first, 5, "not a note");
    const std::string second = CrashedSession(root, "200-1");
    PutCopy(second, 1, "untitled=0\npath=/data/one.spc\n");
    const std::string empty = CrashedSession(root, "300-1");
    const std::string starting = CrashedSession(root, ".400-1");  // a session still being made
    PutCopy(starting, 1, "untitled=0\npath=/data/hidden.spc\n");

    {
        AbandonedCopies abandoned(root);
        ASSERT_EQ(abandoned.Copies().size(), 3u);
        EXPECT_EQ(abandoned.Copies()[0].file, first + "/2.spc");
        EXPECT_EQ(abandoned.Copies()[0].note, (RecoveryNote{"/data/untitled.spc", true}));
        EXPECT_EQ(abandoned.Copies()[1].file, first + "/10.spc");
        EXPECT_EQ(abandoned.Copies()[2].note.path, "/data/one.spc");
        EXPECT_FALSE(fs::exists(empty));  // nothing to offer: tidied away

        // Locked while offered: a second program starting now finds nothing.
        EXPECT_TRUE(AbandonedCopies(root).Copies().empty());
    }
    // Not discarded: offered again at the next start.
    AbandonedCopies again(root);
    EXPECT_EQ(again.Copies().size(), 3u);
    again.Discard();
    EXPECT_TRUE(again.Copies().empty());
    EXPECT_FALSE(fs::exists(first));
    EXPECT_FALSE(fs::exists(second));
    EXPECT_TRUE(fs::exists(starting));
}

TEST(RecoveryWriter, TheLastJobForACopyWins)
{
    TempDir dir;
    RecoverySession session(dir.File("recovery"));
    const std::string folder = session.Folder();
    {
        RecoveryWriter writer(session);
        writer.Write(1, {"/a.spc", false}, kImage);
        writer.Remove(1);
        writer.Remove(2);
        writer.Write(2, {"/b.spc", true}, std::vector<std::uint8_t>(5828, 1));
        writer.Write(3, {"/c.spc", false}, kImage);
        writer.Flush();
        EXPECT_FALSE(FileExists(folder + "/1.spc"));
        EXPECT_EQ(ReadText(folder + "/2.note"), "untitled=1\npath=/b.spc\n");
        EXPECT_EQ(ReadBytes(folder + "/2.spc"), std::vector<std::uint8_t>(5828, 1));
        EXPECT_TRUE(writer.TakeError().empty());
        writer.Remove(3);
    }
    // Jobs still waiting are carried out before the writer ends.
    EXPECT_FALSE(FileExists(folder + "/3.spc"));
    EXPECT_TRUE(FileExists(folder + "/2.spc"));
}

TEST(RecoveryWriter, ReportsTheFirstFailureOnce)
{
    TempDir dir;
    RecoverySession session(dir.File("recovery"));
    RecoveryWriter writer(session);
    fs::remove_all(session.Folder());
    writer.Write(1, {"/a.spc", false}, kImage);
    writer.Write(2, {"/b.spc", false}, kImage);
    writer.Flush();
    EXPECT_FALSE(writer.TakeError().empty());
    EXPECT_TRUE(writer.TakeError().empty());
}
