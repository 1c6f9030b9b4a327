// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QPushButton;
class QWidget;

// Which part of the screen a window is centred in.
enum class ScreenArea {
    Whole, // the whole screen, task bars included
    Free,  // the part that task bars leave free
};

// Where the outer top-left corner of a window of outer size `outer` goes to
// sit in the middle of `area` (both in pixels). Every centring of a window
// comes here: it computes in twips, half the area rounded, less half the
// window, rounded again, halves going to the even neighbour.
QPoint centredTopLeft(const QRect& area, QSize outer);

// The window's size, frame included; before the window is first shown, when
// its frame is not known yet, its size.
QSize outerSize(const QWidget& window);

// Puts the window, frame included, in the middle of its screen's area (again
// when it is first shown, if its frame was not known before), and centres the
// button, when given, on the window's outer width as known now: with a frame
// it sits a little right of the client area's centre.
void centreOnScreen(QWidget* window, QPushButton* button = nullptr,
                    ScreenArea area = ScreenArea::Whole);
