#include "PageImage.h"

#include "dib/DibImage.h"
#include "plot/DibPainter.h"
#include "plot/DrawDib.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// A 4 x 3 8-bit picture: pixel (x, y) holds index x + 4 y, whose colour is
// red = 10 x + 1, green = 10 y + 2, blue = 3.
void MakeIndexed(DibImage& image)
{
    ASSERT_EQ(image.Create(4, 3, 0, 8), 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const int index = x + 4 * y;
            *image.Pixel(x, y) = static_cast<std::uint8_t>(index);
            std::uint8_t* entry = image.ColourTable() + 4 * index;
            entry[2] = static_cast<std::uint8_t>(10 * x + 1);
            entry[1] = static_cast<std::uint8_t>(10 * y + 2);
            entry[0] = 3;
        }
}

QRgb Expected(int x, int y)
{
    return qRgb(10 * x + 1, 10 * y + 2, 3);
}

QImage Canvas(int width, int height)
{
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(0xFFFFFFFFu);
    return canvas;
}

}  // namespace

TEST(DrawDib, PictureKeepsItsColoursTopRowFirst)
{
    DibImage image;
    MakeIndexed(image);
    const QImage picture = DibToQImage(image);
    ASSERT_EQ(picture.format(), QImage::Format_Indexed8);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(picture.pixel(x, y), Expected(x, y)) << x << "," << y;
}

TEST(DrawDib, EveryDepthConverts)
{
    for (int depth : {1, 8, 16, 24, 32}) {
        DibImage image;
        ASSERT_EQ(image.Create(9, 2, 0, depth), 0);
        EXPECT_EQ(DibToQImage(image).size(), QSize(9, 2)) << depth;
    }
    DibImage twentyFour;
    ASSERT_EQ(twentyFour.Create(2, 1, 0, 24), 0);
    twentyFour.Pixel(1, 0)[0] = 0x30;  // blue
    twentyFour.Pixel(1, 0)[2] = 0x90;  // red
    EXPECT_EQ(DibToQImage(twentyFour).pixel(1, 0), qRgb(0x90, 0, 0x30));
    EXPECT_TRUE(DibToQImage(DibImage()).isNull());
}

TEST(DrawDib, ZeroSizesDrawTheImageAtItsOwnSize)
{
    DibImage image;
    MakeIndexed(image);
    QImage canvas = Canvas(10, 10);
    {
        QPainter painter(&canvas);
        EXPECT_EQ(DrawDib(painter, image, 2, 3, 0, 0, 0, 0, 0, 0, 0), 0);
    }
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(canvas.pixel(2 + x, 3 + y), Expected(x, y));
    EXPECT_EQ(canvas.pixel(6, 3), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.pixel(2, 6), 0xFFFFFFFFu);
}

TEST(DrawDib, StretchesAndCountsSourceRowsFromTheTop)
{
    DibImage image;
    MakeIndexed(image);
    QImage canvas = Canvas(10, 10);
    {
        QPainter painter(&canvas);
        // Source rectangle: columns 1..2 of rows 1..2, doubled.
        EXPECT_EQ(DrawDib(painter, image, 0, 0, 4, 4, 1, 1, 2, 2, 0), 0);
    }
    EXPECT_EQ(canvas.pixel(0, 0), Expected(1, 1));
    EXPECT_EQ(canvas.pixel(1, 1), Expected(1, 1));
    EXPECT_EQ(canvas.pixel(2, 0), Expected(2, 1));
    EXPECT_EQ(canvas.pixel(3, 3), Expected(2, 2));
    EXPECT_EQ(canvas.pixel(4, 0), 0xFFFFFFFFu);
}

TEST(DrawDib, BlackOnWhiteKeepsThinLinesWhenShrinking)
{
    DibImage image;
    ASSERT_EQ(image.Create(40, 40, 0, 8), 0);
    std::fill(image.Bits(), image.Bits() + image.ImageBytes(), 255);
    for (int y = 0; y < 40; ++y)
        *image.Pixel(21, y) = 0;  // one black column
    QImage canvas = Canvas(10, 10);
    {
        QPainter painter(&canvas);
        EXPECT_EQ(DrawDib(painter, image, 0, 0, 10, 10, 0, 0, 0, 0, kBlackOnWhite), 0);
    }
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(canvas.pixel(5, y), qRgb(0, 0, 0)) << y;
        EXPECT_EQ(canvas.pixel(4, y), qRgb(255, 255, 255));
        EXPECT_EQ(canvas.pixel(6, y), qRgb(255, 255, 255));
    }
}

