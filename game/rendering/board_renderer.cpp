// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_renderer.h"

#include <cmath>

namespace {

QImage makeBackBuffer(qreal ratio) {
    QImage buffer(qRound(BufferPixelWidth * ratio), qRound(BufferPixelHeight * ratio),
                  QImage::Format_RGB32);
    buffer.setDevicePixelRatio(ratio);
    buffer.fill(FrmPics::backgroundColor());
    return buffer;
}

} // namespace

BoardRenderer::BoardRenderer() : picBoard2(makeBackBuffer(1.0)) {
    drawn_.fill(-1);
}

BoardRenderer::~BoardRenderer() {
    endPainting();
}

void BoardRenderer::attach(BoardScreen* screen, PreviewView* preview) {
    screen_ = screen;
    preview_ = preview;
    if (preview_)
        preview_->setPicture(frmPics.Next(previewKind_));
}

void BoardRenderer::setDevicePixelRatio(qreal ratio) {
    if (!std::isfinite(ratio) || ratio < 1.0)
        ratio = 1.0;
    if (ratio == ratio_)
        return;
    endPainting();
    // The preview view must not keep a picture that is about to go.
    if (preview_)
        preview_->setPicture(nullptr);
    ratio_ = ratio;
    frmPics.setDevicePixelRatio(ratio);
    picBoard2 = makeBackBuffer(ratio);
    for (int i = 0; i < BoardCellCount; ++i)
        if (drawn_[std::size_t(i)] >= 0)
            paintTile(i % BoardColumns + 1, i / BoardColumns + 1, drawn_[std::size_t(i)]);
    endPainting();
    showBoard();
    if (preview_)
        preview_->setPicture(frmPics.Next(previewKind_));
}

QRect BoardRenderer::screenBlock() const {
    return QRect(qRound(BufferBlock.x() * ratio_), qRound(BufferBlock.y() * ratio_),
                 qRound(BufferBlock.width() * ratio_), qRound(BufferBlock.height() * ratio_));
}

void BoardRenderer::drawCell(int column, int row, qint16 value) {
    if (!BoardCells::onBoard(column, row) || value < 0 || value >= TileCount)
        return;
    paintTile(column, row, value);
    drawn_[std::size_t(BoardCells::index(column, row))] = value;
    ++tileCopies_;
}

void BoardRenderer::paintTile(int column, int row, qint16 value) {
    const QImage* tile = frmPics.Kubolt(value);
    if (!tile)
        return;
    // One painter for all the cells up to the next showBoard: an unchanged
    // board costs no painting at all.
    if (!painter_) {
        painter_.emplace(&picBoard2);
        painter_->setCompositionMode(QPainter::CompositionMode_Source);
    }
    painter_->drawImage(QRectF(bufferCellOrigin(column, row), QSizeF(TileSize, TileSize)), *tile,
                        QRectF(tile->rect()));
}

void BoardRenderer::endPainting() {
    painter_.reset();
}

void BoardRenderer::showBoard() {
    endPainting();
    if (!screen_)
        return;
    screen_->copyFromBuffer(picBoard2, screenBlock());
    ++screenCopies_;
}

void BoardRenderer::showPreview(qint16 kind) {
    previewKind_ = kind;
    if (preview_)
        preview_->setPicture(frmPics.Next(kind));
}
