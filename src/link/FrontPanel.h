#pragma once

#include "link/CCommsDlg.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The rules of the front-panel picture in the analyser window: which key
// lies under a point, what a click on it changes and sends, where the
// indicators light and where the display's dots go. Coordinates are client
// pixels of the window; the picture's top-left corner is at (8, 15).
namespace FrontPanel {

constexpr int kPictureLeft = 8;
constexpr int kPictureTop = 15;
constexpr int kPictureResource = 131;

// A filled rectangle, as the platform's Rectangle call takes it: right and
// bottom are one past the last pixel.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

// The key under the mouse: its help line and its code (0 for none).
struct Hover {
    std::string text;
    int command = 0;
};

Hover HoverAt(const CCommsDlg::PanelState& panel, int x, int y);

// Every key of the picture, the 30 cells of the memory strip included, top
// row first: what the keyboard steps through.
std::vector<Rect> KeyRects();
// What the indicators show, in words ("Memory 5, input Mike, weighting C,
// ..."); a setting the analyser has not reported is left out.
std::string StateText(const CCommsDlg::PanelState& panel);

// A click on the key with code command: changes the panel state and gives
// the byte to send, or nothing when the key sends nothing (no key, or the
// weighting key while Mike is not the source).
std::optional<std::uint8_t> Click(CCommsDlg::PanelState& panel, int command);

// The green mark over the selected memory (also for memory 0).
Rect MemoryMark(int memory);
// The red indicators that the panel state lights.
std::vector<Rect> RedIndicators(const CCommsDlg::PanelState& panel);
// The display's dots for bytes 0-30 of a record image: one per band whose
// byte lies in the range's window, and the wide-band column.
std::vector<Rect> DisplayDots(int range, const std::uint8_t* record);

}  // namespace FrontPanel
