// The page layout on 800 x 600 pages: U = 22, V = 16, the graph at (66, 48),
// 660 x 256, the text block from y = 368, fonts at a third of the printed
// size (the font divisor of an 800-pixel bitmap).

#include "PageImage.h"

#include "data/ProgramSettings.h"
#include "plot/PlotPage.h"
#include "support/SampleDocument.h"
#include "support/TempDir.h"

#include "ResourceBitmap.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kDivisor = 3;
constexpr int kRecord = 4;
constexpr int kTextTop = 23 * 16;
constexpr int kPitch = 14 * 4 / 3;  // the text font is 21 x 2 div 3 = 14 pixels high

class PlotPageTest : public DocumentTest {
protected:
    PlotPageTest()
    {
        FillSampleRecord(kRecord);
        Settings().Plotbkgdbmp = "none";
        Settings().Plotuserbmp = "none";
    }

    int Render(PlotPage& page, int graphOnly = 0, int bitsPerPixel = 8, int width = kWidth,
               int height = kHeight)
    {
        return page.Render(&doc, kRecord, width, height, kDivisor, graphOnly, bitsPerPixel);
    }

    // A logo from a file at (x%, y%) sized (w%, h%).
    void SetLogo(const std::string& name, int x, int y, int w, int h)
    {
        Settings().Plotuserbmp = name;
        Settings().Plotuserbmpx = x;
        Settings().Plotuserbmpy = y;
        Settings().Plotuserbmpdx = w;
        Settings().Plotuserbmpdy = h;
    }

    TempDir dir;
};

}  // namespace

TEST_F(PlotPageTest, NullDocumentIsRefused)
{
    PlotPage page;
    EXPECT_EQ(page.Render(nullptr, 0, kWidth, kHeight, 1, 0, 8), -1);
    EXPECT_FALSE(page.Image().IsValid());
}

TEST_F(PlotPageTest, EightBitPageIsAGreyImage)
{
    PlotPage page;
    ASSERT_EQ(Render(page), 0);
    const DibImage& image = page.Image();
    EXPECT_EQ(image.Width(), kWidth);
    EXPECT_EQ(image.Height(), kHeight);
    EXPECT_EQ(image.BitsPerPixel(), 8);
    EXPECT_EQ(image.FileSize(), 481078);
    EXPECT_EQ(page.UnitU(), 22);
    EXPECT_EQ(page.UnitV(), 16);
    EXPECT_EQ(PageGrey(image, kWidth - 1, kHeight - 1), 255);
    page.Release();
    EXPECT_FALSE(page.Image().IsValid());
}

TEST_F(PlotPageTest, OneBitPageHasTheSameLayout)
{
    PlotPage grey;
    ASSERT_EQ(Render(grey), 0);
    PlotPage mono;
    ASSERT_EQ(Render(mono, 0, 1), 0);
    EXPECT_EQ(mono.Image().BitsPerPixel(), 1);
    EXPECT_EQ(mono.Image().Colours(), 2);
    EXPECT_EQ(mono.Image().FileSize(), 14 + 40 + 8 + 100 * 600);
    // The graph's lines are the same pixels on both pages.
    for (int y = 48; y < 48 + 252; ++y) {
        ASSERT_TRUE(IsInk(mono.Image(), 66, y)) << y;
        ASSERT_TRUE(IsInk(mono.Image(), 66 + 3 * 22 * 3, y)) << y;
    }
    int differ = 0;
    for (int y = 40; y < 310; ++y)
        for (int x = 60; x < 740; ++x)
            differ += IsInk(grey.Image(), x, y) != IsInk(mono.Image(), x, y);
    EXPECT_LT(differ, 600);  // only the edges of smoothed text
    // Bits past the page's width stay white.
    EXPECT_EQ(mono.Image().Row(0)[99], 0xFF);
}

