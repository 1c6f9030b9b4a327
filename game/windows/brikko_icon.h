// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

// The game's 32 x 32 icon, shown by the splash and the instructions, drawn for
// the given device pixel ratio.
QPixmap brikkoIcon(qreal devicePixelRatio);
