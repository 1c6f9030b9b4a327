// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdl_audio.h"

#include "clock.h"

#include "sdl_library.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <dlfcn.h>
#include <thread>

namespace {
constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kChunkFrames = 1024; // about 23 ms of latency

// ALSA reports why it cannot open a device on stderr, several lines each time
// (for instance "cannot find card '0'" on a machine without a sound card).
// Sound failures are silent here, and SDL hands the reason back as its own
// error anyway, so those lines are dropped. The handler is the process's one
// for the ALSA library that SDL loads, set before SDL opens it.
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);

void silenceSoundLibraries() {
    static const bool done = [] {
        void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        auto* setHandler = alsa ? reinterpret_cast<int (*)(AlsaErrorHandler)>(
                                      dlsym(alsa, "snd_lib_error_set_handler"))
                                : nullptr;
        if (setHandler)
            setHandler(ignoreAlsaError);
        return true;
    }();
    (void)done;
}

// Opens SDL's audio and the mixer on the default output; on failure leaves
// both closed. Runs on whichever thread looks for the output.
bool openOutput() {
    const SdlLibrary* sdl = SdlLibrary::get();
    if (!sdl)
        return false;
    // SDL's audio brings up its event queue, which would otherwise take over
    // SIGINT and SIGTERM and keep the program from ending on them.
    sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    silenceSoundLibraries();
    if (sdl->InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (sdl->OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kChannels, kChunkFrames) != 0) {
        sdl->QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

// Only once openOutput() has succeeded: the libraries are loaded.
void closeMixer() {
    const SdlLibrary* sdl = SdlLibrary::get();
    sdl->CloseAudio();
    sdl->Quit();
    sdl->QuitSubSystem(SDL_INIT_AUDIO);
}
} // namespace

// What an attempt has come to. The attempt's thread moves it from Running to
// Opened or Failed; close() moves it from Running to GivenUp, after which the
// thread, once done, closes what it opened and moves it to Ended.
struct SdlAudioDevice::Attempt {
    enum State { Running, Opened, Failed, GivenUp, Ended };
    std::atomic<State> state = Running;
};

namespace {
// Loads the libraries and opens the output, on a thread that nobody waits for.
// SDL's audio is opened on an SDL thread of its own, so that SDL frees what it
// keeps per thread (its error text) when that thread ends.
void runAttempt(const std::shared_ptr<SdlAudioDevice::Attempt>& attempt) {
    using State = SdlAudioDevice::Attempt::State;
    bool opened = false;
    if (const SdlLibrary* sdl = SdlLibrary::get()) {
        SDL_Thread* thread = sdl->CreateThread([](void*) -> int { return openOutput() ? 1 : 0; },
                                               "audio output", nullptr);
        int status = 0;
        if (thread) {
            sdl->WaitThread(thread, &status);
            opened = status == 1;
        }
    }
    State running = State::Running;
    if (!attempt->state.compare_exchange_strong(running, opened ? State::Opened : State::Failed)) {
        // Given up meanwhile: nobody takes this output.
        if (opened)
            closeMixer();
        attempt->state.store(State::Ended);
    }
}
} // namespace

SdlAudioDevice::SdlAudioDevice(const Clock& clock) : clock_(clock) {}

SdlAudioDevice::~SdlAudioDevice() {
    // An output left to the process's exit stays open: closing it could wait
    // for a sound server that does not answer.
    if (leftToExit_)
        giveUpAttempt();
    else
        close();
}

bool SdlAudioDevice::open() {
    if (open_) {
        if (!outputLost())
            return true;
        closeOutput();
        startAttempt();
        return false;
    }
    if (attempt_) {
        switch (attempt_->state.load()) {
        case Attempt::Running:
        case Attempt::GivenUp:
            return false;
        case Attempt::Opened:
            attempt_.reset();
            adoptOutput();
            return true;
        case Attempt::Failed:
            attempt_.reset();
            failed_ = true;
            failedAt_ = clock_.tickCount();
            return false;
        case Attempt::Ended:
            attempt_.reset();
            break;
        }
    }
    if (!failed_ || clock_.tickCount() - failedAt_ >= retryDelayMs)
        startAttempt();
    return false;
}

bool SdlAudioDevice::isOpening() const {
    if (!attempt_)
        return false;
    const Attempt::State state = attempt_->state.load();
    return state == Attempt::Running || state == Attempt::GivenUp;
}

void SdlAudioDevice::startAttempt() {
    attempt_ = std::make_shared<Attempt>();
    std::thread(runAttempt, attempt_).detach();
}

void SdlAudioDevice::adoptOutput() {
    // Only the removal of the opened output matters here; nobody reads the
    // other audio events, so they are not queued.
    SdlLibrary::get()->EventState(SDL_AUDIODEVICEADDED, SDL_IGNORE);
    SdlLibrary::get()->FlushEvents(SDL_AUDIODEVICEADDED, SDL_AUDIODEVICEREMOVED);
    failed_ = false;
    open_ = true;
}

bool SdlAudioDevice::outputLost() {
    // The output is the only playback device this process opens, so a removed
    // playback device is this one.
    bool lost = false;
    SDL_Event event;
    while (SdlLibrary::get()->PeepEvents(&event, 1, SDL_GETEVENT, SDL_AUDIODEVICEREMOVED,
                                         SDL_AUDIODEVICEREMOVED) > 0) {
        if (!event.adevice.iscapture)
            lost = true;
    }
    return lost;
}

void SdlAudioDevice::close() {
    giveUpAttempt();
    failed_ = false;
    closeOutput();
}

void SdlAudioDevice::releaseForExit() {
    leftToExit_ = true;
    giveUpAttempt();
    if (!open_)
        return;
    for (User* user : users_)
        user->releaseAudio();
    SdlLibrary::get()->HaltMusic();
    SdlLibrary::get()->HaltChannel(-1);
}

void SdlAudioDevice::giveUpAttempt() {
    if (!attempt_)
        return;
    Attempt::State running = Attempt::Running;
    if (attempt_->state.compare_exchange_strong(running, Attempt::GivenUp)) {
        // Still under way, perhaps held by the sound system: not waited for.
        // It is kept only to know when it has ended.
    } else if (running == Attempt::Opened) {
        closeMixer(); // opened and not taken yet
        attempt_.reset();
    } else if (running != Attempt::GivenUp) {
        attempt_.reset();
    }
}

void SdlAudioDevice::closeOutput() {
    if (!open_)
        return;
    for (User* user : users_)
        user->releaseAudio();
    SdlLibrary::get()->HaltMusic();
    SdlLibrary::get()->HaltChannel(-1);
    closeMixer();
    open_ = false;
}

void SdlAudioDevice::attach(User* user) {
    users_.push_back(user);
}

void SdlAudioDevice::detach(User* user) {
    users_.erase(std::remove(users_.begin(), users_.end(), user), users_.end());
}

QByteArray audioFileName(const QString& path, qint64 maxBytes) {
    if (path.isEmpty() || path.contains(QChar(0)))
        return {};
    QFileInfo info(path);
    if (!info.exists() && path.contains(QLatin1Char('\\')))
        info.setFile(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
    // Regular files only: a pipe or a device would block the reader.
    if (!info.isFile() || info.size() > maxBytes)
        return {};
    return QFile::encodeName(info.filePath());
}
