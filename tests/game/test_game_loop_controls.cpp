// The game's keys and menu commands, and what the loop's wait does with them:
// pausing and resuming, ending a game (also while paused), keys pressed
// during a fast drop, the music's keep-alive, the window's state while paused,
// the clock going back past midnight, ending the program from inside a game,
// and waits that block rather than spin.

#include "program_end.h"
#include "test_game_loop_fixture.h"

#include <QtTest>

#include <cmath>

namespace {

constexpr double Start = LoopFixture::Start;

bool near(double a, double b) {
    return std::abs(a - b) < 1e-6;
}

// A T falling at (5, 5) in orientation 1 on an empty board, a game running.
void fallingT(Brikko& b) {
    b.Game.Board.clear();
    b.Game.Piece = 6;
    b.Game.Orientation = 1;
    b.Game.PieceX = 5;
    b.Game.PieceY = 5;
    for (const BoardCell c : cellsAt(*shapeOf(6, 1), 5, 5))
        b.Game.Board(c.column, c.row) = 6;
    b.PrevGame = b.Game;
    b.Game.Playing = true;
    b.Landed = false;
    b.Paused = false;
    b.Dropping = false;
    b.DropStartRow = 0;
}

QString musicCommand(const QString& verb) {
    return verb + QStringLiteral(" /opt/vorelle/data/Brikko32.mid");
}

} // namespace

class TestGameLoopControls : public QObject {
    Q_OBJECT
private slots:
    void keyTable_data();
    void keyTable();
    void downTwiceKeepsTheFirstRow();
    void windowEventsPause_data();
    void windowEventsPause();
    void endGameShowsTheExerciseThenHandsBack();
    void newGameIsNotEnteredTwice();
    void endGameInTheFirstYieldIsKept();
    void pauseAndResume();
    void pauseBetweenLandingAndSpawn_data();
    void pauseBetweenLandingAndSpawn();
    void endGameWhilePaused();
    void pDuringAFastDropActsAfterTheNextSpawn();
    void music_data();
    void music();
    void windowStateChangeWhilePausedRepaints();
    void midnightEndsTheWaitAndRestartsTheMusic();
    void endingTheProgramLeavesAtOnce();
    void waitsBlockInsteadOfSpinning();
};

// Form_KeyDown: which key does what in which state.
void TestGameLoopControls::keyTable_data() {
    QTest::addColumn<bool>("landed");
    QTest::addColumn<bool>("playing");
    QTest::addColumn<bool>("paused");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("effect");
    struct Row {
        const char* name;
        bool landed, playing, paused;
        int key;
        const char* effect;
    };
    const Row rows[] = {
        {"falling: Left", false, true, false, KeyLeft, "left"},
        {"falling: Right", false, true, false, KeyRight, "right"},
        {"falling: Up", false, true, false, KeyUp, "turn"},
        {"falling: Clear", false, true, false, KeyClear, "turn"},
        {"falling: Down", false, true, false, KeyDown, "drop"},
        {"falling: P", false, true, false, KeyP, "pause"},
        {"falling: space", false, true, false, 32, "nothing"},
        {"landed: Left", true, true, false, KeyLeft, "nothing"},
        {"landed: Down", true, true, false, KeyDown, "nothing"},
        {"landed: P", true, true, false, KeyP, "nothing"},
        {"paused: Left", false, true, true, KeyLeft, "nothing"},
        {"paused: Down", false, true, true, KeyDown, "nothing"},
        {"paused: P", false, true, true, KeyP, "resume"},
        {"paused and landed: P", true, true, true, KeyP, "resume"},
        {"game over, paused: P", false, false, true, KeyP, "nothing"},
        {"game over: P", false, false, false, KeyP, "nothing"},
    };
    for (const Row& r : rows)
        QTest::newRow(r.name) << r.landed << r.playing << r.paused << r.key << r.effect;
}

