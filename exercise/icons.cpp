#include "icons.h"

#include "svg_pixmap.h"

QPixmap smilingFace(qreal devicePixelRatio) {
    return svgPixmap(QStringLiteral("face_smile.svg"), QSize(32, 32), devicePixelRatio);
}

QPixmap sadFace(qreal devicePixelRatio) {
    return svgPixmap(QStringLiteral("face_sad.svg"), QSize(32, 32), devicePixelRatio);
}

QIcon programIcon() {
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(svgPixmap(QStringLiteral("vorelle.svg"), QSize(side, side)));
    return icon;
}
