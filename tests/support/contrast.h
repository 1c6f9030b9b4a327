// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How readable a widget's text is: the widget is rendered to an image, its
// background and text colours are read from the pixels, and their contrast
// ratio is computed as WCAG 2 defines it (from 1:1 up to 21:1; 4.5:1 is the
// least for normal text at level AA).

#include <QColor>

class QWidget;

struct TextContrast {
    QColor background;  // the most frequent colour
    int textPixels = 0; // pixels of any other colour
    double ratio = 1.0; // of the text's colour, see measureTextContrast
};

// The contrast ratio of two colours, as WCAG 2 defines it.
double contrastRatio(const QColor& a, const QColor& b);

// Renders what the widget paints inside its frame (a scroll area's viewport,
// a frame's contents) and measures its text against its background. Text
// edges blend the two colours, and small text has few pixels of its own
// colour: the text's colour is taken from the fifth of the other pixels that
// stand out most from the background, where the strokes are fully covered.
TextContrast measureTextContrast(QWidget* widget);
