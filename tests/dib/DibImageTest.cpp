#include "dib/DibImage.h"

#include "ResourceBitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void SetLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> FileImage(const DibImage& image)
{
    std::vector<std::uint8_t> file(static_cast<std::size_t>(image.FileSize()));
    EXPECT_EQ(image.WriteBmp(file), 0);
    return file;
}

// An 8-bit image whose pixel (x, y) holds x + 10 y.
std::vector<std::uint8_t> PatternFile(int width, int height)
{
    DibImage image;
    EXPECT_EQ(image.Create(width, height, 0, 8), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            *image.Pixel(x, y) = static_cast<std::uint8_t>(x + 10 * y);
    return FileImage(image);
}

}  // namespace

// --- Create: strides, sizes, colour tables ------------------------------------

struct StrideCase {
    int width;
    int bitsPerPixel;
    int stride;
};

class DibStride : public ::testing::TestWithParam<StrideCase> {};

TEST_P(DibStride, FollowsTheRowRule)
{
    const StrideCase& c = GetParam();
    DibImage image;
    ASSERT_EQ(image.Create(c.width, 3, 0, c.bitsPerPixel), 0);
    EXPECT_EQ(image.Stride(), c.stride);
    EXPECT_EQ(image.ImageBytes(), c.stride * 3);
}

INSTANTIATE_TEST_SUITE_P(Depths, DibStride,
                         ::testing::Values(StrideCase{33, 1, 8}, StrideCase{32, 1, 4}, StrideCase{100, 1, 16},
                                           StrideCase{339, 8, 340}, StrideCase{340, 8, 340},
                                           StrideCase{1, 8, 4}, StrideCase{5, 16, 12}, StrideCase{5, 24, 16},
                                           StrideCase{4, 24, 12}, StrideCase{5, 32, 20},
                                           StrideCase{0, 8, 0}));

TEST(DibImage, EightBitImageHasTheGreyRamp)
{
    DibImage image;
    ASSERT_EQ(image.Create(800, 600, 0, 8), 0);
    EXPECT_TRUE(image.IsValid());
    EXPECT_EQ(image.Colours(), 256);
    EXPECT_EQ(image.PaletteBytes(), 1024);
    EXPECT_EQ(image.BlockSize(), 40 + 1024 + 480000);
    const std::uint8_t* table = image.ColourTable();
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(table[4 * i], i);
        ASSERT_EQ(table[4 * i + 1], i);
        ASSERT_EQ(table[4 * i + 2], i);
        ASSERT_EQ(table[4 * i + 3], 0);
    }
    for (int i = 0; i < image.ImageBytes(); ++i)
        ASSERT_EQ(image.Bits()[i], 0);
}

TEST(DibImage, SmallTablesEndInWhite)
{
    DibImage image;
    ASSERT_EQ(image.Create(4, 4, 4, 8), 0);
    const std::uint8_t* table = image.ColourTable();
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[4], 64);
    EXPECT_EQ(table[8], 128);
    EXPECT_EQ(table[12], 255);

    ASSERT_EQ(image.Create(4, 4, 0, 1), 0);
    EXPECT_EQ(image.Colours(), 2);
    EXPECT_EQ(image.ColourTable()[0], 0);
    EXPECT_EQ(image.ColourTable()[4], 255);
    EXPECT_EQ(image.ColourTable()[6], 255);
}

TEST(DibImage, TrueColourDepthsHaveNoTable)
{
    for (int depth : {16, 24, 32}) {
        DibImage image;
        ASSERT_EQ(image.Create(7, 2, 256, depth), 0);
        EXPECT_EQ(image.Colours(), 0);
        EXPECT_EQ(image.PaletteBytes(), 0);
        EXPECT_EQ(image.Bits(), image.Block() + 40);
    }
}

