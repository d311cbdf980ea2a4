#pragma once

#include "dib/DibImage.h"
#include "plot/GdiPen.h"

#include <string>

class CMainDoc;
class FontSpec;
class QPainter;

// Renders the page of one record into a page image for the printer, the
// print preview and the bitmap export: a white page with the background and
// logo bitmaps, the spectrum graph, the information text under it and the
// centred header line. The page is 36 x 36 units of U = width div 36 across
// and V = height div 36 down; the graph lies at (3U, 3V), 30U wide and 16V
// high, the text block at (3U, 23V). Settings are read at render time.
class PlotPage {
public:
    // The largest page image rendered; beyond it the page counts as memory
    // that cannot be had.
    static constexpr int kMaxPageBytes = 256 << 20;
    // User bitmap files larger than this are not read.
    static constexpr int kMaxBitmapFileBytes = 256 << 20;
    // Resources of the default background and logo.
    static constexpr int kBackgroundResource = 140;
    static constexpr int kLogoResource = 141;

    PlotPage() = default;
    PlotPage(const PlotPage&) = delete;
    PlotPage& operator=(const PlotPage&) = delete;

    // Renders record memory (0..29) of document on a width x height page:
    // 8 bits per pixel give 256 greys, any other value black and white.
    // fontDivisor scales the fonts (1 print, 4 preview, 2400 div width for
    // bitmaps); graphOnly non-zero leaves out bitmaps and texts. 0 when
    // drawn, -1 when document is null or the page image cannot be had
    // (ErrorText says why). The image stays here until Release.
    int Render(CMainDoc* document, int memory, int width, int height, int fontDivisor, int graphOnly,
               int bitsPerPixel);
    void Release();
    // Paints the same page straight onto painter (a PDF or SVG writer keeps
    // it as lines and text), width x height in the painter's coordinates,
    // grey; nothing is kept. 0, or -1 when document is null.
    int RenderOn(QPainter& painter, CMainDoc* document, int memory, int width, int height, int fontDivisor,
                 int graphOnly);
    // Paints only the logo and the header line of a width x height page, as
    // the record pages place them (the first page of a report). 0, or -1
    // when document is null.
    int RenderHeaderOn(QPainter& painter, CMainDoc* document, int width, int height, int fontDivisor);
    // The results line under the comment whatever Printresults says (the
    // pages of a report).
    void SetResultsLineAlways(bool always) { m_bResultsAlways = always; }

    // The steps of Render, drawing on the page being rendered.
    int DrawGraph(int x, int y, int width, int height, int fontDivisor);
    int DrawInfoText(int x, int y, int width, int fontDivisor);
    int DrawHeader(int x, int y, int width, int fontDivisor);
    // Draws the named bitmap ("1" the default background, "2" the default
    // logo, "none" nothing, else a .bmp file) at its percentages of the page.
    int DrawUserBitmap(int xPercent, int yPercent, int widthPercent, int heightPercent,
                       const std::string& name);

    const DibImage& Image() const { return m_image; }
    int UnitU() const { return m_nUnitU; }
    int UnitV() const { return m_nUnitV; }
    const std::string& ErrorText() const { return m_strError; }

private:
    // A font of the page from a spec: twice the screen height, divided by
    // fontDivisor when it is above 1.
    static void PageFont(FontSpec& font, const std::string& spec, int fontDivisor, int escapement = 0);
    void Text(const FontSpec& font, int x, int y, const std::string& text);
    // The page's geometry for a width x height page.
    void Layout(CMainDoc* document, int memory, int width, int height);
    // The start of a rendering onto a painter: no image of its own, the
    // layout for document; false with the error set when there is none.
    bool LayOutForPainter(CMainDoc* document, int memory, int width, int height);
    // Draws bitmaps, graph and texts with painter.
    void Paint(QPainter& painter, int fontDivisor, int graphOnly);

    DibImage m_image;
    int m_nPageWidth = 0;
    int m_nPageHeight = 0;
    int m_nUnitU = 0;
    int m_nUnitV = 0;
    CMainDoc* m_pDocument = nullptr;
    int m_nMemory = 0;
    int m_nBitsPerPixel = 0;
    int m_nGraphLeft = 0;
    int m_nGraphTop = 0;
    int m_nGraphWidth = 0;
    int m_nGraphHeight = 0;
    QPainter* m_pPainter = nullptr;  // the painter over the page image while rendering
    GdiPen m_thinPen{0xFF000000u, 1};
    GdiPen m_thickPen{0xFF000000u, 2};
    GdiPen m_dottedPen{0xFF000000u, 1, GdiPen::Style::Dotted};
    std::string m_strError;
    bool m_bResultsAlways = false;
};
