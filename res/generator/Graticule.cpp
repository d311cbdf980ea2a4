#include "Artwork.h"
#include "PixelFont.h"

#include <QPainter>

#include <array>
#include <string>

namespace {

// The screen graph's fixed pixel geometry; the trace painter relies on every
// one of these numbers.
constexpr int kWidth = 340;
constexpr int kHeight = 170;
constexpr int kFrameLeft = 20;  // white frame lines; the navy field lies inside
constexpr int kFrameRight = 320;
constexpr int kFrameTop = 5;
constexpr int kFrameBottom = 136;
constexpr int kFirstOctaveLine = 50;  // then every 30 pixels up to 290
constexpr int kLastOctaveLine = 290;
constexpr int kOctaveWidth = 30;
constexpr int kZeroDbLine = 31;  // grid rows at 31, 61, 91, 121
constexpr int kGridRows = 4;
constexpr int kGridPitch = 30;
constexpr int kBandCentre0 = 26;  // band i is centred on 26 + 10 i
constexpr int kBandPitch = 10;
constexpr int kBands = 30;
constexpr int kLeftLabels = 4;     // the 1 dB-per-step column
constexpr int kRightLabels = 322;  // the 2 dB-per-step column
constexpr int kLabelColumnWidth = 16;
constexpr int kLabelPitch = 10;     // one label per 1 dB (or 2 dB) step
constexpr int kLabels = 13;         // +2 ... -10 (or +4 ... -20)
constexpr int kFirstLabelY = 11;    // +2 dBr (or +4 dBr) lies at y = 31 - 20
constexpr int kBandLabelTop = 140;  // three staggered rows of band labels
constexpr int kBandLabelRowPitch = 9;

const QColor kSurround(156, 156, 156);
const QColor kField(0, 0, 128);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

constexpr std::array<const char*, kBands> kBandLabels{
    "25",  "31.5", "40",  "50",  "63",  "80",  "100", "125",  "160", "200",
    "250", "315",  "400", "500", "630", "800", "1K",  "1K25", "1K6", "2K",
    "2K5", "3K15", "4K",  "5K",  "6K3", "8K",  "10K", "12K5", "16K", "20K"};

std::string SignedLevel(int level)
{
    return (level >= 0 ? "+" : "") + std::to_string(level);
}

// One column of level labels, right-aligned one pixel inside the column, each
// centred vertically on the y of its level.
void DrawLabelColumn(QPainter& painter, int left, int dbPerStep)
{
    const PixelFont& font = PixelFont::Scale();
    for (int j = 0; j < kLabels; ++j) {
        const std::string text = SignedLevel((2 - j) * dbPerStep);
        const int right = left + kLabelColumnWidth - 2;
        const int centreY = kFirstLabelY + j * kLabelPitch;
        font.Draw(painter, right - font.TextWidth(text) + 1, centreY - font.Height() / 2, text, kBlack);
    }
}

}  // namespace

IndexedImage PaintGraticule()
{
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    picture.fill(kSurround);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing, false);
        // The one-pixel black outer edge.
        painter.fillRect(0, 0, kWidth, 1, kBlack);
        painter.fillRect(0, kHeight - 1, kWidth, 1, kBlack);
        painter.fillRect(0, 0, 1, kHeight, kBlack);
        painter.fillRect(kWidth - 1, 0, 1, kHeight, kBlack);

        // The field inside its white frame.
        painter.fillRect(kFrameLeft, kFrameTop, kFrameRight - kFrameLeft + 1, kFrameBottom - kFrameTop + 1,
                         kWhite);
        painter.fillRect(kFrameLeft + 1, kFrameTop + 1, kFrameRight - kFrameLeft - 1,
                         kFrameBottom - kFrameTop - 1, kField);

        // Black level rows first, then the white octave lines over them.
        for (int row = 0; row < kGridRows; ++row)
            painter.fillRect(kFrameLeft + 1, kZeroDbLine + row * kGridPitch, kFrameRight - kFrameLeft - 1, 1,
                             kBlack);
        for (int x = kFirstOctaveLine; x <= kLastOctaveLine; x += kOctaveWidth)
            painter.fillRect(x, kFrameTop + 1, 1, kFrameBottom - kFrameTop - 1, kWhite);

        DrawLabelColumn(painter, kLeftLabels, 1);
        DrawLabelColumn(painter, kRightLabels, 2);

        // Band labels in three staggered rows, each under its band centre with
        // a short tick from the frame.
        const PixelFont& font = PixelFont::Scale();
        for (int band = 0; band < kBands; ++band) {
            const int centre = kBandCentre0 + band * kBandPitch;
            painter.fillRect(centre, kFrameBottom + 1, 1, 2, kBlack);
            font.DrawCentred(painter, centre, kBandLabelTop + (band % 3) * kBandLabelRowPitch,
                             kBandLabels[band], kBlack);
        }
        // The units: dBr below both level columns, Hz at the end of the band rows.
        font.Draw(painter, kLeftLabels, kBandLabelTop, "dBr", kBlack);
        font.Draw(painter, kRightLabels, kBandLabelTop, "dBr", kBlack);
        font.Draw(painter, kRightLabels + 4, kBandLabelTop + kBandLabelRowPitch, "Hz", kBlack);
    }
    std::vector<QRgb> reserved{kBlack.rgb(), kSurround.rgb(), kField.rgb(), kWhite.rgb()};
    // The trace colours, so that traces drawn into a copy of the picture stay exact.
    for (QRgb colour : SystemColours())
        reserved.push_back(colour);
    return IndexedImage::FromRgb(picture, reserved, ColourCube());
}
