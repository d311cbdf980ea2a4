#include "IndexedImage.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace {

struct ColourCount {
    QRgb colour;
    long count;
};

int Channel(QRgb colour, int channel)
{
    switch (channel) {
    case 0:
        return qRed(colour);
    case 1:
        return qGreen(colour);
    default:
        return qBlue(colour);
    }
}

// One box of the median cut: a run of the colour list.
struct Box {
    std::size_t begin;
    std::size_t end;
    long population;
    int widestChannel;
    int range;
};

Box MakeBox(const std::vector<ColourCount>& colours, std::size_t begin, std::size_t end)
{
    Box box{begin, end, 0, 0, 0};
    std::array<int, 3> low{255, 255, 255};
    std::array<int, 3> high{0, 0, 0};
    for (std::size_t i = begin; i < end; ++i) {
        box.population += colours[i].count;
        for (int c = 0; c < 3; ++c) {
            low[c] = std::min(low[c], Channel(colours[i].colour, c));
            high[c] = std::max(high[c], Channel(colours[i].colour, c));
        }
    }
    for (int c = 0; c < 3; ++c) {
        if (high[c] - low[c] > box.range) {
            box.range = high[c] - low[c];
            box.widestChannel = c;
        }
    }
    return box;
}

// Median cut: splits the colours into at most `wanted` boxes, always the box
// whose spread weighted by its pixel count is largest, at its weighted median.
std::vector<QRgb> MedianCut(std::vector<ColourCount> colours, std::size_t wanted)
{
    std::vector<Box> boxes{MakeBox(colours, 0, colours.size())};
    while (boxes.size() < wanted) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return static_cast<double>(a.range) * std::sqrt(static_cast<double>(a.population)) <
                   static_cast<double>(b.range) * std::sqrt(static_cast<double>(b.population));
        });
        if (widest->range == 0)
            break;
        const Box box = *widest;
        const int channel = box.widestChannel;
        std::sort(colours.begin() + static_cast<long>(box.begin),
                  colours.begin() + static_cast<long>(box.end),
                  [channel](const ColourCount& a, const ColourCount& b) {
                      return Channel(a.colour, channel) < Channel(b.colour, channel);
                  });
        long seen = 0;
        std::size_t split = box.begin + 1;
        for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
            seen += colours[i].count;
            split = i + 1;
            if (seen * 2 >= box.population)
                break;
        }
        *widest = MakeBox(colours, box.begin, split);
        boxes.push_back(MakeBox(colours, split, box.end));
    }
    std::vector<QRgb> palette;
    for (const Box& box : boxes) {
        std::array<double, 3> sum{0, 0, 0};
        for (std::size_t i = box.begin; i < box.end; ++i)
            for (int c = 0; c < 3; ++c)
                sum[c] += static_cast<double>(Channel(colours[i].colour, c) * colours[i].count);
        auto mean = [&](int c) {
            return static_cast<int>(std::lround(sum[c] / static_cast<double>(box.population)));
        };
        palette.push_back(qRgb(mean(0), mean(1), mean(2)));
    }
    return palette;
}

int Distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

IndexedImage IndexedImage::FromRgb(const QImage& source, const std::vector<QRgb>& reserved,
                                   const std::vector<QRgb>& fill)
{
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    IndexedImage image;
    image.m_nWidth = picture.width();
    image.m_nHeight = picture.height();

    QHash<QRgb, long> histogram;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            ++histogram[line[x] | 0xFF000000u];
    }

    std::vector<QRgb> palette;
    auto known = [&palette](QRgb colour) {
        return std::find(palette.begin(), palette.end(), colour) != palette.end();
    };
    for (QRgb colour : reserved)
        if (!known(colour | 0xFF000000u))
            palette.push_back(colour | 0xFF000000u);
    if (palette.size() > kColours)
        throw std::runtime_error("more than 256 reserved colours");

    std::vector<ColourCount> others;
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it)
        if (!known(it.key()))
            others.push_back({it.key(), it.value()});
    std::sort(others.begin(), others.end(), [](const ColourCount& a, const ColourCount& b) {
        return a.count != b.count ? a.count > b.count : a.colour < b.colour;
    });

    const std::size_t room = kColours - palette.size();
    if (others.size() <= room) {
        for (const ColourCount& c : others)
            palette.push_back(c.colour);
    } else {
        for (QRgb colour : MedianCut(others, room))
            palette.push_back(colour);
    }
    for (QRgb colour : fill)
        if (palette.size() < kColours && !known(colour | 0xFF000000u))
            palette.push_back(colour | 0xFF000000u);
    palette.resize(kColours, qRgb(0, 0, 0));
    image.m_palette = palette;

    QHash<QRgb, std::uint8_t> nearest;
    image.m_indices.reserve(static_cast<std::size_t>(image.m_nWidth * image.m_nHeight));
    for (int y = 0; y < picture.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb colour = line[x] | 0xFF000000u;
            auto found = nearest.find(colour);
            if (found == nearest.end()) {
                std::size_t best = 0;
                for (std::size_t i = 1; i < palette.size(); ++i)
                    if (Distance(palette[i], colour) < Distance(palette[best], colour))
                        best = i;
                found = nearest.insert(colour, static_cast<std::uint8_t>(best));
            }
            image.m_indices.push_back(*found);
        }
    }
    return image;
}

int IndexedImage::DistinctColours() const
{
    std::vector<bool> used(kColours, false);
    for (std::uint8_t index : m_indices)
        used[index] = true;
    return static_cast<int>(std::count(used.begin(), used.end(), true));
}

std::vector<std::uint8_t> IndexedImage::BmpBytes() const
{
    const int stride = (m_nWidth + 3) / 4 * 4;
    const auto paletteBytes = static_cast<std::uint32_t>(kColours * 4);
    const auto imageBytes = static_cast<std::uint32_t>(stride * m_nHeight);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    PutLe(out, 14 + 40 + paletteBytes + imageBytes, 4);
    PutLe(out, 0, 4);                       // two reserved words
    PutLe(out, 14 + 40 + paletteBytes, 4);  // pixel offset
    PutLe(out, 40, 4);
    PutLe(out, static_cast<std::uint32_t>(m_nWidth), 4);
    PutLe(out, static_cast<std::uint32_t>(m_nHeight), 4);
    PutLe(out, 1, 2);  // planes
    PutLe(out, 8, 2);  // bits per pixel
    PutLe(out, 0, 4);  // no compression
    PutLe(out, 0, 4);  // image size, may be 0 without compression
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    PutLe(out, kColours, 4);
    PutLe(out, 0, 4);
    for (QRgb colour : m_palette) {
        out.push_back(static_cast<std::uint8_t>(qBlue(colour)));
        out.push_back(static_cast<std::uint8_t>(qGreen(colour)));
        out.push_back(static_cast<std::uint8_t>(qRed(colour)));
        out.push_back(0);
    }
    for (int y = m_nHeight - 1; y >= 0; --y) {
        const auto row = m_indices.begin() + static_cast<long>(y * m_nWidth);
        out.insert(out.end(), row, row + m_nWidth);
        out.resize(out.size() + static_cast<std::size_t>(stride - m_nWidth), 0);
    }
    return out;
}
