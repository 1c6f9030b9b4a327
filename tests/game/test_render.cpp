// The board's drawing: only the cells that changed are copied into the back
// buffer, then the whole block reaches the screen; at a device pixel ratio of
// 2 every picture is drawn at the screen's own resolution.

#include "brikko_fixture.h"

#include <QtTest>

namespace {

QImage tileAt(const QImage& image, QPoint at, qreal ratio = 1.0) {
    const int n = qRound(TileSize * ratio);
    QImage tile = image.copy(QRect(at * ratio, QSize(n, n)));
    tile.setDevicePixelRatio(ratio);
    return tile;
}

} // namespace

class TestRender : public QObject {
    Q_OBJECT
private slots:
    void drawsOnlyChangedCells_data();
    void drawsOnlyChangedCells();
    void refusedMoveCopiesOnlyTheBlock();
    void drawsAtTheDevicePixelRatio();
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
    BrikkoFixture f;
    Brikko& b = f.withScreen();
    GamePosition p;
    for (int c = 1; c <= BoardColumns; ++c)
        p.Board(c, 17) = qint16(c % 7 + 1);
    b.loadPosition(p);
    const qint64 tiles = f.renderer.tileCopies();
    const Cells cells = parseCells(changes);
    for (const auto& [c, r] : cells)
        p.Board(c, r) = p.Board(c, r) ? 0 : qint16((c + r) % 7 + 1);
    b.loadPosition(p);
    FrmPics& pics = f.renderer.pictures();
    QCOMPARE(f.renderer.tileCopies() - tiles, qint64(cells.size()));
    for (const auto& [c, r] : cells)
        QCOMPARE(tileAt(f.renderer.buffer(), bufferCellOrigin(c, r)), *pics.Kubolt(p.Board(c, r)));
    const QImage& first = *pics.Kubolt(p.Board(cells[0].first, cells[0].second));
    QCOMPARE(tileAt(f.renderer.buffer(), inBuffer), first);
    QCOMPARE(tileAt(f.screen.image(), onScreen), first);
    QCOMPARE(f.screen.image(), f.renderer.buffer().copy(BufferBlock));
}

void TestRender::refusedMoveCopiesOnlyTheBlock() {
    BrikkoFixture f;
    Brikko& b = f.withScreen();
    b.loadPosition(positionWith({}, 6, 4, 10, 5)); // T against the right wall, no room to turn
    const qint64 tiles = f.renderer.tileCopies();
    b.MoveRight();
    b.RotatePiece();
    QCOMPARE(QList<int>({b.game().PieceX, b.game().Orientation}), QList<int>({10, 4}));
    QCOMPARE(f.renderer.tileCopies(), tiles);
    QCOMPARE(f.screen.copies(), 3);
}

// Ratio 2: the tiles have 32 pixels a side, drawn afresh (the outline one
// screen pixel wide, not two as an enlarged 16-pixel tile would have it); the
// buffer is drawn again from the cells drawn so far, cells never drawn keep
// the background; the screen gets the block in the buffer's own pixels; the
// preview is given again at the new scale.
void TestRender::drawsAtTheDevicePixelRatio() {
    BrikkoFixture f;
    Brikko& b = f.withScreen();
    ImagePreviewView preview;
    f.renderer.attach(&f.screen, &preview);
    f.renderer.showPreview(PieceKindI);
    b.loadPosition(positionWith({}, 6, 1, 5, 18)); // a T on the floor
    f.renderer.setDevicePixelRatio(2.0);

    FrmPics& pics = f.renderer.pictures();
    const QImage& tile = *pics.Kubolt(6);
    QCOMPARE(tile.size(), QSize(32, 32));
    QCOMPARE(tile.devicePixelRatio(), 2.0);
    QCOMPARE(tile.pixel(0, 0), tile.pixel(31, 0)); // the outline
    QVERIFY(tile.pixel(1, 1) != tile.pixel(0, 0));

    const QImage& buffer = f.renderer.buffer();
    QCOMPARE(buffer.size(), QSize(328, 584));
    QCOMPARE(buffer.devicePixelRatio(), 2.0);
    QCOMPARE(tileAt(buffer, bufferCellOrigin(5, 18), 2.0), tile);
    QCOMPARE(tileAt(buffer, bufferCellOrigin(5, 17), 2.0), tile);
    QCOMPARE(buffer.pixel(2, 2), FrmPics::backgroundColor().rgb()); // never drawn
    QCOMPARE(f.renderer.screenBlock(), QRect(2, 2, 320, 576));
    QCOMPARE(f.screen.image(), buffer.copy(2, 2, 320, 576));
    QCOMPARE(f.screen.image().devicePixelRatio(), 2.0);
    QCOMPARE(preview.picture(), pics.Next(PieceKindI));
    QCOMPARE(preview.picture()->size(), QSize(192, 128));
    QCOMPARE(preview.picture()->devicePixelRatio(), 2.0);
}

QTEST_MAIN(TestRender)
#include "test_render.moc"
