#include "AppTestSupport.h"

#include "app/CAboutDlg.h"
#include "app/CMainFrm.h"
#include "app/COptionsDlg.h"
#include "app/CStartDlg.h"
#include "app/CommandIds.h"
#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"

#include <QCheckBox>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {

// ---- the start dialog --------------------------------------------------------

class StartDialogTest : public AppTest {
protected:
    StartDialogTest() { WriteText(dir.File("TV7W.ini"), "[Settings]\r\nSplashscreen=1\r\n"); }

    // Starts the program and acts on the start dialog; the result of InitInstance.
    bool StartWith(std::function<void(QWidget*)> onStartDialog)
    {
        Settings().Splashscreen = 1;
        WhenModalOpens(std::move(onStartDialog));
        app = std::make_unique<CMainApp>(CMainApp::Options{}, &dialogs);
        return app->InitInstance();
    }
};

TEST_F(StartDialogTest, TickingTheBoxAndUntickingItLeavesTheStartDialogOn)
{
    ASSERT_TRUE(StartWith([](QWidget* start) {
        auto* box = start->findChild<QCheckBox*>();
        box->click();
        box->click();
        PressButton(start, "OK");
    }));
    EXPECT_EQ(Settings().Splashscreen, 1);
    app->ExitInstance();
    EXPECT_EQ(Profile().GetInt("Settings", "Splashscreen", -1), 1);
}

TEST_F(StartDialogTest, ATickedBoxTurnsTheStartDialogOffAndExitStillSavesTheSettings)
{
    EXPECT_FALSE(StartWith([](QWidget* start) {
        start->findChild<QCheckBox*>()->click();
        PressButton(start, "Exit Program");
    }));
    app->ExitInstance();
    EXPECT_EQ(Profile().GetInt("Settings", "Splashscreen", -1), 0);
    EXPECT_TRUE(FileExists(dir.File("TV7W.ini")));
}

TEST_F(StartDialogTest, OpenWithCancelInTheFileDialogRunsOnWithoutADocument)
{
    EXPECT_TRUE(StartWith([](QWidget* start) { PressButton(start, "Open Spectrum Data File "); }));
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].title, "Open Spectrum Data File");
    EXPECT_EQ(dialogs.requests[0].filters, (QStringList{"Spectrum Data (.spc) (*.spc)", "All (*)"}));
    EXPECT_TRUE(app->Documents().Documents().empty());
}

TEST_F(StartDialogTest, AFileOnTheCommandLineOpensAndTheStartDialogStaysAway)
{
    Settings().Splashscreen = 1;
    app = std::make_unique<CMainApp>(CMainApp::Options{SampleFile("site.spc")}, &dialogs);
    ASSERT_TRUE(app->InitInstance());
    ASSERT_EQ(app->Documents().Documents().size(), 1u);
    EXPECT_EQ(app->Documents().Documents()[0]->GetTitle(), "site.spc");
}

TEST_F(AppTest, AFileOnTheCommandLineThatCannotBeOpenedEndsTheProgramAfterItsMessage)
{
    WriteText(dir.File("short.spc"), "not a spectrum file");
    app = std::make_unique<CMainApp>(CMainApp::Options{QString::fromStdString(dir.File("short.spc"))},
                                     &dialogs);
    QString message;
    WhenModalOpens([&](QWidget* box) {
        message = BoxText(box);
        PressButton(box, "OK");
    });
    EXPECT_FALSE(app->InitInstance());
    EXPECT_FALSE(message.isEmpty());
}

// ---- the command line ---------------------------------------------------------

TEST(CommandLine, OneFileAndDemoAreAcceptedAnythingElseIsRefused)
{
    QString error;
    auto options = CMainApp::ParseCommandLine({"--demo", "a.spc"}, error);
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->demo);
    EXPECT_EQ(options->file, "a.spc");
    EXPECT_FALSE(CMainApp::ParseCommandLine({"a.spc", "b.spc"}, error));
    EXPECT_FALSE(CMainApp::ParseCommandLine({"--print"}, error));
    EXPECT_EQ(error, "unknown option --print");
}

// ---- the open dialog remembers its folder ------------------------------------

