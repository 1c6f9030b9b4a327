// Without an audio output the sound player and the music play nothing, report
// nothing and do not probe for the output on every call.

#include "fakes.h"
#include "sdl_audio.h"
#include "sdl_media_control.h"
#include "sdl_sound_player.h"

#include <QTest>
#include <SDL.h>
#include <SDL_mixer.h>

namespace {
QString asset(const QString& name) {
    return qEnvironmentVariable("VORELLE_TEST_DATA") + QLatin1Char('/') + name;
}
} // namespace

class TestSdlAudioNoDevice : public QObject {
    Q_OBJECT

private slots:
    void init();
    void soundsAndMusicAreSilent();
    void outputIsTriedAgainOnlyAfterADelay();
    void closeAllowsAnImmediateNewTry();
};

void TestSdlAudioNoDevice::init() {
    qputenv("SDL_AUDIODRIVER", "vorelle-no-such-driver");
}

void TestSdlAudioNoDevice::soundsAndMusicAreSilent() {
    FakeClock clock;
    SdlAudioDevice device(clock);
    SdlSoundPlayer player(device);
    SdlMediaControl music(device);
    const QString mid = asset(QStringLiteral("Brikko32.mid"));

    player.play(asset(QStringLiteral("gagner.wav")));
    music.send(QStringLiteral("open ") + mid);
    music.send(QStringLiteral("play ") + mid);
    player.play(asset(QStringLiteral("perdu.wav")));
    music.send(QStringLiteral("close ") + mid);

    QVERIFY(!device.isOpen());
    QCOMPARE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    QVERIFY(!Mix_PlayingMusic());
}

void TestSdlAudioNoDevice::outputIsTriedAgainOnlyAfterADelay() {
    FakeClock clock;
    SdlAudioDevice device(clock);
    SdlSoundPlayer player(device);
    player.play(asset(QStringLiteral("Sound3.wav")));
    QVERIFY(!device.isOpen());

    // An output appears; within the delay it is not looked for.
    qputenv("SDL_AUDIODRIVER", "dummy");
    clock.advance((SdlAudioDevice::retryDelayMs - 1) / 1000.0);
    player.play(asset(QStringLiteral("Sound3.wav")));
    QVERIFY(!device.isOpen());

    // The first sound after the delay opens it and is heard.
    clock.advance(0.001);
    player.play(asset(QStringLiteral("Sound3.wav")));
    QVERIFY(device.isOpen());
    QCOMPARE(Mix_Playing(-1), 1);
}

void TestSdlAudioNoDevice::closeAllowsAnImmediateNewTry() {
    FakeClock clock;
    SdlAudioDevice device(clock);
    SdlMediaControl music(device);
    const QString play = QStringLiteral("play ") + asset(QStringLiteral("Brikko32.mid"));
    music.send(play);
    QVERIFY(!device.isOpen());

    qputenv("SDL_AUDIODRIVER", "dummy");
    device.close();
    music.send(play);
    QVERIFY(device.isOpen());
    QVERIFY(Mix_PlayingMusic());
}

QTEST_GUILESS_MAIN(TestSdlAudioNoDevice)
#include "test_sdl_audio_no_device.moc"
