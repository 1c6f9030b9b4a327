// The piece operations: MoveDown, MoveLeft, MoveRight and RotatePiece on the
// live record. Each move is whole or refused; only the cells the piece leaves
// and enters change; no cell off the board is ever touched.

#include "brikko_fixture.h"

#include <QtTest>

#include <random>

namespace {

QList<QPair<int, int>> changedCells(const BoardCells& a, const BoardCells& b) {
    QList<QPair<int, int>> out;
    for (int r = 1; r <= BoardRows; ++r)
        for (int c = 1; c <= BoardColumns; ++c)
            if (a(c, r) != b(c, r))
                out.append({c, r});
    return out;
}

bool pieceHoldsItsCells(const Brikko& b) {
    PieceCells cells{};
    if (!b.pieceCells(cells))
        return false;
    for (const BoardCell c : cells)
        if (b.Game.Board(c.column, c.row) != b.Game.Piece)
            return false;
    return true;
}

} // namespace

class TestMoves : public QObject {
    Q_OBJECT
private slots:
    void rotationTable_data();
    void rotationTable();
    void rotationReturnsHome_data();
    void rotationReturnsHome();
    void oNeverRotates();
    void landsByTheFloor_data();
    void landsByTheFloor();
    void landsOnTheStack();
    void horizontalINeedsRoomToTurn();
    void verticalIAtTheWallsCannotTurnBack_data();
    void verticalIAtTheWallsCannotTurnBack();
    void refusedMoveStillCopiesAndRedraws();
    void pieceOutsideTheTableMovesNothing_data();
    void pieceOutsideTheTableMovesNothing();
    void moveDownSounds_data();
    void moveDownSounds();
    void keyMovesPlayNoSound();
    void randomSequencesKeepTheBoardWhole();
};

// Every step of the rotation table: the cells tested and filled, the cells
// emptied, and the reference positions at which the step fits.
void TestMoves::rotationTable_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("filled");
    QTest::addColumn<QString>("emptied");
    QTest::addColumn<QString>("xRange");
    QTest::addColumn<QString>("yRange");
    struct Row {
        int kind, from, to;
        const char *filled, *emptied, *x, *y;
    };
    const Row rows[] = {
        {1, 1, 2, "(0, -1) (0, 1) (0, 2)", "(-1, 0) (1, 0) (2, 0)", "1..10", "2..16"},
        {1, 2, 1, "(-1, 0) (1, 0) (2, 0)", "(0, -1) (0, 1) (0, 2)", "2..8", "1..18"},
        {2, 1, 2, "(0, -1) (1, -1) (0, 1)", "(-1, -1) (-1, 0) (1, 0)", "1..9", "2..17"},
        {2, 2, 3, "(-1, 0) (1, 0) (1, 1)", "(0, -1) (1, -1) (0, 1)", "2..9", "1..17"},
        {2, 3, 4, "(0, -1) (-1, 1) (0, 1)", "(-1, 0) (1, 0) (1, 1)", "2..10", "2..17"},
        {2, 4, 1, "(-1, -1) (-1, 0) (1, 0)", "(0, -1) (-1, 1) (0, 1)", "2..9", "2..18"},
        {3, 1, 2, "(0, -1) (0, 1) (1, 1)", "(1, -1) (-1, 0) (1, 0)", "1..9", "2..17"},
        {3, 2, 3, "(-1, 0) (1, 0) (-1, 1)", "(0, -1) (0, 1) (1, 1)", "2..9", "1..17"},
        {3, 3, 4, "(-1, -1) (0, -1) (0, 1)", "(-1, 0) (1, 0) (-1, 1)", "2..10", "2..17"},
        {3, 4, 1, "(1, -1) (-1, 0) (1, 0)", "(-1, -1) (0, -1) (0, 1)", "2..9", "2..18"},
        {4, 1, 2, "(1, -1) (0, 1)", "(-1, -1) (0, -1)", "1..9", "2..17"},
        {4, 2, 1, "(-1, -1) (0, -1)", "(1, -1) (0, 1)", "2..9", "2..18"},
        {5, 1, 2, "(1, 0) (1, 1)", "(1, -1) (-1, 0)", "1..9", "2..17"},
        {5, 2, 1, "(1, -1) (-1, 0)", "(1, 0) (1, 1)", "2..9", "2..18"},
        {6, 1, 2, "(0, 1)", "(-1, 0)", "1..9", "2..17"},
        {6, 2, 3, "(-1, 0)", "(0, -1)", "2..9", "1..17"},
        {6, 3, 4, "(0, -1)", "(1, 0)", "2..10", "2..17"},
        {6, 4, 1, "(1, 0)", "(0, 1)", "2..9", "2..18"},
    };
    for (const Row& r : rows)
        QTest::addRow("%c %d->%d", pieceLabel(qint16(r.kind)), r.from, r.to)
            << r.kind << r.from << r.to << r.filled << r.emptied << r.x << r.y;
}

