// SPDX-License-Identifier: GPL-3.0-or-later
// The game's music through the real music service and SDL's audio output (the
// dummy driver CTest sets): whatever the data folder's name, with whichever
// General MIDI soundfont the system has, and silent without one.

#include "game_fixture.h"
#include "sdl_audio.h"
#include "sdl_media_control.h"
#include "system_clock.h"

#include <QDir>
#include <QTest>
#include <SDL_mixer.h>

namespace {
// The soundfont the project's dependencies install.
const QString InstalledSoundFont = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
} // namespace

class TestGameMusic : public QObject {
    Q_OBJECT

private slots:
    // A game with sounds on plays the music from its data folder, here a
    // copy of the program's one. The soundfonts: those of the system (no
    // list), or a sounds folder holding only the ones named, each a link to
    // the installed soundfont.
    void musicOfAGame_data() {
        QTest::addColumn<QString>("dataFolder");
        QTest::addColumn<QStringList>("soundFonts");
        QTest::addColumn<bool>("heard");
        QTest::addRow("folder with spaces and quotes")
            << R"(quote "x" dir)" << QStringList() << true;
        QTest::addRow("only another soundfont")
            << "data" << QStringList{"sf2/FluidR3_GM.sf2"} << true;
        QTest::addRow("only the sf3 alternative")
            << "data" << QStringList{"sf3/default-GM.sf3"} << true;
        QTest::addRow("no soundfont: silent") << "data" << QStringList{"sf2/readme.txt"} << false;
    }
    void musicOfAGame() {
        QFETCH(QString, dataFolder);
        QFETCH(QStringList, soundFonts);
        QFETCH(bool, heard);
        QVERIFY2(QFileInfo(InstalledSoundFont).isFile(), "tools/install-deps installs it");
        GameServices s;
        const QString data = s.dir.filePath(dataFolder), soundsFolder = s.dir.filePath("sounds");
        QVERIFY(QDir().mkpath(data) &&
                QFile::copy(qEnvironmentVariable("VORELLE_TEST_DATA") + "/Brikko32.mid",
                            data + "/Brikko32.mid"));
        for (const QString& font : soundFonts)
            QVERIFY(QDir().mkpath(QFileInfo(soundsFolder + '/' + font).path()) &&
                    QFile::link(InstalledSoundFont, soundsFolder + '/' + font));
        SystemClock realClock;
        SdlAudioDevice output(realClock);
        QVERIFY(QTest::qWaitFor([&] { return output.open(); }, 20000));
        std::optional<SdlMediaControl> music;
        soundFonts.isEmpty() ? music.emplace(output) : music.emplace(output, soundsFolder);
        s.options.SoundOn = true;
        Brikko game(
            {s.sounds, *music, s.clock, s.random, AppPaths(data, s.dir.path(), s.dir.path())});
        game.connectLoop({&s.options, &s.boxes});
        bool playing = false;
        s.events.at(s.clock.seconds + 1, [&] { playing = Mix_PlayingMusic(), game.endGame(); });
        GameSession session(game);
        session.mnuNewGame_Click();
        runOnFakeClock(s.events, s.clock, session);
        QVERIFY2(playing == heard, qPrintable(QStringLiteral("music %1 with the data folder %2")
                                                  .arg(playing ? "heard" : "not heard", data)));
        QVERIFY(!Mix_PlayingMusic());       // closed with the game
        QCOMPARE(s.boxes.shown.size(), 1u); // "Perdu !": the game went on to its end
    }
};

QTEST_GUILESS_MAIN(TestGameMusic)
#include "test_game_music.moc"
