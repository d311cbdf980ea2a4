// The screen graph on its 340 x 170 picture: levels at y = 31 - trunc(10 L / s),
// band i centred at x = 26 + 10 i.

#include "plot/ScreenGraph.h"
#include "data/NcCurveTable.h"
#include "data/ViewReadout.h"
#include "support/SampleDocument.h"

#include "ResourceBitmap.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr int kMemory = 5;  // record index 4
constexpr QRgb kRed = ScreenGraph::kRecordColour;
constexpr QRgb kDarkRed = ScreenGraph::kOtherRecordColour;
constexpr QRgb kGreen = ScreenGraph::kNcCurveColour;
constexpr QRgb kWhite = ScreenGraph::kHighlightColour;

int BandX(int band)
{
    return 26 + 10 * band;
}

using Pixels = std::map<std::pair<int, int>, QRgb>;

void AddBlock(Pixels& pixels, int left, int top, int right, int bottom, QRgb colour)
{
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            pixels[{x, y}] = colour;
}

class ScreenGraphTest : public DocumentTest {
protected:
    // The pixels that differ from the picture of an unused record, with their colours.
    Pixels Drawn(const ScreenGraph::Switches& switches, int highlight = 0)
    {
        CMainDoc empty(ui);
        empty.OnNewDocument();
        const QImage background = graph.Compose(empty, kMemory, switches, 0);
        const QImage picture = graph.Compose(doc, kMemory, switches, highlight);
        EXPECT_EQ(picture.size(), QSize(340, 170));
        Pixels changed;
        for (int y = 0; y < 170; ++y)
            for (int x = 0; x < 340; ++x)
                if (picture.pixel(x, y) != background.pixel(x, y))
                    changed[{x, y}] = picture.pixel(x, y);
        return changed;
    }

    // Only record 5 in use, every band at code (so at one level), Left, flat.
    void FillRecord(int code, int record = 4)
    {
        for (auto& band : Record(record).bands)
            band = static_cast<std::uint8_t>(code);
    }
    void SetBand(int band, int code, int record = 4)
    {
        Record(record).bands[static_cast<std::size_t>(band)] = static_cast<std::uint8_t>(code);
    }

    ScreenGraph graph;
};

ScreenGraph::Switches Dashes(bool twoDb)
{
    return {twoDb, false, false};
}

ScreenGraph::Switches Joined(bool twoDb)
{
    return {twoDb, false, true};
}

}  // namespace

TEST_F(ScreenGraphTest, UnusedRecordShowsTheGraticuleAlone)
{
    const QImage picture = graph.Compose(doc, kMemory, Dashes(true), 0);
    ASSERT_EQ(picture.size(), QSize(340, 170));
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    if (ResourceBitmap(ScreenGraph::kGraticuleResource).empty()) {
        // The plain field that stands in for the artwork.
        EXPECT_EQ(picture.pixel(100, 50), qRgb(0, 0, 128));
        EXPECT_EQ(picture.pixel(20, 50), qRgb(255, 255, 255));
        EXPECT_EQ(picture.pixel(50, 50), qRgb(255, 255, 255));
        EXPECT_EQ(picture.pixel(100, 31), qRgb(0, 0, 0));
        EXPECT_EQ(picture.pixel(10, 150), qRgb(156, 156, 156));
        EXPECT_EQ(picture.pixel(0, 0), qRgb(0, 0, 0));
    }
}

