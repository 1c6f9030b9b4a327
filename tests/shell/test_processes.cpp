// Copies as separate processes, each with its own settings folder: a helper
// that takes the single-instance lock as the program does, and the program.
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class ProcessesTest : public QObject {
    Q_OBJECT

    static constexpr int waitMs = 30000; // sanitizer builds start slowly
    QTemporaryDir dir_;
    std::vector<std::unique_ptr<QProcess>> processes_;

    QProcess* start(const QString& program, const QString& config = "config") {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", dir_.path());
        env.insert("XDG_CONFIG_HOME", config.startsWith('/') ? config : dir_.filePath(config));
        QProcess* p = processes_.emplace_back(std::make_unique<QProcess>()).get();
        p->setProcessEnvironment(env);
        p->start(program, {});
        return p;
    }
    static QByteArray nextLine(QProcess* p) {
        return p->canReadLine() || p->waitForReadyRead(waitMs) ? p->readLine() : QByteArray();
    }

private slots:
    void cleanup() { processes_.clear(); } // kills those still running

    void secondCopyEndsAndRaisesTheFirst() {
        const QString helper = QStringLiteral(VORELLE_GUARD_HELPER);
        QProcess* first = start(helper);
        QCOMPARE(nextLine(first), "first\n");
        QCOMPARE(nextLine(start(helper)), "second\n");
        QCOMPARE(nextLine(first), "raised\n");
        // Killed, it leaves its lock and socket behind: the next copy takes over.
        first->kill();
        QVERIFY(first->waitForFinished(waitMs));
        QProcess* next = start(helper);
        QCOMPARE(nextLine(next), "first\n");
        QCOMPARE(nextLine(start(helper)), "second\n");
        QCOMPARE(nextLine(next), "raised\n");
    }

    void programRunsWithAReadOnlySettingsFolderAndASecondCopyEnds() {
        QProcess* first = start(QStringLiteral(VORELLE_PROGRAM), "/proc/self");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir_.filePath("vorelle.socket")), waitMs);
        // It answers from its tip window, shown past the failed write of the setting.
        QLocalSocket socket;
        socket.connectToServer(dir_.filePath("vorelle.socket"));
        QVERIFY(socket.waitForConnected(waitMs) && socket.write("activate\n") > 0);
        QVERIFY(socket.waitForReadyRead(waitMs));
        QCOMPARE(socket.readAll(), "ok\n");
        // Had the second copy opened its tip window, it would have stored the setting.
        QProcess* second = start(QStringLiteral(VORELLE_PROGRAM), "config2");
        QVERIFY(second->waitForFinished(waitMs) && second->exitStatus() == QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(!QFile::exists(dir_.filePath("config2")));
        QCOMPARE(first->state(), QProcess::Running);
    }

    // "&Quitter" mid-game ends at once: no "Perdu !", no name box, the score
    // file as it was, the music closed.
    void quitMidGameEndsAtOnce() {
        QTemporaryDir folder;
        const QByteArray scores = QByteArray("None:0\r\n").repeated(5);
        const auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile f(folder.filePath(name));
            return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
        };
        QVERIFY(write("scores.lst", scores));
        QVERIFY(write("Brikko32.ini", "[Brikko32]\r\nPlay Sounds=T\r\nHide Splash=T\r\n"));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("SDL_AUDIODRIVER", "dummy");
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VORELLE_QUIT_HELPER), {folder.path(), "quit-mid-game"});
        QVERIFY(p.waitForFinished(waitMs));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(out, QString("music: open\nmusic: play\nquitting, game shown: 1\n"
                              "music: close\nended\n"));
        QFile f(folder.filePath("scores.lst"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), scores);
    }
};

QTEST_GUILESS_MAIN(ProcessesTest)
#include "test_processes.moc"