TEST(DibImage, RefusesImpossibleImages)
{
    DibImage image;
    EXPECT_EQ(image.Create(-1, 10, 0, 8), DibImage::kInvalid);
    EXPECT_EQ(image.Create(10, -1, 0, 8), DibImage::kInvalid);
    EXPECT_EQ(image.Create(10, 10, 0, 4), DibImage::kInvalid);
    EXPECT_EQ(image.Create(10, 10, 0, 0), DibImage::kInvalid);
    EXPECT_EQ(image.Create(10, 10, 257, 8), DibImage::kInvalid);
    EXPECT_EQ(image.Create(10, 10, 3, 1), DibImage::kInvalid);
    // More than the 32-bit block size can describe.
    EXPECT_EQ(image.Create(60000, 60000, 0, 8), DibImage::kInvalid);
    EXPECT_EQ(image.Create(0x7fffffff, 0x7fffffff, 0, 32), DibImage::kInvalid);
    EXPECT_EQ(image.Create(0x7fffffff, 0, 0, 8), DibImage::kInvalid);
    EXPECT_EQ(image.Create(0x40000000, 0, 0, 32), DibImage::kInvalid);
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.ErrorCode(), DibImage::kInvalid);
    // Without rows, the widest stride that fits.
    ASSERT_EQ(image.Create(0x1fffffff, 0, 0, 32), 0);
    EXPECT_EQ(image.Stride(), 0x7ffffffc);
}

TEST(DibImage, EmptyImageHasNoPixels)
{
    DibImage image;
    EXPECT_EQ(image.Pixel(0, 0), nullptr);
    EXPECT_EQ(image.Row(0), nullptr);
    ASSERT_EQ(image.Create(0, 0, 0, 8), 0);
    EXPECT_TRUE(image.IsValid());
    EXPECT_EQ(image.Pixel(0, 0), nullptr);
    EXPECT_EQ(image.FileSize(), 14 + 40 + 1024);
}

TEST(DibImage, FreeEmptiesTheImage)
{
    DibImage image;
    ASSERT_EQ(image.Create(10, 10, 0, 8), 0);
    image.Free();
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Bits(), nullptr);
    EXPECT_EQ(image.ColourTable(), nullptr);
    LogPalette palette;
    EXPECT_EQ(image.MakePalette(palette), DibImage::kInvalid);
}

// --- Pixel addressing ---------------------------------------------------------

TEST(DibImage, PixelCountsRowsFromTheTop)
{
    DibImage image;
    ASSERT_EQ(image.Create(10, 4, 0, 8), 0);
    // The top row of the picture is the last row stored.
    EXPECT_EQ(image.Pixel(0, 0), image.Bits() + 3 * 12);
    EXPECT_EQ(image.Pixel(0, 3), image.Bits());
    EXPECT_EQ(image.Pixel(9, 1), image.Bits() + 2 * 12 + 9);
    EXPECT_EQ(image.Row(2), image.Bits() + 12);
    EXPECT_EQ(image.Pixel(10, 0), nullptr);
    EXPECT_EQ(image.Pixel(-1, 0), nullptr);
    EXPECT_EQ(image.Pixel(0, 4), nullptr);
    EXPECT_EQ(image.Pixel(0, -1), nullptr);
    EXPECT_EQ(image.Row(4), nullptr);
}

TEST(DibImage, PixelByteOffsetFollowsTheDepth)
{
    struct Case {
        int depth;
        int x;
        int offset;
    };
    for (const Case& c : {Case{1, 17, 2}, Case{16, 3, 6}, Case{24, 3, 9}, Case{32, 3, 12}}) {
        DibImage image;
        ASSERT_EQ(image.Create(40, 2, 0, c.depth), 0);
        EXPECT_EQ(image.Pixel(c.x, 1), image.Bits() + c.offset) << c.depth;
    }
}

// --- .bmp files ---------------------------------------------------------------

