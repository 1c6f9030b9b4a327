#include "render_surfaces.h"

#include <QPainter>

void copyPixels(QImage& target, QPoint at, const QImage& source, const QRect& from) {
    QPainter p(&target);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(at, source, from);
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
    // Pixel for pixel: both images carry the same ratio, so the block's
    // logical size is the whole image.
    copyPixels(image_, QPoint(0, 0), buffer, source);
    ++copies_;
}
