// The piece operations and the game's sounds. Each move is whole or refused,
// changes only the cells the piece leaves and enters, and never touches a
// cell off the board.

#include "brikko_fixture.h"

#include <QtTest>

#include <random>

static void (Brikko::*const operations[])() = {&Brikko::MoveDown, &Brikko::MoveLeft,
                                               &Brikko::MoveRight, &Brikko::RotatePiece};

class TestMoves : public QObject {
    Q_OBJECT
private slots:
    void rotationTable_data();
    void rotationTable();
    void scripts_data();
    void scripts();
    void randomSequencesKeepTheBoardWhole();
    void musicCommands_data();
    void musicCommands();
};

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
        BoardCells board;
        board.cells.fill(blocked < 0 ? PieceKindO : 0);
        GamePosition p = positionWith(board, kind, from, 5, 9);
        for (int i = 0; i < toFill.size(); ++i)
            p.Board(5 + toFill[i].first, 9 + toFill[i].second) = i == blocked ? PieceKindO : 0;
        b.loadPosition(p);
        BoardCells expected = p.Board;
        for (const auto& [dx, dy] : blocked < 0 ? toFill : Cells{})
            expected(5 + dx, 9 + dy) = qint16(kind);
        for (const auto& [dx, dy] : blocked < 0 ? parseCells(emptied) : Cells{})
            expected(5 + dx, 9 + dy) = 0;
        b.RotatePiece();
        QCOMPARE(b.game().Orientation, qint16(blocked < 0 ? to : from));
        QVERIFY(b.game().Board == expected);
    }
}

// Scripts beside one settled cell, sounds on: D down, L left, R right, U turn,
// X a fast drop begins, Q sounds off. The piece ends as listed, the board holds that cell and the
// piece, the sounds ("3": Sound3.wav) reach the player in order, no cell off the board is touched.
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
    row("lying I lands at 18", {1, 5, 16, 1}, "DDD", {5, 18, 1, 1}, "332");
    row("fast drop: silent, then landing", {1, 5, 16, 1}, "XDDD", {5, 18, 1, 1}, "2");
    row("sounds off", {1, 5, 16, 1}, "QDDD", {5, 18, 1, 1});
    row("after a reset (Piece 0)", {0, 5, 9, 0}, "DLRU", {5, 9, 0, 0}, "3");
    row("I in orientation 3", {1, 5, 9, 3}, "DLRU", {5, 9, 3, 0}, "3");
}

void TestMoves::scripts() {
    QFETCH(QList<int>, start);
    QFETCH(QString, script);
    QFETCH(QList<int>, end);
    QFETCH(QString, sounds);
    BrikkoFixture f;
    Brikko& b = f.brikko;
    b.setSoundOn(true);
    BoardCells settled;
    settled(1, 18) = 3;
    b.loadPosition(positionWith(settled, start[0], start[3], start[1], start[2]));
    const qint64 faults = boardAccessFaults();
    for (const QChar op : script) {
        if (op == 'X')
            b.startDrop();
        else if (op == 'Q')
            b.setSoundOn(false);
        else
            (b.*operations[QStringLiteral("DLRU").indexOf(op)])();
    }
    QCOMPARE(placeOf(b.game()) << b.landed(), end);
    QVERIFY(b.game().Board == positionWith(settled, start[0], end[2], end[0], end[1]).Board);
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
        BoardCells board;
        for (qint16& cell : board.cells)
            cell = uniform(0, 99) < density ? qint16(uniform(1, 7)) : qint16(0);
        const int kind = uniform(1, 7);
        const int turn = kind == PieceKindO ? uniform(-1, 5) : uniform(1, orientationCount(kind));
        const ShapeLimits lim = shapeOf(qint16(kind), qint16(turn))->limits;
        b.loadPosition(positionWith(board, kind, turn, uniform(lim.minX, lim.maxX),
                                    uniform(lim.minY, lim.maxY)));
        for (int step = 0; step < 30 && !b.landed(); ++step) {
            const int op = uniform(0, 3);
            const GameState was = b.game();
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
            QVERIFY(b.game().Board == want.Board);
            QCOMPARE(placeOf(b.game()), placeOf(want));
            QCOMPARE(b.landed(), op == 0 && !fits);
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

// A game with sounds on, ended in its first yield: the music's three commands.
void TestMoves::musicCommands() {
    QFETCH(QString, dataDir);
    QFETCH(QString, path);
    BrikkoFixture f(dataDir);
    f.brikko.setSoundOn(true);
    f.events.at(0.0, [&] { f.brikko.endGame(); });
    f.brikko.NewGame();
    QCOMPARE(f.media.commands, (QStringList{"open " + path, "play " + path, "close " + path}));
}

QTEST_GUILESS_MAIN(TestMoves)
#include "test_moves.moc"
