// SPDX-License-Identifier: GPL-3.0-or-later
// The reward on the offscreen platform: the exercise, the splash, the game
// window and back, with the program's own wiring and a game on a fake clock.
#include "answer_box.h"
#include "fake_desktop_shell.h"
#include "fakes.h"
#include "form1.h"
#include "frm_about.h"
#include "game_options.h"
#include "profile_file.h"
#include "program_end.h"
#include "program_windows.h"
#include "system_registry.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct RoundTrip {
    QTemporaryDir dir;
    FakeClock clock;
    FakeRandom random; // every number 50, every piece an I: the stack grows in the middle
    FakeSoundPlayer sounds;
    FakeMediaControl media;
    FakeMessageBoxes boxes;
    FakeInstanceGuard instance;
    FakeEventPump events{clock};
    AppPaths paths{dir.path(), dir.path(), dir.path()};
    Form1 form{ExerciseServices{clock, random, sounds, boxes, instance, paths}};
    FixedRegistry registry;
    FakeDesktopShell desktop;
    frmAbout about{registry, desktop, boxes};
    ProgramWindows windows{form, about, BrikkoServices{sounds, media, clock, random, paths}, boxes};

    bool okAtOpen = false; // the splash's OK enabled as the reward opened it

    explicit RoundTrip(bool hideSplash = false, bool playSounds = false) {
        ProfileFile file(dir.filePath(GameOptions::FileName));
        file.writeString(GameOptions::Section, GameOptions::PlaySoundsKey, playSounds ? "T" : "F");
        file.writeString(GameOptions::Section, GameOptions::HideSplashKey, hideSplash ? "T" : "F");
        random.fallback = 0.5;
        form.Show();
    }
    // Ten right answers under "< 100": the tenth opens the splash, which
    // loads as the event loop runs, then opens the game, after its OK when it
    // waits for it (and clickOk). Whether it waited.
    bool earnReward(bool clickOk = true) {
        form.CmdGenerer_Click();
        for (int i = 0; i < 10; ++i) {
            form.control<AnswerBox>("Text1")->setText(form.state().referenceWords());
            form.Cmdverif_Click();
        }
        okAtOpen = windows.splash().control<QPushButton>("cmdOk")->isEnabled();
        letSplashLoad();
        const bool splash = windows.splash().isVisible() && !windows.gameWindow().isVisible();
        if (splash && clickOk)
            QTest::mouseClick(windows.splash().control<QPushButton>("cmdOk"), Qt::LeftButton);
        return splash;
    }
    // Runs the event loop until the splash enables its OK or gives way.
    void letSplashLoad() {
        auto* ok = windows.splash().control<QPushButton>("cmdOk");
        for (int pass = 0; pass < 1000 && !ok->isEnabled() && !windows.gameWindow().isVisible();
             ++pass)
            QCoreApplication::processEvents();
    }
};

// Notes the splash's captions and its OK enabled, in turn, and where two
// captions came without a pass of the event loop between them (the first
// never painted). onCaption runs at each caption.
struct SplashLog : QObject {
    QStringList seen;
    bool loopRan = true;
    std::function<void(const QString&)> onCaption = [](const QString&) {};
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->objectName() == "frmSplash" && event->type() == QEvent::WindowTitleChange) {
            if (!loopRan)
                seen << "(no pass of the event loop since)";
            seen << w->windowTitle();
            loopRan = false;
            QTimer::singleShot(0, this, [this] { loopRan = true; });
            onCaption(w->windowTitle());
        }
        if (w && w->objectName() == "cmdOk" && event->type() == QEvent::EnabledChange)
            seen << (w->isEnabled() ? "OK enabled" : "OK disabled");
        return false;
    }
};
} // namespace

class TestRewardRoundTrip : public QObject {
    Q_OBJECT

private slots:
    // Nothing here may end the program: that would end the test, passing.
    void initTestCase() {
        ProgramEnd::setExitHandler([] { qFatal("the program was ended"); });
    }

