// SPDX-License-Identifier: GPL-3.0-or-later
// The board: the piece operations (each move whole or refused, changing only
// the cells the piece leaves and enters, never a cell off the board) and its
// drawing at a device pixel ratio of 2.

#include "game_fixture.h"

#include <QFileInfo>
#include <QtTest>

namespace {

void (*const operations[])(Brikko&) = {BrikkoTestAccess::moveDown, [](Brikko& b) { b.moveLeft(); },
                                       [](Brikko& b) { b.moveRight(); },
                                       [](Brikko& b) { b.rotatePiece(); }};

// The board with a piece of `kind` written in as the shape table has it.
GamePosition positionWith(BoardCells board, int kind, int orientation, int x, int y) {
    if (const PieceShape* shape = shapeOf(qint16(kind), qint16(orientation)))
        for (const BoardCell c : cellsAt(*shape, qint16(x), qint16(y)))
            board(c.column, c.row) = qint16(kind);
    return {board, qint16(kind), qint16(x), qint16(y), qint16(orientation)};
}

// Writes `value` into the cells of a shape ("-1,0 0,0 ...") around (5, 9).
void place(BoardCells& board, const QString& shape, int value) {
    for (const QString& cell : shape.split(u' '))
        board(5 + cell.section(u',', 0, 0).toInt(), 9 + cell.section(u',', 1).toInt()) =
            qint16(value);
}

} // namespace

class TestBoard : public QObject {
    Q_OBJECT
private slots:
    // Each kind's shapes in turn order, as offsets from the reference cell.
    void turns_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("shapes"); // orientation 1 first
        QTest::newRow("I") << 1 << QStringList{"-1,0 0,0 1,0 2,0", "0,-1 0,0 0,1 0,2"};
        QTest::newRow("J") << 2
                           << QStringList{"-1,-1 -1,0 0,0 1,0", "0,-1 1,-1 0,0 0,1",
                                          "-1,0 0,0 1,0 1,1", "0,-1 0,0 -1,1 0,1"};
        QTest::newRow("L") << 3
                           << QStringList{"1,-1 -1,0 0,0 1,0", "0,-1 0,0 0,1 1,1",
                                          "-1,0 0,0 1,0 -1,1", "-1,-1 0,-1 0,0 0,1"};
        QTest::newRow("Z") << 4 << QStringList{"-1,-1 0,-1 0,0 1,0", "1,-1 0,0 1,0 0,1"};
        QTest::newRow("S") << 5 << QStringList{"0,-1 1,-1 -1,0 0,0", "0,-1 0,0 1,0 1,1"};
        QTest::newRow("T") << 6
                           << QStringList{"0,-1 -1,0 0,0 1,0", "0,-1 0,0 1,0 0,1",
                                          "-1,0 0,0 1,0 0,1", "0,-1 -1,0 0,0 0,1"};
        QTest::newRow("O") << 7 << QStringList{"0,-1 1,-1 0,0 1,0"};
    }
    // With every other cell taken each turn is made (it tests no other cell);
    // with the cells it enters taken it is refused.
    void turns() {
        QFETCH(int, kind);
        QFETCH(QStringList, shapes);
        GameFixture f;
        Brikko& b = f.brikko;
        for (int o = 1; o <= shapes.size(); ++o) {
            const QString &from = shapes[o - 1], &to = shapes[o % shapes.size()];
            BoardCells board, expected;
            board.cells.fill(PieceKindO);
            place(board, to, 0);
            place(board, from, kind);
            f.loadPosition({board, qint16(kind), 5, 9, qint16(o)});
            expected = board;
            place(expected, from, 0);
            place(expected, to, kind);
            b.rotatePiece();
            QCOMPARE(b.game().Orientation, qint16(o % shapes.size() + 1));
            QCOMPARE(b.game().Board, expected);
            board = BoardCells(); // the cells it enters taken
            place(board, to, PieceKindO);
            place(board, from, kind);
            f.loadPosition({board, qint16(kind), 5, 9, qint16(o)});
            b.rotatePiece();
            QCOMPARE(b.game().Board, board);
        }
    }
    // Scripts of an I, sounds on: D down, L left, R right, U turn. No cell off
    // the board is touched.
    void scripts_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QPoint>("end");
        QTest::addColumn<QStringList>("sounds");
        const auto row = [](const char* name, int orientation, QPoint start, const char* script,
                            QPoint end, QStringList sounds = {}) {
            QTest::newRow(name) << orientation << start << QString(script) << end << sounds;
        };
        row("standing I in column 1 cannot turn", 2, {1, 8}, "U", {1, 8});
        row("standing I in column 10 cannot turn", 2, {10, 8}, "U", {10, 8});
        row("standing I lands at 16", 2, {5, 14}, "DDD", {5, 16}, {"Sound3", "Sound3", "Sound2"});
        row("I in orientation 3", 3, {5, 9}, "DLRU", {5, 9}, {"Sound3"});
    }
    void scripts() {
        QFETCH(int, orientation);
        QFETCH(QPoint, start);
        QFETCH(QString, script);
        QFETCH(QPoint, end);
        GameFixture f;
        Brikko& b = f.brikko;
        f.options.setSoundOn(true);
        f.loadPosition(positionWith({}, 1, orientation, start.x(), start.y()));
        const qint64 faults = boardAccessFaults();
        for (const QChar op : script)
            operations[QStringLiteral("DLRU").indexOf(op)](b);
        QCOMPARE(QPoint(b.game().PieceX, b.game().PieceY), end);
        QCOMPARE(b.game().Board, positionWith({}, 1, orientation, end.x(), end.y()).Board);
        QCOMPARE(boardAccessFaults(), faults);
        QStringList played;
        for (const QString& path : f.sounds.played)
            played << QFileInfo(path).baseName();
        QTEST(played, "sounds");
    }
    // Ratio 2: the tiles have 32 pixels a side, drawn afresh (the outline one
    // screen pixel wide, not two as an enlarged 16-pixel tile would have it);
    // the buffer is drawn again from the board; the screen gets the block in
    // the buffer's own pixels; the preview is given again at the new scale.
    void drawsAtTheDevicePixelRatio() {
        GameFixture f;
        f.renderer.showPreview(PieceKindI);
        f.loadPosition({boardOf({"6"}, 18)});
        f.renderer.setDevicePixelRatio(2.0);
        GamePictures& pics = f.renderer.pictures();
        const QImage& tile = *pics.tileImage(6);
        QVERIFY(tile.pixel(1, 1) != tile.pixel(0, 0));
        const QImage& buffer = f.renderer.buffer();
        QCOMPARE(buffer.size(), QSize(328, 584));
        QCOMPARE(buffer.copy(2, 546, 32, 32), tile.copy());
        QCOMPARE(f.screen.image(), buffer.copy(2, 2, 320, 576));
        for (const QImage* image : {&tile, &buffer, &f.screen.image(), f.preview.picture()})
            QCOMPARE(image->devicePixelRatio(), 2.0);
        QCOMPARE(f.preview.picture(), pics.previewImage(PieceKindI));
        QCOMPARE(f.preview.picture()->size(), QSize(192, 128));
    }
};

QTEST_MAIN(TestBoard)
#include "test_board.moc"
