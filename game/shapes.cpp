#include "shapes.h"

#include "board_state.h"

#include <algorithm>

namespace {

// The reference positions at which every cell lands within the 10 x 18 board.
constexpr ShapeLimits limitsOf(const std::array<ShapeOffset, 4>& cells) {
    int minDx = 0, maxDx = 0, minDy = 0, maxDy = 0;
    for (const ShapeOffset o : cells) {
        minDx = std::min<int>(minDx, o.dx);
        maxDx = std::max<int>(maxDx, o.dx);
        minDy = std::min<int>(minDy, o.dy);
        maxDy = std::max<int>(maxDy, o.dy);
    }
    return {qint16(1 - minDx), qint16(BoardColumns - maxDx), qint16(1 - minDy),
            qint16(BoardRows - maxDy)};
}

constexpr PieceShape shape(ShapeOffset a, ShapeOffset b, ShapeOffset c, ShapeOffset d) {
    const std::array<ShapeOffset, 4> cells{a, b, c, d};
    return {cells, limitsOf(cells)};
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
