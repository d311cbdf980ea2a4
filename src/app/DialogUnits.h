#pragma once

#include <QFont>
#include <QRect>

// Dialog templates are laid out in dialog units of their 8-point font: one
// unit is 6/4 pixel across and 13/8 pixel down. Every form and dialog keeps
// its template's rectangles through these conversions (truncating, as the
// platform does).
namespace DialogUnits {
constexpr int ToPixelsX(int units)
{
    return units * 6 / 4;
}
constexpr int ToPixelsY(int units)
{
    return units * 13 / 8;
}
// A template rectangle (left, top, width, height in dialog units) in pixels.
QRect ToPixels(int left, int top, int width, int height);
// The font every templated form uses: a sans font at a fixed pixel size, so
// labels fit their rectangles whatever the desktop's font.
QFont TemplateFont();
}  // namespace DialogUnits