TEST_F(PlotPageTest, GraphStartsAtThreeUnits)
{
    PlotPage page;
    ASSERT_EQ(Render(page, 1), 0);
    EXPECT_TRUE(IsInk(page.Image(), 3 * 22, 3 * 16 + 10));
    EXPECT_TRUE(IsInk(page.Image(), 3 * 22 - 1, 3 * 16 + 10));
    EXPECT_FALSE(IsInk(page.Image(), 3 * 22 - 2, 3 * 16 + 10));
    EXPECT_TRUE(IsInk(page.Image(), 3 * 22 + 660, 3 * 16 + 10));
}

TEST_F(PlotPageTest, TextBlockRows)
{
    doc.Data().serialNumber = {'T', '7', '-', '0', '0', '4', '2', '1'};
    PlotPage page;
    ASSERT_EQ(Render(page), 0);
    const DibImage& image = page.Image();
    const auto rowHasInk = [&](int line, int left, int right) {
        return AnyInk(image, left, kTextTop + line * kPitch, right, kTextTop + (line + 1) * kPitch);
    };
    EXPECT_FALSE(AnyInk(image, 0, 360, kWidth, kTextTop));
    // "Data File: ..." on the left, "TALVEK 7: ..." ending at the right edge of the block.
    EXPECT_TRUE(rowHasInk(0, 66, 200));
    const InkBox serial = InkBounds(image, 400, kTextTop, kWidth, kTextTop + kPitch);
    EXPECT_NEAR(serial.right, 66 + 660, 3);
    // Input, reference and wideband; "NC: NC-30" at the right.
    EXPECT_TRUE(rowHasInk(1, 66, 200));
    EXPECT_NEAR(InkBounds(image, 500, kTextTop + kPitch, kWidth, kTextTop + 2 * kPitch).right, 726, 3);
    // "Comments:" and the two comment lines; the last two lines are blank.
    EXPECT_TRUE(rowHasInk(2, 66, 200));
    EXPECT_TRUE(rowHasInk(3, 66, 200));
    EXPECT_TRUE(rowHasInk(4, 66, 200));
    EXPECT_FALSE(rowHasInk(5, 0, kWidth));
    EXPECT_FALSE(rowHasInk(6, 0, kWidth));
    EXPECT_FALSE(AnyInk(image, 0, kTextTop + 7 * kPitch, kWidth, kHeight));
    // Every text starts at x = 3U.
    EXPECT_NEAR(InkBounds(image, 0, kTextTop, 400, kTextTop + 5 * kPitch).left, 66, 2);
}

TEST_F(PlotPageTest, NoSerialAndNoCurveLeaveTheRightSideEmpty)
{
    doc.SetNcCurve(kRecord, 0);
    doc.SetComment(kRecord, "");
    PlotPage page;
    ASSERT_EQ(Render(page), 0);
    EXPECT_FALSE(AnyInk(page.Image(), 500, kTextTop, kWidth, kTextTop + 2 * kPitch));
    // An all-space comment still has its label.
    EXPECT_TRUE(AnyInk(page.Image(), 66, kTextTop + 2 * kPitch, 200, kTextTop + 3 * kPitch));
    EXPECT_FALSE(AnyInk(page.Image(), 0, kTextTop + 3 * kPitch, kWidth, kHeight));
}

TEST_F(PlotPageTest, HeaderIsCentredAtTheTop)
{
    PlotPage page;
    ASSERT_EQ(Render(page), 0);
    const InkBox header = InkBounds(page.Image(), 0, 0, kWidth, 30);
    ASSERT_LE(header.left, header.right);
    EXPECT_LE(header.top, 6);
    EXPECT_NEAR((header.left + header.right) / 2.0, kWidth / 2.0, 2);
    EXPECT_GT(header.right - header.left, kWidth / 3);
}

TEST_F(PlotPageTest, GraphOnlyHasNoTextAndNoBitmaps)
{
    const std::string logo = dir.File("logo.bmp");
    WriteBytes(logo, SolidBmp(8, 8, 8, 0, 0, 0));
    SetLogo(logo, 85, 85, 10, 10);
    PlotPage page;
    ASSERT_EQ(Render(page, 1), 0);
    EXPECT_FALSE(AnyInk(page.Image(), 0, 0, kWidth, 30));
    EXPECT_FALSE(AnyInk(page.Image(), 0, 360, kWidth, kHeight));
    EXPECT_EQ(ui.Count("tell"), 0);
}

