// The shape table and the board's storage: every kind and orientation gives
// its cells, its picture and its reference limits; the rotation cycle; the
// spawn cells; the order in which the board stores its cells.

#include "brikko_fixture.h"

#include <QtTest>

class TestShapes : public QObject {
    Q_OBJECT
private slots:
    void shapeTable_data();
    void shapeTable();
    void oIgnoresOrientation();
    void pairsOutsideTheTable_data();
    void pairsOutsideTheTable();
    void rotationCycle_data();
    void rotationCycle();
    void turnIsClockwiseQuarterTurn_data();
    void turnIsClockwiseQuarterTurn();
    void spawnCells_data();
    void spawnCells();
    void storageOrder_data();
    void storageOrder();
    void offBoardAccessIsContained();
};

void TestShapes::shapeTable_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QString>("cells");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("xRange");
    QTest::addColumn<QString>("yRange");
    struct Row {
        int kind, orientation;
        const char *cells, *picture, *x, *y;
    };
    const Row rows[] = {
        {1, 1, "(-1, 0) (0, 0) (1, 0) (2, 0)", "#+##", "2..8", "1..18"},
        {1, 2, "(0, -1) (0, 0) (0, 1) (0, 2)", "# / + / # / #", "1..10", "2..16"},
        {2, 1, "(-1, -1) (-1, 0) (0, 0) (1, 0)", "#.. / #+#", "2..9", "2..18"},
        {2, 2, "(0, -1) (1, -1) (0, 0) (0, 1)", "## / +. / #.", "1..9", "2..17"},
        {2, 3, "(-1, 0) (0, 0) (1, 0) (1, 1)", "#+# / ..#", "2..9", "1..17"},
        {2, 4, "(0, -1) (0, 0) (-1, 1) (0, 1)", ".# / .+ / ##", "2..10", "2..17"},
        {3, 1, "(1, -1) (-1, 0) (0, 0) (1, 0)", "..# / #+#", "2..9", "2..18"},
        {3, 2, "(0, -1) (0, 0) (0, 1) (1, 1)", "#. / +. / ##", "1..9", "2..17"},
        {3, 3, "(-1, 0) (0, 0) (1, 0) (-1, 1)", "#+# / #..", "2..9", "1..17"},
        {3, 4, "(-1, -1) (0, -1) (0, 0) (0, 1)", "## / .+ / .#", "2..10", "2..17"},
        {4, 1, "(-1, -1) (0, -1) (0, 0) (1, 0)", "##. / .+#", "2..9", "2..18"},
        {4, 2, "(1, -1) (0, 0) (1, 0) (0, 1)", ".# / +# / #.", "1..9", "2..17"},
        {5, 1, "(0, -1) (1, -1) (-1, 0) (0, 0)", ".## / #+.", "2..9", "2..18"},
        {5, 2, "(0, -1) (0, 0) (1, 0) (1, 1)", "#. / +# / .#", "1..9", "2..17"},
        {6, 1, "(0, -1) (-1, 0) (0, 0) (1, 0)", ".#. / #+#", "2..9", "2..18"},
        {6, 2, "(0, -1) (0, 0) (1, 0) (0, 1)", "#. / +# / #.", "1..9", "2..17"},
        {6, 3, "(-1, 0) (0, 0) (1, 0) (0, 1)", "#+# / .#.", "2..9", "1..17"},
        {6, 4, "(0, -1) (-1, 0) (0, 0) (0, 1)", ".# / #+ / .#", "2..10", "2..17"},
        {7, 1, "(0, -1) (1, -1) (0, 0) (1, 0)", "## / +#", "1..9", "2..18"},
    };
    for (const Row& r : rows)
        QTest::addRow("%c%d", pieceLabel(qint16(r.kind)), r.orientation)
            << r.kind << r.orientation << r.cells << r.picture << r.x << r.y;
}

