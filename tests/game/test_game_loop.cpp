// The game loop over whole games on a simulated clock: the wait of each level,
// the points of completed rows and fast drops, the collapse of completed rows,
// the end of a game on a blocked spawn, the filled rows of a new game, the
// reseeding, and the counters beyond their old 16-bit limits.

#include "test_game_loop_fixture.h"

#include <QtTest>

#include <cmath>

namespace {

constexpr double Start = LoopFixture::Start;

bool near(double a, double b) {
    return std::abs(a - b) < 1e-6;
}

// The wait between two gravity steps at each level, as the game's rules list
// them; above level 9 it stays at the last one.
double waitOfLevel(int level) {
    static const double waits[] = {0.5,   0.4528, 0.4056, 0.3584, 0.3112,
                                   0.264, 0.2168, 0.1696, 0.1224, 0.0752};
    return waits[std::min(level, 9)];
}

const QString Empty = QStringLiteral("..........");

// Rows 10 to 18 with the given rows (keys 10..18) set.
QStringList filledRows(std::initializer_list<std::pair<int, const char*>> rows) {
    QStringList out(9, Empty);
    for (const auto& [row, text] : rows)
        out[row - 10] = QString::fromLatin1(text);
    return out;
}

bool isFalling(const Brikko& b, qint16 kind, qint16 row, qint16 orientation) {
    return b.Game.Piece == kind && b.Game.PieceY == row && b.Game.Orientation == orientation &&
           !b.Landed && !b.Dropping;
}

std::size_t firstLanding(const std::vector<Draw>& draws) {
    for (std::size_t i = 0; i < draws.size(); ++i)
        if (draws[i].landed)
            return i;
    return draws.size();
}

// Writes cells into the board as a change that is drawn.
void presetBoard(LoopFixture& f, const QStringList& rows18) {
    f.brikko.PrevGame = f.brikko.Game;
    for (int r = 1; r <= BoardRows; ++r)
        for (int c = 1; c <= BoardColumns; ++c) {
            const QChar ch = cellChar(rows18.value(r - 1), c - 1);
            f.brikko.Game.Board(c, r) = ch == QLatin1Char('.') ? 0 : qint16(ch.digitValue());
        }
    f.brikko.DrawBoard();
}

} // namespace

class TestGameLoop : public QObject {
    Q_OBJECT
private slots:
    void startingLevel_data();
    void startingLevel();
    void gravityEveryHalfSecondAtLevelZero();
    void waitsFollowTheLevel_data();
    void waitsFollowTheLevel();
    void landingScores_data();
    void landingScores();
    void twoRowsCollapseInTwoSteps_data();
    void twoRowsCollapseInTwoSteps();
    void rowOneIsEmptiedByACollapse_data();
    void rowOneIsEmptiedByACollapse();
    void spawnOnTheStackEndsTheGame();
    void filledRowsAppearOneByOne();
    void filledRowsMatchTheirChance_data();
    void filledRowsMatchTheirChance();
    void reseedsAtNewGameAndRunGame();
};

// The level played is the nearest whole number (halves to even); the first
// wait uses the value as typed; no value counts as 0.
void TestGameLoop::startingLevel_data() {
    QTest::addColumn<bool>("hasValue");
    QTest::addColumn<double>("typed");
    QTest::addColumn<int>("level");
    QTest::addColumn<double>("firstWait");
    QTest::newRow("no value") << false << 0.0 << 0 << 0.5;
    QTest::newRow("9") << true << 9.0 << 9 << 0.0752;
    QTest::newRow("2.5: level 2") << true << 2.5 << 2 << 0.382;
    QTest::newRow("3.5: level 4") << true << 3.5 << 4 << 0.3348;
    QTest::newRow("12 is held at 9") << true << 12.0 << 9 << 0.0752;
    QTest::newRow("-1 is held at 0") << true << -1.0 << 0 << 0.5;
}

