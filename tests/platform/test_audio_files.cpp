// The music's command strings, the files the players hand to SDL, and the
// installed sounds as the player reads them.

#include "media_command.h"
#include "sdl_audio.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <SDL.h>
#include <algorithm>

using Verb = MediaCommand::Verb;
Q_DECLARE_METATYPE(MediaCommand::Verb)

namespace {

QByteArray asset(const QString& name) {
    return QFile::encodeName(qEnvironmentVariable("VORELLE_TEST_DATA") + u'/' + name);
}

} // namespace

class TestAudioFiles : public QObject {
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
    void pathsSurviveTheCommand_data();
    void pathsSurviveTheCommand();
    void playableFiles_data();
    void playableFiles();
    void formatAndLength_data();
    void formatAndLength();

private:
    QTemporaryDir dir_;
};

void TestAudioFiles::commands_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<Verb>("verb");
    QTest::addColumn<QString>("path");
    const auto row = [](const char* name, const QString& command, Verb verb, const char* path) {
        QTest::addRow("%s", name) << command << verb << QString::fromUtf8(path);
    };
    row("bare path", "open /opt/vorelle/Brikko32.mid", Verb::Open, "/opt/vorelle/Brikko32.mid");
    row("quoted path with spaces", "play \"/home/élève/Mes jeux/Brikko32.mid\"", Verb::Play,
        "/home/élève/Mes jeux/Brikko32.mid");
    row("verb in capitals", "CLOSE /a.mid", Verb::Close, "/a.mid");
    row("backslashes kept", "play C:\\Jeux\\b.mid", Verb::Play, "C:\\Jeux\\b.mid");
    row("odd spacing", "  play \t  /a.mid \r\n", Verb::Play, "/a.mid");
    row("unknown verb", "stop /a.mid", Verb::None, "");
    row("verb run into the path", "play/a.mid", Verb::None, "");
    row("empty", "", Verb::None, "");
    row("empty quotes", "play \"\"", Verb::None, "");
    row("unclosed quote", "play \"/a b.mid", Verb::None, "");
    row("unquoted path with a space", "play /Mes jeux/b.mid", Verb::None, "");
    row("text after the quoted path", "play \"/a.mid\" from 0", Verb::None, "");
    row("NUL in the path", QStringLiteral("play /a.mid") + QChar(0) + u'x', Verb::None, "");
}

void TestAudioFiles::commands() {
    QFETCH(QString, command);
    QFETCH(Verb, verb);
    QFETCH(QString, path);
    const MediaCommand parsed = parseMediaCommand(command);
    QCOMPARE(parsed.verb, verb);
    QCOMPARE(parsed.path, path);
}

// Whatever white space a folder name holds, the path built into a command is
// the path the command names; bare when it holds none.
void TestAudioFiles::pathsSurviveTheCommand_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("quoted");
    QTest::addRow("plain") << "/opt/vorelle/Brikko32.mid" << false;
    QTest::addRow("ASCII space") << "/home/élève/Mes jeux/Brikko32.mid" << true;
    QTest::addRow("tab") << "/opt/a\tb/Brikko32.mid" << true;
    QTest::addRow("no-break space") << "/opt/Mes\u00a0jeux/Brikko32.mid" << true;
    QTest::addRow("ideographic space") << "/opt/\u3000/Brikko32.mid" << true;
    QTest::addRow("line separator") << "/opt/a\u2028b/Brikko32.mid" << true;
    QTest::addRow("ends with a space") << "/opt/a /" << true;
}

void TestAudioFiles::pathsSurviveTheCommand() {
    QFETCH(QString, path);
    QFETCH(bool, quoted);
    const QString inCommand = mediaCommandPath(path);
    QCOMPARE(inCommand.startsWith(u'"'), quoted);
    const MediaCommand parsed = parseMediaCommand(QStringLiteral("play ") + inCommand);
    QCOMPARE(parsed.verb, Verb::Play);
    QCOMPARE(parsed.path, path);
}

// Regular files up to a size, named with slashes; nothing else.
void TestAudioFiles::playableFiles_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("expected");
    const QString tick = dir_.filePath(QStringLiteral("tick.wav"));
    QFile file(tick);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(100, 'x')) == 100);
    file.close();
    QTest::addRow("at the size limit") << audioFileName(tick, 100) << tick;
    QTest::addRow("over the size limit") << audioFileName(tick, 99) << QString();
    QTest::addRow("backslash separator")
        << audioFileName(dir_.path() + QStringLiteral("\\tick.wav"), 1000) << tick;
    QTest::addRow("missing file") << audioFileName(tick + u'x', 1000) << QString();
    QTest::addRow("folder") << audioFileName(dir_.path(), 1000) << QString();
    QTest::addRow("NUL in the name") << audioFileName(tick + QChar(0), 1000) << QString();
}

void TestAudioFiles::playableFiles() {
    QFETCH(QByteArray, name);
    QFETCH(QString, expected);
    QCOMPARE(QFile::decodeName(name), expected);
}

void TestAudioFiles::formatAndLength_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"gagner.wav", "perdu.wav", "Sound1.wav", "Sound2.wav", "Sound3.wav",
                             "Sound4.wav", "Sound5.wav", "Sound6.wav", "Sound7.wav"})
        QTest::addRow("%s", name) << name;
}

// Sounds: 16-bit mono PCM, heard, below clipping, under a second. (The music's file is
// checked by its generator, tools/make-music, and heard in the output test.)
void TestAudioFiles::formatAndLength() {
    QFETCH(QString, name);
    SDL_AudioSpec spec;
    Uint8* buffer = nullptr;
    Uint32 bytes = 0;
    QVERIFY(SDL_LoadWAV(asset(name).constData(), &spec, &buffer, &bytes));
    const std::vector<qint16> samples(reinterpret_cast<qint16*>(buffer),
                                      reinterpret_cast<qint16*>(buffer + bytes));
    SDL_FreeWAV(buffer);
    QCOMPARE(spec.format, Uint16(AUDIO_S16LSB));
    QCOMPARE(spec.channels, Uint8(1));
    int peak = 0;
    for (const qint16 s : samples)
        peak = std::max(peak, std::abs(int(s)));
    QVERIFY2(peak > 0.05 * 32768 && peak < 0.7 * 32768, qPrintable(QString::number(peak)));
    const double seconds = double(samples.size()) / spec.freq;
    QVERIFY2(seconds > 0.02 && seconds < 1.0, qPrintable(QString::number(seconds)));
}

QTEST_APPLESS_MAIN(TestAudioFiles)
#include "test_audio_files.moc"
