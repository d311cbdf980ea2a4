#pragma once

// Where the page goes on a printed sheet. The printable width and height
// are rounded down to multiples of 32 (W, H); the page image is rendered
// W x H/2 with fonts at their printed size, or for the preview a quarter of
// that each way (W/4 x H/8, fonts divided by 4), and is then stretched over
// W x H/2 at the top-left of the printable area: the plot fills the width
// and the upper half of the sheet.
struct PrintLayout {
    int pageWidth = 0;
    int pageHeight = 0;
    int fontDivisor = 1;
    int targetWidth = 0;
    int targetHeight = 0;
    bool operator==(const PrintLayout&) const = default;
};

PrintLayout PrintLayoutFor(int printableWidth, int printableHeight, bool preview);
