#include "plot/ScreenGraph.h"

#include "data/CMainDoc.h"
#include "data/NcCurveTable.h"
#include "data/PlotRows.h"
#include "plot/DrawDib.h"
#include "plot/GdiPen.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBands = 30;
constexpr int kRecords = 30;

// Geometry of the graticule picture.
constexpr int kZeroRow = PlotRows::kZeroRow;  // the 0 dBr grid line
constexpr int kTopRow = 7;                    // the field's first and last rows for marks
constexpr int kBottomRow = 135;
constexpr int kFirstBandX = 26;  // centre of band 0
constexpr int kBandPitch = 10;
constexpr int kLabelTop = 7;  // the level-label columns
constexpr int kLabelWidth = 16;
constexpr int kLabelHeight = 128;
constexpr int kOneDbLabelsX = 4;    // +2, +1, +0, -1 .. -10
constexpr int kTwoDbLabelsX = 322;  // +4, +2, +0, -2 .. -20

int BandX(int band)
{
    return kFirstBandX + kBandPitch * band;
}

// Colour-table indexes of the plain field that stands in for the artwork.
constexpr std::uint8_t kBlack = 0;
constexpr std::uint8_t kNavy = 1;
constexpr std::uint8_t kSurround = 156;
constexpr std::uint8_t kWhite = 255;

}  // namespace

ScreenGraph::ScreenGraph()
{
    if (m_graticule.LoadResource(kGraticuleResource) != DibImage::kOk || m_graticule.Width() != kWidth ||
        m_graticule.Height() != kHeight || m_graticule.BitsPerPixel() != 8)
        MakePlainGraticule();
}

ScreenGraph::ScreenGraph(const DibImage& graticule)
{
    m_graticule.CopyFrom(graticule);
}

// The field, frame, octave lines and grid rows of the graticule, without
// its labels: enough for the traces to be seen and tested.
void ScreenGraph::MakePlainGraticule()
{
    m_graticule.Create(kWidth, kHeight, 256, 8);
    std::uint8_t* navy = m_graticule.ColourTable() + 4 * kNavy;
    navy[0] = 128;
    navy[1] = 0;
    navy[2] = 0;
    const auto fill = [this](int left, int top, int right, int bottom, std::uint8_t index) {
        for (int y = top; y <= bottom; ++y)
            std::fill(m_graticule.Pixel(left, y), m_graticule.Pixel(right, y) + 1, index);
    };
    fill(0, 0, kWidth - 1, kHeight - 1, kBlack);
    fill(1, 1, kWidth - 2, kHeight - 2, kSurround);
    fill(20, 5, 320, 136, kWhite);
    fill(21, 6, 319, 135, kNavy);
    for (int x = 50; x <= 290; x += 30)
        fill(x, 6, x, 135, kWhite);
    for (int y = kZeroRow; y <= 121; y += 30)
        fill(21, y, 319, y, kBlack);
}

int ScreenGraph::LevelRow(double level) const
{
    return kZeroRow - static_cast<int>(std::trunc(10.0 * level / StepDb()));
}

QImage ScreenGraph::Compose(CMainDoc& document, int memory, const Switches& switches, int highlightBand)
{
    m_pDocument = &document;
    m_nMemory = memory;
    m_switches = switches;
    m_nHighlightBand = highlightBand;

    DibImage working;
    if (working.CopyFrom(m_graticule) != DibImage::kOk)
        return {};
    // Both label columns show the active scale.
    if (switches.b2dB)
        working.CopyRect(m_graticule, kOneDbLabelsX, kLabelTop, kLabelWidth, kLabelHeight, kTwoDbLabelsX,
                         kLabelTop);
    else
        working.CopyRect(m_graticule, kTwoDbLabelsX, kLabelTop, kLabelWidth, kLabelHeight, kOneDbLabelsX,
                         kLabelTop);
    QImage picture = DibToQImage(working).convertToFormat(QImage::Format_RGB32);
    working.Free();
    if (picture.isNull())
        return picture;

    QPainter painter(&picture);
    const int record = memory - 1;
    DrawNcCurve(painter, kNcCurveColour, record);
    if (switches.bMulti)
        for (int other = 0; other < kRecords; ++other)
            DrawTrace(painter, kOtherRecordColour, other);
    DrawTrace(painter, kRecordColour, record);
    return picture;
}

