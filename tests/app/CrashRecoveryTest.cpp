#include "AppTestSupport.h"

#include "app/CMainChd.h"
#include "app/CMainFrm.h"
#include "app/CrashRecovery.h"
#include "data/CMainDoc.h"
#include "data/ProfileFile.h"

#include <QProcess>
#include <QTest>

#include <csignal>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* kChildVariable = "TV7W_RECOVERY_CHILD";

std::string Local(const QString& path)
{
    return path.toLocal8Bit().toStdString();
}

// The session folders under the recovery folder of the test's state folder.
std::vector<fs::path> Sessions(const std::string& state)
{
    std::vector<fs::path> sessions;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(state + "/TV7W/recovery", error))
        sessions.push_back(entry.path());
    return sessions;
}

void Edit(CMainDoc& document, int record, const char* comment)
{
    document.SetComment(record, comment);
    document.SetModifiedFlag();
}

class CrashRecoveryTest : public AppTest {
protected:
    CrashRecoveryTest() { WriteText(dir.File("TV7W.ini"), "[Settings]\r\nSplashscreen=0\r\n"); }

    std::string SessionFolder() { return app->Recovery()->SessionFolder(); }
    void CopyNow()
    {
        app->Recovery()->CopyChanges();
        app->Recovery()->Flush();
    }
    // A copy left by a run that crashed.
    void LeaveCopy(const std::string& session, int number, const std::string& note, const SpectrumFile& image)
    {
        const std::string folder = dir.File("TV7W/recovery/" + session);
        fs::create_directories(folder);
        WriteBytes(folder + "/" + std::to_string(number) + ".spc",
                   std::vector<std::uint8_t>(image.Bytes(), image.Bytes() + SpectrumFile::kSize));
        WriteText(folder + "/" + std::to_string(number) + ".note", note);
    }
};

}  // namespace

// Run by the test below in a process of its own, which it then kills: the
// real program edits a named and a new document and waits to be killed
// once their copies are on disk.
TEST(CrashRecoveryChild, EditsTwoDocumentsAndWaitsToBeKilled)
{
    const char* folder = std::getenv(kChildVariable);
    if (folder == nullptr)
        GTEST_SKIP() << "started by CrashRecoveryTest.AProgramKilledMidEditLosesNothing";
    const std::string state = folder;
    ::setenv("XDG_STATE_HOME", folder, 1);
    Profile().SetPath(state + "/TV7W.ini");
    ScriptedFileDialogs dialogs;
    CMainApp app({QString::fromStdString(state + "/hall.spc")}, &dialogs);
    ASSERT_TRUE(app.InitInstance());
    Edit(*app.Documents().Documents().front(), 4, "after the last save");
    Edit(*app.Documents().NewDocument(), 0, "never saved");

    const std::string session = app.Recovery()->SessionFolder();
    // Within 5 seconds of the change, and without anybody asking.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return FileExists(session + "/1.note") && FileExists(session + "/2.note"); }, 5000));
    WriteText(state + "/ready", session);
    QTest::qWait(60000);
    ADD_FAILURE() << "not killed";
}

