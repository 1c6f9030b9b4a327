// SPDX-License-Identifier: GPL-3.0-or-later
// The General MIDI soundfont the music is played with, looked up in a sounds
// folder made for each case.

#include "sdl_media_control.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestAudioFiles : public QObject {
    Q_OBJECT

private slots:
    // The files in the folder (a name ending in '/' is a folder); the one
    // chosen, none when empty.
    void soundFontLookedUp_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("chosen");
        QTest::addRow("the system's choice first")
            << QStringList{"sf2/TimGM6mb.sf2", "sf3/default-GM.sf3", "sf2/default-GM.sf2"}
            << "sf2/default-GM.sf2";
        QTest::addRow("then the sf3 one")
            << QStringList{"sf2/TimGM6mb.sf2", "sf3/default-GM.sf3"} << "sf3/default-GM.sf3";
        QTest::addRow("then the package's own")
            << QStringList{"sf2/FluidR3_GM.sf2", "sf2/TimGM6mb.sf2"} << "sf2/TimGM6mb.sf2";
        QTest::addRow("an sf3 of another package")
            << QStringList{"sf3/FluidR3Mono_GM.sf3"} << "sf3/FluidR3Mono_GM.sf3";
        QTest::addRow("folders and unknown files do not count")
            << QStringList{"sf2/default-GM.sf2/", "sf2/piano.sf2"} << "";
    }
    void soundFontLookedUp() {
        QFETCH(QStringList, files);
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        for (const QString& name : files) {
            QVERIFY(QDir().mkpath(QFileInfo(dir.filePath(name)).path()));
            QFile file(dir.filePath(name));
            QVERIFY(name.endsWith('/') ? QDir().mkpath(file.fileName())
                                       : file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(SdlMediaControl::findSoundFont(dir.path()),
                 chosen.isEmpty() ? QString() : dir.filePath(chosen));
    }
};

QTEST_APPLESS_MAIN(TestAudioFiles)
#include "test_audio_files.moc"
