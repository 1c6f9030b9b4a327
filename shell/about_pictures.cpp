// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_pictures.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace AboutPictures {

namespace {

QPixmap canvas(QSize size, qreal dpr) {
    const qreal ratio = dpr > 0 ? dpr : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

qreal screenRatio() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

} // namespace

QSize logoSize() {
    return QSize(42, 113);
}

QPixmap logo(qreal devicePixelRatio) {
    QPixmap pixmap = canvas(logoSize(), devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF band(1, 1, 40, 111);
    QLinearGradient gradient(band.topLeft(), band.bottomLeft());
    gradient.setColorAt(0, QColor(30, 80, 170));
    gradient.setColorAt(1, QColor(20, 140, 150));
    p.setPen(QPen(QColor(15, 45, 100), 1.5));
    p.setBrush(gradient);
    p.drawRoundedRect(band, 7, 7);

    // The program's letter, drawn as a thick stroke.
    QPainterPath v;
    v.moveTo(9, 10);
    v.lineTo(21, 38);
    v.lineTo(33, 10);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(v);

    // Digits stacked below, in white on the band.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(17);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    const char* digits[] = {"1", "2", "3"};
    for (int i = 0; i < 3; ++i)
        p.drawText(QRectF(1, 46 + i * 20, 40, 20), Qt::AlignCenter, QLatin1String(digits[i]));
    return pixmap;
}

QCursor letterCursor() {
    QPixmap pixmap = canvas(QSize(32, 32), screenRatio());
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF envelope(2.5, 8.5, 22, 15);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(envelope);
    QPainterPath flap;
    flap.moveTo(envelope.topLeft());
    flap.lineTo(envelope.center().x(), envelope.center().y() + 1);
    flap.lineTo(envelope.topRight());
    p.setBrush(Qt::NoBrush);
    p.drawPath(flap);
    return QCursor(pixmap, 2, 8);
}

QCursor infoCursor() {
    QPixmap pixmap = canvas(QSize(32, 32), screenRatio());
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(2.5, 2.5, 22, 17), 6, 6);
    QPainterPath tail;
    tail.moveTo(7, 18);
    tail.lineTo(5, 26);
    tail.lineTo(13, 18);
    tail.closeSubpath();
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(255, 255, 225));
    p.drawPath(bubble.united(tail));
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(14);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(20, 60, 160));
    p.drawText(QRectF(2.5, 2.5, 22, 17), Qt::AlignCenter, QStringLiteral("i"));
    return QCursor(pixmap, 5, 26);
}

} // namespace AboutPictures
