// SPDX-License-Identifier: GPL-3.0-or-later
// The real program on the command line, started with no display at all (no
// DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM) and with a window's settings
// that choose another spelling: --words with its arguments, --help, --version,
// a refused option, and --words reading its input beside a running window,
// whose single-instance lock it leaves alone.

#include "command_line.h"
#include "vorelle_version.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestWordsProgram : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> dir_;
    std::vector<std::unique_ptr<QProcess>> processes_;
    static constexpr int waitMs = 30000; // sanitizer builds start slowly
    inline static const QByteArray windowSettings = "[Options]\nSpelling=1990\nRegion=be\n";

    struct Result {
        QByteArray out, err;
        int status = -1;
    };

    QString runtimeFolder() const { return dir_->filePath("run"); }
    QString configFolder() const { return dir_->filePath("config"); }

    // The program with no display of any kind (a window would abort it),
    // with the test's own runtime and settings folders.
    QProcess* start(const QStringList& arguments) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        env.insert("XDG_RUNTIME_DIR", runtimeFolder());
        env.insert("XDG_CONFIG_HOME", configFolder());
        QProcess* p = processes_.emplace_back(std::make_unique<QProcess>()).get();
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(VORELLE_PROGRAM), arguments);
        return p;
    }
    Result run(const QStringList& arguments) {
        QProcess* p = start(arguments);
        p->closeWriteChannel();
        Result result;
        if (!p->waitForFinished(waitMs) || p->exitStatus() != QProcess::NormalExit) {
            qWarning("the program did not end normally: %s",
                     p->readAllStandardError().left(500).constData());
            return result;
        }
        result.out = p->readAllStandardOutput();
        result.err = p->readAllStandardError();
        result.status = p->exitCode();
        return result;
    }
    static QByteArray nextLine(QProcess* p, QProcess::ProcessChannel channel) {
        p->setReadChannel(channel);
        while (!p->canReadLine() && p->waitForReadyRead(waitMs)) {
        }
        return p->readLine();
    }
    QStringList entries(const QString& folder) const {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

private slots:
    void init() {
        dir_.emplace();
        QVERIFY(QDir(dir_->path()).mkpath("run") && QDir(dir_->path()).mkpath("config"));
        // Qt takes a runtime folder only when it is the user's alone.
        QVERIFY(QFile::setPermissions(runtimeFolder(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(QDir(configFolder()).mkpath("vorelle"));
        QFile file(configFolder() + "/vorelle/vorelle.ini");
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(windowSettings) > 0);
    }
    void cleanup() {
        for (const auto& p : processes_) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(waitMs);
            }
        }
        processes_.clear();
        dir_.reset();
    }

    // Answers without a window, the window's choice in its settings ignored
    // and left as it was, the lock not taken: a few worked examples of each
    // spelling (by default the program's own, in France) and region, help,
    // version (also among Qt's options), and a refused option, which answers
    // nothing, even the good numbers beside it.
    void answersWithoutAWindow_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::addColumn<int>("status");
        const QString ok;
        // clang-format off
        QTest::addRow("classic, France by default") << QStringList{"--words", "21", "80", "200000000", "71"}
            << "vingt et un\nquatre vingts\ndeux cent millions\nsoixante et onze\n" << ok << 0;
        QTest::addRow("traditional") << QStringList{"--words", "--spelling", "traditional", "21", "200 000 000", "1 704"}
            << "vingt et un\ndeux cents millions\nmille sept cent quatre\n" << ok << 0;
        QTest::addRow("1990") << QStringList{"--words", "--spelling", "1990", "8 143 051"}
            << "huit millions cent-quarante-trois-mille-cinquante-et-un\n" << ok << 0;
        QTest::addRow("Belgium") << QStringList{"--words", "--spelling", "1990", "--region", "be", "71"}
            << "septante-et-un\n" << ok << 0;
        QTest::addRow("Switzerland") << QStringList{"--words", "--region", "ch", "--spelling", "traditional", "80 000 000"}
            << "huitante millions\n" << ok << 0;
        QTest::addRow("--help") << QStringList{"--help"} << CommandLine::helpText() << ok << 0;
        QTest::addRow("--version among Qt's options") << QStringList{"--platform", "offscreen", "--version"}
            << "vorelle " VORELLE_VERSION_STRING "\n" << ok << 0;
        QTest::addRow("refused beside --words") << QStringList{"--words", "21", "--bogus"} << QString()
            << "vorelle : option inconnue « --bogus ».\n" + CommandLine::usageLine() + "\nPour en savoir plus : vorelle --help\n" << 2;
        // clang-format on
    }
    void answersWithoutAWindow() {
        QFETCH(QStringList, arguments);
        const Result r = run(arguments);
        QTEST(QString::fromUtf8(r.err), "err");
        QTEST(QString::fromUtf8(r.out), "out");
        QTEST(r.status, "status");
        QFile file(configFolder() + "/vorelle/vorelle.ini");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), windowSettings);
        QCOMPARE(entries(configFolder() + "/vorelle"), QStringList{"vorelle.ini"});
        QCOMPARE(entries(runtimeFolder()), QStringList());
    }

    // The window of a first copy, opened by Qt's options alone (the
    // environment names no platform; one dash or two, --help as a value),
    // runs, holds the lock and has loaded its platform plugin and its sound
    // libraries. --words answers beside it having loaded neither (its memory
    // maps, read while it waits for a line), each line before the next is
    // written (driven through a pipe), and the lock and socket stay the
    // window's.
    void wordsLineByLineBesideAWindow() {
        QProcess* window =
            start({"-qwindowtitle", "--help", "--platform", "offscreen", "--reverse"});
        const QString lock = runtimeFolder() + "/vorelle.lock";
        const QString socket = runtimeFolder() + "/vorelle.socket";
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket) || window->state() == QProcess::NotRunning,
                                 waitMs);
        QVERIFY2(window->state() == QProcess::Running, window->readAllStandardError().constData());
        const auto loaded = [](QProcess* p, const char* library) {
            QFile maps(QStringLiteral("/proc/%1/maps").arg(p->processId()));
            return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
        };
        const char* const windowOnly[] = {"/platforms/libq", "libSDL2"};
        for (const char* library : windowOnly)
            QTRY_VERIFY2_WITH_TIMEOUT(loaded(window, library), library, waitMs);
        QFile lockFile(lock);
        QVERIFY(lockFile.open(QIODevice::ReadOnly));
        const QByteArray held = lockFile.readAll();
        lockFile.close();
        const QDateTime modified = QFileInfo(lock).lastModified();

        QProcess* words = start({"--words", "--spelling", "1990", "--region", "ch"});
        const struct {
            QByteArray line;
            QProcess::ProcessChannel channel;
            QByteArray answer;
        } steps[] = {
            {"80\n", QProcess::StandardOutput, "huitante\n"},
            {"sept\n", QProcess::StandardError,
             "vorelle : ligne 2 : « sept » n'est pas un nombre entier écrit en chiffres.\n"},
            {"21 632\r\n", QProcess::StandardOutput, "vingt-et-un-mille-six-cent-trente-deux\n"},
            {"97\n", QProcess::StandardOutput, "nonante-sept\n"},
        };
        for (const auto& step : steps) {
            words->write(step.line);
            QCOMPARE(nextLine(words, step.channel), step.answer);
        }
        for (const char* library : windowOnly)
            QVERIFY2(!loaded(words, library), library);
        words->closeWriteChannel();
        QVERIFY(words->waitForFinished(waitMs) && words->exitStatus() == QProcess::NormalExit);
        QCOMPARE(words->exitCode(), 2);

        QVERIFY(lockFile.open(QIODevice::ReadOnly));
        QCOMPARE(lockFile.readAll(), held);
        QCOMPARE(QFileInfo(lock).lastModified(), modified);
        QVERIFY(QFile::exists(socket));
        QCOMPARE(window->state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(TestWordsProgram)
#include "test_words_program.moc"
