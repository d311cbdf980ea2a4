#include "plot/PlotPage.h"

#include "data/AcousticResults.h"
#include "data/CMainDoc.h"
#include "data/NcCurveTable.h"
#include "data/ProgramSettings.h"
#include "data/ResultText.h"
#include "data/UserInterface.h"
#include "disk/DskFile.h"
#include "plot/DibPainter.h"
#include "plot/DrawDib.h"
#include "plot/FontSpec.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <vector>

namespace {

constexpr char kCannotAlloc[] = "Cannot alloc";
constexpr char kNoDocument[] = "No document";
constexpr int kBandLabelEscapement = 2700;  // band labels run downwards
constexpr int kCommentLines = 4;
constexpr int kCommentLineSize = 40;
constexpr int kCornerInset = 10;  // the default logo sits this many pixels in from the corner
// Placements are kept within this range so that no rectangle overflows.
constexpr std::int64_t kCoordinateLimit = 1 << 24;

// wsprintf into a 256-byte buffer: texts are cut at 255 characters.
std::string Format(const char* format, ...)
{
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

int Coordinate(std::int64_t value)
{
    return static_cast<int>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

// Reads a whole file into memory; false when it is missing or unreadable.
bool ReadWholeFile(const std::string& name, std::vector<std::uint8_t>& bytes, bool& tooLarge)
{
    DskFile file;
    file.DskSetName(name);
    const std::int64_t length = file.DskGetLength();
    if (length < 0)
        return false;
    tooLarge = length > PlotPage::kMaxBitmapFileBytes;
    if (tooLarge)
        return true;
    bytes.resize(static_cast<std::size_t>(length));
    auto count = static_cast<std::int32_t>(length);
    if (file.DskOpen(DskFile::kRead) != DskFile::kOk)
        return false;
    // A file that shrank meanwhile simply reads short and fails to parse.
    file.DskRead(bytes.data(), count);
    bytes.resize(static_cast<std::size_t>(std::max(count, 0)));
    file.DskClose();
    return true;
}

}  // namespace

void PlotPage::PageFont(FontSpec& font, const std::string& spec, int fontDivisor, int escapement)
{
    font.FromSpec(spec);
    LogFontRecord logFont;
    font.LogFont(logFont);
    logFont.lfWidth = 0;
    if (fontDivisor == 1)
        logFont.lfHeight *= 2;
    else if (fontDivisor > 1)
        logFont.lfHeight = logFont.lfHeight * 2 / fontDivisor;
    logFont.lfEscapement = escapement;
    font.FromLogFont(logFont);
}

void PlotPage::Text(const FontSpec& font, int x, int y, const std::string& text)
{
    font.DrawText(*m_pPainter, x, y, text);
}

int PlotPage::Render(CMainDoc* document, int memory, int width, int height, int fontDivisor, int graphOnly,
                     int bitsPerPixel)
{
    Release();
    m_strError.clear();
    if (document == nullptr) {
        m_strError = kNoDocument;
        return -1;
    }
    m_pDocument = document;
    m_nMemory = memory;
    m_nBitsPerPixel = bitsPerPixel == 8 ? 8 : 1;
    // Both tables have white as their last entry: 256 greys, or black and white.
    if (m_image.Create(width, height, m_nBitsPerPixel == 8 ? 256 : 2, m_nBitsPerPixel) != DibImage::kOk) {
        m_strError = m_image.ErrorCode() == DibImage::kNoMemory
                         ? std::string(kCannotAlloc)
                         : Format("No page of %d x %d pixels", width, height);
        return -1;
    }
    if (m_image.BlockSize() > kMaxPageBytes) {
        Release();
        m_strError = kCannotAlloc;
        return -1;
    }
    std::memset(m_image.Bits(), 0xFF, static_cast<std::size_t>(m_image.ImageBytes()));
    Layout(document, memory, width, height);

    DibPainter canvas(m_image);
    if (!canvas.IsActive())
        return 0;  // a page without pixels has nothing to draw on
    Paint(canvas.Painter(), fontDivisor, graphOnly);
    canvas.Finish();
    return 0;
}

bool PlotPage::LayOutForPainter(CMainDoc* document, int memory, int width, int height)
{
    Release();
    m_strError.clear();
    if (document == nullptr) {
        m_strError = kNoDocument;
        return false;
    }
    m_nBitsPerPixel = 8;
    Layout(document, memory, width, height);
    return true;
}

int PlotPage::RenderOn(QPainter& painter, CMainDoc* document, int memory, int width, int height,
                       int fontDivisor, int graphOnly)
{
    if (!LayOutForPainter(document, memory, width, height))
        return -1;
    painter.save();
    painter.fillRect(0, 0, width, height, Qt::white);
    Paint(painter, fontDivisor, graphOnly);
    painter.restore();
    return 0;
}

int PlotPage::RenderHeaderOn(QPainter& painter, CMainDoc* document, int width, int height, int fontDivisor)
{
    if (!LayOutForPainter(document, 0, width, height))
        return -1;
    painter.save();
    painter.setPen(QColor(Qt::black));
    painter.setRenderHint(QPainter::TextAntialiasing);
    m_pPainter = &painter;
    const ProgramSettings& settings = Settings();
    DrawUserBitmap(settings.Plotuserbmpx, settings.Plotuserbmpy, settings.Plotuserbmpdx,
                   settings.Plotuserbmpdy, settings.Plotuserbmp.empty() ? "2" : settings.Plotuserbmp);
    DrawHeader(0, 0, m_nPageWidth, fontDivisor);
    m_pPainter = nullptr;
    painter.restore();
    return 0;
}

void PlotPage::Layout(CMainDoc* document, int memory, int width, int height)
{
    m_pDocument = document;
    m_nMemory = memory;
    m_nPageWidth = width;
    m_nPageHeight = height;
    m_nUnitU = width / 36;
    m_nUnitV = height / 36;
    m_nGraphLeft = 3 * m_nUnitU;
    m_nGraphTop = 3 * m_nUnitV;
    m_nGraphWidth = 30 * m_nUnitU;
    m_nGraphHeight = 16 * m_nUnitV;
}

void PlotPage::Paint(QPainter& painter, int fontDivisor, int graphOnly)
{
    painter.setPen(QColor(Qt::black));
    painter.setBackgroundMode(Qt::TransparentMode);
    // Grey pages take smoothed text; black-and-white pages take whole pixels.
    painter.setRenderHint(QPainter::TextAntialiasing, m_nBitsPerPixel == 8);
    m_pPainter = &painter;

    const ProgramSettings& settings = Settings();
    if (graphOnly == 0) {
        const std::string background = settings.Plotbkgdbmp.empty() ? "1" : settings.Plotbkgdbmp;
        DrawUserBitmap(settings.Plotbkgdbmpx, settings.Plotbkgdbmpy, settings.Plotbkgdbmpdx,
                       settings.Plotbkgdbmpdy, background);
        const std::string logo = settings.Plotuserbmp.empty() ? "2" : settings.Plotuserbmp;
        DrawUserBitmap(settings.Plotuserbmpx, settings.Plotuserbmpy, settings.Plotuserbmpdx,
                       settings.Plotuserbmpdy, logo);
    }
    DrawGraph(m_nGraphLeft, m_nGraphTop, m_nGraphWidth, m_nGraphHeight, fontDivisor);
    if (graphOnly == 0) {
        DrawInfoText(3 * m_nUnitU, 3 * m_nUnitV + 4 * m_nUnitV + 16 * m_nUnitV, 30 * m_nUnitU, fontDivisor);
        DrawHeader(0, 0, m_nPageWidth, fontDivisor);
    }
    m_pPainter = nullptr;
}

void PlotPage::Release()
{
    m_image.Free();
}

int PlotPage::DrawGraph(int x, int y, int width, int height, int fontDivisor)
{
    if (m_pPainter == nullptr || m_pDocument == nullptr)
        return 0;
    QPainter& painter = *m_pPainter;
    const CMainDoc& doc = *m_pDocument;
    const int u = m_nUnitU;
    const int v = m_nUnitV;

    // 1. Columns, rows and octaves.
    const int c = width / 30;
    const int r = height / 12;
    const int o = 3 * c;
    const int gw = 30 * c;
    const int gh = 12 * r;

    // 2. The fonts.
    FontSpec textFont;
    PageFont(textFont, Settings().Plotfont, fontDivisor);
    FontSpec labelFont;
    PageFont(labelFont, Settings().Plotfont, fontDivisor, kBandLabelEscapement);
    LogFontRecord textRecord;
    textFont.LogFont(textRecord);
    const int h2 = std::abs(textRecord.lfHeight) / 2;

    // 3. The two outer lines of the field.
    m_thickPen.Line(painter, x, y, x, y + gh);
    m_thickPen.Line(painter, x + gw, y, x + gw, y + gh);

    // 4. Octave lines, with the two bands between them dotted.
    for (int k = 0; k < 10; ++k) {
        const int xk = x + k * o;
        if (k > 0)
            m_thinPen.Line(painter, xk, y, xk, y + gh);
        m_dottedPen.Line(painter, xk + c, y, xk + c, y + gh);
        m_dottedPen.Line(painter, xk + 2 * c, y, xk + 2 * c, y + gh);
    }

    // 5. Grid rows, 2 dB each.
    for (int j = 0; j <= 12; ++j)
        m_dottedPen.Line(painter, x, y + j * r, x + gw, y + j * r);

    // 6. The level scales' lines and ticks on both sides.
    const int xl = x - u / 2;
    const int xr = x + gw + u / 2;
    m_thinPen.Line(painter, xl, y, xl, y + gh);
    m_thinPen.Line(painter, xr, y, xr, y + gh);
    for (int j = 0; j <= 12; ++j) {
        const int yj = y + j * r;
        m_thinPen.Line(painter, xl, yj, xl - u / 4, yj);
        m_thinPen.Line(painter, xr, yj, xr + u / 4, yj);
    }

    // 7. Level labels, +4 dBr at the top to -20 dBr at the bottom.
    for (int j = 0; j <= 12; ++j) {
        const std::string label = Format("%d", 4 - 2 * j);
        const int cx = textFont.TextWidth(label);
        Text(textFont, x - cx - u, y + j * r - h2, label);
        Text(textFont, x + gw + u, y + j * r - h2, label);
    }
    const std::string unit = "dBr";
    const int unitWidth = textFont.TextWidth(unit);
    Text(textFont, x - unitWidth - u, y + gh + v, unit);
    Text(textFont, x + gw + u, y + gh + v, unit);

    // 8. Band ticks and the downward band labels centred under them.
    const int yb = y + gh + r / 2;
    const int cy = labelFont.TextHeight();
    std::string text;
    for (int i = 0; i < 30; ++i) {
        const int xi = x + (i / 3) * o + (i % 3) * c + o / 6;
        m_thinPen.Line(painter, xi, y + gh, xi, yb);
        doc.GetBandLabel(text, i);
        Text(labelFont, xi + cy / 2, yb + v / 2, text);
    }

    // 9. A bar for each band level within the scale; levels shown as "<-20"
    //    or ">4.1" have none.
    const int y0 = y + 2 * r;
    const auto fieldRow = [&](int row) { return row >= y && row <= y + gh; };
    for (int i = 0; i < 30; ++i) {
        const float level = doc.GetBandLevel(text, i, m_nMemory);
        if (!(level > -20.0f && level < 4.2))
            continue;
        const int yl =
            y0 - static_cast<int>(std::trunc(static_cast<double>(level * static_cast<float>(r)) * 0.5));
        if (!fieldRow(yl))
            continue;
        const int xi = x + (i / 3) * o + (i % 3) * c + o / 6;
        for (int d = -1; d <= 1; ++d)
            m_thinPen.Line(painter, xi - o / 6, yl + d, xi + o / 6, yl + d);
    }

    // 10. The NC curve as half-width marks, relative to the reference level.
    //     Indexes without a curve (12..15) have none to show.
    const int nc = doc.GetNcCurve(text, m_nMemory);
    if (nc >= 1 && nc <= NcCurveTable::kCurves) {
        const float reference = doc.GetRefLevel(text, m_nMemory);
        for (int i = 0; i < 30; ++i) {
            const float curve = doc.GetNcCurveLevel(text, i, nc);
            const int yn = y0 - static_cast<int>(std::trunc(
                                    static_cast<double>((reference - curve) * static_cast<float>(r)) * -0.5));
            if (!fieldRow(yn))
                continue;
            const int xi = x + (i / 3) * o + (i % 3) * c + o / 6;
            for (int d = -1; d <= 1; ++d)
                m_thinPen.Line(painter, xi - o / 12, yn + d, xi + o / 12, yn + d);
        }
    }
    return 0;
}

int PlotPage::DrawInfoText(int x, int y, int width, int fontDivisor)
{
    if (m_pPainter == nullptr || m_pDocument == nullptr)
        return 0;
    CMainDoc& doc = *m_pDocument;
    FontSpec font;
    PageFont(font, Settings().Plotfont, fontDivisor);
    LogFontRecord record;
    font.LogFont(record);
    const int pitch = std::abs(record.lfHeight) * 4 / 3;
    const auto rightAligned = [&](int row, const std::string& text) {
        Text(font, x + width - font.TextWidth(text), row, text);
    };

    Text(font, x, y, Format("Data File: %s    Memory: %d", doc.GetTitle().c_str(), m_nMemory + 1));
    std::string serial;
    doc.GetSerialText(serial);
    if (!serial.empty())
        rightAligned(y, Format("TALVEK 7: %s", serial.c_str()));

    std::string source, reference, wideband, nc;
    doc.GetSource(source, m_nMemory);
    doc.GetRefLevel(reference, m_nMemory);
    doc.GetWidebandLevel(wideband, m_nMemory);
    Text(font, x, y + pitch,
         Format("Input:%s   Ref Level:%s   Wideband Level: %s", source.c_str(), reference.c_str(),
                wideband.c_str()));
    if (doc.GetNcCurve(nc, m_nMemory) != 0)
        rightAligned(y + pitch, Format("NC: %s", nc.c_str()));

    std::string comment;
    doc.GetComment(comment, m_nMemory, 1);
    if (!comment.empty()) {
        Text(font, x, y + 2 * pitch, "Comments:");
        comment.resize(kCommentLines * kCommentLineSize, ' ');
        for (int line = 0; line < kCommentLines; ++line)
            Text(font, x, y + (3 + line) * pitch,
                 comment.substr(static_cast<std::size_t>(line * kCommentLineSize), kCommentLineSize));
        // A record with a comment block has data to work the results out from.
        if (Settings().Printresults != 0 || m_bResultsAlways)
            Text(
                font, x, y + (3 + kCommentLines) * pitch,
                ResultsLine(ComputeAcousticResults(doc.Data().records[static_cast<std::size_t>(m_nMemory)])));
    }
    return 0;
}

int PlotPage::DrawHeader(int x, int y, int width, int fontDivisor)
{
    if (m_pPainter == nullptr)
        return 0;
    FontSpec font;
    PageFont(font, Settings().Plothdrfont, fontDivisor);
    const std::string& header = Settings().Plothdr;
    Text(font, x + (width - font.TextWidth(header)) / 2, y, header);
    return 0;
}

int PlotPage::DrawUserBitmap(int xPercent, int yPercent, int widthPercent, int heightPercent,
                             const std::string& name)
{
    if (m_pPainter == nullptr || m_pDocument == nullptr || ::strcasecmp(name.c_str(), "none") == 0)
        return 0;
    DibImage bitmap;
    const bool resource = name == "1" || name == "2";
    if (resource) {
        // Without the artwork built in, the page simply goes without it.
        if (bitmap.LoadResource(name == "1" ? kBackgroundResource : kLogoResource) != DibImage::kOk)
            return 0;
    } else if (name.size() >= 2) {
        std::vector<std::uint8_t> bytes;
        bool tooLarge = false;
        if (!ReadWholeFile(name, bytes, tooLarge))
            return 0;  // a missing file is silently left out
        const bool parsed = !tooLarge && !bytes.empty() && bitmap.LoadFileImage(bytes) == DibImage::kOk;
        if (!parsed || bitmap.BitsPerPixel() == 1) {
            m_pDocument->Ui().Tell(Format("Warning, %s is not a valid bitmap", name.c_str()),
                                   UserInterface::Icon::Exclamation);
            return 0;
        }
    } else {
        return 0;
    }

    const std::int64_t pageWidth = m_nPageWidth;
    const std::int64_t pageHeight = m_nPageHeight;
    std::int64_t x = xPercent * pageWidth / 100;
    std::int64_t y = yPercent * pageHeight / 100;
    std::int64_t w = widthPercent * pageWidth / 100;
    std::int64_t h = heightPercent * pageHeight / 100;
    if (resource && xPercent == 0 && yPercent == 0) {
        const std::int64_t u = m_nUnitU;
        const std::int64_t v = m_nUnitV;
        if (name == "1") {
            // Centred on the graph.
            h = pageHeight / 3;
            w = pageWidth * 70 / 100;
            x = 3 * u + (30 * u - w) / 2;
            y = 3 * v + (16 * v - h) / 2;
        } else {
            // The bottom-right corner.
            h = pageHeight / 8;
            w = pageWidth / 8;
            x = pageWidth - w - kCornerInset;
            y = pageHeight - h - kCornerInset;
        }
    }
    if (widthPercent < 0)
        w = bitmap.Width();
    if (heightPercent < 0)
        h = bitmap.Height();
    DrawDib(*m_pPainter, bitmap, Coordinate(x), Coordinate(y), Coordinate(w), Coordinate(h), 0, 0, 0, 0,
            kBlackOnWhite);
    return 0;
}