TEST_F(PlotPageTest, FileBitmapAtItsPercentages)
{
    const std::string logo = dir.File("logo.bmp");
    WriteBytes(logo, SolidBmp(8, 8, 8, 0, 0, 0));
    SetLogo(logo, 85, 85, 10, 10);
    PlotPage page;
    ASSERT_EQ(Render(page), 0);
    const InkBox box = InkBounds(page.Image(), 600, 480, kWidth, kHeight);
    EXPECT_EQ(box.left, 680);
    EXPECT_EQ(box.top, 510);
    EXPECT_EQ(box.right, 759);
    EXPECT_EQ(box.bottom, 569);
    EXPECT_EQ(ui.Count("tell"), 0);
}

TEST_F(PlotPageTest, NegativeSizesKeepTheBitmapsOwnSize)
{
    const std::string logo = dir.File("logo.bmp");
    WriteBytes(logo, SolidBmp(7, 5, 8, 0, 0, 0));
    SetLogo(logo, 85, 85, -1, -1);
    PlotPage page;
    ASSERT_EQ(Render(page), 0);
    const InkBox box = InkBounds(page.Image(), 600, 480, kWidth, kHeight);
    EXPECT_EQ(box.left, 680);
    EXPECT_EQ(box.top, 510);
    EXPECT_EQ(box.right, 686);
    EXPECT_EQ(box.bottom, 514);
}

TEST_F(PlotPageTest, ColourBitmapsBecomeGrey)
{
    const std::string logo = dir.File("logo.bmp");
    WriteBytes(logo, SolidBmp(4, 4, 24, 100, 100, 100));
    SetLogo(logo, 90, 90, 2, 2);
    PlotPage page;
    ASSERT_EQ(Render(page), 0);
    EXPECT_EQ(PageGrey(page.Image(), 725, 545), 100);
    PlotPage mono;
    ASSERT_EQ(Render(mono, 0, 1), 0);
    EXPECT_TRUE(IsInk(mono.Image(), 725, 545));
}

TEST_F(PlotPageTest, ColoursTakeTheNearestGrey)
{
    // The nearest of the 256 greys to (r, g, b) is the rounded mean.
    struct Case {
        std::uint8_t red, green, blue;
        int grey;
    };
    for (const Case& c : {Case{0, 0, 255, 85}, Case{255, 0, 0, 85}, Case{255, 255, 0, 170},
                          Case{10, 20, 31, 20}, Case{0, 0, 2, 1}}) {
        for (int depth : {8, 24}) {
            const std::string logo = dir.File("colour.bmp");
            WriteBytes(logo, SolidBmp(4, 4, depth, c.red, c.green, c.blue));
            SetLogo(logo, 90, 90, 2, 2);
            PlotPage page;
            ASSERT_EQ(Render(page), 0);
            EXPECT_EQ(PageGrey(page.Image(), 725, 545), c.grey)
                << int{c.red} << "," << int{c.green} << "," << int{c.blue} << " depth " << depth;
        }
    }
}

TEST_F(PlotPageTest, BitmapsPartlyOffThePage)
{
    const std::string logo = dir.File("logo.bmp");
    WriteBytes(logo, SolidBmp(8, 8, 8, 0, 0, 0));
    SetLogo(logo, -5, 95, 10, 1000000);
    PlotPage page;
    ASSERT_EQ(Render(page), 0);
    EXPECT_TRUE(IsInk(page.Image(), 0, kHeight - 1));
    SetLogo(logo, 2000000000, -2000000000, 2000000000, 2000000000);
    ASSERT_EQ(Render(page), 0);
    EXPECT_EQ(ui.Count("tell"), 0);
}

