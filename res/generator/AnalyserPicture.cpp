#include "Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace {

constexpr double kPanelAspect = 376.0 / 193.0;

// The analyser in its carrying case, seen from the front, fitted into `box`:
// the handle on top, the case with rounded corners and the front panel set
// into it.
void DrawAnalyser(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);

    const double handleHeight = box.height() * 0.09;
    const QRectF body(box.left(), box.top() + handleHeight, box.width(), box.height() - handleHeight);
    const double margin = body.width() * 0.045;
    double panelWidth = body.width() - 2 * margin;
    double panelHeight = panelWidth / kPanelAspect;
    const double bottomBand = body.height() - panelHeight - 2 * margin;
    if (bottomBand < margin) {  // too low for the width: fit the height instead
        panelHeight = body.height() - 3 * margin;
        panelWidth = panelHeight * kPanelAspect;
    }
    const QRectF panel(body.center().x() - panelWidth / 2, body.top() + margin, panelWidth, panelHeight);

    // Handle: a bar held by two lugs.
    const QColor outline(40, 40, 42);
    const double lugWidth = box.width() * 0.06;
    painter.setPen(QPen(outline, 1.0));
    painter.setBrush(QColor(70, 72, 76));
    for (double cx : {box.left() + box.width() * 0.22, box.right() - box.width() * 0.22})
        painter.drawRect(QRectF(cx - lugWidth / 2, box.top() + handleHeight * 0.35, lugWidth, handleHeight));
    painter.setBrush(QColor(52, 54, 58));
    painter.drawRoundedRect(
        QRectF(box.left() + box.width() * 0.17, box.top() + 0.5, box.width() * 0.66, handleHeight * 0.6),
        handleHeight * 0.3, handleHeight * 0.3);

    // Case.
    QLinearGradient shell(body.topLeft(), body.bottomLeft());
    shell.setColorAt(0, QColor(222, 220, 212));
    shell.setColorAt(1, QColor(168, 166, 158));
    painter.setBrush(shell);
    painter.setPen(QPen(outline, 1.0));
    const double radius = body.width() * 0.04;
    painter.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    // Front panel set into the case.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 30, 32));
    painter.drawRect(panel.adjusted(-1.2, -1.2, 1.2, 1.2));
    painter.drawImage(panel, LightFrontPanel(PaintFrontPanelRgb()));

    // The microphone socket on the case below the panel.
    const double bandTop = panel.bottom() + 1.2;
    const double bandHeight = body.bottom() - bandTop;
    painter.setBrush(QColor(60, 60, 64));
    const double socket = std::max(2.0, bandHeight * 0.45);
    painter.drawEllipse(QPointF(body.left() + margin + socket, bandTop + bandHeight / 2), socket / 2,
                        socket / 2);
    painter.setBrush(QColor(120, 122, 126));
    painter.drawEllipse(QPointF(body.left() + margin + socket, bandTop + bandHeight / 2), socket / 5,
                        socket / 5);
    painter.restore();
}

}  // namespace

IndexedImage PaintPageLogo()
{
    // Printed at the foot of the page, on white.
    constexpr int kWidth = 144;
    constexpr int kHeight = 84;
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    DrawAnalyser(painter, QRectF(1, 1, kWidth - 2, kHeight - 2));
    painter.end();
    return IndexedImage::FromRgb(picture, {qRgb(255, 255, 255), qRgb(0, 0, 0)});
}

IndexedImage PaintStartPicture()
{
    // The analyser on a bench under a soft light, for the start dialog.
    constexpr int kWidth = 240;
    constexpr int kHeight = 128;
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient backdrop(0, 0, 0, kHeight);
    backdrop.setColorAt(0, QColor(34, 52, 84));
    backdrop.setColorAt(0.78, QColor(92, 116, 150));
    backdrop.setColorAt(0.781, QColor(70, 76, 86));
    backdrop.setColorAt(1, QColor(44, 48, 56));
    painter.fillRect(0, 0, kWidth, kHeight, backdrop);
    QRadialGradient light(QPointF(kWidth * 0.5, kHeight * 0.35), kWidth * 0.55);
    light.setColorAt(0, QColor(255, 255, 255, 60));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(0, 0, kWidth, kHeight, light);
    // Shadow on the bench.
    QRadialGradient shadow(QPointF(kWidth * 0.5, kHeight * 0.9), kWidth * 0.42);
    shadow.setColorAt(0, QColor(0, 0, 0, 150));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shadow);
    painter.drawEllipse(QPointF(kWidth * 0.5, kHeight * 0.9), kWidth * 0.44, kHeight * 0.08);
    DrawAnalyser(painter, QRectF(kWidth * 0.1, 8, kWidth * 0.8, kHeight - 19));
    // A thin dark frame, like a print.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(20, 24, 32));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, kWidth - 1, kHeight - 1);
    painter.end();
    return IndexedImage::FromRgb(picture, SystemColours());
}