void TestShapes::shapeTable() {
    QFETCH(int, kind);
    QFETCH(int, orientation);
    QFETCH(QString, cells);
    QFETCH(QString, picture);
    QFETCH(QString, xRange);
    QFETCH(QString, yRange);

    const PieceShape* shape = shapeOf(qint16(kind), qint16(orientation));
    QVERIFY(shape);
    const auto expected = sorted(parseOffsets(cells));
    QCOMPARE(expected.size(), 4);
    QCOMPARE(sorted(offsetsOf(*shape)), expected);

    // The picture: rows top to bottom, '+' the reference cell, '#' the others.
    QList<QPair<int, int>> drawn;
    QPoint reference(-100, -100);
    const QStringList lines = picture.split(QStringLiteral(" / "));
    for (int y = 0; y < lines.size(); ++y)
        for (int x = 0; x < lines[y].size(); ++x) {
            if (lines[y][x] == QLatin1Char('+'))
                reference = QPoint(x, y);
            if (lines[y][x] != QLatin1Char('.'))
                drawn.append({x, y});
        }
    for (auto& cell : drawn)
        cell = {cell.first - reference.x(), cell.second - reference.y()};
    QCOMPARE(sorted(drawn), expected);

    const auto [minX, maxX] = parseRange(xRange);
    const auto [minY, maxY] = parseRange(yRange);
    QCOMPARE(shape->limits, (ShapeLimits{qint16(minX), qint16(maxX), qint16(minY), qint16(maxY)}));

    // The limits are exactly the positions at which all four cells are on the board.
    for (int x = -2; x <= 13; ++x)
        for (int y = -2; y <= 21; ++y) {
            bool onBoard = true;
            for (const BoardCell c : cellsAt(*shape, qint16(x), qint16(y)))
                onBoard = onBoard && BoardCells::onBoard(c.column, c.row);
            QCOMPARE(shape->limits.contains(x, y), onBoard);
        }
}

void TestShapes::oIgnoresOrientation() {
    const PieceShape* first = shapeOf(PieceKindO, 1);
    QVERIFY(first);
    QCOMPARE(orientationCount(PieceKindO), 1);
    for (int orientation : {-32768, -1, 0, 2, 3, 4, 5, 32767}) {
        const PieceShape* shape = shapeOf(PieceKindO, qint16(orientation));
        QVERIFY(shape);
        QCOMPARE(offsetsOf(*shape), offsetsOf(*first));
        QCOMPARE(nextOrientation(PieceKindO, qint16(orientation)), qint16(orientation));
    }
}

void TestShapes::pairsOutsideTheTable_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("orientation");
    QTest::newRow("no piece yet") << 0 << 0;
    QTest::newRow("kind 0, orientation 1") << 0 << 1;
    QTest::newRow("kind 8") << 8 << 1;
    QTest::newRow("negative kind") << -1 << 1;
    QTest::newRow("I orientation 0") << 1 << 0;
    QTest::newRow("I orientation 3") << 1 << 3;
    QTest::newRow("Z orientation 3") << 4 << 3;
    QTest::newRow("S orientation -1") << 5 << -1;
    QTest::newRow("J orientation 5") << 2 << 5;
    QTest::newRow("L orientation 0") << 3 << 0;
    QTest::newRow("T orientation 5") << 6 << 5;
}

void TestShapes::pairsOutsideTheTable() {
    QFETCH(int, kind);
    QFETCH(int, orientation);
    QVERIFY(!shapeOf(qint16(kind), qint16(orientation)));
    QCOMPARE(nextOrientation(qint16(kind), qint16(orientation)), qint16(orientation));
}

void TestShapes::rotationCycle_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("cycle");
    QTest::newRow("I") << 1 << QList<int>{1, 2, 1};
    QTest::newRow("J") << 2 << QList<int>{1, 2, 3, 4, 1};
    QTest::newRow("L") << 3 << QList<int>{1, 2, 3, 4, 1};
    QTest::newRow("Z") << 4 << QList<int>{1, 2, 1};
    QTest::newRow("S") << 5 << QList<int>{1, 2, 1};
    QTest::newRow("T") << 6 << QList<int>{1, 2, 3, 4, 1};
    QTest::newRow("O") << 7 << QList<int>{1, 1};
}

void TestShapes::rotationCycle() {
    QFETCH(int, kind);
    QFETCH(QList<int>, cycle);
    QCOMPARE(orientationCount(qint16(kind)), cycle.size() - 1);
    for (int i = 0; i + 1 < cycle.size(); ++i)
        QCOMPARE(nextOrientation(qint16(kind), qint16(cycle[i])), qint16(cycle[i + 1]));
}

