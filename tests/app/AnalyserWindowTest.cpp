// The analyser window over a simulated analyser: hover help and cursor at
// the keys' edges, clicks to wire bytes, Refresh that works and that fails.

#include "AnalyserTestSupport.h"

#include "app/AnalyserCommands.h"
#include "app/AnalyserWindow.h"
#include "app/CMainFrm.h"
#include "app/CommandIds.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "link/CCommsDlg.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

namespace {

std::vector<std::uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

// The mouse moving over the window (the offscreen platform has no pointer to move).
void MoveMouse(QWidget& window, QPoint point)
{
    QMouseEvent move(QEvent::MouseMove, point, window.mapToGlobal(point), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(&window, &move);
}

TEST_F(AnalyserTest, ConnectReadsTheStatusAndShowsThePanel)
{
    StartWithAnalyser();
    Profile().WriteInt(ProfileKeys::kSettings, ProfileKeys::kDlgTV7Pos, (40 << 16) | 30);
    AnalyserWindow& window = OpenWindow();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "TALVEK 7 Connection");
    EXPECT_EQ(window.pos(), QPoint(30, 40));
    EXPECT_EQ(window.SerialField()->text(), "T7A0042");
    EXPECT_EQ(window.MemoryField()->text(), " 1");
    EXPECT_EQ(window.StatusLine()->text(), "Ok");
    EXPECT_TRUE(app->Frame().StateOf(CommandId::Connect).checked);
    EXPECT_TRUE(app->Services().comms.HasAnalyserAnswered());
    EXPECT_FALSE(app->Services().comms.IsPortOpen());

    // Escape closes it: the position is kept, the analyser forgotten.
    window.move(50, 60);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(app->Frame().StateOf(CommandId::Connect).checked);
    EXPECT_FALSE(app->Services().comms.HasAnalyserAnswered());
    EXPECT_EQ(Profile().GetInt(ProfileKeys::kSettings, ProfileKeys::kDlgTV7Pos, 0), (60 << 16) | 50);
}

TEST_F(AnalyserTest, HoverTextAndCursorChangeAtTheKeysEdges)
{
    StartWithAnalyser();
    AnalyserWindow& window = OpenWindow();
    struct Point {
        int x, y;
        const char* text;
        bool cross;
    };
    const Point points[] = {
        {24, 155, "", false},
        {25, 155, "Select Memory: 1", true},
        {232, 158, "Select Memory: 30", true},
        {233, 155, "", false},
        {25, 159, "", false},
        {30, 168, "Click for Lower Memory", true},
        {54, 191, "Click for Lower Memory", true},
        {55, 191, "", false},
        {300, 70, "Valid only when Mike selected", true},  // Left is selected after the status read
        {201, 180, "Click to Hide", true},
        {368, 35, "Click for Right", true},
        {369, 35, "", false},
    };
    for (const Point& point : points) {
        MoveMouse(window, QPoint(point.x, point.y));
        EXPECT_EQ(window.HoverLine()->text(), point.text) << point.x << "," << point.y;
        EXPECT_EQ(window.cursor().shape(), point.cross ? Qt::CrossCursor : Qt::ArrowCursor)
            << point.x << "," << point.y;
    }
}

TEST_F(AnalyserTest, ClicksSendTheKeysCommands)
{
    StartWithAnalyser();
    AnalyserWindow& window = OpenWindow();
    const CCommsDlg& comms = app->Services().comms;

    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(232, 155));  // memory 30
    EXPECT_EQ(comms.Panel().m_nPanelMemory, 30);
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(70, 180));  // higher: wraps to 1
    EXPECT_EQ(comms.Panel().m_nPanelMemory, 1);
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(40, 180));   // lower: wraps to 30
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 45));   // Mike
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 70));   // weighting: C
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 110));  // sensitivity 3
    EXPECT_EQ(simulator.Received(), Bytes("~a~MW5"));
    EXPECT_EQ(window.StatusLine()->text(), "OK");
    EXPECT_EQ(window.MemoryField()->text(), "30");
    EXPECT_FALSE(app->Services().comms.IsPortOpen());

    // The weighting key with Left selected sends nothing and says nothing.
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(330, 45));  // Left
    simulator.ClearReceived();
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 70));
    EXPECT_TRUE(simulator.Received().empty());
    EXPECT_EQ(window.StatusLine()->text(), "OK");
}

