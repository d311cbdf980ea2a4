#include "Artwork.h"
#include "PixelFont.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <string>

namespace {

constexpr int kWidth = 376;
constexpr int kHeight = 193;
// The comms window draws the picture at client (8, 15); its click regions and
// indicator rectangles are client coordinates, so every place below is given
// as the window has it and moved by this offset.
constexpr int kOffsetX = 8;
constexpr int kOffsetY = 15;

// A click region, bounds inclusive, in client coordinates.
struct Region {
    int left, top, right, bottom;
    QRect Picture() const
    {
        return QRect(left - kOffsetX, top - kOffsetY, right - left + 1, bottom - top + 1);
    }
};

// An indicator rectangle as the window fills it (left, top, right, bottom with
// right and bottom outside), in client coordinates.
struct Lamp {
    int left, top, right, bottom;
    QRect Picture() const { return QRect(left - kOffsetX, top - kOffsetY, right - left, bottom - top); }
};

constexpr Region kMike{288, 35, 312, 58};
constexpr Region kLeft{314, 35, 340, 58};
constexpr Region kRight{342, 35, 368, 58};
constexpr Region kWeighting{288, 63, 312, 86};
constexpr Region kSum{314, 63, 340, 86};
constexpr Region kDiff{342, 63, 368, 86};
constexpr Region kRefUp{288, 101, 312, 125};
constexpr Region kRefDown{288, 130, 312, 154};
constexpr Region kRange{344, 130, 368, 154};
constexpr Region kSpeed{344, 168, 368, 191};
constexpr Region kLower{30, 168, 54, 191};
constexpr Region kHigher{65, 168, 88, 191};
constexpr Region kSave{134, 168, 158, 191};
constexpr Region kHide{201, 168, 229, 191};
// Keys without a click region, placed in the gaps of the bottom row.
constexpr Region kData{99, 168, 123, 191};
constexpr Region kPeak{168, 168, 192, 191};

constexpr Lamp kMikeLamp{307, 36, 312, 41};
constexpr Lamp kLeftLamp{335, 36, 340, 41};
constexpr Lamp kRightLamp{363, 36, 368, 41};
constexpr Lamp kWeightingLamp{307, 64, 312, 69};
constexpr Lamp kSumLamp{335, 64, 340, 69};
constexpr Lamp kDiffLamp{363, 64, 368, 69};
constexpr Lamp kRange1Lamp{345, 131, 350, 136};
constexpr Lamp kRange2Lamp{365, 131, 370, 136};
constexpr Lamp kSlowLamp{345, 170, 350, 175};
constexpr Lamp kFastLamp{365, 170, 370, 175};
constexpr Lamp kHideLamp{224, 170, 229, 175};
constexpr int kSensitivitySteps = 8;
Lamp SensitivityLamp(int step)
{
    return {264, 7 * step + 51, 269, 7 * step + 56};
}
constexpr int kMemories = 30;
Lamp MemoryMark(int memory)
{
    return {7 * memory + 19, 153, 7 * memory + 26, 159};
}
constexpr int kBands = 30;
constexpr int kDisplayRows = 13;  // k = 0 ... 12
Lamp DisplayDot(int column, int k)
{
    const int x = column < kBands ? 26 + 7 * column : 250;
    return {x, 114 - 7 * k, x + 5, 119 - 7 * k};
}

const QColor kPanelTop(64, 68, 76);
const QColor kPanelBottom(44, 47, 54);
const QColor kSilk(214, 216, 212);   // the panel's white lettering
const QColor kAccent(236, 150, 36);  // the maker's orange
const QColor kLampOff(74, 16, 14);   // an unlit red lamp
const QColor kDotOff(40, 8, 7);      // an unlit display dot: darker than the dim dots
const QColor kMarkOff(16, 44, 18);   // an unlit memory mark
const QColor kGlass(14, 6, 6);
const QColor kBezel(18, 19, 22);
const QColor kCapOutline(16, 17, 19);

QFont CapFont()
{
    QFont font("DejaVu Sans");
    font.setPixelSize(8);
    font.setBold(true);
    font.setStretch(QFont::SemiCondensed);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// An unlit lamp filling the indicator rectangle exactly, in a black ring, so
// that the window's lit rectangle covers it.
void DrawLamp(QPainter& painter, const Lamp& lamp)
{
    const QRect r = lamp.Picture();
    painter.fillRect(r.adjusted(-1, -1, 1, 1), QColor(6, 6, 7));
    painter.fillRect(r, kLampOff);
    painter.fillRect(r.left(), r.top(), 2, 1, kLampOff.lighter(170));
}

enum class CapColour { Grey, Orange, Dark };

// A key cap filling the click region: dark outline, lit top edge, a shadow
// one pixel below and to the right.
void DrawCap(QPainter& painter, const QRect& r, CapColour colour)
{
    QColor top, bottom;
    switch (colour) {
    case CapColour::Grey:
        top = QColor(206, 208, 210);
        bottom = QColor(162, 165, 170);
        break;
    case CapColour::Orange:
        top = QColor(240, 162, 60);
        bottom = QColor(196, 112, 24);
        break;
    case CapColour::Dark:
        top = QColor(104, 108, 116);
        bottom = QColor(70, 73, 80);
        break;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Drop shadow below and to the right.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 21, 24));
    painter.drawRoundedRect(QRectF(r).adjusted(0.5, 1.5, 1.0, 1.5), 2.5, 2.5);
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0, top);
    face.setColorAt(1, bottom);
    painter.setBrush(face);
    painter.setPen(QPen(kCapOutline, 1));
    painter.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    painter.setPen(QPen(top.lighter(118), 1));
    painter.drawLine(QPointF(r.left() + 2.5, r.top() + 1.5), QPointF(r.right() - 2.5, r.top() + 1.5));
    painter.restore();
}

