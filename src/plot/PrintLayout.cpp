#include "plot/PrintLayout.h"

namespace {

constexpr int kRowAlignment = 32;
constexpr int kPreviewScale = 4;

int AlignDown(int value)
{
    return value <= 0 ? 0 : value / kRowAlignment * kRowAlignment;
}

}  // namespace

PrintLayout PrintLayoutFor(int printableWidth, int printableHeight, bool preview)
{
    const int w = AlignDown(printableWidth);
    const int h = AlignDown(printableHeight);
    PrintLayout layout;
    layout.targetWidth = w;
    layout.targetHeight = h / 2;
    if (preview) {
        layout.pageWidth = w / kPreviewScale;
        layout.pageHeight = h / (2 * kPreviewScale);
        layout.fontDivisor = kPreviewScale;
    } else {
        layout.pageWidth = w;
        layout.pageHeight = h / 2;
        layout.fontDivisor = 1;
    }
    return layout;
}
