// The game window on the offscreen platform, with a game on a fake clock: its
// menus through a game, the keys whatever has the focus, and the modal
// windows opened from its menus.
#include "brikko.h"
#include "fakes.h"
#include "frm_brikko.h"
#include "frm_high_score.h"
#include "frm_instruct.h"
#include "frm_options.h"
#include "game_options.h"
#include "high_scores.h"
#include "profile_file.h"

#include <QAction>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct WindowFixture {
    static constexpr double Start = 36000.0;
    FakeSoundPlayer sounds;
    FakeMediaControl media;
    FakeClock clock;
    FakeRandom random; // every piece an I
    FakeEventPump events{clock};
    QTemporaryDir dir;
    ProfileFile optionsFile{dir.filePath(GameOptions::FileName)};
    GameOptions options{optionsFile};
    HighScoreTable scores{dir.filePath(HighScoreFile::FileName)};
    FakeMessageBoxes boxes;
    frmHighScore highScoreWindow;
    frmInstruct instruct;
    frmOptions optionsWindow{options, boxes};
    Brikko game{
        {sounds, media, clock, random, events, AppPaths(dir.path(), dir.path(), dir.path())}};
    frmBrikko window{game, {scores, highScoreWindow, optionsWindow, instruct}};
    int handBacks = 0;

    WindowFixture() {
        clock.seconds = Start;
        // Scores no game here reaches: no name box, no table.
        QFile f(scores.filePath());
        if (f.open(QIODevice::WriteOnly))
            f.write(QByteArray("A:9000\r\n").repeated(5));
        f.close();
        game.connectLoop({&options, &boxes, &scores, &highScoreWindow, &window});
        QObject::connect(&window, &frmBrikko::gameHandedBack, [this] { ++handBacks; });
        window.Show();
        if (!QTest::qWaitForWindowExposed(window.widget()))
            qFatal("the game window is not shown");
    }
    QAction* action(const QString& name) const {
        if (auto* a = window.control<QAction>(name))
            return a;
        qFatal("no menu item %s", qPrintable(name));
    }
    // "1001": mnuNewGame, mnuPause, mnuEndGame, mnuHighScore enabled.
    QString menus() const {
        QString s;
        for (const char* n : {"mnuNewGame", "mnuPause", "mnuEndGame", "mnuHighScore"})
            s += action(QLatin1String(n))->isEnabled() ? '1' : '0';
        return s;
    }
    // Runs a game; `during` runs in the game's first wait, after which the
    // game is ended with "&Arrêter la partie".
    void playWhile(std::function<void()> during) {
        events.at(Start + 2.2, std::move(during)); // the piece clear of the top
        events.at(Start + 5, [this] { action("mnuEndGame")->trigger(); });
        action("mnuNewGame")->trigger();
    }
};

} // namespace

class FrmBrikkoTest : public QObject {
    Q_OBJECT

private slots:
    // Every menu command in order, with its caption, shortcut and state.
    void menusAsLoaded() {
        WindowFixture f;
        QStringList shown;
        for (const QAction* menu : f.window.widget()->findChild<QMenuBar*>()->actions()) {
            shown << menu->menu()->objectName() + '|' + menu->text();
            for (const QAction* a : menu->menu()->actions())
                shown << QStringList{a->objectName(), a->text(), a->shortcut().toString(),
                                     QString::number(a->isEnabled())}
                             .join('|');
        }
        QCOMPARE(shown,
                 QStringList({"mnuFile|&Fichier", "mnuNewGame|&Nouveau jeu|F2|1",
                              "mnuPause|&Pause||0", "mnuEndGame|&Arrêter la partie||0",
                              "mnuBar1|||1", "mnuHighScore|&High Scores|F4|1",
                              "mnuOptions|&Options...||1", "mnuBar2|||1", "mnuExit|&Quitter||1",
                              "mnuHelp|&Aide", "mnuInstruct|&Instructions|F1|1", "mnubar3|||1",
                              "mnuAbout|&A propos||1"}));
    }

    void windowHasNoCloseAndAFixedClientArea() {
        WindowFixture f;
        QWidget* w = f.window.widget();
        QCOMPARE(w->windowTitle(), QString("Brikko32"));
        QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        QCOMPARE(f.window.control<QWidget>("client")->size(), QSize(288, 304));
        QCOMPARE(f.window.control<QWidget>("picBoard")->geometry(), QRect(8, 8, 164, 292));
    }