void TestGameLoop::startingLevel() {
    QFETCH(bool, hasValue);
    QFETCH(double, typed);
    QFETCH(int, level);
    QFETCH(double, firstWait);
    LoopFixture f;
    if (hasValue)
        f.options.StartingLevel = typed;
    f.endGameAt(Start + 1.5);
    f.play();

    QCOMPARE(f.brikko.Game.Level, level);
    QCOMPARE(f.window.labels.value(GameLabel::lblLevel), QString::number(level));
    const std::vector<double> steps = gravitySteps(f.draws);
    QVERIFY(!steps.empty());
    QVERIFY2(near(steps.front() - Start, firstWait), qPrintable(QString::number(steps.front())));
}

// With nothing pressed, the first piece falls one row every 0.5 seconds; its
// landing pauses 0.1 seconds before the pass's own wait.
void TestGameLoop::gravityEveryHalfSecondAtLevelZero() {
    LoopFixture f; // every piece an I
    f.endGameAt(Start + 12.0);
    f.play();

    const std::vector<double> steps = gravitySteps(f.draws);
    QVERIFY(steps.size() >= 17);
    for (int k = 0; k < 17; ++k) // rows 1 -> 18
        QVERIFY2(near(steps[std::size_t(k)], Start + 0.5 * (k + 1)),
                 qPrintable(QString::number(k)));

    const std::size_t landing = firstLanding(f.draws);
    QVERIFY(landing < f.draws.size());
    QCOMPARE(f.draws[landing].pieceY, qint16(18));
    // Each pass draws only what it changed: the spawn's 4 cells, then 8 per
    // row fallen (4 emptied, 4 filled), nothing for the landing itself.
    QCOMPARE(f.draws[landing].tileCopies, qint64(4 + 17 * 8));
    QVERIFY(near(f.draws[landing].time, Start + 9.0));
    // The next piece spawns after the 0.1-second pause and a whole wait.
    const Draw& spawn = f.draws[landing + 2];
    QCOMPARE(spawn.pieceY, qint16(1));
    QVERIFY(!spawn.landed);
    QVERIFY(near(spawn.time, Start + 9.6));
}

// Every ten pieces of the automatic player complete four rows; the wait of
// each piece is that of the level at its spawn.
void TestGameLoop::waitsFollowTheLevel_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("until");
    QTest::newRow("levels 0 to 3") << 0 << 4;
    QTest::newRow("levels 7 to 11") << 7 << 12;
    QTest::newRow("levels 9 to 12") << 9 << 13;
}

void TestGameLoop::waitsFollowTheLevel() {
    QFETCH(int, from);
    QFETCH(int, until);
    LoopFixture f;
    f.options.StartingLevel = from;
    AutoPlayer player(f);
    f.whenDrawn([until](const Brikko& b) { return b.Game.Level >= until; },
                [&f] { f.controls.mnuEndGame_Click(); });
    f.play();

    QCOMPARE(f.brikko.Game.Level, until);
    QSet<int> levelsSeen;
    for (std::size_t i = 1; i < f.draws.size(); ++i) {
        const Draw& d = f.draws[i];
        if (d.piece != f.draws[i - 1].piece || d.pieceY != f.draws[i - 1].pieceY + 1 || d.dropping)
            continue;
        const double wait = d.time - f.draws[i - 1].time;
        QVERIFY2(near(wait, waitOfLevel(d.level)),
                 qPrintable(QStringLiteral("level %1: %2").arg(d.level).arg(wait)));
        QVERIFY(near(d.stepDelay, waitOfLevel(d.level)));
        levelsSeen.insert(d.level);
    }
    for (int level = from; level < until; ++level)
        QVERIFY2(levelsSeen.contains(level), qPrintable(QString::number(level)));
}