void TestMoves::rotationTable() {
    QFETCH(int, kind);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, filled);
    QFETCH(QString, emptied);
    QFETCH(QString, xRange);
    QFETCH(QString, yRange);
    const qint16 piece = qint16(kind);
    const qint16 other = qint16(kind % 7 + 1);
    const qint16 x = 5, y = 9;
    const auto toFill = parseOffsets(filled);
    const auto toEmpty = parseOffsets(emptied);

    // Every cell around is taken except the ones the step fills: it turns,
    // so no other cell is tested; it fills and empties exactly the listed cells.
    {
        BrikkoFixture f;
        Brikko& b = f.brikko;
        b.Game.Board.cells.fill(other);
        placePiece(b, piece, qint16(from), x, y);
        for (const auto& [dx, dy] : toFill)
            b.Game.Board(x + dx, y + dy) = 0;
        const GameState before = b.Game;
        b.RotatePiece();
        QCOMPARE(b.Game.Orientation, qint16(to));
        QCOMPARE(b.Game.PieceX, x);
        QCOMPARE(b.Game.PieceY, y);
        QList<QPair<int, int>> expected;
        for (const auto& [dx, dy] : toFill + toEmpty)
            expected.append({x + dx, y + dy});
        QCOMPARE(sorted(changedCells(before.Board, b.Game.Board)), sorted(expected));
        for (const auto& [dx, dy] : toFill)
            QCOMPARE(b.Game.Board(x + dx, y + dy), piece);
        for (const auto& [dx, dy] : toEmpty)
            QCOMPARE(b.Game.Board(x + dx, y + dy), qint16(0));
        QVERIFY(pieceHoldsItsCells(b));
    }

    // Any one listed cell taken refuses the step, and nothing changes.
    for (const auto& [dx, dy] : toFill) {
        BrikkoFixture f;
        Brikko& b = f.brikko;
        placePiece(b, piece, qint16(from), x, y);
        b.Game.Board(x + dx, y + dy) = other;
        const BoardCells before = b.Game.Board;
        b.RotatePiece();
        QCOMPARE(b.Game.Orientation, qint16(from));
        QVERIFY(b.Game.Board == before);
    }

    // On an empty board the step fits exactly at the listed reference positions.
    const auto [minX, maxX] = parseRange(xRange);
    const auto [minY, maxY] = parseRange(yRange);
    const ShapeLimits current = shapeOf(piece, qint16(from))->limits;
    for (int px = current.minX; px <= current.maxX; ++px)
        for (int py = current.minY; py <= current.maxY; ++py) {
            BrikkoFixture f;
            Brikko& b = f.brikko;
            placePiece(b, piece, qint16(from), qint16(px), qint16(py));
            const qint64 faults = boardAccessFaults();
            b.RotatePiece();
            const bool fits = px >= minX && px <= maxX && py >= minY && py <= maxY;
            QVERIFY2(b.Game.Orientation == (fits ? to : from),
                     qPrintable(QStringLiteral("at (%1, %2)").arg(px).arg(py)));
            QVERIFY(pieceHoldsItsCells(b));
            QCOMPARE(boardAccessFaults(), faults);
        }
}

