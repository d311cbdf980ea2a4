// Copies of unsaved documents at their edges: a session folder of a crashed
// run may hold files the program did not write there (a user's backup, an
// editor's copy), of which only its own numbered copies are offered; and of
// several failed writes the user hears of the first, which names the cause.

#include "disk/RecoveryFolder.h"
#include "disk/RecoveryWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

void PutCopy(const std::string& folder, const std::string& stem)
{
    WriteBytes(folder + "/" + stem + ".spc", std::vector<std::uint8_t>(5828, 0x5A));
    WriteText(folder + "/" + stem + ".note", "untitled=0\npath=/data/" + stem + ".spc\n");
}

TEST(AbandonedCopies, FilesWithNamesThatAreNotNumbersAreLeftOut)
{
    TempDir dir;
    const std::string root = dir.File("recovery");
    const std::string session = root + "/100-1";
    std::filesystem::create_directories(session);
    PutCopy(session, "7");
    PutCopy(session, "999999999");  // the most digits a number may have
    for (const char* stray : {"backup", "7a", "-7", "+7", " 7", "", "1234567890", "99999999999999999999"})
        PutCopy(session, stray);

    AbandonedCopies abandoned(root);
    ASSERT_EQ(abandoned.Copies().size(), 2u);
    EXPECT_EQ(abandoned.Copies()[0].file, session + "/7.spc");
    EXPECT_EQ(abandoned.Copies()[1].file, session + "/999999999.spc");
}

TEST(RecoveryWriter, KeepsTheFirstOfSeveralFailures)
{
    TempDir dir;
    RecoverySession session(dir.File("recovery"));
    RecoveryWriter writer(session);
    const std::vector<std::uint8_t> image(5828, 0x5A);
    std::filesystem::remove_all(session.Folder());
    writer.Write(1, {"/a.spc", false}, image);
    writer.Flush();
    // The folder is back, but a folder stands where the next copy goes.
    std::filesystem::create_directories(session.Folder() + "/2.spc/in the way");
    writer.Write(2, {"/b.spc", false}, image);
    writer.Flush();
    const std::string error = writer.TakeError();
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
    EXPECT_TRUE(writer.TakeError().empty());
}

}  // namespace
