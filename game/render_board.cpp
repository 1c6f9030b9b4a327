#include "brikko.h"

#include <QPainter>

#include <optional>

void Brikko::TakeHandles() {
    for (int v = 0; v < TileCount; ++v)
        Game.TileDC[std::size_t(v)] = frmPics.Kubolt(v);
    Game.BoardDC = picBoard;
    Game.BufferDC = &picBoard2;
}

void Brikko::DrawBoard() {
    if (QImage* buffer = Game.BufferDC) {
        // One painter for all the cells of this call, opened at the first
        // changed cell: an unchanged board costs no painting at all.
        std::optional<QPainter> painter;
        for (int c = 1; c <= BoardColumns; ++c) {
            for (int r = 1; r <= BoardRows; ++r) {
                const qint16 value = Game.Board(c, r);
                if (value == PrevGame.Board(c, r) || value < 0 || value >= TileCount)
                    continue;
                const QImage* tile = Game.TileDC[std::size_t(value)];
                if (!tile)
                    continue;
                if (!painter) {
                    painter.emplace(buffer);
                    painter->setCompositionMode(QPainter::CompositionMode_Source);
                }
                painter->drawImage(bufferCellOrigin(c, r), *tile, QRect(0, 0, TileSize, TileSize));
                ++tileCopies_;
            }
        }
    }
    RepaintBoard();
}

void Brikko::RepaintBoard() {
    if (!Game.BoardDC || !Game.BufferDC)
        return;
    Game.BoardDC->copyFromBuffer(*Game.BufferDC, BufferBlock);
    ++screenCopies_;
}

void Brikko::ShowPreview(qint16 kind) {
    if (picNext)
        picNext->setPicture(frmPics.Next(kind));
}