TEST_F(ScreenGraphTest, BothLabelColumnsShowTheActiveScale)
{
    DibImage graticule;
    ASSERT_EQ(graticule.Create(340, 170, 0, 8), 0);
    for (int y = 0; y < 170; ++y)
        for (int x = 0; x < 340; ++x)
            *graticule.Pixel(x, y) =
                static_cast<std::uint8_t>(x < 170 ? 10 + (x + y) % 7 : 100 + (x * 3 + y) % 11);
    ScreenGraph labelled(graticule);
    const auto grey = [&](const QImage& picture, int x, int y) { return qGray(picture.pixel(x, y)); };
    const QImage twoDb = labelled.Compose(doc, kMemory, Dashes(true), 0);
    const QImage oneDb = labelled.Compose(doc, kMemory, Dashes(false), 0);
    for (int y = 7; y < 135; ++y)
        for (int dx = 0; dx < 16; ++dx) {
            ASSERT_EQ(grey(twoDb, 4 + dx, y), *graticule.Pixel(322 + dx, y));
            ASSERT_EQ(grey(twoDb, 322 + dx, y), *graticule.Pixel(322 + dx, y));
            ASSERT_EQ(grey(oneDb, 4 + dx, y), *graticule.Pixel(4 + dx, y));
            ASSERT_EQ(grey(oneDb, 322 + dx, y), *graticule.Pixel(4 + dx, y));
        }
    // Just outside the 16 x 128 block the picture is as it was.
    EXPECT_EQ(grey(twoDb, 4, 6), *graticule.Pixel(4, 6));
    EXPECT_EQ(grey(twoDb, 4, 135), *graticule.Pixel(4, 135));
    EXPECT_EQ(grey(twoDb, 20, 50), *graticule.Pixel(20, 50));
    EXPECT_EQ(grey(oneDb, 321, 50), *graticule.Pixel(321, 50));
    EXPECT_EQ(grey(oneDb, 338, 50), *graticule.Pixel(338, 50));
}

TEST_F(ScreenGraphTest, DashAtZeroDbr)
{
    SetBand(4, 160);
    Pixels expected;
    AddBlock(expected, BandX(4) - 4, 29, BandX(4) + 3, 32, kRed);
    EXPECT_EQ(Drawn(Dashes(false)), expected);
    // At 2 dB per step 0 dBr is the same line, and the bands at "<-20"
    // come into the field as narrow marks at y = 131.
    for (int band = 0; band < 30; ++band)
        if (band != 4)
            AddBlock(expected, BandX(band) - 1, 129, BandX(band), 132, kRed);
    EXPECT_EQ(Drawn(Dashes(true)), expected);
}

TEST_F(ScreenGraphTest, DashLevelsOneDbPerStep)
{
    SetBand(2, 168);  // +1 dBr: y = 21
    SetBand(3, 152);  // -1 dBr: y = 41
    SetBand(5, 77);   // -10.375 dBr: y = 134, the last row inside
    SetBand(6, 76);   // -10.5 dBr: y = 136, outside
    SetBand(7, 179);  // +2.375 dBr: y = 8
    SetBand(8, 180);  // +2.5 dBr: y = 6, outside
    Pixels expected;
    for (const auto& [band, y] : {std::pair{2, 21}, {3, 41}, {5, 134}, {7, 8}})
        AddBlock(expected, BandX(band) - 4, y - 2, BandX(band) + 3, y + 1, kRed);
    EXPECT_EQ(Drawn(Dashes(false)), expected);
}

TEST_F(ScreenGraphTest, TheMouseReadoutReadsALevelOnTheRowWhereItIsDrawn)
{
    SetBand(2, 168);  // +1 dBr
    SetBand(3, 152);  // -1 dBr
    SetBand(4, 160);  // 0 dBr
    for (const bool twoDb : {false, true}) {
        const Pixels drawn = Drawn(Dashes(twoDb));
        for (const auto& [band, level] : {std::pair{2, 1.0}, {3, -1.0}, {4, 0.0}}) {
            // A dash covers its row, two above and one below.
            int top = 170;
            for (const auto& [at, colour] : drawn)
                if (at.first == BandX(band) && colour == kRed)
                    top = std::min(top, at.second);
            EXPECT_DOUBLE_EQ(ViewReadout::CursorLevel(top + 2, twoDb), level)
                << band << (twoDb ? " 2 dB" : " 1 dB");
        }
    }
}

