// The frequency chart's scales: the level range at its edges, the grid step,
// the logarithmic axis, and the frequencies as the axis and readout write them.

#include "plot/FrequencyChart.h"

#include <QFont>

#include <gtest/gtest.h>

namespace {

using FrequencyChart::Chart;
using FrequencyChart::Point;
using FrequencyChart::PointKind;

Point At(double hz, double level, PointKind kind = PointKind::kValue)
{
    Point point;
    point.hz = hz;
    point.level = level;
    point.kind = kind;
    return point;
}

Chart WithLevels(std::initializer_list<Point> points)
{
    Chart chart;
    FrequencyChart::Series series;
    series.points = points;
    chart.series.push_back(series);
    return chart;
}

FrequencyChart::Geometry LayOut(const Chart& chart)
{
    return FrequencyChart::Layout(chart, QRectF(0, 0, 800, 500), QFont());
}

TEST(FrequencyChart, TheScaleRunsInTensFromUnderTheLowestToOverTheHighestValue)
{
    // 40.0 to 60.0: one step of room each way.
    auto geometry = LayOut(WithLevels({At(100, 40.0), At(200, 60.0)}));
    EXPECT_EQ(geometry.floorDb, 30.0);
    EXPECT_EQ(geometry.topDb, 70.0);
    EXPECT_EQ(geometry.stepDb, 5.0);
    // 39.9 reaches under 40; 60.1 over 60.
    geometry = LayOut(WithLevels({At(100, 39.9), At(200, 60.1)}));
    EXPECT_EQ(geometry.floorDb, 20.0);
    EXPECT_EQ(geometry.topDb, 80.0);
    // A flat line still gets 40 dB.
    geometry = LayOut(WithLevels({At(100, 45.0), At(200, 45.0)}));
    EXPECT_EQ(geometry.floorDb, 30.0);
    EXPECT_EQ(geometry.topDb, 70.0);
    // Grid lines 5 dB apart up to a span of 80 dB, 10 beyond.
    EXPECT_EQ(LayOut(WithLevels({At(100, 20.0), At(200, 80.0)})).stepDb, 5.0);
    EXPECT_EQ(LayOut(WithLevels({At(100, 20.0), At(200, 80.1)})).stepDb, 10.0);
}

TEST(FrequencyChart, BandsOutOfRangeDoNotWidenTheScale)
{
    // The level of a band below or above range is no measurement.
    const auto geometry =
        LayOut(WithLevels({At(100, 40.0, PointKind::kValue), At(200, -100.0, PointKind::kBelowRange),
                           At(400, 300.0, PointKind::kAboveRange), At(800, 62.0, PointKind::kAtLeast)}));
    EXPECT_EQ(geometry.floorDb, 30.0);
    EXPECT_EQ(geometry.topDb, 80.0);
}

TEST(FrequencyChart, TheFrequencyAxisIsLogarithmic)
{
    Chart chart = WithLevels({At(100, 40.0)});
    chart.lowHz = 10.0;
    chart.highHz = 10000.0;
    const auto geometry = LayOut(chart);
    EXPECT_DOUBLE_EQ(geometry.X(10.0), geometry.plot.left());
    EXPECT_DOUBLE_EQ(geometry.X(10000.0), geometry.plot.right());
    // Each decade a third of the width.
    EXPECT_NEAR(geometry.X(100.0) - geometry.X(10.0), geometry.plot.width() / 3, 1e-9);
    EXPECT_NEAR(geometry.HzAt(geometry.X(1250.0)), 1250.0, 1e-6);
    EXPECT_DOUBLE_EQ(geometry.Y(geometry.floorDb), geometry.plot.bottom());
    EXPECT_DOUBLE_EQ(geometry.Y(geometry.topDb), geometry.plot.top());
}

TEST(FrequencyChart, FrequenciesAsTheAxisAndTheReadoutWriteThem)
{
    EXPECT_EQ(FrequencyChart::AxisLabel(31.5), "31.5");
    EXPECT_EQ(FrequencyChart::AxisLabel(500.0), "500");
    EXPECT_EQ(FrequencyChart::AxisLabel(1000.0), "1k");
    EXPECT_EQ(FrequencyChart::AxisLabel(12500.0), "12.5k");
    EXPECT_EQ(FrequencyChart::FrequencyText(999.0), "999 Hz");
    EXPECT_EQ(FrequencyChart::FrequencyText(1250.0), "1.25 kHz");
}

}  // namespace
