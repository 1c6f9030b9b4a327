// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <vector>

struct SDL_Thread;

class Clock;

// The one audio output of the program, shared by the sound player and the
// music: SDL's audio subsystem and SDL_mixer, opened on first use.
//
// Failures are silent, also on the terminal: the sound library's own error
// lines (ALSA's "ALSA lib ..." on a machine without a sound card) are not
// printed.
//
// The first open() opens the output on the calling thread. When that fails,
// open() answers false at once for the next retryDelayMs milliseconds; the
// first request after that starts a new attempt on a thread of its own and
// answers false, so that looking for a missing sound card (a tenth of a second
// or more) never holds up the interface. A request made once that attempt has
// finished takes the output it opened, or waits retryDelayMs again. So a
// program without a sound card does not probe for one on every sound, and one
// whose speaker comes back later is heard again. When the opened output is
// lost (SDL reports the device removed), the next open() closes it and looks
// for the current default output in the same way, off the calling thread.
//
// The users call open() and everything else from the user-interface thread.
// SDL mixes on a thread of its own; the users free nothing that may still be
// playing (they halt first).
class SdlAudioDevice {
public:
    // What uses the output and holds chunks or music loaded for it: told to
    // halt and free them before the output closes.
    class User {
    public:
        virtual void releaseAudio() = 0;

    protected:
        ~User() = default;
    };

    static constexpr qint64 retryDelayMs = 10000;

    explicit SdlAudioDevice(const Clock& clock);
    ~SdlAudioDevice();
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

    // The program's output (lives until the process ends).
    static SdlAudioDevice& shared();

    // True when the mixer is ready to play; opens it when needed.
    bool open();
    bool isOpen() const { return open_; }
    // Halts and frees what the users hold, then closes the mixer and SDL's
    // audio. The next open() opens again at once.
    void close();

    void attach(User* user);
    void detach(User* user);

private:
    bool outputLost();
    void closeOutput();
    void startAttempt();
    void joinAttempt();
    void adoptOutput();

    const Clock& clock_;
    std::vector<User*> users_;
    bool open_ = false;
    bool failed_ = false;
    qint64 failedAt_ = 0;
    // The attempt running off the calling thread: attemptOpened_ is written by
    // it before attemptDone_ is set, and read only after that. An SDL thread,
    // so that SDL frees what it keeps per thread (its error text) when the
    // attempt ends.
    SDL_Thread* attempt_ = nullptr;
    std::atomic<bool> attemptDone_ = false;
    bool attemptOpened_ = false;
};

// Closes the program's shared audio output: stops the music and the sound
// and frees them. For the program's shutdown (ProgramEnd::addShutdownHook) and
// the end of main.
void closeSdlAudio();

// The local file name of a sound or music file to hand to SDL, or an empty
// array when there is nothing playable there: not a regular file, larger than
// maxBytes, or a name with a NUL in it. A name written with backslashes as
// separators that does not exist as written is looked up with slashes.
QByteArray audioFileName(const QString& path, qint64 maxBytes);
