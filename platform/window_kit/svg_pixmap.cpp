// SPDX-License-Identifier: GPL-3.0-or-later
#include "svg_pixmap.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap svgPixmap(const QString& resourceName, QSize size, qreal devicePixelRatio) {
    QSvgRenderer renderer(QStringLiteral(":/vorelle/") + resourceName);
    if (!renderer.isValid())
        return QPixmap();
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(size * dpr);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}