void DrawLegend(QPainter& painter, const QRect& area, const QString& text, CapColour colour)
{
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(CapFont());
    painter.setPen(colour == CapColour::Dark ? QColor(236, 238, 240) : QColor(24, 24, 28));
    painter.drawText(area, Qt::AlignCenter, text);
    painter.restore();
}

// A key with its legend; an indicator in a corner takes the top of the cap.
void DrawKey(QPainter& painter, const Region& region, const QString& legend, CapColour colour, bool lampOnTop)
{
    const QRect r = region.Picture();
    DrawCap(painter, r, colour);
    const QRect legendArea = lampOnTop ? r.adjusted(1, 7, -1, -2) : r.adjusted(1, 1, -1, -2);
    DrawLegend(painter, legendArea, legend, colour);
}

enum class Arrow { Up, Down, Left, Right };

// A small solid arrow head centred in the area, for the stepping keys.
void DrawArrow(QPainter& painter, const QRect& area, Arrow arrow, const QColor& colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const QPointF c = QRectF(area).center();
    constexpr double kHalfBase = 4.5;
    constexpr double kDepth = 4.5;
    QPolygonF head;
    switch (arrow) {
    case Arrow::Up:
        head << QPointF(c.x() - kHalfBase, c.y() + kDepth / 2)
             << QPointF(c.x() + kHalfBase, c.y() + kDepth / 2) << QPointF(c.x(), c.y() - kDepth / 2);
        break;
    case Arrow::Down:
        head << QPointF(c.x() - kHalfBase, c.y() - kDepth / 2)
             << QPointF(c.x() + kHalfBase, c.y() - kDepth / 2) << QPointF(c.x(), c.y() + kDepth / 2);
        break;
    case Arrow::Left:
        head << QPointF(c.x() + kDepth / 2, c.y() - kHalfBase)
             << QPointF(c.x() + kDepth / 2, c.y() + kHalfBase) << QPointF(c.x() - kDepth / 2, c.y());
        break;
    case Arrow::Right:
        head << QPointF(c.x() - kDepth / 2, c.y() - kHalfBase)
             << QPointF(c.x() - kDepth / 2, c.y() + kHalfBase) << QPointF(c.x() + kDepth / 2, c.y());
        break;
    }
    painter.drawPolygon(head);
    painter.restore();
}

// A key whose legend is a word over an arrow head.
void DrawArrowKey(QPainter& painter, const Region& region, const QString& legend, Arrow arrow,
                  CapColour colour)
{
    const QRect r = region.Picture();
    DrawCap(painter, r, colour);
    DrawLegend(painter, r.adjusted(1, 2, -1, -11), legend, colour);
    const QColor ink = colour == CapColour::Dark ? QColor(236, 238, 240) : QColor(24, 24, 28);
    DrawArrow(painter, r.adjusted(1, 13, -1, -2), arrow, ink);
}