// One landing in a prepared board: the points, the lines, the level, the
// labels and the sounds.
void TestGameLoop::landingScores_data() {
    QTest::addColumn<double>("startingLevel");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("downAtRow"); // 0: no fast drop
    QTest::addColumn<int>("presetLines");
    QTest::addColumn<int>("presetLevel"); // -1: as the game starts
    QTest::addColumn<qint64>("score");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("rowsSound");
    QTest::addColumn<bool>("levelUp");

    const char* gap = "2222.22222"; // complete but for column 5
    const QStringList one = filledRows({{18, gap}});
    const QStringList two = filledRows({{17, gap}, {18, gap}});
    const QStringList three = filledRows({{16, gap}, {17, gap}, {18, gap}});
    const QStringList four = filledRows({{15, gap}, {16, gap}, {17, gap}, {18, gap}});
    const int I = PieceKindI;

    QTest::newRow("1 row") << 0.0 << one << I << 0 << 0 << -1 << qint64(50) << 1 << 0
                           << "Sound4.wav" << false;
    QTest::newRow("3 rows") << 0.0 << three << I << 0 << 0 << -1 << qint64(500) << 3 << 0
                            << "Sound6.wav" << false;
    QTest::newRow("4 rows at level 0")
        << 0.0 << four << I << 0 << 0 << -1 << qint64(1000) << 4 << 0 << "Sound7.wav" << false;
    QTest::newRow("4 rows at level 2")
        << 2.0 << four << I << 0 << 0 << -1 << qint64(3000) << 4 << 2 << "Sound7.wav" << false;
    QTest::newRow("2 rows from 9 to 11 lines: level first")
        << 0.0 << two << I << 0 << 9 << -1 << qint64(300) << 11 << 1 << "Sound5.wav" << true;
    QTest::newRow("drop from row 3 to row 15") << 0.0 << filledRows({{16, "222222222."}}) << 6 << 3
                                               << 0 << -1 << qint64(12) << 0 << 0 << "" << false;
    QTest::newRow("drop on top of the rows' points")
        << 0.0 << four << I << 2 << 0 << -1 << qint64(1014) << 4 << 0 << "Sound7.wav" << false;
    QTest::newRow("4 rows at level 32")
        << 0.0 << four << I << 0 << 0 << 32 << qint64(33000) << 4 << 32 << "Sound7.wav" << false;
    QTest::newRow("beyond 32767 lines") << 0.0 << four << I << 0 << 32766 << 40 << qint64(42000)
                                        << 32770 << 41 << "Sound7.wav" << true;
    QTest::newRow("counters held at their top")
        << 0.0 << four << I << 0 << 2147483645 << 2147483646 << qint64(2147483647000LL)
        << 2147483647 << 2147483646 << "Sound7.wav" << false;
}

void TestGameLoop::landingScores() {
    QFETCH(double, startingLevel);
    QFETCH(QStringList, rows);
    QFETCH(int, kind);
    QFETCH(int, downAtRow);
    QFETCH(int, presetLines);
    QFETCH(int, presetLevel);
    QFETCH(qint64, score);
    QFETCH(int, lines);
    QFETCH(int, level);
    QFETCH(QString, rowsSound);
    QFETCH(bool, levelUp);

    LoopFixture f;
    f.options.StartingLevel = startingLevel;
    f.options.FillLines = true;
    f.options.SoundOn = true;
    queueFilledRows(f.random, rows);
    queuePieces(f.random, {kind});
    f.events.at(Start, [&] {
        f.brikko.Game.Lines = presetLines;
        if (presetLevel >= 0)
            f.brikko.Game.Level = presetLevel;
    });
    const qint16 k = qint16(kind);
    if (kind == PieceKindI) // upright in column 5, the gap
        f.whenDrawn([k](const Brikko& b) { return isFalling(b, k, 2, 1); },
                    [&f, downAtRow] {
                        f.controls.Form_KeyDown(KeyUp);
                        if (downAtRow == 2)
                            f.controls.Form_KeyDown(KeyDown);
                    });
    if (downAtRow > 2)
        f.whenDrawn([k, downAtRow](const Brikko& b) { return isFalling(b, k, downAtRow, 1); },
                    [&f] { f.controls.Form_KeyDown(KeyDown); });
    f.whenDrawn([](const Brikko& b) { return b.Landed; }, [&f] { f.controls.mnuEndGame_Click(); });
    f.play();

    QCOMPARE(f.brikko.Game.Score, score);
    QCOMPARE(f.brikko.Game.Lines, lines);
    QCOMPARE(f.brikko.Game.Level, level);
    QCOMPARE(f.window.labels.value(GameLabel::lblScore), QString::number(score));
    QCOMPARE(f.window.labels.value(GameLabel::lblLines), QString::number(lines));
    QCOMPARE(f.window.labels.value(GameLabel::lblLevel), QString::number(level));
    const AppPaths& paths = f.brikko.services().paths;
    for (int n = 4; n <= 7; ++n) {
        const QString name = QStringLiteral("Sound%1.wav").arg(n);
        QCOMPARE(f.sounds.played.count(paths.dataFile(name)), name == rowsSound ? 1 : 0);
    }
    QCOMPARE(f.sounds.played.count(paths.dataFile(QStringLiteral("Sound1.wav"))), levelUp ? 1 : 0);
}

