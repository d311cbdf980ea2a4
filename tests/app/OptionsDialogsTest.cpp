// Program Options (lists, leaving always stores, the port and its device,
// Test against a missing device and against the simulator) and Printing
// Options (a scripted font chooser, the bitmap name checks, the save order).

#include "AnalyserTestSupport.h"

#include "app/CMainFrm.h"
#include "app/COptionsDlg.h"
#include "app/PrintingOptionsDialog.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "link/CCommsDlg.h"
#include "plot/FontChooser.h"
#include "plot/LogFontRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <filesystem>

namespace {

TEST_F(AnalyserTest, ProgramOptionsStoreWhatTheyShowWhicheverWayTheyAreLeft)
{
    StartWithAnalyser();
    Settings().Clipfiesep = 0x0E;  // CR-LF is for records only
    Settings().Comport = 9;
    COptionsDlg dialog(app->Services().comms, app->Ui(), &app->Frame());
    EXPECT_EQ(dialog.FieldSeparatorList()->currentText(), "space");
    EXPECT_EQ(dialog.RecordSeparatorList()->currentText(), "CR-LF");
    EXPECT_EQ(dialog.RecordFormatList()->currentText(), "dB+3text");
    EXPECT_EQ(dialog.PortList()->currentText(), "1");
    EXPECT_EQ(dialog.DeviceBox()->currentText(), "/dev/ttyS0");
    EXPECT_EQ(dialog.WidthBox()->value(), 800);
    EXPECT_EQ(dialog.WidthBox()->minimum(), 1);  // integers only, at least one pixel

    dialog.FieldSeparatorList()->setCurrentText("comma");
    dialog.SoundsBox()->setChecked(false);
    dialog.HeightBox()->setValue(345);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Settings().Clipfiesep, 0x2C);
    EXPECT_EQ(Settings().Sounds, 0);
    EXPECT_EQ(Settings().Clipbmpdy, 345);
    EXPECT_EQ(Settings().Comport, 1);
}

TEST_F(AnalyserTest, TestingAPortTellsWhatIsBehindIt)
{
    StartWithAnalyser();
    CCommsDlg& comms = app->Services().comms;
    comms.Link().SetDevicePath({});  // the port's device from the profile, as a user has it
    COptionsDlg dialog(comms, app->Ui(), &app->Frame());
    dialog.PortList()->setCurrentIndex(2);
    EXPECT_EQ(dialog.DeviceBox()->currentText(), "/dev/ttyS2");

    QStringList messages;
    const auto answer = [&](QWidget* box) {
        messages << BoxText(box);
        PressButton(box, "OK");
    };
    dialog.DeviceBox()->setCurrentText(QString::fromStdString(dir.File("no-such-device")));
    WhenModalOpens(answer);
    QTest::mouseClick(dialog.TestButton(), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{"COM port not found"});
    EXPECT_EQ(Settings().Comport, 3);  // stored at once
    EXPECT_EQ(Profile().GetString(ProfileKeys::kPorts, "COM3", ""), dir.File("no-such-device"));

    messages.clear();
    dialog.DeviceBox()->setCurrentText(QString::fromStdString(simulator.DevicePath()));
    WhenModalOpens(answer);
    QTest::mouseClick(dialog.TestButton(), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{"Port is Available"});
    EXPECT_FALSE(comms.IsPortOpen());
    EXPECT_TRUE(simulator.Received().empty());  // the test only opens and closes the port
    EXPECT_EQ(Profile().GetString(ProfileKeys::kPorts, "COM3", ""), simulator.DevicePath());
}

TEST_F(AppTest, InADemoRunTheOptionsSayTheAnalyserIsSimulatedAndLeaveThePortsAlone)
{
    Start({.file = {}, .demo = true});
    CCommsDlg& comms = app->Services().comms;
    COptionsDlg dialog(comms, app->Ui(), &app->Frame(), true);
    dialog.PortList()->setCurrentIndex(2);
    EXPECT_FALSE(dialog.DeviceBox()->isEnabled());
    EXPECT_EQ(dialog.DeviceBox()->currentText(),
              QString::fromStdString("simulated analyser (" + comms.Link().DevicePath() + ")"));
    QStringList messages;
    WhenModalOpens([&](QWidget* box) {
        messages << BoxText(box);
        PressButton(box, "OK");
    });
    QTest::mouseClick(dialog.TestButton(), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{"Port is Available"});
    dialog.accept();
    EXPECT_EQ(Settings().Comport, 3);
    EXPECT_EQ(Profile().GetString(ProfileKeys::kPorts, "COM3", "unset"), "unset");
}

// Picks the fonts it is given, in turn; cancels when none is left.
class ScriptedFontChooser : public FontChooser {
public:
    bool ChooseFont(LogFontRecord& logFont, bool startFromLogFont) override
    {
        starts.push_back(startFromLogFont ? logFont.lfFaceName : std::string());
        if (picks.empty())
            return false;
        logFont = picks.front();
        picks.erase(picks.begin());
        return true;
    }
    std::vector<LogFontRecord> picks;
    std::vector<std::string> starts;
};

