// Whole games with the real files: the options read from their settings file,
// the high-score file checked and rewritten at the end of each game with the
// name typed, and an off-screen board that shows the live board after every
// copy. Also: the sounds flag is the options' own.

#include "test_game_loop_fixture.h"

#include <QFile>
#include <QtTest>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestGameLoopFiles : public QObject {
    Q_OBJECT
private slots:
    void wholeGamesWithRealFiles();
    void soundsFlagIsTheOptions();
};

void TestGameLoopFiles::wholeGamesWithRealFiles() {
    LoopFixture f;
    f.checkScreen = true;
    const QByteArray ini = "[Brikko32]\r\nStarting Level=1\r\nFill Lines=True\r\n"
                           "Play Sounds=True\r\nHide Splash=False\r\n";
    QVERIFY(writeAll(f.optionsFile.path(), ini));
    QVERIFY(writeAll(
        f.scores.filePath(),
        QStringLiteral("Ana:5000\r\nBob:2014\r\nCléo:100\r\nDan:50\r\nEve:0\r\n").toUtf8()));
    f.options.LoadOptions();
    f.scores.LoadHighScores(); // as the game window does when it loads
    QVERIFY(f.brikko.SoundOn);

    // Rows 15 to 18 complete but for column 5; an I stands up there and is
    // dropped from row 2: 4 rows at level 1 and 14 rows fallen. Then squares
    // pile up in the middle until one cannot enter.
    const char* gap = "2222.22222";
    queueFilledRows(f.random, {"..........", "..........", "..........", "..........", "..........",
                               gap, gap, gap, gap});
    queuePieces(f.random, {PieceKindI});
    f.random.fallback = kindDraw(PieceKindO);
    f.whenDrawn(
        [](const Brikko& b) {
            return b.Game.Piece == PieceKindI && b.Game.PieceY == 2 && b.Game.Orientation == 1;
        },
        [&f] {
            f.controls.Form_KeyDown(KeyUp);
            f.controls.Form_KeyDown(KeyDown);
        });
    f.boxes.answers << QStringLiteral("Zoé");
    f.play();

    QCOMPARE(f.brikko.Game.Score, qint64(2 * 1000 + 14));
    QCOMPARE(f.brikko.Game.Level, 1);
    QCOMPARE(f.brikko.Game.Lines, 4);
    QCOMPARE(f.boxes.shown.size(), std::size_t(1));
    QCOMPARE(f.boxes.prompts,
             QStringList{HighScoreTable::namePrompt() + QStringLiteral(" | Kubolt")});
    // A score equal to one in the table goes above it; the last one drops out.
    const QByteArray table =
        QStringLiteral("Ana:5000\r\nZoé:2014\r\nBob:2014\r\nCléo:100\r\nDan:50\r\n").toUtf8();
    QCOMPARE(readAll(f.scores.filePath()), table);
    QCOMPARE(f.display.shows, 1);
    QCOMPARE(f.display.lastShown[1], (HighScoreEntry{QStringLiteral("Zoé"), 2014}));
    QCOMPARE(f.handBacks, 1);
    QCOMPARE(readAll(f.optionsFile.path()), ini); // the game only reads its options

    // The screen showed the live board after every copy, the last one included.
    QVERIFY(f.draws.size() > 100);
    QCOMPARE(f.screenMismatches, 0);
    QVERIFY(f.screenShows(f.brikko.Game.Board));
    for (int r = 1; r <= BoardRows; ++r)
        QCOMPARE(rowText(f.brikko.Game.Board, r), QStringLiteral("....77...."));

    const AppPaths& paths = f.brikko.services().paths;
    QCOMPARE(f.sounds.played.count(paths.dataFile(QStringLiteral("Sound7.wav"))), 1);
    QCOMPARE(f.media.commands.first(), QStringLiteral("open /opt/vorelle/data/Brikko32.mid"));
    QCOMPARE(f.media.commands.last(), QStringLiteral("close /opt/vorelle/data/Brikko32.mid"));

    // A second game of squares only scores 0, below the whole table: nothing
    // is asked, written or shown.
    f.play();
    QCOMPARE(f.brikko.Game.Score, qint64(0));
    QCOMPARE(f.boxes.shown.size(), std::size_t(2));
    QCOMPARE(f.boxes.prompts.size(), 1);
    QCOMPARE(f.display.shows, 1);
    QCOMPARE(readAll(f.scores.filePath()), table);
    QCOMPARE(f.handBacks, 2);
    QCOMPARE(f.screenMismatches, 0);
}

// The game reads and writes the options' own SoundOn: no copy to keep in
// step. Without options the game keeps a flag of its own.
void TestGameLoopFiles::soundsFlagIsTheOptions() {
    LoopFixture f;
    f.options.SoundOn = true;
    QVERIFY(f.brikko.SoundOn);
    f.options.SoundOn = false;
    f.brikko.PlaySound(QStringLiteral("Sound3.wav"));
    QVERIFY(f.sounds.played.isEmpty());
    f.brikko.SoundOn = true;
    QVERIFY(f.options.SoundOn);

    f.brikko.connectLoop({});
    QVERIFY(!f.brikko.SoundOn);
    f.brikko.SoundOn = true;
    f.options.SoundOn = false;
    QVERIFY(f.brikko.SoundOn);
}

QTEST_MAIN(TestGameLoopFiles)
#include "test_game_loop_files.moc"