TEST_F(PlotPageTest, NoneInAnyCaseDrawsNothing)
{
    PlotPage reference;
    ASSERT_EQ(Render(reference), 0);
    for (const char* name : {"NONE", "None", "nOnE", "3", "x"}) {
        Settings().Plotbkgdbmp = name;
        Settings().Plotuserbmp = name;
        PlotPage page;
        ASSERT_EQ(Render(page), 0);
        EXPECT_TRUE(NewInk(reference.Image(), page.Image()).empty()) << name;
    }
    EXPECT_EQ(ui.Count("tell"), 0);
}

TEST_F(PlotPageTest, MissingFileIsLeftOutSilently)
{
    SetLogo(dir.File("missing.bmp"), 85, 85, 10, 10);
    PlotPage page;
    ASSERT_EQ(Render(page), 0);
    EXPECT_FALSE(AnyInk(page.Image(), 600, 480, kWidth, kHeight));
    EXPECT_EQ(ui.Count("tell"), 0);
}

TEST_F(PlotPageTest, APipeAsLogoOrBackgroundIsLeftOutAtOnce)
{
    ASSERT_EQ(::mkfifo(dir.File("pipe.bmp").c_str(), 0666), 0);
    SetLogo(dir.File("pipe.bmp"), 85, 85, 10, 10);
    Settings().Plotbkgdbmp = dir.File("pipe.bmp");
    ::alarm(10);  // a blocking open ends the test program instead of hanging it
    PlotPage page;
    ASSERT_EQ(Render(page), 0);
    ::alarm(0);
    EXPECT_FALSE(AnyInk(page.Image(), 600, 480, kWidth, kHeight));
}

TEST_F(PlotPageTest, InvalidBitmapsAreNamedAndLeftOut)
{
    std::vector<std::uint8_t> truncated = SolidBmp(8, 8, 8, 0, 0, 0);
    truncated.resize(truncated.size() - 1);
    std::vector<std::uint8_t> lying = SolidBmp(8, 8, 8, 0, 0, 0);
    lying[22] = 0xFF;  // height 255
    std::vector<std::uint8_t> huge = SolidBmp(8, 8, 8, 0, 0, 0);
    huge[21] = 0x7F;  // width 0x7F000008
    std::vector<std::uint8_t> negative = SolidBmp(8, 8, 8, 0, 0, 0);
    negative[25] = 0xFF;  // height -16777208: rows stored top-down
    std::vector<std::uint8_t> compressed = SolidBmp(8, 8, 8, 0, 0, 0);
    compressed[30] = 1;
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files = {
        {"truncated.bmp", truncated},
        {"lying.bmp", lying},
        {"huge.bmp", huge},
        {"negative.bmp", negative},
        {"compressed.bmp", compressed},
        {"one-bit.bmp", SolidBmp(16, 16, 1, 0, 0, 0)},
        {"empty.bmp", {}},
        {"text.bmp", {'h', 'e', 'l', 'l', 'o'}},
    };
    for (const auto& [name, bytes] : files) {
        ui.Clear();
        const std::string path = dir.File(name);
        WriteBytes(path, bytes);
        SetLogo(path, 85, 85, 10, 10);
        PlotPage page;
        ASSERT_EQ(Render(page), 0) << name;
        EXPECT_FALSE(AnyInk(page.Image(), 600, 480, kWidth, kHeight)) << name;
        EXPECT_EQ(ui.Texts("tell"), std::vector<std::string>{"Warning, " + path + " is not a valid bitmap"})
            << name;
    }
}

TEST_F(PlotPageTest, WarningComesOnEveryRender)
{
    const std::string path = dir.File("one-bit.bmp");
    WriteBytes(path, SolidBmp(16, 16, 1, 0, 0, 0));
    Settings().Plotbkgdbmp = path;
    PlotPage page;
    ASSERT_EQ(Render(page), 0);
    ASSERT_EQ(Render(page), 0);
    EXPECT_EQ(ui.Count("tell"), 2);
}

