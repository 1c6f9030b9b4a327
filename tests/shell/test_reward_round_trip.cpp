// The reward on the offscreen platform: the exercise, the splash, the game
// window and back, with the program's own wiring and a game on a fake clock.
#include "../exercise/form1_fixture.h"
#include "fake_desktop_shell.h"
#include "frm_about.h"
#include "program_end.h"
#include "program_windows.h"
#include "registry.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Notes the captions a window is given, in order.
class CaptionLog : public QObject {
public:
    QString window;
    QStringList captions;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* w = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::WindowTitleChange && w && w->objectName() == window)
            captions << w->windowTitle();
        return false;
    }
};

struct RoundTrip : Form1Fixture {
    QTemporaryDir dir;
    FakeSoundPlayer gameSounds;
    FakeMediaControl media;
    FakeRandom pieces; // every piece an I: the stack grows in the middle
    FakeEventPump events{clock};
    FixedRegistry registry;
    FakeDesktopShell desktop;
    frmAbout about{registry, desktop, boxes};
    ProgramWindows windows{form, about,
                           BrikkoServices{gameSounds, media, clock, pieces, events,
                                          AppPaths(dir.path(), dir.path(), dir.path())},
                           boxes};

    void setOptions(bool hideSplash) {
        ProfileFile file(dir.filePath(GameOptions::FileName));
        file.writeString(GameOptions::Section, GameOptions::PlaySoundsKey, "F");
        file.writeString(GameOptions::Section, GameOptions::HideSplashKey, hideSplash ? "T" : "F");
    }
    // Ten right answers under "< 100": the tenth opens the game.
    void earnReward() {
        draw(0, 42);
        for (int i = 0; i < 10; ++i)
            answerRight();
    }
    QPushButton* splashOk() { return windows.splash().control<QPushButton>("cmdOk"); }
};

} // namespace

class RewardRoundTripTest : public QObject {
    Q_OBJECT

private slots:
    // Nothing here may end the program: that would end the test, passing.
    void initTestCase() {
        ProgramEnd::setExitHandler([] { qFatal("the program was ended"); });
    }

    void splashLeadsToTheGameWindow_data() {
        QTest::addColumn<bool>("hideSplash");
        QTest::newRow("Hide Splash on: straight on") << true;
        QTest::newRow("Hide Splash off: after OK") << false;
    }
    void splashLeadsToTheGameWindow() {
        QFETCH(bool, hideSplash);
        RoundTrip t;
        t.setOptions(hideSplash);
        CaptionLog log;
        log.window = "frmSplash";
        qApp->installEventFilter(&log);
        t.earnReward();
        qApp->removeEventFilter(&log);
        QCOMPARE(log.captions,
                 QStringList({"Brikko32 - Loading", "Brikko32 - Loading Options",
                              "Brikko32 - Loading Forms", "Brikko32 - Finished Loading"}));
        QVERIFY(!t.form.isVisible());
        QVERIFY(t.windows.highScoreWindow().isLoaded() && t.windows.instructions().isLoaded());
        QCOMPARE(t.windows.splash().isVisible(), !hideSplash);
        QCOMPARE(t.splashOk()->isEnabled(), !hideSplash);
        QCOMPARE(t.windows.gameWindow().isVisible(), hideSplash);
        if (!hideSplash)
            QTest::mouseClick(t.splashOk(), Qt::LeftButton);
        QVERIFY(!t.windows.splash().isVisible());
        QVERIFY(t.windows.gameWindow().isVisible());
        QVERIFY(t.gameSounds.played.isEmpty()); // sounds off: no loading sound

        // The next reward shows the same loaded window, its labels kept.
        QWidget* first = t.windows.gameWindow().widget();
        t.windows.gameWindow().setLabel(GameLabel::lblScore, "1234");
        t.windows.gameWindow().hideGameWindow();
        t.form.ResetAfterGame();
        t.earnReward();
        if (!hideSplash)
            QTest::mouseClick(t.splashOk(), Qt::LeftButton);
        QCOMPARE(t.windows.gameWindow().widget(), first);
        QVERIFY(t.windows.gameWindow().isVisible());
        QCOMPARE(t.windows.gameWindow().control<QLabel>("lblScore")->text(), QString("1234"));
    }

    void wholeRewardRoundTrip() {
        RoundTrip t;
        t.earnReward();
        QTest::mouseClick(t.splashOk(), Qt::LeftButton);
        QVERIFY(t.windows.gameWindow().isVisible());
        QStringList log;
        t.boxes.onMsgBox = [&] { log << t.boxes.shown.back().text; };
        t.boxes.answers << "Zoé";
        // The table is shown modal at the end; its OK closes it.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (t.windows.highScoreWindow().isVisible()) {
                log << "table";
                QTest::mouseClick(t.windows.highScoreWindow().control<QPushButton>("cmdOk"),
                                  Qt::LeftButton);
            }
        });
        closer.start(10);
        t.windows.gameWindow().control<QAction>("mnuNewGame")->trigger();
        QCOMPARE(log, QStringList({"Perdu !", "table"}));
        QCOMPARE(t.windows.highScores().HighNames(1), QString("Zoé"));
        QVERIFY(!t.windows.gameWindow().isVisible());
        QVERIFY(t.form.isVisible());
        QCOMPARE(t.caption("Label6"), QString("1"));
    }
};

QTEST_MAIN(RewardRoundTripTest)
#include "test_reward_round_trip.moc"
