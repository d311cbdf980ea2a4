#pragma once

#include <QRgb>

class QPainter;

// A pen that draws as the platform's pens do, so that the graphs' integer
// geometry lands on the same pixels everywhere:
// - a 1-pixel pen draws a line from its start up to, not including, its end
//   point; the dotted pen sets every other pixel, starting with the first;
// - a wider pen is centred on the line and reaches half its width beyond
//   both ends (a 2-pixel line from (x1, y) to (x2, y) covers columns x1 - 1
//   to x2 and rows y - 1 and y);
// - a rectangle's outline is centred on its edges; inside it, the brush.
// Horizontal and vertical lines and rectangles are filled pixel runs;
// slanted lines are left to the painter.
class GdiPen {
public:
    enum class Style { Solid, Dotted };

    GdiPen(QRgb colour, int width, Style style = Style::Solid)
        : m_colour(colour), m_nWidth(width), m_style(style)
    {}

    void Line(QPainter& painter, int x1, int y1, int x2, int y2) const;
    // The rectangle (left, top, right, bottom) outlined by this pen and
    // filled with brush.
    void Rectangle(QPainter& painter, int left, int top, int right, int bottom, QRgb brush) const;

private:
    void ThinLine(QPainter& painter, int x1, int y1, int x2, int y2) const;
    void WideLine(QPainter& painter, int x1, int y1, int x2, int y2) const;

    QRgb m_colour;
    int m_nWidth;
    Style m_style;
};
