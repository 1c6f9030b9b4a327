// SPDX-License-Identifier: GPL-3.0-or-later
// The sound libraries join the process at the first sound or music, not when
// the players are made: the first window does not wait for them. This test
// executable is not linked with them, so what is mapped is what the players
// loaded.

#include "sdl_audio.h"
#include "sdl_media_control.h"
#include "sdl_sound_player.h"

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
    SdlSoundPlayer sounds;
    SdlMediaControl music;
    music.send(QStringLiteral("close ") + asset(QStringLiteral("Brikko32.mid")));
    QVERIFY(!mapped("libSDL2-2.0.so"));
    QVERIFY(!mapped("libSDL2_mixer-2.0.so"));

    sounds.play(asset(QStringLiteral("gagner.wav")));
    QVERIFY(mapped("libSDL2-2.0.so"));
    QVERIFY(mapped("libSDL2_mixer-2.0.so"));
    QVERIFY(SdlAudioDevice::shared().isOpen());
    closeSdlAudio();
}

QTEST_GUILESS_MAIN(TestAudioLoading)
#include "test_audio_loading.moc"