TEST(DibImage, EightBitFileHeader)
{
    DibImage image;
    ASSERT_EQ(image.Create(800, 600, 0, 8), 0);
    const std::vector<std::uint8_t> file = FileImage(image);
    ASSERT_EQ(file.size(), 481078u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Le32(file, 2), 481078u);
    EXPECT_EQ(Le32(file, 6), 0u);
    EXPECT_EQ(Le32(file, 10), 1078u);
    EXPECT_EQ(Le32(file, 14), 40u);
    EXPECT_EQ(Le32(file, 18), 800u);
    EXPECT_EQ(Le32(file, 22), 600u);
    EXPECT_EQ(file[26] | file[27] << 8, 1);
    EXPECT_EQ(file[28] | file[29] << 8, 8);
    for (std::size_t at : {30u, 34u, 38u, 42u, 50u})
        EXPECT_EQ(Le32(file, at), 0u) << at;
    EXPECT_EQ(Le32(file, 46), 256u);
    EXPECT_EQ(Le32(file, 54 + 4 * 200), 0x00C8C8C8u);
}

TEST(DibImage, OneBitFileHeader)
{
    DibImage image;
    ASSERT_EQ(image.Create(100, 10, 0, 1), 0);
    EXPECT_EQ(image.Stride(), 16);
    const std::vector<std::uint8_t> file = FileImage(image);
    ASSERT_EQ(file.size(), 222u);
    EXPECT_EQ(Le32(file, 2), 222u);
    EXPECT_EQ(Le32(file, 10), 62u);
    EXPECT_EQ(file[28], 1);
    EXPECT_EQ(Le32(file, 46), 2u);
    EXPECT_EQ(Le32(file, 54), 0x00000000u);
    EXPECT_EQ(Le32(file, 58), 0x00FFFFFFu);
}

TEST(DibImage, WriteBmpRefusesShortOrMissingBuffers)
{
    DibImage image;
    ASSERT_EQ(image.Create(3, 3, 0, 8), 0);
    std::vector<std::uint8_t> small(static_cast<std::size_t>(image.FileSize() - 1));
    EXPECT_EQ(image.WriteBmp(small), DibImage::kInvalid);
    EXPECT_EQ(image.WriteBmp({}), DibImage::kNoMemory);
    DibImage empty;
    std::vector<std::uint8_t> out(100);
    EXPECT_EQ(empty.WriteBmp(out), DibImage::kInvalid);
}

TEST(DibImage, FileRoundTripIsByteExact)
{
    const std::vector<std::uint8_t> file = PatternFile(13, 7);
    DibImage image;
    ASSERT_EQ(image.LoadFileImage(file), 0);
    EXPECT_EQ(image.Width(), 13);
    EXPECT_EQ(image.Height(), 7);
    EXPECT_EQ(*image.Pixel(12, 6), 72);
    EXPECT_EQ(FileImage(image), file);
}

TEST(DibImage, PackedRoundTrip)
{
    const std::vector<std::uint8_t> file = PatternFile(5, 3);
    DibImage image;
    ASSERT_EQ(image.LoadPacked(std::span(file).subspan(14)), 0);
    EXPECT_EQ(*image.Pixel(4, 2), 24);
    EXPECT_EQ(FileImage(image), file);
}

TEST(DibImage, FileImageRowsStartAtThePixelOffset)
{
    // A gap between colour table and rows, as some programs write.
    DibImage source;
    ASSERT_EQ(source.Create(4, 2, 2, 8), 0);
    *source.Pixel(1, 0) = 1;
    std::vector<std::uint8_t> file = FileImage(source);
    file.insert(file.begin() + 62, {0xAA, 0xBB, 0xCC, 0xDD});
    SetLe32(file, 10, 66);
    DibImage image;
    ASSERT_EQ(image.LoadFileImage(file), 0);
    EXPECT_EQ(image.Colours(), 2);
    EXPECT_EQ(*image.Pixel(1, 0), 1);
    EXPECT_EQ(*image.Pixel(0, 0), 0);
}