void TestMoves::rotationReturnsHome_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("turns");
    QTest::newRow("I") << 1 << 2;
    QTest::newRow("J") << 2 << 4;
    QTest::newRow("L") << 3 << 4;
    QTest::newRow("Z") << 4 << 2;
    QTest::newRow("S") << 5 << 2;
    QTest::newRow("T") << 6 << 4;
}

void TestMoves::rotationReturnsHome() {
    QFETCH(int, kind);
    QFETCH(int, turns);
    BrikkoFixture f;
    Brikko& b = f.brikko;
    b.Game.Board(1, 18) = 3; // a settled cell that must stay
    placePiece(b, qint16(kind), 1, 5, 9);
    const GameState start = b.Game;
    for (int i = 1; i <= turns; ++i) {
        b.RotatePiece();
        QVERIFY(pieceHoldsItsCells(b));
        if (i < turns)
            QVERIFY(!(b.Game.Board == start.Board)); // every turn moved something
    }
    QVERIFY(b.Game.Board == start.Board);
    QCOMPARE(b.Game.Orientation, qint16(1));
    QCOMPARE(b.Game.PieceX, start.PieceX);
    QCOMPARE(b.Game.PieceY, start.PieceY);
}

void TestMoves::oNeverRotates() {
    BrikkoFixture f;
    Brikko& b = f.brikko;
    for (int orientation : {1, 3, 0}) {
        b.Game.Board.clear();
        placePiece(b, PieceKindO, qint16(orientation), 5, 9);
        b.PrevGame = GameState{};
        const GameState before = b.Game;
        b.RotatePiece();
        QCOMPARE(b.Game.Orientation, qint16(orientation));
        QVERIFY(b.Game.Board == before.Board);
        QVERIFY(b.PrevGame.Board == before.Board); // refreshed
    }
}

// Falling through an empty board from its top position, a piece lands by the
// floor at the upper bound of its PieceY range, never blocking on its own cells.
void TestMoves::landsByTheFloor_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("floor");
    QTest::newRow("I1") << 1 << 1 << 1 << 18;
    QTest::newRow("I2") << 1 << 2 << 2 << 16;
    for (int kind : {2, 3, 6})
        for (int o = 1; o <= 4; ++o)
            QTest::addRow("%c%d", pieceLabel(qint16(kind)), o)
                << kind << o << (o == 3 ? 1 : 2) << (o == 1 ? 18 : 17);
    for (int kind : {4, 5})
        for (int o = 1; o <= 2; ++o)
            QTest::addRow("%c%d", pieceLabel(qint16(kind)), o)
                << kind << o << 2 << (o == 1 ? 18 : 17);
    QTest::newRow("O") << 7 << 1 << 2 << 18;
}

void TestMoves::landsByTheFloor() {
    QFETCH(int, kind);
    QFETCH(int, orientation);
    QFETCH(int, top);
    QFETCH(int, floor);
    BrikkoFixture f;
    Brikko& b = f.brikko;
    placePiece(b, qint16(kind), qint16(orientation), 5, qint16(top));
    for (int y = top; y < floor; ++y) {
        const BoardCells before = b.Game.Board;
        b.MoveDown();
        QVERIFY(!b.Landed);
        QCOMPARE(b.Game.PieceY, qint16(y + 1));
        QVERIFY(pieceHoldsItsCells(b));
        // Moving down one row changes only the cells left above and entered below.
        QVERIFY(changedCells(before, b.Game.Board).size() <= 8);
    }
    const BoardCells resting = b.Game.Board;
    b.MoveDown();
    QVERIFY(b.Landed);
    QCOMPARE(b.Game.PieceY, qint16(floor));
    QVERIFY(b.Game.Board == resting);
    b.MoveDown(); // once landed it stays landed, and stays put
    QVERIFY(b.Landed);
    QCOMPARE(b.Game.PieceY, qint16(floor));
}

