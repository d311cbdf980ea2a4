#include "data/NcCurveTable.h"

#include <array>
#include <cmath>

namespace NcCurveTable {
namespace {

// Tenths of a dB SPL; row = NC index 1..11, column = band 25 Hz .. 20 kHz.
constexpr std::array<std::array<short, kBands>, kCurves> kLevels{{
    {{580, 540, 505, 460, 425, 380, 350, 315, 290, 265, 235, 215, 195, 175, 160,
      140, 125, 110, 100, 90,  85,  75,  70,  65,  60,  55,  50,  50,  45,  40}},
    {{595, 560, 530, 490, 455, 420, 390, 355, 330, 305, 280, 255, 240, 220, 205,
      185, 175, 160, 150, 140, 135, 125, 120, 115, 115, 110, 110, 110, 105, 105}},
    {{620, 580, 550, 520, 490, 455, 430, 400, 370, 350, 320, 300, 280, 265, 255,
      240, 225, 215, 200, 190, 185, 175, 170, 170, 165, 165, 160, 155, 155, 150}},
    {{640, 615, 580, 550, 525, 495, 470, 445, 415, 390, 360, 345, 325, 310, 295,
      280, 270, 260, 250, 245, 240, 235, 230, 225, 225, 220, 215, 210, 205, 200}},
    {{660, 635, 605, 575, 550, 530, 505, 480, 455, 430, 405, 385, 365, 350, 340,
      330, 315, 310, 300, 295, 290, 285, 280, 275, 270, 265, 260, 260, 255, 250}},
    {{690, 660, 640, 610, 585, 565, 545, 520, 500, 475, 455, 435, 420, 400, 385,
      375, 365, 355, 350, 345, 340, 335, 330, 330, 325, 320, 320, 315, 310, 305}},
    {{720, 695, 670, 640, 615, 590, 570, 550, 530, 510, 495, 475, 460, 450, 435,
      425, 415, 410, 405, 400, 395, 390, 385, 380, 375, 370, 365, 365, 360, 360}},
    {{755, 730, 705, 680, 655, 625, 605, 585, 565, 550, 535, 520, 510, 500, 485,
      475, 470, 460, 455, 450, 440, 435, 435, 430, 425, 420, 420, 415, 410, 405}},
    {{780, 755, 730, 710, 685, 660, 640, 620, 600, 585, 570, 560, 550, 540, 530,
      520, 515, 510, 500, 500, 490, 485, 485, 480, 475, 470, 465, 465, 460, 455}},
    {{810, 785, 765, 740, 715, 695, 680, 660, 640, 625, 610, 600, 590, 580, 575,
      565, 560, 555, 550, 545, 540, 535, 530, 525, 525, 520, 515, 515, 510, 505}},
    {{830, 810, 790, 765, 745, 725, 710, 695, 680, 665, 655, 650, 640, 630, 620,
      610, 600, 595, 590, 590, 585, 580, 575, 570, 570, 565, 560, 560, 555, 550}},
}};

constexpr std::array<std::string_view, kBands> kBandLabels{
    "25",  "31.5", "40",  "50",  "63",  "80",  "100", "125",  "160", "200",
    "250", "315",  "400", "500", "630", "800", "1K",  "1K25", "1K6", "2K",
    "2K5", "3K15", "4K",  "5K",  "6K3", "8K",  "10K", "12K5", "16K", "20K"};

// The band table's Hz are these rounded to whole Hz (31.5 gives 32).
constexpr std::array<double, kBands> kNominalFrequencies{
    25,  31.5, 40,   50,   63,   80,   100,  125,  160,  200,  250,  315,   400,   500,   630,
    800, 1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};

constexpr std::array<std::string_view, kCurves + 1> kNames{"none",  "NC-15", "NC-20", "NC-25",
                                                           "NC-30", "NC-35", "NC-40", "NC-45",
                                                           "NC-50", "NC-55", "NC-60", "NC-65"};

bool IsBand(int band)
{
    return band >= 0 && band < kBands;
}

}  // namespace

int Level(int nc, int band)
{
    if (nc < 1 || nc > kCurves || !IsBand(band))
        return 0;
    return kLevels[static_cast<std::size_t>(nc - 1)][static_cast<std::size_t>(band)];
}

std::string_view Name(int nc)
{
    if (nc < 0 || nc > kCurves)
        return {};
    return kNames[static_cast<std::size_t>(nc)];
}

int StepCurve(int nc, int step)
{
    const int stepped = nc + step;
    if (stepped < 0)
        return kCurves;
    if (step > 0 && stepped > kCurves)
        return 0;
    return stepped;
}

std::string_view BandLabel(int band)
{
    return IsBand(band) ? kBandLabels[static_cast<std::size_t>(band)] : std::string_view{};
}

double BandNominalFrequency(int band)
{
    return IsBand(band) ? kNominalFrequencies[static_cast<std::size_t>(band)] : 0.0;
}

int BandFrequency(int band)
{
    return static_cast<int>(std::lround(BandNominalFrequency(band)));
}

}  // namespace NcCurveTable
