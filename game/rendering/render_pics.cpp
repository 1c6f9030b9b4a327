// SPDX-License-Identifier: GPL-3.0-or-later
#include "render_pics.h"

#include "render_surfaces.h"
#include "shapes.h"

#include <QPainter>

namespace {

// Face colours of kinds 1..7: bright, clearly apart from each other and from
// the dark board.
constexpr std::array<QRgb, PieceKindCount> Palette{
    0xff2ec4d6, // 1 I: turquoise
    0xff4f7cff, // 2 J: cornflower blue
    0xffff9f1c, // 3 L: tangerine
    0xffff4f79, // 4 Z: raspberry
    0xff7ed321, // 5 S: lime
    0xffa66bff, // 6 T: violet
    0xffffe94a, // 7 O: lemon
};

constexpr QRgb Background = 0xff1c2033;

QImage blankImage(int width, int height, qreal ratio) {
    QImage image(qRound(width * ratio), qRound(height * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Background);
    return image;
}

// A raised tile: the face, a light edge along the top and left, a shaded edge
// along the bottom and right, a thin dark outline so that neighbouring tiles
// read as separate blocks, and a small glint in the upper left. Drawn in the
// tile's 16 x 16 units at the image's scale; the outline is one pixel of the
// screen wide whatever the scale, so a denser screen shows a finer edge.
QImage drawTile(QColor face, qreal ratio) {
    QImage tile = blankImage(TileSize, TileSize, ratio);
    QPainter p(&tile);
    const qreal n = TileSize;
    const qreal hair = 1.0 / ratio;                   // one pixel of the screen
    p.fillRect(QRectF(0, 0, n, n), face.darker(260)); // outline
    p.fillRect(QRectF(hair, hair, n - 2 * hair, n - 2 * hair), face.darker(150));          // shade
    p.fillRect(QRectF(hair, hair, n - 2 * hair - 1, n - 2 * hair - 1), face.lighter(140)); // light
    p.fillRect(QRectF(3, 3, n - 6, n - 6), face);
    // soften the inner corners where light meets shade
    p.fillRect(QRectF(n - 3, hair, 1, 1), face);
    p.fillRect(QRectF(hair, n - 3, 1, 1), face);
    p.fillRect(QRectF(4, 4, 3, 2), face.lighter(135)); // glint
    p.fillRect(QRectF(4, 6, 2, 1), face.lighter(135));
    return tile;
}

// The preview of a kind: its first orientation built from its own tiles,
// centred in 96 x 64.
QImage drawPreview(int kind, const QImage& tile, qreal ratio) {
    QImage preview = blankImage(PreviewPixelWidth, PreviewPixelHeight, ratio);
    const PieceShape* shape = shapeOf(qint16(kind), SpawnOrientation);
    if (!shape)
        return preview;
    const ShapeBounds& b = shape->bounds;
    const int width = b.columns() * TileSize;
    const int height = b.rows() * TileSize;
    const int left = (PreviewPixelWidth - width) / 2;
    const int top = (PreviewPixelHeight - height) / 2;
    QPainter p(&preview);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (const ShapeOffset o : shape->cells)
        p.drawImage(QRectF(left + (o.dx - b.minDx) * TileSize, top + (o.dy - b.minDy) * TileSize,
                           TileSize, TileSize),
                    tile, QRectF(tile.rect()));
    return preview;
}

} // namespace

QColor FrmPics::backgroundColor() {
    return QColor::fromRgb(Background);
}

QColor FrmPics::tileColor(int kind) {
    if (kind < 1 || kind > PieceKindCount)
        return backgroundColor();
    return QColor::fromRgb(Palette[std::size_t(kind - 1)]);
}

void FrmPics::setDevicePixelRatio(qreal ratio) {
    if (ratio == ratio_)
        return;
    ratio_ = ratio;
    loaded_ = false;
}

void FrmPics::Load() {
    if (loaded_)
        return;
    tiles_[0] = blankImage(TileSize, TileSize, ratio_);
    for (int kind = 1; kind <= PieceKindCount; ++kind) {
        tiles_[std::size_t(kind)] = drawTile(tileColor(kind), ratio_);
        previews_[std::size_t(kind - 1)] = drawPreview(kind, tiles_[std::size_t(kind)], ratio_);
    }
    loaded_ = true;
}

const QImage* FrmPics::Kubolt(int value) {
    if (value < 0 || value > PieceKindCount)
        return nullptr;
    Load();
    return &tiles_[std::size_t(value)];
}

const QImage* FrmPics::Next(int kind) {
    if (kind < 1 || kind > PieceKindCount)
        return nullptr;
    Load();
    return &previews_[std::size_t(kind - 1)];
}
