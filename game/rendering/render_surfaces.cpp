// SPDX-License-Identifier: GPL-3.0-or-later
#include "render_surfaces.h"

#include <QPainter>

void copyPixels(QImage& target, QPoint at, const QImage& source, const QRect& from) {
    // Pixel for pixel, whatever scale either image is meant for: the painter
    // works in the source's scale on both sides for the copy.
    const qreal targetRatio = target.devicePixelRatio();
    const qreal ratio = source.devicePixelRatio();
    target.setDevicePixelRatio(ratio);
    {
        QPainter p(&target);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPointF(at) / ratio, source, QRectF(from));
    }
    target.setDevicePixelRatio(targetRatio);
}

ImageBoardScreen::ImageBoardScreen()
    : image_(BoardPixelWidth, BoardPixelHeight, QImage::Format_RGB32) {
    image_.fill(Qt::black);
}

void ImageBoardScreen::copyFromBuffer(const QImage& buffer, const QRect& source) {
    if (image_.size() != source.size()) {
        image_ = QImage(source.size(), QImage::Format_RGB32);
        image_.fill(Qt::black);
    }
    image_.setDevicePixelRatio(buffer.devicePixelRatio());
    copyPixels(image_, QPoint(0, 0), buffer, source);
    ++copies_;
}
