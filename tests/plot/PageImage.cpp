#include "PageImage.h"

#include <algorithm>

int PageGrey(const DibImage& page, int x, int y)
{
    const std::uint8_t* pixel = page.Pixel(x, y);
    if (pixel == nullptr)
        return -1;
    if (page.BitsPerPixel() == 1)
        return (*pixel >> (7 - x % 8) & 1) != 0 ? 255 : 0;
    return *pixel;
}

bool IsInk(const DibImage& page, int x, int y)
{
    const int grey = PageGrey(page, x, y);
    return grey >= 0 && grey < 128;
}

std::vector<std::pair<int, int>> NewInk(const DibImage& before, const DibImage& after)
{
    std::vector<std::pair<int, int>> pixels;
    for (int y = 0; y < after.Height(); ++y)
        for (int x = 0; x < after.Width(); ++x)
            if (IsInk(after, x, y) && !IsInk(before, x, y))
                pixels.emplace_back(x, y);
    return pixels;
}

bool AnyInk(const DibImage& page, int left, int top, int right, int bottom)
{
    const InkBox box = InkBounds(page, left, top, right, bottom);
    return box.left <= box.right;
}

InkBox InkBounds(const DibImage& page, int left, int top, int right, int bottom)
{
    InkBox box{right, bottom, left - 1, top - 1};
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (IsInk(page, x, y)) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

std::vector<std::uint8_t> SolidBmp(int width, int height, int bitsPerPixel, std::uint8_t red,
                                   std::uint8_t green, std::uint8_t blue)
{
    DibImage image;
    image.Create(width, height, 0, bitsPerPixel);
    if (bitsPerPixel <= 8) {
        std::uint8_t* entry = image.ColourTable() + 4;  // every pixel uses entry 1
        entry[0] = blue;
        entry[1] = green;
        entry[2] = red;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (bitsPerPixel == 8)
                    *image.Pixel(x, y) = 1;
                else
                    *image.Pixel(x, y) |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    } else {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint8_t* pixel = image.Pixel(x, y);
                pixel[0] = blue;
                pixel[1] = green;
                pixel[2] = red;
            }
    }
    std::vector<std::uint8_t> file(static_cast<std::size_t>(image.FileSize()));
    image.WriteBmp(file);
    return file;
}
