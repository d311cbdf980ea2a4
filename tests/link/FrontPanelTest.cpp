// The front panel's rules as tables: keys under the mouse at their edges,
// what each click changes and sends, indicators and the display's dots.

#include "link/FrontPanel.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace {

using Panel = CCommsDlg::PanelState;

// The panel as the status read leaves it: Left, flat, fast, 2 dB, step 2, memory 1, shown.
Panel KnownState()
{
    Panel panel;
    panel.m_nSource = 2;
    panel.m_nWeighting = 1;
    panel.m_nSpeed = 2;
    panel.m_nRange = 2;
    panel.m_nSensitivity = 2;
    panel.m_nPanelMemory = 1;
    panel.m_nHide = 2;
    return panel;
}

TEST(FrontPanel, KeysLieWithinInclusiveBounds)
{
    struct Row {
        int x, y;
        const char* text;
        int command;
    };
    const Row rows[] = {
        {24, 151, "", 0},
        {25, 151, "Select Memory: 1", 'a'},
        {30, 158, "Select Memory: 1", 'a'},
        {31, 158, "Select Memory: 2", 'b'},
        {232, 158, "Select Memory: 30", '~'},
        {233, 158, "", 0},
        {100, 150, "", 0},
        {100, 159, "", 0},
        {30, 168, "Click for Lower Memory", '<'},
        {29, 168, "", 0},
        {88, 191, "Click for Higher Memory", '>'},
        {88, 192, "", 0},
        {134, 170, "Click to Save", 'X'},
        {229, 191, "Click to Hide", 'H'},
        {344, 168, "Click for Slow", 'A'},
        {288, 130, "Click to Decrease Sensitivity", '-'},
        {368, 154, "Click for Range 1dB", '1'},
        {312, 125, "Click to Increase Sensitivity", '+'},
        {313, 125, "", 0},
        {288, 63, "Valid only when Mike selected", 'F'},
        {314, 86, "Click for Sum", 'S'},
        {342, 63, "Click for Diff", 'D'},
        {288, 35, "Click for Mike", 'M'},
        {340, 58, "Click for Left", 'L'},
        {368, 58, "Click for Right", 'R'},
        {368, 59, "", 0},
        {341, 40, "", 0},
    };
    const Panel panel = KnownState();
    for (const Row& row : rows) {
        const FrontPanel::Hover hover = FrontPanel::HoverAt(panel, row.x, row.y);
        EXPECT_EQ(hover.text, row.text) << row.x << "," << row.y;
        EXPECT_EQ(hover.command, row.command) << row.x << "," << row.y;
    }
}

TEST(FrontPanel, HelpTextsFollowTheState)
{
    Panel panel = KnownState();
    panel.m_nHide = 1;
    panel.m_nSpeed = 1;
    panel.m_nRange = 1;
    panel.m_nSource = 1;
    EXPECT_EQ(FrontPanel::HoverAt(panel, 210, 180).text, "Click to Show");
    EXPECT_EQ(FrontPanel::HoverAt(panel, 350, 180).text, "Click for Fast");
    EXPECT_EQ(FrontPanel::HoverAt(panel, 350, 140).text, "Click for Range 2dB");
    panel.m_nWeighting = 5;
    EXPECT_EQ(FrontPanel::HoverAt(panel, 300, 70).text, "Click for Weighting C");
    panel.m_nWeighting = 6;
    EXPECT_EQ(FrontPanel::HoverAt(panel, 300, 70).text, "Click for Weighting Flat");
}

