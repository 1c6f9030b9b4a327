// The board's drawing: only the cells that changed are copied into the back
// buffer, then the whole block reaches the screen; at a device pixel ratio of
// 2 every picture is drawn at the screen's own resolution.

#include "brikko_fixture.h"

#include <QPainter>
#include <QtTest>

#include <cstdlib>

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
// buffer is drawn again from the cells drawn so far; the screen gets the
// block in the buffer's own pixels; the preview is given again at the new
// scale.
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
    QCOMPARE(f.renderer.screenBlock(), QRect(2, 2, 320, 576));
    QCOMPARE(f.screen.image(), buffer.copy(2, 2, 320, 576));
    QCOMPARE(f.screen.image().devicePixelRatio(), 2.0);
    QCOMPARE(preview.picture(), pics.Next(PieceKindI));
    QCOMPARE(preview.picture()->size(), QSize(192, 128));
    QCOMPARE(preview.picture()->devicePixelRatio(), 2.0);
}

// The seven previews, and the seven tiles four times larger, on one sheet for
// people to look at (tools/brikko-pictures), at a device pixel ratio.
static bool savePictureSheet(const QString& path, qreal ratio) {
    FrmPics pics;
    pics.setDevicePixelRatio(ratio);
    QImage sheet(QSize(7 * 108 + 12, 64 + 64 + 36) * ratio, QImage::Format_RGB32);
    sheet.setDevicePixelRatio(ratio);
    sheet.fill(QColor(0xee, 0xee, 0xf2));
    QPainter p(&sheet);
    for (int k = 1; k <= PieceKindCount; ++k) {
        p.drawImage(QPoint(12 + (k - 1) * 108, 12), *pics.Next(k));
        p.drawImage(QRect(28 + (k - 1) * 108, 88, 64, 64), *pics.Kubolt(k));
    }
    p.end();
    return sheet.save(path);
}

// game_render --picture-sheet FILE [RATIO] saves the sheet instead of testing.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc >= 3 && qstrcmp(argv[1], "--picture-sheet") == 0)
        return savePictureSheet(QString::fromLocal8Bit(argv[2]),
                                argc > 3 ? std::atof(argv[3]) : 1.0)
                   ? 0
                   : 1;
    TestRender test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_render.moc"
