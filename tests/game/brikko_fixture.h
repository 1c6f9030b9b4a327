#pragma once

// Shared by the game's tests: a Brikko on fake services, the cell lists of
// the tables, and pieces written into the board as a spawn writes them.

#include "brikko.h"
#include "fakes.h"

#include <QList>
#include <QPair>

#include <algorithm>

struct BrikkoFixture {
    explicit BrikkoFixture(const QString& dataDir = QStringLiteral("/opt/vorelle/data"))
        : brikko({sounds, media, clock, random, events,
                  AppPaths(dataDir, QStringLiteral("/tmp/user"), QStringLiteral("/tmp/config"))}) {}
    Brikko& withScreen() {
        brikko.picBoard = &screen;
        brikko.TakeHandles();
        return brikko;
    }
    FakeSoundPlayer sounds;
    FakeMediaControl media;
    FakeClock clock;
    FakeRandom random;
    FakeEventPump events{clock};
    ImageBoardScreen screen;
    Brikko brikko;
};

using Cells = QList<QPair<int, int>>;

// "(-1, 0) (0, 0)" -> the pairs, sorted.
inline Cells parseCells(QString text) {
    const QStringList n = text.remove('(').remove(')').remove(',').split(' ', Qt::SkipEmptyParts);
    Cells out;
    for (int i = 0; i + 1 < n.size(); i += 2)
        out.append({n[i].toInt(), n[i + 1].toInt()});
    std::sort(out.begin(), out.end());
    return out;
}

// The (column, row) pairs of cells, sorted.
inline Cells sortedCells(const PieceCells& cells) {
    Cells out;
    for (const BoardCell c : cells)
        out.append({c.column, c.row});
    std::sort(out.begin(), out.end());
    return out;
}

// The cells of the record's piece, of a kind and orientation in the table.
inline PieceCells pieceCellsOf(const GameState& g) {
    return cellsAt(*shapeOf(g.Piece, g.Orientation), g.PieceX, g.PieceY);
}

inline QList<int> placeOf(const GameState& g) {
    return {g.PieceX, g.PieceY, g.Orientation};
}

inline void placePiece(Brikko& b, int kind, int orientation, int x, int y) {
    b.Game.Piece = qint16(kind);
    b.Game.Orientation = qint16(orientation);
    b.Game.PieceX = qint16(x);
    b.Game.PieceY = qint16(y);
    if (shapeOf(b.Game.Piece, b.Game.Orientation))
        for (const BoardCell c : pieceCellsOf(b.Game))
            b.Game.Board(c.column, c.row) = b.Game.Piece;
}
