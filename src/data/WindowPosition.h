#pragma once

// A modeless window's remembered position, kept as one profile integer:
// left OR (top shifted left by 16). Restoring takes 12 bits of each and
// puts a coordinate beyond the screen back to 0.
struct WindowPosition {
    int x = 0;
    int y = 0;
};

int PackWindowPosition(int left, int top);
WindowPosition UnpackWindowPosition(int value, int screenWidth, int screenHeight);
