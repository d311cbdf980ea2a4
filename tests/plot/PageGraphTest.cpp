// The page graph, checked on the pixels of graph-only pages of 720 x 360:
// U = 20, V = 10, the graph at (60, 30), 600 x 160, so a band column is 20
// pixels, a grid row 13 (the grid 156 high) and 0 dBr lies at y = 56.

#include "PageImage.h"

#include "data/NcCurveTable.h"
#include "plot/PlotPage.h"
#include "support/SampleDocument.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

constexpr int kPageWidth = 720;
constexpr int kPageHeight = 360;
constexpr int kX = 60;
constexpr int kY = 30;
constexpr int kColumn = 20;
constexpr int kOctave = 60;
constexpr int kRow = 13;
constexpr int kGridHeight = 156;
constexpr int kZeroRow = kY + 2 * kRow;
constexpr int kRecord = 4;

int BandX(int band)
{
    return kX + band / 3 * kOctave + band % 3 * kColumn + kOctave / 6;
}

using Pixels = std::set<std::pair<int, int>>;

// Three rows of a mark around y, from x - half up to x + half (excluded).
void AddMark(Pixels& pixels, int x, int y, int half)
{
    for (int row = y - 1; row <= y + 1; ++row)
        for (int column = x - half; column < x + half; ++column)
            pixels.insert({column, row});
}

class PageGraphTest : public DocumentTest {
protected:
    PageGraphTest()
    {
        Record(kRecord).mode = 1;       // Mike, flat, no NC curve
        Record(kRecord).refCode = 101;  // reference 24 dB SPL
    }

    void Render(PlotPage& page, int height = kPageHeight)
    {
        ASSERT_EQ(page.Render(&doc, kRecord, kPageWidth, height, 4, 1, 8), 0);
    }

    // Renders the page before and after change; the new dark pixels must be
    // exactly expected (less what was dark already).
    template <typename Change>
    void ExpectNewInk(Change change, const Pixels& expected, int height = kPageHeight)
    {
        PlotPage before;
        Render(before, height);
        change();
        PlotPage after;
        Render(after, height);
        Pixels wanted;
        for (const auto& [x, y] : expected)
            if (!IsInk(before.Image(), x, y))
                wanted.insert({x, y});
        const auto found = NewInk(before.Image(), after.Image());
        EXPECT_EQ(Pixels(found.begin(), found.end()), wanted);
    }

    void SetBand(int band, int code)
    {
        Record(kRecord).bands[static_cast<std::size_t>(band)] = static_cast<std::uint8_t>(code);
    }
};

}  // namespace

TEST_F(PageGraphTest, ZeroDbrBarLiesOnTheThirdGridLine)
{
    Pixels bar;
    AddMark(bar, BandX(4), kZeroRow, kOctave / 6);
    ExpectNewInk([&] { SetBand(4, 160); }, bar);
}

TEST_F(PageGraphTest, LowestCodeDrawsJustAboveTheBottomLine)
{
    // -19.875 dBr: 56 - trunc(-19.875 x 13 x 0.5) = 185.
    Pixels bar;
    AddMark(bar, BandX(0), 185, kOctave / 6);
    ExpectNewInk([&] { SetBand(0, 1); }, bar);
}

TEST_F(PageGraphTest, CodeOneNinetyThreeSitsOnTheTopLineForSmallRows)
{
    Pixels bar;
    AddMark(bar, BandX(29), kY, kOctave / 6);
    ExpectNewInk([&] { SetBand(29, 193); }, bar);
}

TEST_F(PageGraphTest, CodeOneNinetyThreeIsAboveTheFieldForRowsOfSixteen)
{
    // Height 432: V = 12, the graph 192 high, rows of 16.
    ExpectNewInk([&] { SetBand(29, 193); }, {}, 432);
}

TEST_F(PageGraphTest, OutOfRangeCodesDrawNoBar)
{
    ExpectNewInk(
        [&] {
            SetBand(3, 0);
            SetBand(5, 194);
            SetBand(7, 255);
        },
        {});
}

TEST_F(PageGraphTest, LevelsFollowTheScale)
{
    Pixels bars;
    const int codes[] = {8, 40, 100, 152, 176, 190};
    for (int i = 0; i < 6; ++i) {
        const float level = static_cast<float>(codes[i] - 160) * 0.125f;
        const int y = kZeroRow - static_cast<int>(std::trunc(static_cast<double>(level * kRow) * 0.5));
        AddMark(bars, BandX(10 + i), y, kOctave / 6);
    }
    ExpectNewInk(
        [&] {
            for (int i = 0; i < 6; ++i)
                SetBand(10 + i, codes[i]);
        },
        bars);
}

TEST_F(PageGraphTest, NcMarksAreHalfAColumnWideWhereTheyFallInTheField)
{
    constexpr int kNc30 = 4;
    const float reference = 24.0f;
    Pixels marks;
    int inField = 0;
    for (int band = 0; band < 30; ++band) {
        const float curve = static_cast<float>(NcCurveTable::Level(kNc30, band)) * 0.1f;
        const int y =
            kZeroRow - static_cast<int>(std::trunc(static_cast<double>((reference - curve) * kRow) * -0.5));
        if (y < kY || y > kY + kGridHeight)
            continue;
        ++inField;
        AddMark(marks, BandX(band), y, kOctave / 12);
    }
    ASSERT_GT(inField, 5);
    ASSERT_LT(inField, 30);  // the low bands lie above the field
    ExpectNewInk([&] { doc.SetNcCurve(kRecord, kNc30); }, marks);
}

