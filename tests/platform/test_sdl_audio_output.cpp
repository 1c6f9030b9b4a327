// SPDX-License-Identifier: GPL-3.0-or-later
// What the sound player and the music send to the speaker, captured with
// SDL's disk audio driver (each test to a file of its own), what they do
// without any output, and with a sound server that never answers.

#include "fakes.h"
#include "sdl_audio.h"
#include "sdl_media_control.h"
#include "sdl_sound_player.h"
#include "system_clock.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr int kSamplesPerSecond = 44100 * 2; // 16-bit stereo

QString asset(const QString& name) {
    return qEnvironmentVariable("VORELLE_TEST_DATA") + u'/' + name;
}

// The loudest sample, as a fraction of full scale, and the seconds from the
// first to the last sample above 0.3 % of full scale.
std::pair<double, double> loudness(QByteArrayView samples) {
    const auto* s = reinterpret_cast<const qint16*>(samples.data());
    qsizetype top = 0, first = -1, last = 0;
    for (qsizetype i = 0; i < samples.size() / 2; ++i)
        if (top = std::max<qsizetype>(top, std::abs(s[i])); std::abs(s[i]) > 98)
            (first < 0 ? first : last) = i, last = i;
    return {top / 32768.0, first < 0 ? 0.0 : double(last - first) / kSamplesPerSecond};
}

// A sound server at a Unix socket that takes every connection and never
// answers, until it hangs up.
class SilentSoundServer {
public:
    explicit SilentSoundServer(const QString& path) : path_(QFile::encodeName(path)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, path_.constData(), sizeof address.sun_path);
        listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_, 8) != 0)
            qFatal("no socket at %s", path_.constData());
    }
    ~SilentSoundServer() {
        hangUp();
        ::close(listener_);
        ::unlink(path_.constData());
    }
    // The connections it has had, and those the clients still hold.
    int had() {
        for (int fd; (fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;)
            clients_.push_back(fd);
        return int(clients_.size());
    }
    int held() {
        had();
        return int(std::count_if(clients_.begin(), clients_.end(), [](int fd) {
            pollfd p{fd, POLLRDHUP, 0};
            return ::poll(&p, 1, 0) == 0;
        }));
    }
    void hangUp() {
        had();
        for (int fd : clients_)
            ::close(fd);
        clients_.clear();
    }

private:
    QByteArray path_;
    int listener_ = -1;
    std::vector<int> clients_;
};
} // namespace

class TestSdlAudioOutput : public QObject {
    Q_OBJECT
    SystemClock clock_;
    std::optional<SdlAudioDevice> device_;
    QTemporaryDir dir_;
    QString capture_;

    qint64 captured() const { return QFileInfo(capture_).size(); }
    [[nodiscard]] bool waitUntilSilent() {
        const auto silent = [] { return !Mix_Playing(-1) && !Mix_PlayingMusic(); };
        const qint64 until = captured() + kSamplesPerSecond / 2;
        return QTest::qWaitFor(silent, 20000) &&
               QTest::qWaitFor([&] { return captured() >= until; }, 20000);
    }
    QByteArray finishCapture() { // closes the output; its samples
        device_->close();
        QFile file(capture_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    // Mixed faster than real time: the captures stay short.
    void init() {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIODELAY", "5");
        capture_ =
            dir_.filePath(QTest::currentDataTag() + QString(QTest::currentTestFunction()) + ".raw");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(capture_));
        device_.emplace(clock_);
    }

    // The sounds played one after the other: the loudest sample and the
    // seconds heard, least and most of each.
    void sounds_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QList<double>>("peakAndSeconds");
        const QString pipe = dir_.filePath("pipe.wav"); // nobody writes: a reader would wait
        QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        QTest::addRow("right answer heard whole")
            << QStringList{"gagner.wav"} << QList{0.3, 0.8, 0.6, 1.0};
        QTest::addRow("missing file, named pipe")
            << QStringList{"absent.wav", pipe} << QList{0.0, 0.0, 0.0, 0.0};
        QTest::addRow("cut by the next")
            << QStringList{"Sound7.wav", "Sound3.wav"} << QList{0.01, 1.0, 0.0, 0.3};
        QTest::addRow("cut by a missing file")
            << QStringList{"Sound7.wav", "absent.wav"} << QList{0.0, 1.0, 0.0, 0.3};
    }
    void sounds() {
        QFETCH(QStringList, files);
        QFETCH(QList<double>, peakAndSeconds);
        qputenv("SDL_DISKAUDIODELAY", "23"); // cuts in real time
        SdlSoundPlayer player(*device_);
        QVERIFY(QTest::qWaitFor([&] { return device_->open(); }, 20000));
        for (const QString& file : files)
            player.play(QFileInfo(file).isAbsolute() ? file : asset(file));
        QVERIFY(device_->isOpen() && waitUntilSilent());
        const auto [peak, seconds] = loudness(finishCapture());
        QVERIFY2(peak >= peakAndSeconds[0] && peak <= peakAndSeconds[1] &&
                     seconds >= peakAndSeconds[2] && seconds <= peakAndSeconds[3],
                 qPrintable(QStringLiteral("peak %1, %2 s").arg(peak).arg(seconds)));
    }

    // Heard from play to close.
    void musicIsHeardUntilClosed() {
        SdlMediaControl music(*device_);
        QVERIFY(QTest::qWaitFor([&] { return device_->open(); }, 20000));
        music.openMusic(asset("Brikko32.mid"));
        music.playMusic(asset("Brikko32.mid"));
        const qint64 from = captured(); // a second of music
        QVERIFY(Mix_PlayingMusic() &&
                QTest::qWaitFor([&] { return captured() > from + 2 * kSamplesPerSecond; }, 20000));
        music.closeMusic();
        QVERIFY(!Mix_PlayingMusic());
        const qint64 closedAt = captured() + kSamplesPerSecond / 5; // what was mixed may still come
        QVERIFY(waitUntilSilent());
        const QByteArray out = finishCapture();
        QVERIFY(loudness(out.first(closedAt)).first > 0.05);
        QCOMPARE(loudness(out.sliced(closedAt)).first, 0.0);
    }

