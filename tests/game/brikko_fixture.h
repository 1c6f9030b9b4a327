#pragma once

// Shared by the game's tests: a Brikko on fake services, drawn by a renderer
// onto an image, the cell lists of the tables, and positions with a piece
// written into the board as a spawn writes it.

#include "board_renderer.h"
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
        renderer.attach(&screen, nullptr);
        brikko.setDrawing(&renderer);
        return brikko;
    }
    FakeSoundPlayer sounds;
    FakeMediaControl media;
    FakeClock clock;
    FakeRandom random;
    FakeEventPump events{clock};
    ImageBoardScreen screen;
    BoardRenderer renderer;
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

// The cells of the record's piece, of a kind and orientation in the table.
inline PieceCells pieceCellsOf(const GameState& g) {
    return cellsAt(*shapeOf(g.Piece, g.Orientation), g.PieceX, g.PieceY);
}

inline QList<int> placeOf(const GameState& g) {
    return {g.PieceX, g.PieceY, g.Orientation};
}

// `board` with a piece of `kind` written in at (x, y) when the kind and
// orientation are in the shape table, else as it is.
inline GamePosition positionWith(const BoardCells& board, int kind, int orientation, int x, int y) {
    GamePosition p{board, qint16(kind), qint16(x), qint16(y), qint16(orientation), 0, 0};
    if (const PieceShape* shape = shapeOf(p.Piece, p.Orientation))
        for (const BoardCell c : cellsAt(*shape, p.PieceX, p.PieceY))
            p.Board(c.column, c.row) = p.Piece;
    return p;
}
