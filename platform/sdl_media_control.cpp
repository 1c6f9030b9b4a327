// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdl_media_control.h"

#include "media_command.h"

#include "sdl_library.h"
#include <QFile>
#include <QFileInfo>

QString SdlMediaControl::defaultSoundFont() {
    return QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
}

SdlMediaControl::SdlMediaControl(SdlAudioDevice& device, QString soundFont)
    : device_(device), soundFont_(std::move(soundFont)) {
    device_.attach(this);
}

SdlMediaControl::~SdlMediaControl() {
    releaseAudio();
    device_.detach(this);
}

void SdlMediaControl::send(const QString& command) {
    const MediaCommand parsed = parseMediaCommand(command);
    switch (parsed.verb) {
    case MediaCommand::Verb::Open:
        open(parsed.path);
        break;
    case MediaCommand::Verb::Play:
        play(parsed.path);
        break;
    case MediaCommand::Verb::Close:
        close(parsed.path);
        break;
    case MediaCommand::Verb::None:
        break;
    }
}

void SdlMediaControl::open(const QString& path) {
    // Checking the output first also drops music loaded for a lost output.
    if (!device_.open() || (music_ && path == openPath_))
        return;
    releaseAudio();
    const QByteArray file = audioFileName(path, maxFileBytes);
    if (file.isEmpty())
        return;
    const SdlLibrary* sdl = SdlLibrary::get();
    const bool haveSoundFont = QFileInfo(soundFont_).isFile();
    if (haveSoundFont)
        sdl->SetSoundFonts(QFile::encodeName(soundFont_).constData());
    Mix_Music* music = sdl->LoadMUS(file.constData());
    if (music && sdl->GetMusicType(music) == MUS_MID && !haveSoundFont) {
        // Without the soundfont another MIDI synthesizer may have taken the
        // file; the music is then not ours to play.
        sdl->FreeMusic(music);
        music = nullptr;
    }
    if (!music)
        return;
    music_ = music;
    openPath_ = path;
}

void SdlMediaControl::play(const QString& path) {
    open(path);
    if (!music_ || path != openPath_ || SdlLibrary::get()->PlayingMusic())
        return;
    SdlLibrary::get()->PlayMusic(music_, 1);
}

void SdlMediaControl::close(const QString& path) {
    if (path == openPath_)
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
