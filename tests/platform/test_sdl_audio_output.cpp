// What the sound player and the music really send to the speaker, captured
// with SDL's disk audio driver: every test writes the output to a file of its
// own and analyses the samples.

#include "clock.h"
#include "program_end.h"
#include "sdl_audio.h"
#include "sdl_media_control.h"
#include "sdl_sound_player.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <signal.h>
#include <sys/stat.h>

namespace {
constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr qint64 kBytesPerSecond = kRate * kChannels * 2;

QString asset(const QString& name) {
    return qEnvironmentVariable("VORELLE_TEST_DATA") + QLatin1Char('/') + name;
}

// A MIDI file of one closed hi-hat stroke at its start and one second in all:
// a short, sharp burst that shows each time the music starts.
QByteArray oneStrokeMidi() {
    static const unsigned char bytes[] = {'M',  'T', 'h',  'd',  0,    0,    0,    6,   0,
                                          0,    0,   1,    0x01, 0xE0, 'M',  'T',  'r', 'k',
                                          0,    0,   0,    13,   0x00, 0x99, 42,   127, 0x60,
                                          0x89, 42,  0x00, 0x86, 0x60, 0xFF, 0x2F, 0x00};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// The loudest sample, as a fraction of full scale.
double peak(const std::vector<qint16>& s, size_t from = 0) {
    int top = 0;
    for (size_t i = from; i < s.size(); ++i)
        top = std::max(top, std::abs(int(s[i])));
    return top / 32768.0;
}

// Seconds from the first to the last sample above the threshold (a fraction
// of full scale); 0 when none is.
double audibleSeconds(const std::vector<qint16>& s, double threshold) {
    const int limit = int(threshold * 32768.0);
    auto loud = [limit](qint16 v) { return std::abs(int(v)) > limit; };
    const auto first = std::find_if(s.begin(), s.end(), loud);
    if (first == s.end())
        return 0.0;
    const auto last = std::find_if(s.rbegin(), s.rend(), loud);
    return double(std::distance(first, last.base())) / (kRate * kChannels);
}

// How many times the output rises to a quarter of its peak after at least
// 100 ms below a twentieth of it.
int bursts(const std::vector<qint16>& s) {
    const int top = int(peak(s) * 32768.0);
    const size_t window = kRate * kChannels / 100; // 10 ms
    int count = 0;
    int quietWindows = 10;
    bool armed = true;
    for (size_t at = 0; at < s.size(); at += window) {
        int level = 0;
        for (size_t i = at; i < std::min(s.size(), at + window); ++i)
            level = std::max(level, std::abs(int(s[i])));
        if (level < top / 20) {
            if (++quietWindows >= 10)
                armed = true;
            continue;
        }
        quietWindows = 0;
        if (armed && level > top / 4) {
            ++count;
            armed = false;
        }
    }
    return count;
}
} // namespace

class TestSdlAudioOutput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rightAnswerSoundIsHeardWhole();
    void musicIsHeardUntilClosed();
    void missingFilesPlaySilence_data();
    void missingFilesPlaySilence();
    void newSoundCutsThePrevious_data();
    void newSoundCutsThePrevious();
    void playRestartsOnlyWhenNothingPlays();
    void lostOutputIsOpenedAgain();
    void shutdownHookStopsTheMusic();
    void signalHandlersAreLeftAlone();

private:
    void startCapture();
    // Lets the output run until `seconds` more of it are on disk.
    [[nodiscard]] bool waitForOutput(double seconds);
    [[nodiscard]] bool waitUntilSilent();
    double capturedSeconds() const;
    // Closes the output and returns the captured samples.
    std::vector<qint16> finishCapture();

    SystemClock clock_;
    std::optional<SdlAudioDevice> device_;
    std::optional<QTemporaryDir> dir_;
    QString captureFile_;
    int captures_ = 0;
};

void TestSdlAudioOutput::initTestCase() {
    qputenv("SDL_AUDIODRIVER", "disk");
    QVERIFY(QFileInfo(asset(QStringLiteral("gagner.wav"))).isFile());
}

void TestSdlAudioOutput::init() {
    // Mix about four times faster than real time: the captures stay short.
    qputenv("SDL_DISKAUDIODELAY", "5");
    device_.emplace(clock_);
    dir_.emplace();
    startCapture();
}

void TestSdlAudioOutput::cleanup() {
    device_.reset();
    dir_.reset();
}

