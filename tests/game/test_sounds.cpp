// The game's sounds and music: what is played, through which service, with
// which path, and the exact command strings of the music.

#include "brikko_fixture.h"

#include <QtTest>

class TestSounds : public QObject {
    Q_OBJECT
private slots:
    void musicCommands_data();
    void musicCommands();
    void musicCommandsIgnoreSoundOn();
    void soundOffPlaysNothing_data();
    void soundOffPlaysNothing();
    void soundsGoToThePlayerInOrder();
};

void TestSounds::musicCommands_data() {
    QTest::addColumn<QString>("dataDir");
    QTest::addColumn<QString>("path");
    QTest::newRow("no space") << "/opt/vorelle/share"
                              << "/opt/vorelle/share/Brikko32.mid";
    QTest::newRow("space in the folder") << "/home/élève/Mes jeux/vorelle"
                                         << "\"/home/élève/Mes jeux/vorelle/Brikko32.mid\"";
    QTest::newRow("space at the end") << "/srv/data "
                                      << "\"/srv/data /Brikko32.mid\"";
    QTest::newRow("accents, no space") << "/home/zoé/bin"
                                       << "/home/zoé/bin/Brikko32.mid";
}

void TestSounds::musicCommands() {
    QFETCH(QString, dataDir);
    QFETCH(QString, path);
    BrikkoFixture f(dataDir);
    Brikko& b = f.brikko;
    QCOMPARE(b.MusicPath(), path);
    b.MusicOpen();
    b.MusicPlay();
    b.MusicPlay();
    b.MusicClose();
    QCOMPARE(f.media.commands,
             (QStringList{"open " + path, "play " + path, "play " + path, "close " + path}));
    QVERIFY(f.sounds.played.isEmpty());
}

// The callers decide; the commands themselves always go out.
void TestSounds::musicCommandsIgnoreSoundOn() {
    BrikkoFixture f;
    Brikko& b = f.brikko;
    b.SoundOn = false;
    b.MusicClose();
    QCOMPARE(f.media.commands, QStringList{"close /opt/vorelle/data/Brikko32.mid"});
}

void TestSounds::soundOffPlaysNothing_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("a game sound") << "Sound4.wav";
    QTest::newRow("empty name") << "";
    QTest::newRow("missing file") << "nowhere.wav";
}

void TestSounds::soundOffPlaysNothing() {
    QFETCH(QString, file);
    BrikkoFixture f;
    Brikko& b = f.brikko;
    b.SoundOn = false;
    b.PlaySound(file);
    QVERIFY(f.sounds.played.isEmpty());
    QVERIFY(f.media.commands.isEmpty());
}

// Cutting a sound still playing is the player's work; the game hands both
// over at once, in order, each as a path in the data folder.
void TestSounds::soundsGoToThePlayerInOrder() {
    BrikkoFixture f(QStringLiteral("/usr/share/vorelle"));
    Brikko& b = f.brikko;
    b.SoundOn = true;
    b.PlaySound(QStringLiteral("Sound5.wav"));
    b.PlaySound(QStringLiteral("Sound1.wav"));
    QCOMPARE(f.sounds.played,
             (QStringList{"/usr/share/vorelle/Sound5.wav", "/usr/share/vorelle/Sound1.wav"}));
    b.SoundOn = false;
    b.PlaySound(QStringLiteral("Sound2.wav"));
    QCOMPARE(f.sounds.played.size(), 2);
}

QTEST_GUILESS_MAIN(TestSounds)
#include "test_sounds.moc"
