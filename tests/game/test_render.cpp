// The board's drawing: only the cells that changed are copied into the back
// buffer, then the whole block reaches the screen.

#include "brikko_fixture.h"

#include <QPainter>
#include <QtTest>

class TestRender : public QObject {
    Q_OBJECT
private slots:
    void drawsOnlyChangedCells_data();
    void drawsOnlyChangedCells();
    void refusedMoveCopiesOnlyTheBlock();
    void savesPictureSheet();
};

// A settled row 17 is drawn, then the listed cells change: exactly their
// tiles are copied, each to its cell (the first one checked at its pixels in
// the buffer and on the screen), and the screen shows the 160 x 288 block.
void TestRender::drawsOnlyChangedCells_data() {
    QTest::addColumn<QString>("changes"); // (column, row)
    QTest::addColumn<QPoint>("inBuffer");
    QTest::addColumn<QPoint>("onScreen");
    QTest::newRow("(1, 1)") << "(1, 1)" << QPoint(1, 1) << QPoint(0, 0);
    QTest::newRow("(10, 18)") << "(10, 18)" << QPoint(145, 273) << QPoint(144, 272);
    QTest::newRow("a piece") << "(4, 1) (5, 1) (6, 1) (7, 1)" << QPoint(49, 1) << QPoint(48, 0);
    QTest::newRow("settled cells emptied")
        << "(1, 17) (10, 17)" << QPoint(1, 257) << QPoint(0, 256);
}

void TestRender::drawsOnlyChangedCells() {
    QFETCH(QString, changes);
    QFETCH(QPoint, inBuffer);
    QFETCH(QPoint, onScreen);
    const auto tileAt = [](const QImage& image, QPoint at) {
        return image.copy(QRect(at, QSize(16, 16)));
    };
    BrikkoFixture f;
    Brikko& b = f.withScreen();
    for (int c = 1; c <= BoardColumns; ++c)
        b.Game.Board(c, 17) = qint16(c % 7 + 1);
    b.DrawBoard();
    b.PrevGame = b.Game;
    const qint64 tiles = b.tileCopies();
    const Cells cells = parseCells(changes);
    for (const auto& [c, r] : cells)
        b.Game.Board(c, r) = b.Game.Board(c, r) ? 0 : qint16((c + r) % 7 + 1);
    b.DrawBoard();
    QCOMPARE(b.tileCopies() - tiles, qint64(cells.size()));
    for (const auto& [c, r] : cells)
        QCOMPARE(tileAt(b.picBoard2, bufferCellOrigin(c, r)),
                 *b.frmPics.Kubolt(b.Game.Board(c, r)));
    const QImage& first = *b.frmPics.Kubolt(b.Game.Board(cells[0].first, cells[0].second));
    QCOMPARE(tileAt(b.picBoard2, inBuffer), first);
    QCOMPARE(tileAt(f.screen.image(), onScreen), first);
    QCOMPARE(f.screen.image(), b.picBoard2.copy(BufferBlock));
}

void TestRender::refusedMoveCopiesOnlyTheBlock() {
    BrikkoFixture f;
    Brikko& b = f.withScreen();
    placePiece(b, 6, 4, 10, 5); // T against the right wall, with no room to turn
    b.DrawBoard();
    const qint64 tiles = b.tileCopies();
    b.MoveRight();
    b.RotatePiece();
    QCOMPARE(QList<int>({b.Game.PieceX, b.Game.Orientation}), QList<int>({10, 4}));
    QCOMPARE(b.tileCopies(), tiles);
    QCOMPARE(f.screen.copies(), 3);
}

// Not a check of taste: the seven previews, and the seven tiles four times
// larger, in brikko_pictures.png beside the test, for people to look at.
void TestRender::savesPictureSheet() {
    FrmPics pics;
    QImage sheet(7 * 108 + 12, 64 + 64 + 36, QImage::Format_RGB32);
    sheet.fill(QColor(0xee, 0xee, 0xf2));
    QPainter p(&sheet);
    for (int k = 1; k <= PieceKindCount; ++k) {
        p.drawImage(QPoint(12 + (k - 1) * 108, 12), *pics.Next(k));
        p.drawImage(QRect(28 + (k - 1) * 108, 88, 64, 64), *pics.Kubolt(k));
    }
    p.end();
    QVERIFY(sheet.save(QCoreApplication::applicationDirPath() + "/brikko_pictures.png"));
}

QTEST_MAIN(TestRender)
#include "test_render.moc"
