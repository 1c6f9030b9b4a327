// SPDX-License-Identifier: GPL-3.0-or-later
// The program as installed: `cmake --install` into a temporary prefix, and
// the installed program finds its sounds, music and tips and starts, and the
// guide it shows is installed as its documentation.
#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestInstalledProgram : public QObject {
    Q_OBJECT

    static constexpr int waitMs = 60000;
    QTemporaryDir dir_;
    QString prefix_;

private slots:
    void initTestCase() {
        prefix_ = dir_.filePath("prefix");
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(VORELLE_CMAKE),
                      {"--install", QStringLiteral(VORELLE_BUILD_DIR), "--prefix", prefix_});
        QVERIFY(install.waitForFinished(waitMs));
        QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
                 install.readAll().constData());
    }

    void installedProgramFindsItsData() {
        // A program in the installed bin folder: the probe stands beside it.
        const QString probe = prefix_ + "/bin/installed_paths_probe";
        QVERIFY(QFile::copy(QStringLiteral(VORELLE_PROBE), probe));
        QProcess p;
        p.start(probe, {"gagner.wav", "Sound3.wav", "Brikko32.mid", "TIPOFDAY1.TXT"});
        QVERIFY(p.waitForFinished(waitMs));
        QCOMPARE(QString::fromLocal8Bit(p.readAllStandardOutput()),
                 QFileInfo(prefix_ + "/share/vorelle").canonicalFilePath() +
                     "\nfound gagner.wav\nfound Sound3.wav\nfound Brikko32.mid\n"
                     "found TIPOFDAY1.TXT\n");
    }

    // The package's documentation is the guide the program shows.
    void installedGuideIsTheProgramsOwn() {
        QFile installed(prefix_ + "/share/doc/vorelle/guide.html");
        QFile shown(":/vorelle/guide.html");
        QVERIFY2(installed.open(QIODevice::ReadOnly), "the guide is not installed");
        QVERIFY(shown.open(QIODevice::ReadOnly));
        QVERIFY2(installed.readAll() == shown.readAll(), "the installed guide differs");
    }

    void installedProgramStarts() {
        const QString home = dir_.filePath("home");
        QVERIFY(QDir().mkpath(home + "/run"));
        QVERIFY(QFile::setPermissions(home + "/run", QFile::ReadOwner | QFile::WriteOwner |
                                                         QFile::ExeOwner)); // a runtime folder
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* var :
             {"HOME=", "XDG_CONFIG_HOME=/config", "XDG_DATA_HOME=/data", "XDG_RUNTIME_DIR=/run"})
            env.insert(QString(var).section('=', 0, 0), home + QString(var).section('=', 1));
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
        program.kill(); // and the destructor waits for it
    }
};

QTEST_MAIN(TestInstalledProgram)
#include "test_installed_program.moc"
