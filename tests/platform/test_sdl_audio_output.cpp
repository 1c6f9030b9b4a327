// What the sound player and the music send to the speaker, captured with
// SDL's disk audio driver (each test to a file of its own), and what they do
// without any output.

#include "fakes.h"
#include "program_end.h"
#include "sdl_audio.h"
#include "sdl_media_control.h"
#include "sdl_sound_player.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdio>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr int kSamplesPerSecond = 44100 * 2; // 16-bit stereo

QString asset(const char* name) {
    return qEnvironmentVariable("VORELLE_TEST_DATA") + u'/' + QLatin1String(name);
}

// The loudest of the samples, as a fraction of full scale, and the seconds
// from the first to the last sample above 0.3 % of full scale.
std::pair<double, double> loudness(QByteArrayView samples) {
    const auto* s = reinterpret_cast<const qint16*>(samples.data());
    const size_t count = size_t(samples.size()) / 2;
    int top = 0;
    size_t first = count, last = 0;
    for (size_t i = 0; i < count; ++i) {
        top = std::max(top, std::abs(int(s[i])));
        if (std::abs(int(s[i])) > 98) {
            first = std::min(first, i);
            last = i;
        }
    }
    return {top / 32768.0, first < count ? double(last - first) / kSamplesPerSecond : 0.0};
}
} // namespace

class TestSdlAudioOutput : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { device_.reset(); }
    void sounds_data();
    void sounds();
    void musicIsHeardUntilClosed();
    void playWhilePlayingDoesNothing();
    void programEndStopsTheMusic();
    void noOutputPlaysNothingAndIsTriedAgainLater_data();
    void noOutputPlaysNothingAndIsTriedAgainLater();

private:
    double capturedSeconds() const { return QFileInfo(capture_).size() / 2.0 / kSamplesPerSecond; }
    [[nodiscard]] bool waitForOutput(double seconds) {
        const double until = capturedSeconds() + seconds;
        return QTest::qWaitFor([&] { return capturedSeconds() >= until; }, 20000);
    }
    [[nodiscard]] bool waitUntilSilent() {
        return QTest::qWaitFor([] { return !Mix_Playing(-1) && !Mix_PlayingMusic(); }, 20000);
    }
    // Closes the output; its samples.
    QByteArray finishCapture() {
        device_->close();
        QFile file(capture_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    SystemClock clock_;
    std::optional<SdlAudioDevice> device_;
    QTemporaryDir dir_;
    QString capture_;
    int captures_ = 0;
};

// Mixed about four times faster than real time: the captures stay short.
void TestSdlAudioOutput::init() {
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIODELAY", "5");
    capture_ = dir_.filePath(QStringLiteral("output%1.raw").arg(++captures_));
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(capture_));
    device_.emplace(clock_);
}

// The sounds played one after the other, the loudest sample and the seconds
// from the first to the last sample heard.
void TestSdlAudioOutput::sounds_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QList<double>>("peakAndSeconds"); // least and most of each
    const auto row = [](const char* name, QStringList files, QList<double> bounds) {
        QTest::addRow("%s", name) << files << bounds;
    };
    row("right answer heard whole", {"gagner.wav"}, {0.3, 0.8, 0.6, 1.0});
    row("missing file", {"absent.wav"}, {0, 0, 0, 0});
    // Nobody writes to the pipe: a reader would wait for ever.
    const QString pipe = dir_.filePath(QStringLiteral("pipe.wav"));
    QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    row("named pipe", {pipe}, {0, 0, 0, 0});
    row("cut by the next", {"Sound7.wav", "Sound3.wav"}, {0.01, 1, 0, 0.3});
    row("cut by a missing file", {"Sound7.wav", "absent.wav"}, {0, 1, 0, 0.3});
}

