// One running copy per user, across processes: a helper program takes the
// lock exactly as the program does and says what it found.
#include "instance_guard.h"
#include "process_fixture.h"

namespace {
const QString kHelper = QStringLiteral(VORELLE_GUARD_HELPER);
} // namespace

class InstanceGuardTest : public QObject {
    Q_OBJECT

private:
    ProcessFixture f_;

    QProcess* helper(const QString& mode, const QString& runtime = {}) {
        return f_.start(kHelper, {QStringLiteral("vorelle-test"), mode},
                        f_.environment(runtime.isEmpty() ? f_.path(QStringLiteral("run")) : runtime,
                                       f_.path(QStringLiteral("config"))));
    }
    static QString nextWord(QProcess* p) { return ProcessFixture::nextWord(p); }
    static bool endsWithCodeZero(QProcess* p) { return ProcessFixture::endsWithCodeZero(p); }

private slots:
    void init() { QVERIFY(f_.setUp()); }
    void cleanup() { f_.tearDown(); }

    void secondCopyEndsAndRaisesTheFirst() {
        QProcess* first = helper(QStringLiteral("hold"));
        QCOMPARE(nextWord(first), QStringLiteral("first"));

        QProcess* second = helper(QStringLiteral("hold"));
        QCOMPARE(nextWord(second), QStringLiteral("second"));
        QVERIFY(endsWithCodeZero(second));
        QCOMPARE(nextWord(first), QStringLiteral("raised"));

        // Every later copy is sent away in turn, and the first keeps running.
        QProcess* third = helper(QStringLiteral("ask"));
        QCOMPARE(nextWord(third), QStringLiteral("second"));
        QVERIFY(endsWithCodeZero(third));
        QCOMPARE(nextWord(first), QStringLiteral("raised"));
        QCOMPARE(first->state(), QProcess::Running);
    }

    void frozenFirstCopyStillKeepsOthersOut() {
        QProcess* first = helper(QStringLiteral("hold"));
        QCOMPARE(nextWord(first), QStringLiteral("first"));
        ::kill(pid_t(first->processId()), SIGSTOP);
        QProcess* second = helper(QStringLiteral("ask"));
        QCOMPARE(nextWord(second), QStringLiteral("second"));
        QVERIFY(endsWithCodeZero(second));
        ::kill(pid_t(first->processId()), SIGCONT);
    }

    void lockOfAKilledCopyIsTakenOver() {
        QProcess* crashed = helper(QStringLiteral("hold"));
        QCOMPARE(nextWord(crashed), QStringLiteral("first"));
        crashed->kill(); // no clean-up at all: lock and socket files stay
        QVERIFY(crashed->waitForFinished(ProcessFixture::waitMs));
        QVERIFY(QFile::exists(f_.path(QStringLiteral("run/vorelle-test.lock"))));

        QProcess* next = helper(QStringLiteral("hold"));
        QCOMPARE(nextWord(next), QStringLiteral("first"));
        // The socket left behind was replaced: the new copy answers.
        QProcess* later = helper(QStringLiteral("ask"));
        QCOMPARE(nextWord(later), QStringLiteral("second"));
        QCOMPARE(nextWord(next), QStringLiteral("raised"));
    }

    void lockOfACopyThatEndedAtOnceIsTakenOver() {
        QProcess* ended = helper(QStringLiteral("vanish"));
        QCOMPARE(nextWord(ended), QStringLiteral("first"));
        QVERIFY(endsWithCodeZero(ended));
        QProcess* next = helper(QStringLiteral("ask"));
        QCOMPARE(nextWord(next), QStringLiteral("first"));
    }

    void unusableRuntimeFolderStillAllowsOneCopy() {
        // The runtime folder is a file: lock and socket go to the
        // temporary folder instead, and the rule still holds.
        const QString notAFolder = f_.path(QStringLiteral("runtime-file"));
        QFile file(notAFolder);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QProcess* first = helper(QStringLiteral("hold"), notAFolder);
        QCOMPARE(nextWord(first), QStringLiteral("first"));
        QProcess* second = helper(QStringLiteral("ask"), notAFolder);
        QCOMPARE(nextWord(second), QStringLiteral("second"));
        QCOMPARE(nextWord(first), QStringLiteral("raised"));
    }

    void strangersOnTheSocketAreDropped() {
        // In this process: the guard's server and the clients share the
        // event loop, which the QTRY_ macros keep running.
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(f_.path(QStringLiteral("run"))));
        int raised = 0;
        QtInstanceGuard guard(QStringLiteral("vorelle-junk"), [&raised] { ++raised; });
        QVERIFY(!guard.anotherInstanceRunning());
        const QString socket = f_.path(QStringLiteral("run/vorelle-junk.socket"));
        QVERIFY(QFile::exists(socket));

        const auto send = [&socket](const QByteArray& bytes) {
            auto s = std::make_unique<QLocalSocket>();
            s->connectToServer(socket);
            s->write(bytes);
            return s;
        };
        // A line that is not the request, and a flood without a line end:
        // dropped without an answer.
        for (const QByteArray& junk : {QByteArray("hello\n"), QByteArray(4096, 'x')}) {
            auto s = send(junk);
            QTRY_COMPARE_WITH_TIMEOUT(s->state(), QLocalSocket::UnconnectedState,
                                      ProcessFixture::waitMs);
            QCOMPARE(s->readAll(), QByteArray());
        }
        QCOMPARE(raised, 0);
        // The request itself is still answered.
        auto s = send("activate\n");
        QByteArray reply;
        QObject::connect(s.get(), &QLocalSocket::readyRead, [&] { reply += s->readAll(); });
        QTRY_COMPARE_WITH_TIMEOUT(raised, 1, ProcessFixture::waitMs);
        QTRY_COMPARE_WITH_TIMEOUT(reply, QByteArray("ok\n"), ProcessFixture::waitMs);
        // Asked again, the guard keeps its first answer.
        QVERIFY(!guard.anotherInstanceRunning());
    }
};

QTEST_GUILESS_MAIN(InstanceGuardTest)
#include "test_instance_guard.moc"
