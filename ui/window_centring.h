// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPushButton;
class QWidget;

// Puts the window, frame included, in the middle of its screen (the whole
// screen, task bars included), and centres the button, when given, on the
// window's outer width: with a frame it sits a little right of the client
// area's centre.
void centreOnScreen(QWidget* window, QPushButton* button = nullptr);