// A key lettered in the panel's small capitals (for the long words).
void DrawCapitalsKey(QPainter& painter, const Region& region, const std::string& legend)
{
    const QRect r = region.Picture();
    DrawCap(painter, r, CapColour::Grey);
    const PixelFont& font = PixelFont::Legend();
    font.DrawCentred(painter, r.center().x() + 1, r.top() + 7 + (r.height() - 9 - font.Height()) / 2, legend,
                     QColor(24, 24, 28));
}

// Silk-screen lettering centred on column cx.
void DrawSilk(QPainter& painter, int cx, int y, const std::string& text)
{
    PixelFont::Legend().DrawCentred(painter, cx, y, text, kSilk);
}

// A thin silk-screen line with a heading in the middle of it.
void DrawHeading(QPainter& painter, int left, int right, int y, const std::string& text)
{
    const PixelFont& font = PixelFont::Legend();
    const int width = font.TextWidth(text);
    const int textLeft = (left + right) / 2 - (width - 1) / 2;
    painter.fillRect(left, y + 2, textLeft - 3 - left, 1, kSilk);
    painter.fillRect(textLeft + width + 2, y + 2, right - (textLeft + width + 2) + 1, 1, kSilk);
    painter.fillRect(left, y + 2, 1, 3, kSilk);
    painter.fillRect(right, y + 2, 1, 3, kSilk);
    font.Draw(painter, textLeft, y, text, kSilk);
}

// A cross-head screw holding the panel.
void DrawScrew(QPainter& painter, QPointF centre)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QRadialGradient head(centre - QPointF(1, 1), 4);
    head.setColorAt(0, QColor(170, 172, 176));
    head.setColorAt(1, QColor(84, 86, 92));
    painter.setPen(QPen(QColor(22, 23, 26), 0.8));
    painter.setBrush(head);
    painter.drawEllipse(centre, 3.2, 3.2);
    painter.setPen(QPen(QColor(40, 41, 45), 1.0));
    painter.drawLine(centre - QPointF(2, 0), centre + QPointF(2, 0));
    painter.drawLine(centre - QPointF(0, 2), centre + QPointF(0, 2));
    painter.restore();
}

void DrawPanel(QPainter& painter)
{
    QLinearGradient panel(0, 0, 0, kHeight);
    panel.setColorAt(0, kPanelTop);
    panel.setColorAt(1, kPanelBottom);
    painter.fillRect(0, 0, kWidth, kHeight, panel);
    // The panel's edge: lit along the top and left, shaded along the bottom and right.
    painter.fillRect(0, 0, kWidth, 1, QColor(118, 122, 130));
    painter.fillRect(0, 0, 1, kHeight, QColor(104, 108, 116));
    painter.fillRect(0, kHeight - 1, kWidth, 1, QColor(16, 17, 19));
    painter.fillRect(kWidth - 1, 0, 1, kHeight, QColor(22, 23, 26));
    painter.fillRect(1, 1, kWidth - 2, 1, QColor(84, 88, 96));
    constexpr double kScrewInset = 5.5;
    for (double x : {kScrewInset, kWidth - kScrewInset})
        for (double y : {kScrewInset, kHeight - kScrewInset})
            DrawScrew(painter, QPointF(x, y));
}

void DrawDisplay(QPainter& painter)
{
    const QRect first = DisplayDot(0, kDisplayRows - 1).Picture();
    const QRect last = DisplayDot(kBands, 0).Picture();
    const QRect glass(first.left() - 6, first.top() - 5, last.right() - first.left() + 11,
                      last.bottom() - first.top() + 10);
    // Recessed bezel: dark surround, shaded top and left inner edge.
    painter.fillRect(glass.adjusted(-2, -2, 2, 2), kBezel);
    painter.fillRect(glass.adjusted(-2, glass.height() + 1, 2, 2), QColor(96, 100, 108));
    painter.fillRect(glass.adjusted(glass.width() + 1, -2, 2, 2), QColor(88, 92, 100));
    painter.fillRect(glass, kGlass);
    for (int column = 0; column <= kBands; ++column)
        for (int k = 0; k < kDisplayRows; ++k) {
            const QRect dot = DisplayDot(column, k).Picture();
            painter.fillRect(dot, kDotOff);
            painter.fillRect(dot.left(), dot.top(), 1, 1, QColor(54, 12, 11));
        }
    // The wide-band column stands apart behind a divider.
    const int divider =
        (DisplayDot(kBands - 1, 0).Picture().right() + DisplayDot(kBands, 0).Picture().left()) / 2;
    for (int y = glass.top() + 2; y < glass.bottom() - 1; y += 2)
        painter.fillRect(divider, y, 1, 1, QColor(90, 40, 36));

    // Band legends under the display at the octave bands, and the wide band.
    static const char* const kOctaves[] = {"31", "63", "125", "250", "500", "1K", "2K", "4K", "8K", "16K"};
    const int legendY = glass.bottom() + 4;
    for (int octave = 0; octave < 10; ++octave) {
        const QRect dot = DisplayDot(3 * octave + 1, 0).Picture();
        DrawSilk(painter, dot.center().x(), legendY, kOctaves[octave]);
    }
    DrawSilk(painter, DisplayDot(kBands, 0).Picture().center().x(), legendY, "WB");
}

