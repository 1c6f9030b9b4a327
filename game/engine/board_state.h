// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>

inline constexpr int BoardColumns = 10;
inline constexpr int BoardRows = 18;
inline constexpr int BoardCellCount = BoardColumns * BoardRows;
inline constexpr int TileCount = 8; // cell values 0 (empty) to 7 (piece kinds)

// The 10 x 18 cells of the board, stored column fastest: cell (column, row),
// both 1-based, is element (column - 1) + (row - 1) * 10. A cell holds 0 when
// empty, else the kind (1..7) of the piece it belongs to; the falling piece is
// written into the board like any settled cell.
//
// Access through (column, row) is checked: a position off the board never
// reaches memory outside the cells. It reads as 0, a write to it goes nowhere,
// and it is counted in boardAccessFaults(), which the tests watch.
struct BoardCells {
    std::array<qint16, BoardCellCount> cells{};

    static constexpr bool onBoard(int column, int row) {
        return column >= 1 && column <= BoardColumns && row >= 1 && row <= BoardRows;
    }
    static constexpr int index(int column, int row) {
        return (column - 1) + (row - 1) * BoardColumns;
    }

    qint16& operator()(int column, int row) {
        if (!onBoard(column, row)) [[unlikely]]
            return offBoard();
        return cells[std::size_t(index(column, row))];
    }
    qint16 operator()(int column, int row) const {
        if (!onBoard(column, row)) [[unlikely]]
            return offBoard();
        return cells[std::size_t(index(column, row))];
    }

    void clear() { cells.fill(0); }

    friend bool operator==(const BoardCells&, const BoardCells&) = default;

private:
    static qint16& offBoard();
};

// How many times a board was addressed off its 10 x 18 cells since the
// program started. Stays 0 in a correct program.
qint64 boardAccessFaults();

// The whole state of a game. Game is the live record; PrevGame a copy of it
// taken before each change, so that the board can be redrawn where it
// differs. Fields as the game module names them.
struct GameState {
    BoardCells Board;
    qint32 Lines = 0;     // held below 2^31 (a 16-bit count would wrap after 32767 lines)
    qint16 Piece = 0;     // kind of the falling piece, 0 before the first spawn
    qint16 NextPiece = 0; // kind shown in the preview
    qint16 PieceX = 0;    // column of the reference cell
    qint16 PieceY = 0;    // row of the reference cell
    qint16 Orientation = 0;
    qint64 Score = 0; // wide enough for any whole game; shown as decimal text
    qint32 Level = 0; // held below 2^31, like Lines
    bool Playing = false;
};

// A position to play from, as Brikko::loadPosition takes it: the board with
// the falling piece already written into it, where that piece is, and the line
// and level counters.
struct GamePosition {
    BoardCells Board;
    qint16 Piece = 0;
    qint16 PieceX = 0;
    qint16 PieceY = 0;
    qint16 Orientation = 0;
    qint32 Lines = 0;
    qint32 Level = 0;
};