int ScreenGraph::DrawTrace(QPainter& painter, QRgb colour, int record)
{
    if (m_pDocument == nullptr || record < 0 || record >= kRecords || m_pDocument->IsRecordInUse(record) == 0)
        return 0;
    const GdiPen pen(colour, 2);
    const GdiPen highlight(kHighlightColour, 2);
    const auto penFor = [&](int band) -> const GdiPen& {
        return band + 1 == m_nHighlightBand ? highlight : pen;
    };
    std::string text;

    if (!m_switches.bJoined) {
        for (int band = 0; band < kBands; ++band) {
            const float level = m_pDocument->GetBandLevel(text, band, record);
            const int y = LevelRow(level);
            if (y <= kTopRow || y >= kBottomRow)
                continue;
            const int x = BandX(band);
            // Levels shown as "<-20" or ">4.1" get a narrow mark.
            if (level > -20.0f && level < 4.2)
                penFor(band).Rectangle(painter, x - 3, y - 1, x + 3, y + 1, colour);
            else
                penFor(band).Rectangle(painter, x, y - 1, x, y + 1, colour);
        }
        return 0;
    }

    // The joined staircase: a riser at each band's left edge from where the
    // previous step ended, then the band's 10-pixel step. A band out of the
    // accepted range leaves its step out.
    const double lowest = m_switches.b2dB ? -20.0 : -10.0;
    const double highest = m_switches.b2dB ? 4.2 : 2.0;
    int currentX = 0;
    int currentY = 0;
    const auto lineTo = [&](const GdiPen& linePen, int x, int y) {
        linePen.Line(painter, currentX, currentY, x, y);
        currentX = x;
        currentY = y;
    };
    bool previousInRange = false;
    for (int band = 0; band < kBands; ++band) {
        const float level = m_pDocument->GetBandLevel(text, band, record);
        const int y = std::clamp(LevelRow(level), kTopRow, kBottomRow);
        const int x = BandX(band);
        if (band == 0) {
            currentX = x - 5;
            currentY = y;
        }
        const bool inRange = level > lowest && level < highest;
        if (inRange) {
            lineTo(pen, x - 5, y);
            lineTo(penFor(band), x + 5, y);
        } else {
            if (previousInRange)
                lineTo(pen, x - 5, y);
            currentX = x + 5;
            currentY = y;
        }
        previousInRange = inRange;
    }
    return 0;
}

int ScreenGraph::DrawNcCurve(QPainter& painter, QRgb colour, int record)
{
    if (m_pDocument == nullptr || record < 0 || record >= kRecords)
        return -1;
    std::string text;
    const int nc = m_pDocument->GetNcCurve(text, record);
    // Indexes 12..15 name no curve.
    if (nc == 0 || nc > NcCurveTable::kCurves)
        return -1;
    if (m_pDocument->IsRecordInUse(record) == 0)
        return 0;
    const GdiPen pen(colour, 2);
    const float reference = m_pDocument->GetRefLevel(text, record);
    const auto curveRow = [&](int band) {
        const float curve = m_pDocument->GetNcCurveLevel(text, band, nc);
        return kZeroRow -
               static_cast<int>(std::trunc(static_cast<double>((reference - curve) * -10.0f) / StepDb()));
    };
    for (int band = 0; band < kBands; ++band) {
        int ya = curveRow(band);
        int yb = curveRow(std::min(band + 1, kBands - 1));
        const int xa = BandX(band);
        const int xb = band < kBands - 1 ? xa + kBandPitch : xa + kBandPitch / 2;
        if ((ya <= kTopRow && yb <= kTopRow) || (ya > kBottomRow && yb > kBottomRow))
            continue;
        if (ya <= kTopRow)
            ya = kTopRow;
        if (yb > kBottomRow)
            yb = kBottomRow;
        pen.Line(painter, xa, ya, xb, yb);
    }
    return 0;
}
