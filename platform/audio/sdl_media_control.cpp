// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdl_media_control.h"

#include "sdl_library.h"

#include <QFile>
#include <QFileInfo>

QString SdlMediaControl::findSoundFont(const QString& soundsFolder) {
    // The alternatives the system's soundfont packages set, then the files
    // of those packages.
    static const char* const candidates[] = {
        "sf2/default-GM.sf2",
        "sf3/default-GM.sf3",
        "sf2/TimGM6mb.sf2",
        "sf2/FluidR3_GM.sf2",
        "sf3/FluidR3Mono_GM.sf3",
        "sf3/MuseScore_General.sf3",
        "sf3/MuseScore_General_Full.sf3",
        "sf3/MuseScore_General_Lite.sf3",
        "sf2/MuseScore_General_Full.sf2",
        "sf2/OPL-3_FM_128M.sf2",
    };
    for (const char* candidate : candidates) {
        const QString path = soundsFolder + QLatin1Char('/') + QLatin1String(candidate);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

SdlMediaControl::SdlMediaControl(SdlAudioDevice& device, QString soundsFolder)
    : device_(device), soundsFolder_(std::move(soundsFolder)) {
    device_.attach(this);
}

SdlMediaControl::~SdlMediaControl() {
    releaseAudio();
    device_.detach(this);
}

void SdlMediaControl::openMusic(const QString& path) {
    // Checking the output first also drops music loaded for a lost output.
    if (!device_.open() || (music_ && path == openPath_))
        return;
    releaseAudio();
    const QByteArray file = audioFileName(path, maxFileBytes);
    if (file.isEmpty())
        return;
    const SdlLibrary* sdl = SdlLibrary::get();
    const QString soundFont = findSoundFont(soundsFolder_);
    if (!soundFont.isEmpty())
        sdl->SetSoundFonts(QFile::encodeName(soundFont).constData());
    Mix_Music* music = sdl->LoadMUS(file.constData());
    if (music && sdl->GetMusicType(music) == MUS_MID && soundFont.isEmpty()) {
        // Without a soundfont another MIDI synthesizer may have taken the
        // file; the music is then not ours to play.
        sdl->FreeMusic(music);
        music = nullptr;
    }
    if (!music)
        return;
    music_ = music;
    openPath_ = path;
}

void SdlMediaControl::playMusic(const QString& path) {
    openMusic(path);
    if (!music_ || path != openPath_ || SdlLibrary::get()->PlayingMusic())
        return;
    SdlLibrary::get()->PlayMusic(music_, 1);
}

void SdlMediaControl::closeMusic() {
    releaseAudio();
}

void SdlMediaControl::releaseAudio() {
    if (music_) {
        // The mixing thread may be reading the music: stop it first.
        SdlLibrary::get()->HaltMusic();
        SdlLibrary::get()->FreeMusic(music_);
        music_ = nullptr;
    }
    openPath_.clear();
}