void TestMoves::landsOnTheStack() {
    BrikkoFixture f;
    Brikko& b = f.brikko;
    // A T pointing down over a gap: only the cell under its point holds it.
    b.Game.Board(5, 12) = 3;
    placePiece(b, 6, 3, 5, 9); // cells (4,9) (5,9) (6,9) (5,10)
    b.MoveDown();
    QVERIFY(!b.Landed);
    QCOMPARE(b.Game.PieceY, qint16(10));
    const BoardCells resting = b.Game.Board;
    b.MoveDown();
    QVERIFY(b.Landed);
    QCOMPARE(b.Game.PieceY, qint16(10));
    QVERIFY(b.Game.Board == resting);
}

void TestMoves::horizontalINeedsRoomToTurn() {
    BrikkoFixture f;
    Brikko& b = f.brikko;
    placePiece(b, PieceKindI, 1, 5, 1); // just spawned
    const BoardCells spawned = b.Game.Board;
    b.RotatePiece();
    QCOMPARE(b.Game.Orientation, qint16(1));
    QVERIFY(b.Game.Board == spawned);
    b.MoveDown();
    QCOMPARE(b.Game.PieceY, qint16(2));
    b.RotatePiece();
    QCOMPARE(b.Game.Orientation, qint16(2));
    QVERIFY(pieceHoldsItsCells(b));
}

void TestMoves::verticalIAtTheWallsCannotTurnBack_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("turns");
    QTest::newRow("column 1") << 1 << false;
    QTest::newRow("column 2") << 2 << true;
    QTest::newRow("column 8") << 8 << true;
    QTest::newRow("column 9") << 9 << false;
    QTest::newRow("column 10") << 10 << false;
}

void TestMoves::verticalIAtTheWallsCannotTurnBack() {
    QFETCH(int, column);
    QFETCH(bool, turns);
    BrikkoFixture f;
    Brikko& b = f.brikko;
    placePiece(b, PieceKindI, 2, qint16(column), 8);
    const qint64 faults = boardAccessFaults();
    b.RotatePiece();
    QCOMPARE(b.Game.Orientation, qint16(turns ? 1 : 2));
    QVERIFY(pieceHoldsItsCells(b));
    QCOMPARE(boardAccessFaults(), faults);
}

// A refused sideways move or turn changes no cell, yet refreshes PrevGame
// and copies the buffer to the screen.
void TestMoves::refusedMoveStillCopiesAndRedraws() {
    BrikkoFixture f;
    Brikko& b = f.brikko;
    ImageBoardScreen screen;
    b.picBoard = &screen;
    b.TakeHandles();
    placePiece(b, 2, 2, 1, 9); // J against column 1
    b.Game.Board(2, 18) = 5;   // a settled cell
    b.PrevGame = GameState{};
    const GameState before = b.Game;
    b.MoveLeft();
    QVERIFY(b.Game.Board == before.Board);
    QCOMPARE(b.Game.PieceX, qint16(1));
    QVERIFY(b.PrevGame.Board == before.Board);
    QCOMPARE(screen.copies(), 1);
    b.PrevGame = GameState{};
    b.RotatePiece(); // 2 -> 3 would need column 0
    QCOMPARE(b.Game.Orientation, qint16(2));
    QVERIFY(b.Game.Board == before.Board);
    QVERIFY(b.PrevGame.Board == before.Board);
    QCOMPARE(screen.copies(), 2);
}

