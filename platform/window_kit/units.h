// SPDX-License-Identifier: GPL-3.0-or-later
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
