// SPDX-License-Identifier: GPL-3.0-or-later
#include "bulb_picture.h"

#include "svg_pixmap.h"

#include <QPainter>

BulbPicture::BulbPicture(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    bulb_ = svgPixmap(QStringLiteral("bulb.svg"), QSize(32, 32), devicePixelRatioF());
}

void BulbPicture::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (bulb_.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(contentsRect().topLeft(), bulb_);
}
