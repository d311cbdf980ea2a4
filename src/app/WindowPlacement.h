#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where the program's own windows (the analyser window, Edit Entries, the
// Band Table, the manual) open: at their remembered place, or else beside
// the document window they belong to, inside the main window's document
// area, so that they cover neither the menus and toolbar nor the view's
// own buttons.
namespace WindowPlacement {

// Wayland lets a program neither read nor set where its windows are.
bool PositionsWork();

// The top-left corner for a window of size beside viewFrame (an empty
// rectangle when no document window is open) inside area, all in screen
// coordinates: right of the document window when there is room, else left
// of it, else at the area's right edge; never above or left of the area.
QPoint Beside(QSize size, const QRect& viewFrame, const QRect& area);

// Moves window beside view (the document view it belongs to, nullptr when
// there is none) inside the document area of main, the main window.
void PlaceBeside(QWidget& window, QWidget& main, QWidget* view);

// Moves window to a stored position (the profile's packed value, checked
// against the screen), or beside view when the value is 0.
void Restore(QWidget& window, int stored, QWidget& main, QWidget* view);

// Moves window to the centre of its screen's free area (whatever size the
// main window has at that moment: it may still be growing to fill the screen).
void CentreOnScreen(QWidget& window);

}  // namespace WindowPlacement
