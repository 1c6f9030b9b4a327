// SPDX-License-Identifier: GPL-3.0-or-later
#include "brikko.h"

#include <algorithm>

namespace {

bool contains(const PieceCells& cells, BoardCell cell) {
    return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

} // namespace

bool Brikko::pieceCells(PieceCells& cells) const {
    const PieceShape* shape = shapeOf(Game.Piece, Game.Orientation);
    if (!shape || !shape->limits.contains(Game.PieceX, Game.PieceY))
        return false;
    cells = cellsAt(*shape, Game.PieceX, Game.PieceY);
    return true;
}

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

void Brikko::MoveDown() {
    if (const PieceShape* shape = shapeOf(Game.Piece, Game.Orientation);
        shape && shape->limits.contains(Game.PieceX, Game.PieceY)) {
        // Blocked by the floor (the lowest cell on row 18) or by the stack:
        // the piece has landed where it is.
        if (tryMove(*shape, *shape, Game.PieceX, qint16(Game.PieceY + 1)))
            ++Game.PieceY;
        else
            Landed = true;
    }
    if (SoundOn) {
        if (Landed)
            PlaySound(QStringLiteral("Sound2.wav"));
        else if (!Dropping)
            PlaySound(QStringLiteral("Sound3.wav"));
    }
}

void Brikko::moveSideways(int dx) {
    PrevGame = Game;
    if (const PieceShape* shape = shapeOf(Game.Piece, Game.Orientation)) {
        const qint16 x = qint16(Game.PieceX + dx);
        if (tryMove(*shape, *shape, x, Game.PieceY))
            Game.PieceX = x;
    }
    DrawBoard();
}

void Brikko::MoveLeft() {
    moveSideways(-1);
}

void Brikko::MoveRight() {
    moveSideways(+1);
}

void Brikko::RotatePiece() {
    PrevGame = Game;
    if (Game.Piece != PieceKindO) {
        const PieceShape* shape = shapeOf(Game.Piece, Game.Orientation);
        const qint16 next = nextOrientation(Game.Piece, Game.Orientation);
        const PieceShape* turned = shapeOf(Game.Piece, next);
        if (shape && turned && tryMove(*shape, *turned, Game.PieceX, Game.PieceY))
            Game.Orientation = next;
    }
    DrawBoard();
}