TEST_F(AppTest, TheOpenDialogStartsInTheLastFolderAndStoresTheNewOneAtOnce)
{
    Start();
    Profile().WriteString("Settings", "InitDocDir", "/nowhere/");
    const QString file = SampleFile("hall.spc");
    dialogs.Answer(file);
    app->OpenDataFileDialog();
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].directory, "/nowhere/");
    EXPECT_EQ(Profile().GetString("Settings", "InitDocDir", ""), dir.Path() + "/");
    ASSERT_EQ(app->RecentFiles().Files().size(), 1u);
    EXPECT_EQ(app->RecentFiles().Files()[0], file.toStdString());
    app->ExitInstance();
    EXPECT_EQ(Profile().GetString("Recent File List", "File1", ""), file.toStdString());
}

TEST_F(AppTest, SettingsChangedDuringTheRunReachTheProfileAtExit)
{
    Start();
    Settings().Comdelay = 75;
    Settings().Plothdr = "Site survey";
    app->ExitInstance();
    EXPECT_EQ(Profile().GetInt("Settings", "Comdelay", 0), 75);
    EXPECT_EQ(Profile().GetString("Settings", "Plothdr", ""), "Site survey");
}

TEST_F(AppTest, ChangedSettingsAndRecentFilesReachTheProfileWhileTheProgramRuns)
{
    Start();
    // A file opened is on the list in the profile at once.
    const QString file = SampleFile("hall.spc");
    app->Documents().OpenDocumentFile(file);
    EXPECT_EQ(Profile().GetString("Recent File List", "File1", ""), file.toStdString());

    WhenModalOpens([](QWidget* modal) {
        auto* options = dynamic_cast<COptionsDlg*>(modal);
        ASSERT_NE(options, nullptr);
        options->SoundsBox()->setChecked(false);
        QTest::keyClick(options, Qt::Key_Escape);
    });
    app->Frame().Dispatch(CommandId::ProgramOptions);
    ASSERT_EQ(Settings().Sounds, 0);
    // Written within a second, with no normal exit to come.
    EXPECT_TRUE(QTest::qWaitFor([] { return Profile().GetInt("Settings", "Sounds", -1) == 0; }, 3000));
    EXPECT_EQ(Profile().GetInt("Settings", "Clipfmat", -1), 33);  // and every other key with it
}

// ---- About -------------------------------------------------------------------

TEST_F(AppTest, EscapeInTheAboutBoxShowsTheDisclaimerAndKeepsTheBoxOpen)
{
    Start();
    QString disclaimer;
    bool stillOpen = false;
    WhenModalOpens([&](QWidget* about) {
        WhenModalOpens([&](QWidget* box) {
            disclaimer = BoxText(box);
            PressButton(box, "OK");
            QTimer::singleShot(0, [&, about] {
                stillOpen = about->isVisible();
                PressButton(about, "OK");
            });
        });
        QTest::keyClick(about, Qt::Key_Escape);
    });
    app->Frame().Dispatch(CommandId::AppAbout);
    EXPECT_TRUE(disclaimer.startsWith("DISCLAIMER:\n"));
    EXPECT_TRUE(disclaimer.contains("LICENCE:\n"));
    EXPECT_TRUE(stillOpen);
}

// The package's copyright file states the licence the About box shows: each
// of its paragraphs stands word for word in the disclaimer text.
TEST(AboutBox, TheLicenceOfThePackagesCopyrightFileIsTheOneTheProgramShows)
{
    QFile copyright(QStringLiteral(TV7W_COPYRIGHT_FILE));
    ASSERT_TRUE(copyright.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(copyright.readAll()).split(QLatin1Char('\n'));
    const qsizetype first = lines.indexOf(QStringLiteral("License: TV7W")) + 1;
    ASSERT_GT(first, 0);
    QStringList paragraphs{QString()};
    for (qsizetype i = first; i < lines.size() && lines[i].startsWith(QLatin1Char(' ')); ++i) {
        if (lines[i] == QStringLiteral(" ."))
            paragraphs.append(QString());
        else
            paragraphs.last() += lines[i];
    }
    const auto words = [](QString text) {
        return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")).trimmed();
    };
    const QString shown = words(QString::fromLatin1(CAboutDlg::DisclaimerText().c_str()));
    ASSERT_EQ(paragraphs.size(), 3);
    for (const QString& paragraph : paragraphs)
        EXPECT_TRUE(shown.contains(words(paragraph))) << paragraph.toStdString();
}

}  // namespace
