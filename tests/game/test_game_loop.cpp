// SPDX-License-Identifier: GPL-3.0-or-later
// The game loop over whole games on a simulated clock, and the keys and
// commands as the loop's wait runs them. Times are seconds after the start.

#include "game_fixture.h"

#include <QRegularExpression>
#include <QtTest>

constexpr double Start = GameFixture::Start;
const QString Empty = QStringLiteral("..........");
const QString Gap = QStringLiteral("2222.22222"); // complete but for column 5

class TestGameLoop : public QObject {
    Q_OBJECT
private slots:
    // One landing of an I on filled rows, then two gravity steps of the next
    // piece: the waits between steps (each value once), the labels, the sounds.
    void landing_data() {
        QTest::addColumn<double>("level");       // the starting level
        QTest::addColumn<int>("gaps");           // Gap rows the I stands up into
        QTest::addColumn<int>("lines");          // at the start
        QTest::addColumn<QStringList>("waits");  // seconds
        QTest::addColumn<QStringList>("labels"); // score, lines, level
        QTest::addColumn<QStringList>("sounds");
        const auto row = [](const char* name, double level, int gaps, int lines, const char* waits,
                            const char* labels, const char* sounds) {
            QTest::newRow(name) << level << gaps << lines << QString(waits).split(u' ')
                                << QString(labels).split(u' ') << QString(sounds).split(u' ');
        };
        row("3 rows", 0, 3, 0, "0.5000", "500 3 0", "Sound2 Sound6");
        row("4 rows at level 2", 2, 4, 0, "0.4056", "3000 4 2", "Sound2 Sound7");
        row("2 rows, 9 to 11 lines", 0, 2, 9, "0.5000 0.4528", "300 11 1", "Sound2 Sound5 Sound1");
        row("level 2.5 plays 2", 2.5, 1, 0, "0.3820", "150 1 2", "Sound2 Sound4");
        row("level 9 to 10", 9, 1, 99, "0.0752", "550 100 10", "Sound2 Sound4 Sound1");
        row("32770 lines", 0, 4, 32766, "0.5000 0.4528", "2000 32770 1", "Sound2 Sound7 Sound1");
    }
    void landing() {
        QFETCH(double, level);
        QFETCH(int, gaps);
        QFETCH(int, lines);
        GameFixture f;
        f.options.setStartingLevel(level);
        f.options.setSoundOn(true);
        const QStringList rows = QStringList(9 - gaps, Empty) + QStringList(gaps, Gap);
        f.events.at(Start, [&] {
            f.loadPosition({boardOf(rows, 10), 0, 0, 0, 0, lines, f.brikko.game().Level});
        });
        f.whenDrawn([&](const Brikko& b) { return b.game().PieceY == 2; },
                    [&] { f.session.onKeyDown(KeyUp); });
        f.whenDrawn([&](const Brikko& b) { return b.game().Lines > lines && b.game().PieceY == 3; },
                    [&] { f.session.onEndGameTriggered(); });
        f.play();
        QStringList waits, heard; // heard: not the steps' ticks
        for (std::size_t i = 1; i < f.draws.size(); ++i) {
            const Draw &a = f.draws[i - 1], &d = f.draws[i];
            if (d.piece == a.piece && d.pieceY == a.pieceY + 1)
                waits << QString::number(d.time - a.time, 'f', 4);
        }
        waits.removeDuplicates();
        for (const QString& path : f.sounds.played.filter(QRegularExpression("Sound[1245-7]")))
            heard << path.section(u'/', -1).chopped(4);
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
        f.events.at(Start, [&] { f.loadPosition({boardOf(before)}); });
        f.whenDrawn([&](const Brikko& b) { return b.game().PieceY == 2; },
                    [&] { // the I stands up into column 5
                        f.session.onKeyDown(before.last().indexOf(u'.') == 4 ? KeyUp : 0);
                        f.session.onKeyDown(fastDrop ? KeyDown : 0);
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
        QCOMPARE(f.preview.picture(), f.renderer.pictures().previewImage(PieceKindI));
        QCOMPARE(f.timeOfMessage, f.draws.back().time);
        QCOMPARE(f.journal, QStringList({"menus playing", "Perdu ! (plain, Brikko32)",
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
        row("landed", "&Pause", -1, "5 1 0 1");
    }
    void keyTable() {
        QFETCH(QString, state);
        QFETCH(int, key);
        GameFixture f;
        QString after;
        const auto tAt = [&f](int row) { f.loadPosition({{}, 6, 5, qint16(row), 1}); };
        f.whenDrawn(
            [&](const Brikko& g) { return state == "landed" ? g.landed() : g.game().Piece != 0; },
            [&] {
                if (state != "landed")
                    tAt(5);
                f.session.onKeyDown(state == "paused" ? KeyP : 0);
                if (state == "dropping") {
                    f.session.onKeyDown(KeyDown);
                    tAt(9);
                }
                key < 0 ? f.session.onPauseTriggered() : f.session.onKeyDown(key);
                after = QString::asprintf(
                    "%d %d %d %d", f.brikko.game().PieceX, f.brikko.game().Orientation,
                    BrikkoTestAccess::dropStartRow(f.brikko), int(f.brikko.paused()));
                f.session.onEndGameTriggered();
            });
        f.play();
        QTEST(after, "after");
    }
    // Games at level 0 driven by commands at given times (seconds after the
    // start). Restoring the window pauses; paused, no pass runs, a change of
    // the window's state shows the board again and P resumes, the next pass
    // at once. The clock back past midnight ends the wait at once and starts
    // the music again. The music opens and plays at the start, plays every
    // 150 s, also while paused, and closes at the end; sounds off from the
    // start: nothing at all; sounds switched off stop it at once, and on
    // again the keep-alive plays it. The music's path is the data folder's,
    // whatever its name. A game ended while paused keeps its caption;
    // "&Nouveau jeu" is ignored in a game.
    void commands_data() {
        QTest::addColumn<bool>("soundOn");
        QTest::addColumn<QString>("commands"); // "<command> at <seconds>, ..."
        QTest::addColumn<bool>("paused");      // at the end
        QTest::addColumn<QString>("draws");    // the two after the first command; empty: unchecked
        QTest::addColumn<QString>("music");    // after the opening; empty: no command at all
        const auto row = [](const char* name, bool soundOn, const char* commands, bool paused,
                            const char* draws, const char* music) {
            QTest::newRow(name) << soundOn << QString(commands) << paused << QString(draws)
                                << QString(music);
        };
        row("restored", false, "restore at 1.25, state change at 5, P at 10, end at 10.2", false,
            "5 10", "");
        row("minimised", false, "minimise at 1.25, state change at 5, P at 10, end at 10.2", true,
            "1.5 2", "");
        row("maximised", false, "maximise at 1.25, state change at 5, P at 10, end at 10.2", true,
            "1.5 2", "");
        row("midnight", true, "midnight at 1.25", false, "0.5 1", "play 0.5 close 2.0");
        row("paused", true, "P at 0.25, end at 320", true, "",
            "play 36150.0 play 36300.0 close 36320.0");
        row("sounds off", false, "P at 0.25, P at 140, end at 170", false, "", "");
        row("switched off", true, "sounds off at 10, end at 170", false, "", "close 36010.0");
        row("off and on", true, "P at 0.25, sounds off at 10, sounds on at 20, end at 160", true,
            "", "close 36010.0 play 36150.0 close 36160.0");
        row("unloaded", true, "P at 0.25, music unloaded at 10, end at 100", true, "",
            "close 36010.0");
    }
    void commands() {
        QFETCH(bool, soundOn);
        QFETCH(QString, commands);
        QFETCH(bool, paused);
        QFETCH(QString, draws);
        QFETCH(QString, music);
        GameFixture f;
        f.options.setSoundOn(soundOn);
        const auto resize = [&f](GameWindowState s) { f.session.onResize(f.state = s); };
        const QHash<QString, std::function<void()>> act{
            {"P", [&] { f.session.onKeyDown(KeyP); }},
            {"end", [&] { f.session.onEndGameTriggered(); }},
            {"restore", [&] { resize(GameWindowState::Normal); }},
            {"minimise", [&] { resize(GameWindowState::Minimized); }},
            {"maximise", [&] { resize(GameWindowState::Maximized); }},
            // minimised or not, without a resize, the window's event noticed
            {"state change",
             [&] {
                 f.state = GameWindowState(f.state != GameWindowState::Minimized);
                 f.session.poll();
             }},
            // as the options window does, then noticed as it closes
            {"sounds off", [&] { f.options.setSoundOn(false), f.session.poll(); }},
            {"sounds on", [&] { f.options.setSoundOn(true), f.session.poll(); }},
            {"music unloaded", [&] { f.brikko.stopMusic(); }},
            // the clock back to 0.5 s, the end at 2 s; the timer, on a clock
            // that never goes back, fires meanwhile
            {"midnight",
             [&] { f.clock.seconds = 0.5, f.keyAt(2.0 - Start, 0), f.session.poll(); }}};
        std::size_t first = 0;
        for (const QString& command : commands.split(", ")) {
            const QStringList parts = command.split(" at ");
            QVERIFY2(act.contains(parts[0]), qPrintable(parts[0]));
            f.events.at(Start + parts[1].toDouble(), [&, a = act[parts[0]]] {
                first = first ? first : f.draws.size();
                a();
            });
        }
        f.events.at(Start + 0.1, [&] { f.session.onNewGameTriggered(); });
        const int fired = f.play();
        if (!draws.isEmpty()) // seconds after the start, or after midnight
            QCOMPARE(QString::number(std::fmod(f.draws[first].time, Start)) + ' ' +
                         QString::number(std::fmod(f.draws[first + 1].time, Start)),
                     draws);
        QCOMPARE(f.music.join(' '), music.isEmpty() ? "" : "open 36000.0 play 36000.0 " + music);
        QCOMPARE(f.caption(), paused ? "Brikko32 - Paused" : "Brikko32");
        QVERIFY(soundOn || f.sounds.played.isEmpty());
        // Paused, the timer fires each minute, at 150 s and 300 s, no more.
        QVERIFY2(!commands.startsWith("P at 0.25, end") || fired <= 9,
                 qPrintable(QString("the timer fired %1 times").arg(fired)));
        QCOMPARE(f.musicPath, soundOn ? GameFixture::DataDir + "/Brikko32.mid" : QString());
    }
};

QTEST_MAIN(TestGameLoop)
#include "test_game_loop.moc"
