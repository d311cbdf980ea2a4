#pragma once

#include "IndexedImage.h"

#include <QImage>
#include <QRgb>

#include <vector>

// Every picture of the program, by resource number. Each painter draws at the
// resource's own pixel size.

IndexedImage PaintGraticule();       // 137: the screen graph's background and scales
QImage PaintFrontPanelRgb();         // the analyser's front panel in full colour
IndexedImage PaintFrontPanel();      // 131: the comms window's front panel
IndexedImage PaintStartPicture();    // 139: the analyser in its case, for the start dialog
IndexedImage PaintPageLogo();        // 141: the small analyser picture of the printed page
IndexedImage PaintWatermark();       // 140: the page background watermark
IndexedImage PaintClientBackdrop();  // 130: the empty main window's picture
IndexedImage PaintBanner();          // 134: the start dialog's and About box's banner
IndexedImage PaintToolbarStrip();    // 128: the toolbar button images
QImage PaintProgramIcon(int size);   // 31234 and the desktop icon, with transparency
// The front panel with indicators and a spectrum lit, as the comms window
// lights them (for the product pictures and the preview).
QImage LightFrontPanel(const QImage& panel);

// The program's emblem (the analyser's display with a spectrum), fitted into box.
class QPainter;
class QRectF;
void DrawEmblem(QPainter& painter, const QRectF& box);

// The twenty static colours of the platform's system palette: a picture that
// other code later draws into keeps them, so that pens of these colours stay exact.
std::vector<QRgb> SystemColours();
// The 6 x 6 x 6 colour cube, to fill a colour table's spare entries.
std::vector<QRgb> ColourCube();