void TestSdlAudioOutput::sounds() {
    QFETCH(QStringList, files);
    QFETCH(QList<double>, peakAndSeconds);
    // Cuts in real time, so that a pause of this thread between the two calls
    // lets little of the first sound through.
    if (files.size() > 1)
        qputenv("SDL_DISKAUDIODELAY", "23");
    SdlSoundPlayer player(*device_);
    for (const QString& file : files)
        player.play(QFileInfo(file).isAbsolute() ? file : asset(qPrintable(file)));
    QVERIFY(device_->isOpen() && waitUntilSilent() && waitForOutput(0.1));
    const auto [peak, seconds] = loudness(finishCapture());
    QVERIFY2(peak >= peakAndSeconds[0] && peak <= peakAndSeconds[1] &&
                 seconds >= peakAndSeconds[2] && seconds <= peakAndSeconds[3],
             qPrintable(QStringLiteral("peak %1, %2 s").arg(peak).arg(seconds)));
}

// Heard from play to close; silent without its file or its soundfont.
void TestSdlAudioOutput::musicIsHeardUntilClosed() {
    const QString path = asset("Brikko32.mid");
    SdlMediaControl missingFile(*device_);
    missingFile.send(QStringLiteral("play ") + dir_.filePath(QStringLiteral("absent.mid")));
    SdlMediaControl missingSoundFont(*device_, dir_.filePath(QStringLiteral("absent.sf2")));
    missingSoundFont.send(QStringLiteral("play ") + path);
    QVERIFY(device_->isOpen() && !Mix_PlayingMusic());
    SdlMediaControl music(*device_);
    music.send(QStringLiteral("open ") + path);
    music.send(QStringLiteral("play \"%1\"").arg(path));
    QVERIFY(Mix_PlayingMusic() && waitForOutput(1.0));
    music.send(QStringLiteral("CLOSE ") + path);
    QVERIFY(!Mix_PlayingMusic());
    // What was already mixed may still come out.
    const qsizetype closedAt = QFileInfo(capture_).size() + 2 * kSamplesPerSecond / 10;
    QVERIFY(waitForOutput(0.3));
    const QByteArray out = finishCapture();
    QVERIFY(loudness(out.first(closedAt)).first > 0.05);
    QCOMPARE(loudness(out.sliced(closedAt)).first, 0.0);
}

// One second of music, a hi-hat stroke at its start: a play that restarted it
// would be heard as a second stroke.
void TestSdlAudioOutput::playWhilePlayingDoesNothing() {
    QFile file(dir_.filePath(QStringLiteral("stroke.mid")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromHex("4d546864000000060000000101e04d54726b0000000d00992a7f60892a00"
                                   "8660ff2f00"));
    file.close();
    SdlMediaControl music(*device_);
    const QString play = QStringLiteral("play ") + file.fileName();
    music.send(play);
    QVERIFY(waitForOutput(0.5));
    music.send(play);
    QVERIFY(waitUntilSilent());
    const qsizetype endedAt = QFileInfo(capture_).size();
    music.send(play); // after its end: from the beginning
    QVERIFY(Mix_PlayingMusic());
    const QByteArray out = finishCapture();
    const auto [peak, seconds] = loudness(out.first(endedAt));
    QVERIFY2(peak > 0.05 && seconds < 0.45, qPrintable(QString::number(seconds)));
}

// Ending the program closes the music; opening the output leaves Ctrl+C and
// the request to end to their default handling.
void TestSdlAudioOutput::programEndStopsTheMusic() {
    struct sigaction byDefault = {}, saved[2] = {}, after[2] = {};
    byDefault.sa_handler = SIG_DFL;
    ::sigaction(SIGINT, &byDefault, &saved[0]);
    ::sigaction(SIGTERM, &byDefault, &saved[1]);
    SdlMediaControl music;
    music.send(QStringLiteral("play ") + asset("Brikko32.mid"));
    QVERIFY(Mix_PlayingMusic());
    ::sigaction(SIGINT, &saved[0], &after[0]);
    ::sigaction(SIGTERM, &saved[1], &after[1]);
    QVERIFY(after[0].sa_handler == SIG_DFL && after[1].sa_handler == SIG_DFL);

    ProgramEnd::setExitHandler([] {});
    ProgramEnd::addShutdownHook(closeSdlAudio);
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, ProgramEnd::endProgram());
    ProgramEnd::setExitHandler({});
    QVERIFY(!SdlAudioDevice::shared().isOpen() && !SDL_WasInit(SDL_INIT_AUDIO));
}

