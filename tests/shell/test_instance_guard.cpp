// One running copy per user, across real processes: a helper program that
// takes the lock as the program does, and the program itself.
#include "instance_guard.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <memory>
#include <vector>

namespace {
constexpr int kWaitMs = 30000; // generous: sanitizer builds start slowly

const QString kHelper = QStringLiteral(VORELLE_GUARD_HELPER);
const QString kProgram = QStringLiteral(VORELLE_PROGRAM);
} // namespace

class InstanceGuardTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> tmp_;
    std::vector<std::unique_ptr<QProcess>> processes_;

    QString path(const QString& name) const { return tmp_->filePath(name); }

    QProcessEnvironment environment(const QString& runtime, const QString& config) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("data")));
        env.insert(QStringLiteral("HOME"), path(QStringLiteral("home")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        return env;
    }

    QProcess* start(const QString& program, const QStringList& args,
                    const QProcessEnvironment& env) {
        processes_.push_back(std::make_unique<QProcess>());
        QProcess* p = processes_.back().get();
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::SeparateChannels);
        p->start(program, args);
        return p;
    }

    QProcess* helper(const QString& mode, const QString& runtime = {}) {
        return start(kHelper, {QStringLiteral("vorelle-test"), mode},
                     environment(runtime.isEmpty() ? path(QStringLiteral("run")) : runtime,
                                 path(QStringLiteral("config"))));
    }

    // The next word the process writes, or an empty text when it ends or
    // stays silent.
    static QString nextWord(QProcess* p) {
        while (!p->canReadLine()) {
            if (p->state() == QProcess::NotRunning && p->bytesAvailable() == 0)
                return {};
            if (!p->waitForReadyRead(kWaitMs) && !p->canReadLine())
                return {};
        }
        return QString::fromLocal8Bit(p->readLine()).trimmed();
    }

    static bool endsWithCodeZero(QProcess* p) {
        return p->waitForFinished(kWaitMs) && p->exitStatus() == QProcess::NormalExit &&
               p->exitCode() == 0;
    }

    // Speaks to a running copy as a later copy does; its answer.
    static QByteArray askToComeForward(const QString& socket) {
        QLocalSocket s;
        s.connectToServer(socket);
        if (!s.waitForConnected(kWaitMs))
            return {};
        s.write("activate\n");
        s.waitForBytesWritten(kWaitMs);
        QByteArray reply;
        while (!reply.contains('\n') && s.waitForReadyRead(kWaitMs))
            reply += s.readAll();
        return reply;
    }

private slots:
    void init() {
        tmp_ = std::make_unique<QTemporaryDir>();
        QVERIFY(tmp_->isValid());
        for (const char* sub : {"run", "config", "config2", "data", "home"})
            QVERIFY(QDir(tmp_->path()).mkdir(QString::fromLatin1(sub)));
        QFile::setPermissions(path(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void cleanup() {
        for (auto& p : processes_) {
            if (p->state() != QProcess::NotRunning) {
                ::kill(pid_t(p->processId()), SIGCONT);
                p->kill();
                p->waitForFinished(kWaitMs);
            }
        }
        processes_.clear();
        tmp_.reset();
    }

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
        QVERIFY(crashed->waitForFinished(kWaitMs));
        QVERIFY(QFile::exists(path(QStringLiteral("run/vorelle-test.lock"))));

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
        const QString notAFolder = path(QStringLiteral("runtime-file"));
        QFile f(notAFolder);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QProcess* first = helper(QStringLiteral("hold"), notAFolder);
        QCOMPARE(nextWord(first), QStringLiteral("first"));
        QProcess* second = helper(QStringLiteral("ask"), notAFolder);
        QCOMPARE(nextWord(second), QStringLiteral("second"));
        QCOMPARE(nextWord(first), QStringLiteral("raised"));
    }

    void programSecondCopyEndsBeforeAnyWindow() {
        const QString runtime = path(QStringLiteral("run"));
        QProcess* first = start(kProgram, {}, environment(runtime, path(QStringLiteral("config"))));
        QVERIFY(first->waitForStarted(kWaitMs));
        const QString socket = runtime + QStringLiteral("/vorelle.socket");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), kWaitMs);

        // Its own settings folder tells whether the second copy opened the
        // tip window: opening it writes the setting.
        const QString config2 = path(QStringLiteral("config2"));
        QProcess* second = start(kProgram, {}, environment(runtime, config2));
        QVERIFY(endsWithCodeZero(second));
        QVERIFY(QDir(config2).isEmpty());

        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(askToComeForward(socket), QByteArray("ok\n"));
        // The first copy did open its tip window and store the setting.
        QVERIFY(QFile::exists(path(QStringLiteral("config/vorelle/vorelle.ini"))));
    }

    void programRunsWithoutAWritableSettingsFolder_data() {
        QTest::addColumn<QString>("config");
        // A file where the folder should be: nothing can be created below it.
        QTest::addRow("file in the way") << QStringLiteral("config-file");
        // A folder nobody may create anything in, root included.
        QTest::addRow("read-only folder") << QStringLiteral("/proc/self");
        QTest::addRow("missing parent") << QStringLiteral("no/such/folder");
    }

    void programRunsWithoutAWritableSettingsFolder() {
        QFETCH(QString, config);
        if (!config.startsWith(QLatin1Char('/')))
            config = path(config);
        if (config.endsWith(QLatin1String("config-file"))) {
            QFile f(config);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a folder\n");
        }
        const QString runtime = path(QStringLiteral("run"));
        QProcess* program = start(kProgram, {}, environment(runtime, config));
        QVERIFY(program->waitForStarted(kWaitMs));
        const QString socket = runtime + QStringLiteral("/vorelle.socket");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), kWaitMs);
        // It answers from inside the tip window, after storing the setting
        // failed silently.
        QCOMPARE(askToComeForward(socket), QByteArray("ok\n"));
        QCOMPARE(program->state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(InstanceGuardTest)
#include "test_instance_guard.moc"