// After a new game has reset Piece to 0, or with an orientation the kind does
// not have, nothing is tested or moved, but the rest of each operation runs.
void TestMoves::pieceOutsideTheTableMovesNothing_data() {
    QTest::addColumn<int>("piece");
    QTest::addColumn<int>("orientation");
    QTest::newRow("reset record") << 0 << 0;
    QTest::newRow("kind 9") << 9 << 1;
    QTest::newRow("I orientation 3") << 1 << 3;
    QTest::newRow("T orientation 0") << 6 << 0;
}

void TestMoves::pieceOutsideTheTableMovesNothing() {
    QFETCH(int, piece);
    QFETCH(int, orientation);
    BrikkoFixture f;
    Brikko& b = f.brikko;
    ImageBoardScreen screen;
    b.picBoard = &screen;
    b.TakeHandles();
    b.SoundOn = true;
    b.Game.Board(5, 18) = 4;
    b.Game.Piece = qint16(piece);
    b.Game.Orientation = qint16(orientation);
    const GameState before = b.Game;
    const qint64 faults = boardAccessFaults();

    b.MoveDown();
    QVERIFY(!b.Landed);
    QCOMPARE(f.sounds.played,
             QStringList{QStringLiteral("/opt/vorelle/data/Sound3.wav")}); // the tick still plays
    QCOMPARE(screen.copies(), 0); // the loop draws, not MoveDown
    b.MoveLeft();
    b.MoveRight();
    b.RotatePiece();
    QCOMPARE(screen.copies(), 3);
    QVERIFY(b.Game.Board == before.Board);
    QVERIFY(b.PrevGame.Board == before.Board);
    QCOMPARE(b.Game.PieceX, before.PieceX);
    QCOMPARE(b.Game.PieceY, before.PieceY);
    QCOMPARE(b.Game.Orientation, before.Orientation);
    QCOMPARE(boardAccessFaults(), faults);
}

void TestMoves::moveDownSounds_data() {
    QTest::addColumn<bool>("soundOn");
    QTest::addColumn<bool>("dropping");
    QTest::addColumn<bool>("blocked");
    QTest::addColumn<bool>("landedBefore");
    QTest::addColumn<QString>("sound");
    QTest::newRow("gravity step ticks") << true << false << false << false << "Sound3.wav";
    QTest::newRow("fast drop falls silently") << true << true << false << false << "";
    QTest::newRow("landing sounds") << true << false << true << false << "Sound2.wav";
    QTest::newRow("landing during a drop sounds") << true << true << true << false << "Sound2.wav";
    QTest::newRow("already landed, moved anyway") << true << false << false << true << "Sound2.wav";
    QTest::newRow("sounds off: step") << false << false << false << false << "";
    QTest::newRow("sounds off: landing") << false << true << true << false << "";
}

void TestMoves::moveDownSounds() {
    QFETCH(bool, soundOn);
    QFETCH(bool, dropping);
    QFETCH(bool, blocked);
    QFETCH(bool, landedBefore);
    QFETCH(QString, sound);
    BrikkoFixture f;
    Brikko& b = f.brikko;
    b.SoundOn = soundOn;
    b.Dropping = dropping;
    b.Landed = landedBefore;
    placePiece(b, 7, 1, 5, 9);
    if (blocked)
        b.Game.Board(6, 10) = 1;
    b.MoveDown();
    QCOMPARE(b.Landed, blocked || landedBefore);
    QCOMPARE(b.Game.PieceY, qint16(blocked ? 9 : 10));
    const QStringList expected =
        sound.isEmpty() ? QStringList{} : QStringList{"/opt/vorelle/data/" + sound};
    QCOMPARE(f.sounds.played, expected);
}

void TestMoves::keyMovesPlayNoSound() {
    BrikkoFixture f;
    Brikko& b = f.brikko;
    b.SoundOn = true;
    placePiece(b, 6, 1, 5, 9);
    b.MoveLeft();
    b.MoveRight();
    b.RotatePiece();
    placePiece(b, 6, 1, 2, 2);
    b.MoveLeft(); // refused
    b.MoveLeft();
    QVERIFY(f.sounds.played.isEmpty());
}

