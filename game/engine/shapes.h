// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>
#include <optional>

// The seven pieces of Brikko, as data: the one description that the moves,
// the rotation, the spawn and the preview images all read.
//
// A piece is four cells placed around its reference cell (PieceX, PieceY),
// which is itself one of the four. Offsets are (dx, dy), dx to the right and
// dy downwards; columns run 1..10 from the left, rows 1..18 from the top.
//
// Kinds: 1 I, 2 J, 3 L, 4 Z, 5 S, 6 T, 7 O. J, L and T turn through four
// orientations (1 -> 2 -> 3 -> 4 -> 1, each a clockwise quarter turn about the
// reference cell); I, Z and S toggle between two (1 -> 2 -> 1); O has one
// shape, whatever its orientation says, and never turns.

inline constexpr int PieceKindCount = 7;
inline constexpr qint16 PieceKindI = 1;
inline constexpr qint16 PieceKindO = 7;

// Where a new piece enters: column 5, orientation 1, row 1 for I and row 2
// for the other kinds.
inline constexpr qint16 SpawnColumn = 5;
inline constexpr qint16 SpawnOrientation = 1;

struct ShapeOffset {
    qint8 dx;
    qint8 dy;
    friend constexpr bool operator==(ShapeOffset, ShapeOffset) = default;
};

// A cell of the board, 1-based.
struct BoardCell {
    qint16 column;
    qint16 row;
    friend constexpr bool operator==(BoardCell, BoardCell) = default;
};

// How far a shape reaches around its reference cell: the smallest and largest
// dx and dy of its four cells (0 is always among them, for the reference cell
// itself).
struct ShapeBounds {
    qint8 minDx;
    qint8 maxDx;
    qint8 minDy;
    qint8 maxDy;
    constexpr int columns() const { return maxDx - minDx + 1; }
    constexpr int rows() const { return maxDy - minDy + 1; }
    friend constexpr bool operator==(ShapeBounds, ShapeBounds) = default;
};

// The reference positions at which a shape lies wholly on the board.
struct ShapeLimits {
    qint16 minX;
    qint16 maxX;
    qint16 minY;
    qint16 maxY;
    constexpr bool contains(int x, int y) const {
        return x >= minX && x <= maxX && y >= minY && y <= maxY;
    }
    friend constexpr bool operator==(ShapeLimits, ShapeLimits) = default;
};

struct PieceShape {
    std::array<ShapeOffset, 4> cells;
    ShapeBounds bounds;
    ShapeLimits limits; // worked out from bounds and the board's size
};

using PieceCells = std::array<BoardCell, 4>;

// The letter of a kind ('I', 'J', 'L', 'Z', 'S', 'T', 'O'), '?' outside 1..7.
char pieceLabel(qint16 kind);

// How many orientations a kind has: 2 for I, Z, S; 4 for J, L, T; 1 for O;
// 0 for a number that is no kind.
int orientationCount(qint16 kind);

// The shape of a kind in an orientation, or nullptr when the pair is not in
// the table (kind outside 1..7, or an orientation the kind does not have).
// For O every orientation value gives its one shape.
const PieceShape* shapeOf(qint16 kind, qint16 orientation);

// The orientation after one turn; O and pairs outside the table keep the
// orientation they were given.
qint16 nextOrientation(qint16 kind, qint16 orientation);

// The four cells of a shape with its reference cell at (x, y). The caller
// makes sure (x, y) lies within shape.limits when the cells are to be used on
// the board.
PieceCells cellsAt(const PieceShape& shape, qint16 x, qint16 y);

// The row of the reference cell of a new piece of this kind.
qint16 spawnRow(qint16 kind);

// The four cells a new piece of this kind takes, or nothing for a number that
// is no kind.
std::optional<PieceCells> spawnCells(qint16 kind);