TEST(FrontPanel, ClicksChangeTheStateAndChooseTheByte)
{
    struct Row {
        const char* name;
        int command;
        std::function<void(Panel&)> before;
        int sent;  // -1 nothing
        std::function<bool(const Panel&)> after;
    };
    const auto none = [](Panel&) {};
    const Row rows[] = {
        {"memory 30", '~', none, 0x7E, [](const Panel& p) { return p.m_nPanelMemory == 30; }},
        {"lower from 1", '<', none, 0x7E, [](const Panel& p) { return p.m_nPanelMemory == 30; }},
        {"higher from 30", '>', [](Panel& p) { p.m_nPanelMemory = 30; }, 0x61,
         [](const Panel& p) { return p.m_nPanelMemory == 1; }},
        {"higher from 0", '>', [](Panel& p) { p.m_nPanelMemory = 0; }, 0x61,
         [](const Panel& p) { return p.m_nPanelMemory == 1; }},
        {"hide", 'H', none, 'H', [](const Panel& p) { return p.m_nHide == 1; }},
        {"show", 'H', [](Panel& p) { p.m_nHide = 1; }, 'U', [](const Panel& p) { return p.m_nHide == 2; }},
        {"slow", 'A', none, 'A', [](const Panel& p) { return p.m_nSpeed == 1; }},
        {"fast", 'A', [](Panel& p) { p.m_nSpeed = 1; }, 'B', [](const Panel& p) { return p.m_nSpeed == 2; }},
        {"range 1", '1', none, '1', [](const Panel& p) { return p.m_nRange == 1; }},
        {"range 2", '1', [](Panel& p) { p.m_nRange = 1; }, '2',
         [](const Panel& p) { return p.m_nRange == 2; }},
        {"weighting, Left", 'F', none, -1, [](const Panel& p) { return p.m_nWeighting == 1; }},
        {"weighting C", 'F', [](Panel& p) { p.m_nSource = 1, p.m_nWeighting = 5; }, 'W',
         [](const Panel& p) { return p.m_nWeighting == 6; }},
        {"weighting flat", 'F', [](Panel& p) { p.m_nSource = 1, p.m_nWeighting = 6; }, 'F',
         [](const Panel& p) { return p.m_nWeighting == 5; }},
        {"save", 'X', none, 'X', [](const Panel& p) { return p.m_nPanelMemory == 1; }},
        {"+ at 8", '+', [](Panel& p) { p.m_nSensitivity = 8; }, 0x3A,
         [](const Panel& p) { return p.m_nSensitivity == 8; }},
        {"+ at 7", '+', [](Panel& p) { p.m_nSensitivity = 7; }, 0x3A,
         [](const Panel& p) { return p.m_nSensitivity == 8; }},
        {"- at 1", '-', [](Panel& p) { p.m_nSensitivity = 1; }, 0x33,
         [](const Panel& p) { return p.m_nSensitivity == 1; }},
        {"- at 2", '-', none, 0x33, [](const Panel& p) { return p.m_nSensitivity == 1; }},
        {"Mike", 'M', none, 'M', [](const Panel& p) { return p.m_nSource == 1 && p.m_nWeighting == 5; }},
        {"Diff from Mike", 'D', [](Panel& p) { p.m_nSource = 1, p.m_nWeighting = 6; }, 'D',
         [](const Panel& p) { return p.m_nSource == 5 && p.m_nWeighting == 2; }},
        {"Right", 'R', none, 'R', [](const Panel& p) { return p.m_nSource == 3; }},
        {"Sum", 'S', none, 'S', [](const Panel& p) { return p.m_nSource == 4; }},
        {"no key", 0, none, -1, [](const Panel& p) { return p.m_nPanelMemory == 1; }},
    };
    for (const Row& row : rows) {
        Panel panel = KnownState();
        row.before(panel);
        const std::optional<std::uint8_t> sent = FrontPanel::Click(panel, row.command);
        EXPECT_EQ(sent ? int(*sent) : -1, row.sent) << row.name;
        EXPECT_TRUE(row.after(panel)) << row.name;
    }
}

