// SPDX-License-Identifier: GPL-3.0-or-later
// The game's sounds and its music.

#include "brikko.h"

#include "game_options.h"
#include "media_control.h"
#include "sound_player.h"

namespace {
const QString MusicFile = QStringLiteral("Brikko32.mid");
} // namespace

bool Brikko::soundOn() const {
    return loop_.options && loop_.options->soundOn();
}

void Brikko::playSound(const QString& file) {
    if (!soundOn())
        return;
    services_.sounds.play(services_.paths.dataFile(file));
}

QString Brikko::musicPath() const {
    return services_.paths.dataFile(MusicFile);
}

void Brikko::openMusic() {
    services_.media.openMusic(musicPath());
    musicOpen_ = true;
}

void Brikko::playMusic() {
    services_.media.playMusic(musicPath());
    musicOpen_ = true;
}

void Brikko::closeMusic() {
    services_.media.closeMusic();
    musicOpen_ = false;
}

void Brikko::stopMusic() {
    if (musicOpen_)
        closeMusic();
}
