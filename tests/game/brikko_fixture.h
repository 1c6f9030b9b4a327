#pragma once

// Shared by the game's tests: a Brikko on fake services, and readers for the
// cell lists and ranges written in the tests' tables.

#include "brikko.h"
#include "fakes.h"

#include <QList>
#include <QPair>
#include <QRegularExpression>
#include <QString>

#include <algorithm>

struct BrikkoFixture {
    explicit BrikkoFixture(const QString& dataDir = QStringLiteral("/opt/vorelle/data"))
        : brikko(BrikkoServices{
              sounds, media, clock, random, events,
              AppPaths(dataDir, QStringLiteral("/tmp/user"), QStringLiteral("/tmp/config"))}) {}
    FakeSoundPlayer sounds;
    FakeMediaControl media;
    FakeClock clock;
    FakeRandom random;
    FakeEventPump events{clock};
    Brikko brikko;
};

// "(-1, 0) (0, 0)" -> offsets, in the order written.
inline QList<QPair<int, int>> parseOffsets(const QString& text) {
    static const QRegularExpression pair(QStringLiteral("\\((-?\\d+),\\s*(-?\\d+)\\)"));
    QList<QPair<int, int>> out;
    for (auto it = pair.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out.append({m.captured(1).toInt(), m.captured(2).toInt()});
    }
    return out;
}

// "2..8" -> {2, 8}
inline QPair<int, int> parseRange(const QString& text) {
    const QStringList parts = text.split(QStringLiteral(".."));
    return {parts.value(0).toInt(), parts.value(1).toInt()};
}

inline QList<QPair<int, int>> sorted(QList<QPair<int, int>> list) {
    std::sort(list.begin(), list.end());
    return list;
}

inline QList<QPair<int, int>> offsetsOf(const PieceShape& shape) {
    QList<QPair<int, int>> out;
    for (const ShapeOffset o : shape.cells)
        out.append({o.dx, o.dy});
    return out;
}

// Writes a piece into the board and the record, as a spawn does.
inline void placePiece(Brikko& b, qint16 kind, qint16 orientation, qint16 x, qint16 y) {
    b.Game.Piece = kind;
    b.Game.Orientation = orientation;
    b.Game.PieceX = x;
    b.Game.PieceY = y;
    if (const PieceShape* shape = shapeOf(kind, orientation))
        for (const BoardCell c : cellsAt(*shape, x, y))
            b.Game.Board(c.column, c.row) = kind;
}
