#include "Artwork.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>

namespace {

const QColor kOrange(236, 150, 36);

QFont BrandFont(int pixelSize)
{
    QFont font("Liberation Sans");
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

QFont PlainFont(int pixelSize, bool bold = false, double letterSpacing = 0)
{
    QFont font("Liberation Sans");
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    if (letterSpacing != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    return font;
}

// "TALVEK 7" with its baseline at `baseline`, the name and the 7 in their own
// colours; returns the width drawn.
double DrawWordmark(QPainter& painter, QPointF baseline, int pixelSize, const QColor& name,
                    const QColor& seven)
{
    painter.setFont(BrandFont(pixelSize));
    const QFontMetricsF metrics(painter.font());
    painter.setPen(name);
    painter.drawText(baseline, "TALVEK");
    const double nameWidth = metrics.horizontalAdvance("TALVEK ");
    painter.setPen(seven);
    painter.drawText(baseline + QPointF(nameWidth, 0), "7");
    return nameWidth + metrics.horizontalAdvance("7");
}

void DrawShadowedText(QPainter& painter, QPointF at, const QString& text, const QColor& colour)
{
    painter.setPen(QColor(0, 0, 0, 110));
    painter.drawText(at + QPointF(1, 1), text);
    painter.setPen(colour);
    painter.drawText(at, text);
}

constexpr std::array<double, 8> kEmblemLevels{0.42, 0.66, 0.88, 0.78, 0.92, 0.7, 0.5, 0.3};
constexpr int kPixelEmblemBelow = 48;  // smaller emblems are drawn on whole pixels

void DrawShell(QPainter& painter, const QRectF& square)
{
    const double size = square.width();
    QLinearGradient shell(square.topLeft(), square.bottomLeft());
    shell.setColorAt(0, QColor(86, 92, 102));
    shell.setColorAt(1, QColor(36, 38, 44));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(14, 15, 18), std::max(1.0, size / 48)));
    painter.setBrush(shell);
    const double radius = size * 0.16;
    painter.drawRoundedRect(square.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

// The small emblem: solid LED bars on whole pixels, so that they stay sharp.
void DrawPixelEmblem(QPainter& painter, const QRect& square)
{
    const int size = square.width();
    const bool tiny = size < 24;
    const int inset = tiny ? 2 : 4;
    const int columns = tiny ? 4 : 8;
    const int pitch = (size - 2 * inset) / columns;
    const QRect display(square.left() + (size - pitch * columns + 1) / 2 - 1, square.top() + inset,
                        pitch * columns + 1, tiny ? size - 2 * inset : size * 5 / 8);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(display, QColor(16, 6, 6));
    const int barHeight = display.height() - 2;
    for (int column = 0; column < columns; ++column) {
        const double level = kEmblemLevels[static_cast<std::size_t>(tiny ? column * 2 + 1 : column)];
        const int lit = std::max(1, static_cast<int>(level * barHeight + 0.5));
        const QRect bar(display.left() + 1 + column * pitch, display.top() + 1, pitch - 1, barHeight);
        painter.fillRect(bar, QColor(70, 16, 14));
        painter.fillRect(bar.adjusted(0, barHeight - lit, 0, 0), QColor(255, 36, 24));
    }
    if (!tiny) {
        const int keyTop = display.bottom() + 3;
        painter.fillRect(display.left(), keyTop + 1, 4, 2, QColor(40, 230, 60));
        painter.fillRect(display.right() - 9, keyTop, 4, 4, QColor(196, 198, 202));
        painter.fillRect(display.right() - 3, keyTop, 4, 4, kOrange);
    }
}

}  // namespace

void DrawEmblem(QPainter& painter, const QRectF& box)
{
    painter.save();
    const double size = std::min(box.width(), box.height());
    const QRectF square(box.center().x() - size / 2, box.center().y() - size / 2, size, size);
    DrawShell(painter, square);
    if (size < kPixelEmblemBelow) {
        DrawPixelEmblem(painter, square.toRect());
        painter.restore();
        return;
    }

    // The display with a spectrum of red LED dots.
    const QRectF display = square.adjusted(size * 0.12, size * 0.12, -size * 0.12, -size * 0.3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(16, 6, 6));
    painter.drawRect(display);
    constexpr int kColumns = 8;
    constexpr int kRows = 8;
    const double pitch = display.width() / kColumns;
    const double inset = pitch * 0.18;
    const double rowPitch = (display.height() - 2 * inset) / kRows;
    for (int column = 0; column < kColumns; ++column) {
        const int lit = static_cast<int>(kEmblemLevels[static_cast<std::size_t>(column)] * kRows + 0.5);
        for (int row = 0; row < kRows; ++row) {
            const QRectF dot(display.left() + column * pitch + pitch * 0.18,
                             display.bottom() - inset - (row + 1) * rowPitch + rowPitch * 0.18, pitch * 0.64,
                             rowPitch * 0.64);
            painter.setBrush(row < lit ? QColor(255, 36, 24) : QColor(60, 14, 12));
            painter.drawRect(dot);
        }
    }
    // Below the display: the green memory lamp and two keys.
    const double keyTop = display.bottom() + size * 0.07;
    const double keyHeight = size * 0.12;
    painter.setBrush(QColor(40, 230, 60));
    painter.drawRect(QRectF(display.left(), keyTop + keyHeight * 0.25, size * 0.12, keyHeight * 0.5));
    painter.setBrush(QColor(196, 198, 202));
    painter.drawRoundedRect(QRectF(display.right() - size * 0.36, keyTop, size * 0.15, keyHeight), 1, 1);
    painter.setBrush(kOrange);
    painter.drawRoundedRect(QRectF(display.right() - size * 0.15, keyTop, size * 0.15, keyHeight), 1, 1);
    painter.restore();
}

IndexedImage PaintClientBackdrop()
{
    // Shown centred on the main window's dark grey while no document is open;
    // its own background is that grey so that it has no visible edge.
    constexpr int kWidth = 320;
    constexpr int kHeight = 74;
    const QColor grey(128, 128, 128);
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    picture.fill(grey);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    DrawEmblem(painter, QRectF(6, 6, 62, 62));
    // The name over its own shadow, one pixel down and to the right.
    const QColor shadow(0, 0, 0, 100);
    DrawWordmark(painter, QPointF(81, 37), 32, shadow, shadow);
    const double width = DrawWordmark(painter, QPointF(80, 36), 32, QColor(244, 244, 240), kOrange);
    painter.setFont(PlainFont(13, true));
    DrawShadowedText(painter, QPointF(81, 53), "Interface Program", QColor(236, 236, 232));
    painter.setFont(PlainFont(9, true, 1.6));
    DrawShadowedText(painter, QPointF(81, 67), "HALDEN ELECTRICS", QColor(255, 196, 110));
    painter.fillRect(QRectF(80 + width + 8, 14, 1, 48), QColor(104, 104, 104));
    painter.setFont(PlainFont(10));
    DrawShadowedText(painter, QPointF(80 + width + 16, 28), "Third-octave", QColor(228, 228, 224));
    DrawShadowedText(painter, QPointF(80 + width + 16, 41), "spectrum", QColor(228, 228, 224));
    DrawShadowedText(painter, QPointF(80 + width + 16, 54), "analyser", QColor(228, 228, 224));
    painter.end();
    std::vector<QRgb> reserved{grey.rgb()};
    for (QRgb colour : SystemColours())
        reserved.push_back(colour);
    return IndexedImage::FromRgb(picture, reserved);
}

IndexedImage PaintBanner()
{
    // The heading of the start dialog and the About box: the instrument's dark
    // panel colours with the names in its lettering.
    constexpr int kWidth = 320;
    constexpr int kHeight = 64;
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QLinearGradient panel(0, 0, 0, kHeight);
    panel.setColorAt(0, QColor(70, 75, 84));
    panel.setColorAt(1, QColor(38, 41, 47));
    painter.fillRect(0, 0, kWidth, kHeight, panel);
    painter.fillRect(0, kHeight - 3, kWidth, 3, kOrange);
    painter.fillRect(0, 0, kWidth, 1, QColor(120, 126, 136));
    DrawEmblem(painter, QRectF(8, 6, 50, 50));
    DrawWordmark(painter, QPointF(70, 33), 28, QColor(240, 240, 236), kOrange);
    painter.setFont(PlainFont(11, true));
    painter.setPen(QColor(214, 216, 212));
    painter.drawText(QPointF(71, 50), "3rd Octave Portable Spectrum Analyser");
    painter.setFont(PlainFont(8, true, 1.4));
    painter.setPen(kOrange);
    const QString maker = "HALDEN ELECTRICS";
    const double makerWidth = QFontMetricsF(painter.font()).horizontalAdvance(maker);
    painter.drawText(QPointF(kWidth - 10 - makerWidth, 17), maker);
    painter.end();
    return IndexedImage::FromRgb(picture, SystemColours());
}

IndexedImage PaintWatermark()
{
    // Printed behind the graph: the names in light greys on white, so that the
    // graph and its text stay readable over it; only greys, as on the page.
    constexpr int kWidth = 339;
    constexpr int kHeight = 94;
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    // A spectrum of bars at the left.
    for (std::size_t i = 0; i < kEmblemLevels.size(); ++i) {
        const double height = 70 * kEmblemLevels[i];
        const QRectF bar(8 + static_cast<double>(i) * 9, 80 - height, 6, height);
        painter.fillRect(bar, QColor(232, 232, 232));
    }
    painter.fillRect(QRectF(6, 81, 74, 2), QColor(220, 220, 220));

    // The analyser's name, drawn as an outline filled with a lighter grey.
    // The largest size at which the name fits beside the bars.
    constexpr double kNameLeft = 92;
    constexpr double kNameRight = kWidth - 8;
    int size = 60;
    while (QFontMetricsF(BrandFont(size)).horizontalAdvance("TALVEK 7") > kNameRight - kNameLeft)
        size -= 1;
    QPainterPath name;
    name.addText(QPointF(kNameLeft - 2, 60), BrandFont(size), "TALVEK 7");
    painter.setPen(QPen(QColor(212, 212, 212), 1.2));
    painter.setBrush(QColor(236, 236, 236));
    painter.drawPath(name);

    // The maker's name spaced out to the width of the analyser's name.
    const QString maker = "HALDEN ELECTRICS";
    const QFont plain = PlainFont(13, true);
    const double spacing = (kNameRight - kNameLeft - QFontMetricsF(plain).horizontalAdvance(maker)) /
                           static_cast<double>(maker.size() - 1);
    painter.setFont(PlainFont(13, true, spacing));
    painter.setPen(QColor(214, 214, 214));
    painter.drawText(QPointF(kNameLeft, 82), maker);
    painter.end();

    std::vector<QRgb> greys;
    for (int level = 0; level < IndexedImage::kColours; ++level)
        greys.push_back(qRgb(level, level, level));
    return IndexedImage::FromRgb(picture.convertToFormat(QImage::Format_Grayscale8), greys);
}