void TestGameLoopControls::keyTable() {
    QFETCH(bool, landed);
    QFETCH(bool, playing);
    QFETCH(bool, paused);
    QFETCH(int, key);
    QFETCH(QString, effect);
    LoopFixture f;
    Brikko& b = f.brikko;
    b.TakeHandles();
    fallingT(b);
    b.Landed = landed;
    b.Game.Playing = playing;
    b.Paused = paused;

    f.controls.Form_KeyDown(key);

    QCOMPARE(b.Game.PieceX, qint16(effect == "left" ? 4 : effect == "right" ? 6 : 5));
    QCOMPARE(b.Game.Orientation, qint16(effect == "turn" ? 2 : 1));
    QCOMPARE(b.Dropping, effect == "drop");
    QCOMPARE(b.DropStartRow, qint16(effect == "drop" ? 5 : 0));
    QCOMPARE(b.Paused, effect == "pause" || (paused && effect != "resume"));
    QCOMPARE(b.Landed, landed);
}

// The fast drop's bonus counts from the row of the first Down.
void TestGameLoopControls::downTwiceKeepsTheFirstRow() {
    LoopFixture f;
    Brikko& b = f.brikko;
    fallingT(b);
    b.Game.PieceY = 3;
    f.controls.Form_KeyDown(KeyDown);
    b.Game.PieceY = 6;
    f.controls.Form_KeyDown(KeyDown);
    QVERIFY(b.Dropping);
    QCOMPARE(b.DropStartRow, qint16(3));
}

// A window restored to normal pauses a running game; so do the modal windows
// opened from the game's menus. Nothing pauses once the game is over.
void TestGameLoopControls::windowEventsPause_data() {
    QTest::addColumn<bool>("playing");
    QTest::addColumn<QString>("event");
    QTest::addColumn<bool>("paused");
    QTest::newRow("restored") << true << "normal" << true;
    QTest::newRow("minimised") << true << "minimized" << false;
    QTest::newRow("maximised") << true << "maximized" << false;
    QTest::newRow("modal window") << true << "modal" << true;
    QTest::newRow("restored, no game") << false << "normal" << false;
    QTest::newRow("modal window, no game") << false << "modal" << false;
}

void TestGameLoopControls::windowEventsPause() {
    QFETCH(bool, playing);
    QFETCH(QString, event);
    QFETCH(bool, paused);
    LoopFixture f;
    f.brikko.Game.Playing = playing;
    if (event == "modal")
        f.controls.pauseIfPlaying();
    else
        f.controls.Form_Resize(event == "normal"      ? GameWindowState::Normal
                               : event == "minimized" ? GameWindowState::Minimized
                                                      : GameWindowState::Maximized);
    QCOMPARE(f.brikko.Paused, paused);
}

// "&Arrêter la partie" shows the exercise at once; the loop then ends at its
// next check with "Perdu !", the high scores, the menus, the hidden window and
// the hand-back, in that order.
void TestGameLoopControls::endGameShowsTheExerciseThenHandsBack() {
    LoopFixture f;
    f.options.SoundOn = true;
    bool shownAtOnce = false;
    f.events.at(Start + 2.2, [&] {
        f.controls.mnuEndGame_Click();
        shownAtOnce = f.window.exerciseShows == 1 && f.brikko.Game.Playing;
    });
    bool musicClosedFirst = false;
    f.boxes.onMsgBox = [&, previous = f.boxes.onMsgBox] {
        musicClosedFirst = f.media.commands.value(f.media.commands.size() - 1) ==
                               musicCommand(QStringLiteral("close")) &&
                           !f.brikko.Game.Playing;
        previous();
    };
    QCOMPARE(f.window.menus, GameMenuStates::idle());
    f.play();

    QVERIFY(shownAtOnce);
    QVERIFY(musicClosedFirst);
    QCOMPARE(f.journal, QStringList({"menus playing", "exercise shown", "msgBox Perdu !",
                                     "high scores shown", "menus idle", "hide", "hand-back"}));
    QCOMPARE(f.window.menuChanges.front(), GameMenuStates::playing());
    QCOMPARE(f.window.menus, GameMenuStates::idle());
    QVERIFY(near(f.timeOfMessage, Start + 2.2));
    QCOMPARE(f.window.hides, 1);
}

