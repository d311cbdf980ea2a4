#include "plot/GdiPen.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cstdlib>

namespace {

// Fills the pixels from (left, top) to (right, bottom), both included.
void FillPixels(QPainter& painter, int left, int top, int right, int bottom, QRgb colour)
{
    if (right < left || bottom < top)
        return;
    painter.fillRect(QRect(QPoint(left, top), QPoint(right, bottom)), QColor::fromRgb(colour));
}

}  // namespace

void GdiPen::Line(QPainter& painter, int x1, int y1, int x2, int y2) const
{
    if (m_nWidth <= 1)
        ThinLine(painter, x1, y1, x2, y2);
    else
        WideLine(painter, x1, y1, x2, y2);
}

void GdiPen::ThinLine(QPainter& painter, int x1, int y1, int x2, int y2) const
{
    if (x1 != x2 && y1 != y2) {
        const QPen previous = painter.pen();
        painter.setPen(
            QPen(QColor::fromRgb(m_colour), 0, m_style == Style::Dotted ? Qt::DotLine : Qt::SolidLine));
        painter.drawLine(x1, y1, x2, y2);
        painter.setPen(previous);
        return;
    }
    const int dx = x2 > x1 ? 1 : x2 < x1 ? -1 : 0;
    const int dy = y2 > y1 ? 1 : y2 < y1 ? -1 : 0;
    const int length = std::abs(x2 - x1) + std::abs(y2 - y1);
    if (length == 0)
        return;
    if (m_style == Style::Solid) {
        // The end point itself is left out.
        const int xl = dx < 0 ? x2 + 1 : x1;
        const int yl = dy < 0 ? y2 + 1 : y1;
        FillPixels(painter, xl, yl, xl + std::abs(dx) * (length - 1), yl + std::abs(dy) * (length - 1),
                   m_colour);
        return;
    }
    const QPaintDevice* device = painter.device();
    if (device != nullptr && device->devType() != QInternal::Image &&
        device->devType() != QInternal::Pixmap) {
        // On a PDF or SVG page the dots are one dashed line, not hundreds
        // of points: the same look in a small part of the file.
        QPen dotted(QColor::fromRgb(m_colour), 1, Qt::CustomDashLine, Qt::FlatCap);
        dotted.setDashPattern({1.0, 1.0});
        const QPen previous = painter.pen();
        painter.setPen(dotted);
        painter.drawLine(QPointF(x1 - 0.5 * dx, y1 - 0.5 * dy),
                         QPointF(x1 + dx * (length - 0.5), y1 + dy * (length - 0.5)));
        painter.setPen(previous);
        return;
    }
    QPolygon dots;
    dots.reserve((length + 1) / 2);
    for (int step = 0; step < length; step += 2)
        dots << QPoint(x1 + dx * step, y1 + dy * step);
    const QPen previous = painter.pen();
    painter.setPen(QPen(QColor::fromRgb(m_colour), 1));
    painter.drawPoints(dots);
    painter.setPen(previous);
}

void GdiPen::WideLine(QPainter& painter, int x1, int y1, int x2, int y2) const
{
    const int before = m_nWidth / 2;
    const int after = m_nWidth - before - 1;
    if (x1 == x2 || y1 == y2) {
        FillPixels(painter, std::min(x1, x2) - before, std::min(y1, y2) - before, std::max(x1, x2) + after,
                   std::max(y1, y2) + after, m_colour);
        return;
    }
    const QPen previous = painter.pen();
    painter.setPen(QPen(QColor::fromRgb(m_colour), m_nWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawLine(x1, y1, x2, y2);
    painter.setPen(previous);
}

void GdiPen::Rectangle(QPainter& painter, int left, int top, int right, int bottom, QRgb brush) const
{
    const int before = m_nWidth / 2;
    const int after = m_nWidth - before - 1;
    FillPixels(painter, left - before, top - before, right + after, bottom + after, m_colour);
    FillPixels(painter, left + after + 1, top + after + 1, right - before - 1, bottom - before - 1, brush);
}