    // No such driver, or a sound system without the device (no sound card).
    void noOutputPlaysNothingAndIsTriedAgainLater_data() {
        QTest::addColumn<QByteArray>("driver");
        QTest::addColumn<QByteArray>("device");
        QTest::addRow("no such driver") << QByteArray("vorelle-no-such-driver") << QByteArray();
        QTest::addRow("ALSA without the device")
            << QByteArray("alsa") << QByteArray("vorelle_none");
    }
    // Nothing played, nothing printed; after the delay the output is looked for
    // again without holding up the caller, and a later request finds it.
    void noOutputPlaysNothingAndIsTriedAgainLater() {
        QFETCH(QByteArray, driver);
        QFETCH(QByteArray, device);
        qputenv("SDL_AUDIODRIVER", driver);
        qputenv("AUDIODEV", device);
        const auto restore = qScopeGuard([] { qunsetenv("AUDIODEV"); });
        const QString errors = dir_.filePath(QTest::currentDataTag() + QString(".txt"));
        const int savedStderr = ::dup(STDERR_FILENO); // what C libraries print goes there
        const int errorsFile =
            ::open(QFile::encodeName(errors).constData(), O_WRONLY | O_CREAT, 0600);
        ::dup2(errorsFile, STDERR_FILENO);
        FakeClock clock;
        SdlAudioDevice output(clock);
        SdlSoundPlayer player(output);
        SdlMediaControl music(output);
        player.play(asset("gagner.wav")); // looks for the output, in the background
        QVERIFY(QTest::qWaitFor([&] { return !output.isOpening(); }, 20000));
        music.openMusic(asset("Brikko32.mid"));
        music.playMusic(asset("Brikko32.mid"));
        music.closeMusic();
        std::fflush(stderr);
        ::dup2(savedStderr, STDERR_FILENO);
        ::close(savedStderr);
        ::close(errorsFile);
        QVERIFY(!output.isOpen() && !output.isOpening() && !SDL_WasInit(SDL_INIT_AUDIO) &&
                !Mix_PlayingMusic());
        QCOMPARE(QFileInfo(errors).size(), 0);

        // An output appears, its file a pipe nobody reads yet: opening it to
        // write waits for a reader, so a search on the calling thread would
        // never return from play().
        const QString pipe = dir_.filePath(QTest::currentDataTag() + QString(".pipe"));
        QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(pipe));
        clock.advance((SdlAudioDevice::retryDelayMs - 1) / 1000.0);
        player.play(asset("Sound3.wav"));
        QVERIFY(!output.isOpen() && !output.isOpening());
        clock.advance(0.001);
        player.play(asset("Sound3.wav")); // starts the search, answers at once
        QVERIFY(!output.isOpen() && output.isOpening());
        std::thread reader([&pipe] { // drains the output until it closes
            const int fd = ::open(QFile::encodeName(pipe).constData(), O_RDONLY);
            for (char buffer[4096]; fd >= 0 && ::read(fd, buffer, sizeof buffer) > 0;) {
            }
            ::close(fd);
        });
        const auto stopReader = qScopeGuard([&] { output.close(), reader.join(); });
        QVERIFY(QTest::qWaitFor([&] { return output.open(); }, 20000));
        player.play(asset("Sound3.wav"));
        QVERIFY(output.isOpen() && Mix_Playing(-1) == 1);
    }

    // A sound server that never answers holds SDL's audio start-up for half
    // a minute: the first sound, the music and releaseForExit each return
    // while it still holds the connection; once it hangs up, the attempt
    // given up ends by itself, having opened nothing.
    void hungSoundServerHoldsUpNothing() {
        QVERIFY(QDir().mkpath(qEnvironmentVariable("XDG_RUNTIME_DIR") + "/pulse"));
        SilentSoundServer server(qEnvironmentVariable("XDG_RUNTIME_DIR") + "/pulse/native");
        for (const char* name : {"PULSE_SERVER", "PULSE_RUNTIME_PATH", "DISPLAY"})
            qunsetenv(name);
        qputenv("SDL_AUDIODRIVER", "pulseaudio");
        FakeClock clock;
        SdlAudioDevice output(clock);
        SdlSoundPlayer player(output);
        SdlMediaControl music(output);
        const auto heldAfter = [&](const char* call, const std::function<void()>& f) {
            f();
            // The connection may come after the call returned, never before.
            const bool connected = QTest::qWaitFor([&] { return server.had() > 0; }, 20000);
            return connected && server.held() > 0
                       ? QString()
                       : QStringLiteral("%1 returned only once the sound server "
                                        "had let go (%2 of %3 connections held)")
                             .arg(call)
                             .arg(server.held())
                             .arg(server.had());
        };
        QString fault = heldAfter("the first sound", [&] { player.play(asset("perdu.wav")); });
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        fault = heldAfter("the music", [&] { music.playMusic(asset("Brikko32.mid")); });
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY(!output.isOpen() && output.isOpening());
        fault = heldAfter("ending the program's sound", [&] { output.releaseForExit(); });
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        server.hangUp();
        QVERIFY(QTest::qWaitFor([&] { return !output.isOpening(); }, 20000));
        QVERIFY(!output.isOpen() && !SDL_WasInit(SDL_INIT_AUDIO));
    }
};

QTEST_GUILESS_MAIN(TestSdlAudioOutput)
#include "test_sdl_audio_output.moc"
