// SPDX-License-Identifier: GPL-3.0-or-later
#include "brikko_icon.h"

#include "svg_pixmap.h"

QPixmap brikkoIcon(qreal devicePixelRatio) {
    return svgPixmap(QStringLiteral("brikko.svg"), QSize(32, 32), devicePixelRatio);
}