TEST_F(AnalyserTest, MinusBeforeTheSensitivityIsKnownSendsTheLowestStep)
{
    StartWithAnalyser();
    // The status read ends before the analyser was told its sensitivity.
    TalvekSimulator::Faults silent;
    silent.silentAfter = '4';
    simulator.SetFaults(silent);
    QString question;
    WhenModalOpens([&](QWidget* box) {
        question = BoxText(box);
        PressButton(box, "&No");
    });
    AnalyserWindow& window = OpenWindow();
    ASSERT_FALSE(question.isEmpty());
    ASSERT_EQ(app->Services().comms.Panel().m_nSensitivity, 0);
    simulator.SetFaults({});
    simulator.ClearReceived();

    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 140));  // "-"
    EXPECT_EQ(simulator.Received(), std::vector<std::uint8_t>{0x33});
    EXPECT_EQ(app->Services().comms.Panel().m_nSensitivity, 1);
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 140));  // at the lowest step already
    EXPECT_EQ(simulator.Received(), (std::vector<std::uint8_t>{0x33, 0x33}));
}

TEST_F(AnalyserTest, TheControlsTipsFollowTheSettingAtEveryOpening)
{
    StartWithAnalyser();
    Settings().Tooltips = 0;
    AnalyserWindow* window = &OpenWindow();
    EXPECT_EQ(window->RefreshButton()->toolTip(), "");
    QTest::keyClick(window, Qt::Key_Escape);
    Settings().Tooltips = 1;
    window = &OpenWindow();
    EXPECT_EQ(window->RefreshButton()->toolTip(), "Update View from TALVEK 7");
    EXPECT_EQ(window->StatusLine()->toolTip(), "TALVEK 7 Comms Status ");
    EXPECT_EQ(window->MemoryField()->toolTip(), "Selected Memory Record ");
    QTest::keyClick(window, Qt::Key_Escape);
    Settings().Tooltips = 0;
    window = &OpenWindow();
    EXPECT_EQ(window->SerialField()->toolTip(), "");
    EXPECT_EQ(window->HoverLine()->toolTip(), "");
}

TEST_F(AnalyserTest, APortThatCannotBeOpenedIsWhatTheStatusLineSays)
{
    StartWithAnalyser();
    app->Services().comms.Link().SetDevicePath(dir.File("no-such-port"));
    QString message;
    WhenModalOpens([&](QWidget* box) {
        message = BoxText(box);
        PressButton(box, "OK");
    });
    AnalyserWindow& window = OpenWindow();
    EXPECT_EQ(message, "COM port not found");
    EXPECT_EQ(window.StatusLine()->text(), "COM port not found");
    EXPECT_FALSE(app->Services().comms.HasAnalyserAnswered());
}

TEST_F(AnalyserTest, RefreshShowsTheMemoryOnlyWhenItArrived)
{
    StartWithAnalyser();
    AnalyserWindow& window = OpenWindow();
    CCommsDlg& comms = app->Services().comms;
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(25 + 7 * 4, 155));  // memory 5
    simulator.ClearReceived();

    QTest::mouseClick(window.RefreshButton(), Qt::LeftButton);
    EXPECT_EQ(simulator.Received(), Bytes("eY"));
    const MemoryRecord& memory = simulator.Analyser().Memory(4);
    EXPECT_TRUE(std::equal(memory.Bytes(), memory.Bytes() + 34, comms.PanelRecord().begin()));
    EXPECT_TRUE(comms.IsShowingRecord());
    window.repaint();
    EXPECT_FALSE(window.RefreshButton()->isEnabled());

    // A panel command makes the display stale; a Refresh that times out
    // leaves it so, and Refresh open to a retry.
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(25 + 7 * 9, 155));  // memory 10
    window.repaint();
    ASSERT_TRUE(window.RefreshButton()->isEnabled());
    TalvekSimulator::Faults silent;
    silent.silentAfter = 'Y';
    simulator.SetFaults(silent);
    QString question;
    WhenModalOpens([&](QWidget* box) {
        question = BoxText(box);
        PressButton(box, "&No");
    });
    QTest::mouseClick(window.RefreshButton(), Qt::LeftButton);
    EXPECT_EQ(question, "Timed Out on Download, check TALVEK 7 connection\nTry again?");
    EXPECT_FALSE(comms.IsShowingRecord());
    EXPECT_TRUE(std::equal(memory.Bytes(), memory.Bytes() + 34, comms.PanelRecord().begin()));
    window.repaint();
    EXPECT_TRUE(window.RefreshButton()->isEnabled());
    EXPECT_EQ(window.StatusLine()->text(), "Timed Out");
}

}  // namespace

namespace {

TEST_F(AppTest, DemoModeAttachesASimulatedAnalyserForThisRunOnly)
{
    Start({.file = {}, .demo = true});
    Settings().Comdelay = 1;
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::Connect));
    AnalyserWindow* window = app->Analyser().Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "TALVEK 7 Connection (simulated analyser)");
    EXPECT_EQ(window->SerialField()->text(), "T7A0042");  // at the real line's pace
    EXPECT_EQ(Profile().GetString(ProfileKeys::kPorts, "COM1", "unset"), "unset");
    EXPECT_EQ(Settings().Comport, 1);
}

}  // namespace
