#include "plot/DibPainter.h"

#include "dib/DibImage.h"

#include <algorithm>

namespace {

bool HasGreyRamp(const DibImage& image)
{
    if (image.Colours() != 256)
        return false;
    for (int i = 0; i < 256; ++i) {
        const std::uint8_t* entry = image.ColourTable() + 4 * i;
        if (entry[0] != i || entry[1] != i || entry[2] != i)
            return false;
    }
    return true;
}

}  // namespace

DibPainter::DibPainter(DibImage& image) : m_image(image)
{
    if (!image.IsValid() || image.Width() == 0 || image.Height() == 0)
        return;
    QImage::Format format = QImage::Format_Invalid;
    if (image.BitsPerPixel() == 8 && HasGreyRamp(image))
        format = QImage::Format_Grayscale8;
    else if (image.BitsPerPixel() == 1)
        format = QImage::Format_Mono;
    else
        return;
    m_canvas = QImage(image.Bits(), image.Width(), image.Height(), image.Stride(), format);
    if (m_canvas.isNull() || m_canvas.bytesPerLine() != image.Stride())
        return;
    if (format == QImage::Format_Mono) {
        QList<QRgb> table(2, qRgb(0, 0, 0));
        for (int i = 0; i < image.Colours(); ++i) {
            const std::uint8_t* entry = image.ColourTable() + 4 * i;
            table[i] = qRgb(entry[2], entry[1], entry[0]);
        }
        m_canvas.setColorTable(table);
    }
    FlipRows();
    m_bFlipped = true;
    m_painter.begin(&m_canvas);
}

DibPainter::~DibPainter()
{
    Finish();
}

void DibPainter::Finish()
{
    if (m_painter.isActive())
        m_painter.end();
    if (m_bFlipped) {
        FlipRows();
        m_bFlipped = false;
    }
    m_canvas = QImage();
}

void DibPainter::FlipRows()
{
    const int stride = m_image.Stride();
    for (int top = 0, bottom = m_image.Height() - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(m_image.Row(top), m_image.Row(top) + stride, m_image.Row(bottom));
}
