// SPDX-License-Identifier: GPL-3.0-or-later
#include "brikko.h"

#include <algorithm>

namespace {

bool contains(const PieceCells& cells, BoardCell cell) {
    return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

} // namespace

bool Brikko::tryMove(const PieceShape& from, const PieceShape& to, qint16 x, qint16 y) {
    // Board limits first, from the reference positions alone: no cell off the
    // board is ever read or written.
    if (!from.limits.contains(Game.PieceX, Game.PieceY) || !to.limits.contains(x, y))
        return false;
    const PieceCells before = cellsAt(from, Game.PieceX, Game.PieceY);
    const PieceCells after = cellsAt(to, x, y);
    BoardCells& board = Game.Board;
    // The cells the piece would enter must be empty; the ones it already
    // holds are not tested. All tests come before the first write.
    for (const BoardCell c : after)
        if (!contains(before, c) && board(c.column, c.row) != 0)
            return false;
    for (const BoardCell c : before)
        if (!contains(after, c))
            board(c.column, c.row) = 0;
    for (const BoardCell c : after)
        if (!contains(before, c))
            board(c.column, c.row) = Game.Piece;
    return true;
}

void Brikko::moveDown() {
    if (const PieceShape* shape = shapeOf(Game.Piece, Game.Orientation);
        shape && shape->limits.contains(Game.PieceX, Game.PieceY)) {
        // Blocked by the floor (the lowest cell on row 18) or by the stack:
        // the piece has landed where it is.
        if (tryMove(*shape, *shape, Game.PieceX, qint16(Game.PieceY + 1)))
            ++Game.PieceY;
        else
            Landed = true;
    }
    if (soundOn()) {
        if (Landed)
            playSound(QStringLiteral("Sound2.wav"));
        else if (!Dropping)
            playSound(QStringLiteral("Sound3.wav"));
    }
}

void Brikko::moveSideways(int dx) {
    PrevGame = Game;
    if (const PieceShape* shape = shapeOf(Game.Piece, Game.Orientation)) {
        const qint16 x = qint16(Game.PieceX + dx);
        if (tryMove(*shape, *shape, x, Game.PieceY))
            Game.PieceX = x;
    }
    drawBoard();
}

void Brikko::moveLeft() {
    moveSideways(-1);
}

void Brikko::moveRight() {
    moveSideways(+1);
}

void Brikko::rotatePiece() {
    PrevGame = Game;
    if (Game.Piece != PieceKindO) {
        const PieceShape* shape = shapeOf(Game.Piece, Game.Orientation);
        const qint16 next = nextOrientation(Game.Piece, Game.Orientation);
        const PieceShape* turned = shapeOf(Game.Piece, next);
        if (shape && turned && tryMove(*shape, *turned, Game.PieceX, Game.PieceY))
            Game.Orientation = next;
    }
    drawBoard();
}
