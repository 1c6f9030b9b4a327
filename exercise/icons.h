#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The exercise window's pictures, drawn from the SVG files built into the
// program (resource prefix ":/vorelle/").

// The named picture at `size` logical pixels, sharp on a screen with the given
// device pixel ratio. A null pixmap when the picture is missing.
QPixmap svgPixmap(const QString& resourceName, QSize size, qreal devicePixelRatio = 1.0);

QPixmap smilingFace(qreal devicePixelRatio = 1.0); // 32 × 32
QPixmap sadFace(qreal devicePixelRatio = 1.0);     // 32 × 32
// The program's icon, drawn once at every usual size.
QIcon programIcon();
