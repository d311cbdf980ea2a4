// The artwork compiled into the program: every resource a valid 8-bit bmp
// file image of its size, and the pictures whose pixels other code relies on
// (the graticule's geometry, the front panel's indicator places) checked
// pixel by pixel.

#include "ResourceBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <span>
#include <string>

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
    auto operator<=>(const Rgb&) const = default;
    int Brightness() const { return r + g + b; }
};

std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << "RGB(" << c.r << "," << c.g << "," << c.b << ")";
}

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kSurround{156, 156, 156};

std::uint32_t Le(std::span<const std::uint8_t> bytes, std::size_t offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | bytes[offset + static_cast<std::size_t>(i)];
    return value;
}

// A resource read as the 8-bit bottom-up file image it must be.
class Bitmap {
public:
    explicit Bitmap(int id) : m_bytes(ResourceBitmap(id)) {}

    std::span<const std::uint8_t> Bytes() const { return m_bytes; }
    int Width() const { return static_cast<int>(Le(m_bytes, 18, 4)); }
    int Height() const { return static_cast<int>(Le(m_bytes, 22, 4)); }
    int Stride() const { return (Width() + 3) / 4 * 4; }
    int Index(int x, int y) const
    {
        return m_bytes[1078 + static_cast<std::size_t>((Height() - 1 - y) * Stride() + x)];
    }
    Rgb PaletteEntry(int index) const
    {
        const std::size_t entry = 54 + static_cast<std::size_t>(index) * 4;
        return {m_bytes[entry + 2], m_bytes[entry + 1], m_bytes[entry]};
    }
    Rgb At(int x, int y) const { return PaletteEntry(Index(x, y)); }
    std::set<Rgb> Palette() const
    {
        std::set<Rgb> colours;
        for (int i = 0; i < 256; ++i)
            colours.insert(PaletteEntry(i));
        return colours;
    }

private:
    std::span<const std::uint8_t> m_bytes;
};

struct Expected {
    int id;
    int width;
    int height;
};

constexpr std::array<Expected, 9> kResources{{
    {128, 208, 15},   // toolbar: 13 images of 16 x 15
    {130, 320, 74},   // main window backdrop
    {131, 376, 193},  // front panel
    {134, 320, 64},   // start dialog and About box banner
    {137, 340, 170},  // screen graticule
    {139, 240, 128},  // start dialog picture
    {140, 339, 94},   // page watermark
    {141, 144, 84},   // page logo
    {31234, 32, 32},  // program icon
}};

// Names the parameter in the test list by its resource number.
void PrintTo(const Expected& resource, std::ostream* out)
{
    *out << resource.id;
}

class ResourceFile : public testing::TestWithParam<Expected> {};

TEST_P(ResourceFile, IsAnUncompressed8BitBottomUpBmpOfItsSize)
{
    const Expected expected = GetParam();
    const Bitmap bitmap(expected.id);
    const auto bytes = bitmap.Bytes();
    ASSERT_GE(bytes.size(), 1078u);
    EXPECT_EQ('B', bytes[0]);
    EXPECT_EQ('M', bytes[1]);
    const int stride = (expected.width + 3) / 4 * 4;
    const std::size_t fileSize = 14 + 40 + 1024 + static_cast<std::size_t>(stride * expected.height);
    EXPECT_EQ(fileSize, bytes.size());
    EXPECT_EQ(fileSize, Le(bytes, 2, 4));
    EXPECT_EQ(0u, Le(bytes, 6, 4));      // reserved
    EXPECT_EQ(1078u, Le(bytes, 10, 4));  // pixel offset: headers and 256 colours
    EXPECT_EQ(40u, Le(bytes, 14, 4));    // BITMAPINFOHEADER
    EXPECT_EQ(expected.width, static_cast<int>(Le(bytes, 18, 4)));
    EXPECT_EQ(expected.height, static_cast<int>(Le(bytes, 22, 4)));  // positive: bottom-up
    EXPECT_EQ(1u, Le(bytes, 26, 2));
    EXPECT_EQ(8u, Le(bytes, 28, 2));
    EXPECT_EQ(0u, Le(bytes, 30, 4));  // BI_RGB
    EXPECT_EQ(256u, Le(bytes, 46, 4));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(0, bytes[54 + static_cast<std::size_t>(i) * 4 + 3]) << "colour " << i;
    // Row padding is zero.
    for (int y = 0; y < expected.height; ++y)
        for (int x = expected.width; x < stride; ++x)
            EXPECT_EQ(0, bytes[1078 + static_cast<std::size_t>(y * stride + x)]);
}

INSTANTIATE_TEST_SUITE_P(Artwork, ResourceFile, testing::ValuesIn(kResources),
                         [](const testing::TestParamInfo<Expected>& resource) {
                             return std::to_string(resource.param.id);
                         });

