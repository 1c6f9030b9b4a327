// The game loop over whole games on a simulated clock, and the keys and
// commands as the loop's wait runs them. Times are seconds after the start.

#include "game_fixture.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

namespace {

constexpr double Start = GameFixture::Start;
const QString Empty = QStringLiteral("..........");
const QString Gap = QStringLiteral("2222.22222"); // complete but for column 5

} // namespace

class TestGameLoop : public QObject {
    Q_OBJECT
private slots:
    // One landing of an I on filled rows, then two gravity steps of the next
    // piece: the waits between steps (each value once), the labels, the sounds.
    void landing_data() {
        QTest::addColumn<double>("level"); // the starting level
        QTest::addColumn<int>("gaps"); // Gap rows the I stands up into; 0 flat, -1 dropped at row 3
        QTest::addColumn<int>("lines");          // at the start
        QTest::addColumn<QStringList>("waits");  // seconds
        QTest::addColumn<QStringList>("labels"); // score, lines, level
        QTest::addColumn<QStringList>("sounds");
        const auto row = [](const char* name, double level, int gaps, int lines, const char* waits,
                            const char* labels, const char* sounds) {
            QTest::newRow(name) << level << gaps << lines << QString(waits).split(u' ')
                                << QString(labels).split(u' ') << QString(sounds).split(u' ');
        };
        row("1 row at level 0", 0, 1, 0, "0.5000", "50 1 0", "Sound2 Sound4");
        row("3 rows", 0, 3, 0, "0.5000", "500 3 0", "Sound2 Sound6");
        row("4 rows at level 2", 2, 4, 0, "0.4056", "3000 4 2", "Sound2 Sound7");
        row("2 rows, 9 to 11 lines", 0, 2, 9, "0.5000 0.4528", "300 11 1", "Sound2 Sound5 Sound1");
        row("level 2.5 plays 2", 2.5, 1, 0, "0.3820", "150 1 2", "Sound2 Sound4");
        row("level 9 to 10", 9, 1, 99, "0.0752", "550 100 10", "Sound2 Sound4 Sound1");
        row("drop from row 3 to 15", 0, -1, 0, "0.5000", "12 0 0", "Sound2");
        row("32770 lines", 0, 4, 32766, "0.5000 0.4528", "2000 32770 1", "Sound2 Sound7 Sound1");
    }
    void landing() {
        QFETCH(double, level);
        QFETCH(int, gaps);
        QFETCH(int, lines);
        GameFixture f;
        f.options.StartingLevel = level;
        f.options.FillLines = f.options.SoundOn = true;
        f.queueFill(gaps > 0 ? QStringList(9 - gaps, Empty) + QStringList(gaps, Gap)
                             : QStringList(6, Empty) << "222222222.");
        f.events.at(Start, [&] {
            const GameState& g = f.brikko.game();
            f.brikko.loadPosition({g.Board, 0, 0, 0, 0, lines, g.Level});
        });
        f.whenDrawn([&](const Brikko& b) { return b.game().PieceY == 2; },
                    [&] { f.controls.Form_KeyDown(gaps > 0 ? KeyUp : 0); });
        f.whenDrawn([&](const Brikko& b) { return gaps < 0 && b.game().PieceY == 3; },
                    [&] { f.controls.Form_KeyDown(KeyDown); });
        f.whenDrawn([&f](const Brikko& b) { return f.landings == 1 && b.game().PieceY == 3; },
                    [&f] { f.controls.mnuEndGame_Click(); });
        f.play();
        QStringList waits, heard; // heard: not the steps' ticks
        for (std::size_t i = 1; i < f.draws.size(); ++i) {
            const Draw &a = f.draws[i - 1], &d = f.draws[i];
            if (d.piece == a.piece && d.pieceY == a.pieceY + 1 && !d.dropping)
                waits << QString::number(d.time - a.time, 'f', 4);
        }
        waits.removeDuplicates();
        for (const QString& path : f.sounds.played.filter(QRegularExpression("Sound[1245-7]")))
            heard << QFileInfo(path).baseName();
        heard.removeDuplicates();
        QTEST(waits, "waits");
        QTEST(f.labels.values(), "labels");
        QTEST(heard, "sounds");
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
        GameFixture f;
        f.events.at(Start, [&] { f.brikko.loadPosition({boardOf(before)}); });
        f.whenDrawn([&](const Brikko& b) { return b.game().PieceY == 2; },
                    [&] { // the I stands up into column 5
                        f.controls.Form_KeyDown(before.last().indexOf(u'.') == 4 ? KeyUp : 0);
                        f.controls.Form_KeyDown(fastDrop ? KeyDown : 0);
                    });
        f.keyAt(9.0, 0);
        f.play();
        const auto at =
            std::find_if(f.draws.begin(), f.draws.end(), [](auto& d) { return d.landed; });
        const int lines = f.brikko.game().Lines;
        QVERIFY(lines > 0 && f.draws.end() - at > lines + 2);
        for (int k = 0; k <= lines; ++k) // emptied at once, then each collapse
            QCOMPARE(at[k + 1].time, at->time + (k ? k + 1 : 0) * (fastDrop ? 0 : 0.1));
        QCOMPARE(at[lines + 1].board, boardOf(after));
        QCOMPARE(at[lines + 2].pieceY, qint16(1)); // the next spawn
        QCOMPARE(at[lines + 2].time, at[lines + 1].time + (fastDrop ? 0 : 0.5));
        QCOMPARE(f.screenMismatches, 0);
    }
    // A piece spawned onto taken cells is still written; that pass ends with
    // no wait, then "Perdu !" and the rest of the game's end. The preview
    // shows the piece after it. The next game shows the last one's cells as
    // empty tiles at once.
    void spawnOnTheStackEndsTheGame() {
        GameFixture f;
        f.random.queued = {0.99, 0.99, 0.99, 0.99, 0.99, 0.99, 0.99, 0.99, 0.99, 0.8}; // 9 O, T
        f.play();
        QCOMPARE(f.draws.back().board,
                 boardOf(QStringList({"....67", "...666"}) + QStringList(16, "....77")));
        QCOMPARE(f.preview.picture(), f.renderer.pictures().Next(PieceKindI));
        QCOMPARE(f.timeOfMessage, f.draws.back().time);
        QCOMPARE(f.journal, QStringList({"menus playing", "Perdu ! (0, Brikko32)",
                                         "high scores shown", "menus idle", "hide", "hand-back"}));
        f.keyAt(f.clock.seconds - Start, 0);
        f.play();
        QCOMPARE(f.screenMismatches, 0);
    }
    // The key table in each state of a game. A T is put at (5, 5) once the
    // first piece has spawned; "dropping": Down was pressed there and the T
    // has since fallen to row 9; "landed": the I that came to rest, before
    // the next spawn. Key -1 is the "&Pause" command.
    void keyTable_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after"); // PieceX, Orientation, DropStartRow, Paused
        const auto row = [](const char* state, const char* name, int key, const char* after) {
            QTest::addRow("%s: %s", state, name) << QString(state) << key << QString(after);
        };
        row("falling", "Clear", KeyClear, "5 2 0 0");
        row("falling", "Down", KeyDown, "5 1 5 0");
        row("falling", "&Pause", -1, "5 1 0 1");
        row("dropping", "Down again", KeyDown, "5 1 5 0");
        row("paused", "Left", KeyLeft, "5 1 0 1");
        row("paused", "P", KeyP, "5 1 0 0");
        row("paused", "&Pause", -1, "5 1 0 0");
        row("landed", "Left", KeyLeft, "5 1 0 0");
        row("landed", "P", KeyP, "5 1 0 0");
        row("landed", "&Pause", -1, "5 1 0 1");
    }
    void keyTable() {
        QFETCH(QString, state);
        QFETCH(int, key);
        GameFixture f;
        const Brikko& b = f.brikko;
        QString after;
        const auto tAt = [&f](int row) { f.brikko.loadPosition({{}, 6, 5, qint16(row), 1}); };
        f.whenDrawn(
            [&](const Brikko& g) { return state == "landed" ? g.landed() : g.game().Piece != 0; },
            [&] {
                if (state != "landed")
                    tAt(5);
                f.controls.Form_KeyDown(state == "paused" ? KeyP : 0);
                if (state == "dropping") {
                    f.controls.Form_KeyDown(KeyDown);
                    tAt(9);
                }
                key < 0 ? f.controls.mnuPause_Click() : f.controls.Form_KeyDown(key);
                after = QStringLiteral("%1 %2 %3 %4")
                            .arg(b.game().PieceX)
                            .arg(b.game().Orientation)
                            .arg(b.dropStartRow())
                            .arg(int(b.paused()));
                f.controls.mnuEndGame_Click();
            });
        f.play();
        QTEST(after, "after");
    }
    // Restoring the window to its normal state pauses a running game;
    // minimising or maximising it does not. Paused, no pass runs, the caption
    // says so, and a change of the window's state shows the board again; P
    // resumes, the next pass at once.
    void windowStateChanges_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<QStringList>("draws"); // the first two after 1.25 s
        QTest::newRow("restored") << int(GameWindowState::Normal) << QStringList{"5", "10"};
        QTest::newRow("minimised") << int(GameWindowState::Minimized) << QStringList{"1.5", "2"};
        QTest::newRow("maximised") << int(GameWindowState::Maximized) << QStringList{"1.5", "2"};
    }
    void windowStateChanges() {
        QFETCH(int, state);
        GameFixture f;
        f.events.at(Start + 1.25,
                    [&] { f.controls.Form_Resize(f.state = GameWindowState(state)); });
        f.events.at(Start + 5.0, [&] { f.state = GameWindowState(state == 1 ? 0 : 1); });
        f.keyAt(10.0, KeyP);
        f.keyAt(10.2, 0);
        f.play();
        QStringList draws;
        for (const Draw& d : f.draws)
            if (d.time > Start + 1.25)
                draws << QString::number(d.time - Start);
        QTEST(draws.mid(0, 2), "draws");
        QCOMPARE(f.caption(), state ? "Brikko32 - Paused" : "Brikko32");
    }
    // The clock going back past midnight ends the wait at once rather than
    // when it reaches the wait's start again, and starts the music again.
    void clockBackPastMidnight() {
        GameFixture f;
        f.options.SoundOn = true;
        f.events.at(Start + 1.25, [&] {
            f.clock.seconds = 0.5;
            f.events.at(2.0, [&] { f.controls.mnuEndGame_Click(); });
        });
        f.play();
        QStringList after; // time and row of each draw after midnight
        for (const Draw& d : f.draws)
            if (d.time < Start)
                after << QStringLiteral("%1 %2").arg(d.time).arg(d.pieceY);
        QCOMPARE(after, QStringList({"0.5 4", "1 5", "1.5 6"}));
        QCOMPARE(f.music, QStringList({"open 36000.0", "play 36000.0", "play 0.5", "close 2.0"}));
    }
    // "&Arrêter la partie" shows the exercise at once; the game ends at the
    // loop's next check, also in the first yield or paused (the caption stays;
    // P does nothing then). "&Nouveau jeu" is
    // ignored in a game. Each wait blocks until its deadline or the next event.
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
        GameFixture f;
        f.options.SoundOn = true;
        if (pauseAt)
            f.keyAt(pauseAt, KeyP);
        f.events.at(Start + 0.1, [&] { f.controls.mnuNewGame_Click(); });
        f.keyAt(endAt, 0);
        f.play();
        QCOMPARE(f.journal, QStringList({"menus playing", "exercise shown", "Perdu ! (0, Brikko32)",
                                         "high scores shown", "menus idle", "hide", "hand-back"}));
        QCOMPARE(f.timeOfMessage, Start + endAt);
        QTEST(f.events.waits, "waits");
        QCOMPARE(f.caption(), pauseAt ? "Brikko32 - Paused" : "Brikko32");
        f.controls.Form_KeyDown(KeyP);
        QCOMPARE(f.brikko.paused(), bool(pauseAt));
    }
    // The music opens and plays at the start, plays again every 150 s, also
    // while paused, and closes at the end (games paused from 0.25 s last);
    // sounds off from the start: nothing at all. Sounds switched off in a game
    // stop it at once; switched on again, the keep-alive plays it again, and
    // the end closes it. The folder's name is quoted in each command.
    void music_data() {
        QTest::addColumn<bool>("soundOn");
        QTest::addColumn<QString>("script"); // P key P, O sounds off, N on, U unload; at seconds
        QTest::addColumn<double>("end");
        QTest::addColumn<QStringList>("music");
        const QStringList opened{"open 36000.0", "play 36000.0"};
        QTest::newRow("paused") << true << "P0.25" << 320.0
                                << opened +
                                       QStringList{"play 36150.0", "play 36300.0", "close 36320.0"};
        QTest::newRow("sounds off") << false << "P0.25 P140" << 170.0 << QStringList();
        QTest::newRow("switched off")
            << true << "O10" << 170.0 << opened + QStringList{"close 36010.0"};
        QTest::newRow("switched off and on")
            << true << "P0.25 O10 N20" << 160.0
            << opened + QStringList{"close 36010.0", "play 36150.0", "close 36160.0"};
        QTest::newRow("unloaded") << true << "P0.25 U10" << 100.0
                                  << opened + QStringList{"close 36010.0"};
    }
    void music() {
        QFETCH(bool, soundOn);
        QFETCH(QString, script);
        QFETCH(double, end);
        GameFixture f;
        f.options.SoundOn = soundOn;
        for (const QString& step : script.split(u' '))
            f.events.at(Start + step.mid(1).toDouble(), [&f, what = step[0]] {
                if (what == u'P')
                    f.controls.Form_KeyDown(KeyP);
                else if (what == u'U')
                    f.brikko.StopMusic();
                else
                    f.options.SoundOn = what == u'N';
            });
        f.keyAt(end, 0);
        f.play();
        QTEST(f.music, "music");
        QVERIFY(soundOn || f.sounds.played.isEmpty());
        QVERIFY(!script.endsWith("P0.25") || f.events.waits <= 8); // each minute, 150, 300, end
        QCOMPARE(f.lastMusicCommand.section(u' ', 1),
                 soundOn ? "\"" + GameFixture::DataDir + "/Brikko32.mid\"" : QString());
    }
};

QTEST_MAIN(TestGameLoop)
#include "test_game_loop.moc"
