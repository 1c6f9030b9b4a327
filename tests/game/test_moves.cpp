// The shape table, the board's storage order, the piece operations and the
// game's sounds. Each move is whole or refused, changes only the cells the
// piece leaves and enters, and never touches a cell off the board.

#include "brikko_fixture.h"

#include <QtTest>

#include <random>

static void (Brikko::*const operations[])() = {&Brikko::MoveDown, &Brikko::MoveLeft,
                                               &Brikko::MoveRight, &Brikko::RotatePiece};

class TestMoves : public QObject {
    Q_OBJECT
private slots:
    void shapeTable_data();
    void shapeTable();
    void storageOrder_data();
    void storageOrder();
    void rotationTable_data();
    void rotationTable();
    void scripts_data();
    void scripts();
    void randomSequencesKeepTheBoardWhole();
    void musicCommands_data();
    void musicCommands();
};

void TestMoves::shapeTable_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QString>("cells");
    QTest::addColumn<QList<int>>("limits"); // PieceX and PieceY at which it lies on the board
    QTest::addColumn<QString>("spawn");     // (column, row) a new piece takes, in orientation 1
    const auto row = [](int kind, int orientation, const char* cells, QList<int> limits,
                        const char* spawn = "") {
        QTest::addRow("%c%d", pieceLabel(qint16(kind)), orientation)
            << kind << orientation << QString(cells) << limits << QString(spawn);
    };
    row(1, 1, "(-1, 0) (0, 0) (1, 0) (2, 0)", {2, 8, 1, 18}, "(4, 1) (5, 1) (6, 1) (7, 1)");
    row(1, 2, "(0, -1) (0, 0) (0, 1) (0, 2)", {1, 10, 2, 16});
    row(2, 1, "(-1, -1) (-1, 0) (0, 0) (1, 0)", {2, 9, 2, 18}, "(4, 1) (4, 2) (5, 2) (6, 2)");
    row(2, 2, "(0, -1) (1, -1) (0, 0) (0, 1)", {1, 9, 2, 17});
    row(2, 3, "(-1, 0) (0, 0) (1, 0) (1, 1)", {2, 9, 1, 17});
    row(2, 4, "(0, -1) (0, 0) (-1, 1) (0, 1)", {2, 10, 2, 17});
    row(3, 1, "(1, -1) (-1, 0) (0, 0) (1, 0)", {2, 9, 2, 18}, "(6, 1) (4, 2) (5, 2) (6, 2)");
    row(3, 2, "(0, -1) (0, 0) (0, 1) (1, 1)", {1, 9, 2, 17});
    row(3, 3, "(-1, 0) (0, 0) (1, 0) (-1, 1)", {2, 9, 1, 17});
    row(3, 4, "(-1, -1) (0, -1) (0, 0) (0, 1)", {2, 10, 2, 17});
    row(4, 1, "(-1, -1) (0, -1) (0, 0) (1, 0)", {2, 9, 2, 18}, "(4, 1) (5, 1) (5, 2) (6, 2)");
    row(4, 2, "(1, -1) (0, 0) (1, 0) (0, 1)", {1, 9, 2, 17});
    row(5, 1, "(0, -1) (1, -1) (-1, 0) (0, 0)", {2, 9, 2, 18}, "(5, 1) (6, 1) (4, 2) (5, 2)");
    row(5, 2, "(0, -1) (0, 0) (1, 0) (1, 1)", {1, 9, 2, 17});
    row(6, 1, "(0, -1) (-1, 0) (0, 0) (1, 0)", {2, 9, 2, 18}, "(5, 1) (4, 2) (5, 2) (6, 2)");
    row(6, 2, "(0, -1) (0, 0) (1, 0) (0, 1)", {1, 9, 2, 17});
    row(6, 3, "(-1, 0) (0, 0) (1, 0) (0, 1)", {2, 9, 1, 17});
    row(6, 4, "(0, -1) (-1, 0) (0, 0) (0, 1)", {2, 10, 2, 17});
    row(7, 1, "(0, -1) (1, -1) (0, 0) (1, 0)", {1, 9, 2, 18}, "(5, 1) (6, 1) (5, 2) (6, 2)");
}

