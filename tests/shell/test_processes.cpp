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
};

QTEST_GUILESS_MAIN(ProcessesTest)
#include "test_processes.moc"
