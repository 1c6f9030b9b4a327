// Which paths the sound player and the music hand to SDL.

#include "sdl_audio.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestAudioFileName : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void namesPlayableFiles_data();
    void namesPlayableFiles();

private:
    QTemporaryDir dir_;
};

void TestAudioFileName::initTestCase() {
    QVERIFY(dir_.isValid());
    QFile file(dir_.filePath(QStringLiteral("tick.wav")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(100, 'x'));
}

void TestAudioFileName::namesPlayableFiles_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<qint64>("maxBytes");
    QTest::addColumn<QString>("expected"); // relative to the folder; "-" for none

    QTest::addRow("file") << "/tick.wav" << qint64(1000) << "/tick.wav";
    QTest::addRow("file at the size limit") << "/tick.wav" << qint64(100) << "/tick.wav";
    QTest::addRow("file over the size limit") << "/tick.wav" << qint64(99) << "-";
    // The game writes the music path as "folder\file"
    QTest::addRow("backslash separator") << "\\tick.wav" << qint64(1000) << "/tick.wav";
    QTest::addRow("missing file") << "/tock.wav" << qint64(1000) << "-";
    QTest::addRow("missing with backslash") << "\\tock.wav" << qint64(1000) << "-";
    QTest::addRow("folder") << "" << qint64(1000) << "-";
    QTest::addRow("NUL in the name")
        << QStringLiteral("/tick.wav") + QChar(0) + QStringLiteral("x") << qint64(1000) << "-";
}

void TestAudioFileName::namesPlayableFiles() {
    QFETCH(QString, path);
    QFETCH(qint64, maxBytes);
    QFETCH(QString, expected);

    const QByteArray name = audioFileName(dir_.path() + path, maxBytes);
    if (expected == QLatin1String("-"))
        QVERIFY2(name.isEmpty(), name.constData());
    else
        QCOMPARE(QFile::decodeName(name), dir_.path() + expected);
}

QTEST_APPLESS_MAIN(TestAudioFileName)
#include "test_audio_file_name.moc"