TEST_F(ScreenGraphTest, OutOfRangeLevelsGetNarrowMarks)
{
    FillRecord(0);    // "<-20": y = 131
    SetBand(0, 1);    // -19.875: y = 31 + 99 = 130, a full dash
    SetBand(2, 255);  // ">4.1": y = 31 - 21 = 10
    Pixels expected;
    AddBlock(expected, BandX(0) - 4, 128, BandX(0) + 3, 131, kRed);
    AddBlock(expected, BandX(2) - 1, 8, BandX(2), 11, kRed);
    for (int band = 3; band < 30; ++band)
        AddBlock(expected, BandX(band) - 1, 129, BandX(band), 132, kRed);
    AddBlock(expected, BandX(1) - 1, 129, BandX(1), 132, kRed);
    EXPECT_EQ(Drawn(Dashes(true)), expected);
}

TEST_F(ScreenGraphTest, HighlightedDashIsWhite)
{
    SetBand(4, 160);
    SetBand(5, 160);
    Pixels expected;
    AddBlock(expected, BandX(4) - 4, 29, BandX(4) + 3, 32, kRed);
    AddBlock(expected, BandX(5) - 4, 29, BandX(5) + 3, 32, kWhite);
    EXPECT_EQ(Drawn(Dashes(false), 6), expected);
    // Band 0 marks nothing.
    AddBlock(expected, BandX(5) - 4, 29, BandX(5) + 3, 32, kRed);
    EXPECT_EQ(Drawn(Dashes(false), 0), expected);
}

TEST_F(ScreenGraphTest, JoinedLineAtOneLevelIsOneStaircase)
{
    FillRecord(160);
    Pixels expected;
    AddBlock(expected, BandX(0) - 6, 30, BandX(29) + 5, 31, kRed);
    EXPECT_EQ(Drawn(Joined(false)), expected);
}

TEST_F(ScreenGraphTest, JoinedGapAtTheExclusiveBound)
{
    FillRecord(160);
    SetBand(5, 80);  // -10.0 dBr: out of range at 1 dB per step, y = 131
    Pixels expected;
    AddBlock(expected, BandX(0) - 6, 30, BandX(4) + 5, 31, kRed);
    // Band 5: the riser down to 131 at its left edge, no step.
    AddBlock(expected, BandX(5) - 6, 30, BandX(5) - 5, 131, kRed);
    // Band 6: its riser comes up from 131 at its left edge, then the steps go on.
    AddBlock(expected, BandX(6) - 6, 30, BandX(6) - 5, 131, kRed);
    AddBlock(expected, BandX(6) - 6, 30, BandX(29) + 5, 31, kRed);
    EXPECT_EQ(Drawn(Joined(false)), expected);
}

TEST_F(ScreenGraphTest, JoinedHighlightedStepIsWhite)
{
    FillRecord(160);
    SetBand(10, 168);  // +1 dBr: y = 21
    const Pixels drawn = Drawn(Joined(false), 11);
    for (int x = BandX(10) - 4; x <= BandX(10) + 3; ++x) {
        EXPECT_EQ(drawn.at({x, 20}), kWhite) << x;
        EXPECT_EQ(drawn.at({x, 21}), kWhite) << x;
    }
    // The risers keep the record's colour.
    EXPECT_EQ(drawn.at({BandX(10) - 6, 25}), kRed);
    EXPECT_EQ(drawn.at({BandX(11) - 6, 25}), kRed);
}

TEST_F(ScreenGraphTest, JoinedLevelsAreClampedToTheField)
{
    FillRecord(160);
    SetBand(0, 0);  // "<-20" at 2 dB per step: out of range, clamped to y = 131
    const Pixels drawn = Drawn(Joined(true));
    // Band 1's riser starts at the clamped level of band 0.
    EXPECT_EQ(drawn.at({BandX(1) - 6, 131}), kRed);
    EXPECT_EQ(drawn.count({BandX(0), 131}), 0u);
    EXPECT_EQ(drawn.count({BandX(0), 31}), 0u);
}

