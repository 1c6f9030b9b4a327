// The installed sounds and music, read as files: the formats the players
// accept, and short sounds without clicks or clipping.

#include <QFile>
#include <QTest>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>

namespace {
QString asset(const QString& name) {
    return qEnvironmentVariable("VORELLE_TEST_DATA") + QLatin1Char('/') + name;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 le32(const QByteArray& d, qsizetype at) {
    return qFromLittleEndian<quint32>(d.constData() + at);
}
quint16 le16(const QByteArray& d, qsizetype at) {
    return qFromLittleEndian<quint16>(d.constData() + at);
}
struct Wav {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<qint16> samples;
};

// RIFF chunks in order; only "fmt " and "data" are kept.
bool parseWav(const QByteArray& d, Wav& wav) {
    if (d.size() < 12 || !d.startsWith("RIFF") || d.mid(8, 4) != "WAVE")
        return false;
    for (qsizetype at = 12; at + 8 <= d.size();) {
        const QByteArray id = d.mid(at, 4);
        const qsizetype size = le32(d, at + 4);
        if (size > d.size() - at - 8)
            return false;
        if (id == "fmt " && size >= 16) {
            wav.format = le16(d, at + 8);
            wav.channels = le16(d, at + 10);
            wav.rate = int(le32(d, at + 12));
            wav.bits = le16(d, at + 22);
        } else if (id == "data") {
            wav.samples.resize(size_t(size / 2));
            for (size_t i = 0; i < wav.samples.size(); ++i)
                wav.samples[i] = qint16(le16(d, at + 8 + qsizetype(2 * i)));
        }
        at += 8 + size + (size & 1);
    }
    return wav.format != 0 && !wav.samples.empty();
}

} // namespace

class TestAudioAssets : public QObject {
    Q_OBJECT

private slots:
    void soundsAreShortCleanAndBelowClipping_data();
    void soundsAreShortCleanAndBelowClipping();
    void rowChimesGrowWithTheRows();
    void musicIsAStandardMidiFile();
};

void TestAudioAssets::soundsAreShortCleanAndBelowClipping_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("maxSeconds");
    QTest::addColumn<double>("maxPeak");

    QTest::addRow("right answer") << "gagner.wav" << 1.0 << 0.7;
    QTest::addRow("wrong answer") << "perdu.wav" << 1.0 << 0.7;
    QTest::addRow("level gained") << "Sound1.wav" << 1.0 << 0.7;
    QTest::addRow("piece at rest") << "Sound2.wav" << 0.3 << 0.7;
    // heard at every gravity step: very short and quiet
    QTest::addRow("gravity step") << "Sound3.wav" << 0.06 << 0.2;
    QTest::addRow("1 row") << "Sound4.wav" << 1.0 << 0.7;
    QTest::addRow("2 rows") << "Sound5.wav" << 1.0 << 0.7;
    QTest::addRow("3 rows") << "Sound6.wav" << 1.0 << 0.7;
    QTest::addRow("4 rows") << "Sound7.wav" << 1.0 << 0.7;
}

void TestAudioAssets::soundsAreShortCleanAndBelowClipping() {
    QFETCH(QString, name);
    QFETCH(double, maxSeconds);
    QFETCH(double, maxPeak);

    Wav wav;
    QVERIFY(parseWav(readAll(asset(name)), wav));
    QCOMPARE(wav.format, 1); // PCM
    QCOMPARE(wav.channels, 1);
    QCOMPARE(wav.bits, 16);
    QVERIFY(wav.rate == 22050 || wav.rate == 44100);
    const double seconds = double(wav.samples.size()) / wav.rate;
    QVERIFY2(seconds > 0.02 && seconds < maxSeconds, qPrintable(QString::number(seconds)));

    int peak = 0;
    for (qint16 s : wav.samples)
        peak = std::max(peak, std::abs(int(s)));
    QVERIFY2(peak > 0.05 * 32768 && peak < maxPeak * 32768, qPrintable(QString::number(peak)));
    // Faded in and out: no click at either end.
    QVERIFY(std::abs(int(wav.samples.front())) < 64);
    QVERIFY(std::abs(int(wav.samples.back())) < 64);
}

void TestAudioAssets::rowChimesGrowWithTheRows() {
    double previous = 0.0;
    for (const char* name : {"Sound4.wav", "Sound5.wav", "Sound6.wav", "Sound7.wav"}) {
        Wav wav;
        QVERIFY(parseWav(readAll(asset(QLatin1String(name))), wav));
        const double seconds = double(wav.samples.size()) / wav.rate;
        QVERIFY2(seconds > previous, name);
        previous = seconds;
    }
}

void TestAudioAssets::musicIsAStandardMidiFile() {
    // Type 1 with a track per part (the generator checks its length).
    const QByteArray midi = readAll(asset(QStringLiteral("Brikko32.mid")));
    QVERIFY(midi.size() > 14 && midi.startsWith("MThd"));
    QCOMPARE(qFromBigEndian<quint16>(midi.constData() + 8), quint16(1));
    QVERIFY(qFromBigEndian<quint16>(midi.constData() + 10) >= 4);
    QVERIFY(midi.indexOf("MTrk") == 14);
}

QTEST_APPLESS_MAIN(TestAudioAssets)
#include "test_audio_assets.moc"
