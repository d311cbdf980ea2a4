#include "Artwork.h"

#include <QColor>

#include <array>
#include <map>
#include <stdexcept>
#include <string>

namespace {

constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 15;

// The button face behind every image; the toolbar shows it as its own face.
const QRgb kFace = qRgb(192, 192, 192);

// The images in the toolbar's order, drawn in the platform's 16 colours:
// . face, k black, g dark grey, w white, B navy, b blue, C teal, c cyan,
// N dark green, n green, R dark red, r red, Y olive, y yellow, M purple.
const std::map<char, QRgb> kInks{
    {'.', kFace},
    {'k', qRgb(0, 0, 0)},
    {'g', qRgb(128, 128, 128)},
    {'w', qRgb(255, 255, 255)},
    {'B', qRgb(0, 0, 128)},
    {'b', qRgb(0, 0, 255)},
    {'C', qRgb(0, 128, 128)},
    {'c', qRgb(0, 255, 255)},
    {'N', qRgb(0, 128, 0)},
    {'n', qRgb(0, 255, 0)},
    {'R', qRgb(128, 0, 0)},
    {'r', qRgb(255, 0, 0)},
    {'Y', qRgb(128, 128, 0)},
    {'y', qRgb(255, 255, 0)},
    {'M', qRgb(128, 0, 128)},
};

using Image = std::array<const char*, kButtonHeight>;

const Image kNew{
    "................", "...kkkkkkk......", "...kwwwwwkk.....", "...kwwwwwkwk....", "...kwwwwwkkkk...",
    "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...",
    "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kkkkkkkkkk...", "................",
};
const Image kOpen{
    "................", "................", "..........kkk...", ".........k...k.k", "..............kk",
    ".kkk.........kkk", "kyyykkkkkkk.....", "kyyyyyyyyyk.....", "kyyyykkkkkkkkkkk", "kyyykYYYYYYYYYk.",
    "kyykYYYYYYYYYk..", "kyykYYYYYYYYk...", "kykYYYYYYYYk....", "kkYYYYYYYYk.....", "kkkkkkkkkk......",
};
const Image kSave{
    "................", ".kkkkkkkkkkkkkk.", ".kBkwwwwwwwwkBk.", ".kBkwkkkkkkwkBk.", ".kBkwwwwwwwwkBk.",
    ".kBkwkkkkkkwkBk.", ".kBkwwwwwwwwkBk.", ".kBBkkkkkkkkBBk.", ".kBBBBBBBBBBBBk.", ".kBBBggggggBBBk.",
    ".kBBBggkkggBBBk.", ".kBBBggkkggBBBk.", ".kBBBggggggBBBk.", "..kkkkkkkkkkkkk.", "................",
};
const Image kCut{
    "................", "....k.....k.....", "....k.....k.....", "....k.....k.....", "....kk...kk.....",
    ".....k...k......", ".....kk.kk......", "......kkk.......", ".......k........", "......B.B.......",
    "....BBB.BBB.....", "...B..B.B..B....", "...B..B.B..B....", "...B..B.B..B....", "....BB...BB.....",
};
const Image kCopy{
    "................", ".kkkkkk.........", ".kwwwwkk........", ".kwkkwkwk.......", ".kwwwwkkkk......",
    ".kwkkkkkkkkk....", ".kwwwwkwwwwkk...", ".kwkkkkwkkwkwk..", ".kwwwwkwwwwkkkk.", ".kwkkkkwkkkkkwk.",
    ".kkkkkkwwwwwwwk.", "......kwkkkkkwk.", "......kwwwwwwwk.", "......kwkkkkkwk.", "......kkkkkkkkk.",
};
const Image kPaste{
    ".....kkkkk......", ".kkkkk...kkkk...", ".kYYkkkkkkkYk...", ".kYYYYYYYYYYk...", ".kYYYYkkkkkkkkk.",
    ".kYYYYkwwwwwwkwk", ".kYYYYkwkkkkwkkk", ".kYYYYkwwwwwwwwk", ".kYYYYkwkkkkkkwk", ".kYYYYkwwwwwwwwk",
    ".kYYYYkwkkkkkkwk", ".kYYYYkwwwwwwwwk", "..kkkkkwwwwwwwwk", "......kkkkkkkkkk", "................",
};
const Image kPrint{
    "................", "....kkkkkkkk....", "....kwwwwwwk....", "....kwkkkkwk....", "....kwwwwwwk....",
    "..kkkkkkkkkkkk..", ".kwwwwwwwwwwwgk.", ".kwggggggggggkk.", ".kggggggggggnnk.", ".kggggggggggggk.",
    ".kkkkkkkkkkkkkk.", "..kwwwwwwwwwwk..", "..kwkkkkkkkkwk..", "..kwwwwwwwwwwk..", "..kkkkkkkkkkkk..",
};
const Image kPreview{
    "................", ".kkkkkkkkk......", ".kwwwwwwwkk.....", ".kwkkkkkwkwk....", ".kwwwwwwwkkkk...",
    ".kwkkkkkkkkwk...", ".kwwwwkcccckk...", ".kwkkkcwcccckk..", ".kwwwkcwcccccck.", ".kwkkkcccccccck.",
    ".kwwwwkcccccck..", ".kwkkkkkcccckk..", ".kwwwwwwkkkkkkk.", ".kkkkkkkkkk..kkk", "..............kk",
};
const Image kPrintingOptions{
    "................", "..kkkkkkkkk.....", "..kwwwwwwwkk....", "..kwwwbwwwkwk...", "..kwwwbwwwkkkk..",
    "..kwwbwbwwwwwk..", "..kwwbwbwwwwwk..", "..kwbbbbbwwwwk..", "..kwbwwwbwwwwk..", "..kbbwwwbbwwwk..",
    "..kwwwwwwwwwwk..", "..kwkkkkkkkkwk..", "..kwwwwwwwwwwk..", "..kkkkkkkkkkkk..", "................",
};
const Image kProgramOptions{
    "................", "................", ".kkkkk..........", ".kwwwk.kkkkkkkk.", ".kwwNk..........",
    ".kNwNk.kkkkkk...", ".kwNwk..........", ".kkkkk..........", ".kkkkk..........", ".kwwwk.kkkkkkkk.",
    ".kwwNk..........", ".kNwNk.kkkkkkk..", ".kwNwk..........", ".kkkkk..........", "................",
};
const Image kModifyEntries{
    "................", ".kkkkkkkkkkk....", ".kwwwkwwwkwk....", ".kwwwkwwwkwk.rr.", ".kkkkkkkkkk.rrRr",
    ".kwwwkwwwkwkyrRr", ".kwwwkwwwkwyyrR.", ".kkkkkkkkkyyyr..", ".kwwwkwwwyyyyk..", ".kwwwkwwyyyyk...",
    ".kkkkkkwwyyk....", ".kwwwkkkkkk.....", ".kwwwkwwkwk.....", ".kkkkkkkkkk.....", "................",
};
const Image kConnect{
    "................", "................", "...kkkkkkkkkkkk.", "...kgggggggggggk", "...kgkkkkkkkkgk.",
    "...kgkkkrkkkkgk.", "...kgkrkrkrkkgk.", "...kgkrkrkrrkgk.", "kk.kgkkkkkkkkgk.", "kwkkgggggggggkk.",
    "kwwkgnkgwgwgkgk.", "kkkkkggggggggkk.", "....kkkkkkkkkkk.", "................", "................",
};
const Image kHelp{
    "................", ".....kkkkkk.....", "....kbbbbbbk....", "...kbbwwwbbbk...", "...kbbkkbwbbk...",
    "....kk..kbbbk...", "........kbbk....", ".......kbbk.....", "......kbbk......", "......kbbk......",
    ".......kk.......", "......kbbk......", "......kbbk......", ".......kk.......", "................",
};

constexpr std::array<const Image*, 13> kButtons{
    &kNew,
    &kOpen,
    &kSave,
    &kCut,
    &kCopy,
    &kPaste,
    &kPrint,
    &kPreview,
    &kPrintingOptions,
    &kProgramOptions,
    &kModifyEntries,
    &kConnect,
    &kHelp,
};

}  // namespace

IndexedImage PaintToolbarStrip()
{
    QImage strip(kButtonWidth * static_cast<int>(kButtons.size()), kButtonHeight, QImage::Format_RGB32);
    strip.fill(QColor(kFace));
    for (std::size_t button = 0; button < kButtons.size(); ++button) {
        const Image& image = *kButtons[button];
        for (int y = 0; y < kButtonHeight; ++y) {
            const std::string row = image[static_cast<std::size_t>(y)];
            if (row.size() != kButtonWidth)
                throw std::logic_error("toolbar image " + std::to_string(button) + " row " +
                                       std::to_string(y) + " is not 16 pixels wide");
            for (int x = 0; x < kButtonWidth; ++x)
                strip.setPixel(static_cast<int>(button) * kButtonWidth + x, y,
                               kInks.at(row[static_cast<std::size_t>(x)]));
        }
    }
    std::vector<QRgb> reserved{kFace};
    for (QRgb colour : SystemColours())
        reserved.push_back(colour);
    return IndexedImage::FromRgb(strip, reserved);
}