TEST_F(PageGraphTest, NcIndexesWithoutACurveDrawNothing)
{
    ExpectNewInk([&] { Record(kRecord).mode = 1 | (13 << 4); }, {});
}

TEST_F(PageGraphTest, FrameAndGridUseWholeRows)
{
    // Height 370: 16 V is still 160, but only 12 x 13 = 156 of it is grid.
    PlotPage page;
    Render(page, 370);
    const DibImage& image = page.Image();
    // The 2-pixel outer lines, from the top line to the bottom one.
    for (int y : {kY, kY + 80, kY + kGridHeight}) {
        EXPECT_TRUE(IsInk(image, kX - 1, y)) << y;
        EXPECT_TRUE(IsInk(image, kX, y)) << y;
        EXPECT_TRUE(IsInk(image, kX + 600 - 1, y)) << y;
        EXPECT_TRUE(IsInk(image, kX + 600, y)) << y;
    }
    EXPECT_FALSE(IsInk(image, kX + 1, kY + 81));
    EXPECT_FALSE(IsInk(image, kX, kY + kGridHeight + 1));
    // Solid octave lines, dotted band lines.
    for (int y = kY; y < kY + kGridHeight; ++y)
        ASSERT_TRUE(IsInk(image, kX + kOctave, y)) << y;
    EXPECT_TRUE(IsInk(image, kX + kColumn, kY));
    EXPECT_FALSE(IsInk(image, kX + kColumn, kY + 1));
    EXPECT_TRUE(IsInk(image, kX + 2 * kColumn, kY + 2));
    // The bottom grid row is dotted from the left edge on.
    EXPECT_TRUE(IsInk(image, kX + 4, kY + kGridHeight));
    EXPECT_FALSE(IsInk(image, kX + 3, kY + kGridHeight));
    // Below the grid only the band ticks (band 0 at x = 70).
    EXPECT_FALSE(AnyInk(image, kX + 1, kY + kGridHeight + 1, kX + 9, kY + 160));
    EXPECT_TRUE(IsInk(image, kX + 10, kY + kGridHeight + 1));
}

TEST_F(PageGraphTest, ScaleLinesTicksAndLabels)
{
    PlotPage page;
    Render(page);
    const DibImage& image = page.Image();
    const int left = kX - 10;  // x - U div 2
    const int right = kX + 600 + 10;
    for (int y = kY; y < kY + kGridHeight; ++y) {
        ASSERT_TRUE(IsInk(image, left, y));
        ASSERT_TRUE(IsInk(image, right, y));
    }
    // Ticks of U div 4 outwards at every grid row.
    for (int j = 0; j <= 12; ++j) {
        const int y = kY + j * kRow;
        for (int d = 0; d < 5; ++d) {
            EXPECT_TRUE(IsInk(image, left - d, y)) << j;
            EXPECT_TRUE(IsInk(image, right + d, y)) << j;
        }
        EXPECT_FALSE(IsInk(image, left - 5, y));
        // The labels end U to the left of the graph and start U right of it.
        const int h2 = 5;
        EXPECT_TRUE(AnyInk(image, 0, y - h2, kX - 20 + 1, y - h2 + 12)) << j;
        EXPECT_TRUE(AnyInk(image, kX + 600 + 20, y - h2, kPageWidth, y - h2 + 12)) << j;
    }
    EXPECT_FALSE(AnyInk(image, kX - 20 + 2, kY + 1, left - 5, kY + kGridHeight));
    // "dBr" below the bottom labels, at y + gh + V.
    EXPECT_TRUE(AnyInk(image, 0, kY + kGridHeight + 10, kX - 20 + 1, kY + kGridHeight + 24));
    EXPECT_TRUE(AnyInk(image, kX + 620, kY + kGridHeight + 10, kPageWidth, kY + kGridHeight + 24));
    // Nothing above the top label, nothing where the text block would be.
    EXPECT_FALSE(AnyInk(image, 0, 0, kPageWidth, kY - 6));
    EXPECT_FALSE(AnyInk(image, 0, 235, kPageWidth, kPageHeight));
}

TEST_F(PageGraphTest, BandTicksAndLabelsAreCentredUnderTheBands)
{
    PlotPage page;
    Render(page);
    const DibImage& image = page.Image();
    const int bottom = kY + kGridHeight;
    const int tickEnd = bottom + kRow / 2;
    for (int band = 0; band < 30; ++band) {
        const int x = BandX(band);
        for (int y = bottom; y < tickEnd; ++y)
            ASSERT_TRUE(IsInk(image, x, y)) << band;
        EXPECT_FALSE(IsInk(image, x, tickEnd));
        const InkBox label = InkBounds(image, x - 8, tickEnd + 1, x + 9, 235);
        ASSERT_LE(label.left, label.right) << band;
        EXPECT_GE(label.top, tickEnd + 5) << band;
        EXPECT_NEAR((label.left + label.right) / 2.0, x, 2.5) << band;
        // The labels run downwards: taller than wide.
        if (band >= 6) {
            EXPECT_GT(label.bottom - label.top, label.right - label.left) << band;
        }
    }
}
