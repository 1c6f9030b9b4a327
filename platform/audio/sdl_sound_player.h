// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sdl_audio.h"
#include "sound_player.h"

struct Mix_Chunk;

// Plays WAV files on the shared audio output: play() loads the file, starts
// it and returns at once. A new sound cuts the one still playing, also when
// the new one cannot be played. A missing, unreadable or oversized file, or
// no audio output (also one still being looked for), plays nothing and
// reports nothing. The file is read anew
// on every call; only the sound that is playing stays in memory.
class SdlSoundPlayer : public SoundPlayer, private SdlAudioDevice::User {
public:
    static constexpr qint64 maxFileBytes = 16 * 1024 * 1024;

    explicit SdlSoundPlayer(SdlAudioDevice& device);
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void play(const QString& path) override;

private:
    void releaseAudio() override;

    SdlAudioDevice& device_;
    Mix_Chunk* chunk_ = nullptr;
};
