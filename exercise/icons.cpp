// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons.h"

#include "svg_pixmap.h"

QPixmap smilingFace(qreal devicePixelRatio) {
    return svgPixmap(QStringLiteral("face_smile.svg"), QSize(32, 32), devicePixelRatio);
}

QPixmap sadFace(qreal devicePixelRatio) {
    return svgPixmap(QStringLiteral("face_sad.svg"), QSize(32, 32), devicePixelRatio);
}
