// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What tests and benchmarks do to the game and the program never does: put a
// position on the board at once, make a gravity step alone, read the fast
// drop's state. Brikko makes BrikkoTestAccess its friend; this header lives
// with the tests, out of the program's reach.

#include "brikko.h"

// A position to play from: the board with the falling piece already written
// into it, where that piece is, and the line and level counters.
struct GamePosition {
    BoardCells Board;
    qint16 Piece = 0;
    qint16 PieceX = 0;
    qint16 PieceY = 0;
    qint16 Orientation = 0;
    qint32 Lines = 0;
    qint32 Level = 0;
};

class BrikkoTestAccess {
public:
    // Puts a position on the board at once, as if play had led there: the
    // record is copied to PrevGame, the board, the falling piece and the
    // counters are replaced, the changed cells are drawn, and the piece is
    // falling (Landed false). Playing, the score and the other flags stay.
    // During a game, a position without a piece belongs in the wait before
    // the first spawn, which follows it.
    static void loadPosition(Brikko& game, const GamePosition& position) {
        game.PrevGame = game.Game;
        GameState& g = game.Game;
        g.Board = position.Board;
        g.Piece = position.Piece;
        g.PieceX = position.PieceX;
        g.PieceY = position.PieceY;
        g.Orientation = position.Orientation;
        g.Lines = position.Lines;
        g.Level = position.Level;
        game.Landed = false;
        game.drawBoard();
    }
    // The gravity step alone, as the loop makes it (not drawn).
    static void moveDown(Brikko& game) { game.moveDown(); }
    // Whether a fast drop is under way, and the row it counts from (0: none).
    static bool dropping(const Brikko& game) { return game.Dropping; }
    static qint16 dropStartRow(const Brikko& game) { return game.DropStartRow; }
};
