// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

// The exercise window's pictures, drawn from the SVG files built into the
// program (see svg_pixmap.h).

QPixmap smilingFace(qreal devicePixelRatio = 1.0); // 32 × 32
QPixmap sadFace(qreal devicePixelRatio = 1.0);     // 32 × 32
