#include "render_surfaces.h"

#include "render_pics.h"

#include <QPainter>

void copyPixels(QImage& target, QPoint at, const QImage& source, const QRect& from) {
    QPainter p(&target);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(at, source, from);
}

QImage makeBackBuffer() {
    QImage buffer(BufferPixelWidth, BufferPixelHeight, QImage::Format_RGB32);
    buffer.fill(FrmPics::backgroundColor());
    return buffer;
}

ImageBoardScreen::ImageBoardScreen()
    : image_(BoardPixelWidth, BoardPixelHeight, QImage::Format_RGB32) {
    image_.fill(Qt::black);
}

void ImageBoardScreen::copyFromBuffer(const QImage& buffer, const QRect& source) {
    copyPixels(image_, QPoint(0, 0), buffer, source);
    ++copies_;
}