void TestMoves::shapeTable() {
    QFETCH(int, kind);
    QFETCH(int, orientation);
    QFETCH(QString, cells);
    QFETCH(QList<int>, limits);
    const PieceShape* shape = shapeOf(qint16(kind), qint16(orientation));
    QVERIFY(shape);
    QCOMPARE(sortedCells(cellsAt(*shape, 0, 0)), parseCells(cells));
    const ShapeLimits l = shape->limits;
    QCOMPARE((QList<int>{l.minX, l.maxX, l.minY, l.maxY}), limits);
    QFETCH(QString, spawn);
    if (!spawn.isEmpty())
        QCOMPARE(sortedCells(::spawnCells(qint16(kind)).value()), parseCells(spawn));
}

// Column fastest; a position off the board reads as 0, writes nowhere and is
// counted as a fault.
void TestMoves::storageOrder_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("element"); // -1: off the board
    QTest::newRow("(1, 1)") << 1 << 1 << 0;
    QTest::newRow("(10, 1)") << 10 << 1 << 9;
    QTest::newRow("(1, 2)") << 1 << 2 << 10;
    QTest::newRow("(10, 18)") << 10 << 18 << 179;
    QTest::newRow("column 0") << 0 << 2 << -1;
    QTest::newRow("row 19") << 1 << 19 << -1;
}

void TestMoves::storageOrder() {
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(int, element);
    BoardCells board;
    const qint64 faults = boardAccessFaults();
    board(column, row) = 7;
    for (int i = 0; i < BoardCellCount; ++i)
        QCOMPARE(board.cells[std::size_t(i)], qint16(i == element ? 7 : 0));
    QCOMPARE(std::as_const(board)(column, row), qint16(element < 0 ? 0 : 7));
    QCOMPARE(boardAccessFaults() - faults, qint64(element < 0 ? 2 : 0));
}

void TestMoves::rotationTable_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("filled"); // tested, then filled
    QTest::addColumn<QString>("emptied");
    const auto row = [](int kind, int from, int to, const char* filled, const char* emptied) {
        QTest::addRow("%c %d->%d", pieceLabel(qint16(kind)), from, to)
            << kind << from << to << QString(filled) << QString(emptied);
    };
    row(1, 1, 2, "(0, -1) (0, 1) (0, 2)", "(-1, 0) (1, 0) (2, 0)");
    row(1, 2, 1, "(-1, 0) (1, 0) (2, 0)", "(0, -1) (0, 1) (0, 2)");
    row(2, 1, 2, "(0, -1) (1, -1) (0, 1)", "(-1, -1) (-1, 0) (1, 0)");
    row(2, 2, 3, "(-1, 0) (1, 0) (1, 1)", "(0, -1) (1, -1) (0, 1)");
    row(2, 3, 4, "(0, -1) (-1, 1) (0, 1)", "(-1, 0) (1, 0) (1, 1)");
    row(2, 4, 1, "(-1, -1) (-1, 0) (1, 0)", "(0, -1) (-1, 1) (0, 1)");
    row(3, 1, 2, "(0, -1) (0, 1) (1, 1)", "(1, -1) (-1, 0) (1, 0)");
    row(3, 2, 3, "(-1, 0) (1, 0) (-1, 1)", "(0, -1) (0, 1) (1, 1)");
    row(3, 3, 4, "(-1, -1) (0, -1) (0, 1)", "(-1, 0) (1, 0) (-1, 1)");
    row(3, 4, 1, "(1, -1) (-1, 0) (1, 0)", "(-1, -1) (0, -1) (0, 1)");
    row(4, 1, 2, "(1, -1) (0, 1)", "(-1, -1) (0, -1)");
    row(4, 2, 1, "(-1, -1) (0, -1)", "(1, -1) (0, 1)");
    row(5, 1, 2, "(1, 0) (1, 1)", "(1, -1) (-1, 0)");
    row(5, 2, 1, "(1, -1) (-1, 0)", "(1, 0) (1, 1)");
    row(6, 1, 2, "(0, 1)", "(-1, 0)");
    row(6, 2, 3, "(-1, 0)", "(0, -1)");
    row(6, 3, 4, "(0, -1)", "(1, 0)");
    row(6, 4, 1, "(1, 0)", "(0, 1)");
}

