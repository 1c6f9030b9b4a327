// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

class Clock;

// The one audio output of the program, shared by the sound player and the
// music: SDL's audio subsystem and SDL_mixer.
//
// Failures are silent, also on the terminal: the sound library's own error
// lines (ALSA's "ALSA lib ..." on a machine without a sound card) are not
// printed.
//
// Nothing here ever waits for the sound system on the calling thread (the
// user-interface thread): a sound server that accepts and never answers holds
// SDL's audio start-up for half a minute. The output is looked for on a thread
// of its own, at most one at a time, which also loads the sound libraries;
// open() only starts it and answers false, so whatever asked for the output
// then (a sound, the music) is dropped, not queued. A request made once that
// attempt has finished takes the output it opened; when it found none, open()
// answers false at once for the next retryDelayMs milliseconds, and the first
// request after that starts a new attempt. So a program without a sound card
// does not probe for one on every sound, and one whose speaker comes back
// later is heard again. When the opened output is lost (SDL reports the
// device removed), the next open() closes it and looks for the current default
// output in the same way.
//
// close() never waits for an attempt either: one still under way is given up.
// Its thread is left to itself and uses nothing of this object; should it open
// an output after all, it closes it again itself. Until it has ended, open()
// starts no other attempt, since SDL's audio must be started once at a time.
//
// The users call open(), close() and everything else from the user-interface
// thread, and touch SDL only once open() has answered true. SDL mixes on a
// thread of its own; the users free nothing that may still be playing (they
// halt first).
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

    // True when the mixer is ready to play; otherwise starts looking for the
    // output when that is due, and answers false without waiting.
    bool open();
    bool isOpen() const { return open_; }
    // Whether an attempt to open the output is under way, also one that
    // close() gave up and that has not ended yet.
    bool isOpening() const;
    // Halts and frees what the users hold, then closes the mixer and SDL's
    // audio when they are open; gives up an attempt still under way without
    // waiting for it. The next open() looks for the output again at once.
    void close();
    // For the end of the program: halts and frees what the users hold and
    // gives up an attempt under way, but leaves an open output to the
    // process's exit, since closing it waits for SDL's mixing thread, which a
    // sound server that stops answering can hold for ever; this object's
    // destruction leaves it open too. For the program's shutdown
    // (ProgramEnd::addShutdownHook), which then exits.
    void releaseForExit();

    void attach(User* user);
    void detach(User* user);

    // What an attempt to open the output has come to; shared by this object
    // and the attempt's thread.
    struct Attempt;

private:
    bool outputLost();
    void closeOutput();
    void startAttempt();
    void giveUpAttempt();
    void adoptOutput();

    const Clock& clock_;
    std::vector<User*> users_;
    bool open_ = false;
    bool failed_ = false;
    bool leftToExit_ = false;
    qint64 failedAt_ = 0;
    std::shared_ptr<Attempt> attempt_;
};

// The local file name of a sound or music file to hand to SDL, or an empty
// array when there is nothing playable there: not a regular file, larger than
// maxBytes, or a name with a NUL in it. A name written with backslashes as
// separators that does not exist as written is looked up with slashes.
QByteArray audioFileName(const QString& path, qint64 maxBytes);