void DrawMemoryStrip(QPainter& painter)
{
    const QRect firstMark = MemoryMark(1).Picture();
    const QRect lastMark = MemoryMark(kMemories).Picture();
    // The strip begins at the place of mark 0, where the window puts the mark
    // while the analyser's memory is not yet known.
    const QRect channel(MemoryMark(0).Picture().left() - 1, firstMark.top() - 2,
                        lastMark.right() - MemoryMark(0).Picture().left() + 3, firstMark.height() + 3);
    painter.fillRect(channel.adjusted(-1, -1, 1, 1), QColor(96, 100, 108));
    painter.fillRect(channel.adjusted(-1, -1, 0, 0), kBezel);
    painter.fillRect(channel, QColor(8, 10, 8));
    for (int memory = 1; memory <= kMemories; ++memory) {
        const QRect mark = MemoryMark(memory).Picture();
        painter.fillRect(mark.adjusted(0, 0, -1, -1), kMarkOff);
        // Numbers above the strip, odd and even in two staggered rows.
        DrawSilk(painter, mark.center().x(), memory % 2 == 1 ? channel.top() - 15 : channel.top() - 8,
                 std::to_string(memory));
    }
}

void DrawSensitivity(QPainter& painter)
{
    const QRect top = SensitivityLamp(1).Picture();
    DrawSilk(painter, top.center().x() + 3, top.top() - 9, "SENS");
    for (int step = 1; step <= kSensitivitySteps; ++step) {
        const QRect lamp = SensitivityLamp(step).Picture();
        DrawLamp(painter, SensitivityLamp(step));
        PixelFont::Legend().Draw(painter, lamp.right() + 4, lamp.top(), std::to_string(step), kSilk);
    }
}

void DrawBattery(QPainter& painter, int x, int y)
{
    // The battery symbol with its charge bars.
    painter.fillRect(x, y, 13, 7, kSilk);
    painter.fillRect(x + 1, y + 1, 11, 5, kPanelBottom);
    painter.fillRect(x + 13, y + 2, 2, 3, kSilk);
    painter.fillRect(x + 2, y + 2, 3, 3, kSilk);
    painter.fillRect(x + 6, y + 2, 3, 3, kSilk);
    PixelFont::Legend().Draw(painter, x - 1, y + 10, "BATT", kSilk);
}

void DrawNames(QPainter& painter, int left, int right, int top)
{
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QFont brand("Liberation Sans");
    brand.setPixelSize(17);
    brand.setBold(true);
    brand.setItalic(true);
    painter.setFont(brand);
    const QRect area(left, top, right - left + 1, 18);
    painter.setPen(kSilk);
    const QString name = "TALVEK";
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, name);
    const int nameWidth = painter.fontMetrics().horizontalAdvance(name + " ");
    painter.setPen(kAccent);
    painter.drawText(area.adjusted(nameWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, "7");
    painter.restore();
    PixelFont::Legend().Draw(painter, left + 1, top + 20, "1/3 OCTAVE ANALYSER", kSilk);
    painter.fillRect(left + 1, top + 28, right - left - 1, 1, kAccent);
    PixelFont::Legend().Draw(painter, left + 1, top + 31, "HALDEN ELECTRICS", kAccent);
}

}  // namespace

