// The program as installed: `cmake --install` into a temporary prefix puts
// the program, its data and its desktop files there, and the installed
// program finds its sounds, music and tips and starts.
#include <QDir>
#include <QImage>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class InstalledProgramTest : public QObject {
    Q_OBJECT

    static constexpr int waitMs = 60000;
    QTemporaryDir dir_;
    QString prefix_;

    static QString id() { return QStringLiteral(VORELLE_APP_ID); }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        prefix_ = dir_.filePath("prefix");
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(VORELLE_CMAKE),
                      {"--install", QStringLiteral(VORELLE_BUILD_DIR), "--prefix", prefix_});
        QVERIFY(install.waitForFinished(waitMs));
        QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
                 install.readAll().constData());
    }

    void filesUnderThePrefix_data() {
        QTest::addColumn<QString>("path");
        for (const char* data : {"gagner.wav", "perdu.wav", "Sound1.wav", "Sound7.wav",
                                 "Brikko32.mid", "TIPOFDAY1.TXT"})
            QTest::addRow("%s", data) << QStringLiteral("share/vorelle/") + data;
        QTest::addRow("program") << "bin/vorelle";
        QTest::addRow("desktop entry") << "share/applications/" + id() + ".desktop";
        QTest::addRow("metainfo") << "share/metainfo/" + id() + ".metainfo.xml";
        QTest::addRow("scalable icon") << "share/icons/hicolor/scalable/apps/" + id() + ".svg";
        for (int side : {16, 48, 256})
            QTest::addRow("%dx%d icon", side, side)
                << QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(side) + id() + ".png";
    }
    void filesUnderThePrefix() {
        QFETCH(QString, path);
        const QFileInfo info(prefix_ + '/' + path);
        QVERIFY2(info.isFile() && info.size() > 0, qPrintable(path));
        if (path.endsWith(".png")) {
            const QImage icon(info.filePath());
            QCOMPARE(icon.width(), path.section('/', 3, 3).section('x', 0, 0).toInt());
            QCOMPARE(icon.height(), icon.width());
        }
    }

    void installedProgramFindsItsData() {
        // A program in the installed bin folder: the probe stands beside it.
        const QString probe = prefix_ + "/bin/installed_paths_probe";
        QFile::remove(probe);
        QVERIFY(QFile::copy(QStringLiteral(VORELLE_PROBE), probe));
        QProcess p;
        p.start(probe, {"gagner.wav", "Sound3.wav", "Brikko32.mid", "TIPOFDAY1.TXT"});
        QVERIFY(p.waitForFinished(waitMs));
        QCOMPARE(QString::fromLocal8Bit(p.readAllStandardOutput()),
                 QFileInfo(prefix_ + "/share/vorelle").canonicalFilePath() +
                     "\nfound gagner.wav\nfound Sound3.wav\nfound Brikko32.mid\n"
                     "found TIPOFDAY1.TXT\n");
    }

    void installedProgramStarts() {
        const QString home = dir_.filePath("home");
        QVERIFY(QDir().mkpath(home + "/run"));
        QVERIFY(QFile::setPermissions(home + "/run", QFile::ReadOwner | QFile::WriteOwner |
                                                         QFile::ExeOwner)); // a runtime folder
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home);
        env.insert("XDG_CONFIG_HOME", home + "/config");
        env.insert("XDG_DATA_HOME", home + "/data");
        env.insert("XDG_RUNTIME_DIR", home + "/run");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(prefix_ + "/bin/vorelle", {});
        QVERIFY(program.waitForStarted(waitMs));
        // Started, it answers a later copy from its window.
        const QString socketPath = home + "/run/vorelle.socket";
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socketPath), waitMs);
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        QVERIFY(socket.waitForConnected(waitMs) && socket.write("activate\n") > 0);
        QVERIFY(socket.waitForReadyRead(waitMs));
        QCOMPARE(socket.readAll(), "ok\n");
        QCOMPARE(program.state(), QProcess::Running);
        program.kill();
        program.waitForFinished(waitMs);
    }
};

QTEST_MAIN(InstalledProgramTest)
#include "test_installed_program.moc"
