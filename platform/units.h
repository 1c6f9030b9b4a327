#pragma once

#include <QRect>
#include <cmath>

// Twips (docs/ARCHITECTURE.md, "The window model"): 1 twip = 1/1440 inch; at
// 96 logical dpi, 15 twips = 1 pixel.
inline int twipsToPixels(double twips) {
    return int(std::lround(twips / 15.0));
}
inline double pixelsToTwips(int pixels) {
    return pixels * 15.0;
}
inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

// The program's own key codes (docs/ARCHITECTURE.md, "The window model").
enum DesignKey { KeyClear = 12, KeyLeft = 37, KeyUp = 38, KeyRight = 39, KeyDown = 40, KeyP = 80 };

// Maps a Qt key (Qt::Key) to the program's key code; 0 for any other key.
int designKeyCode(int qtKey);
