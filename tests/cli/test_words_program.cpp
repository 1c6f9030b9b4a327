// SPDX-License-Identifier: GPL-3.0-or-later
// The real program on the command line, started with no display at all (no
// DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM): the worked examples of every
// spelling through --words, the input read and answered line by line, --help,
// --version, a refused option, and --words beside a running window, whose
// single-instance lock it leaves alone. Qt's own options still open the
// window.

#include "command_line.h"
#include "vorelle_version.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestWordsProgram : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> dir_;
    std::vector<std::unique_ptr<QProcess>> processes_;
    static constexpr int waitMs = 30000; // sanitizer builds start slowly

    struct Result {
        QByteArray out, err;
        int status = -1;
    };

    QString runtimeFolder() const { return dir_->filePath("run"); }
    QString configFolder() const { return dir_->filePath("config"); }

    // The program with no display of any kind (a window would abort it),
    // with the test's own runtime and settings folders.
    QProcess* start(const QStringList& arguments, const QByteArray& platform = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        if (!platform.isEmpty())
            env.insert("QT_QPA_PLATFORM", platform);
        env.insert("XDG_RUNTIME_DIR", runtimeFolder());
        env.insert("XDG_CONFIG_HOME", configFolder());
        QProcess* p = processes_.emplace_back(std::make_unique<QProcess>()).get();
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(VORELLE_PROGRAM), arguments);
        return p;
    }
    Result run(const QStringList& arguments, const QByteArray& input = {}) {
        QProcess* p = start(arguments);
        p->write(input);
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

    void wordsOfTheWorkedExamples_data() {
        QTest::addColumn<QString>("spelling");
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("words");
        const auto both = [](const char* region, const char* number, const char* traditional,
                             const char* rectified) {
            QTest::addRow("%s %s traditional", number, region)
                << "traditional" << region << number << QString::fromUtf8(traditional);
            QTest::addRow("%s %s 1990", number, region)
                << "1990" << region << number << QString::fromUtf8(rectified);
        };
        // clang-format off
        both("fr", "21", "vingt et un", "vingt-et-un");
        both("fr", "80", "quatre-vingts", "quatre-vingts");
        both("fr", "81", "quatre-vingt-un", "quatre-vingt-un");
        both("fr", "200", "deux cents", "deux-cents");
        both("fr", "201", "deux cent un", "deux-cent-un");
        both("fr", "1 100", "mille cent", "mille-cent");
        both("fr", "1 704", "mille sept cent quatre", "mille-sept-cent-quatre");
        both("fr", "80 000", "quatre-vingt mille", "quatre-vingt-mille");
        both("fr", "200 000 000", "deux cents millions", "deux-cents millions");
        both("fr", "21 632", "vingt et un mille six cent trente-deux", "vingt-et-un-mille-six-cent-trente-deux");
        both("fr", "8 143 051", "huit millions cent quarante-trois mille cinquante et un", "huit millions cent-quarante-trois-mille-cinquante-et-un");
        both("be", "71", "septante et un", "septante-et-un");
        both("ch", "80 000 000", "huitante millions", "huitante millions");
        // The program's own spelling, as the exercise shows it.
        QTest::addRow("classic 200 000 000") << "classic" << "fr" << "200000000" << "deux cent millions";
        QTest::addRow("classic 1 080") << "classic" << "fr" << "1080" << "mille quatre vingts";
        QTest::addRow("classic largest") << "classic" << "fr" << "999 999 999 999" << "neuf cent quatre vingt dix neuf milliards neuf cent quatre vingt dix neuf millions neuf cent quatre vingt dix neuf mille neuf cent quatre vingt dix neuf";
        QTest::addRow("classic 0") << "classic" << "fr" << "0" << "zéro";
        // clang-format on
    }
    void wordsOfTheWorkedExamples() {
        QFETCH(QString, spelling);
        QFETCH(QString, region);
        QFETCH(QString, number);
        QFETCH(QString, words);
        const Result r = run({"--words", "--spelling", spelling, "--region", region, number});
        QCOMPARE(QString::fromUtf8(r.err), QString());
        QCOMPARE(QString::fromUtf8(r.out), words + u'\n');
        QCOMPARE(r.status, 0);
    }

    // The default spelling is the program's own, in France, whatever the
    // pupil chose in the window; the settings are not written, the
    // single-instance lock not taken.
    void defaultsIgnoreTheWindowsChoice() {
        const QByteArray settings = "[Options]\nSpelling=1990\nRegion=be\n";
        QVERIFY(QDir(configFolder()).mkpath("vorelle"));
        QFile file(configFolder() + "/vorelle/vorelle.ini");
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(settings) == settings.size());
        file.close();
        const Result r = run({"--words", "21", "80", "200000000", "71"});
        QCOMPARE(r.out, "vingt et un\nquatre vingts\ndeux cent millions\nsoixante et onze\n");
        QCOMPARE(r.status, 0);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), settings);
        QCOMPARE(entries(configFolder() + "/vorelle"), QStringList{"vorelle.ini"});
        QCOMPARE(entries(runtimeFolder()), QStringList());
    }

    // Bad lines answer nothing on the output and name their line on the
    // error stream; the good ones are answered in order; status 2.
    void inputWithGoodAndBadLines() {
        const Result r = run({"--words", "--spelling", "traditional"},
                             "17\n-3\n1 000 000\r\n12,5\n\n1 0000\n999 999 999 999\n"
                             "1 000 000 000 000\n71");
        QCOMPARE(QString::fromUtf8(r.out),
                 "dix-sept\nun million\n"
                 "neuf cent quatre-vingt-dix-neuf milliards neuf cent quatre-vingt-dix-neuf "
                 "millions neuf cent quatre-vingt-dix-neuf mille neuf cent quatre-vingt-dix-neuf\n"
                 "soixante et onze\n");
        const QStringList messages = QString::fromUtf8(r.err).split(u'\n', Qt::SkipEmptyParts);
        const QStringList named = {"ligne 2 : « -3 »", "ligne 4 : « 12,5 »", "ligne 5 : « »",
                                   "ligne 6 : « 1 0000 »", "ligne 8 : « 1 000 000 000 000 »"};
        QCOMPARE(messages.size(), named.size());
        for (qsizetype i = 0; i < named.size(); ++i)
            QVERIFY2(messages[i].startsWith("vorelle : " + named[i]), qPrintable(messages[i]));
        QCOMPARE(r.status, 2);
    }

    // Each answer comes before the next line is written: the program can be
    // driven line by line through a pipe.
    void answersEachLineBeforeTheNext() {
        QProcess* p = start({"--words", "--spelling", "1990", "--region", "ch"});
        QVERIFY(p->waitForStarted(waitMs));
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
            p->write(step.line);
            QCOMPARE(nextLine(p, step.channel), step.answer);
        }
        p->closeWriteChannel();
        QVERIFY(p->waitForFinished(waitMs) && p->exitStatus() == QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 2);
    }

    void helpListsEveryOption() {
        const Result r = run({"--help"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QByteArray());
        const QString help = QString::fromUtf8(r.out);
        QVERIFY2(help.startsWith(CommandLine::usageLine() + u'\n'), qPrintable(help));
        for (const char* option :
             {"--words", "--spelling ORTHO", "--region PAYS", "--help", "--version", "  classic ",
              "  traditional ", "  1990 ", "  fr ", "  be ", "  ch "}) {
            const QRegularExpression listed(
                QStringLiteral("^  +%1 ").arg(
                    QRegularExpression::escape(QString::fromUtf8(option).trimmed())),
                QRegularExpression::MultilineOption);
            QVERIFY2(help.contains(listed), option);
        }
    }

    void versionIsTheProjectsVersion() {
        const Result r = run({"--version"});
        QCOMPARE(r.out, "vorelle " VORELLE_VERSION_STRING "\n");
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.status, 0);
    }

    // A refused option answers nothing, even the good numbers beside it.
    void unknownOptionRefused_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::addRow("unknown") << QStringList{"--xyz"} << "option inconnue « --xyz »";
        QTest::addRow("beside --words")
            << QStringList{"--words", "21", "--bogus"} << "option inconnue « --bogus »";
        QTest::addRow("a spelling of the window only")
            << QStringList{"--words", "--spelling", "either", "21"}
            << "orthographe inconnue « either »";
    }
    void unknownOptionRefused() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Result r = run(arguments);
        QCOMPARE(r.out, QByteArray());
        const QStringList lines = QString::fromUtf8(r.err).split(u'\n');
        QVERIFY2(lines.size() == 4 && lines[0].startsWith("vorelle : " + message),
                 r.err.constData());
        QCOMPARE(lines[1], CommandLine::usageLine());
        QCOMPARE(lines[2], "Pour en savoir plus : vorelle --help");
        QCOMPARE(r.status, 2);
    }

    // The window of a first copy runs (offscreen), holds the lock and has
    // loaded its platform plugin and its sound libraries. --words answers
    // beside it, line by line, having loaded neither (its memory maps, read
    // while it waits for a line), and the lock and socket stay the window's.
    void wordsWhileAWindowCopyRuns() {
        QProcess* window = start({}, "offscreen");
        const QString lock = runtimeFolder() + "/vorelle.lock";
        const QString socket = runtimeFolder() + "/vorelle.socket";
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), waitMs);
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

        QProcess* words = start({"--words", "--spelling", "1990"});
        words->write("21\n");
        QCOMPARE(nextLine(words, QProcess::StandardOutput), "vingt-et-un\n");
        for (const char* library : windowOnly)
            QVERIFY2(!loaded(words, library), library);
        words->write("80 000 000");
        words->closeWriteChannel();
        QVERIFY(words->waitForFinished(waitMs) && words->exitStatus() == QProcess::NormalExit);
        QCOMPARE(words->readAllStandardOutput(), "quatre-vingts millions\n");
        QCOMPARE(words->readAllStandardError(), QByteArray());
        QCOMPARE(words->exitCode(), 0);

        QVERIFY(lockFile.open(QIODevice::ReadOnly));
        QCOMPARE(lockFile.readAll(), held);
        QCOMPARE(QFileInfo(lock).lastModified(), modified);
        QVERIFY(QFile::exists(socket));
        QCOMPARE(window->state(), QProcess::Running);
    }

    // Qt's options, with one dash or two, still reach the window (here the
    // platform, since the environment names none); the program's own option
    // among them still answers without a window.
    void qtOptionsStillOpenTheWindow_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("window");
        QTest::addRow("-platform") << QStringList{"-platform", "offscreen"} << true;
        QTest::addRow("--platform") << QStringList{"--platform", "offscreen", "--reverse"} << true;
        QTest::addRow("--help as a window title")
            << QStringList{"-qwindowtitle", "--help", "-platform", "offscreen"} << true;
        QTest::addRow("--version among Qt's options")
            << QStringList{"--platform", "offscreen", "--version"} << false;
    }
    void qtOptionsStillOpenTheWindow() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, window);
        const QString socket = runtimeFolder() + "/vorelle.socket";
        if (window) {
            QProcess* p = start(arguments);
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket) || p->state() == QProcess::NotRunning,
                                     waitMs);
            QVERIFY2(p->state() == QProcess::Running, p->readAllStandardError().constData());
        } else {
            const Result r = run(arguments);
            QCOMPARE(r.out, "vorelle " VORELLE_VERSION_STRING "\n");
            QCOMPARE(r.status, 0);
            QVERIFY(!QFile::exists(socket));
        }
    }
};

QTEST_GUILESS_MAIN(TestWordsProgram)
#include "test_words_program.moc"
