// The board's drawing: only the cells that changed are copied into the back
// buffer, each at its place, and the whole block reaches the screen at once;
// the fifteen pictures have their sizes, colours and shapes.

#include "brikko_fixture.h"

#include <QCoreApplication>
#include <QPainter>
#include <QtTest>

namespace {

QImage cellOf(const QImage& image, QPoint origin) {
    return image.copy(QRect(origin, QSize(TileSize, TileSize)));
}

int luminance(QRgb c) {
    return qGray(c);
}

} // namespace

class TestRender : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void takesTheHandles();
    void drawsNothingBeforeTheHandles();
    void drawsOnlyChangedCells_data();
    void drawsOnlyChangedCells();
    void cellPlacesOnRealPixels_data();
    void cellPlacesOnRealPixels();
    void sidewaysMoveCopiesTwoTiles();
    void refusedMoveCopiesOnlyTheBlock();
    void newGameDrawsOldCellsAsEmpty();
    void repaintCopiesTheBlockAlone();
    void previewShowsTheKindOrNothing();
    void tilesAreDistinctAndBevelled();
    void previewsShowTheirPiece_data();
    void previewsShowTheirPiece();
    void savesPictureSheet();

private:
    BrikkoFixture* f = nullptr;
    ImageBoardScreen* screen = nullptr;
    ImagePreviewView* preview = nullptr;
};

void TestRender::init() {
    f = new BrikkoFixture;
    screen = new ImageBoardScreen;
    preview = new ImagePreviewView;
    f->brikko.picBoard = screen;
    f->brikko.picNext = preview;
}

void TestRender::cleanup() {
    delete f;
    delete screen;
    delete preview;
}

void TestRender::takesTheHandles() {
    Brikko& b = f->brikko;
    QVERIFY(!b.frmPics.isLoaded()); // loaded on first use only
    for (TileHandle h : b.Game.TileDC)
        QVERIFY(!h);
    b.TakeHandles();
    QVERIFY(b.frmPics.isLoaded());
    for (int v = 0; v < TileCount; ++v) {
        QCOMPARE(b.Game.TileDC[std::size_t(v)], b.frmPics.Kubolt(v));
        QCOMPARE(b.Game.TileDC[std::size_t(v)]->size(), QSize(16, 16));
    }
    QCOMPARE(b.Game.BoardDC, screen);
    QCOMPARE(b.Game.BufferDC, &b.picBoard2);
    QVERIFY(b.picBoard2.width() >= 161 && b.picBoard2.height() >= 289);
}

void TestRender::drawsNothingBeforeTheHandles() {
    Brikko& b = f->brikko;
    placePiece(b, 3, 1, 5, 9);
    b.DrawBoard();
    b.RepaintBoard();
    b.MoveLeft();
    QCOMPARE(b.tileCopies(), 0);
    QCOMPARE(screen->copies(), 0);
}

void TestRender::drawsOnlyChangedCells_data() {
    QTest::addColumn<QString>("changes"); // (column, row) set to a kind, in order
    QTest::newRow("nothing") << "";
    QTest::newRow("one corner") << "(1, 1)";
    QTest::newRow("far corner") << "(10, 18)";
    QTest::newRow("a piece") << "(4, 1) (5, 1) (6, 1) (7, 1)";
    QTest::newRow("a full row") << "(1, 18) (2, 18) (3, 18) (4, 18) (5, 18) (6, 18) (7, 18) "
                                   "(8, 18) (9, 18) (10, 18)";
}

void TestRender::drawsOnlyChangedCells() {
    QFETCH(QString, changes);
    Brikko& b = f->brikko;
    b.TakeHandles();
    // A settled stack that was drawn before stays as it is.
    for (int c = 1; c <= 10; ++c)
        b.Game.Board(c, 17) = qint16(c % 7 + 1);
    b.DrawBoard();
    b.PrevGame = b.Game;
    const qint64 tiles = b.tileCopies();
    const int copies = screen->copies();
    const auto cells = parseOffsets(changes);
    for (const auto& [c, r] : cells)
        b.Game.Board(c, r) = qint16((c + r) % 7 + 1);
    b.DrawBoard();
    QCOMPARE(b.tileCopies() - tiles, qint64(cells.size()));
    QCOMPARE(screen->copies(), copies + 1);
    for (const auto& [c, r] : cells)
        QCOMPARE(cellOf(b.picBoard2, bufferCellOrigin(c, r)),
                 *b.frmPics.Kubolt(b.Game.Board(c, r)));
}

void TestRender::cellPlacesOnRealPixels_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QPoint>("inBuffer");
    QTest::addColumn<QPoint>("onScreen");
    QTest::newRow("(1, 1)") << 1 << 1 << QPoint(1, 1) << QPoint(0, 0);
    QTest::newRow("(10, 18)") << 10 << 18 << QPoint(145, 273) << QPoint(144, 272);
    QTest::newRow("(3, 7)") << 3 << 7 << QPoint(33, 97) << QPoint(32, 96);
}

