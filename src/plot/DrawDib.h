#pragma once

#include <QImage>

class DibImage;
class QPainter;

// Stretch mode flag of DrawDib: when the picture shrinks, the pixels that
// fall together are ANDed, so thin dark lines on a light ground survive.
constexpr int kBlackOnWhite = 0x10;

// The picture as a QImage of its own depth (indexed images keep their colour
// table), top row first; a null QImage for an empty image.
QImage DibToQImage(const DibImage& image);

// Draws the source rectangle (rows counted from the top of the picture)
// stretched over the destination rectangle. Zero source or destination
// sizes mean the picture's own size; negative source origins count as 0.
// On a grey page (a Grayscale8 image) every colour lands on its nearest grey.
// Returns -1 for an empty image or a negative destination size, else 0.
int DrawDib(QPainter& painter, const DibImage& image, int xDest, int yDest, int widthDest, int heightDest,
            int xSrc, int ySrc, int widthSrc, int heightSrc, int flags);
