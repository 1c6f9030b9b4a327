// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// A picture built into the program (resource prefix ":/vorelle/") drawn at
// `size` logical pixels, sharp on a screen with the given device pixel ratio.
// A null pixmap when the picture is missing.
QPixmap svgPixmap(const QString& resourceName, QSize size, qreal devicePixelRatio = 1.0);
