// SPDX-License-Identifier: GPL-3.0-or-later
#include "brikko.h"

#include "board_drawing.h"

Brikko::Brikko(BrikkoServices services) : services_(std::move(services)) {}

void Brikko::startDrop() {
    Dropping = true;
    if (DropStartRow == 0)
        DropStartRow = Game.PieceY;
}

void Brikko::setPaused(bool paused) {
    Paused = paused;
}

void Brikko::loadPosition(const GamePosition& position) {
    PrevGame = Game;
    Game.Board = position.Board;
    Game.Piece = position.Piece;
    Game.PieceX = position.PieceX;
    Game.PieceY = position.PieceY;
    Game.Orientation = position.Orientation;
    Game.Lines = position.Lines;
    Game.Level = position.Level;
    Landed = false;
    DrawBoard();
}
