#pragma once

#include <QColor>

#include <map>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

// A small bitmap font drawn pixel by pixel, for scale and legend lettering that
// must sit on exact pixels (the graticule's labels, the panel's silk screen).
class PixelFont {
public:
    // Digits, signs and the letters of the graticule: 7 pixels high, digits 4 wide.
    static const PixelFont& Scale();
    // Capitals, digits and a few signs: 5 pixels high, mostly 3 wide.
    static const PixelFont& Legend();

    int Height() const { return m_nHeight; }
    int TextWidth(std::string_view text) const;
    // Draws the text with its top-left pixel at (x, y).
    void Draw(QPainter& painter, int x, int y, std::string_view text, const QColor& colour) const;
    // Draws the text centred on column cx (the left half gets the odd pixel).
    void DrawCentred(QPainter& painter, int cx, int y, std::string_view text, const QColor& colour) const;

private:
    PixelFont(int height, int spaceWidth, std::map<char, std::vector<std::string>> glyphs);

    int m_nHeight;
    int m_nSpaceWidth;
    std::map<char, std::vector<std::string>> m_glyphs;
};
