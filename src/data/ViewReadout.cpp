#include "data/ViewReadout.h"

#include "data/CMainDoc.h"
#include "data/PlotRows.h"

#include <algorithm>
#include <cstdio>

namespace ViewReadout {

namespace {

// The graph area of the plot picture, edges included.
constexpr int kGraphLeft = 21;
constexpr int kGraphRight = 319;
constexpr int kGraphTop = 7;
constexpr int kGraphBottom = 135;
constexpr int kBandPitch = 10;

}  // namespace

std::optional<int> GraphBand(int x, int y)
{
    if (x < kGraphLeft || x > kGraphRight || y < kGraphTop || y > kGraphBottom)
        return std::nullopt;
    return (x - kGraphLeft) / kBandPitch;
}

double CursorLevel(int y, bool b2dB)
{
    // Counted upward from the zero row so that the zero row reads 0.0, not -0.0.
    const double level = (PlotRows::kZeroRow - y) * 0.1;
    return b2dB ? 2 * level : level;
}

std::string GraphText(const CMainDoc& doc, int memory, int x, int y, bool b2dB)
{
    const std::optional<int> band = GraphBand(x, y);
    if (!band)
        return {};
    std::string level;
    std::string frequency;
    doc.GetBandLevel(level, *band, memory - 1);
    doc.GetBandLabel(frequency, *band);
    char text[256];
    std::snprintf(text, sizeof text, "Mem:%02d     Freq:%sHz     Cursor:%.1fdBr       Data:%s", memory,
                  frequency.c_str(), CursorLevel(y, b2dB), level.c_str());
    return text;
}

std::optional<int> StripCell(int x, int y)
{
    if (x < 0 || x > kStripWidth || y < 0 || y > kCellHeight)
        return std::nullopt;
    return std::min(x / kCellWidth, 29);
}

std::string StripText(int cell)
{
    char text[16];
    std::snprintf(text, sizeof text, "Mem:%02d", cell + 1);
    return text;
}

}  // namespace ViewReadout