void TestSdlAudioOutput::startCapture() {
    captureFile_ = dir_->filePath(QStringLiteral("output%1.raw").arg(++captures_));
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(captureFile_));
}

double TestSdlAudioOutput::capturedSeconds() const {
    return QFileInfo(captureFile_).size() / double(kBytesPerSecond);
}

bool TestSdlAudioOutput::waitForOutput(double seconds) {
    const double until = capturedSeconds() + seconds;
    return QTest::qWaitFor([&] { return capturedSeconds() >= until; }, 20000);
}

bool TestSdlAudioOutput::waitUntilSilent() {
    return QTest::qWaitFor([] { return Mix_Playing(-1) == 0 && !Mix_PlayingMusic(); }, 20000);
}

std::vector<qint16> TestSdlAudioOutput::finishCapture() {
    device_->close();
    QFile file(captureFile_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    std::vector<qint16> samples(size_t(data.size()) / 2);
    std::memcpy(samples.data(), data.constData(), samples.size() * 2);
    return samples;
}

void TestSdlAudioOutput::rightAnswerSoundIsHeardWhole() {
    SdlSoundPlayer player(*device_);
    player.play(asset(QStringLiteral("gagner.wav")));
    QCOMPARE(Mix_Playing(-1), 1);
    int rate = 0;
    int channels = 0;
    Uint16 format = 0;
    QVERIFY(Mix_QuerySpec(&rate, &format, &channels) != 0);
    QCOMPARE(rate, kRate);
    QCOMPARE(channels, kChannels);
    QCOMPARE(format, Uint16(AUDIO_S16SYS));
    QVERIFY(waitUntilSilent());
    QVERIFY(waitForOutput(0.1));

    const auto samples = finishCapture();
    // Clearly heard, well below clipping, played to its end, under a second.
    QVERIFY2(peak(samples) > 0.3 && peak(samples) < 0.8,
             qPrintable(QString::number(peak(samples))));
    const double length = audibleSeconds(samples, 0.003);
    QVERIFY2(length > 0.6 && length < 1.0, qPrintable(QString::number(length)));
}

void TestSdlAudioOutput::musicIsHeardUntilClosed() {
    SdlMediaControl music(*device_);
    const QString path = asset(QStringLiteral("Brikko32.mid"));
    music.send(QStringLiteral("open ") + path);
    music.send(QStringLiteral("play \"") + path + QLatin1Char('"'));
    QVERIFY(Mix_PlayingMusic());
    QVERIFY(waitForOutput(1.0));

    music.send(QStringLiteral("CLOSE ") + path);
    QVERIFY(!Mix_PlayingMusic());
    const qint64 closedAt = QFileInfo(captureFile_).size();
    QVERIFY(waitForOutput(0.3));

    const auto samples = finishCapture();
    QVERIFY2(peak(samples) > 0.05 && peak(samples) < 0.9,
             qPrintable(QString::number(peak(samples))));
    // Silent from a tenth of a second after the close on (what was already
    // mixed may still come out).
    const size_t silentFrom = size_t(closedAt / 2) + kRate * kChannels / 10;
    QVERIFY(samples.size() > silentFrom);
    QCOMPARE(peak(samples, silentFrom), 0.0);
}

void TestSdlAudioOutput::missingFilesPlaySilence_data() {
    QTest::addColumn<QString>("what");
    QTest::addRow("sound file") << "sound";
    QTest::addRow("music file") << "music";
    QTest::addRow("soundfont") << "soundfont";
    QTest::addRow("pipe as sound") << "pipe";
}

void TestSdlAudioOutput::missingFilesPlaySilence() {
    QFETCH(QString, what);
    const QString missing = dir_->filePath(QStringLiteral("absent"));
    SdlSoundPlayer player(*device_);
    SdlMediaControl music(*device_, what == QLatin1String("soundfont")
                                        ? missing + QStringLiteral(".sf2")
                                        : SdlMediaControl::defaultSoundFont());
    if (what == QLatin1String("sound")) {
        player.play(missing + QStringLiteral(".wav"));
    } else if (what == QLatin1String("pipe")) {
        // Nobody writes to it: a reader that opened it would wait forever.
        const QString pipe = dir_->filePath(QStringLiteral("pipe.wav"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        player.play(pipe);
    } else {
        const QString path = what == QLatin1String("music") ? missing + QStringLiteral(".mid")
                                                            : asset("Brikko32.mid");
        music.send(QStringLiteral("open \"%1\"").arg(path));
        music.send(QStringLiteral("play \"%1\"").arg(path));
    }
    QVERIFY(device_->isOpen());
    QCOMPARE(Mix_Playing(-1), 0);
    QVERIFY(!Mix_PlayingMusic());
    QVERIFY(waitForOutput(0.3));

    const auto samples = finishCapture();
    QVERIFY(!samples.empty());
    QCOMPARE(peak(samples), 0.0);
}

void TestSdlAudioOutput::newSoundCutsThePrevious_data() {
    QTest::addColumn<QString>("second");
    QTest::addRow("by a short tick") << "Sound3.wav";
    QTest::addRow("by a missing file") << "absent.wav";
}

void TestSdlAudioOutput::newSoundCutsThePrevious() {
    QFETCH(QString, second);
    // In real time, so that a pause of this thread between the two calls
    // lets little of the first sound through.
    qputenv("SDL_DISKAUDIODELAY", "23");
    SdlSoundPlayer player(*device_);
    player.play(asset(QStringLiteral("Sound7.wav"))); // nearly a second long
    player.play(asset(second));
    QVERIFY(Mix_Playing(-1) <= 1);
    QVERIFY(waitUntilSilent());
    QVERIFY(waitForOutput(0.1));

    const auto samples = finishCapture();
    const double length = audibleSeconds(samples, 0.003);
    QVERIFY2(length < 0.3, qPrintable(QString::number(length)));
}

void TestSdlAudioOutput::playRestartsOnlyWhenNothingPlays() {
    const QString path = dir_->filePath(QStringLiteral("stroke.mid"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(oneStrokeMidi());
    file.close();

    SdlMediaControl music(*device_);
    const QString play = QStringLiteral("play ") + path;
    music.send(play);
    QVERIFY(waitForOutput(0.5));
    music.send(play); // while it plays: nothing
    QVERIFY(Mix_PlayingMusic());
    QVERIFY(waitUntilSilent());
    music.send(play); // after its end: from the beginning
    QVERIFY(Mix_PlayingMusic());
    QVERIFY(waitForOutput(0.5));

    const auto samples = finishCapture();
    QCOMPARE(bursts(samples), 2);
}

void TestSdlAudioOutput::lostOutputIsOpenedAgain() {
    SdlSoundPlayer player(*device_);
    player.play(asset(QStringLiteral("Sound3.wav")));
    QVERIFY(device_->isOpen());

    SDL_Event removed{};
    removed.adevice.type = SDL_AUDIODEVICEREMOVED;
    removed.adevice.iscapture = 0;
    QCOMPARE(SDL_PushEvent(&removed), 1);
    startCapture(); // the output opened next writes here

    player.play(asset(QStringLiteral("gagner.wav")));
    QVERIFY(waitUntilSilent());
    const auto samples = finishCapture();
    QVERIFY(peak(samples) > 0.3);
}

void TestSdlAudioOutput::shutdownHookStopsTheMusic() {
    device_.reset(); // the program's own output from here on
    SdlMediaControl music;
    music.send(QStringLiteral("play ") + asset(QStringLiteral("Brikko32.mid")));
    QVERIFY(Mix_PlayingMusic());

    ProgramEnd::setExitHandler([] {});
    ProgramEnd::addShutdownHook(closeSdlAudio);
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, ProgramEnd::endProgram());
    ProgramEnd::setExitHandler({});

    QVERIFY(!SdlAudioDevice::shared().isOpen());
    QCOMPARE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

void TestSdlAudioOutput::signalHandlersAreLeftAlone() {
    // Opening the output must not take over Ctrl+C or the request to end:
    // SDL would claim both when they have their default handling.
    const int kinds[] = {SIGINT, SIGTERM};
    struct sigaction saved[2] = {};
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    for (int i = 0; i < 2; ++i)
        ::sigaction(kinds[i], &byDefault, &saved[i]);

    SdlSoundPlayer player(*device_);
    player.play(asset(QStringLiteral("Sound3.wav")));
    const bool opened = device_->isOpen();
    struct sigaction after[2] = {};
    for (int i = 0; i < 2; ++i) {
        ::sigaction(kinds[i], &saved[i], &after[i]);
    }
    QVERIFY(opened);
    QVERIFY(after[0].sa_handler == SIG_DFL);
    QVERIFY(after[1].sa_handler == SIG_DFL);
}

QTEST_GUILESS_MAIN(TestSdlAudioOutput)
#include "test_sdl_audio_output.moc"
