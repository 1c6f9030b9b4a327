// The game loop over whole games on a simulated clock (starting at 36000 s),
// and the keys and commands as the loop's wait runs them.

#include "program_end.h"
#include "test_game_loop_fixture.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

namespace {

constexpr double Start = LoopFixture::Start;
const QString Empty = QStringLiteral("..........");
const QString Gap = QStringLiteral("2222.22222"); // complete but for column 5

// One landing of an I, then two gravity steps of the next piece.
struct Landing {
    const char* name;
    double start; // the starting level
    int gaps;     // Gap rows at the bottom, the I upright into them; 0: flat onto row 16
    int downAt;   // the row of a fast drop; 0: none
    int presetLines, presetLevel; // -1: the starting level's
    const char* waits;            // between gravity steps, each value once
    const char* labels;           // score, lines, level
    const char* sounds;           // of rows and level ups
};

} // namespace

Q_DECLARE_METATYPE(Landing)

class TestGameLoop : public QObject {
    Q_OBJECT
private slots:
    void landing_data() {
        QTest::addColumn<Landing>("l");
        const Landing table[] = {
            {"level 0: 1 row", 0, 1, 0, 0, -1, "0.5000", "50 1 0", "Sound4"},
            {"3 rows", 0, 3, 0, 0, -1, "0.5000", "500 3 0", "Sound6"},
            {"4 rows at level 0", 0, 4, 0, 0, -1, "0.5000", "1000 4 0", "Sound7"},
            {"4 rows at level 2", 2, 4, 0, 0, -1, "0.4056", "3000 4 2", "Sound7"},
            {"2 rows, 9 to 11 lines", 0, 2, 0, 9, -1, "0.5000 0.4528", "300 11 1", "Sound5 Sound1"},
            {"level 2.5 plays 2", 2.5, 1, 0, 0, -1, "0.3820", "150 1 2", "Sound4"},
            {"level 9 to 10", 9, 1, 0, 99, -1, "0.0752", "550 100 10", "Sound4 Sound1"},
            {"drop from row 3 to 15", 0, 0, 3, 0, -1, "0.5000", "12 0 0", ""},
            {"row bonus at level 32", 0, 4, 0, 0, 32, "0.5000", "33000 4 32", "Sound7"},
            {"lines beyond 32767", 0, 4, 0, 32766, 40, "0.5000", "42000 32770 41", "Sound7 Sound1"},
        };
        for (const Landing& l : table)
            QTest::newRow(l.name) << l;
    }
    void landing() {
        QFETCH(Landing, l);
        LoopFixture f;
        f.options.StartingLevel = l.start;
        f.options.FillLines = f.options.SoundOn = true;
        f.queueFill(l.gaps ? QStringList(9 - l.gaps, Empty) + QStringList(l.gaps, Gap)
                           : QStringList(6, Empty) << "222222222.");
        f.events.at(Start, [&] {
            const GameState& g = f.brikko.game();
            f.brikko.loadPosition(
                {g.Board, 0, 0, 0, 0, l.presetLines, l.presetLevel >= 0 ? l.presetLevel : g.Level});
        });
        if (l.gaps)
            f.keysAtRow(2, {KeyUp});
        if (l.downAt)
            f.keysAtRow(l.downAt, {KeyDown});
        f.whenDrawn([&f](const Brikko& b) { return f.landings == 1 && b.game().PieceY == 3; },
                    [&f] { f.controls.mnuEndGame_Click(); });
        f.play();

        QStringList waits;
        for (std::size_t i = 1; i < f.draws.size(); ++i) {
            const Draw &a = f.draws[i - 1], &d = f.draws[i];
            if (d.piece == a.piece && d.pieceY == a.pieceY + 1 && !d.dropping)
                waits << QString::number(d.time - a.time, 'f', 4);
        }
        waits.removeDuplicates();
        QCOMPARE(waits.join(u' '), l.waits);
        QCOMPARE(f.labels.values().join(u' '), l.labels);
        QStringList heard; // not the steps' ticks
        for (const QString& path : f.sounds.played.filter(QRegularExpression("Sound[14-7]")))
            heard << QFileInfo(path).baseName();
        QCOMPARE(heard.join(u' '), l.sounds);
    }
    // Completed rows show empty, then go one by one, each 0.1 s after the last
    // and redrawn; a fast drop does not pause. Row 1 is emptied, not left in
    // place (a resting cell showed twice; rows 1 and 2 both full never ended).
    void collapse_data() {
        QTest::addColumn<QStringList>("before"); // rows 1..18
        QTest::addColumn<bool>("fastDrop");
        QTest::addColumn<QStringList>("after");
        const QStringList rows16and18 =
            QStringList(14, Empty) + QStringList{".......22.", Gap, "222", Gap};
        const QStringList rows16and18after =
            QStringList(16, Empty) + QStringList{"....1..22.", "222.1"};
        QTest::newRow("rows 16 and 18") << rows16and18 << false << rows16and18after;
        QTest::newRow("rows 16 and 18, fast drop") << rows16and18 << true << rows16and18after;
        QTest::newRow("a resting cell in row 1")
            << QStringList(17, "3") + QStringList{"3333.33333"} << false
            << QStringList{Empty} + QStringList(14, "3") + QStringList(3, "3...1");
        QTest::newRow("rows 1 and 2 complete")
            << QStringList{"333....333", "2222222222"} + QStringList(15, Empty) + QStringList{"3"}
            << false << QStringList(17, Empty) + QStringList{"3"};
    }
    void collapse() {
        QFETCH(QStringList, before);
        QFETCH(bool, fastDrop);
        QFETCH(QStringList, after);
        LoopFixture f;
        f.checkScreen = true;
        f.events.at(Start, [&] { f.brikko.loadPosition({boardOf(before)}); });
        if (before.last().indexOf(u'.') == 4) // the I stands up into column 5
            f.keysAtRow(2, {KeyUp, fastDrop ? KeyDown : 0});
        f.endGameAt(Start + 9.0);
        f.play();

        const auto at =
            std::find_if(f.draws.begin(), f.draws.end(), [](auto& d) { return d.landed; });
        const int lines = f.brikko.game().Lines;
        QVERIFY(lines > 0 && f.draws.end() - at > lines + 2);
        const double pause = fastDrop ? 0.0 : 0.1;
        for (int k = 0; k <= lines; ++k) // emptied at once, then each collapse
            QVERIFY(near(at[k + 1].time, at->time + (k ? k + 1 : 0) * pause));
        QCOMPARE(at[lines + 1].board, boardOf(after));
        QCOMPARE(at[lines + 2].pieceY, qint16(1)); // the next spawn
        QVERIFY(near(at[lines + 2].time, at[lines + 1].time + (fastDrop ? 0 : 0.5)));
        QCOMPARE(f.screenMismatches, 0);
    }
    // A piece spawned onto taken cells is still written; that pass ends with
    // no wait, then "Perdu !" and the rest of the game's end. The next game
    // shows the last one's cells as empty tiles at once.
    void spawnOnTheStackEndsTheGame() {
        LoopFixture f;
        f.checkScreen = true;
        f.random.queued = {0.99, 0.99, 0.99, 0.99, 0.99, 0.99, 0.99, 0.99, 0.99, 0.8}; // 9 O, T
        f.play();
        QCOMPARE(f.draws.back().board,
                 boardOf(QStringList({"....67", "...666"}) + QStringList(16, "....77")));
        QVERIFY(near(f.timeOfMessage, f.draws.back().time));
        QCOMPARE(f.journal, QStringList({"menus playing", "Perdu ! (0, Brikko32)",
                                         "high scores shown", "menus idle", "hide", "hand-back"}));
        f.endGameAt(f.clock.seconds);
        f.play();
        QCOMPARE(f.screenMismatches, 0);
    }
    // 200 new games: rows 1 to 9 stay empty, a cell of rows 10 to 18 fills with
    // chance (floor(level) + 1) / 30. The bound, 4.5 deviations of 18 000 cells,
    // fails a true rate once in 150 000 runs; a level off is 9 or more out.
    void filledRowsMatchTheirChance_data() {
        QTest::addColumn<double>("level");
        QTest::newRow("level 0") << 0.0;
        QTest::newRow("level 2.5") << 2.5;
        QTest::newRow("level 9") << 9.0;
    }
    void filledRowsMatchTheirChance() {
        QFETCH(double, level);
        LoopFixture f(/*realRandom=*/true);
        f.brikko.connectLoop({&f.options, nullptr, nullptr, nullptr, nullptr});
        f.options.StartingLevel = level;
        f.options.FillLines = true;
        qint64 filled = 0, topFilled = 0;
        for (int g = 0; g < 200; ++g) {
            f.events.at(f.clock.seconds, [&] {
                for (int r = 1; r <= BoardRows; ++r)
                    for (int c = 1; c <= BoardColumns; ++c)
                        (r < 10 ? topFilled : filled) += f.brikko.game().Board(c, r) != 0;
                f.controls.mnuEndGame_Click();
            });
            f.play();
        }
        QCOMPARE(topFilled, qint64(0));
        const double chance = (std::floor(level) + 1) / 30, cells = 200 * 90.0;
        const double bound = 4.5 * std::sqrt(chance * (1 - chance) / cells);
        QVERIFY2(std::abs(filled / cells - chance) <= bound, qPrintable(QString::number(filled)));
    }
    // A whole game with the real files: an I dropped into four rows, then
    // squares until one cannot enter; the screen showed the board at each copy.
    void wholeGamesWithRealFiles() {
        LoopFixture f;
        f.checkScreen = true;
        const QByteArray ini = "[Brikko32]\r\nStarting Level=1\r\nFill Lines=True\r\n"
                               "Play Sounds=True\r\nHide Splash=False\r\n";
        QVERIFY(writeFile(f.optionsFile.path(), ini));
        QVERIFY(writeFile(f.scores.filePath(),
                          "Ana:5000\r\nBob:2014\r\nCl\xC3\xA9o:100\r\nDan:50\r\nEve:0\r\n"));
        f.options.LoadOptions();
        f.scores.LoadHighScores();
        f.queueFill(QStringList(5, Empty) + QStringList(4, Gap));
        f.random.queued.push_back(0.0); // the first piece an I, then squares
        f.random.fallback = 0.99;
        f.keysAtRow(2, {KeyUp, KeyDown});
        f.boxes.answers << QStringLiteral("Zoé");
        f.play();

        QCOMPARE(f.brikko.game().Score, qint64(2 * 1000 + 14)); // 4 rows at level 1, 14 dropped
        QCOMPARE(f.boxes.prompts, QStringList{HighScoreTable::namePrompt() + " | Kubolt"});
        const QByteArray table =
            "Ana:5000\r\nZo\xC3\xA9:2014\r\nBob:2014\r\nCl\xC3\xA9o:100\r\nDan:50\r\n";
        QCOMPARE(readFile(f.scores.filePath()), table);
        QCOMPARE(readFile(f.optionsFile.path()), ini);
        QCOMPARE(f.screenMismatches, 0);
        QCOMPARE(f.brikko.game().Board, boardOf(QStringList(18, "....77")));
        QVERIFY(f.music.last().startsWith("close"));
    }
    // The key table in each state of a game. A T is put at (5, 5) once the
    // first piece has spawned; "dropping": Down was pressed there and the T
    // has since fallen to row 9; "landed": the I that came to rest, before
    // the next spawn; "no game": after a game ended, also one ended paused.
    // Key -1 is the "&Pause" command.
    void keyTable_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("effect"); // what changed
        const auto row = [](const char* state, const char* name, int key, const char* effect) {
            QTest::addRow("%s: %s", state, name) << QString(state) << key << QString(effect);
        };
        row("falling", "Left", KeyLeft, "x 4");
        row("falling", "Right", KeyRight, "x 6");
        row("falling", "Up", KeyUp, "turn 2");
        row("falling", "Clear", KeyClear, "turn 2");
        row("falling", "Down", KeyDown, "drop from 5");
        row("falling", "P", KeyP, "paused");
        row("falling", "A", 65, "");
        row("falling", "&Pause", -1, "paused");
        row("dropping", "Down again", KeyDown, "");
        row("paused", "Left", KeyLeft, "");
        row("paused", "Up", KeyUp, "");
        row("paused", "Down", KeyDown, "");
        row("paused", "P", KeyP, "resumed");
        row("paused", "&Pause", -1, "resumed");
        row("landed", "Left", KeyLeft, "");
        row("landed", "Down", KeyDown, "");
        row("landed", "P", KeyP, "");
        row("landed", "&Pause", -1, "paused");
        row("no game", "Left", KeyLeft, "");
        row("no game", "Down", KeyDown, "");
        row("no game, paused", "P", KeyP, "");
    }
    void keyTable() {
        QFETCH(QString, state);
        QFETCH(int, key);
        QFETCH(QString, effect);
        LoopFixture f;
        const Brikko& b = f.brikko;
        const auto snapshot = [&b] {
            return QStringList{QStringLiteral("x %1").arg(b.game().PieceX),
                               QStringLiteral("turn %1").arg(b.game().Orientation),
                               QStringLiteral("drop from %1").arg(b.dropStartRow()),
                               b.paused() ? "paused" : "resumed"};
        };
        QString seen = "not pressed";
        const auto press = [&] { // what changed
            const QStringList was = snapshot();
            key < 0 ? f.controls.mnuPause_Click() : f.controls.Form_KeyDown(key);
            QStringList now = snapshot();
            now.removeIf([&](const QString& item) { return was.contains(item); });
            seen = now.join(", ");
        };
        const auto tAt = [&f](int row) { f.brikko.loadPosition(positionWith({}, 6, 1, 5, row)); };
        if (state == "landed") {
            f.whenDrawn([](const Brikko& g) { return g.landed(); },
                        [&] {
                            press();
                            f.controls.mnuEndGame_Click();
                        });
        } else {
            f.whenDrawn([](const Brikko& g) { return g.game().Piece != 0; },
                        [&] {
                            tAt(5);
                            if (state.endsWith("paused"))
                                f.controls.Form_KeyDown(KeyP);
                            if (state == "dropping") {
                                f.controls.Form_KeyDown(KeyDown);
                                tAt(9);
                            }
                            if (!state.startsWith("no game"))
                                press();
                            f.controls.mnuEndGame_Click();
                        });
        }
        f.play();
        if (state.startsWith("no game"))
            press();
        QCOMPARE(seen, effect);
    }
    // A modal window opened from the menus (for 20 s) pauses a running game,
    // which stays paused when it closes; so does restoring the window to its
    // normal state, while minimising or maximising it does not.
    void windowEventsThatPause_data() {
        QTest::addColumn<QString>("event");
        QTest::addColumn<bool>("pauses");
        QTest::newRow("modal window") << "modal window" << true;
        QTest::newRow("restored") << "restored" << true;
        QTest::newRow("minimised") << "minimised" << false;
        QTest::newRow("maximised") << "maximised" << false;
    }
    void windowEventsThatPause() {
        QFETCH(QString, event);
        QFETCH(bool, pauses);
        LoopFixture f;
        f.events.at(Start + 1.25, [&] {
            if (event == "modal window") {
                f.controls.pauseIfPlaying();
                f.clock.advance(20.0);
                f.brikko.RepaintBoard(); // Form_Activate
                return;
            }
            f.state = event == "restored"    ? GameWindowState::Normal
                      : event == "minimised" ? GameWindowState::Minimized
                                             : GameWindowState::Maximized;
            f.controls.Form_Resize(f.state);
        });
        f.endGameAt(Start + 40.0);
        f.play();
        const auto passes = std::count_if(f.draws.begin(), f.draws.end(), [](const Draw& d) {
            return d.time > Start + 21.3 && d.time < Start + 40.0;
        });
        QCOMPARE(passes == 0, pauses);
        QCOMPARE(f.brikko.paused(), pauses);
    }
    // The clock going back past midnight ends the wait at once rather than
    // when it reaches the wait's start again, and starts the music again.
    void clockBackPastMidnight() {
        LoopFixture f;
        f.options.SoundOn = true;
        f.events.at(Start + 1.25, [&] {
            f.clock.seconds = 0.5;
            f.endGameAt(2.0);
        });
        f.play();
        QStringList after; // time and row of each draw after midnight
        for (const Draw& d : f.draws)
            if (d.time < Start)
                after << QStringLiteral("%1 %2").arg(d.time).arg(d.pieceY);
        QCOMPARE(after, QStringList({"0.5 4", "1 5", "1.5 6"}));
        QCOMPARE(f.music, QStringList({"open 36000.0", "play 36000.0", "play 0.5", "close 2.0"}));
    }
    // Each kind enters in orientation 1 at column 5 in rows 1 and 2, and the
    // preview shows the kind drawn after it.
    void spawn_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("rows"); // rows 1 and 2
        QTest::newRow("I") << 1 << QStringList({"...1111", ""});
        QTest::newRow("J") << 2 << QStringList({"...2", "...222"});
        QTest::newRow("L") << 3 << QStringList({".....3", "...333"});
        QTest::newRow("Z") << 4 << QStringList({"...44", "....44"});
        QTest::newRow("S") << 5 << QStringList({"....55", "...55"});
        QTest::newRow("T") << 6 << QStringList({"....6", "...666"});
        QTest::newRow("O") << 7 << QStringList({"....77", "....77"});
    }
    void spawn() {
        QFETCH(int, kind);
        QFETCH(QStringList, rows);
        LoopFixture f;
        const int next = kind % PieceKindCount + 1;
        f.random.queued = {(kind - 0.5) / PieceKindCount, (next - 0.5) / PieceKindCount};
        f.endGameAt(Start + 0.25);
        f.play();
        QCOMPARE(f.draws.back().board, boardOf(rows));
        QCOMPARE(f.preview.picture(), f.renderer.pictures().Next(next));
    }
    // "&Arrêter la partie" shows the exercise at once; the game ends at the
    // loop's next check, also in the first yield or paused (the caption stays
    // till the next game's first wait). "&Nouveau jeu" is ignored in a game.
    // Each wait blocks in the event pump until its deadline or the next event.
    void endGame_data() {
        QTest::addColumn<double>("pauseAt"); // 0: never
        QTest::addColumn<double>("endAt");
        QTest::addColumn<int>("waits"); // one per pass and per event
        QTest::newRow("in the first yield") << 0.0 << 0.0 << 0;
        QTest::newRow("while falling") << 0.0 << 2.2 << 6;
        QTest::newRow("while paused") << 0.25 << 5.0 << 3;
    }
    void endGame() {
        QFETCH(double, pauseAt);
        QFETCH(double, endAt);
        QFETCH(int, waits);
        LoopFixture f;
        f.options.SoundOn = true;
        if (pauseAt)
            f.keyAt(Start + pauseAt, KeyP);
        f.events.at(Start + 0.1, [&] { f.controls.mnuNewGame_Click(); });
        f.events.at(Start + endAt, [&] {
            f.controls.mnuEndGame_Click();
            QCOMPARE(f.journal.last(), "exercise shown");
        });
        f.play();
        QCOMPARE(f.journal, QStringList({"menus playing", "exercise shown", "Perdu ! (0, Brikko32)",
                                         "high scores shown", "menus idle", "hide", "hand-back"}));
        QVERIFY(near(f.timeOfMessage, Start + endAt));
        QCOMPARE(f.events.waits, waits);
        QCOMPARE(f.music.last(), QStringLiteral("close %1").arg(Start + endAt, 0, 'f', 1));
        QCOMPARE(f.currentCaption, pauseAt ? "Brikko32 - Paused" : "Brikko32");
        f.controls.Form_KeyDown(KeyP);
        QCOMPARE(f.brikko.paused(), bool(pauseAt));
        f.endGameAt(f.clock.seconds + 0.75);
        f.play();
        QCOMPARE(f.currentCaption, "Brikko32");
    }
    // P pauses: no pass runs, the caption says so; a change of the window's
    // state shows the board again. P resumes: the next pass comes at once.
    void pauseAndResume() {
        LoopFixture f;
        f.keyAt(Start + 1.25, KeyP);
        f.events.at(Start + 5.0, [&] { f.state = GameWindowState::Minimized; });
        f.events.at(Start + 6.0, [&] { f.state = GameWindowState::Normal; });
        f.keyAt(Start + 7.0, KeyLeft); // ignored while paused
        f.keyAt(Start + 100.0, KeyP);
        f.endGameAt(Start + 101.2);
        f.play();
        QStringList during; // time and row of each draw from the pause on
        for (const Draw& d : f.draws)
            if (d.time > Start + 1.0 && d.time < Start + 100.8)
                during << QStringLiteral("%1 %2").arg(d.time - Start).arg(d.pieceY);
        QCOMPARE(during, QStringList({"5 3", "6 3", "100 4", "100.5 5"}));
        QCOMPARE(f.captions, QStringList({"Brikko32 - Paused", "Brikko32"}));
    }
    // A fast drop neither waits nor yields: P pressed as it starts acts after
    // the next piece has spawned.
    void pDuringAFastDropActsAfterTheNextSpawn() {
        LoopFixture f;
        f.random.queued = {0.0, 0.99}; // an I, then an O
        f.keysAtRow(3, {KeyDown});
        int seen = 0;
        f.whenDrawn([](const Brikko& b) { return b.dropping(); },
                    [&] {
                        seen = f.brikko.game().Piece * 100 + f.brikko.game().PieceY;
                        f.controls.Form_KeyDown(KeyP);
                    });
        f.keyAt(Start + 30.0, KeyP);
        f.endGameAt(Start + 30.2);
        f.play();
        QCOMPARE(seen, PieceKindO * 100 + 2); // the O, just spawned
        QCOMPARE(f.captions.value(0), "Brikko32 - Paused");
    }
    // The music opens and plays at the start, plays again every 150 s, also
    // while paused, and closes at the end (games paused from 0.25 s last); sounds off from the
    // start: nothing at all. Sounds switched off in a game stop it at once; switched on again, the
    // keep-alive plays it again, and the end closes it.
    void music_data() {
        QTest::addColumn<bool>("soundOn");
        QTest::addColumn<QString>("script"); // P key P, O sounds off, N on, U unload; at seconds
        QTest::addColumn<double>("end");
        QTest::addColumn<QStringList>("music");
        const QStringList opened{"open 36000.0", "play 36000.0"};
        QTest::newRow("falling across 150 s")
            << true << "P0.25 P140" << 170.0
            << opened + QStringList{"play 36150.0", "close 36170.0"};
        QTest::newRow("paused") << true << "P0.25" << 320.0
                                << opened +
                                       QStringList{"play 36150.0", "play 36300.0", "close 36320.0"};
        QTest::newRow("sounds off") << false << "P0.25 P140" << 170.0 << QStringList();
        QTest::newRow("switched off")
            << true << "O10" << 170.0 << opened + QStringList{"close 36010.0"};
        QTest::newRow("switched off while paused")
            << true << "P0.25 O10" << 170.0 << opened + QStringList{"close 36010.0"};
        QTest::newRow("switched off and on")
            << true << "P0.25 O10 N20" << 160.0
            << opened + QStringList{"close 36010.0", "play 36150.0", "close 36160.0"};
        QTest::newRow("unloaded") << true << "P0.25 U10" << 100.0
                                  << opened + QStringList{"close 36010.0"};
        QTest::newRow("switched on")
            << false << "P0.25 N20" << 160.0 << QStringList{"play 36020.0", "close 36160.0"};
    }
    void music() {
        QFETCH(bool, soundOn);
        QFETCH(QString, script);
        QFETCH(double, end);
        QFETCH(QStringList, music);
        LoopFixture f;
        f.options.SoundOn = soundOn;
        for (const QString& step : script.split(u' ')) {
            const double at = Start + step.mid(1).toDouble();
            if (step[0] == u'P')
                f.keyAt(at, KeyP);
            else if (step[0] == u'U')
                f.events.at(at, [&f] { f.brikko.StopMusic(); });
            else
                f.events.at(at, [&f, on = step[0] == u'N'] { f.options.SoundOn = on; });
        }
        f.endGameAt(Start + end);
        f.play();
        QCOMPARE(f.music, music);
        QVERIFY(soundOn || script.contains(u'N') || f.sounds.played.isEmpty());
        QVERIFY(!script.endsWith("P0.25") || f.events.waits <= 8); // each minute, 150, 300, end
    }
    // Ending the program leaves the game at once: nothing of its end runs.
    void endingTheProgramLeavesAtOnce() {
        LoopFixture f;
        f.options.SoundOn = true;
        bool exited = false;
        ProgramEnd::setExitHandler([&] { exited = true; });
        f.events.at(Start + 1.25, [&] {
            f.controls.Form_KeyDown(KeyLeft);
            ProgramEnd::endProgram();
        });
        f.endGameAt(Start + 3.0);
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, f.play());
        ProgramEnd::setExitHandler({});
        QVERIFY(exited);
        QVERIFY(near(f.draws.back().time, Start + 1.25)); // the move's own redraw
        QCOMPARE(f.journal, QStringList{"menus playing"});
        QCOMPARE(f.music, QStringList({"open 36000.0", "play 36000.0"}));
    }
};

QTEST_MAIN(TestGameLoop)
#include "test_game_loop.moc"