void TestRender::cellPlacesOnRealPixels() {
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QPoint, inBuffer);
    QFETCH(QPoint, onScreen);
    Brikko& b = f->brikko;
    b.TakeHandles();
    const QImage bufferBefore = b.picBoard2;
    b.Game.Board(column, row) = 4;
    b.DrawBoard();
    const QImage& tile = *b.frmPics.Kubolt(4);
    QCOMPARE(cellOf(b.picBoard2, inBuffer), tile);
    QCOMPARE(cellOf(screen->image(), onScreen), tile);
    // Nothing else in the buffer changed.
    QImage rest = b.picBoard2;
    QPainter(&rest).drawImage(inBuffer, bufferBefore, QRect(inBuffer, QSize(16, 16)));
    QCOMPARE(rest, bufferBefore);
    // The screen shows exactly the 160 x 288 block from buffer (1, 1).
    QCOMPARE(screen->image().size(), QSize(160, 288));
    QCOMPARE(screen->image(), b.picBoard2.copy(BufferBlock));
}

void TestRender::sidewaysMoveCopiesTwoTiles() {
    Brikko& b = f->brikko;
    b.TakeHandles();
    placePiece(b, PieceKindI, 1, 5, 9);
    b.PrevGame = b.Game;
    b.MoveRight(); // leaves (4, 9), enters (8, 9)
    QCOMPARE(b.tileCopies(), 2);
    QCOMPARE(cellOf(screen->image(), QPoint(7 * 16, 8 * 16)), *b.frmPics.Kubolt(1));
    QCOMPARE(cellOf(screen->image(), QPoint(3 * 16, 8 * 16)), *b.frmPics.Kubolt(0));
    b.RotatePiece(); // I turns about (6, 9): three cells leave, three enter
    QCOMPARE(b.tileCopies(), 2 + 6);
}

void TestRender::refusedMoveCopiesOnlyTheBlock() {
    Brikko& b = f->brikko;
    b.TakeHandles();
    placePiece(b, 6, 1, 2, 5); // T against column 1
    b.DrawBoard();
    b.PrevGame = b.Game;
    const qint64 tiles = b.tileCopies();
    const int copies = screen->copies();
    b.MoveLeft();
    QCOMPARE(b.tileCopies(), tiles);
    QCOMPARE(screen->copies(), copies + 1);
    QCOMPARE(screen->image(), b.picBoard2.copy(BufferBlock));
}

// A new game copies the record before emptying the board: the cells of the
// last game are drawn as the empty tile.
void TestRender::newGameDrawsOldCellsAsEmpty() {
    Brikko& b = f->brikko;
    b.TakeHandles();
    placePiece(b, 5, 1, 5, 18);
    placePiece(b, 2, 3, 3, 10);
    b.DrawBoard();
    b.PrevGame = b.Game;
    const qint64 tiles = b.tileCopies();
    b.Game.Board.clear();
    b.DrawBoard();
    QCOMPARE(b.tileCopies() - tiles, qint64(8));
    for (QPoint cell : {QPoint(5, 18), QPoint(4, 18), QPoint(3, 10), QPoint(4, 11)})
        QCOMPARE(cellOf(b.picBoard2, bufferCellOrigin(cell.x(), cell.y())), *b.frmPics.Kubolt(0));
}

void TestRender::repaintCopiesTheBlockAlone() {
    Brikko& b = f->brikko;
    b.TakeHandles();
    b.Game.Board(2, 2) = 6; // changed, but a repaint does not draw cells
    b.RepaintBoard();
    QCOMPARE(b.tileCopies(), 0);
    QCOMPARE(screen->copies(), 1);
    QCOMPARE(screen->image(), b.picBoard2.copy(BufferBlock));
}

void TestRender::previewShowsTheKindOrNothing() {
    Brikko& b = f->brikko;
    for (qint16 kind = 1; kind <= 7; ++kind) {
        b.ShowPreview(kind);
        QCOMPARE(preview->picture(), b.frmPics.Next(kind));
        QCOMPARE(preview->picture()->size(), QSize(96, 64));
    }
    b.ClearPreview();
    QVERIFY(!preview->picture());
    b.ShowPreview(8);
    QVERIFY(!preview->picture());
    QCOMPARE(preview->changes(), 9);
}

