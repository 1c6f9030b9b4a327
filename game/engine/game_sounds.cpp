// SPDX-License-Identifier: GPL-3.0-or-later
// The game's sounds and its music.

#include "brikko.h"

#include "media_control.h"
#include "sound_player.h"

namespace {
const QString MusicFile = QStringLiteral("Brikko32.mid");
} // namespace

void Brikko::PlaySound(const QString& file) {
    if (!SoundOn)
        return;
    services_.sounds.play(services_.paths.dataFile(file));
}

QString Brikko::MusicPath() const {
    return services_.paths.dataFile(MusicFile);
}

void Brikko::MusicOpen() {
    services_.media.openMusic(MusicPath());
    musicOpen_ = true;
}

void Brikko::MusicPlay() {
    services_.media.playMusic(MusicPath());
    musicOpen_ = true;
}

void Brikko::MusicClose() {
    services_.media.closeMusic();
    musicOpen_ = false;
}

void Brikko::StopMusic() {
    if (musicOpen_)
        MusicClose();
}