TEST(DrawDib, RefusesEmptyImagesAndMirroring)
{
    QImage canvas = Canvas(4, 4);
    QPainter painter(&canvas);
    DibImage empty;
    EXPECT_EQ(DrawDib(painter, empty, 0, 0, 0, 0, 0, 0, 0, 0, 0), -1);
    DibImage image;
    MakeIndexed(image);
    EXPECT_EQ(DrawDib(painter, image, 0, 0, -4, 4, 0, 0, 0, 0, 0), -1);
    // A source outside the picture draws nothing.
    EXPECT_EQ(DrawDib(painter, image, 0, 0, 4, 4, 10, 10, 2, 2, 0), 0);
    painter.end();
    EXPECT_EQ(canvas.pixel(0, 0), 0xFFFFFFFFu);
}

TEST(DibPainter, PaintsStraightIntoAGreyImage)
{
    DibImage image;
    ASSERT_EQ(image.Create(10, 5, 0, 8), 0);
    std::fill(image.Bits(), image.Bits() + image.ImageBytes(), 255);
    const std::uint8_t* bits = image.Bits();
    {
        DibPainter painter(image);
        ASSERT_TRUE(painter.IsActive());
        painter.Painter().fillRect(QRect(0, 0, 3, 1), QColor(0, 0, 0));
        painter.Painter().fillRect(QRect(9, 4, 1, 1), QColor(100, 100, 100));
    }
    EXPECT_EQ(image.Bits(), bits);
    EXPECT_EQ(*image.Pixel(0, 0), 0);
    EXPECT_EQ(*image.Pixel(2, 0), 0);
    EXPECT_EQ(*image.Pixel(3, 0), 255);
    EXPECT_EQ(*image.Pixel(9, 4), 100);
    EXPECT_EQ(*image.Pixel(0, 4), 255);
    // The padding after each row is left alone.
    EXPECT_EQ(image.Row(0)[10], 255);
}

TEST(DibPainter, PaintsBlackAndWhiteByNearestColour)
{
    DibImage image;
    ASSERT_EQ(image.Create(20, 3, 0, 1), 0);
    std::fill(image.Bits(), image.Bits() + image.ImageBytes(), 0xFF);
    {
        DibPainter painter(image);
        ASSERT_TRUE(painter.IsActive());
        painter.Painter().fillRect(QRect(1, 0, 3, 1), QColor(0, 0, 0));
        painter.Painter().fillRect(QRect(0, 1, 20, 1), QColor(100, 100, 100));
        painter.Painter().fillRect(QRect(0, 2, 20, 1), QColor(200, 200, 200));
    }
    EXPECT_EQ(image.Pixel(0, 0)[0], 0x8F);
    EXPECT_EQ(image.Pixel(0, 1)[0], 0x00);
    EXPECT_EQ(image.Pixel(16, 1)[0], 0x0F);  // bits past the width stay as they were
    EXPECT_EQ(image.Pixel(0, 2)[0], 0xFF);
}

TEST(DibPainter, StartsFromTheImage)
{
    DibImage image;
    ASSERT_EQ(image.Create(4, 4, 0, 8), 0);
    *image.Pixel(1, 0) = 77;
    {
        DibPainter painter(image);
        ASSERT_TRUE(painter.IsActive());
        const auto* canvas = static_cast<const QImage*>(painter.Painter().device());
        EXPECT_EQ(qGray(canvas->pixel(1, 0)), 77);
    }
    EXPECT_EQ(*image.Pixel(1, 0), 77);
}

TEST(DibPainter, OnlyGreyAndBlackAndWhiteImages)
{
    DibImage colour;
    ASSERT_EQ(colour.Create(4, 4, 0, 8), 0);
    colour.ColourTable()[4 * 3] = 200;
    EXPECT_FALSE(DibPainter(colour).IsActive());
    DibImage trueColour;
    ASSERT_EQ(trueColour.Create(4, 4, 0, 24), 0);
    EXPECT_FALSE(DibPainter(trueColour).IsActive());
    DibImage empty;
    EXPECT_FALSE(DibPainter(empty).IsActive());
    DibImage noPixels;
    ASSERT_EQ(noPixels.Create(0, 5, 0, 8), 0);
    EXPECT_FALSE(DibPainter(noPixels).IsActive());
}
