#pragma once

#include <QImage>
#include <QPainter>

class DibImage;

// Paints straight into the pixels of an 8-bit grey or a 1-bit DibImage, the
// two kinds of page image: while it is active the image's rows are turned
// top-down and a QImage lies over them; Finish turns them back to the
// bottom-up order of the DIB. The image needs no second copy of its pixels,
// and colours land on the image's own table: 256 greys, or black and white
// by nearest colour.
class DibPainter {
public:
    // Begins painting; inactive for other depths, a colour table that is not
    // the grey ramp, or an image without pixels.
    explicit DibPainter(DibImage& image);
    ~DibPainter();
    DibPainter(const DibPainter&) = delete;
    DibPainter& operator=(const DibPainter&) = delete;

    bool IsActive() const { return m_painter.isActive(); }
    QPainter& Painter() { return m_painter; }
    // Ends painting; the image holds the result. Called by the destructor too.
    void Finish();

private:
    void FlipRows();

    DibImage& m_image;
    QImage m_canvas;
    QPainter m_painter;
    bool m_bFlipped = false;
};
