#pragma once

#include <QImage>
#include <QRgb>

#include <cstdint>
#include <vector>

// A picture reduced to a 256-entry colour table, the form in which the program
// keeps every bitmap resource, and its .bmp file image.
class IndexedImage {
public:
    static constexpr int kColours = 256;

    // Reduces an RGB32 picture to 256 colours. The reserved colours come first
    // in the table, in the given order, and every pixel of exactly such a colour
    // keeps it. When the picture has room to spare, the spare entries take the
    // fill colours (so that drawing into the picture later finds them).
    static IndexedImage FromRgb(const QImage& picture, const std::vector<QRgb>& reserved,
                                const std::vector<QRgb>& fill = {});

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    int DistinctColours() const;

    // The .bmp file image: file header, BITMAPINFOHEADER (biClrUsed 256, no
    // compression, positive height), colour table, pixel rows bottom-up, each
    // padded to a multiple of 4 bytes.
    std::vector<std::uint8_t> BmpBytes() const;

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<QRgb> m_palette;
    std::vector<std::uint8_t> m_indices;
};