TEST(FrontPanel, IndicatorsLightForTheState)
{
    using Rect = FrontPanel::Rect;
    EXPECT_EQ(FrontPanel::MemoryMark(0), (Rect{19, 153, 26, 159}));
    EXPECT_EQ(FrontPanel::MemoryMark(30), (Rect{229, 153, 236, 159}));

    EXPECT_EQ(FrontPanel::RedIndicators(Panel{}), std::vector<Rect>{});
    EXPECT_EQ(FrontPanel::RedIndicators(KnownState()),
              (std::vector<Rect>{
                  {335, 36, 340, 41}, {365, 131, 370, 136}, {365, 170, 370, 175}, {264, 65, 269, 70}}));
    Panel mike;
    mike.m_nSource = 1;
    mike.m_nWeighting = 6;  // C, Mike
    mike.m_nRange = 1;
    mike.m_nSpeed = 1;
    mike.m_nHide = 1;
    mike.m_nSensitivity = 8;
    EXPECT_EQ(FrontPanel::RedIndicators(mike), (std::vector<Rect>{{307, 36, 312, 41},
                                                                  {307, 64, 312, 69},
                                                                  {345, 131, 350, 136},
                                                                  {345, 170, 350, 175},
                                                                  {224, 170, 229, 175},
                                                                  {264, 107, 269, 112}}));
    mike.m_nWeighting = 5;  // flat: no C light
    EXPECT_EQ(FrontPanel::RedIndicators(mike).size(), 5u);
}

TEST(FrontPanel, DotsFollowTheRangesWindows)
{
    using Rect = FrontPanel::Rect;
    std::array<std::uint8_t, 34> record{};
    record[0] = 79;
    record[1] = 80;
    record[2] = 183;
    record[3] = 184;
    record[30] = 40;
    EXPECT_EQ(FrontPanel::DisplayDots(1, record.data()),
              (std::vector<Rect>{{33, 114, 38, 119}, {40, 30, 45, 35}, {250, 114, 255, 119}}));
    EXPECT_TRUE(FrontPanel::DisplayDots(0, record.data()).empty());

    record = {};
    record[0] = 193;
    record[1] = 194;
    record[2] = 1;
    record[30] = 143;
    EXPECT_EQ(FrontPanel::DisplayDots(2, record.data()),
              (std::vector<Rect>{{26, 30, 31, 35}, {40, 114, 45, 119}, {250, 114 - 56, 255, 119 - 56}}));
}

// The keyboard's keys are the mouse's: each rectangle lies inside one
// region at its first and last pixel, and the strip's cells go 1 to 30.
TEST(FrontPanel, TheKeyboardStepsThroughEveryKeyTopRowFirst)
{
    const Panel panel = KnownState();
    const std::vector<FrontPanel::Rect> keys = FrontPanel::KeyRects();
    ASSERT_EQ(keys.size(), 44u);
    EXPECT_EQ(FrontPanel::HoverAt(panel, keys.front().left, keys.front().top).text, "Click for Mike");
    EXPECT_EQ(FrontPanel::HoverAt(panel, keys.back().left, keys.back().top).text, "Click for Slow");
    std::vector<int> cells;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const FrontPanel::Rect& key = keys[i];
        const FrontPanel::Hover first = FrontPanel::HoverAt(panel, key.left, key.top);
        const FrontPanel::Hover last = FrontPanel::HoverAt(panel, key.right - 1, key.bottom - 1);
        ASSERT_NE(first.command, 0) << i;
        EXPECT_EQ(first.command, last.command) << i;
        if (i > 0) {
            EXPECT_GE(key.top, keys[i - 1].top) << i;
        }
        if (first.command >= 'a' && first.command <= '~')
            cells.push_back(first.command - 'a' + 1);
    }
    std::vector<int> expected(30);
    for (int cell = 0; cell < 30; ++cell)
        expected[static_cast<std::size_t>(cell)] = cell + 1;
    EXPECT_EQ(cells, expected);
}

TEST(FrontPanel, TheStateInWordsLeavesOutWhatTheAnalyserHasNotTold)
{
    Panel panel = KnownState();
    EXPECT_EQ(FrontPanel::StateText(panel),
              "Memory 1, input Left, range 2 dB, speed fast, sensitivity 2 of 8, display shown");
    FrontPanel::Click(panel, 'M');
    FrontPanel::Click(panel, 'F');  // flat to C
    FrontPanel::Click(panel, 'H');
    FrontPanel::Click(panel, '<');
    EXPECT_EQ(
        FrontPanel::StateText(panel),
        "Memory 30, input Mike, weighting C, range 2 dB, speed fast, sensitivity 2 of 8, display hidden");
    EXPECT_EQ(FrontPanel::StateText(Panel{}), "");
}

}  // namespace