TEST_F(CrashRecoveryTest, AProgramKilledMidEditLosesNothing)
{
    const QString hall = SampleFile("hall.spc");
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildVariable), QString::fromStdString(dir.Path()));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QStringLiteral("/proc/self/exe"),
                {QStringLiteral("--gtest_filter=CrashRecoveryChild.EditsTwoDocumentsAndWaitsToBeKilled")});
    ASSERT_TRUE(child.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return FileExists(dir.File("ready")) || child.state() != QProcess::Running; }, 60000));
    ASSERT_TRUE(FileExists(dir.File("ready"))) << "the child ended before its copies were made";
    const std::string killedSession = ReadText(dir.File("ready"));
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(ReadBytes(Local(hall)), std::vector<std::uint8_t>(SpectrumFile::kSize, 0));  // never saved

    QString question;
    WhenModalOpens([&](QWidget* box) {
        question = BoxText(box);
        PressButton(box, "Restore");
    });
    Start();
    EXPECT_EQ(question, QStringLiteral("TV7W ended without saving the changes to:\n\n%1\nuntitled.spc "
                                       "(never saved)\n\nRestore them? They open with their changes, which "
                                       "you can then save.")
                            .arg(hall));

    const std::vector<CMainDoc*> documents = app->Documents().Documents();
    ASSERT_EQ(documents.size(), 2u);
    std::string comment;
    EXPECT_EQ(documents[0]->GetPathName(), Local(hall));
    EXPECT_FALSE(documents[0]->NeedsName());
    EXPECT_TRUE(documents[0]->IsModified());
    documents[0]->GetComment(comment, 4, 1);
    EXPECT_EQ(comment.substr(0, 19), "after the last save");
    EXPECT_EQ(documents[1]->GetTitle(), "untitled.spc");
    EXPECT_TRUE(documents[1]->NeedsName());  // Save asks for a name
    EXPECT_TRUE(documents[1]->IsModified());
    documents[1]->GetComment(comment, 0, 1);
    EXPECT_EQ(comment.substr(0, 11), "never saved");
    EXPECT_EQ(app->Frame().windowTitle(), QStringLiteral("TV7W - untitled.spc"));
    EXPECT_TRUE(app->Frame().ActiveChild()->isWindowModified());

    // The killed run's copies are gone, and this run holds copies of its own.
    app->Recovery()->Flush();
    EXPECT_FALSE(fs::exists(killedSession));
    EXPECT_EQ(Sessions(dir.Path()), std::vector<fs::path>{SessionFolder()});
    EXPECT_TRUE(FileExists(SessionFolder() + "/1.note"));
    EXPECT_TRUE(FileExists(SessionFolder() + "/2.note"));
}

TEST_F(CrashRecoveryTest, ACopyFollowsTheChangesAndGoesWhenTheDocumentIsSavedOrClosed)
{
    Start({SampleFile("hall.spc")});
    CMainDoc& hall = *app->Documents().Documents().front();
    CopyNow();
    EXPECT_FALSE(FileExists(SessionFolder() + "/1.spc"));  // an unmodified document has no copy

    Edit(hall, 0, "first");
    CopyNow();
    const std::string copy = SessionFolder() + "/1.spc";
    EXPECT_EQ(ReadText(SessionFolder() + "/1.note"), "untitled=0\npath=" + hall.GetPathName() + "\n");
    Edit(hall, 0, "second");
    CopyNow();
    EXPECT_EQ(ReadBytes(copy), std::vector<std::uint8_t>(hall.Data().Bytes(), hall.Data().Bytes() + 5828));

    // Saving takes the copy away at once, without waiting for the next look.
    ASSERT_TRUE(app->Documents().Save(hall));
    app->Recovery()->Flush();
    EXPECT_FALSE(FileExists(copy));

    Edit(hall, 0, "third");
    CopyNow();
    ASSERT_TRUE(FileExists(SessionFolder() + "/2.spc"));
    WhenModalOpens([](QWidget* box) { PressButton(box, "&No"); });
    ASSERT_TRUE(app->Documents().Close(hall));
    app->Recovery()->Flush();
    EXPECT_FALSE(FileExists(SessionFolder() + "/2.spc"));
    EXPECT_FALSE(FileExists(SessionFolder() + "/2.note"));

    // A normal end leaves nothing behind.
    const std::string session = SessionFolder();
    app.reset();
    EXPECT_FALSE(fs::exists(session));
}

TEST_F(CrashRecoveryTest, LaterAsksAgainAtTheNextStartAndDiscardDeletesTheCopies)
{
    SpectrumFile image{};
    image.serialNumber.fill('7');
    LeaveCopy("100-1", 3, "untitled=0\npath=/data/hall.spc\n", image);
    WhenModalOpens([](QWidget* box) { PressButton(box, "Later"); });
    Start();
    EXPECT_TRUE(app->Documents().Documents().empty());
    app.reset();
    EXPECT_TRUE(FileExists(dir.File("TV7W/recovery/100-1/3.spc")));

    int asked = 0;
    WhenModalOpens([&](QWidget* box) {
        ++asked;
        PressButton(box, "Discard");
    });
    Start();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(app->Documents().Documents().empty());
    EXPECT_FALSE(fs::exists(dir.File("TV7W/recovery/100-1")));
    app.reset();

    // Nothing left to offer: the next start asks nothing.
    Start();
    EXPECT_EQ(asked, 1);
}