void TestRender::tilesAreDistinctAndBevelled() {
    FrmPics& pics = f->brikko.frmPics;
    const QImage& empty = *pics.Kubolt(0);
    const QRgb background = FrmPics::backgroundColor().rgb();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            QCOMPARE(empty.pixel(x, y), background);
    QVERIFY(luminance(background) < 60); // a dark board
    QVERIFY(!pics.Kubolt(-1) && !pics.Kubolt(8));

    QList<QRgb> faces;
    for (int v = 1; v <= 7; ++v) {
        const QImage& tile = *pics.Kubolt(v);
        const QRgb face = tile.pixel(10, 10);
        QCOMPARE(face, FrmPics::tileColor(v).rgb());
        QVERIFY(luminance(face) > luminance(background) + 60);
        for (QRgb other : faces) {
            const int distance = qAbs(qRed(face) - qRed(other)) +
                                 qAbs(qGreen(face) - qGreen(other)) +
                                 qAbs(qBlue(face) - qBlue(other));
            QVERIFY2(distance > 90, qPrintable(QStringLiteral("tile %1 too close").arg(v)));
        }
        faces << face;
        // Light along the top and left, shade along the bottom and right.
        QVERIFY(luminance(tile.pixel(8, 1)) > luminance(face));
        QVERIFY(luminance(tile.pixel(1, 8)) > luminance(face));
        QVERIFY(luminance(tile.pixel(8, 14)) < luminance(face));
        QVERIFY(luminance(tile.pixel(14, 8)) < luminance(face));
    }
}

// Each preview is its piece in the first orientation, drawn from its own
// tiles and centred; the picture here is the shape as it looks on screen.
void TestRender::previewsShowTheirPiece_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("picture");
    QTest::newRow("I") << 1 << "####";
    QTest::newRow("J") << 2 << "#.. / ###";
    QTest::newRow("L") << 3 << "..# / ###";
    QTest::newRow("Z") << 4 << "##. / .##";
    QTest::newRow("S") << 5 << ".## / ##.";
    QTest::newRow("T") << 6 << ".#. / ###";
    QTest::newRow("O") << 7 << "## / ##";
}

void TestRender::previewsShowTheirPiece() {
    QFETCH(int, kind);
    QFETCH(QString, picture);
    FrmPics& pics = f->brikko.frmPics;
    const QImage& image = *pics.Next(kind);
    const QImage& tile = *pics.Kubolt(kind);
    const QImage& empty = *pics.Kubolt(0);
    const QStringList rows = picture.split(QStringLiteral(" / "));
    const int width = int(rows[0].size()) * 16, height = int(rows.size()) * 16;
    const QPoint origin((96 - width) / 2, (64 - height) / 2);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            QCOMPARE(cellOf(image, origin + QPoint(c * 16, r * 16)),
                     rows[r][c] == QLatin1Char('#') ? tile : empty);
    // Outside the piece's box the preview is plain background.
    const QRgb background = FrmPics::backgroundColor().rgb();
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x)
            if (!QRect(origin, QSize(width, height)).contains(x, y))
                QCOMPARE(image.pixel(x, y), background);
}

// Not a check of taste: writes the seven tiles, the seven previews and a
// board in play to brikko_pictures.png beside the test, for people to look at.
void TestRender::savesPictureSheet() {
    Brikko& b = f->brikko;
    b.TakeHandles();
    // A board in play: a few settled rows and a falling piece.
    const char* rows[] = {"TT.LLLZZ.O", "JTIIIILZZO", "JJJSS.OOIS", "SSJJJLOOIS", "ZZ.TTTL.IS"};
    for (int i = 0; i < 5; ++i)
        for (int c = 0; c < 10; ++c)
            b.Game.Board(c + 1, 14 + i) = qint16(QByteArray("IJLZSTO").indexOf(rows[i][c]) + 1);
    placePiece(b, 6, 2, 6, 8);
    b.DrawBoard();

    // Previews along the top, each kind's tile four times larger below its
    // preview and at actual size beside it, and the board at the right.
    const int gap = 12;
    const int column = 96 + gap;
    QImage sheet(gap + 7 * column + 160 + gap, gap + 288 + gap, QImage::Format_RGB32);
    sheet.fill(QColor(0xee, 0xee, 0xf2));
    QPainter p(&sheet);
    for (int k = 1; k <= 7; ++k) {
        const int x = gap + (k - 1) * column;
        p.drawImage(QPoint(x, gap), *b.frmPics.Next(k));
        p.drawImage(QRect(x + 16, gap + 64 + gap, 64, 64), *b.frmPics.Kubolt(k));
        p.drawImage(QPoint(x + 40, gap + 64 + gap + 64 + gap), *b.frmPics.Kubolt(k));
    }
    p.drawImage(QPoint(gap + 7 * column, gap), screen->image());
    p.end();
    const QString path = QCoreApplication::applicationDirPath() + "/brikko_pictures.png";
    QVERIFY(sheet.save(path));
    QVERIFY(!QImage(path).isNull());
}

QTEST_MAIN(TestRender)
#include "test_render.moc"