// The new-game command does nothing while a game runs.
void TestGameLoopControls::newGameIsNotEnteredTwice() {
    LoopFixture f;
    f.events.at(Start + 1.2, [&] { f.controls.mnuNewGame_Click(); });
    f.endGameAt(Start + 2.2);
    f.play();
    QCOMPARE(f.random.reseedLog.size(), std::size_t(2)); // one NewGame, one RunGame
    QCOMPARE(f.journal.count(QStringLiteral("menus playing")), 1);
    QCOMPARE(f.handBacks, 1);
}

// An end-game command handled in the yield before the first piece is not
// lost: the game ends after its first pass.
void TestGameLoopControls::endGameInTheFirstYieldIsKept() {
    LoopFixture f;
    f.endGameAt(Start);
    f.play();
    QCOMPARE(f.handBacks, 1);
    QCOMPARE(f.brikko.Game.Piece, PieceKindI); // one spawn, no gravity step
    QCOMPARE(f.brikko.Game.PieceY, qint16(1));
    QVERIFY(near(f.timeOfMessage, Start));
}

// P pauses: no pass runs, the caption says so, the wait sleeps until the next
// event. P again resumes: the delay that was under way has long run out, so
// the next pass comes at once.
void TestGameLoopControls::pauseAndResume() {
    LoopFixture f;
    int waitsAtPause = 0;
    int waitsAtResume = 0;
    f.events.at(Start + 1.25, [&] {
        f.controls.Form_KeyDown(KeyP);
        waitsAtPause = f.events.waits;
    });
    f.events.at(Start + 100.0, [&] {
        waitsAtResume = f.events.waits;
        f.controls.Form_KeyDown(KeyP);
    });
    f.endGameAt(Start + 101.2);
    f.play();

    std::vector<const Draw*> after;
    for (const Draw& d : f.draws) {
        QVERIFY2(d.time <= Start + 1.0 || d.time >= Start + 100.0,
                 qPrintable(QString::number(d.time - Start)));
        if (d.time >= Start + 100.0)
            after.push_back(&d);
    }
    QVERIFY(after.size() >= 3);
    QVERIFY(near(after[0]->time, Start + 100.0));
    QCOMPARE(after[0]->pieceY, qint16(4));
    QVERIFY(near(after[1]->time, Start + 100.5));
    QCOMPARE(after[1]->pieceY, qint16(5));
    QCOMPARE(f.window.captions, QStringList({"Brikko32 - Paused", "Brikko32"}));
    QVERIFY2(waitsAtResume - waitsAtPause <= 2, qPrintable(QString::number(waitsAtResume)));
}

// Between a landing and the next spawn the P key does nothing, but "&Pause"
// still pauses; the next piece then waits for the resume.
void TestGameLoopControls::pauseBetweenLandingAndSpawn_data() {
    QTest::addColumn<bool>("byMenu");
    QTest::addColumn<double>("spawnAt");
    QTest::newRow("P key") << false << 9.6;
    QTest::newRow("Pause menu") << true << 50.5;
}

void TestGameLoopControls::pauseBetweenLandingAndSpawn() {
    QFETCH(bool, byMenu);
    QFETCH(double, spawnAt);
    LoopFixture f; // an I falls from row 1 and lands at Start + 9
    bool pausedThen = false;
    f.whenDrawn([](const Brikko& b) { return b.Landed; },
                [&] {
                    if (byMenu)
                        f.controls.mnuPause_Click();
                    else
                        f.controls.Form_KeyDown(KeyP);
                    pausedThen = f.brikko.Paused;
                });
    f.events.at(Start + 50.0, [&] {
        if (f.brikko.Paused)
            f.controls.mnuPause_Click();
    });
    f.endGameAt(Start + 60.0);
    f.play();

    QCOMPARE(pausedThen, byMenu);
    const auto spawn = std::find_if(f.draws.begin(), f.draws.end(), [](const Draw& d) {
        return d.time > Start + 9.0 && d.pieceY == 1;
    });
    QVERIFY(spawn != f.draws.end());
    QVERIFY2(near(spawn->time, Start + spawnAt), qPrintable(QString::number(spawn->time - Start)));
}

