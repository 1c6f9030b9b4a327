// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the tip-of-the-day window offscreen through its controls' names,
// the tips file, the window a later copy brings forward, and copies as
// separate processes: a helper that takes the single-instance lock as the
// program does, and the program.
#include "exercise_window.h"
#include "fakes.h"
#include "program_end.h"
#include "startup.h"
#include "strange_files.h"
#include "tip_window.h"
#include "tips_file.h"

#include <QCheckBox>
#include <QLabel>
#include <QLocalSocket>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <pwd.h>
#include <signal.h>
#include <unistd.h>

class TestStartUpAndTips : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakeClock clock_;
    FakeRandom random_;
    FakeSoundPlayer sounds_;
    FakeMessageBoxes boxes_;
    FakeInstanceGuard guard_;
    FakeSettingsStore settings_;
    std::optional<ExerciseWindow> form1_;
    std::optional<TipWindow> tip_;
    const QString key_ = executableBaseName() + QStringLiteral("/Options/Show Tips at Startup");
    std::vector<std::unique_ptr<QProcess>> processes_;
    static constexpr int waitMs = 30000; // sanitizer builds start slowly

    // A copy as a separate process, with its own settings folder; its runtime
    // folder dir_ or `runtime`; without a runtime folder, with `shared` (in
    // dir_) as the temporary folder.
    QProcess* start(const QString& program, const QString& config = "config",
                    const QString& shared = QString(), const QString& runtime = QString()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.isEmpty() ? dir_.path() : runtime);
        if (!shared.isNull()) {
            env.remove("XDG_RUNTIME_DIR");
            env.insert("TMPDIR", dir_.filePath(shared));
        }
        env.insert("XDG_CONFIG_HOME", config.startsWith('/') ? config : dir_.filePath(config));
        QProcess* p = processes_.emplace_back(std::make_unique<QProcess>()).get();
        p->setProcessEnvironment(env);
        p->start(program, {});
        return p;
    }
    static QByteArray nextLine(QProcess* p) {
        return p->canReadLine() || p->waitForReadyRead(waitMs) ? p->readLine() : QByteArray();
    }

    void show(const QByteArray& file) {
        QVERIFY(writeBytes(dir_.filePath(TipWindow::tipsFileName()), file));
        tip_->show(false);
    }
    QLabel* label() const { return tip_->control<QLabel>("lblTipText"); }
    bool fits() const { return label()->heightForWidth(label()->width()) <= label()->height(); }
    QString next() {
        QTest::mouseClick(tip_->control<QPushButton>("cmdNextTip"), Qt::LeftButton);
        return label()->text();
    }
    // run() returns once the modal tips are closed: a timer looks from
    // inside. Whether the tips came first, modal, over the loaded main window.
    bool startUp() {
        bool tipsFirst = false;
        QTimer::singleShot(0, this, [&] {
            tipsFirst = tip_->isVisible() && tip_->widget()->isModal() && form1_->isLoaded() &&
                        !form1_->isVisible() && Startup::windowToBringForward() == tip_->widget();
            tip_->onOkClicked();
        });
        Startup::run(*form1_, *tip_, settings_);
        QCoreApplication::processEvents();
        return tipsFirst;
    }

