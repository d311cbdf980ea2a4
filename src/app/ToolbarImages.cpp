#include "app/ToolbarImages.h"

#include "dib/DibImage.h"
#include "plot/DrawDib.h"

#include <QPainter>
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
    if (index == kSpectrumChartImage)
        return SpectrumChartIcon();
    if (index < 0 || index >= Count())
        return {};
    return QIcon(QPixmap::fromImage(
        m_strip.copy(index * kImageSize.width(), 0, kImageSize.width(), kImageSize.height())));
}

QIcon ToolbarImages::SpectrumChartIcon()
{
    // Drawn at twice the size, so it is sharp at a device-pixel ratio of 2.
    constexpr int kScale = 2;
    QPixmap pixmap(kImageSize * kScale);
    pixmap.setDevicePixelRatio(kScale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.0));
    painter.drawLine(QPointF(1.5, 1), QPointF(1.5, 13.5));
    painter.drawLine(QPointF(1.5, 13.5), QPointF(15, 13.5));
    painter.setPen(QPen(QColor(0x00, 0x72, 0xB2), 1.5));
    painter.drawPolyline(
        QPolygonF({QPointF(3, 4), QPointF(6, 6), QPointF(9, 5), QPointF(12, 9), QPointF(15, 11)}));
    painter.setPen(QPen(QColor(0xE6, 0x9F, 0x00), 1.5));
    painter.drawPolyline(
        QPolygonF({QPointF(3, 8), QPointF(6, 10), QPointF(9, 9), QPointF(12, 11), QPointF(15, 12)}));
    return QIcon(pixmap);
}
