#pragma once

#include <optional>
#include <string>

class CMainDoc;

// The spectrum view's mouse readout and record strip, in pixels relative to
// the top-left corner of the plot picture or of the strip.
namespace ViewReadout {

// The strip: 30 cells of 10 x 16 pixels side by side.
constexpr int kCellWidth = 10;
constexpr int kCellHeight = 16;
constexpr int kStripWidth = 30 * kCellWidth;

// The band (0..29) under point (x, y) of the plot picture, or nothing
// outside the graph area.
std::optional<int> GraphBand(int x, int y);
// The cursor level at row y of the plot picture: 0 dBr on the row the plot
// draws it, 0.1 dB a pixel (0.2 dB at 2 dB per step).
double CursorLevel(int y, bool b2dB);
// "Mem:%02d     Freq:%sHz     Cursor:%.1fdBr       Data:%s" for record
// memory (1..30) at point (x, y) of the plot picture; empty outside the graph.
std::string GraphText(const CMainDoc& doc, int memory, int x, int y, bool b2dB);

// The strip's cell (0..29) under point (x, y) of the strip: its last pixel
// column and row still count; nothing outside.
std::optional<int> StripCell(int x, int y);
// "Mem:%02d" for cell + 1.
std::string StripText(int cell);

}  // namespace ViewReadout
