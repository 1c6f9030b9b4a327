// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons.h"

#include "svg_pixmap.h"

#include <QCoreApplication>

QPixmap smilingFace(qreal devicePixelRatio) {
    return svgPixmap(QStringLiteral("face_smile.svg"), QSize(32, 32), devicePixelRatio);
}

QPixmap sadFace(qreal devicePixelRatio) {
    return svgPixmap(QStringLiteral("face_sad.svg"), QSize(32, 32), devicePixelRatio);
}

QIcon programIcon() {
    // Its sizes are drawn at build time and read when first asked for; made
    // once and shared by the application and every window, dropped with the
    // application object, before the pixmaps' backing is gone.
    static QIcon* icon = nullptr;
    if (!icon) {
        icon = new QIcon;
        for (int side : {16, 24, 32, 48, 64, 128})
            icon->addFile(QStringLiteral(":/vorelle/icon/%1x%1/apps/vorelle.png").arg(side),
                          QSize(side, side));
        qAddPostRoutine([] {
            delete icon;
            icon = nullptr;
        });
    }
    return *icon;
}
