// SPDX-License-Identifier: GPL-3.0-or-later
// The game's sounds and its music.

#include "brikko.h"

#include "media_command.h"
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
    return mediaCommandPath(services_.paths.dataDir() + QLatin1Char('/') + MusicFile);
}

void Brikko::MusicOpen() {
    services_.media.send(QStringLiteral("open ") + MusicPath());
    musicOpen_ = true;
}

void Brikko::MusicPlay() {
    services_.media.send(QStringLiteral("play ") + MusicPath());
    musicOpen_ = true;
}

void Brikko::MusicClose() {
    services_.media.send(QStringLiteral("close ") + MusicPath());
    musicOpen_ = false;
}

void Brikko::StopMusic() {
    if (musicOpen_)
        MusicClose();
}