TEST(ResourceBitmap, UnknownNumbersGiveNothing)
{
    EXPECT_TRUE(ResourceBitmap(0).empty());
    EXPECT_TRUE(ResourceBitmap(-137).empty());
    EXPECT_TRUE(ResourceBitmap(129).empty());
    EXPECT_TRUE(ResourceBitmap(138).empty());
}

// ---- The screen graticule (137) ----

constexpr int kFrameLeft = 20;
constexpr int kFrameRight = 320;
constexpr int kFrameTop = 5;
constexpr int kFrameBottom = 136;

bool IsOctaveLine(int x)
{
    return x >= 50 && x <= 290 && (x - 50) % 30 == 0;
}

bool IsGridRow(int y)
{
    return y == 31 || y == 61 || y == 91 || y == 121;
}

TEST(Graticule, HasABlackOuterEdgeAroundAGreySurround)
{
    const Bitmap g(137);
    for (int x = 0; x < 340; ++x) {
        EXPECT_EQ(kBlack, g.At(x, 0)) << x;
        EXPECT_EQ(kBlack, g.At(x, 169)) << x;
    }
    for (int y = 0; y < 170; ++y) {
        EXPECT_EQ(kBlack, g.At(0, y)) << y;
        EXPECT_EQ(kBlack, g.At(339, y)) << y;
    }
    for (int x = 1; x < 339; ++x)
        for (int y = 1; y < kFrameTop; ++y)
            EXPECT_EQ(kSurround, g.At(x, y)) << x << "," << y;
    for (int y = 1; y < 169; ++y) {
        for (int x = 1; x < 4; ++x)
            EXPECT_EQ(kSurround, g.At(x, y)) << x << "," << y;
        EXPECT_EQ(kSurround, g.At(338, y)) << y;
    }
}

TEST(Graticule, FramesTheFieldWithWhiteLines)
{
    const Bitmap g(137);
    for (int y = kFrameTop; y <= kFrameBottom; ++y) {
        EXPECT_EQ(kWhite, g.At(kFrameLeft, y)) << y;
        EXPECT_EQ(kWhite, g.At(kFrameRight, y)) << y;
        EXPECT_NE(kWhite, g.At(kFrameLeft - 1, y)) << y;
        EXPECT_NE(kWhite, g.At(kFrameRight + 1, y)) << y;
    }
    for (int x = kFrameLeft; x <= kFrameRight; ++x) {
        EXPECT_EQ(kWhite, g.At(x, kFrameTop)) << x;
        EXPECT_EQ(kWhite, g.At(x, kFrameBottom)) << x;
        EXPECT_EQ(kSurround, g.At(x, kFrameTop - 1)) << x;
    }
}

TEST(Graticule, FieldIsNavyWithWhiteOctaveLinesAndBlackLevelRows)
{
    const Bitmap g(137);
    for (int y = kFrameTop + 1; y < kFrameBottom; ++y)
        for (int x = kFrameLeft + 1; x < kFrameRight; ++x) {
            const Rgb expected = IsOctaveLine(x) ? kWhite : IsGridRow(y) ? kBlack : kNavy;
            ASSERT_EQ(expected, g.At(x, y)) << x << "," << y;
        }
    // Nine octave lines, 30 pixels apart, between the band groups.
    int lines = 0;
    for (int x = kFrameLeft + 1; x < kFrameRight; ++x)
        lines += IsOctaveLine(x) ? 1 : 0;
    EXPECT_EQ(9, lines);
}

TEST(Graticule, LevelLabelsLieInTheirColumnsCentredOnTheirLevels)
{
    const Bitmap g(137);
    for (int column : {4, 322}) {
        // Nothing outside the 16-pixel column: bare surround on its outer side,
        // the frame or one pixel of surround on the field's side.
        for (int y = 7; y <= 134; ++y) {
            EXPECT_EQ(kSurround, g.At(column == 4 ? 3 : 338, y)) << y;
            EXPECT_EQ(column == 4 ? kWhite : kSurround, g.At(column == 4 ? 20 : 321, y)) << y;
        }
        // Label j is centred on y = 31 - 10 * (2 - j) and 7 rows high, so the
        // 3 rows between two labels are empty and each label's middle row is inked.
        for (int j = 0; j < 13; ++j) {
            const int centre = 11 + 10 * j;
            bool inked = false;
            for (int x = column; x < column + 16; ++x) {
                const Rgb c = g.At(x, centre);
                EXPECT_TRUE(c == kSurround || c == kBlack) << x << "," << centre;
                inked = inked || c == kBlack;
            }
            EXPECT_TRUE(inked) << "label " << j << " at x " << column;
            for (int gap = centre + 4; gap <= std::min(centre + 6, 134); ++gap)
                for (int x = column; x < column + 16; ++x)
                    EXPECT_EQ(kSurround, g.At(x, gap)) << x << "," << gap;
        }
    }
}

