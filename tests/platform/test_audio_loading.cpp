// SPDX-License-Identifier: GPL-3.0-or-later
// The sound libraries join the process when the output is first asked for
// (by the first sound, or by the program once its first window shows), not
// when the players are made: the first window does not wait for them. This test
// executable is not linked with them, so what is mapped is what the players
// loaded.

#include "sdl_audio.h"
#include "sdl_media_control.h"
#include "sdl_sound_player.h"
#include "system_clock.h"

#include <QFile>
#include <QTest>

namespace {

bool mapped(const QByteArray& library) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}

QString asset(const QString& name) {
    return qEnvironmentVariable("VORELLE_TEST_DATA") + u'/' + name;
}

} // namespace

class TestAudioLoading : public QObject {
    Q_OBJECT

private slots:
    void loadedAtTheFirstSound();
};

void TestAudioLoading::loadedAtTheFirstSound() {
    SystemClock clock;
    SdlAudioDevice output(clock);
    SdlSoundPlayer sounds(output);
    SdlMediaControl music(output);
    music.closeMusic();
    QVERIFY(!mapped("libSDL2-2.0.so"));
    QVERIFY(!mapped("libSDL2_mixer-2.0.so"));

    // The output is looked for in the background; this first sound is dropped.
    sounds.play(asset(QStringLiteral("gagner.wav")));
    QVERIFY(QTest::qWaitFor([&output] { return output.open(); }, 20000));
    QVERIFY(mapped("libSDL2-2.0.so"));
    QVERIFY(mapped("libSDL2_mixer-2.0.so"));
    QVERIFY(output.isOpen());
    output.close();
}

QTEST_GUILESS_MAIN(TestAudioLoading)
#include "test_audio_loading.moc"