TEST_F(PlotPageTest, DefaultBitmapsWhenTheArtworkIsBuiltIn)
{
    if (ResourceBitmap(PlotPage::kBackgroundResource).empty() ||
        ResourceBitmap(PlotPage::kLogoResource).empty())
        GTEST_SKIP() << "the artwork is not built into this tree";
    Settings() = ProgramSettings{};
    PlotPage plain;
    Settings().Plotbkgdbmp = "none";
    Settings().Plotuserbmp = "none";
    ASSERT_EQ(Render(plain), 0);
    Settings() = ProgramSettings{};
    PlotPage page;
    ASSERT_EQ(Render(page), 0);
    EXPECT_EQ(ui.Count("tell"), 0);
    // The logo at 85 %, 70 %, 10 % x 10 %: (680, 420), 80 x 60.
    EXPECT_FALSE(NewInk(plain.Image(), page.Image()).empty());
    for (const auto& [x, y] : NewInk(plain.Image(), page.Image())) {
        const bool inLogo = x >= 680 && x < 760 && y >= 420 && y < 480;
        const bool inBackground = x >= 320 && x < 480 && y >= 240 && y < 288;
        ASSERT_TRUE(inLogo || inBackground) << x << "," << y;
    }
}

TEST_F(PlotPageTest, DefaultBackgroundCentredOnTheGraph)
{
    if (ResourceBitmap(PlotPage::kBackgroundResource).empty())
        GTEST_SKIP() << "the artwork is not built into this tree";
    PlotPage plain;
    ASSERT_EQ(Render(plain), 0);
    Settings().Plotbkgdbmp = "";
    Settings().Plotbkgdbmpx = 0;
    Settings().Plotbkgdbmpy = 0;
    PlotPage page;
    ASSERT_EQ(Render(page), 0);
    // 70 % of the width, a third of the height, centred on (66 + 330, 48 + 128).
    for (const auto& [x, y] : NewInk(plain.Image(), page.Image()))
        ASSERT_TRUE(x >= 116 && x < 116 + 560 && y >= 76 && y < 76 + 200) << x << "," << y;
}

TEST_F(PlotPageTest, OddPageSizes)
{
    struct Size {
        int width;
        int height;
    };
    for (const Size& size :
         {Size{0, 0}, Size{0, 600}, Size{1, 1}, Size{1, 600}, Size{36, 36}, Size{30000, 40}}) {
        for (int depth : {8, 1}) {
            PlotPage page;
            ASSERT_EQ(Render(page, 0, depth, size.width, size.height), 0) << size.width << "x" << size.height;
            EXPECT_EQ(page.Image().Width(), size.width);
        }
    }
}

TEST_F(PlotPageTest, PagesTooLargeAreRefused)
{
    PlotPage page;
    EXPECT_EQ(Render(page, 0, 8, 30000, 30000), -1);
    EXPECT_EQ(page.ErrorText(), "Cannot alloc");
    EXPECT_FALSE(page.Image().IsValid());
    EXPECT_EQ(Render(page, 0, 8, 800, -1), -1);
    EXPECT_EQ(page.ErrorText(), "No page of 800 x -1 pixels");
    // A 1-bit page of the same size is an eighth as large and fits.
    EXPECT_EQ(Render(page, 1, 1, 30000, 30000), 0);
}

TEST_F(PlotPageTest, OddFontSpecsStillRender)
{
    for (const char* spec : {"", ",", "Arial", "Arial,abc", "Arial,99999999999", "Arial,-16400", "_"}) {
        Settings().Plotfont = spec;
        Settings().Plothdrfont = spec;
        PlotPage page;
        ASSERT_EQ(Render(page), 0) << spec;
    }
}

TEST_F(PlotPageTest, DocumentWithoutDataDrawsAnEmptyGraph)
{
    CMainDoc empty(ui);
    PlotPage page;
    ASSERT_EQ(page.Render(&empty, 0, kWidth, kHeight, kDivisor, 0, 8), 0);
    // No comment label while there is no data.
    EXPECT_FALSE(AnyInk(page.Image(), 0, kTextTop + 2 * kPitch, kWidth, kHeight));
}
