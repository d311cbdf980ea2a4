#pragma once

#include <QPixmap>

// One of the bitmaps compiled into the program, ready to show; an empty
// pixmap when it is missing.
QPixmap ResourcePicture(int id);