// Ending a paused game ends it although Paused stays true; the caption keeps
// "Brikko32 - Paused" until the next game's first completed wait. After the
// game P does nothing; the next game clears the pause.
void TestGameLoopControls::endGameWhilePaused() {
    LoopFixture f;
    f.keyAt(Start + 0.25, KeyP);
    f.endGameAt(Start + 5.0);
    f.play();

    QCOMPARE(f.handBacks, 1);
    QVERIFY(near(f.timeOfMessage, Start + 5.0));
    QVERIFY(f.brikko.Paused);
    QCOMPARE(f.window.currentCaption, QStringLiteral("Brikko32 - Paused"));
    f.controls.Form_KeyDown(KeyP);
    QVERIFY(f.brikko.Paused);

    const double second = f.clock.seconds;
    f.endGameAt(second + 0.75);
    f.play();
    QCOMPARE(f.handBacks, 2);
    QVERIFY(!f.brikko.Paused);
    QCOMPARE(f.window.captions, QStringList({"Brikko32 - Paused", "Brikko32"}));
    QCOMPARE(f.window.currentCaption, QStringLiteral("Brikko32"));
}

// A fast drop neither waits nor yields: P pressed while the piece falls is
// handled after the next piece has spawned.
void TestGameLoopControls::pDuringAFastDropActsAfterTheNextSpawn() {
    LoopFixture f;
    queuePieces(f.random, {PieceKindI, PieceKindO});
    f.whenDrawn([](const Brikko& b) { return b.Game.PieceY == 3 && !b.Landed; },
                [&f] { f.controls.Form_KeyDown(KeyDown); });
    struct Seen {
        qint16 piece = 0, pieceY = 0;
        bool landed = true;
    } seen;
    f.whenDrawn([](const Brikko& b) { return b.Dropping; },
                [&] {
                    seen = {f.brikko.Game.Piece, f.brikko.Game.PieceY, f.brikko.Landed};
                    f.controls.Form_KeyDown(KeyP);
                });
    f.events.at(Start + 30.0, [&] { f.controls.Form_KeyDown(KeyP); });
    f.endGameAt(Start + 30.2);
    f.play();

    QCOMPARE(seen.piece, PieceKindO);
    QCOMPARE(seen.pieceY, qint16(2));
    QVERIFY(!seen.landed);
    QCOMPARE(f.brikko.Game.Score, qint64(18 - 3)); // the I fell from row 3 to the floor
    QCOMPARE(f.window.captions.value(0), QStringLiteral("Brikko32 - Paused"));
    for (const Draw& d : f.draws)
        QVERIFY(!(d.dropping && d.paused));
}

// The music opens and plays at the start, plays again every 150 seconds, also
// while paused, and closes at the end; with sounds off nothing is sent.
void TestGameLoopControls::music_data() {
    QTest::addColumn<bool>("soundOn");
    QTest::addColumn<bool>("paused");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QList<double>>("times");
    const QStringList all{musicCommand("open"), musicCommand("play"), musicCommand("play"),
                          musicCommand("play"), musicCommand("close")};
    const QList<double> at{0, 0, 150, 300, 320};
    QTest::newRow("playing") << true << false << all << at;
    QTest::newRow("paused") << true << true << all << at;
    QTest::newRow("sounds off") << false << false << QStringList() << QList<double>();
}

void TestGameLoopControls::music() {
    QFETCH(bool, soundOn);
    QFETCH(bool, paused);
    QFETCH(QStringList, commands);
    QFETCH(QList<double>, times);
    LoopFixture f;
    f.options.SoundOn = soundOn;
    AutoPlayer player(f);
    if (paused)
        f.keyAt(Start + 1.25, KeyP);
    f.endGameAt(Start + 320.0);
    f.play();

    QCOMPARE(f.media.commands, commands);
    QCOMPARE(f.media.times.size(), times.size());
    for (int i = 0; i < times.size(); ++i)
        QVERIFY2(near(f.media.times[i], Start + times[i]), qPrintable(QString::number(i)));
    if (!soundOn)
        QVERIFY(f.sounds.played.isEmpty());
    if (paused)
        QVERIFY2(f.events.waits < 20, qPrintable(QString::number(f.events.waits)));
    else
        QVERIFY(player.placed() > 100);
}

