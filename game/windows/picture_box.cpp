// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_box.h"

#include "render_surfaces.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent, const QString& name, const QRect& outer,
                       const QColor& background, const QString& accessibleName)
    : QWidget(parent), background_(background) {
    setObjectName(name);
    setGeometry(outer);
    setAccessibleName(accessibleName);
    // Every pixel is painted here: nothing behind needs drawing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::copyFrom(const QImage& image, const QRect& source) {
    if (content_.size() != source.size() || content_.format() != QImage::Format_RGB32)
        content_ = QImage(source.size(), QImage::Format_RGB32);
    copyPixels(content_, QPoint(0, 0), image, source);
    contentRatio_ = image.devicePixelRatio() > 0 ? image.devicePixelRatio() : 1.0;
    repaint(contentRect());
}

void PictureBox::setPicture(const QImage* picture) {
    if (picture) {
        content_ = *picture;
        contentRatio_ = picture->devicePixelRatio() > 0 ? picture->devicePixelRatio() : 1.0;
    } else {
        content_ = QImage();
    }
    update();
}

QRect PictureBox::contentRect() const {
    const QRect inner = rect().adjusted(Border, Border, -Border, -Border);
    if (content_.isNull())
        return inner;
    const QSizeF logical = QSizeF(content_.size()) / contentRatio_;
    return QRect(inner.topLeft(), logical.toSize()).intersected(inner);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The sunken border, in the palette's shades.
    const QRect r = rect();
    const QPalette& pal = palette();
    p.fillRect(r, pal.color(QPalette::Light));
    p.fillRect(QRect(r.left(), r.top(), r.width() - 1, r.height() - 1), pal.color(QPalette::Dark));
    p.fillRect(r.adjusted(1, 1, -1, -1), pal.color(QPalette::Midlight));
    p.fillRect(r.adjusted(1, 1, -2, -2), pal.color(QPalette::Shadow));

    const QRect inner = r.adjusted(Border, Border, -Border, -Border);
    p.fillRect(inner, background_);
    if (content_.isNull())
        return;
    p.setClipRect(inner);
    const QSizeF logical = QSizeF(content_.size()) / contentRatio_;
    p.drawImage(QRectF(inner.topLeft(), logical), content_);
}
