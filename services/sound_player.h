// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Asynchronous WAV playback by path: play() returns at once and a new sound
// cuts the one still playing. A missing file or no audio device plays nothing
// and reports nothing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& path) = 0;
};
