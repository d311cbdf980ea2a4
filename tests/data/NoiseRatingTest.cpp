// NC (octave method) and NR ratings of octave levels, at the edges of their curves.

#include "data/NoiseRating.h"
#include "data/ResultText.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

constexpr int k63 = 1;
constexpr int k250 = 3;
constexpr int k500 = 4;
constexpr int k1000 = 5;
constexpr int k2000 = 6;
constexpr int k8000 = 8;
constexpr int k16000 = 9;

// Octave levels with the given octaves in range, the others without a value.
OctaveLevels Octaves(const std::vector<std::pair<int, ResultLevel>>& levels)
{
    OctaveLevels octaves{};
    for (const auto& [octave, level] : levels)
        octaves[static_cast<std::size_t>(octave)] = level;
    return octaves;
}

ResultLevel Exact(double value)
{
    return {value, LevelBound::kExact};
}

ResultLevel AtLeast(double value)
{
    return {value, LevelBound::kAtLeast};
}

struct RatingCase {
    const char* name;
    OctaveLevels octaves;
    const char* rating;
    const char* octave;
};

}  // namespace

TEST(NcRatingByOctaves, AtTheEdgesOfTheCurves)
{
    const RatingCase cases[] = {
        {"on NC-40 at 8 kHz", Octaves({{k8000, Exact(37.0)}}), "40", "8000"},
        {"0.1 dB above NC-40", Octaves({{k8000, Exact(37.1)}}), "41", "8000"},
        // Levels are rated as shown: 37.04 shows 37.0, 37.05 shows 37.1.
        {"shows on NC-40", Octaves({{k8000, Exact(37.04)}}), "40", "8000"},
        {"shows above NC-40", Octaves({{k8000, Exact(37.05)}}), "41", "8000"},
        {"on NC-15 at 63 Hz", Octaves({{k63, Exact(47.0)}}), "15", "63"},
        {"under NC-15", Octaves({{k63, Exact(46.9)}, {k8000, Exact(10.9)}}), "<15", ""},
        {"on NC-70 at 8 kHz", Octaves({{k8000, Exact(68.0)}}), "70", "8000"},
        {"above NC-70", Octaves({{k8000, Exact(68.1)}, {k63, Exact(50.0)}}), ">70", ""},
        // Both on NC-40: the lower octave decides.
        {"tie", Octaves({{k500, Exact(45.0)}, {k8000, Exact(37.0)}}), "40", "500"},
        // NC-42.5 at 250 Hz (50 + 2.0 of 4 dB to NC-45) and at 2 kHz (39 + 2.5 of 5).
        {"tie between spans", Octaves({{k250, Exact(52.0)}, {k2000, Exact(41.5)}}), "43", "250"},
        {"2 kHz a little higher", Octaves({{k250, Exact(52.0)}, {k2000, Exact(41.6)}}), "43", "2000"},
        // An octave above range makes the rating a lower bound even where it does not decide it.
        {"lower bound", Octaves({{k500, AtLeast(30.0)}, {k8000, Exact(37.0)}}), ">40", "8000"},
        {"lower bound under NC-15", Octaves({{k500, AtLeast(10.0)}}), "", ""},
        // 31.5 Hz and 16 kHz are outside the method.
        {"outside the method", Octaves({{0, Exact(90.0)}, {k16000, AtLeast(90.0)}}), "", ""},
        {"no octave", Octaves({}), "", ""},
    };
    for (const RatingCase& c : cases) {
        const NcRating rating = RateNc(c.octaves);
        EXPECT_EQ(NcRatingText(rating), c.rating) << c.name;
        EXPECT_EQ(RatingOctaveText(rating), c.octave) << c.name;
    }
}

TEST(NrRating, AtTheEdgesOfTheCurves)
{
    const RatingCase cases[] = {
        {"on NR-30 at 1 kHz", Octaves({{k1000, Exact(30.0)}}), "30", "1000"},
        {"0.1 dB above NR-30", Octaves({{k1000, Exact(30.1)}}), "31", "1000"},
        // NR-30 at 8 kHz is -8.0 + 1.030 x 30 = 22.9 dB.
        {"on NR-30 at 8 kHz", Octaves({{k8000, Exact(22.9)}}), "30", "8000"},
        {"above NR-30 at 8 kHz", Octaves({{k8000, Exact(23.0)}}), "31", "8000"},
        // NR-0 at 31.5 Hz is 55.4 dB.
        {"on NR-0", Octaves({{0, Exact(55.4)}}), "0", "31.5"},
        {"under NR-0", Octaves({{0, Exact(55.3)}, {k1000, Exact(-0.1)}}), "<0", "1000"},
        {"tie", Octaves({{k1000, Exact(30.0)}, {k8000, Exact(22.9)}}), "30", "1000"},
        {"lower bound", Octaves({{k1000, Exact(30.0)}, {k63, AtLeast(40.0)}}), ">30", "1000"},
        {"lower bound under NR-0", Octaves({{k1000, AtLeast(-5.0)}}), "", ""},
        {"16 kHz is outside", Octaves({{k16000, Exact(90.0)}}), "", ""},
    };
    for (const RatingCase& c : cases) {
        const NrRating rating = RateNr(c.octaves);
        EXPECT_EQ(NrRatingText(rating), c.rating) << c.name;
        EXPECT_EQ(RatingOctaveText(rating), c.octave) << c.name;
    }
}

TEST(RatingCurves, OctaveLevelsForPlots)
{
    EXPECT_EQ(NcOctaveCurveLevel(40, k8000), 37.0);
    EXPECT_EQ(NcOctaveCurveLevel(42, k8000), 39.0);
    EXPECT_EQ(NcOctaveCurveLevel(70, k63), 83.0);
    EXPECT_EQ(NcOctaveCurveLevel(71, k63), 0.0);
    EXPECT_EQ(NcOctaveCurveLevel(40, 0), 0.0);
    EXPECT_DOUBLE_EQ(NrOctaveCurveLevel(30, k8000), 22.9);
    EXPECT_DOUBLE_EQ(NrOctaveCurveLevel(0, 0), 55.4);
    EXPECT_EQ(NrOctaveCurveLevel(30, k16000), 0.0);
}