// Many thousands of random sequences on random boards, each operation checked
// against the move rule stated cell by cell: the move is made when every
// target cell is on the board and every target cell not already the piece's
// is empty; then only the cells left and entered change, else none.
void TestMoves::randomSequencesKeepTheBoardWhole() {
    std::mt19937 rng(20260611);
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const qint64 faults = boardAccessFaults();
    int operations = 0, made = 0, refused = 0;

    for (int sequence = 0; sequence < 6000; ++sequence) {
        BrikkoFixture f;
        Brikko& b = f.brikko;
        const int density = uniform(0, 70);
        for (qint16& cell : b.Game.Board.cells)
            cell = uniform(0, 99) < density ? qint16(uniform(1, 7)) : qint16(0);
        const qint16 kind = qint16(uniform(1, 7));
        const qint16 orientation =
            qint16(kind == PieceKindO ? uniform(-1, 5) : uniform(1, orientationCount(kind)));
        const ShapeLimits lim = shapeOf(kind, orientation)->limits;
        placePiece(b, kind, orientation, qint16(uniform(lim.minX, lim.maxX)),
                   qint16(uniform(lim.minY, lim.maxY)));

        for (int step = 0; step < 40 && !b.Landed; ++step) {
            const int op = uniform(0, 3);
            const GameState before = b.Game;
            const BoardCells prevBefore = b.PrevGame.Board;
            PieceCells from{};
            QVERIFY(b.pieceCells(from));
            qint16 x = before.PieceX, y = before.PieceY, o = before.Orientation;
            switch (op) {
            case 0:
                ++y;
                break;
            case 1:
                --x;
                break;
            case 2:
                ++x;
                break;
            default:
                o = nextOrientation(kind, o);
                break;
            }
            const PieceCells to = cellsAt(*shapeOf(kind, o), x, y);
            bool fits = true;
            for (const BoardCell c : to) {
                const bool own = std::find(from.begin(), from.end(), c) != from.end();
                fits = fits && BoardCells::onBoard(c.column, c.row) &&
                       (own ||
                        before.Board.cells[std::size_t(BoardCells::index(c.column, c.row))] == 0);
            }
            switch (op) {
            case 0:
                b.MoveDown();
                break;
            case 1:
                b.MoveLeft();
                break;
            case 2:
                b.MoveRight();
                break;
            default:
                b.RotatePiece();
                break;
            }
            ++operations;
            // MoveDown leaves the copy to the loop; the others take it first.
            QVERIFY(b.PrevGame.Board == (op == 0 ? prevBefore : before.Board));
            if (op == 0)
                QCOMPARE(b.Landed, !fits);
            if (fits) {
                ++made;
                QCOMPARE(b.Game.PieceX, x);
                QCOMPARE(b.Game.PieceY, y);
                QCOMPARE(b.Game.Orientation, o);
                QVERIFY(pieceHoldsItsCells(b));
                for (const auto& [c, r] : changedCells(before.Board, b.Game.Board)) {
                    const BoardCell cell{qint16(c), qint16(r)};
                    const bool left = std::find(from.begin(), from.end(), cell) != from.end();
                    const bool entered = std::find(to.begin(), to.end(), cell) != to.end();
                    QVERIFY(left != entered);
                    QCOMPARE(b.Game.Board(c, r), qint16(entered ? kind : 0));
                }
            } else {
                ++refused;
                QVERIFY(b.Game.Board == before.Board);
                QCOMPARE(b.Game.PieceX, before.PieceX);
                QCOMPARE(b.Game.PieceY, before.PieceY);
                QCOMPARE(b.Game.Orientation, before.Orientation);
            }
        }
    }
    QCOMPARE(boardAccessFaults(), faults);
    QVERIFY(operations > 50000);
    QVERIFY(made > 10000 && refused > 10000);
}

QTEST_GUILESS_MAIN(TestMoves)
#include "test_moves.moc"