TEST(Graticule, LabelColumnsShareTheirLayoutAndDifferInTheirSteps)
{
    const Bitmap g(137);
    auto rowsEqual = [&g](int top, int bottom) {
        for (int y = top; y <= bottom; ++y)
            for (int x = 0; x < 16; ++x)
                if (g.At(4 + x, y) != g.At(322 + x, y))
                    return false;
        return true;
    };
    EXPECT_TRUE(rowsEqual(28, 34));     // "+0" on the 0 dBr row in both
    EXPECT_FALSE(rowsEqual(8, 14));     // "+2" against "+4"
    EXPECT_FALSE(rowsEqual(128, 134));  // "-10" against "-20"
}

TEST(Graticule, BandLabelsSitUnderTheirBandCentresInThreeRows)
{
    const Bitmap g(137);
    for (int band = 0; band < 30; ++band) {
        const int centre = 26 + 10 * band;
        EXPECT_EQ(kBlack, g.At(centre, kFrameBottom + 1)) << "tick of band " << band;
        const int top = 140 + 9 * (band % 3);
        // Black on both sides of the centre within the band's row: the label is centred.
        int left = 0;
        int right = 0;
        for (int y = top; y < top + 7; ++y)
            for (int dx = 1; dx <= 9; ++dx) {
                left += g.At(centre - dx, y) == kBlack ? 1 : 0;
                right += g.At(centre + dx, y) == kBlack ? 1 : 0;
            }
        EXPECT_GT(left, 0) << band;
        EXPECT_GT(right, 0) << band;
    }
}

TEST(Graticule, ColourTableHoldsTheTraceColoursExactly)
{
    const std::set<Rgb> palette = Bitmap(137).Palette();
    for (Rgb c :
         {Rgb{0, 128, 0}, Rgb{128, 0, 0}, Rgb{255, 0, 0}, kWhite, kBlack, kNavy, kSurround, Rgb{128, 128, 0}})
        EXPECT_TRUE(palette.contains(c)) << c;
}

// ---- The front panel (131), drawn by the comms window at client (8, 15) ----

constexpr int kPanelX = 8;
constexpr int kPanelY = 15;

// Every pixel of an indicator rectangle (client coordinates, right and bottom
// outside) in the panel, which must all be one colour.
Rgb LampColour(const Bitmap& panel, int left, int top, int right, int bottom)
{
    const Rgb colour = panel.At(left - kPanelX, top - kPanelY);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            EXPECT_EQ(colour, panel.At(x - kPanelX, y - kPanelY)) << "client " << x << "," << y;
    return colour;
}

// An unlit red lamp: dark red glass, well below the red the window lights it with.
bool IsUnlitRed(const Rgb& c, int brightest)
{
    return c.r > c.g + 20 && c.r > c.b + 20 && c.r <= brightest;
}

// Every pixel of the indicator rectangle is unlit red glass (a lamp may carry
// a small highlight), and the ring around it is darker than the glass.
void ExpectUnlitLamp(const Bitmap& panel, int left, int top, int right, int bottom, int brightest)
{
    int darkestGlass = 255 * 3;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const Rgb c = panel.At(x - kPanelX, y - kPanelY);
            EXPECT_TRUE(IsUnlitRed(c, brightest)) << c << " at client " << x << "," << y;
            darkestGlass = std::min(darkestGlass, c.Brightness());
        }
    for (int x = left - 1; x <= right; ++x) {
        EXPECT_LT(panel.At(x - kPanelX, top - 1 - kPanelY).Brightness(), darkestGlass) << x;
        EXPECT_LT(panel.At(x - kPanelX, bottom - kPanelY).Brightness(), darkestGlass) << x;
    }
}

TEST(FrontPanel, RedIndicatorPlacesHoldUnlitLamps)
{
    const Bitmap panel(131);
    const std::array<std::array<int, 4>, 11> lamps{{
        {307, 36, 312, 41},    // Mike
        {335, 36, 340, 41},    // Left
        {363, 36, 368, 41},    // Right
        {335, 64, 340, 69},    // Sum
        {363, 64, 368, 69},    // Diff
        {307, 64, 312, 69},    // weighting C
        {345, 131, 350, 136},  // range 1 dB
        {365, 131, 370, 136},  // range 2 dB
        {345, 170, 350, 175},  // slow
        {365, 170, 370, 175},  // fast
        {224, 170, 229, 175},  // hidden
    }};
    for (const auto& lamp : lamps)
        ExpectUnlitLamp(panel, lamp[0], lamp[1], lamp[2], lamp[3], 140);
    for (int s = 1; s <= 8; ++s)
        ExpectUnlitLamp(panel, 264, 7 * s + 51, 269, 7 * s + 56, 140);
}