    // The splash loads in turn, each caption painted (the event loop runs
    // between the steps); with "Hide Splash" the game window comes without a
    // click and OK is never enabled, without it after OK only. Its loading
    // plays "Sound4.wav" when sounds are on, nothing else.
    void splashWithAndWithoutHideSplash_data() {
        QTest::addColumn<bool>("hideSplash");
        QTest::addColumn<bool>("playSounds");
        QTest::addRow("Hide Splash on, sounds on") << true << true;
        QTest::addRow("Hide Splash on, sounds off") << true << false;
        QTest::addRow("Hide Splash off, sounds on") << false << true;
        QTest::addRow("Hide Splash off, sounds off") << false << false;
    }
    void splashWithAndWithoutHideSplash() {
        QFETCH(bool, hideSplash);
        QFETCH(bool, playSounds);
        RoundTrip t(hideSplash, playSounds);
        SplashLog log;
        qApp->installEventFilter(&log);
        QCOMPARE(t.earnReward(false), !hideSplash);
        qApp->removeEventFilter(&log);
        QStringList expected{"Brikko32 - Loading", "OK disabled", "Brikko32 - Loading Options",
                             "Brikko32 - Loading Forms", "Brikko32 - Finished Loading"};
        if (!hideSplash)
            expected << "OK enabled";
        QCOMPARE(log.seen.join(" | "), expected.join(" | "));
        QVERIFY(!t.form.isVisible() && t.windows.gameWindow().isVisible() == hideSplash);
        const QStringList answers(10, t.dir.filePath("gagner.wav"));
        QCOMPARE(t.sounds.played,
                 playSounds ? answers + QStringList{t.dir.filePath("Sound4.wav")} : answers);
        if (!hideSplash)
            QTest::mouseClick(t.windows.splash().control<QPushButton>("cmdOk"), Qt::LeftButton);
        QVERIFY(t.windows.gameWindow().isVisible() && !t.windows.splash().isVisible());
    }

    // A close request or Escape while the splash loads does nothing: the
    // loading goes on to its end, OK enabled, the game window not shown.
    void splashIgnoresCloseAndEscapeWhileLoading_data() {
        QTest::addColumn<bool>("escape");
        QTest::addColumn<QString>("caption");
        QTest::addRow("close request, loading options") << false << "Brikko32 - Loading Options";
        QTest::addRow("close request, loading windows") << false << "Brikko32 - Loading Forms";
        QTest::addRow("Escape, loading options") << true << "Brikko32 - Loading Options";
        QTest::addRow("Escape, loading windows") << true << "Brikko32 - Loading Forms";
    }
    void splashIgnoresCloseAndEscapeWhileLoading() {
        QFETCH(bool, escape);
        QFETCH(QString, caption);
        RoundTrip t;
        SplashLog log;
        QStringList sentWhile;
        log.onCaption = [&](const QString& shown) {
            if (shown != caption)
                return;
            QTimer::singleShot(0, &log, [&] {
                frmSplash& splash = t.windows.splash();
                sentWhile << splash.widget()->windowTitle();
                if (!splash.isLoading())
                    sentWhile << "not loading";
                if (escape) {
                    QTest::keyClick(splash.widget(), Qt::Key_Escape);
                } else {
                    QCloseEvent close;
                    QCoreApplication::sendEvent(splash.widget()->windowHandle(), &close);
                }
            });
        };
        qApp->installEventFilter(&log);
        const bool waited = t.earnReward(false);
        qApp->removeEventFilter(&log);
        QCOMPARE(sentWhile.join(", "), caption); // sent while loading, after this caption
        QVERIFY2(waited && !t.windows.gameWindow().isVisible(),
                 "the splash gave way to the game window before its loading ended");
        QCOMPARE(log.seen.mid(2).join(" | "),
                 QString("Brikko32 - Loading Options | Brikko32 - Loading Forms | "
                         "Brikko32 - Finished Loading | OK enabled"));
    }

