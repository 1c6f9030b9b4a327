// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media_control.h"
#include "sdl_audio.h"

typedef struct _Mix_Music Mix_Music;

// The music, driven by media-control command strings (see MediaCommand) on
// the shared audio output. One piece is open at a time, addressed by its path:
//   open  loads the file; the file already open stays as it is, while
//         another path stops and frees the one open, also when the new
//         file then cannot be loaded;
//   play  opens the file when it is not the one open, then starts it from
//         the beginning when no music is playing; while it plays, nothing;
//   close stops and frees the file when it is the one open.
// MIDI files are played through FluidSynth with the given soundfont; without
// that soundfont they play nothing. Unknown or malformed commands, missing or
// unreadable files and no audio output play nothing and report nothing.
class SdlMediaControl : public MediaControl, private SdlAudioDevice::User {
public:
    static constexpr qint64 maxFileBytes = 16 * 1024 * 1024;
    static QString defaultSoundFont();

    explicit SdlMediaControl(SdlAudioDevice& device = SdlAudioDevice::shared(),
                             QString soundFont = defaultSoundFont());
    ~SdlMediaControl() override;
    SdlMediaControl(const SdlMediaControl&) = delete;
    SdlMediaControl& operator=(const SdlMediaControl&) = delete;

    void send(const QString& command) override;

private:
    void open(const QString& path);
    void play(const QString& path);
    void close(const QString& path);
    void releaseAudio() override;

    SdlAudioDevice& device_;
    QString soundFont_;
    Mix_Music* music_ = nullptr;
    QString openPath_;
};
