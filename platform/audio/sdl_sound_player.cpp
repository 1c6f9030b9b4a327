// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdl_sound_player.h"

#include "sdl_library.h"

namespace {
// Sounds have a mixer channel of their own; the music is mixed apart.
constexpr int kSoundChannel = 0;
} // namespace

SdlSoundPlayer::SdlSoundPlayer(SdlAudioDevice& device) : device_(device) {
    device_.attach(this);
}

SdlSoundPlayer::~SdlSoundPlayer() {
    releaseAudio();
    device_.detach(this);
}

void SdlSoundPlayer::play(const QString& path) {
    if (!device_.open())
        return;
    releaseAudio();
    const QByteArray file = audioFileName(path, maxFileBytes);
    if (file.isEmpty())
        return;
    const SdlLibrary* sdl = SdlLibrary::get();
    chunk_ = sdl->LoadWAV(file.constData());
    if (chunk_ && sdl->PlayChannel(kSoundChannel, chunk_, 0) < 0)
        releaseAudio();
}

void SdlSoundPlayer::releaseAudio() {
    if (!chunk_)
        return;
    // The mixing thread may be reading the chunk: stop the channel first.
    SdlLibrary::get()->HaltChannel(kSoundChannel);
    SdlLibrary::get()->FreeChunk(chunk_);
    chunk_ = nullptr;
}