TEST(DibImage, TwentyFourBitFileIgnoresItsColourCount)
{
    DibImage source;
    ASSERT_EQ(source.Create(5, 2, 0, 24), 0);
    source.Pixel(4, 1)[2] = 0x7F;
    std::vector<std::uint8_t> file = FileImage(source);
    for (std::uint32_t count : {16u, 0x80000000u, 0xFFFFFFFFu}) {
        SetLe32(file, 46, count);  // biClrUsed
        DibImage image;
        ASSERT_EQ(image.LoadFileImage(file), 0) << count;
        EXPECT_EQ(image.Colours(), 0);
        EXPECT_EQ(image.Pixel(4, 1)[2], 0x7F);
    }
}

TEST(DibImage, LongerInfoHeaderKeepsItsColourTable)
{
    // A 124-byte header as image editors write: the colour table follows it.
    DibImage source;
    ASSERT_EQ(source.Create(4, 1, 2, 8), 0);
    std::vector<std::uint8_t> file = FileImage(source);
    file.insert(file.begin() + 54, 84, 0);
    SetLe32(file, 14, 124);
    SetLe32(file, 10, 14 + 124 + 8);
    file[14 + 124 + 4] = 0x12;  // blue of the second colour
    DibImage image;
    ASSERT_EQ(image.LoadFileImage(file), 0);
    EXPECT_EQ(image.ColourTable()[4], 0x12);
}

// --- Bad input ----------------------------------------------------------------

TEST(DibImage, NullDataIsNoData)
{
    DibImage image;
    EXPECT_EQ(image.LoadFileImage({}), DibImage::kNoMemory);
    EXPECT_EQ(image.LoadPacked({}), DibImage::kNoMemory);
    EXPECT_EQ(image.ErrorCode(), DibImage::kNoMemory);
}

TEST(DibImage, RefusesFilesWithoutBM)
{
    std::vector<std::uint8_t> file = PatternFile(4, 4);
    file[0] = 'X';
    DibImage image;
    EXPECT_EQ(image.LoadFileImage(file), DibImage::kInvalid);
    EXPECT_FALSE(image.IsValid());
}

TEST(DibImage, RefusesEveryTruncation)
{
    const std::vector<std::uint8_t> file = PatternFile(6, 5);
    DibImage empty;
    EXPECT_EQ(empty.LoadFileImage(std::span(file.data(), 0)), DibImage::kInvalid);
    // Each cut copy has exactly its own length, so a read past it is caught.
    for (std::size_t size = 1; size < file.size(); ++size) {
        const std::vector<std::uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
        DibImage image;
        ASSERT_EQ(image.LoadFileImage(std::span(cut.data(), cut.size())), DibImage::kInvalid) << size;
    }
}

TEST(DibImage, RefusesLyingHeaders)
{
    const std::vector<std::uint8_t> good = PatternFile(6, 5);
    struct Lie {
        std::size_t at;
        std::uint32_t value;
    };
    const Lie lies[] = {
        {10, 0xFFFFFFF0u},                     // pixel offset past the end
        {10, 1100},                            // rows would run past the end
        {14, 12},                              // the old 12-byte header
        {14, 0xFFFFFFFFu},                     // header larger than the file
        {18, 9},                               // wider than the rows present
        {22, 6},                               // taller
        {18, 0x7FFFFFFFu},                     // huge
        {22, 0x7FFFFFFFu}, {18, 0xFFFFFFFAu},  // negative width
        {22, 0xFFFFFFFBu},                     // negative height (top-down rows)
        {28, 4},                               // unsupported depth
        {28, 0},           {30, 1},            // run-length compression
        {30, 3},                               // bit fields
        {46, 512},                             // more colours than 8 bits index
        {46, 0x80000000u},                     // a negative colour count
    };
    for (const Lie& lie : lies) {
        std::vector<std::uint8_t> file = good;
        if (lie.at == 28)
            file[28] = static_cast<std::uint8_t>(lie.value);
        else
            SetLe32(file, lie.at, lie.value);
        DibImage image;
        EXPECT_EQ(image.LoadFileImage(file), DibImage::kInvalid) << lie.at << " " << lie.value;
        EXPECT_FALSE(image.IsValid());
    }
}