// The ways the output can be missing: no driver at all, and a sound system
// that has no such device (as on a machine without a sound card).
void TestSdlAudioOutput::noOutputPlaysNothingAndIsTriedAgainLater_data() {
    QTest::addColumn<QByteArray>("driver");
    QTest::addColumn<QByteArray>("device");
    QTest::addRow("no such driver") << QByteArray("vorelle-no-such-driver") << QByteArray();
    QTest::addRow("ALSA without the device")
        << QByteArray("alsa") << QByteArray("vorelle_no_such_device");
}

// Nothing is played and nothing is printed. Once the delay has passed, the
// output is looked for again without holding up the caller: the request that
// starts the search answers at once, and a later one finds the output.
void TestSdlAudioOutput::noOutputPlaysNothingAndIsTriedAgainLater() {
    QFETCH(QByteArray, driver);
    QFETCH(QByteArray, device);
    qputenv("SDL_AUDIODRIVER", driver);
    qputenv("AUDIODEV", device);
    const auto restore = qScopeGuard([] { qunsetenv("AUDIODEV"); });
    const QString errors = dir_.filePath(QStringLiteral("stderr%1.txt").arg(++captures_));
    // What C libraries print goes to stderr's file descriptor: to a file here.
    const int savedStderr = ::dup(STDERR_FILENO);
    const int errorsFile = ::open(QFile::encodeName(errors).constData(), O_WRONLY | O_CREAT, 0600);
    ::dup2(errorsFile, STDERR_FILENO);
    FakeClock clock;
    SdlAudioDevice output(clock);
    SdlSoundPlayer player(output);
    SdlMediaControl music(output);
    player.play(asset("gagner.wav"));
    for (const char* verb : {"open ", "play ", "close "})
        music.send(QLatin1String(verb) + asset("Brikko32.mid"));
    std::fflush(stderr);
    ::dup2(savedStderr, STDERR_FILENO);
    ::close(savedStderr);
    ::close(errorsFile);
    QVERIFY(!output.isOpen() && !SDL_WasInit(SDL_INIT_AUDIO) && !Mix_PlayingMusic());
    QFile printed(errors);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QCOMPARE(printed.readAll(), QByteArray());

    // An output appears: it is looked for again only after the delay. Its
    // file is a pipe, and opening a pipe to write waits for a reader: a
    // search made on the calling thread would never return from play().
    const QString pipe = dir_.filePath(QStringLiteral("pipe%1.raw").arg(captures_));
    QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(pipe));
    clock.advance((SdlAudioDevice::retryDelayMs - 1) / 1000.0);
    player.play(asset("Sound3.wav"));
    QVERIFY(!output.isOpen());
    clock.advance(0.001);
    player.play(asset("Sound3.wav"));
    QVERIFY(!output.isOpen());
    // The reader lets the search open the output, then drains it until the
    // output closes.
    std::thread reader([&pipe] {
        const int fd = ::open(QFile::encodeName(pipe).constData(), O_RDONLY);
        char buffer[4096];
        while (fd >= 0 && ::read(fd, buffer, sizeof buffer) > 0) {
        }
        ::close(fd);
    });
    const auto stopReader = qScopeGuard([&] {
        output.close();
        reader.join();
    });
    QVERIFY(QTest::qWaitFor([&] { return output.open(); }, 20000));
    player.play(asset("Sound3.wav"));
    QVERIFY(output.isOpen() && Mix_Playing(-1) == 1);
}

QTEST_GUILESS_MAIN(TestSdlAudioOutput)
#include "test_sdl_audio_output.moc"
