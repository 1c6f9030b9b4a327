// SPDX-License-Identifier: GPL-3.0-or-later
#include "brikko.h"

#include "board_drawing.h"

void Brikko::DrawBoard() {
    if (!drawing_)
        return;
    for (int c = 1; c <= BoardColumns; ++c)
        for (int r = 1; r <= BoardRows; ++r)
            if (const qint16 value = Game.Board(c, r); value != PrevGame.Board(c, r))
                drawing_->drawCell(c, r, value);
    drawing_->showBoard();
}

void Brikko::RepaintBoard() {
    if (drawing_)
        drawing_->showBoard();
}

void Brikko::ShowPreview(qint16 kind) {
    if (drawing_)
        drawing_->showPreview(kind);
}
