#include "plot/DrawDib.h"

#include "dib/DibImage.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

QList<QRgb> ColourTable(const DibImage& image, int entries)
{
    LogPalette palette;
    image.MakePalette(palette);
    // Every index a pixel can hold gets a colour: missing entries are black.
    QList<QRgb> table(entries, qRgb(0, 0, 0));
    for (int i = 0; i < std::min<int>(palette.palNumEntries, entries); ++i) {
        const PaletteEntry& entry = palette.palPalEntry[static_cast<std::size_t>(i)];
        table[i] = qRgb(entry.peRed, entry.peGreen, entry.peBlue);
    }
    return table;
}

QImage::Format FormatOf(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return QImage::Format_Mono;
    case 8:
        return QImage::Format_Indexed8;
    case 16:
        return QImage::Format_RGB555;
    case 24:
        return QImage::Format_BGR888;
    case 32:
        return QImage::Format_RGB32;
    default:
        return QImage::Format_Invalid;
    }
}

// Shrinks picture to width x height (each no larger than the picture's) by
// ANDing together the colours of all pixels that fall on one target pixel.
QImage AndReduce(const QImage& picture, int width, int height)
{
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    QImage reduced(width, height, QImage::Format_RGB32);
    if (reduced.isNull())
        return reduced;
    reduced.fill(0xFFFFFFFFu);
    const int sourceWidth = source.width();
    std::vector<int> column(static_cast<std::size_t>(sourceWidth));
    for (int x = 0; x < sourceWidth; ++x)
        column[static_cast<std::size_t>(x)] = static_cast<int>(std::int64_t{x} * width / sourceWidth);
    for (int y = 0; y < source.height(); ++y) {
        const auto targetRow = static_cast<int>(std::int64_t{y} * height / source.height());
        auto* to = reinterpret_cast<QRgb*>(reduced.scanLine(targetRow));
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < sourceWidth; ++x)
            to[column[static_cast<std::size_t>(x)]] &= from[x];
    }
    return reduced;
}

// The picture in the 256 greys of a grey page, each colour taken to its
// nearest grey (the rounded mean of red, green and blue), as a palette
// device matches colours; the painter would weigh them by brightness.
QImage NearestGreys(const QImage& picture)
{
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    QImage greys(source.size(), QImage::Format_Grayscale8);
    if (greys.isNull())
        return greys;
    for (int y = 0; y < source.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        std::uint8_t* to = greys.scanLine(y);
        for (int x = 0; x < source.width(); ++x)
            to[x] = static_cast<std::uint8_t>((qRed(from[x]) + qGreen(from[x]) + qBlue(from[x]) + 1) / 3);
    }
    return greys;
}

bool PaintsOnGreys(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    return device != nullptr && device->devType() == QInternal::Image &&
           static_cast<const QImage*>(device)->format() == QImage::Format_Grayscale8;
}

}  // namespace

QImage DibToQImage(const DibImage& image)
{
    const QImage::Format format = FormatOf(image.BitsPerPixel());
    if (!image.IsValid() || format == QImage::Format_Invalid || image.Width() == 0 || image.Height() == 0)
        return {};
    QImage picture(image.Width(), image.Height(), format);
    if (picture.isNull())
        return {};
    if (image.BitsPerPixel() <= 8)
        picture.setColorTable(ColourTable(image, 1 << image.BitsPerPixel()));
    const auto rowBytes =
        static_cast<std::size_t>(std::min<qsizetype>(picture.bytesPerLine(), image.Stride()));
    for (int y = 0; y < image.Height(); ++y)
        std::memcpy(picture.scanLine(y), image.Row(y), rowBytes);
    return picture;
}

int DrawDib(QPainter& painter, const DibImage& image, int xDest, int yDest, int widthDest, int heightDest,
            int xSrc, int ySrc, int widthSrc, int heightSrc, int flags)
{
    if (!image.IsValid() || widthDest < 0 || heightDest < 0)
        return -1;
    widthSrc = widthSrc == 0 ? image.Width() : widthSrc;
    heightSrc = heightSrc == 0 ? image.Height() : heightSrc;
    widthDest = widthDest == 0 ? image.Width() : widthDest;
    heightDest = heightDest == 0 ? image.Height() : heightDest;
    xSrc = std::max(xSrc, 0);
    ySrc = std::max(ySrc, 0);
    const QRect source =
        QRect(xSrc, ySrc, widthSrc, heightSrc).intersected(QRect(0, 0, image.Width(), image.Height()));
    if (source.isEmpty() || widthDest == 0 || heightDest == 0)
        return 0;
    QImage picture = DibToQImage(image);
    if (source != picture.rect())
        picture = picture.copy(source);
    if (picture.isNull())
        return 0;
    if ((flags & kBlackOnWhite) != 0 && (widthDest < picture.width() || heightDest < picture.height()))
        picture =
            AndReduce(picture, std::min(widthDest, picture.width()), std::min(heightDest, picture.height()));
    if (PaintsOnGreys(painter))
        picture = NearestGreys(picture);
    if (picture.isNull())
        return 0;
    // Nearest pixel, never smoothed, as a stretch blit does.
    const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(xDest, yDest, widthDest, heightDest), picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    return 0;
}
