#include "sdl_audio.h"

#include "clock.h"

#include <QFile>
#include <QFileInfo>
#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#if VORELLE_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

namespace {
constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kChunkFrames = 1024; // about 23 ms of latency

#if VORELLE_HAVE_ALSA
// ALSA reports why it cannot open a device on stderr, several lines each time
// (for instance "cannot find card '0'" on a machine without a sound card).
// Sound failures are silent here, and SDL hands the reason back as its own
// error anyway, so those lines are dropped. The handler is the process's one
// for the ALSA library that SDL loads.
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
#endif

void silenceSoundLibraries() {
#if VORELLE_HAVE_ALSA
    snd_lib_error_set_handler(ignoreAlsaError);
#endif
}

// Opens SDL's audio and the mixer on the default output; on failure leaves
// both closed. Runs on whichever thread looks for the output.
bool openOutput() {
    // SDL's audio brings up its event queue, which would otherwise take over
    // SIGINT and SIGTERM and keep the program from ending on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    silenceSoundLibraries();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kChannels, kChunkFrames) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

void closeMixer() {
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
} // namespace

SdlAudioDevice::SdlAudioDevice(const Clock& clock) : clock_(clock) {}

SdlAudioDevice::~SdlAudioDevice() {
    close();
}

SdlAudioDevice& SdlAudioDevice::shared() {
    // Never destroyed: users of static lifetime may still detach at exit.
    static SystemClock* clock = new SystemClock;
    static SdlAudioDevice* device = new SdlAudioDevice(*clock);
    return *device;
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
        if (!attemptDone_.load(std::memory_order_acquire))
            return false;
        joinAttempt();
        if (attemptOpened_) {
            adoptOutput();
            return true;
        }
        failed_ = true;
        failedAt_ = clock_.tickCount();
        return false;
    }
    if (failed_) {
        if (clock_.tickCount() - failedAt_ >= retryDelayMs)
            startAttempt();
        return false;
    }
    if (!openOutput()) {
        failed_ = true;
        failedAt_ = clock_.tickCount();
        return false;
    }
    adoptOutput();
    return true;
}

void SdlAudioDevice::startAttempt() {
    attemptDone_.store(false, std::memory_order_relaxed);
    attemptOpened_ = false;
    attempt_ = SDL_CreateThread(
        [](void* data) -> int {
            auto* device = static_cast<SdlAudioDevice*>(data);
            device->attemptOpened_ = openOutput();
            device->attemptDone_.store(true, std::memory_order_release);
            return 0;
        },
        "audio output", this);
}

void SdlAudioDevice::joinAttempt() {
    SDL_WaitThread(attempt_, nullptr);
    attempt_ = nullptr;
}

void SdlAudioDevice::adoptOutput() {
    // Only the removal of the opened output matters here; nobody reads the
    // other audio events, so they are not queued.
    SDL_EventState(SDL_AUDIODEVICEADDED, SDL_IGNORE);
    SDL_FlushEvents(SDL_AUDIODEVICEADDED, SDL_AUDIODEVICEREMOVED);
    failed_ = false;
    open_ = true;
}

bool SdlAudioDevice::outputLost() {
    // The output is the only playback device this process opens, so a removed
    // playback device is this one.
    bool lost = false;
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_AUDIODEVICEREMOVED, SDL_AUDIODEVICEREMOVED) >
           0) {
        if (!event.adevice.iscapture)
            lost = true;
    }
    return lost;
}

void SdlAudioDevice::close() {
    if (attempt_) {
        joinAttempt();
        if (attemptOpened_)
            closeMixer();
    }
    failed_ = false;
    closeOutput();
}

void SdlAudioDevice::closeOutput() {
    if (!open_)
        return;
    for (User* user : users_)
        user->releaseAudio();
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    closeMixer();
    open_ = false;
}

void SdlAudioDevice::attach(User* user) {
    users_.push_back(user);
}

void SdlAudioDevice::detach(User* user) {
    users_.erase(std::remove(users_.begin(), users_.end(), user), users_.end());
}

void closeSdlAudio() {
    SdlAudioDevice::shared().close();
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
