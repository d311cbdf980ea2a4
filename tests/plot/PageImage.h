#pragma once

#include "dib/DibImage.h"

#include <cstdint>
#include <vector>

// Reading rendered pages and pictures in tests.

// The grey level (8-bit page) or 0/255 (1-bit page) of pixel (x, y), rows from the top.
int PageGrey(const DibImage& page, int x, int y);
bool IsInk(const DibImage& page, int x, int y);
// Pixels that are dark in after but not in before, as (x, y) pairs.
std::vector<std::pair<int, int>> NewInk(const DibImage& before, const DibImage& after);
// Whether any pixel in the rectangle (right and bottom excluded) is dark.
bool AnyInk(const DibImage& page, int left, int top, int right, int bottom);
// The box (left, top, right, bottom, all included) of the dark pixels in the
// rectangle; left > right when there are none.
struct InkBox {
    int left;
    int top;
    int right;
    int bottom;
};
InkBox InkBounds(const DibImage& page, int left, int top, int right, int bottom);

// An 8-bit .bmp file of width x height pixels of one colour-table index
// whose table entry has the given colour.
std::vector<std::uint8_t> SolidBmp(int width, int height, int bitsPerPixel, std::uint8_t red,
                                   std::uint8_t green, std::uint8_t blue);