    // The splash made the active window again while it waits for OK loads
    // again (options re-read, sound replayed); an activation while it loads
    // does not start a second loading.
    void splashActivatedAgainLoadsAgain() {
        RoundTrip t(false, true);
        QVERIFY(t.earnReward(false));
        QWidget* splash = t.windows.splash().widget();
        SplashLog log;
        log.onCaption = [&](const QString& shown) {
            if (shown == "Brikko32 - Loading Options")
                QTimer::singleShot(0, &log, [&] {
                    QEvent activate(QEvent::WindowActivate);
                    QCoreApplication::sendEvent(splash, &activate);
                });
        };
        qApp->installEventFilter(&log);
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(splash, &activate);
        t.letSplashLoad();
        qApp->removeEventFilter(&log);
        QCOMPARE(log.seen.join(" | "),
                 QString("OK disabled | Brikko32 - Loading Options | Brikko32 - Loading Forms | "
                         "Brikko32 - Finished Loading | OK enabled"));
        QCOMPARE(t.sounds.played.count(t.dir.filePath("Sound4.wav")), 2);
        QVERIFY(!t.windows.gameWindow().isVisible());
    }

    // A window system that never makes the splash the active window: it
    // loads all the same, once.
    void splashLoadsWithoutActivation() {
        RoundTrip t(false, true);
        struct NoActivation : QObject {
            bool eventFilter(QObject* watched, QEvent* event) override {
                return event->type() == QEvent::WindowActivate &&
                       watched->objectName() == "frmSplash";
            }
        } noActivation;
        qApp->installEventFilter(&noActivation);
        const bool waited = t.earnReward(false);
        qApp->removeEventFilter(&noActivation);
        QVERIFY2(waited && t.windows.splash().control<QPushButton>("cmdOk")->isEnabled(),
                 "the splash never loaded");
        QCOMPARE(t.sounds.played.count(t.dir.filePath("Sound4.wav")), 1);
    }

    // The window manager's close request to the splash waiting for its OK
    // does what OK does: the program is never left without a window.
    void splashCloseRequestActsAsOk() {
        RoundTrip t;
        QVERIFY(t.earnReward(false));
        QCloseEvent close;
        QCoreApplication::sendEvent(t.windows.splash().widget()->windowHandle(), &close);
        QCoreApplication::processEvents();
        QVERIFY2(t.windows.gameWindow().isVisible() && !t.windows.splash().isVisible(),
                 "the splash went away without leading to the game window");
    }

    // The splash with its OK, then a whole game: "Perdu !", the name asked,
    // the table shown modal and closed by its OK, then the exercise again
    // with one game played. The next reward shows the same loaded game
    // window, its labels kept.
    void wholeRewardRoundTrip() {
        RoundTrip t;
        QVERIFY(t.earnReward());
        QVERIFY(!t.form.isVisible() && t.windows.gameWindow().isVisible());
        QStringList log;
        t.boxes.onMsgBox = [&] { log << t.boxes.shown.back().text; };
        t.boxes.answers << "Zoé";
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (t.windows.highScoreWindow().isVisible()) {
                log << "table";
                QTest::mouseClick(t.windows.highScoreWindow().control<QPushButton>("cmdOk"),
                                  Qt::LeftButton);
            }
        });
        closer.start(10);
        QWidget* first = t.windows.gameWindow().widget();
        t.windows.gameWindow().control<QAction>("mnuNewGame")->trigger();
        runOnFakeClock(t.events, t.clock, t.windows.gameWindow().session());
        QCOMPARE(log, QStringList({"Perdu !", "table"}));
        QCOMPARE(t.windows.highScores().HighNames(1), QString("Zoé"));
        QVERIFY(!t.windows.gameWindow().isVisible() && t.form.isVisible());
        QCOMPARE(t.form.control<QLabel>("Label6")->text(), QString("1"));
        t.windows.gameWindow().setLabel(GameLabel::lblScore, "1234");
        QVERIFY(t.earnReward());
        QVERIFY2(!t.okAtOpen, "the splash shown again with its OK enabled before loading");
        QCOMPARE(t.windows.gameWindow().widget(), first);
        QCOMPARE(t.windows.gameWindow().control<QLabel>("lblScore")->text(), QString("1234"));
        QCOMPARE(t.sounds.played.size(), 20); // the answers' only: no loading sound with sounds off
    }
};

QTEST_MAIN(TestRewardRoundTrip)
#include "test_reward_round_trip.moc"
