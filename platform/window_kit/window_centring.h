// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPushButton;
class QWidget;

// Which part of the screen a window is centred in.
enum class ScreenArea {
    Whole, // the whole screen, task bars included
    Free,  // the part that task bars leave free
};

// Puts the window, frame included, in the middle of its screen's area, and
// centres the button, when given, on the window's outer width: with a frame it
// sits a little right of the client area's centre.
void centreOnScreen(QWidget* window, QPushButton* button = nullptr,
                    ScreenArea area = ScreenArea::Whole);