TEST_F(AnalyserTest, PrintingOptionsTakeAPickedFontAtOnceAndCheckTheBitmapNames)
{
    Start();
    ScriptedFontChooser fonts;
    LogFontRecord bold;
    bold.lfFaceName = "Arial";
    bold.lfHeight = -16;  // 12 points on the screen
    bold.lfWeight = 700;
    bold.lfItalic = 1;
    bold.lfUnderline = 1;
    fonts.picks.push_back(bold);
    PrintingOptionsDialog dialog(app->Ui(), dialogs, fonts, &app->Frame());
    EXPECT_EQ(dialog.MainFontLabel()->text(), "Arial (16pt)");
    EXPECT_EQ(dialog.HeaderFontLabel()->text(), "Arial (20pt)");

    QTest::mouseClick(dialog.MainFontButton(), Qt::LeftButton);
    EXPECT_EQ(fonts.starts, std::vector<std::string>{"Arial"});
    EXPECT_EQ(Settings().Plotfont, "Arial,12703");
    EXPECT_EQ(dialog.MainFontLabel()->text(), "Arial (12pt)");
    QTest::mouseClick(dialog.HeaderFontButton(), Qt::LeftButton);  // cancelled
    EXPECT_EQ(Settings().Plothdrfont, "Arial,20700");

    // A missing logo accepted with No, a missing background sent back with
    // Yes: the dialog stays open and nothing is saved yet.
    dialog.show();
    dialog.LogoName()->setText(QString::fromStdString(dir.File("missing-logo.bmp")));
    dialog.BackgroundName()->setText(QString::fromStdString(dir.File("missing-background.bmp")));
    dialog.LogoX()->setValue(33);
    QStringList questions;
    WhenModalOpens([&](QWidget* box) {
        questions << BoxText(box);
        PressButton(box, "&No");
        WhenModalOpens([&](QWidget* second) {
            questions << BoxText(second);
            PressButton(second, "&Yes");
        });
    });
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(questions, (QStringList{QString::fromStdString(dir.File("missing-logo.bmp")) +
                                          "\nIs not a valid file or does not exist, retry?",
                                      QString::fromStdString(dir.File("missing-background.bmp")) +
                                          "\nIs not a valid file or does not exist, retry?"}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Settings().Plotuserbmpx, 85);
    EXPECT_EQ(Settings().Plotuserbmp, "");

    // "none" needs no file.
    dialog.BackgroundName()->setText("NONE");
    WhenModalOpens([&](QWidget* box) { PressButton(box, "&No"); });
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Settings().Plotuserbmpx, 33);
    EXPECT_EQ(Settings().Plotbkgdbmp, "NONE");
    EXPECT_EQ(Settings().Plotuserbmp, dir.File("missing-logo.bmp"));
}

TEST_F(AnalyserTest, BrowsingWithoutANameStartsInPicturesElseAtHome)
{
    Start();
    ScriptedFontChooser fonts;
    PrintingOptionsDialog dialog(app->Ui(), dialogs, fonts, &app->Frame());
    const std::string home = dir.File("home");
    std::filesystem::create_directories(home);
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.c_str());
    QTest::mouseClick(dialog.LogoBrowse(), Qt::LeftButton);
    std::filesystem::create_directories(home + "/Pictures");
    QTest::mouseClick(dialog.BackgroundBrowse(), Qt::LeftButton);
    qputenv("HOME", oldHome);
    ASSERT_EQ(dialogs.requests.size(), 2u);
    EXPECT_EQ(dialogs.requests[0].directory, QString::fromStdString(home));
    EXPECT_EQ(dialogs.requests[1].directory, QString::fromStdString(home + "/Pictures"));
    EXPECT_EQ(dialog.LogoName()->text(), "");  // cancelled: nothing changes
}

TEST_F(AnalyserTest, BrowsingForABitmapAsksAgainForAMissingFile)
{
    Start();
    ScriptedFontChooser fonts;
    PrintingOptionsDialog dialog(app->Ui(), dialogs, fonts, &app->Frame());
    const std::string existing = dir.File("logo.bmp");
    WriteText(existing, "BM");
    dialogs.Answer(QString::fromStdString(dir.File("gone.bmp")));
    dialogs.Answer(QString::fromStdString(existing));
    WhenModalOpens([&](QWidget* box) {
        EXPECT_EQ(BoxText(box), "No such file, retry?");
        PressButton(box, "&Yes");
    });
    QTest::mouseClick(dialog.LogoBrowse(), Qt::LeftButton);
    ASSERT_EQ(dialogs.requests.size(), 2u);
    EXPECT_EQ(dialogs.requests[1].directory, QString::fromStdString(dir.Path()));
    EXPECT_EQ(dialog.LogoName()->text(), QString::fromStdString(existing));
}

}  // namespace