TEST(DibImage, LoadingReplacesThePreviousImage)
{
    DibImage image;
    ASSERT_EQ(image.Create(10, 10, 0, 8), 0);
    std::vector<std::uint8_t> file = PatternFile(4, 4);
    file[1] = 'X';
    EXPECT_EQ(image.LoadFileImage(file), DibImage::kInvalid);
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.Bits(), nullptr);
}

// --- Copies -------------------------------------------------------------------

TEST(DibImage, CopyFromIsIndependent)
{
    DibImage source;
    ASSERT_EQ(source.LoadFileImage(PatternFile(9, 4)), 0);
    source.ColourTable()[4] = 0x33;
    DibImage copy;
    ASSERT_EQ(copy.CopyFrom(source), 0);
    EXPECT_EQ(FileImage(copy), FileImage(source));
    *source.Pixel(0, 0) = 200;
    EXPECT_EQ(*copy.Pixel(0, 0), 0);
    DibImage empty;
    EXPECT_EQ(copy.CopyFrom(empty), DibImage::kNoMemory);
    EXPECT_FALSE(copy.IsValid());
}

TEST(DibImage, CopyRectMovesRawBytes)
{
    DibImage source;
    ASSERT_EQ(source.LoadFileImage(PatternFile(20, 10)), 0);
    DibImage target;
    ASSERT_EQ(target.Create(30, 20, 0, 8), 0);
    ASSERT_EQ(target.CopyRect(source, 5, 6, 3, 2, 1, 4), 0);
    EXPECT_EQ(*target.Pixel(5, 6), 41);
    EXPECT_EQ(*target.Pixel(7, 7), 53);
    EXPECT_EQ(*target.Pixel(8, 7), 0);
    EXPECT_EQ(*target.Pixel(5, 8), 0);
    EXPECT_EQ(*target.Pixel(4, 6), 0);
}

TEST(DibImage, CopyRectIsCutAtTheRightEdge)
{
    DibImage picture;
    ASSERT_EQ(picture.Create(340, 170, 0, 8), 0);
    for (int y = 7; y < 135; ++y)
        for (int x = 4; x < 20; ++x)
            *picture.Pixel(x, y) = 9;
    DibImage target;
    ASSERT_EQ(target.CopyFrom(picture), 0);
    ASSERT_EQ(target.CopyRect(picture, 322, 7, 16, 128, 4, 7), 0);
    EXPECT_EQ(*target.Pixel(337, 7), 9);
    EXPECT_EQ(*target.Pixel(337, 134), 9);
    EXPECT_EQ(*target.Pixel(338, 7), 0);
    EXPECT_EQ(*target.Pixel(322, 135), 0);

    ASSERT_EQ(target.CopyFrom(picture), 0);
    ASSERT_EQ(target.CopyRect(picture, 330, 7, 16, 128, 4, 7), 0);
    int copied = 0;
    for (int x = 320; x < 340; ++x)
        copied += *target.Pixel(x, 50) == 9;
    EXPECT_EQ(copied, 10);
}

TEST(DibImage, CopyRectOutsideCopiesNothing)
{
    DibImage source;
    ASSERT_EQ(source.LoadFileImage(PatternFile(10, 10)), 0);
    DibImage target;
    ASSERT_EQ(target.Create(10, 10, 0, 8), 0);
    EXPECT_EQ(target.CopyRect(source, 10, 0, 5, 5, 0, 0), 0);
    EXPECT_EQ(target.CopyRect(source, 0, 10, 5, 5, 0, 0), 0);
    EXPECT_EQ(target.CopyRect(source, 0, 0, 5, 5, 10, 0), 0);
    EXPECT_EQ(target.CopyRect(source, 0, 0, 5, 5, 0, 10), 0);
    for (int i = 0; i < target.ImageBytes(); ++i)
        ASSERT_EQ(target.Bits()[i], 0);
}

