#include "link/FrontPanel.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <tuple>

namespace FrontPanel {

namespace {

constexpr int kMemories = 30;
constexpr int kMaxSensitivity = 8;
constexpr int kMemoryCommand = 0x61;    // "a": memory 1; "~" memory 30
constexpr int kSensitivityBase = 0x32;  // + the sensitivity step 1-8

// A key's place on the picture; every bound is inclusive.
struct Region {
    int left, right, top, bottom;
    int command;
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// In the order they are tested; the memory strip comes first.
constexpr std::array<Region, 14> kKeys{{
    {30, 54, 168, 191, '<'},
    {65, 88, 168, 191, '>'},
    {134, 158, 168, 191, 'X'},
    {201, 229, 168, 191, 'H'},
    {344, 368, 168, 191, 'A'},
    {288, 312, 130, 154, '-'},
    {344, 368, 130, 154, '1'},
    {288, 312, 101, 125, '+'},
    {288, 312, 63, 86, 'F'},
    {314, 340, 63, 86, 'S'},
    {342, 368, 63, 86, 'D'},
    {288, 312, 35, 58, 'M'},
    {314, 340, 35, 58, 'L'},
    {342, 368, 35, 58, 'R'},
}};
constexpr Region kMemoryStrip{25, 232, 151, 158, 0};

std::string HelpText(const CCommsDlg::PanelState& panel, int command)
{
    switch (command) {
    case '<':
        return "Click for Lower Memory";
    case '>':
        return "Click for Higher Memory";
    case 'X':
        return "Click to Save";
    case 'H':
        return panel.m_nHide == 1 ? "Click to Show" : "Click to Hide";
    case 'A':
        return panel.m_nSpeed == 1 ? "Click for Fast" : "Click for Slow";
    case '-':
        return "Click to Decrease Sensitivity";
    case '1':
        return panel.m_nRange == 1 ? "Click for Range 2dB" : "Click for Range 1dB";
    case '+':
        return "Click to Increase Sensitivity";
    case 'F':
        if (panel.m_nSource != 1)
            return "Valid only when Mike selected";
        return (panel.m_nWeighting & 1) != 0 ? "Click for Weighting C" : "Click for Weighting Flat";
    case 'S':
        return "Click for Sum";
    case 'D':
        return "Click for Diff";
    case 'M':
        return "Click for Mike";
    case 'L':
        return "Click for Left";
    case 'R':
        return "Click for Right";
    default:
        return {};
    }
}

std::uint8_t MemoryCommand(int memory)
{
    return static_cast<std::uint8_t>(kMemoryCommand - 1 + memory);
}

}  // namespace

std::vector<Rect> KeyRects()
{
    std::vector<Rect> keys;
    for (const Region& key : kKeys)
        keys.push_back({key.left, key.top, key.right + 1, key.bottom + 1});
    // The strip's cells as HoverAt divides it: cell c from x = 24 + 7c, clipped to the strip.
    for (int c = 0; c < kMemories; ++c)
        keys.push_back({std::max(kMemoryStrip.left, 24 + 7 * c), kMemoryStrip.top,
                        std::min(kMemoryStrip.right, 30 + 7 * c) + 1, kMemoryStrip.bottom + 1});
    std::sort(keys.begin(), keys.end(),
              [](const Rect& a, const Rect& b) { return std::tie(a.top, a.left) < std::tie(b.top, b.left); });
    return keys;
}

std::string StateText(const CCommsDlg::PanelState& panel)
{
    static constexpr std::array<const char*, 5> kSources{"Mike", "Left", "Right", "Sum", "Diff"};
    std::string text;
    const auto add = [&text](const std::string& part) { text += (text.empty() ? "" : ", ") + part; };
    if (panel.m_nPanelMemory >= 1 && panel.m_nPanelMemory <= kMemories)
        add("memory " + std::to_string(panel.m_nPanelMemory));
    if (panel.m_nSource >= 1 && panel.m_nSource <= 5)
        add(std::string("input ") + kSources[static_cast<std::size_t>(panel.m_nSource - 1)]);
    if (panel.m_nSource == 1 && (panel.m_nWeighting & 3) != 0)
        add((panel.m_nWeighting & 2) != 0 ? "weighting C" : "weighting flat");
    if (panel.m_nRange == 1 || panel.m_nRange == 2)
        add("range " + std::to_string(panel.m_nRange) + " dB");
    if (panel.m_nSpeed == 1 || panel.m_nSpeed == 2)
        add(panel.m_nSpeed == 1 ? "speed slow" : "speed fast");
    if (panel.m_nSensitivity >= 1 && panel.m_nSensitivity <= kMaxSensitivity)
        add("sensitivity " + std::to_string(panel.m_nSensitivity) + " of " + std::to_string(kMaxSensitivity));
    if (panel.m_nHide == 1 || panel.m_nHide == 2)
        add(panel.m_nHide == 1 ? "display hidden" : "display shown");
    if (!text.empty())
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

Hover HoverAt(const CCommsDlg::PanelState& panel, int x, int y)
{
    if (kMemoryStrip.Contains(x, y)) {
        const int c = (x - 24) / 7;
        char text[32];
        std::snprintf(text, sizeof text, "Select Memory: %d", c + 1);
        return {text, kMemoryCommand + c};
    }
    for (const Region& key : kKeys)
        if (key.Contains(x, y))
            return {HelpText(panel, key.command), key.command};
    return {};
}

std::optional<std::uint8_t> Click(CCommsDlg::PanelState& panel, int command)
{
    if (command >= kMemoryCommand && command < kMemoryCommand + kMemories) {
        panel.m_nPanelMemory = command - 0x60;
        return static_cast<std::uint8_t>(command);
    }
    switch (command) {
    case '<':
        if (--panel.m_nPanelMemory <= 0)
            panel.m_nPanelMemory = kMemories;
        return MemoryCommand(panel.m_nPanelMemory);
    case '>':
        if (++panel.m_nPanelMemory > kMemories)
            panel.m_nPanelMemory = 1;
        return MemoryCommand(panel.m_nPanelMemory);
    case 'H':
        if (panel.m_nHide == 1) {
            panel.m_nHide = 2;
            return 'U';
        }
        panel.m_nHide = 1;
        return 'H';
    case 'A':
        if (panel.m_nSpeed == 1) {
            panel.m_nSpeed = 2;
            return 'B';
        }
        panel.m_nSpeed = 1;
        return 'A';
    case '1':
        if (panel.m_nRange == 1) {
            panel.m_nRange = 2;
            return '2';
        }
        panel.m_nRange = 1;
        return '1';
    case 'F':
        // Weighting is a choice of the microphone input only.
        if (panel.m_nSource != 1)
            return std::nullopt;
        if ((panel.m_nWeighting & 1) != 0) {
            panel.m_nWeighting = 6;
            return 'W';
        }
        panel.m_nWeighting = 5;
        return 'F';
    case 'X':
        return 'X';
    case '+':
        if (panel.m_nSensitivity < kMaxSensitivity)
            ++panel.m_nSensitivity;
        return static_cast<std::uint8_t>(kSensitivityBase + panel.m_nSensitivity);
    case '-':
        // Not known yet (0) counts as the lowest step, never a range command.
        panel.m_nSensitivity = std::max(1, panel.m_nSensitivity - 1);
        return static_cast<std::uint8_t>(kSensitivityBase + panel.m_nSensitivity);
    case 'M':
        panel.m_nSource = 1;
        panel.m_nWeighting |= 4;
        return 'M';
    case 'L':
    case 'R':
    case 'S':
    case 'D':
        panel.m_nSource = command == 'L' ? 2 : command == 'R' ? 3 : command == 'S' ? 4 : 5;
        panel.m_nWeighting &= 3;
        return static_cast<std::uint8_t>(command);
    default:
        return std::nullopt;
    }
}

Rect MemoryMark(int memory)
{
    return {7 * memory + 19, 153, 7 * memory + 26, 159};
}

std::vector<Rect> RedIndicators(const CCommsDlg::PanelState& panel)
{
    std::vector<Rect> lit;
    constexpr std::array<Rect, 5> kSources{{
        {307, 36, 312, 41},
        {335, 36, 340, 41},
        {363, 36, 368, 41},
        {335, 64, 340, 69},
        {363, 64, 368, 69},
    }};
    if (panel.m_nSource >= 1 && panel.m_nSource <= 5)
        lit.push_back(kSources[static_cast<std::size_t>(panel.m_nSource - 1)]);
    if ((panel.m_nWeighting & 6) == 6)
        lit.push_back({307, 64, 312, 69});
    if (panel.m_nRange == 1)
        lit.push_back({345, 131, 350, 136});
    else if (panel.m_nRange == 2)
        lit.push_back({365, 131, 370, 136});
    if (panel.m_nSpeed == 1)
        lit.push_back({345, 170, 350, 175});
    else if (panel.m_nSpeed == 2)
        lit.push_back({365, 170, 370, 175});
    if (panel.m_nHide == 1)
        lit.push_back({224, 170, 229, 175});
    if (panel.m_nSensitivity >= 1) {
        const int s = panel.m_nSensitivity;
        lit.push_back({264, 7 * s + 51, 269, 7 * s + 56});
    }
    return lit;
}

std::vector<Rect> DisplayDots(int range, const std::uint8_t* record)
{
    std::vector<Rect> dots;
    if (range != 1 && range != 2)
        return dots;
    // The bands start their 1 dB window at code 80, the wide-band level at 40.
    const auto add = [&](int x, int d, int lowest) {
        int k = 0;
        if (range == 1) {
            if (d < lowest || d > lowest + 103)
                return;
            k = (d - lowest) / 8;
        } else {
            if (d < 1 || d > 193)
                return;
            k = d / 16;
        }
        dots.push_back({x, 114 - 7 * k, x + 5, 119 - 7 * k});
    };
    for (int i = 0; i < 30; ++i)
        add(26 + 7 * i, record[i], 80);
    add(250, record[30], 40);
    return dots;
}

}  // namespace FrontPanel
