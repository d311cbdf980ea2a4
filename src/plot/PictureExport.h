#pragma once

#include <QSize>

#include <functional>
#include <string>

class QPainter;
class QRectF;

// A picture that paints itself (a chart) as a file: PDF or SVG (lines and
// text kept as vectors) or PNG, chosen by the name's extension as the page
// export chooses it. size is in pixels of 96 per inch; a PNG gets twice as
// many, so it stays sharp on a screen of device-pixel ratio 2 and in print.
namespace PictureExport {

constexpr double kPngScale = 2.0;

using PaintFunction = std::function<void(QPainter& painter, const QRectF& area)>;

// Writes the picture atomically: true, or false with error set and nothing
// left at path (an existing file stays as it was).
bool Write(const std::string& path, QSize size, const PaintFunction& paint, std::string& error);

}  // namespace PictureExport
