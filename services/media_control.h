// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The music: one piece open at a time, addressed by its file's path as it is
// (any folder name will do). No failure is ever reported: a missing or
// unreadable file, or no audio output, plays nothing.
class MediaControl {
public:
    virtual ~MediaControl() = default;
    // Loads the file. The file already open stays as it is; another one stops
    // and frees the one open first, also when the new one cannot be loaded.
    virtual void openMusic(const QString& path) = 0;
    // Opens the file when it is not the one open, then starts it from the
    // beginning when no music is playing; while music plays, nothing.
    virtual void playMusic(const QString& path) = 0;
    // Stops and frees the music open, if any.
    virtual void closeMusic() = 0;
};
