#include "brikko.h"

#include "media_command.h"
#include "media_control.h"
#include "sound_player.h"

namespace {
const QString MusicFile = QStringLiteral("Brikko32.mid");
} // namespace

Brikko::Brikko(BrikkoServices services)
    : picBoard2(makeBackBuffer()), services_(std::move(services)) {}

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
}

void Brikko::MusicPlay() {
    services_.media.send(QStringLiteral("play ") + MusicPath());
}

void Brikko::MusicClose() {
    services_.media.send(QStringLiteral("close ") + MusicPath());
}
