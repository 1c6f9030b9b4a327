// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media_control.h"
#include "sdl_audio.h"

typedef struct _Mix_Music Mix_Music;

// The music on the shared audio output (see MediaControl). MIDI files are
// played through FluidSynth with a General MIDI soundfont of the sounds folder
// (findSoundFont); without one they play nothing. Missing or unreadable files
// and no audio output play nothing and report nothing.
class SdlMediaControl : public MediaControl, private SdlAudioDevice::User {
public:
    static constexpr qint64 maxFileBytes = 16 * 1024 * 1024;
    static QString systemSoundsFolder() { return QStringLiteral("/usr/share/sounds"); }

    // The General MIDI soundfont to play MIDI files with, or an empty text
    // when there is none: in soundsFolder, the system's choice first (the
    // sf2/default-GM.sf2 and sf3/default-GM.sf3 alternatives), then the
    // soundfonts of the packages that can provide one, best first.
    static QString findSoundFont(const QString& soundsFolder);

    explicit SdlMediaControl(SdlAudioDevice& device, QString soundsFolder = systemSoundsFolder());
    ~SdlMediaControl() override;
    SdlMediaControl(const SdlMediaControl&) = delete;
    SdlMediaControl& operator=(const SdlMediaControl&) = delete;

    void openMusic(const QString& path) override;
    void playMusic(const QString& path) override;
    void closeMusic() override;

private:
    void releaseAudio() override;

    SdlAudioDevice& device_;
    QString soundsFolder_;
    Mix_Music* music_ = nullptr;
    QString openPath_;
};
