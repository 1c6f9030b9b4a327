#include "brikko.h"

#include "board_drawing.h"
#include "media_command.h"
#include "media_control.h"
#include "sound_player.h"

namespace {
const QString MusicFile = QStringLiteral("Brikko32.mid");
} // namespace

Brikko::Brikko(BrikkoServices services) : services_(std::move(services)) {}

void Brikko::startDrop() {
    Dropping = true;
    if (DropStartRow == 0)
        DropStartRow = Game.PieceY;
}

void Brikko::setPaused(bool paused) {
    Paused = paused;
}

void Brikko::loadPosition(const GamePosition& position) {
    PrevGame = Game;
    Game.Board = position.Board;
    Game.Piece = position.Piece;
    Game.PieceX = position.PieceX;
    Game.PieceY = position.PieceY;
    Game.Orientation = position.Orientation;
    Game.Lines = position.Lines;
    Game.Level = position.Level;
    Landed = false;
    DrawBoard();
}

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