// Rows 16 and 18 complete at once: they show empty, then each is removed in
// its own step, 0.1 seconds apart, each followed by a redraw. A fast drop
// makes the same steps without any pause.
void TestGameLoop::twoRowsCollapseInTwoSteps_data() {
    QTest::addColumn<bool>("fastDrop");
    QTest::newRow("by gravity") << false;
    QTest::newRow("fast drop") << true;
}

void TestGameLoop::twoRowsCollapseInTwoSteps() {
    QFETCH(bool, fastDrop);
    LoopFixture f;
    f.checkScreen = true;
    f.options.FillLines = true;
    queueFilledRows(
        f.random,
        filledRows(
            {{15, ".......22."}, {16, "2222.22222"}, {17, "222......."}, {18, "2222.22222"}}));
    queuePieces(f.random, {PieceKindI});
    f.whenDrawn([](const Brikko& b) { return isFalling(b, PieceKindI, 2, 1); },
                [&f, fastDrop] {
                    f.controls.Form_KeyDown(KeyUp);
                    if (fastDrop)
                        f.controls.Form_KeyDown(KeyDown);
                });
    f.endGameAt(Start + 9.0);
    f.play();

    const std::size_t i = firstLanding(f.draws);
    QVERIFY(i + 4 < f.draws.size());
    const double landedAt = fastDrop ? Start + 0.5 : Start + 8.0;
    const double pause = fastDrop ? 0.0 : 0.1;
    QVERIFY(near(f.draws[i].time, landedAt));
    QCOMPARE(rowsText(f.draws[i].board, 15, 18),
             QStringList({"....1..22.", "2222122222", "222.1.....", "2222122222"}));
    // The completed rows show empty.
    QVERIFY(near(f.draws[i + 1].time, landedAt));
    QCOMPARE(rowsText(f.draws[i + 1].board, 15, 18),
             QStringList({"....1..22.", Empty, "222.1.....", Empty}));
    // Row 18 goes: everything above falls one row.
    QVERIFY(near(f.draws[i + 2].time, landedAt + 2 * pause));
    QCOMPARE(rowsText(f.draws[i + 2].board, 14, 18),
             QStringList({Empty, Empty, "....1..22.", Empty, "222.1....."}));
    // Then the former row 16, now at 17.
    QVERIFY(near(f.draws[i + 3].time, landedAt + 3 * pause));
    QCOMPARE(rowsText(f.draws[i + 3].board, 1, 18),
             QStringList(16, Empty) + QStringList({"....1..22.", "222.1....."}));
    // The next piece spawns after the pass's own wait, or at once after a drop.
    QCOMPARE(f.draws[i + 4].pieceY, qint16(1));
    QVERIFY(near(f.draws[i + 4].time, landedAt + 3 * pause + (fastDrop ? 0.0 : 0.5)));
    QCOMPARE(f.brikko.Game.Lines, 2);
    QCOMPARE(f.brikko.Game.Score, qint64(150) + (fastDrop ? 14 : 0));
    QCOMPARE(f.screenMismatches, 0);
}

// The row entering at the top of a collapse is empty: row 1 is not left in
// place (which would show a resting cell twice, and with row 1 itself
// complete would never end the collapse).
void TestGameLoop::rowOneIsEmptiedByACollapse_data() {
    QTest::addColumn<QStringList>("before"); // rows 1..18
    QTest::addColumn<bool>("turn");          // the I stands up in column 5
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("lines");

    QStringList column(17, QStringLiteral("3........."));
    QTest::newRow("a resting cell in row 1")
        << (column + QStringList{"3333.33333"}) << true
        << (QStringList{Empty} + QStringList(14, QStringLiteral("3.........")) +
            QStringList(3, QStringLiteral("3...1.....")))
        << 1;
    QTest::newRow("rows 1 and 2 complete")
        << (QStringList{"333....333", "2222222222"} + QStringList(15, Empty) +
            QStringList{"3........."})
        << false << (QStringList(17, Empty) + QStringList{"3........."}) << 2;
}

