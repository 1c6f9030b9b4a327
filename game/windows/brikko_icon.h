// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

class QLabel;
class QRect;
class QWidget;

// The game's 32 x 32 icon, drawn for the given device pixel ratio: the one
// picture of the game, which the splash, the instructions and the about box
// show.
QPixmap brikkoIcon(qreal devicePixelRatio);

// Puts the game's icon into `parent` at `geometry` as the picture "Image1",
// drawn for the parent's screen and named for screen readers.
QLabel* addBrikkoIcon(QWidget* parent, const QRect& geometry);
