// SPDX-License-Identifier: GPL-3.0-or-later
#include "brikko_icon.h"

#include "svg_pixmap.h"

#include <QLabel>

QPixmap brikkoIcon(qreal devicePixelRatio) {
    return svgPixmap(QStringLiteral("brikko.svg"), QSize(32, 32), devicePixelRatio);
}

QLabel* addBrikkoIcon(QWidget* parent, const QRect& geometry) {
    auto* image = new QLabel(parent);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(geometry);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setPixmap(brikkoIcon(parent->devicePixelRatioF()));
    image->setAccessibleName(QStringLiteral("Icône de Brikko"));
    return image;
}