void TestGameLoop::rowOneIsEmptiedByACollapse() {
    QFETCH(QStringList, before);
    QFETCH(bool, turn);
    QFETCH(QStringList, after);
    QFETCH(int, lines);
    LoopFixture f;
    f.checkScreen = true;
    f.events.at(Start, [&] { presetBoard(f, before); });
    if (turn)
        f.whenDrawn([](const Brikko& b) { return isFalling(b, PieceKindI, 2, 1); },
                    [&f] { f.controls.Form_KeyDown(KeyUp); });
    f.whenDrawn([](const Brikko& b) { return b.Landed; }, [&f] { f.controls.mnuEndGame_Click(); });
    f.play();

    QCOMPARE(f.brikko.Game.Lines, lines);
    // The last draw is the next piece's spawn, in row 1, over the result.
    BoardCells result = f.brikko.Game.Board;
    if (const auto cells = spawnCells(f.brikko.Game.Piece))
        for (const BoardCell c : *cells)
            result(c.column, c.row) = 0;
    QCOMPARE(rowsText(result, 1, 18), after);
    QCOMPARE(f.screenMismatches, 0);
}

// A new piece whose spawn cells are taken is still written over the stack;
// that pass finishes without waiting, and the game ends with "Perdu !", the
// high-score check, the menus, the hidden window and the hand-back.
void TestGameLoop::spawnOnTheStackEndsTheGame() {
    LoopFixture f;
    queuePieces(f.random, {7, 7, 7, 7, 7, 7, 7, 7, 7, 6, 2});
    f.play();

    const Draw& last = f.lastDraw();
    QCOMPARE(rowsText(last.board, 1, 2), QStringList({"....67....", "...666...."}));
    for (int r = 3; r <= BoardRows; ++r)
        QCOMPARE(rowText(last.board, r), QStringLiteral("....77...."));
    QVERIFY(near(f.timeOfMessage, last.time)); // no wait after the blocked spawn
    QCOMPARE(f.boxes.shown.size(), std::size_t(1));
    QCOMPARE(f.boxes.shown[0].text, QStringLiteral("Perdu !"));
    QCOMPARE(f.boxes.shown[0].style, 0);
    QCOMPARE(f.boxes.shown[0].title, QStringLiteral("Brikko32"));
    QVERIFY(!f.brikko.Game.Playing);
    QCOMPARE(f.journal, QStringList({"menus playing", "msgBox Perdu !", "high scores shown",
                                     "menus idle", "hide", "hand-back"}));
    QCOMPARE(f.window.menus, GameMenuStates::idle());
    QCOMPARE(f.handBacks, 1);
    QCOMPARE(f.preview.picture(), f.brikko.frmPics.Next(2)); // the next piece after the T
}

// The filled rows appear one cell at a time, column by column, each drawn at
// once and drawn alone.
void TestGameLoop::filledRowsAppearOneByOne() {
    LoopFixture f;
    f.options.FillLines = true;
    queueFilledRows(f.random, {"1.........", Empty, "..2.......", Empty, Empty, ".........4", Empty,
                               ".6........", "5........."});
    f.endGameAt(Start);
    f.play();

    const QList<QPair<int, int>> order{{1, 10}, {1, 18}, {2, 17}, {3, 12}, {10, 15}};
    BoardCells shown;
    for (int n = 0; n < order.size(); ++n) {
        const BoardCells& now = f.draws[std::size_t(n)].board;
        QList<QPair<int, int>> added;
        for (int r = 1; r <= BoardRows; ++r)
            for (int c = 1; c <= BoardColumns; ++c)
                if (now(c, r) != shown(c, r))
                    added.append({c, r});
        QCOMPARE(added, (QList<QPair<int, int>>{order[n]}));
        shown = now;
    }
    QCOMPARE(f.draws[order.size()].board, shown); // the closing draw of NewGame
    // Only changed cells are drawn: one tile per filled cell, then the four of
    // the first piece.
    QCOMPARE(f.brikko.tileCopies(), qint64(order.size() + 4));
}

