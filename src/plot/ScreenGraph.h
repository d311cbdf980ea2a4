#pragma once

#include "dib/DibImage.h"

#include <QImage>
#include <QRgb>

class CMainDoc;
class QPainter;

// The spectrum view's graph: the stored graticule picture (340 x 170) with
// the record's NC curve and trace, and on demand every other record as a
// background trace, drawn at fixed pixels. A level L in dBr lies at
// y = 31 - trunc(10 L / s), s being 1 dB or 2 dB per 10 pixels; band i is
// centred at x = 26 + 10 i.
class ScreenGraph {
public:
    static constexpr int kWidth = 340;
    static constexpr int kHeight = 170;
    static constexpr int kGraticuleResource = 137;

    static constexpr QRgb kNcCurveColour = 0xFF008000u;      // RGB(0,128,0)
    static constexpr QRgb kOtherRecordColour = 0xFF800000u;  // RGB(128,0,0)
    static constexpr QRgb kRecordColour = 0xFFFF0000u;       // RGB(255,0,0)
    static constexpr QRgb kHighlightColour = 0xFFFFFFFFu;    // RGB(255,255,255)

    // The view's switches and selection.
    struct Switches {
        bool b2dB = true;      // 2 dB per grid step (else 1 dB)
        bool bMulti = false;   // all records as background traces
        bool bJoined = false;  // a joined staircase (else dashes)
    };

    // Loads the graticule picture once; without the artwork a plain field
    // with the same geometry (and no labels) stands in for it.
    ScreenGraph();
    // With a graticule picture of the caller's (340 x 170, 8 bits).
    explicit ScreenGraph(const DibImage& graticule);
    ScreenGraph(const ScreenGraph&) = delete;
    ScreenGraph& operator=(const ScreenGraph&) = delete;

    // The composed picture for record memory (1..30) of document, with band
    // highlightBand (1..30, 0 none) in white.
    QImage Compose(CMainDoc& document, int memory, const Switches& switches, int highlightBand);

    // The steps of Compose, on a painter over the working picture: -1 when
    // the record has no NC curve, else 0.
    int DrawNcCurve(QPainter& painter, QRgb colour, int record);
    int DrawTrace(QPainter& painter, QRgb colour, int record);

private:
    void MakePlainGraticule();
    double StepDb() const { return m_switches.b2dB ? 2.0 : 1.0; }
    int LevelRow(double level) const;

    DibImage m_graticule;
    CMainDoc* m_pDocument = nullptr;
    Switches m_switches;
    int m_nMemory = 1;
    int m_nHighlightBand = 0;
};
