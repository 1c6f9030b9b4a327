// SPDX-License-Identifier: GPL-3.0-or-later
#include "shapes.h"

#include "board_state.h"

#include <algorithm>

namespace {

constexpr ShapeBounds boundsOf(const std::array<ShapeOffset, 4>& cells) {
    ShapeBounds b{0, 0, 0, 0};
    for (const ShapeOffset o : cells) {
        b.minDx = std::min(b.minDx, o.dx);
        b.maxDx = std::max(b.maxDx, o.dx);
        b.minDy = std::min(b.minDy, o.dy);
        b.maxDy = std::max(b.maxDy, o.dy);
    }
    return b;
}

// The reference positions at which every cell lands within the 10 x 18 board.
constexpr ShapeLimits limitsOf(ShapeBounds b) {
    return {qint16(1 - b.minDx), qint16(BoardColumns - b.maxDx), qint16(1 - b.minDy),
            qint16(BoardRows - b.maxDy)};
}

constexpr PieceShape shape(ShapeOffset a, ShapeOffset b, ShapeOffset c, ShapeOffset d) {
    const std::array<ShapeOffset, 4> cells{a, b, c, d};
    const ShapeBounds bounds = boundsOf(cells);
    return {cells, bounds, limitsOf(bounds)};
}

struct PieceKind {
    char label;
    int orientations;
    std::array<PieceShape, 4> shapes; // orientation 1 first; unused slots repeat the first
};

// Cells listed top row first, left to right within a row.
constexpr std::array<PieceKind, PieceKindCount> Pieces{{
    {'I',
     2,
     {shape({-1, 0}, {0, 0}, {1, 0}, {2, 0}), //  #+##
      shape({0, -1}, {0, 0}, {0, 1}, {0, 2}), //  # / + / # / #
      shape({-1, 0}, {0, 0}, {1, 0}, {2, 0}), shape({-1, 0}, {0, 0}, {1, 0}, {2, 0})}},
    {'J',
     4,
     {shape({-1, -1}, {-1, 0}, {0, 0}, {1, 0}),  //  #.. / #+#
      shape({0, -1}, {1, -1}, {0, 0}, {0, 1}),   //  ## / +. / #.
      shape({-1, 0}, {0, 0}, {1, 0}, {1, 1}),    //  #+# / ..#
      shape({0, -1}, {0, 0}, {-1, 1}, {0, 1})}}, // .# / .+ / ##
    {'L',
     4,
     {shape({1, -1}, {-1, 0}, {0, 0}, {1, 0}),    // ..# / #+#
      shape({0, -1}, {0, 0}, {0, 1}, {1, 1}),     // #. / +. / ##
      shape({-1, 0}, {0, 0}, {1, 0}, {-1, 1}),    // #+# / #..
      shape({-1, -1}, {0, -1}, {0, 0}, {0, 1})}}, // ## / .+ / .#
    {'Z',
     2,
     {shape({-1, -1}, {0, -1}, {0, 0}, {1, 0}), // ##. / .+#
      shape({1, -1}, {0, 0}, {1, 0}, {0, 1}),   // .# / +# / #.
      shape({-1, -1}, {0, -1}, {0, 0}, {1, 0}), shape({-1, -1}, {0, -1}, {0, 0}, {1, 0})}},
    {'S',
     2,
     {shape({0, -1}, {1, -1}, {-1, 0}, {0, 0}), // .## / #+.
      shape({0, -1}, {0, 0}, {1, 0}, {1, 1}),   // #. / +# / .#
      shape({0, -1}, {1, -1}, {-1, 0}, {0, 0}), shape({0, -1}, {1, -1}, {-1, 0}, {0, 0})}},
    {'T',
     4,
     {shape({0, -1}, {-1, 0}, {0, 0}, {1, 0}),   // .#. / #+#
      shape({0, -1}, {0, 0}, {1, 0}, {0, 1}),    // #. / +# / #.
      shape({-1, 0}, {0, 0}, {1, 0}, {0, 1}),    // #+# / .#.
      shape({0, -1}, {-1, 0}, {0, 0}, {0, 1})}}, // .# / #+ / .#
    {'O',
     1,
     {shape({0, -1}, {1, -1}, {0, 0}, {1, 0}), // ## / +#
      shape({0, -1}, {1, -1}, {0, 0}, {1, 0}), shape({0, -1}, {1, -1}, {0, 0}, {1, 0}),
      shape({0, -1}, {1, -1}, {0, 0}, {1, 0})}},
}};

const PieceKind* kindOf(qint16 kind) {
    if (kind < 1 || kind > PieceKindCount)
        return nullptr;
    return &Pieces[std::size_t(kind - 1)];
}

} // namespace

char pieceLabel(qint16 kind) {
    const PieceKind* k = kindOf(kind);
    return k ? k->label : '?';
}

int orientationCount(qint16 kind) {
    const PieceKind* k = kindOf(kind);
    return k ? k->orientations : 0;
}

const PieceShape* shapeOf(qint16 kind, qint16 orientation) {
    const PieceKind* k = kindOf(kind);
    if (!k)
        return nullptr;
    if (k->orientations == 1)
        return &k->shapes[0];
    if (orientation < 1 || orientation > k->orientations)
        return nullptr;
    return &k->shapes[std::size_t(orientation - 1)];
}

qint16 nextOrientation(qint16 kind, qint16 orientation) {
    const PieceKind* k = kindOf(kind);
    if (!k || k->orientations == 1 || orientation < 1 || orientation > k->orientations)
        return orientation;
    return qint16(orientation % k->orientations + 1);
}

PieceCells cellsAt(const PieceShape& shape, qint16 x, qint16 y) {
    PieceCells cells{};
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = {qint16(x + shape.cells[i].dx), qint16(y + shape.cells[i].dy)};
    return cells;
}

qint16 spawnRow(qint16 kind) {
    return kind == PieceKindI ? 1 : 2;
}

std::optional<PieceCells> spawnCells(qint16 kind) {
    const PieceShape* shape = shapeOf(kind, SpawnOrientation);
    if (!shape)
        return std::nullopt;
    return cellsAt(*shape, SpawnColumn, spawnRow(kind));
}