// While paused, a change of the window's state (a minimised window lost the
// board's image) copies the back buffer to the screen again; other events do
// not.
void TestGameLoopControls::windowStateChangeWhilePausedRepaints() {
    LoopFixture f;
    f.keyAt(Start + 0.25, KeyP);
    f.events.at(Start + 5.0, [&] { f.window.state = GameWindowState::Minimized; });
    f.events.at(Start + 6.0, [&] { f.window.state = GameWindowState::Normal; });
    f.keyAt(Start + 7.0, KeyLeft); // ignored while paused
    f.endGameAt(Start + 8.0);
    f.play();

    QList<double> during;
    for (const Draw& d : f.draws)
        if (d.time > Start + 0.25)
            during << d.time - Start;
    QCOMPARE(during.size(), 2);
    QVERIFY(near(during[0], 5.0));
    QVERIFY(near(during[1], 6.0));
}

// The clock going back past midnight ends the wait under way and starts the
// music again.
void TestGameLoopControls::midnightEndsTheWaitAndRestartsTheMusic() {
    LoopFixture f;
    f.options.SoundOn = true;
    f.clock.seconds = 86399.0;
    f.events.at(86399.7, [&] {
        f.clock.seconds = 0.2; // 0.5 seconds later, on the next day
        f.endGameAt(1.0);
    });
    f.play();

    QList<double> passes;
    for (const Draw& d : f.draws)
        if (passes.isEmpty() || d.time != passes.back())
            passes << d.time;
    QVERIFY(passes.size() >= 4);
    QVERIFY(near(passes[0], 86399.0));
    QVERIFY(near(passes[1], 86399.5));
    QVERIFY(near(passes[2], 0.2)); // at once, not at 86400.0
    QVERIFY(near(passes[3], 0.7));
    QCOMPARE(f.media.commands.mid(0, 3),
             QStringList({musicCommand("open"), musicCommand("play"), musicCommand("play")}));
    QVERIFY(near(f.media.times[2], 0.2));
}

// A handler that ends the program during a game leaves the loop at once:
// nothing of the game's end runs.
void TestGameLoopControls::endingTheProgramLeavesAtOnce() {
    LoopFixture f;
    f.options.SoundOn = true;
    bool exited = false;
    bool hookRan = false;
    ProgramEnd::addShutdownHook([&] { hookRan = true; });
    ProgramEnd::setExitHandler([&] { exited = true; });
    f.events.at(Start + 1.25, [&] {
        f.controls.Form_KeyDown(KeyLeft);
        ProgramEnd::endProgram();
    });
    f.endGameAt(Start + 3.0);
    bool ended = false;
    try {
        f.play();
    } catch (const ProgramEnded&) {
        ended = true;
    }
    ProgramEnd::setExitHandler({});

    QVERIFY(ended);
    QVERIFY(exited);
    QVERIFY(hookRan);
    QVERIFY(near(f.lastDraw().time, Start + 1.25)); // the move's own redraw, then nothing
    QVERIFY(f.boxes.shown.empty());
    QVERIFY(f.boxes.prompts.isEmpty());
    QCOMPARE(f.display.shows, 0);
    QCOMPARE(f.handBacks, 0);
    QCOMPARE(f.window.hides, 0);
    QCOMPARE(f.media.commands, QStringList({musicCommand("open"), musicCommand("play")}));
}

// Each wait blocks in the event pump until its deadline or the next event: a
// game of eleven passes with nothing pressed asks for eleven waits, and a long
// pause for a handful.
void TestGameLoopControls::waitsBlockInsteadOfSpinning() {
    LoopFixture f;
    f.endGameAt(Start + 5.2);
    f.play();
    QCOMPARE(f.events.waits, 11);

    LoopFixture g;
    g.keyAt(Start + 0.25, KeyP);
    g.endGameAt(Start + 1000.0);
    g.play();
    QVERIFY2(g.events.waits <= 1 + 1000 / 60 + 2, qPrintable(QString::number(g.events.waits)));
}

QTEST_MAIN(TestGameLoopControls)
#include "test_game_loop_controls.moc"
