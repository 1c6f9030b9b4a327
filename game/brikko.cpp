#include "brikko.h"

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
    const QString& dir = services_.paths.dataDir();
    const QString path = dir + QLatin1Char('/') + MusicFile;
    if (dir.contains(QLatin1Char(' ')))
        return QLatin1Char('"') + path + QLatin1Char('"');
    return path;
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
