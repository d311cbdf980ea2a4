#include "app/ToolbarImages.h"

#include "dib/DibImage.h"
#include "plot/DrawDib.h"

#include <QPixmap>

namespace {
// The button face of the artwork, RGB(192,192,192).
constexpr QRgb kButtonFace = 0xFFC0C0C0u;
}  // namespace

ToolbarImages::ToolbarImages()
{
    DibImage strip;
    if (strip.LoadResource(kResource) != DibImage::kOk)
        return;
    m_strip = DibToQImage(strip).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < m_strip.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(m_strip.scanLine(y));
        for (int x = 0; x < m_strip.width(); ++x)
            if (row[x] == kButtonFace)
                row[x] = 0;
    }
}

int ToolbarImages::Count() const
{
    return m_strip.width() / kImageSize.width();
}

QIcon ToolbarImages::Icon(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return QIcon(QPixmap::fromImage(
        m_strip.copy(index * kImageSize.width(), 0, kImageSize.width(), kImageSize.height())));
}