// Over many games with a real generator: rows 1 to 9 always empty, each cell
// of rows 10 to 18 filled with chance (floor(level) + 1) / 30, every kind
// alike. The bounds are 4.5 binomial standard deviations (a true rate fails
// them about once in 150 000 checks).
void TestGameLoop::filledRowsMatchTheirChance_data() {
    QTest::addColumn<bool>("hasValue");
    QTest::addColumn<double>("level");
    QTest::addColumn<double>("chance");
    QTest::newRow("no value") << false << 0.0 << 1.0 / 30;
    QTest::newRow("level 0") << true << 0.0 << 1.0 / 30;
    QTest::newRow("level 2.5") << true << 2.5 << 3.0 / 30;
    QTest::newRow("level 4") << true << 4.0 << 5.0 / 30;
    QTest::newRow("level 9") << true << 9.0 << 10.0 / 30;
}

void TestGameLoop::filledRowsMatchTheirChance() {
    QFETCH(bool, hasValue);
    QFETCH(double, level);
    QFETCH(double, chance);
    LoopFixture f(/*realRandom=*/true);
    f.brikko.connectLoop({&f.options, &f.boxes, nullptr, nullptr, &f.window, {}});
    if (hasValue)
        f.options.StartingLevel = level;
    f.options.FillLines = true;

    constexpr int games = 200;
    qint64 filled = 0;
    std::array<qint64, 8> kinds{};
    bool topRowsEmpty = true;
    for (int g = 0; g < games; ++g) {
        f.events.at(f.clock.seconds, [&] {
            const BoardCells& board = f.brikko.Game.Board;
            for (int r = 1; r <= BoardRows; ++r)
                for (int c = 1; c <= BoardColumns; ++c) {
                    const qint16 v = board(c, r);
                    if (r < 10)
                        topRowsEmpty = topRowsEmpty && v == 0;
                    else if (v != 0) {
                        ++filled;
                        ++kinds[std::size_t(std::clamp<int>(v, 0, 7))];
                    }
                }
            f.controls.mnuEndGame_Click();
        });
        f.play();
    }
    QVERIFY(topRowsEmpty);
    const double cells = games * 90.0;
    const double rate = filled / cells;
    const double sd = std::sqrt(chance * (1 - chance) / cells);
    QVERIFY2(std::abs(rate - chance) <= 4.5 * sd,
             qPrintable(
                 QStringLiteral("rate %1, expected %2 +- %3").arg(rate).arg(chance).arg(4.5 * sd)));
    QCOMPARE(kinds[0], qint64(0));
    const double kindSd = std::sqrt((1.0 / 7) * (6.0 / 7) / double(filled));
    for (int k = 1; k <= 7; ++k) {
        const double share = kinds[std::size_t(k)] / double(filled);
        QVERIFY2(std::abs(share - 1.0 / 7) <= 4.5 * kindSd,
                 qPrintable(QStringLiteral("kind %1: %2").arg(k).arg(share)));
    }
}

// The generator is reseeded from the clock when NewGame starts, before the
// filled rows, and when RunGame has yielded, before the first piece is drawn.
void TestGameLoop::reseedsAtNewGameAndRunGame() {
    LoopFixture f;
    f.options.FillLines = true;
    queueFilledRows(f.random, filledRows({{18, "1........2"}}));
    f.events.at(Start, [&] { f.clock.advance(1.0); }); // a slow handler in the first yield
    f.endGameAt(Start + 1.0);
    f.play();

    QCOMPARE(f.random.reseedLog.size(), std::size_t(2));
    QCOMPARE(f.random.reseedLog[0].seconds, Start);
    QCOMPARE(f.random.reseedLog[0].drawsBefore, 0);
    QCOMPARE(f.random.reseedLog[1].seconds, Start + 1.0);
    QCOMPARE(f.random.reseedLog[1].drawsBefore, 90 + 2); // one per cell, one per filled kind
}

QTEST_MAIN(TestGameLoop)
#include "test_game_loop.moc"
