#include "Artwork.h"

#include <QPainter>

QImage PaintProgramIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    const double margin = size >= 48 ? size / 32.0 : 0.0;
    DrawEmblem(painter, QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
    painter.end();
    return icon;
}