QImage PaintFrontPanelRgb()
{
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawPanel(painter);
    DrawDisplay(painter);
    DrawMemoryStrip(painter);
    DrawSensitivity(painter);

    // Input selection.
    DrawHeading(painter, kMike.Picture().left(), kRight.Picture().right(), kMike.Picture().top() - 10,
                "INPUT");
    DrawKey(painter, kMike, "Mike", CapColour::Grey, true);
    DrawKey(painter, kLeft, "Left", CapColour::Grey, true);
    DrawKey(painter, kRight, "Right", CapColour::Grey, true);
    DrawKey(painter, kWeighting, "Wgt.", CapColour::Grey, true);
    DrawKey(painter, kSum, "Sum", CapColour::Grey, true);
    DrawKey(painter, kDiff, "Diff", CapColour::Grey, true);
    for (const Lamp& lamp : {kMikeLamp, kLeftLamp, kRightLamp, kWeightingLamp, kSumLamp, kDiffLamp})
        DrawLamp(painter, lamp);
    // The weighting lamp shows C weighting.
    PixelFont::Legend().Draw(painter, kWeightingLamp.Picture().left() - 6, kWeightingLamp.Picture().top(),
                             "C", QColor(24, 24, 28));

    // Reference (sensitivity) keys.
    DrawSilk(painter, kRefUp.Picture().center().x(), kRefUp.Picture().top() - 8, "REF");
    DrawArrowKey(painter, kRefUp, "Ref.", Arrow::Up, CapColour::Dark);
    DrawArrowKey(painter, kRefDown, "Ref.", Arrow::Down, CapColour::Dark);

    // Range and speed, each with its two lamps.
    DrawSilk(painter, kRange1Lamp.Picture().center().x(), kRange.Picture().top() - 8, "1dB");
    DrawSilk(painter, kRange2Lamp.Picture().center().x(), kRange.Picture().top() - 8, "2dB");
    DrawCapitalsKey(painter, kRange, "RANGE");
    DrawSilk(painter, kSlowLamp.Picture().center().x() - 1, kSpeed.Picture().top() - 8, "SLOW");
    DrawSilk(painter, kFastLamp.Picture().center().x() + 1, kSpeed.Picture().top() - 8, "FAST");
    DrawCapitalsKey(painter, kSpeed, "SPEED");
    for (const Lamp& lamp : {kRange1Lamp, kRange2Lamp, kSlowLamp, kFastLamp})
        DrawLamp(painter, lamp);

    // The memory keys along the bottom.
    DrawHeading(painter, kLower.Picture().left(), kHigher.Picture().right(), kLower.Picture().top() - 8,
                "MEMORY");
    DrawArrowKey(painter, kLower, "Sel.", Arrow::Left, CapColour::Grey);
    DrawArrowKey(painter, kHigher, "Sel.", Arrow::Right, CapColour::Grey);
    DrawKey(painter, kData, "DATA", CapColour::Dark, false);
    DrawKey(painter, kSave, "Save", CapColour::Orange, false);
    DrawKey(painter, kPeak, "Peak", CapColour::Grey, false);
    DrawKey(painter, kHide, "Hide", CapColour::Grey, true);
    DrawLamp(painter, kHideLamp);

    DrawBattery(painter, kSum.Picture().left() + 8, kSum.Picture().bottom() + 10);
    DrawNames(painter, 236, 332, 150);
    painter.end();
    return picture;
}

IndexedImage PaintFrontPanel()
{
    return IndexedImage::FromRgb(PaintFrontPanelRgb(), SystemColours());
}

QImage LightFrontPanel(const QImage& panel)
{
    // Lights the indicators the way the comms window does, with a sample state:
    // memory 5, Mike with C weighting, range 1 dB, speed fast, hidden,
    // sensitivity 2, and a spectrum on the display.
    QImage lit = panel.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&lit);
    auto fill = [&painter](const Lamp& lamp, const QColor& colour) {
        painter.fillRect(lamp.Picture(), colour);
    };
    const QColor red(255, 0, 0);
    fill(MemoryMark(5), QColor(0, 255, 0));
    for (const Lamp& lamp :
         {kMikeLamp, kWeightingLamp, kRange1Lamp, kFastLamp, kHideLamp, SensitivityLamp(2)})
        fill(lamp, red);
    // A room's noise: rising from the low bands, highest in the middle, falling
    // off at the top; the wide band above them all.
    static constexpr int kSpectrum[kBands + 1]{3, 4, 6, 7, 7, 8, 10, 9, 10, 11, 10, 11, 11, 10, 9, 10,
                                               9, 8, 8, 7, 7, 6, 6,  5, 4,  4,  3,  2,  2,  1,  12};
    for (int column = 0; column <= kBands; ++column)
        fill(DisplayDot(column, kSpectrum[column]), red);
    return lit;
}