TEST(FrontPanel, DisplayHasAnUnlitDotUnderEveryDotPlace)
{
    const Bitmap panel(131);
    for (int band = 0; band <= 30; ++band) {
        const int x = band < 30 ? 26 + 7 * band : 250;
        for (int k = 0; k <= 12; ++k)
            // Darker than the dim dots (RGB 128, 0, 0) the window draws for old data.
            ExpectUnlitLamp(panel, x, 114 - 7 * k, x + 5, 119 - 7 * k, 64);
    }
}

TEST(FrontPanel, MemoryStripHasACellUnderEveryMemoryMark)
{
    const Bitmap panel(131);
    const Rgb cell = LampColour(panel, 7 + 19, 153, 7 + 25, 158);
    EXPECT_GT(cell.g, cell.r);  // an unlit green lamp
    EXPECT_LT(cell.g, 128);
    for (int m = 1; m <= 30; ++m) {
        EXPECT_EQ(cell, LampColour(panel, 7 * m + 19, 153, 7 * m + 25, 158)) << m;
        // Cells are parted by the dark strip.
        EXPECT_NE(cell, panel.At(7 * m + 25 - kPanelX, 155 - kPanelY)) << m;
    }
}

TEST(FrontPanel, EveryClickRegionShowsAKeyCap)
{
    const Bitmap panel(131);
    const std::array<std::array<int, 4>, 14> keys{{
        {288, 35, 312, 58},
        {314, 35, 340, 58},
        {342, 35, 368, 58},
        {288, 63, 312, 86},
        {314, 63, 340, 86},
        {342, 63, 368, 86},
        {288, 101, 312, 125},
        {288, 130, 312, 154},
        {344, 130, 368, 154},
        {344, 168, 368, 191},
        {30, 168, 54, 191},
        {65, 168, 88, 191},
        {134, 168, 158, 191},
        {201, 168, 229, 191},
    }};
    for (const auto& key : keys) {
        // Most of a key is lighter than the bare panel beside it in the same row
        // (the panel's right margin is bare from top to bottom).
        int lighter = 0;
        int total = 0;
        for (int y = key[1]; y <= key[3]; ++y)
            for (int x = key[0]; x <= key[2]; ++x) {
                ++total;
                lighter += panel.At(x - kPanelX, y - kPanelY).Brightness() >
                                   panel.At(372, y - kPanelY).Brightness() + 30
                               ? 1
                               : 0;
            }
        EXPECT_GT(lighter * 10, total * 6) << "key at " << key[0] << "," << key[1];
    }
}

// ---- The other pictures ----

TEST(Watermark, IsLightGreyOnWhite)
{
    const Bitmap watermark(140);
    for (int i = 0; i < 256; ++i) {
        const Rgb c = watermark.PaletteEntry(i);
        EXPECT_TRUE(c.r == c.g && c.g == c.b) << c;
    }
    int darkest = 255;
    for (int y = 0; y < watermark.Height(); ++y)
        for (int x = 0; x < watermark.Width(); ++x)
            darkest = std::min(darkest, watermark.At(x, y).r);
    EXPECT_GE(darkest, 200);
    EXPECT_LT(darkest, 240);  // there is something to see
    EXPECT_EQ(kWhite, watermark.At(0, 0));
}

TEST(PageLogo, StandsOnWhite)
{
    const Bitmap logo(141);
    EXPECT_EQ(kWhite, logo.At(0, 0));
    EXPECT_EQ(kWhite, logo.At(143, 83));
}

TEST(ClientBackdrop, EdgesAreTheWindowsGrey)
{
    // Drawn centred on the stock grey brush, so its border must be that grey.
    const Bitmap backdrop(130);
    const Rgb grey{128, 128, 128};
    for (int x = 0; x < backdrop.Width(); ++x) {
        EXPECT_EQ(grey, backdrop.At(x, 0)) << x;
        EXPECT_EQ(grey, backdrop.At(x, backdrop.Height() - 1)) << x;
    }
    for (int y = 0; y < backdrop.Height(); ++y) {
        EXPECT_EQ(grey, backdrop.At(0, y)) << y;
        EXPECT_EQ(grey, backdrop.At(backdrop.Width() - 1, y)) << y;
    }
}

TEST(ToolbarStrip, ThirteenImagesOnTheButtonFace)
{
    const Bitmap strip(128);
    const Rgb face{192, 192, 192};
    for (int button = 0; button < 13; ++button) {
        int ink = 0;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x)
                ink += strip.At(16 * button + x, y) != face ? 1 : 0;
        EXPECT_GT(ink, 20) << "image " << button;
        EXPECT_EQ(face, strip.At(16 * button, 0)) << "image " << button;
    }
}

}  // namespace