// J, L and T turn clockwise on the screen at every step; I, Z and S turn
// clockwise from 1 to 2 and back from 2 to 1. (dx, dy) becomes (-dy, dx).
void TestShapes::turnIsClockwiseQuarterTurn_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("from");
    for (int kind = 1; kind <= 6; ++kind)
        for (int from = 1; from <= orientationCount(qint16(kind)); ++from)
            if (orientationCount(qint16(kind)) == 4 || from == 1)
                QTest::addRow("%c%d", pieceLabel(qint16(kind)), from) << kind << from;
}

void TestShapes::turnIsClockwiseQuarterTurn() {
    QFETCH(int, kind);
    QFETCH(int, from);
    const PieceShape* a = shapeOf(qint16(kind), qint16(from));
    const PieceShape* b = shapeOf(qint16(kind), nextOrientation(qint16(kind), qint16(from)));
    QVERIFY(a && b);
    QList<QPair<int, int>> turned;
    for (const ShapeOffset o : a->cells)
        turned.append({-o.dy, o.dx});
    QCOMPARE(sorted(turned), sorted(offsetsOf(*b)));
}

void TestShapes::spawnCells_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("cells"); // (column, row)
    QTest::newRow("I") << 1 << 1 << "(4, 1) (5, 1) (6, 1) (7, 1)";
    QTest::newRow("J") << 2 << 2 << "(4, 1) (4, 2) (5, 2) (6, 2)";
    QTest::newRow("L") << 3 << 2 << "(6, 1) (4, 2) (5, 2) (6, 2)";
    QTest::newRow("Z") << 4 << 2 << "(4, 1) (5, 1) (5, 2) (6, 2)";
    QTest::newRow("S") << 5 << 2 << "(5, 1) (6, 1) (4, 2) (5, 2)";
    QTest::newRow("T") << 6 << 2 << "(5, 1) (4, 2) (5, 2) (6, 2)";
    QTest::newRow("O") << 7 << 2 << "(5, 1) (6, 1) (5, 2) (6, 2)";
}

void TestShapes::spawnCells() {
    QFETCH(int, kind);
    QFETCH(int, row);
    QFETCH(QString, cells);
    QCOMPARE(spawnRow(qint16(kind)), qint16(row));
    const auto spawned = ::spawnCells(qint16(kind));
    QVERIFY(spawned.has_value());
    QList<QPair<int, int>> got;
    for (const BoardCell c : *spawned) {
        got.append({c.column, c.row});
        QVERIFY(c.column >= 4 && c.column <= 7);
        QVERIFY(c.row >= 1 && c.row <= 2);
    }
    QCOMPARE(sorted(got), sorted(parseOffsets(cells)));
    // The spawn is the first orientation at column 5.
    QVERIFY(shapeOf(qint16(kind), SpawnOrientation)->limits.contains(SpawnColumn, row));
    QVERIFY(!::spawnCells(0).has_value());
    QVERIFY(!::spawnCells(8).has_value());
}

void TestShapes::storageOrder_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("element");
    QTest::newRow("top left") << 1 << 1 << 0;
    QTest::newRow("top right") << 10 << 1 << 9;
    QTest::newRow("second row") << 1 << 2 << 10;
    QTest::newRow("middle") << 5 << 9 << 84;
    QTest::newRow("bottom right") << 10 << 18 << 179;
}

void TestShapes::storageOrder() {
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(int, element);
    static_assert(sizeof(BoardCells) == 180 * sizeof(qint16));
    BoardCells board;
    board(column, row) = 7;
    for (int i = 0; i < BoardCellCount; ++i)
        QCOMPARE(board.cells[std::size_t(i)], qint16(i == element ? 7 : 0));
    board.cells[std::size_t(element)] = 3;
    QCOMPARE(board(column, row), qint16(3));
}

// The board's checked access: a position off the board is counted, reads as
// 0 and writes nowhere.
void TestShapes::offBoardAccessIsContained() {
    BoardCells board;
    board.cells.fill(5);
    const BoardCells before = board;
    const qint64 faults = boardAccessFaults();
    board(0, 2) = 1;  // would be element 9 without the check
    board(11, 1) = 1; // element 10
    board(1, 19) = 1; // element 180, past the end
    QCOMPARE(std::as_const(board)(1, 0), qint16(0));
    QCOMPARE(board(0, 0), qint16(0));
    QCOMPARE(boardAccessFaults() - faults, qint64(5));
    QVERIFY(board == before);
}

QTEST_GUILESS_MAIN(TestShapes)
#include "test_shapes.moc"