// With every other cell taken the step turns (so it tests no other cell) and
// fills and empties exactly the listed cells; any one listed cell taken refuses it.
void TestMoves::rotationTable() {
    QFETCH(int, kind);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, filled);
    QFETCH(QString, emptied);
    const Cells toFill = parseCells(filled);
    BrikkoFixture f;
    Brikko& b = f.brikko;
    for (int blocked = -1; blocked < toFill.size(); ++blocked) {
        b.Game.Board.cells.fill(blocked < 0 ? PieceKindO : 0);
        placePiece(b, kind, from, 5, 9);
        for (int i = 0; i < toFill.size(); ++i)
            b.Game.Board(5 + toFill[i].first, 9 + toFill[i].second) = i == blocked ? PieceKindO : 0;
        BoardCells expected = b.Game.Board;
        for (const auto& [dx, dy] : blocked < 0 ? toFill : Cells{})
            expected(5 + dx, 9 + dy) = qint16(kind);
        for (const auto& [dx, dy] : blocked < 0 ? parseCells(emptied) : Cells{})
            expected(5 + dx, 9 + dy) = 0;
        b.RotatePiece();
        QCOMPARE(b.Game.Orientation, qint16(blocked < 0 ? to : from));
        QVERIFY(b.Game.Board == expected);
    }
}

// Scripts beside one settled cell, sounds on: D down, L left, R right, U turn,
// X a fast drop begins, Q sounds off, P the loop plays Sound1.wav. The piece
// ends as listed, the board holds that cell and the piece, the sounds ("3":
// Sound3.wav) reach the player in order, no cell off the board is touched.
void TestMoves::scripts_data() {
    QTest::addColumn<QList<int>>("start"); // kind, PieceX, PieceY, orientation
    QTest::addColumn<QString>("script");
    QTest::addColumn<QList<int>>("end"); // PieceX, PieceY, orientation, Landed
    QTest::addColumn<QString>("sounds");
    const auto row = [](const char* name, QList<int> start, const char* script, QList<int> end,
                        const char* sounds = "") {
        QTest::newRow(name) << start << QString(script) << end << QString(sounds);
    };
    row("I turns twice home", {1, 5, 9, 1}, "UU", {5, 9, 1, 0});
    row("J turns four times home", {2, 5, 9, 1}, "UUUU", {5, 9, 1, 0});
    row("L turns four times home", {3, 5, 9, 1}, "UUUU", {5, 9, 1, 0});
    row("Z turns twice home", {4, 5, 9, 1}, "UU", {5, 9, 1, 0});
    row("S turns twice home", {5, 5, 9, 1}, "UU", {5, 9, 1, 0});
    row("T turns four times home", {6, 5, 9, 1}, "UUUU", {5, 9, 1, 0});
    row("O never turns", {7, 5, 9, 1}, "U", {5, 9, 1, 0});
    row("lying I just spawned cannot turn", {1, 5, 1, 1}, "U", {5, 1, 1, 0});
    row("standing I in column 1 cannot turn", {1, 1, 8, 2}, "U", {1, 8, 2, 0});
    row("standing I in column 2 turns", {1, 2, 8, 2}, "U", {2, 8, 1, 0});
    row("standing I in column 9 cannot turn", {1, 9, 8, 2}, "U", {9, 8, 2, 0});
    row("standing I in column 10 cannot turn", {1, 10, 8, 2}, "U", {10, 8, 2, 0});
    row("sideways moves are silent", {6, 5, 9, 1}, "LRRL", {5, 9, 1, 0});
    row("standing I lands at 16", {1, 5, 14, 2}, "DDD", {5, 16, 2, 1}, "332");
    row("lying I lands at 18, a row clears", {1, 5, 16, 1}, "DDDP", {5, 18, 1, 1}, "3321");
    row("fast drop: silent, then landing", {1, 5, 16, 1}, "XDDD", {5, 18, 1, 1}, "2");
    row("sounds off", {1, 5, 16, 1}, "QDDDP", {5, 18, 1, 1});
    row("after a reset (Piece 0)", {0, 5, 9, 0}, "DLRU", {5, 9, 0, 0}, "3");
    row("I in orientation 3", {1, 5, 9, 3}, "DLRU", {5, 9, 3, 0}, "3");
}