private slots:
    void initTestCase() {
        ProgramEnd::setExitHandler([] {});
    }
    void init() {
        ProgramEnd::resetForTest();
        const AppPaths paths(dir_.path(), dir_.path(), dir_.path());
        QFile::remove(dir_.filePath(TipWindow::tipsFileName()));
        guard_ = FakeInstanceGuard();
        settings_ = FakeSettingsStore();
        form1_.emplace(ExerciseServices{clock_, random_, sounds_, boxes_, guard_, paths});
        tip_.emplace(settings_, paths);
    }
    void cleanup() {
        tip_.reset();
        form1_.reset();
        processes_.clear(); // kills those still running
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void settingDecidesWhetherTheTipsComeFirst_data() {
        QTest::addColumn<QString>("stored"); // null: none
        QTest::addColumn<bool>("tipsFirst");
        QTest::addRow("none stored") << QString() << true;
        QTest::addRow("not a number counts as 1") << "peut-être" << true;
        QTest::addRow("0,4 rounds to 0") << " 0,4 " << false;
    }
    void settingDecidesWhetherTheTipsComeFirst() {
        QFETCH(QString, stored);
        QFETCH(bool, tipsFirst);
        if (!stored.isNull())
            settings_.values[key_] = stored;
        QCOMPARE(startUp(), tipsFirst);
        QVERIFY(form1_->isVisible() && guard_.asked == 1);
        QCOMPARE(settings_.writes, tipsFirst ? QStringList{key_ + "=1"} : QStringList{});
    }

    // Once started: the tips from the menu, not modal; a later copy restores
    // a minimised window to its maximised size, and finds the game while the
    // main window hides.
    // Unloading the main window ends the program.
    void tipsMenuAndBringingForward() {
        settings_.values[key_] = QStringLiteral("0");
        startUp();
        QWidget* main = form1_->widget();
        form1_->onTipTriggered();
        QVERIFY(tip_->isVisible() && !tip_->widget()->isModal());
        QCOMPARE(Startup::windowToBringForward(), main);
        main->showMaximized();
        main->setWindowState(main->windowState() | Qt::WindowMinimized);
        Startup::bringProgramForward();
        QVERIFY(!main->isMinimized() && main->isMaximized());
        tip_->onOkClicked();
        QWidget game;
        game.show();
        form1_->hide();
        QCOMPARE(Startup::windowToBringForward(), &game);
        QVERIFY(!ProgramEnd::requested());
        form1_->unload();
        QVERIFY2(ProgramEnd::requested(), "unloading the main window did not end the program");
    }

    void tipsShownInTurn_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("shown"); // the first tip, then after each click
        const QString accents = QStringLiteral("Élève : « déjà » œuvre… 20 €");
        using L = QStringList;
        // clang-format off
        QTest::addRow("cycle, wrap; final CR LF adds no tip") << QByteArray("A\r\nB\nC\r\n") << L{"A", "B", "C", "A"};
        QTest::addRow("empty line is an empty tip") << QByteArray("A\r\n\r\nC") << L{"A", "", "C", "A"};
        QTest::addRow("empty file: no tip, no message") << QByteArray() << L{"", ""};
        QTest::addRow("UTF-8") << accents.toUtf8() << L{accents, accents};
        QTest::addRow("Windows-1252") << QByteArray("\xC9l\xE8ve : \xAB d\xE9j\xE0 \xBB \x9Cuvre\x85 20 \x80\r\n") << L{accents, accents};
        QTest::addRow("UTF-16 with BOM") << QByteArray("\xFF\xFE\xC9\0\r\0\n\0B\0", 10) << L{"É", "B"};
        // clang-format on
    }
    void tipsShownInTurn() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, shown);
        show(file);
        QStringList seen{label()->text()};
        while (seen.size() < shown.size())
            seen << next();
        QCOMPARE(seen, shown);
    }

    // Closed by its close box and opened again, the window shows the tip
    // after the last one shown.
    void reopeningShowsTheTipAfterTheLastOne() {
        show("A\r\nB\r\nC\r\n");
        QCOMPARE(next(), QStringLiteral("B"));
        tip_->widget()->close();
        tip_->show(false);
        QCOMPARE(label()->text(), QStringLiteral("C"));
    }

    // The message fits, and the setting is written even so; unticking writes 0.
    void missingFileShowsTheMessageAndUntickingWritesZero() {
        tip_->show(false);
        QCOMPARE(label()->text(), TipWindow::missingFileMessage(dir_.path()));
        QVERIFY(fits());
        QCOMPARE(next(), TipWindow::missingFileMessage(dir_.path())); // again, not empty
        auto* check = tip_->control<QCheckBox>("chkLoadTipsAtStartup");
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        QCOMPARE(settings_.writes, (QStringList{key_ + "=1", key_ + "=0"}));
    }

    // A tip too long for the label at its font is shown smaller; each fits.
    void longerTipIsMadeSmaller() {
        show("Courte.\r\n" + QByteArray("Une astuce bien longue. ").repeated(12));
        const QFont normal = label()->font();
        QVERIFY(fits());
        QCOMPARE(next(), QString("Une astuce bien longue. ").repeated(12));
        QVERIFY(label()->font() != normal && fits());
        QVERIFY(next() == "Courte." && label()->font() == normal);
    }

    // A huge file is read up to the byte cap only; the cut falls inside an
    // "é" (an odd line length): the text stays UTF-8 and the line cut goes.
    // (Pipes and binary files: test_tips_file.)
    void hugeFileReadUpToTheCap() {
        const QString accents = QString(QStringLiteral("é")).repeated(400) + "a";
        const QByteArray line = accents.toUtf8() + "\r\n";
        const int lines = int(TipsFile::maxBytes / line.size());
        const QString path = dir_.filePath("huge");
        QVERIFY(writeBytes(path, line.repeated(lines + 2)));
        const TipsFile::Reading reading = TipsFile::load(path);
        QCOMPARE(reading.outcome, TipsFile::Outcome::Read);
        QCOMPARE(reading.tips.size(), lines);
        QCOMPARE(reading.tips.first(), accents);
    }

    // Killed, a first copy leaves its lock and socket behind: the next copy
    // takes over.
    void secondCopyEndsAndRaisesTheFirst() {
        const QString helper = QStringLiteral(VORELLE_GUARD_HELPER);
        for (int round = 0; round < 2; ++round) {
            QProcess* first = start(helper);
            QCOMPARE(nextLine(first), "first\n");
            QCOMPARE(nextLine(start(helper)), "second\n");
            QCOMPARE(nextLine(first), "raised\n");
            first->kill();
            QVERIFY(first->waitForFinished(waitMs));
        }
    }

    // Other users cannot reach the first copy's socket; a client that stays
    // silent does not hold it up, and one that says anything but the request
    // is dropped without an answer and raises nothing.
    void firstCopyAnswersOnlyTheRequest() {
        QProcess* first = start(QStringLiteral(VORELLE_GUARD_HELPER));
        QCOMPARE(nextLine(first), "first\n");
        const QString path = dir_.filePath("vorelle-test.socket");
        const auto others =
            QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QCOMPARE(QFileInfo(path).permissions() & others, QFile::Permissions());
        QLocalSocket silent;
        silent.connectToServer(path);
        QVERIFY(silent.waitForConnected(waitMs));
        QLocalSocket stranger; // what else it drops: test_local_socket
        stranger.connectToServer(path);
        QVERIFY(stranger.waitForConnected(waitMs) && stranger.write("activate now\n") > 0);
        QVERIFY(stranger.waitForDisconnected(waitMs));
        QCOMPARE(stranger.readAll(), QByteArray());
        QCOMPARE(nextLine(start(QStringLiteral(VORELLE_GUARD_HELPER))), "second\n");
        QCOMPARE(first->readAllStandardOutput() + nextLine(first), "raised\n");
        QCOMPARE(silent.state(), QLocalSocket::ConnectedState);
    }

    // With no runtime folder, the lock and the socket go to a folder of the
    // user's own in the shared temporary folder, made owner-only. What other
    // users planted there first does not stop the program: a lock file
    // where the lock once was (and the toolkit's own runtime folder taken,
    // so that it has none), a link to an open folder and someone else's
    // folder under the names of ours.
    void plantedLockDoesNotStopTheProgram() {
        const QString uid = QString::number(::geteuid());
        QDir shared(dir_.filePath("shared"));
        QVERIFY(shared.mkpath("open") &&
                QFile::setPermissions(shared.filePath("open"), QFile::Permissions(0x7777)));
        QVERIFY(writeBytes(shared.filePath("vorelle-test-" + uid + ".lock"), "4242\nx\nhost\n"));
        QVERIFY(writeBytes(shared.filePath(QString("runtime-") + ::getpwuid(::geteuid())->pw_name),
                           ""));
        QVERIFY(QFile::link(shared.filePath("open"), shared.filePath("vorelle-test-" + uid)));
        const QString others = shared.filePath("vorelle-test-" + uid + "-1");
        QVERIFY(::geteuid() == 0
                    ? shared.mkdir(others) && ::chown(qPrintable(others), 65534, 65534) == 0
                    : writeBytes(others, ""));
        const QString helper = QStringLiteral(VORELLE_GUARD_HELPER);
        QProcess* first = start(helper, "config", "shared");
        QVERIFY2(nextLine(first) == "first\n",
                 "a lock planted in the shared temporary folder stopped the program");
        QCOMPARE(nextLine(start(helper, "config", "shared")), "second\n");
        QCOMPARE(nextLine(first), "raised\n");
        const QFileInfo own(shared.filePath("vorelle-test-" + uid + "-2"));
        QVERIFY(own.isDir() && !own.isSymLink() && own.ownerId() == ::geteuid());
        QCOMPARE(int(own.permissions() & 0x0077), 0); // group and others: nothing
        QVERIFY2(QDir(shared.filePath("open")).isEmpty(), "the lock went to someone else's folder");
    }

    // A lock that is not the program's own (someone else's file, a folder)
    // is not obeyed: the first copy runs, later ones still find it.
    void foreignLockIsNotObeyed_data() {
        QTest::addColumn<bool>("folder");
        QTest::addRow("a folder") << true;
        if (::geteuid() == 0) // only root can give a file to someone else
            QTest::addRow("another user's file") << false;
    }
    void foreignLockIsNotObeyed() {
        QFETCH(bool, folder);
        const QString lock = dir_.filePath("vorelle-test.lock");
        QFile::remove(lock); // left by the copies killed before
        const auto removeLock = qScopeGuard([&] {
            QDir(lock).removeRecursively();
            QFile::remove(lock);
        });
        QVERIFY(folder
                    ? QDir().mkpath(lock + "/inside")
                    : writeBytes(lock, "planted") && ::chown(qPrintable(lock), 65534, 65534) == 0);
        const QString helper = QStringLiteral(VORELLE_GUARD_HELPER);
        QProcess* first = start(helper);
        QVERIFY2(nextLine(first) == "first\n", "a lock that is not ours stopped the program");
        QCOMPARE(nextLine(start(helper)), "second\n");
        QCOMPARE(nextLine(first), "raised\n");
    }

    // A first copy that does not answer (here: stopped) is said to the user
    // by the later copy before it ends.
    void frozenFirstCopyIsSaid() {
        const QString helper = QStringLiteral(VORELLE_GUARD_HELPER);
        QProcess* first = start(helper);
        QCOMPARE(nextLine(first), "first\n");
        QCOMPARE(::kill(pid_t(first->processId()), SIGSTOP), 0);
        QProcess* second = start(helper);
        QVERIFY2(nextLine(second) == "no answer\n",
                 "a later copy that got no answer ended without a word");
        QCOMPARE(nextLine(second), "second\n");
    }

    void programRunsWithAReadOnlySettingsFolderAndASecondCopyEnds() {
        QProcess* first = start(QStringLiteral(VORELLE_PROGRAM), "/proc/self");
        // It starts past the failed write of the setting.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir_.filePath("vorelle.socket")), waitMs);
        // Had the second copy opened its tip window, it would have stored the setting.
        QProcess* second = start(QStringLiteral(VORELLE_PROGRAM), "config2");
        QVERIFY(second->waitForFinished(waitMs) && second->exitStatus() == QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(!QFile::exists(dir_.filePath("config2")));
        QCOMPARE(first->state(), QProcess::Running);
    }

    // "&Quitter" mid-game, seen from inside (the real program is driven from
    // outside by test_quit_mid_game.py): the music closed and the windows
    // hidden before the handler returns, no "Perdu !" nor name box, and the
    // event loop returns 0.
    void quitMidGameClosesTheMusicAndEndsTheLoop() {
        writeGameFiles(QByteArray("None:0\r\n").repeated(5));
        QProcess* p = startGame("quit-mid-game");
        QVERIFY(p->waitForFinished(waitMs) && p->exitStatus() == QProcess::NormalExit);
        QCOMPARE(QString::fromUtf8(p->readAllStandardOutput()),
                 "music: open\nmusic: play\nquitting, game shown: 1\nmusic: close\nended\n"
                 "quit chosen, game shown: 0\nevent loop returned 0\n");
        QCOMPARE(p->exitCode(), 0);
    }

    // A termination signal (the desktop session logging out) ends a copy as
    // "&Quitter" does: status 0, the music closed, the lock and socket gone.
    // The program is stopped while its tips are shown modal, before its main
    // event loop; the game's windows in a game under way.
    void terminationSignalEndsTheProgram_data() {
        QTest::addColumn<bool>("program");
        QTest::addColumn<QString>("said"); // what it wrote, the game's windows only
        QTest::addRow("the program, its tips shown") << true << QString();
        QTest::addRow("the game's windows, mid-game")
            << false
            << "music: open\nmusic: play\nplaying: 1\nended\nmusic: close\n"
               "event loop returned 0\n";
    }
    void terminationSignalEndsTheProgram() {
        QFETCH(bool, program);
        QFETCH(QString, said);
        QProcess* p;
        QByteArray out;
        if (program) {
            p = start(QStringLiteral(VORELLE_PROGRAM), "config", QString(), runtimeFolder());
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(runtimeFolder() + "/vorelle.socket"), waitMs);
        } else {
            writeGameFiles(QByteArray("None:0\r\n").repeated(5));
            p = startGame("play-on");
            QTRY_VERIFY_WITH_TIMEOUT((out += p->readAllStandardOutput()).contains("playing"),
                                     waitMs);
        }
        p->terminate(); // SIGTERM
        QVERIFY(p->waitForFinished(waitMs));
        QVERIFY2(p->exitStatus() == QProcess::NormalExit, "killed by the signal");
        QCOMPARE(p->exitCode(), 0);
        QCOMPARE(leftInRuntimeFolder(), QStringList());
        QCOMPARE(QString::fromUtf8(out + p->readAllStandardOutput()), said);
    }