    // While a game runs F2 and F4 are off and Pause and End on; they stay so
    // through "Perdu !", so F2 cannot start a game inside the old one's end.
    void menusThroughAGame() {
        WindowFixture f;
        QSignalSpy exercise(&f.window, &frmBrikko::exerciseWindowRequested);
        QString during, atLost;
        int games = 0;
        f.boxes.onMsgBox = [&] {
            atLost = f.menus();
            QTest::keyClick(f.window.widget(), Qt::Key_F2);
        };
        f.events.at(WindowFixture::Start + 1,
                    [&] { QTest::keyClick(f.window.widget(), Qt::Key_F2); });
        QObject::connect(f.action("mnuNewGame"), &QAction::triggered, [&] { ++games; });
        f.playWhile([&] { during = f.menus(); });
        QCOMPARE(during, QString("0110"));
        QCOMPARE(atLost, QString("0110"));
        QCOMPARE(games, 1);
        QCOMPARE(f.boxes.shown.size(), std::size_t(1));
        QCOMPARE(f.menus(), QString("1001"));
        QCOMPARE(exercise.size(), 1); // "&Arrêter la partie" shows the exercise at once
        QVERIFY(!f.window.isVisible());
        QCOMPARE(f.handBacks, 1);
    }

    void keysReachTheGameWhateverHasTheFocus_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("repeats");      // auto-repeated presses after the first
        QTest::addColumn<QString>("expected"); // PieceX, Orientation, Paused
        QTest::newRow("window, Left") << "frmBrikko" << int(Qt::Key_Left) << 0 << "4 1 0";
        QTest::newRow("board, Right") << "picBoard" << int(Qt::Key_Right) << 0 << "6 1 0";
        QTest::newRow("label, Left held") << "lblScore" << int(Qt::Key_Left) << 2 << "2 1 0";
        QTest::newRow("preview, Up") << "picNext" << int(Qt::Key_Up) << 0 << "5 2 0";
        QTest::newRow("client, keypad 5") << "client" << int(Qt::Key_Clear) << 0 << "5 2 0";
        QTest::newRow("board, P") << "picBoard" << int(Qt::Key_P) << 0 << "5 1 1";
        // A control that takes keys itself, as a text box does.
        QTest::newRow("text box, Right") << "probe" << int(Qt::Key_Right) << 0 << "6 1 0";
        QTest::newRow("board, other key") << "picBoard" << int(Qt::Key_A) << 0 << "5 1 0";
    }
    void keysReachTheGameWhateverHasTheFocus() {
        QFETCH(QString, target);
        QFETCH(int, key);
        QFETCH(int, repeats);
        WindowFixture f;
        (new QLineEdit("texte", f.window.control<QWidget>("client")))->setObjectName("probe");
        QString state;
        f.playWhile([&] {
            QWidget* to =
                target == "frmBrikko" ? f.window.widget() : f.window.control<QWidget>(target);
            QVERIFY(to);
            to->setFocus();
            QTest::keyPress(to, Qt::Key(key));
            for (int i = 0; i < repeats; ++i) {
                QKeyEvent again(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(to, &again);
            }
            QTest::keyRelease(to, Qt::Key(key));
            const GameState& g = f.game.game();
            state = QString("%1 %2 %3").arg(g.PieceX).arg(g.Orientation).arg(int(f.game.paused()));
        });
        QFETCH(QString, expected);
        QCOMPARE(state, expected);
    }

    // Options and instructions pause a running game, which stays paused
    // after they close, the caption saying so.
    void modalWindowFromMenuPausesTheGame_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("form");
        QTest::newRow("options") << "mnuOptions"
                                 << "frmOptions";
        QTest::newRow("instructions") << "mnuInstruct"
                                      << "frmInstruct";
    }
    void modalWindowFromMenuPausesTheGame() {
        QFETCH(QString, menu);
        QFETCH(QString, form);
        WindowFixture f;
        Form* opened = form == "frmOptions" ? static_cast<Form*>(&f.optionsWindow) : &f.instruct;
        bool shownModal = false;
        bool pausedAfter = false;
        QString captionLater;
        f.events.at(WindowFixture::Start + 4, [&] { captionLater = f.window.caption(); });
        f.playWhile([&] {
            QTimer::singleShot(0, [&] {
                shownModal =
                    opened->isVisible() && QApplication::activeModalWidget() == opened->widget();
                opened->Hide();
            });
            f.action(menu)->trigger();
            pausedAfter = f.game.paused();
        });
        QVERIFY(shownModal);
        QVERIFY(pausedAfter);
        QCOMPARE(captionLater, QString("Brikko32 - Paused"));
    }
};

QTEST_MAIN(FrmBrikkoTest)
#include "test_frm_brikko.moc"