TEST_F(ScreenGraphTest, MultiTraceDrawsEveryRecordInUseUnderTheCurrentOne)
{
    SetBand(4, 160);     // the current record, 0 dBr
    SetBand(4, 168, 0);  // record 1, +1 dBr
    SetBand(4, 160, 1);  // record 2, 0 dBr: hidden under the current record
    Pixels expected;
    AddBlock(expected, BandX(4) - 4, 19, BandX(4) + 3, 22, kDarkRed);
    AddBlock(expected, BandX(4) - 4, 29, BandX(4) + 3, 32, kRed);
    EXPECT_EQ(Drawn({false, true, false}), expected);
    // Without multi-trace only the current record.
    Pixels single;
    AddBlock(single, BandX(4) - 4, 29, BandX(4) + 3, 32, kRed);
    EXPECT_EQ(Drawn({false, false, false}), single);
}

TEST_F(ScreenGraphTest, HighlightReachesBackgroundTraces)
{
    SetBand(4, 160);
    SetBand(4, 168, 0);
    const Pixels drawn = Drawn({false, true, false}, 5);
    EXPECT_EQ(drawn.at({BandX(4), 20}), kWhite);
    EXPECT_EQ(drawn.at({BandX(4), 30}), kWhite);
}

TEST_F(ScreenGraphTest, NoCurveForNcIndexZero)
{
    SetBand(4, 160);
    CMainDoc& d = doc;
    graph.Compose(d, kMemory, Dashes(true), 0);
    QImage picture(340, 170, QImage::Format_RGB32);
    QPainter painter(&picture);
    EXPECT_EQ(graph.DrawNcCurve(painter, kGreen, 4), -1);
    d.SetNcCurve(4, 4);
    EXPECT_EQ(graph.DrawNcCurve(painter, kGreen, 4), 0);
    Record(4).mode = static_cast<std::uint8_t>(2 | 12 << 4);  // no curve has index 12
    EXPECT_EQ(graph.DrawNcCurve(painter, kGreen, 4), -1);
}

TEST_F(ScreenGraphTest, NcCurveEntersAtTheTopOfTheField)
{
    // Mike, reference 60 dB SPL, NC-65, 2 dB per step: the low bands lie above the field.
    Record(4).refCode = 65;
    Record(4).mode = 1;
    doc.SetNcCurve(4, 11);
    const auto row = [](int band) {
        const float curve = static_cast<float>(NcCurveTable::Level(11, band)) * 0.1f;
        return 31 - static_cast<int>(std::trunc(static_cast<double>((60.0f - curve) * -10.0f) / 2.0));
    };
    int first = 0;
    while (row(first) <= 7 && row(first + 1) <= 7)
        ++first;
    ASSERT_GT(first, 3);
    const Pixels drawn = Drawn(Dashes(true));
    int green = 0;
    for (const auto& [pixel, colour] : drawn) {
        if (colour != kGreen)
            continue;
        ++green;
        ASSERT_GE(pixel.first, BandX(first) - 1) << pixel.first << "," << pixel.second;
        ASSERT_GE(pixel.second, 6) << pixel.first << "," << pixel.second;
    }
    EXPECT_GT(green, 100);
    EXPECT_EQ(drawn.at({BandX(first), 7}), kGreen);
}

TEST_F(ScreenGraphTest, NcCurveIsClampedAtTheBottom)
{
    // Mike, reference 80 dB SPL, NC-40, 2 dB per step: the high bands lie below the field.
    Record(4).refCode = 45;
    Record(4).mode = 1;
    doc.SetNcCurve(4, 6);
    const Pixels drawn = Drawn(Dashes(true));
    int bottom = 0;
    for (const auto& [pixel, colour] : drawn) {
        if (colour != kGreen)
            continue;
        ASSERT_LE(pixel.second, 136) << pixel.first;
        bottom = std::max(bottom, pixel.second);
        // The segments wholly below the field are left out.
        ASSERT_LE(pixel.first, 340);
    }
    EXPECT_GE(bottom, 135);
    // The last band's stub: half a band wide.
    EXPECT_EQ(drawn.count({BandX(29) + 7, 135}), 0u);
}

TEST_F(ScreenGraphTest, RecordsOutsideTheFileDrawNothing)
{
    SetBand(4, 160);
    for (int memory : {0, 31, -5}) {
        const QImage picture = graph.Compose(doc, memory, {true, true, true}, 0);
        EXPECT_EQ(picture.size(), QSize(340, 170)) << memory;
    }
}