private:
    void writeGameFiles(const QByteArray& scores) {
        QVERIFY(writeBytes(dir_.filePath("scores.lst"), scores));
        QVERIFY(writeBytes(dir_.filePath("Brikko32.ini"),
                           "[Brikko32]\r\nPlay Sounds=T\r\nHide Splash=T\r\n"));
    }
    // The game's windows as a process, its runtime folder of its own.
    QProcess* startGame(const char* mode) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("SDL_AUDIODRIVER", "dummy");
        env.insert("XDG_RUNTIME_DIR", runtimeFolder());
        QProcess* p = processes_.emplace_back(std::make_unique<QProcess>()).get();
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(VORELLE_GAME_HELPER), {dir_.path(), QString::fromLatin1(mode)});
        return p;
    }
    // A runtime folder of the test's own, made empty.
    QString runtimeFolder() const {
        // Short: a socket's path has room for about a hundred bytes.
        const QString folder =
            dir_.filePath(QStringLiteral("run%1").arg(qHash(QTest::currentDataTag()) % 1000));
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return folder;
    }
    // The lock and socket files a copy left behind.
    QStringList leftInRuntimeFolder() const {
        return QDir(runtimeFolder()).entryList({"*.lock", "*.socket"}, QDir::Files | QDir::System);
    }
};

QTEST_MAIN(TestStartUpAndTips)
#include "test_start_up_and_tips.moc"