TEST(DibImage, CopyRectZeroSizeMeansTheWholeImage)
{
    DibImage source;
    ASSERT_EQ(source.LoadFileImage(PatternFile(10, 10)), 0);
    DibImage target;
    ASSERT_EQ(target.Create(6, 4, 0, 8), 0);
    ASSERT_EQ(target.CopyRect(source, 0, 0, 0, 0, 2, 3), 0);
    EXPECT_EQ(*target.Pixel(0, 0), 32);
    EXPECT_EQ(*target.Pixel(5, 3), 67);
}

TEST(DibImage, CopyRectNeverWritesPastARow)
{
    DibImage source;
    ASSERT_EQ(source.LoadFileImage(PatternFile(10, 10)), 0);
    DibImage target;
    ASSERT_EQ(target.Create(10, 10, 0, 8), 0);
    // Negative origins count as 0; the block is still cut at the edges.
    ASSERT_EQ(target.CopyRect(source, -5, -5, 40, 40, -3, 0), 0);
    EXPECT_EQ(*target.Pixel(0, 0), 0);
    EXPECT_EQ(*target.Pixel(9, 9), 99);
    DibImage deep;
    ASSERT_EQ(deep.Create(10, 10, 0, 32), 0);
    EXPECT_EQ(deep.CopyRect(source, 0, 0, 0, 0, 0, 0), DibImage::kInvalid);
}

TEST(DibImage, OneBitCopyRectMovesWholeBytes)
{
    DibImage source;
    ASSERT_EQ(source.Create(32, 2, 0, 1), 0);
    source.Pixel(8, 1)[0] = 0xA5;
    source.Pixel(16, 1)[0] = 0x5A;
    DibImage target;
    ASSERT_EQ(target.Create(32, 2, 0, 1), 0);
    ASSERT_EQ(target.CopyRect(source, 0, 0, 16, 1, 8, 1), 0);
    EXPECT_EQ(target.Pixel(0, 0)[0], 0xA5);
    EXPECT_EQ(target.Pixel(8, 0)[0], 0x5A);
}

// --- Palettes and resources ---------------------------------------------------

TEST(DibImage, MakePaletteListsTheColourTable)
{
    DibImage image;
    ASSERT_EQ(image.Create(2, 2, 0, 8), 0);
    image.ColourTable()[4 * 7 + 0] = 1;  // blue
    image.ColourTable()[4 * 7 + 1] = 2;  // green
    image.ColourTable()[4 * 7 + 2] = 3;  // red
    LogPalette palette;
    ASSERT_EQ(image.MakePalette(palette), 0);
    EXPECT_EQ(palette.palVersion, 0x300);
    EXPECT_EQ(palette.palNumEntries, 256);
    EXPECT_EQ(palette.palPalEntry[7].peRed, 3);
    EXPECT_EQ(palette.palPalEntry[7].peGreen, 2);
    EXPECT_EQ(palette.palPalEntry[7].peBlue, 1);
    EXPECT_EQ(palette.palPalEntry[7].peFlags, 0);
    EXPECT_EQ(palette.palPalEntry[255].peRed, 255);
}

TEST(DibImage, UnknownResourceIsNoData)
{
    DibImage image;
    ASSERT_EQ(image.Create(2, 2, 0, 8), 0);
    EXPECT_EQ(image.LoadResource(9999), DibImage::kNoMemory);
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.ErrorText(), "Cannot load resource");
}

TEST(DibImage, ResourcesHaveTheirSizes)
{
    struct Expected {
        int id;
        int width;
        int height;
    };
    for (const Expected& e :
         {Expected{131, 376, 193}, Expected{137, 340, 170}, Expected{140, 339, 94}, Expected{141, 144, 84}}) {
        if (ResourceBitmap(e.id).empty())
            continue;  // the artwork is not built into this tree
        DibImage image;
        ASSERT_EQ(image.LoadResource(e.id), 0) << e.id;
        EXPECT_EQ(image.Width(), e.width);
        EXPECT_EQ(image.Height(), e.height);
        EXPECT_EQ(image.BitsPerPixel(), 8);
        EXPECT_EQ(image.Colours(), 256);
    }
}