void TestMoves::scripts() {
    QFETCH(QList<int>, start);
    QFETCH(QString, script);
    QFETCH(QList<int>, end);
    QFETCH(QString, sounds);
    BrikkoFixture f, expected;
    Brikko& b = f.brikko;
    b.SoundOn = true;
    b.Game.Board(1, 18) = expected.brikko.Game.Board(1, 18) = 3;
    placePiece(b, start[0], start[3], start[1], start[2]);
    const qint64 faults = boardAccessFaults();
    for (const QChar op : script) {
        b.Dropping = b.Dropping || op == 'X';
        b.SoundOn = b.SoundOn && op != 'Q';
        if (op == 'P')
            b.PlaySound(QStringLiteral("Sound1.wav"));
        else if (const int i = QStringLiteral("DLRU").indexOf(op); i >= 0)
            (b.*operations[i])();
    }
    QCOMPARE(placeOf(b.Game) << b.Landed, end);
    placePiece(expected.brikko, start[0], end[2], end[0], end[1]);
    QVERIFY(b.Game.Board == expected.brikko.Game.Board);
    QCOMPARE(boardAccessFaults(), faults);
    QStringList played;
    for (const QChar n : sounds)
        played << QStringLiteral("/opt/vorelle/data/Sound%1.wav").arg(n);
    QCOMPARE(f.sounds.played, played);
}

// Random operations on random boards against a plain oracle: lift the piece
// off a copy of the board; the move is made when every target cell is on the
// board and empty there, and then only the lifted and target cells change.
void TestMoves::randomSequencesKeepTheBoardWhole() {
    std::mt19937 rng(20260611);
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const qint64 faults = boardAccessFaults();
    BrikkoFixture f;
    Brikko& b = f.brikko;
    int made = 0, refused = 0;
    for (int sequence = 0; sequence < 5000; ++sequence) {
        const int density = uniform(0, 70);
        for (qint16& cell : b.Game.Board.cells)
            cell = uniform(0, 99) < density ? qint16(uniform(1, 7)) : qint16(0);
        const int kind = uniform(1, 7);
        const int turn = kind == PieceKindO ? uniform(-1, 5) : uniform(1, orientationCount(kind));
        const ShapeLimits lim = shapeOf(qint16(kind), qint16(turn))->limits;
        placePiece(b, kind, turn, uniform(lim.minX, lim.maxX), uniform(lim.minY, lim.maxY));
        b.Landed = false;
        for (int step = 0; step < 30 && !b.Landed; ++step) {
            const int op = uniform(0, 3);
            const GameState was = b.Game;
            GameState next = was;
            for (const BoardCell c : pieceCellsOf(was))
                next.Board(c.column, c.row) = 0;
            next.PieceX += op == 1 ? -1 : op == 2 ? 1 : 0;
            next.PieceY += op == 0 ? 1 : 0;
            next.Orientation =
                op == 3 ? nextOrientation(was.Piece, was.Orientation) : was.Orientation;
            bool fits = true;
            for (const BoardCell c : pieceCellsOf(next)) {
                fits = fits && BoardCells::onBoard(c.column, c.row) && !next.Board(c.column, c.row);
                if (fits)
                    next.Board(c.column, c.row) = was.Piece;
            }
            (b.*operations[op])();
            const GameState& want = fits ? next : was;
            QVERIFY(b.Game.Board == want.Board);
            QCOMPARE(placeOf(b.Game), placeOf(want));
            QCOMPARE(b.Landed, op == 0 && !fits);
            ++(fits ? made : refused);
        }
    }
    QCOMPARE(boardAccessFaults(), faults);
    QVERIFY(made > 10000 && refused > 10000);
}

void TestMoves::musicCommands_data() {
    QTest::addColumn<QString>("dataDir");
    QTest::addColumn<QString>("path");
    QTest::newRow("no space") << QString("/opt/vorelle") << QString("/opt/vorelle/Brikko32.mid");
    QTest::newRow("space") << QString("/home/élève/Mes jeux")
                           << "\"/home/élève/Mes jeux/Brikko32.mid\"";
    QTest::newRow("tab") << QString("/opt/a\tb") << QString("\"/opt/a\tb/Brikko32.mid\"");
    QTest::newRow("no-break space")
        << QString("/opt/Mes\u00a0jeux") << QString("\"/opt/Mes\u00a0jeux/Brikko32.mid\"");
}

void TestMoves::musicCommands() {
    QFETCH(QString, dataDir);
    QFETCH(QString, path);
    BrikkoFixture f(dataDir);
    f.brikko.MusicOpen();
    f.brikko.MusicPlay();
    f.brikko.MusicClose();
    QCOMPARE(f.media.commands, (QStringList{"open " + path, "play " + path, "close " + path}));
}

QTEST_GUILESS_MAIN(TestMoves)
#include "test_moves.moc"
